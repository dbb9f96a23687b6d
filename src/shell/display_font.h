#pragma once

#include <QFont>
#include <QString>

namespace ombrel {

// The font to draw a stored face name with. The program's stored default
// face, "MS Sans Serif", is a narrow Windows bitmap font that Linux does
// not have; its stand-in is drawn a fifth smaller so that timecodes still
// fit the default column widths. Any other face is used as stored.
QFont displayFont(const QString& face, int points);

}  // namespace ombrel
