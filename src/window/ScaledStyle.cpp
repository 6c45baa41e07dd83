#include "window/ScaledStyle.h"

#include <QApplication>
#include <QStyleFactory>

ScaledStyle::ScaledStyle(qreal factor, int scrollBarExtent)
    : QProxyStyle(QStyleFactory::create(QApplication::style()->name()))
    , m_factor(factor)
    , m_scrollBarExtent(scrollBarExtent)
{
}

int ScaledStyle::pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const
{
    const int usual = QProxyStyle::pixelMetric(metric, option, widget);
    switch (metric) {
    case PM_IndicatorWidth:
    case PM_IndicatorHeight:
    case PM_ExclusiveIndicatorWidth:
    case PM_ExclusiveIndicatorHeight:
    case PM_CheckBoxLabelSpacing:
    case PM_RadioButtonLabelSpacing:
    case PM_ScrollBarSliderMin:
        return qRound(usual * m_factor);
    case PM_ScrollBarExtent:
        return qMax(qRound(usual * m_factor), m_scrollBarExtent);
    default:
        return usual;
    }
}
