#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace ombrel {

// Renders the SVG file at `path` into an image of `pixelSize` pixels, keeping
// its aspect ratio and centring it on a transparent ground. A file that is
// missing or does not parse gives a null image.
QImage RenderSvgPicture(const QString& path, QSize pixelSize);

} // namespace ombrel
