#include "shell/calc_button.h"

#include "shell/icons.h"

#include <QMouseEvent>

#include <utility>

namespace ombrel {

CalculatePicture::CalculatePicture(const QString& objectName, const QString& pictureName, QWidget* parent)
    : QLabel(parent)
{
    setObjectName(objectName);
    const QSize size(90, 33);
    setFixedSize(size);
    setPixmap(ombrel::picture(pictureName, size));
    setMouseTracking(true);
}

void CalculatePicture::mouseMoveEvent(QMouseEvent* event)
{
    emit mouseMoved();
    QLabel::mouseMoveEvent(event);
}

void CalculatePicture::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit leftPressed();
}

void CalculatePicture::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    emit leftReleased();
    // The release that ends a double-click is not a further click.
    const bool endsDoubleClick = std::exchange(inDoubleClick_, false);
    if (!endsDoubleClick && rect().contains(event->position().toPoint()))
        emit clicked();
}

void CalculatePicture::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    inDoubleClick_ = true;
    emit leftPressed();
    emit doubleClicked();
}

} // namespace ombrel
