#include "window/BrandList.h"

#include <QAccessible>
#include "window/TouchInput.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScroller>
#include <QStyledItemDelegate>

namespace {

// Draws the keyboard focus as a dotted outline. Some styles fill the focused
// row with a tint of the selection colour, which makes an unselected brand
// look chosen.
class FocusOutlineDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem plain(option);
        plain.state &= ~QStyle::State_HasFocus;
        QStyledItemDelegate::paint(painter, plain, index);
        const auto *list = static_cast<const BrandList *>(parent());
        if (!(option.state & QStyle::State_HasFocus) || !list->showsFocusOutline())
            return;
        const bool selected = option.state & QStyle::State_Selected;
        painter->save();
        painter->setPen(QPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text), 1,
                             Qt::DotLine));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(qMax(size.height(), minimumHeight));
        return size;
    }

    int minimumHeight = 0;
};

bool isMouseButtonOtherThanLeft(const QMouseEvent *event)
{
    return event->button() != Qt::LeftButton;
}


} // namespace

using window::isFromTouch;

BrandList::BrandList(QWidget *parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new FocusOutlineDelegate(this));
    // A finger swipes the list as on a phone, and slides on after it lets
    // go: the touches go to the list's scroller (fed here rather than through
    // a gesture recogniser, which Qt 6.4 never frees).
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    connect(this, &QListWidget::itemSelectionChanged, this, &BrandList::brandClicked);
}

int BrandList::listIndex() const
{
    const QList<QListWidgetItem *> selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.first());
}

void BrandList::setMinimumRowHeight(int pixels)
{
    static_cast<FocusOutlineDelegate *>(itemDelegate())->minimumHeight = pixels;
}

void BrandList::selectRow(int row)
{
    const bool alreadyCurrent = currentRow() == row;
    setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    scrollToItem(item(row));
    // Qt tells assistive technology of a row that becomes current, but the
    // list made the first row current when it took the focus: without this
    // a screen reader would stay silent about the first brand picked.
    if (alreadyCurrent) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(row);
        QAccessible::updateAccessibility(&focus);
    }
}

void BrandList::focusInEvent(QFocusEvent *event)
{
    if (event->reason() != Qt::MouseFocusReason)
        m_tapped = false;
    QListWidget::focusInEvent(event);
}

void BrandList::keyPressEvent(QKeyEvent *event)
{
    m_tapped = false;
    // With nothing selected the keys start from the ends of the list, not
    // from the row Qt made current when the list took the focus.
    const bool plainKey = !(event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier));
    if (listIndex() < 0 && count() > 0 && plainKey) {
        switch (event->key()) {
        case Qt::Key_Down:
        case Qt::Key_Up:
        case Qt::Key_Home:
        case Qt::Key_PageUp:
            selectRow(0);
            event->accept();
            return;
        case Qt::Key_End:
        case Qt::Key_PageDown:
            selectRow(count() - 1);
            event->accept();
            return;
        default:
            break;
        }
    }
    QListWidget::keyPressEvent(event);
}

void BrandList::keyboardSearch(const QString &search)
{
    // Qt searches from the row after the current one; with nothing selected
    // the first brand with the letter is the one meant.
    if (listIndex() < 0)
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    QListWidget::keyboardSearch(search);
}

void BrandList::mousePressEvent(QMouseEvent *event)
{
    // Only the left button chooses, and only on an entry. The press is taken
    // either way, so the window behind never sees it.
    event->accept();
    const QModelIndex pressed = indexAt(event->position().toPoint());
    m_tapped = isFromTouch(event);
    if (m_tapped) {
        // A finger chooses when it lifts without having swiped; a touch that
        // stops a sliding list chooses nothing.
        const bool sliding = QScroller::scroller(viewport())->state() == QScroller::Scrolling;
        m_tapStart = sliding ? std::nullopt : std::optional<QPointF>(event->position());
        slide(QScroller::InputPress, event);
        return;
    }
    if (isMouseButtonOtherThanLeft(event) || !pressed.isValid())
        return;
    const int before = listIndex();
    QListWidget::mousePressEvent(event);
    if (before >= 0 && before == pressed.row() && listIndex() == before)
        emit brandClicked();
}

void BrandList::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (isFromTouch(event)) {
        const bool tapped = m_tapStart && (event->position() - *m_tapStart).manhattanLength() < QApplication::startDragDistance()
            && QScroller::scroller(viewport())->state() != QScroller::Scrolling;
        m_tapStart.reset();
        slide(QScroller::InputRelease, event);
        const QModelIndex released = indexAt(event->position().toPoint());
        if (tapped && released.isValid())
            chooseRow(released.row());
        return;
    }
    if (!isMouseButtonOtherThanLeft(event))
        QListWidget::mouseReleaseEvent(event);
}

void BrandList::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    if (!isFromTouch(event) && !isMouseButtonOtherThanLeft(event) && indexAt(event->position().toPoint()).isValid())
        QListWidget::mouseDoubleClickEvent(event);
}

void BrandList::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    if (isFromTouch(event)) {
        slide(QScroller::InputMove, event);
        return;
    }
    if (event->buttons() == Qt::NoButton || (event->buttons() & Qt::LeftButton))
        QListWidget::mouseMoveEvent(event);
}

void BrandList::slide(QScroller::Input input, const QMouseEvent *event)
{
    QScroller::scroller(viewport())->handleInput(input, event->position(), qint64(event->timestamp()));
}

void BrandList::chooseRow(int row)
{
    // As a click does: the entry is chosen, or raises its event again.
    if (listIndex() == row) {
        emit brandClicked();
        return;
    }
    setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

QItemSelectionModel::SelectionFlags BrandList::selectionCommand(const QModelIndex &index, const QEvent *event) const
{
    // Ctrl+click and Ctrl+Space would deselect the entry; only the clear
    // buttons return the list to no selection.
    const QItemSelectionModel::SelectionFlags command = QListWidget::selectionCommand(index, event);
    if (command & QItemSelectionModel::Deselect)
        return QItemSelectionModel::NoUpdate;
    return command;
}
