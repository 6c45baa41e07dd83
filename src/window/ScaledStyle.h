#pragma once

#include <QProxyStyle>

// Draws the boxes of check boxes and option buttons, and scroll bars,
// `factor` times their usual size, so they grow with a form that fills the
// screen as its captions do; a scroll bar is at least `scrollBarExtent`
// pixels wide, for a finger. Follows the application's style in everything
// else.
class ScaledStyle : public QProxyStyle
{
    Q_OBJECT

public:
    ScaledStyle(qreal factor, int scrollBarExtent);

    int pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override;

private:
    qreal m_factor;
    int m_scrollBarExtent;
};
