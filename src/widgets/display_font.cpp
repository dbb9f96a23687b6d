#include "widgets/display_font.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

namespace ombrel {

namespace {

// How much smaller the stand-in is drawn than the size stored.
constexpr double kStandInScale = 0.68;

} // namespace

QFont displayFont(const QString& face, int points)
{
    if (face == "MS Sans Serif" && !QFontDatabase::families().contains(face)) {
        QFont font("DejaVu Sans");
        font.setStyleHint(QFont::SansSerif);
        font.setPointSizeF(points * kStandInScale);
        return font;
    }
    QFont font(face);
    font.setPointSize(points);
    return font;
}

QFont displayFont(const QFont& stored)
{
    if (stored.family() != "MS Sans Serif") {
        if (QFontDatabase::families().contains(stored.family()))
            return stored;
        // A face that is not installed is offered as the one drawn in its
        // place, in the same size and style.
        QFont font = stored;
        font.setFamily(QFontInfo(stored).family());
        return font;
    }
    QFont font = displayFont(stored.family(), stored.pointSize() > 0 ? stored.pointSize() : 11);
    font.setBold(stored.bold());
    font.setItalic(stored.italic());
    font.setUnderline(stored.underline());
    font.setStrikeOut(stored.strikeOut());
    return font;
}

QFont storedFont(const QFont& chosen, const QFont& stored)
{
    const QFont offered = displayFont(stored);
    if (offered.family() == stored.family() || chosen.family() != offered.family())
        return chosen;
    QFont font = chosen;
    font.setFamily(stored.family());
    if (stored.family() != "MS Sans Serif")
        return font; // the face drawn in its place, at the same size
    // The dialog lists whole sizes: the offered one comes back rounded.
    if (qRound(chosen.pointSizeF()) == qRound(offered.pointSizeF()))
        font.setPointSize(stored.pointSize());
    else
        font.setPointSize(qRound(chosen.pointSizeF() / kStandInScale));
    return font;
}

} // namespace ombrel
