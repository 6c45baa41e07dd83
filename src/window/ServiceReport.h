#pragma once

#include "window/KioskStatus.h"

#include <QObject>

class frmMain;

namespace machine {
class ServiceManager;
}

namespace window {

// What systemd hears of the kiosk's window: ready once it has painted, and a
// status line naming the prices it shows each time new prices take effect
// (frmMain::pricesTakenIntoUse). The price file's digest is worked out only
// after the window is up, so it never slows start-up, and not at all outside
// systemd.
class ServiceReport : public QObject
{
    Q_OBJECT

public:
    ServiceReport(machine::ServiceManager &manager, frmMain &window, const QString &priceFile);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void windowPainted();
    void pricesTakenIntoUse(int brandCount, const QByteArray &bytes);
    void tellStatus();

    machine::ServiceManager &m_manager;
    const QString m_priceFile;
    PricesShown m_shown;
    // The file's bytes until their digest is worked out.
    QByteArray m_undigested;
    bool m_anyPrices = false;
};

} // namespace window
