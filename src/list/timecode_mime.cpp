#include "list/timecode_mime.h"

#include <QDataStream>
#include <QIODevice>
#include <QMimeData>
#include <QRandomGenerator>

namespace ombrel {

namespace {

// Marks the drags of this run of the program: a drag of the same format
// from another Ombrel must not delete a row here.
quint64 runToken()
{
    static const quint64 token = QRandomGenerator::global()->generate64();
    return token;
}

} // namespace

QMimeData* encodeTimecodeDrag(const TimecodeDrag& drag)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    const QString text = QString::fromStdString(drag.DragText);
    stream << runToken() << text << drag.DragIsNumber << drag.DragFromValueCell << drag.DragFromCell
           << qint32(FormatIndex(drag.source));
    auto* data = new QMimeData;
    data->setData(kTimecodeDragMimeType, bytes);
    data->setText(text);
    return data;
}

std::optional<TimecodeDrag> decodeTimecodeDrag(const QMimeData* data)
{
    if (!data->hasFormat(kTimecodeDragMimeType))
        return std::nullopt;
    QDataStream stream(data->data(kTimecodeDragMimeType));
    quint64 token = 0;
    QString text;
    TimecodeDrag drag;
    qint32 source = 0;
    stream >> token >> text >> drag.DragIsNumber >> drag.DragFromValueCell >> drag.DragFromCell >> source;
    if (stream.status() != QDataStream::Ok || token != runToken() || source < 0 || source >= kFormatCount)
        return std::nullopt;
    drag.DragText = text.toStdString();
    drag.source = FormatAt(source);
    return drag;
}

std::optional<TimecodeDrag> acceptedDrag(const QMimeData* data, DropTarget target, int64_t calcCount)
{
    std::optional<TimecodeDrag> drag = decodeTimecodeDrag(data);
    if (drag && !DropAccepted(target, *drag, calcCount))
        drag.reset();
    return drag;
}

} // namespace ombrel
