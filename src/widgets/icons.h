#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace ombrel {

// Registers the program's built-in resources (pictures under ":/icons", help
// pages under ":/help"). They live in a static library, so nothing registers
// them unless something refers to them; the functions here do it themselves,
// other code that opens those paths directly calls this first. Safe to repeat.
void initResources();

// Pictures are SVG files held as Qt resources under ":/icons/<name>.svg"
// ("new", "f1", "trash_open", "ombrel", "calc_normal", ...).
QString picturePath(const QString& name);

// Renders a picture to `size` logical pixels at the application's device
// pixel ratio, keeping its aspect ratio and centring it. A name that has no
// picture gives a null pixmap.
QPixmap picture(const QString& name, QSize size);
QPixmap picture(const QString& name, QSize size, qreal devicePixelRatio);

// Icon for a flat toolbar button: Normal is the plain picture, Active (the
// pointer is over the button) puts a highlighted tile behind it, Disabled is
// a faded grey version. Rendered on demand at any size.
QIcon toolbarIcon(const QString& name);

// The program's own icon, for window icons and the About box.
QIcon programIcon();

} // namespace ombrel
