#include "shell/display_font.h"

#include <QFontDatabase>
#include <QStringList>

namespace ombrel {

QFont displayFont(const QString& face, int points)
{
    if (face == "MS Sans Serif" && !QFontDatabase::families().contains(face)) {
        QFont font("DejaVu Sans");
        font.setStyleHint(QFont::SansSerif);
        font.setPointSizeF(points * 0.68);
        return font;
    }
    QFont font(face);
    font.setPointSize(points);
    return font;
}

}  // namespace ombrel
