#include "WindowDriver.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStyleOptionButton>
#include <QTest>

namespace testsupport {

TemporarySettings::TemporarySettings()
{
    if (qEnvironmentVariableIsSet("XDG_CONFIG_HOME"))
        m_previousConfigHome = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.path()));
}

TemporarySettings::~TemporarySettings()
{
    if (m_previousConfigHome)
        qputenv("XDG_CONFIG_HOME", *m_previousConfigHome);
    else
        qunsetenv("XDG_CONFIG_HOME");
}

QString TemporarySettings::filePath() const
{
    return QDir(m_dir.path()).filePath(QStringLiteral("PELLORY.conf"));
}

QString TemporarySettings::value(const QString &key) const
{
    QSettings store(filePath(), QSettings::IniFormat);
    return store.value(QStringLiteral("STARTUP/") + key).toString();
}

void TemporarySettings::setValue(const QString &key, const QString &text)
{
    QSettings store(filePath(), QSettings::IniFormat);
    store.setValue(QStringLiteral("STARTUP/") + key, text);
}

QString priceFilePath()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("BrandsPrices.txt"));
}

void writePriceFile(const QByteArray &bytes)
{
    QFile file(priceFilePath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(priceFilePath()));
    file.write(bytes);
}

void removePriceFile()
{
    QFile::remove(priceFilePath());
}

QByteArray samplePrices()
{
    // Twelve brands, so every row of the availability rules is reached.
    return "\"Brand Zero\",10,20,30,40,50\r\n"
           "\"Brand One\",11,21,31,41,51\r\n"
           "\"Brand Two\",12,22,32,42,52\r\n"
           "\"Brand Three\",60,75,0,0,0\r\n"
           "\"Brand Four\",12345,0,0,0,0\r\n"
           "\"Brand Five\",15,25,35,45,55\r\n"
           "\"Brand Six\",16,26,36,46,56\r\n"
           "\"Brand Seven\",17,27,37,47,57\r\n"
           "\"Brand Eight\",18,28,38,48,58\r\n"
           "\"Brand Nine\",19,29,39,49,59\r\n"
           "\"Brand Ten\",0,0,0,0,0\r\n"
           "\"Brand Eleven, Ltd.\",21,31,41,51,61\r\n";
}

WindowDriver::WindowDriver()
    : m_form(std::make_unique<frmMain>(m_dialogs))
{
}

WindowDriver::~WindowDriver() = default;

bool WindowDriver::loadAndShow()
{
    if (!m_form->load())
        return false;
    m_form->show();
    m_form->activateWindow();
    return QTest::qWaitForWindowExposed(m_form.get());
}

QAction *WindowDriver::action(const QString &name) const
{
    return m_form->findChild<QAction *>(name);
}

void WindowDriver::clickBrand(int row)
{
    auto *list = find<QListWidget>(QStringLiteral("lstBrands"));
    QListWidgetItem *item = list->item(row);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

void clickIndicator(QAbstractButton *button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    const bool isRadio = qobject_cast<QRadioButton *>(button) != nullptr;
    const QRect indicator = button->style()->subElementRect(
        isRadio ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator, &option, button);
    QTest::mouseClick(button, Qt::LeftButton, {}, indicator.center());
}

void WindowDriver::tick(int item)
{
    clickIndicator(find<QCheckBox>(QStringLiteral("chkSneakerItem_%1").arg(item)));
}

void WindowDriver::choosePairs(int pairs)
{
    clickIndicator(find<QRadioButton>(QStringLiteral("optPair_%1").arg(pairs)));
}

void WindowDriver::click(const QString &buttonName)
{
    QTest::mouseClick(find<QPushButton>(buttonName), Qt::LeftButton);
}

void WindowDriver::trigger(const QString &actionName)
{
    action(actionName)->trigger();
}

bool WindowDriver::itemChecked(int item) const
{
    return find<QCheckBox>(QStringLiteral("chkSneakerItem_%1").arg(item))->isChecked();
}

bool WindowDriver::itemEnabled(int item) const
{
    return find<QCheckBox>(QStringLiteral("chkSneakerItem_%1").arg(item))->isEnabled();
}

QString WindowDriver::quoteText() const
{
    return find<QLabel>(QStringLiteral("lblPriceQuote"))->text();
}

bool WindowDriver::quoteVisible() const
{
    return find<QLabel>(QStringLiteral("lblPriceQuote"))->isVisible();
}

} // namespace testsupport
