#include "widgets/display_font.h"

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

QFont displayFont(const QFont& stored)
{
    if (stored.family() != "MS Sans Serif")
        return stored;
    QFont font = displayFont(stored.family(), stored.pointSize() > 0 ? stored.pointSize() : 11);
    font.setBold(stored.bold());
    font.setItalic(stored.italic());
    font.setUnderline(stored.underline());
    font.setStrikeOut(stored.strikeOut());
    return font;
}

} // namespace ombrel
