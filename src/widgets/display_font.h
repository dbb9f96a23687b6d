#pragma once

#include <QFont>
#include <QString>

namespace ombrel {

// The font to draw a stored face name with. The program's stored default
// face, "MS Sans Serif", is a narrow Windows bitmap font that Linux does
// not have; its stand-in is drawn about a third smaller, which gives digits
// of the original's width, so that timecodes fit the default columns. Any other face is used as stored.
QFont displayFont(const QString& face, int points);
// The same for a whole font, keeping its style; a face that is not
// installed becomes the one drawn in its place, so a font dialog opens on
// what it edits.
QFont displayFont(const QFont& stored);
// The font to store for one chosen in a font dialog that was offered
// displayFont(stored): the stand-in face means the stored face, and a size
// of it the stored size that draws that large. So confirming the dialog
// without a change keeps the stored font as it was.
QFont storedFont(const QFont& chosen, const QFont& stored);

} // namespace ombrel
