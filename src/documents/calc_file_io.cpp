#include "documents/calc_file_io.h"

#include "documents/calc_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <array>
#include <cstring>

namespace ombrel {

namespace {

// A short write carries no error text; writing on brings up the system's
// reason (disk full, file too large).
bool writeAll(QSaveFile& file, std::string_view bytes)
{
    const char* data = bytes.data();
    qint64 left = static_cast<qint64>(bytes.size());
    while (left > 0) {
        const qint64 written = file.write(data, left);
        if (written <= 0)
            return false;
        data += written;
        left -= written;
    }
    return true;
}

// QSaveFile makes its temporary file in the target's folder. Where the
// folder takes no new files but the file itself may be written, writing
// over the file directly would lose it if that write failed half way, so
// such a save is refused instead.
QString openFailure(const QString& path, const QSaveFile& file)
{
    const QFileInfo target(path);
    const QFileInfo folder(target.absolutePath());
    if (target.isFile() && target.isWritable() && folder.isDir() && !folder.isWritable())
        return QString("Cannot save %1: its folder does not allow new files. The work is written to a new file "
                       "next to the old one, which it replaces only once complete, so that a failed save cannot "
                       "damage the old file. Please save into another folder.")
            .arg(QDir::toNativeSeparators(path));
    return file.errorString();
}

// Writes the pieces `next` gives until an empty one; none stops the save.
std::optional<QString> saveStream(const QString& path, const std::function<std::optional<std::string_view>()>& next)
{
    QSaveFile file(path);
    // Unbuffered, every write reaches the system at once and a full disk
    // fails the write that hit it; a buffered small file would only be
    // written at commit.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return openFailure(path, file);
    for (std::optional<std::string_view> piece = next(); !piece || !piece->empty(); piece = next()) {
        if (!piece) {
            file.cancelWriting();
            return std::nullopt;
        }
        if (!writeAll(file, *piece)) {
            const QString error = file.errorString();
            file.cancelWriting();
            return error;
        }
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

template <typename Pieces> std::optional<QString> savePieces(const QString& path, const Pieces& pieces)
{
    auto piece = pieces.begin();
    return saveStream(path, [&]() -> std::optional<std::string_view> {
        while (piece != pieces.end() && std::string_view(*piece).empty())
            ++piece; // an empty piece would end the file
        return piece == pieces.end() ? std::string_view() : std::string_view(*piece++);
    });
}

constexpr qint64 kReadBlock = 1 << 20;

// Reads into bytes[have, want); returns the new end, or -1 on an error.
qint64 readInto(QFile& file, QByteArray& bytes, qint64 have, qint64 want)
{
    while (have < want) {
        const qint64 n = file.read(bytes.data() + have, std::min(kReadBlock, want - have));
        if (n < 0)
            return -1;
        if (n == 0)
            break; // the file shrank since its size was taken
        have += n;
    }
    return have;
}

QString nativeName(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

std::optional<QString> readCalcFileBytes(const QString& path, QByteArray& bytes)
{
    // Checked before opening: opening a named pipe waits for a writer.
    const QFileInfo info(path);
    if (info.isDir())
        return QString("Cannot open %1: it is a folder, not a file.").arg(nativeName(path));
    if (info.exists() && !info.isFile())
        return QString("Cannot open %1: it is not a file on a disk but a pipe or a device.").arg(nativeName(path));

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    const qint64 size = file.size();
    if (size > kCalcFileSizeLimit)
        return QString("Cannot open %1: it is larger than %2 GiB, more than any Ombrel file holds.")
            .arg(nativeName(path))
            .arg(kCalcFileSizeLimit >> 30);

    // The head first: a file that is not ours is turned down unread.
    bytes.resize(std::min<qint64>(size, kCalcFileHeadSize));
    qint64 have = readInto(file, bytes, 0, bytes.size());
    if (have < 0)
        return file.errorString();
    if (const auto error = CalcFileHeadError(std::string_view(bytes.constData(), static_cast<size_t>(have))))
        return QString::fromStdString(*error);

    // Then the rest, a block at a time. A line still open after a block and
    // already longer than any a calculation file holds ends the reading, so
    // an endless line costs no more than a block beyond it.
    qint64 lineStart = 0;
    if (const void* lf = memrchr(bytes.constData(), '\n', static_cast<size_t>(have)))
        lineStart = static_cast<const char*>(lf) - bytes.constData() + 1;
    bytes.resize(size);
    while (have < size) {
        const qint64 end = readInto(file, bytes, have, std::min(size, have + kReadBlock));
        if (end < 0)
            return file.errorString();
        if (end == have)
            break;
        if (const void* lf = memrchr(bytes.constData() + have, '\n', static_cast<size_t>(end - have)))
            lineStart = static_cast<const char*>(lf) - bytes.constData() + 1;
        have = end;
        if (have - lineStart > static_cast<qint64>(kLongestCalcFileLine)) {
            const auto line = std::count(bytes.constData(), bytes.constData() + lineStart, '\n') + 1;
            return QString::fromStdString(CalcFileLongLineError(line));
        }
    }
    bytes.resize(have);
    return std::nullopt;
}

} // namespace

std::optional<QString> SaveFileBytes(const QString& path, std::string_view bytes)
{
    return savePieces(path, std::array<std::string_view, 1>{bytes});
}

std::optional<QString> SaveFileBytes(const QString& path, const std::vector<std::string>& pieces)
{
    return savePieces(path, pieces);
}

std::optional<QString> SaveFileStream(const QString& path, const std::function<std::optional<std::string_view>()>& next)
{
    return saveStream(path, next);
}

std::optional<QString> ReadCalcFileBytes(const QString& path, QByteArray& bytes)
{
    bytes.clear();
    auto error = readCalcFileBytes(path, bytes);
    if (error)
        bytes = QByteArray(); // gives the memory back
    return error;
}

} // namespace ombrel
