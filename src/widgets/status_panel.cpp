#include "widgets/status_panel.h"

#include "widgets/accessible_role.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace ombrel {

namespace {

constexpr int kMargin = 2;

} // namespace

StatusPanel::StatusPanel(const QString& objectName, int leastWidth, Qt::Alignment alignment, QWidget* parent)
    : QWidget(parent), leastWidth_(leastWidth), alignment_(alignment)
{
    setObjectName(objectName);
    SetAccessibleRole(this, QAccessible::StaticText);
}

void StatusPanel::setText(const QString& text)
{
    if (text == text_)
        return;
    const QSize hint = sizeHint();
    text_ = text;
    textWidth_ = measureText();
    updateToolTip();
    // Screen readers read the whole text, however much of it fits.
    setAccessibleName(text);
    // A new size would lay out the whole window: ask only when it changes.
    if (sizeHint() != hint)
        updateGeometry();
    update();
}

int StatusPanel::measureText() const
{
    return static_cast<int>(std::ceil(QFontMetricsF(font()).horizontalAdvance(text_))) + 2 * kMargin;
}

QSize StatusPanel::sizeHint() const
{
    return {std::max(leastWidth_, textWidth_), fontMetrics().height() + 2 * kMargin};
}

QSize StatusPanel::minimumSizeHint() const
{
    return {0, fontMetrics().height() + 2 * kMargin};
}

void StatusPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect room = rect().adjusted(kMargin, 0, -kMargin, 0);
    const bool fits = textWidth_ <= width();
    painter.drawText(room, alignment_ | Qt::AlignVCenter,
                     fits ? text_ : fontMetrics().elidedText(text_, Qt::ElideRight, room.width()));
}

void StatusPanel::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        textWidth_ = measureText();
        updateToolTip();
        updateGeometry();
    }
}

void StatusPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    updateToolTip();
}

void StatusPanel::updateToolTip()
{
    setToolTip(textWidth_ > width() ? text_ : QString());
}

} // namespace ombrel
