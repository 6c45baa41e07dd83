#include "window/ServiceReport.h"

#include "machine/ServiceManager.h"
#include "window/frmMain.h"

#include <QCryptographicHash>
#include <QEvent>
#include <QFileInfo>
#include <QTimer>

namespace window {

ServiceReport::ServiceReport(machine::ServiceManager &manager, frmMain &window, const QString &priceFile)
    : QObject(&window), m_manager(manager), m_priceFile(priceFile)
{
    if (!m_manager.isPresent())
        return;
    window.installEventFilter(this);
    connect(&window, &frmMain::pricesTakenIntoUse, this, &ServiceReport::pricesTakenIntoUse);
}

bool ServiceReport::eventFilter(QObject *watched, QEvent *event)
{
    // The window's first update request paints it and hands the frame to the
    // screen; the next turn of the event loop comes after that.
    if (event->type() == QEvent::UpdateRequest) {
        watched->removeEventFilter(this);
        QTimer::singleShot(0, this, &ServiceReport::windowPainted);
    }
    return false;
}

void ServiceReport::windowPainted()
{
    m_manager.notifyReady();
    if (m_anyPrices)
        tellStatus();
}

void ServiceReport::pricesTakenIntoUse(int brandCount, const QByteArray &bytes)
{
    m_shown.reloaded = m_anyPrices;
    m_anyPrices = true;
    m_shown.brandCount = brandCount;
    m_shown.takenIntoUse = QDateTime::currentDateTime();
    m_undigested = bytes;
    if (m_manager.isReady())
        tellStatus();
}

void ServiceReport::tellStatus()
{
    if (!m_undigested.isNull()) {
        m_shown.sha256 = QCryptographicHash::hash(m_undigested, QCryptographicHash::Sha256);
        m_undigested = QByteArray();
    }
    // The file the shop edits, not the link to it beside the program.
    const QString canonical = QFileInfo(m_priceFile).canonicalFilePath();
    m_shown.priceFile = canonical.isEmpty() ? m_priceFile : canonical;
    m_manager.notifyStatus(kioskStatusText(m_shown));
}

} // namespace window
