#include "documents/calc_file_io.h"

#include <QFile>
#include <QSaveFile>

#include <array>

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

template <typename Pieces> std::optional<QString> savePieces(const QString& path, const Pieces& pieces)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    for (std::string_view piece : pieces)
        if (!writeAll(file, piece)) {
            const QString error = file.errorString();
            file.cancelWriting();
            return error;
        }
    if (!file.commit())
        return file.errorString();
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

std::optional<QString> ReadFileBytes(const QString& path, QByteArray& bytes)
{
    bytes.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        bytes.clear();
        return file.errorString();
    }
    return std::nullopt;
}

} // namespace ombrel
