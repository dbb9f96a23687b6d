#pragma once

#include <QByteArray>
#include <QClipboard>

#include <string_view>

namespace ombrel {

// The clipboard's plain text as UTF-8 bytes, converted as little as the
// system allows: a paste looks only at the start of the text (ClipStoreText,
// CellPasteText), so text of hundreds of megabytes should cost its transfer
// and no more. A text offered as UTF-8 comes as it is; plain "text/plain"
// is turned into a QString and back by the X11 clipboard on the way.
QByteArray ClipboardTextBytes(QClipboard::Mode mode = QClipboard::Clipboard);

inline std::string_view ViewOf(const QByteArray& bytes)
{
    return {bytes.constData(), static_cast<size_t>(bytes.size())};
}

} // namespace ombrel
