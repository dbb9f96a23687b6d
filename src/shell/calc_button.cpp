#include "shell/calc_button.h"

#include "shell/icons.h"

#include <QMouseEvent>

#include <utility>

namespace ombrel {

CalculateButton::CalculateButton(QWidget* parent) : QLabel(parent)
{
    setObjectName("CalculateBtn");
    const QSize size(90, 33);
    setFixedSize(size);
    pictures_ = {ombrel::picture("calc_normal", size), ombrel::picture("calc_over", size),
                 ombrel::picture("calc_down", size)};
    setPixmap(pictures_[ButNorm]);
    setMouseTracking(true);
}

void CalculateButton::showPicture(Picture picture)
{
    if (picture == picture_)
        return;
    picture_ = picture;
    setPixmap(pictures_[picture]);
}

void CalculateButton::mouseMoveEvent(QMouseEvent* event)
{
    if (picture_ == ButNorm)
        showPicture(ButOver);
    else if (picture_ == ButOver)
        emit overMoved();
    QLabel::mouseMoveEvent(event);
}

void CalculateButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        showPicture(ButDown);
}

void CalculateButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const bool over = rect().contains(event->position().toPoint());
    showPicture(over ? ButOver : ButNorm);
    // The release that ends a double-click is not a further click.
    const bool endsDoubleClick = std::exchange(inDoubleClick_, false);
    if (over && !endsDoubleClick)
        emit clicked();
}

void CalculateButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    inDoubleClick_ = true;
    showPicture(ButDown);
    emit doubleClicked();
}

} // namespace ombrel
