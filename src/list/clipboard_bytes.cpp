#include "list/clipboard_bytes.h"

#include <QGuiApplication>
#include <QMimeData>

namespace ombrel {

QByteArray ClipboardTextBytes(QClipboard::Mode mode)
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

} // namespace ombrel
