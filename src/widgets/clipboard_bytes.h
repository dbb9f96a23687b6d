#pragma once

#include <QByteArray>
#include <QClipboard>

#include <string_view>

namespace ombrel {

// The start of the clipboard's plain text as UTF-8: at most `maxBytes`
// bytes, cut to whole characters. A paste looks only at the start of the
// text (ClipboardBytesFor), so a text of hundreds of megabytes should cost
// no more than a short one. On X11 the start comes straight from the
// program that owns the selection (ReadX11SelectionText), which hands over
// no more than that; the text of this program's own copy, and every text
// elsewhere, comes whole through Qt.
QByteArray ClipboardTextBytes(QClipboard::Mode mode, size_t maxBytes);

// Whether the clipboard offers text, from the forms it offers, without
// fetching the text: for a Paste command that is dimmed without one.
bool ClipboardOffersText(QClipboard::Mode mode);

inline std::string_view ViewOf(const QByteArray& bytes)
{
    return {bytes.constData(), static_cast<size_t>(bytes.size())};
}

} // namespace ombrel
