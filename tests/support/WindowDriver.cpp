#include "WindowDriver.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTest>

namespace testsupport {

WindowDriver::WindowDriver(const QString &priceFile, const configuration::ShopConfiguration &shop)
    : m_form(std::make_unique<frmMain>(m_dialogs, priceFile, shop))
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

QColor WindowDriver::colourBehindControls() const
{
    // The whole window is grabbed: a child grabbed alone paints its own palette.
    const QImage shown = m_form->grab().toImage();
    const QWidget *surface = m_form->centralWidget();
    const QPoint bare = surface->mapTo(m_form.get(), QPoint(surface->width() / 2, surface->height() - 4));
    return shown.pixelColor(bare * shown.devicePixelRatio());
}

QColor WindowDriver::buttonFace()
{
    return QApplication::palette().color(QPalette::Button);
}

} // namespace testsupport
