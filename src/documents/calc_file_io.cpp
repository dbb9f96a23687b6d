#include "documents/calc_file_io.h"

#include <QFile>
#include <QSaveFile>

namespace ombrel {

std::optional<QString> SaveFileBytes(const QString& path, std::string_view bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    // A short write carries no error text; writing on brings up the system's
    // reason (disk full, file too large).
    const char* data = bytes.data();
    qint64 left = static_cast<qint64>(bytes.size());
    while (left > 0) {
        const qint64 written = file.write(data, left);
        if (written <= 0) {
            const QString error = file.errorString();
            file.cancelWriting();
            return error;
        }
        data += written;
        left -= written;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
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

}  // namespace ombrel
