#pragma once

#include <QListWidget>
#include <QScroller>

#include <optional>

// The brand list behaves as the shop's list box did: its only state is the
// selected entry or none, and a click raises one event. Qt's list keeps a
// current row apart from the selection, lets every mouse button select and
// Ctrl toggle the selection off; none of that reaches the customer here. A
// finger swipes the list, which slides on (a mouse drags the selection as
// before), and chooses a brand with a tap.
class BrandList : public QListWidget
{
    Q_OBJECT

public:
    explicit BrandList(QWidget *parent = nullptr);

    // The selected row, or -1 when nothing is selected.
    int listIndex() const;

    // Rows at least this tall, for a finger; set before the brands are added.
    void setMinimumRowHeight(int pixels);

    // The keyboard focus shows on the current row, but not after a tap.
    bool showsFocusOutline() const { return !m_tapped; }

signals:
    // The selection changed, or the selected entry was clicked again.
    void brandClicked();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void keyboardSearch(const QString &search) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event) const override;

private:
    void selectRow(int row);
    void chooseRow(int row);
    void slide(QScroller::Input input, const QMouseEvent *event);

    // Where a finger touched the list, while it may still become a tap.
    std::optional<QPointF> m_tapStart;
    bool m_tapped = false;
};
