#include "shell/calc_button.h"

#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

#include <utility>

namespace ombrel {

namespace {

QPixmap renderPicture(const QString& resource, QSize size, qreal ratio)
{
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(resource);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}

}  // namespace

CalculatePicture::CalculatePicture(const QString& objectName, const QString& resource, QWidget* parent)
    : QLabel(parent)
{
    setObjectName(objectName);
    const QSize size(90, 33);
    setFixedSize(size);
    setPixmap(renderPicture(resource, size, devicePixelRatioF()));
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

}  // namespace ombrel
