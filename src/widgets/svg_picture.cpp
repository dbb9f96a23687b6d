#include "widgets/svg_picture.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

namespace ombrel {

QImage RenderSvgPicture(const QString& path, QSize pixelSize)
{
    if (pixelSize.isEmpty() || !QFile::exists(path))
        return {};
    QSvgRenderer renderer(path);
    if (!renderer.isValid())
        return {};
    QImage image(pixelSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSizeF target = renderer.viewBoxF().size();
    if (target.isEmpty())
        target = renderer.defaultSize();
    target.scale(QSizeF(pixelSize), Qt::KeepAspectRatio);
    const QRectF bounds((pixelSize.width() - target.width()) / 2, (pixelSize.height() - target.height()) / 2,
                        target.width(), target.height());
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, bounds);
    return image;
}

} // namespace ombrel
