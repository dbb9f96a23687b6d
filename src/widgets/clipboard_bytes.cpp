#include "widgets/clipboard_bytes.h"

#include "list/clipboard_text.h"
#include "widgets/x11_selection_reader.h"

#include <QGuiApplication>
#include <QMimeData>

namespace ombrel {

namespace {

QByteArray wholeCharacters(QByteArray bytes, size_t maxBytes)
{
    bytes.truncate(qsizetype(std::min(size_t(bytes.size()), maxBytes)));
    bytes.truncate(qsizetype(WholeCharacters(ViewOf(bytes))));
    return bytes;
}

// The whole text as Qt hands it over.
QByteArray qtText(QClipboard::Mode mode)
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData(mode);
    if (!data)
        return {};
    for (const char* format : {"text/plain;charset=utf-8", "text/plain"}) {
        if (data->hasFormat(format))
            return data->data(format);
    }
    return {};
}

} // namespace

QByteArray ClipboardTextBytes(QClipboard::Mode mode, size_t maxBytes)
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    // This program could not answer its own request while it waits for it.
    const bool ours = mode == QClipboard::Selection ? clipboard->ownsSelection() : clipboard->ownsClipboard();
    if (QGuiApplication::platformName() == "xcb" && !ours) {
        const X11Selection selection = mode == QClipboard::Selection ? X11Selection::Primary : X11Selection::Clipboard;
        if (const std::optional<std::string> text = ReadX11SelectionText(selection, maxBytes))
            return wholeCharacters(QByteArray(text->data(), qsizetype(text->size())), maxBytes);
    }
    return wholeCharacters(qtText(mode), maxBytes);
}

bool ClipboardOffersText(QClipboard::Mode mode)
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData(mode);
    return data && data->hasText();
}

} // namespace ombrel
