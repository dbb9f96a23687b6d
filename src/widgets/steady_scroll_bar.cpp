#include "widgets/steady_scroll_bar.h"

#include <QStyle>
#include <QStyleOptionSlider>

namespace ombrel {

void SteadyScrollBar::sliderChange(SliderChange change)
{
    if (change != SliderValueChange && change != SliderRangeChange)
        QScrollBar::sliderChange(change);
    else if (!held_)
        updateIfChanged();
}

void SteadyScrollBar::paintEvent(QPaintEvent* event)
{
    painted_ = picture();
    QScrollBar::paintEvent(event);
}

SteadyScrollBar::Picture SteadyScrollBar::picture() const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    return {style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this),
            value() == minimum(), value() == maximum()};
}

void SteadyScrollBar::updateIfChanged()
{
    if (painted_ != picture())
        update();
}

} // namespace ombrel
