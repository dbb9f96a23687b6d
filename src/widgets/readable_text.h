#pragma once

#include "settings/contrast.h"

#include <QColor>
#include <QPalette>

namespace ombrel {

// The text colour a widget draws over its background: the chosen colour
// where it reads, else the palette's own text colour (a dark theme's light
// text under a system background).
inline QColor ReadableText(const QColor& chosen, const QColor& background, const QPalette& palette)
{
    const auto rgb = [](const QColor& c) { return Rgb{c.red(), c.green(), c.blue()}; };
    const QColor fallback = palette.color(QPalette::Text);
    const Rgb drawn = ReadableTextColour(rgb(chosen), rgb(fallback), rgb(background));
    return QColor(drawn.red, drawn.green, drawn.blue);
}

} // namespace ombrel
