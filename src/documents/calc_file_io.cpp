#include "documents/calc_file_io.h"

#include "documents/calc_file.h"
#include "documents/file_input.h"
#include "widgets/qt_text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <stop_token>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

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
        return QCoreApplication::translate(
                   "SaveCalcFile",
                   "Cannot save %1: its folder does not allow new files. The work is written to a new file "
                   "next to the old one, which it replaces only once complete, so that a failed save cannot "
                   "damage the old file. Please save into another folder.")
            .arg(QDir::toNativeSeparators(path));
    return file.errorString();
}

// Writes the pieces `next` gives until an empty one; none stops the save.
std::optional<QString> saveStream(const QString& path, const std::function<std::optional<std::string_view>()>& next)
{
    // The new file would take the place of a pipe or a device rather than
    // write into it.
    const QFileInfo target(path);
    if (target.exists() && !target.isFile() && !target.isDir())
        return QCoreApplication::translate("SaveCalcFile",
                                           "Cannot save %1: it is not a file on a disk but a pipe or a device.")
            .arg(QDir::toNativeSeparators(path));
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

// Keeps the writer a piece ahead of the disk: while one piece is written,
// the next is formatted on a thread of its own.
class PiecesAhead {
public:
    explicit PiecesAhead(CalcFileWriter& writer) : writer_(writer), worker_([this] { formatPieces(); }) {}
    ~PiecesAhead()
    {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        changed_.notify_all();
    }

    // The next piece, empty at the end, and the rows written with it; it
    // lasts until the next call. An exception of the writer is thrown here.
    std::string_view next(int64_t& rowsWritten)
    {
        std::unique_lock lock(mutex_);
        if (std::exchange(taken_, true)) {
            ready_[current_] = false; // written: the worker may fill it again
            current_ ^= 1;
            changed_.notify_all();
        }
        changed_.wait(lock, [this] { return ready_[current_] || failure_; });
        if (failure_)
            std::rethrow_exception(failure_);
        rowsWritten = rows_[current_];
        return pieces_[current_];
    }

private:
    void formatPieces()
    {
        for (int i = 0;; i ^= 1) {
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [&] { return !ready_[i] || stopping_; });
                if (stopping_)
                    return;
            }
            try {
                writer_.next(pieces_[i]);
            } catch (...) {
                std::lock_guard lock(mutex_);
                failure_ = std::current_exception();
                changed_.notify_all();
                return;
            }
            const bool last = pieces_[i].empty();
            {
                std::lock_guard lock(mutex_);
                rows_[i] = writer_.rowsWritten();
                ready_[i] = true;
            }
            changed_.notify_all();
            if (last)
                return;
        }
    }

    CalcFileWriter& writer_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::array<std::string, 2> pieces_;
    std::array<int64_t, 2> rows_{};
    std::array<bool, 2> ready_{};
    int current_ = 0;
    bool taken_ = false;
    bool stopping_ = false;
    std::exception_ptr failure_;
    std::jthread worker_; // last: starts once the rest is in place, joins first
};

QString nativeName(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

CalcFileContents rejected(const QString& message)
{
    CalcFileContents contents;
    contents.error = {message.toStdString(), {}};
    return contents;
}

// Hashes the open file, the same one that is read, whatever took its name
// since; nothing when stopped or unreadable.
std::optional<uint64_t> hashOpenFile(int handle, int64_t size, const std::stop_token& stop)
{
    ContentHash hash;
    std::vector<char> block(1 << 20);
    for (int64_t offset = 0; offset < size;) {
        if (stop.stop_requested())
            return std::nullopt;
        const int64_t n = ReadFileAt(handle, offset, block.data(), block.size());
        if (n <= 0)
            return n == 0 ? std::optional(hash.value()) : std::nullopt;
        hash.add({block.data(), static_cast<size_t>(n)});
        offset += n;
    }
    return hash.value();
}

std::optional<CalcFileContents> openCalcFile(const QString& path, const FileProgress& progress, FileFingerprint* read)
{
    // Checked before opening: opening a named pipe waits for a writer.
    const QFileInfo info(path);
    if (info.isDir())
        return rejected(QCoreApplication::translate("SaveCalcFile", "Cannot open %1: it is a folder, not a file.")
                            .arg(nativeName(path)));
    if (info.exists() && !info.isFile())
        return rejected(QCoreApplication::translate(
                            "SaveCalcFile", "Cannot open %1: it is not a file on a disk but a pipe or a device.")
                            .arg(nativeName(path)));

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return rejected(QCoreApplication::translate("SaveCalcFile", "Cannot open %1: %2.")
                            .arg(nativeName(path), file.errorString()));
    const qint64 size = file.size();
    if (size > kCalcFileSizeLimit)
        return rejected(
            QCoreApplication::translate("SaveCalcFile",
                                        "Cannot open %1: it is larger than %2 GiB, more than any Ombrel file holds.")
                .arg(nativeName(path))
                .arg(kCalcFileSizeLimit >> 30));

    // The head first: a file that is not ours is turned down unread.
    char head[kCalcFileHeadSize];
    const int64_t have =
        ReadFileAt(file.handle(), 0, head, static_cast<size_t>(std::min<qint64>(size, kCalcFileHeadSize)));
    if (have < 0)
        return rejected(QString::fromStdString(std::system_category().message(errno)));
    if (const auto error = CalcFileHeadError(std::string_view(head, static_cast<size_t>(have))))
        return rejected(Translated(*error));

    // Then the whole file, read where its parts lie by as many threads as
    // read it at once.
    std::atomic<int> readError{0};
    const int handle = file.handle();
    const auto readAt = [&](int64_t offset, char* into, size_t want) -> int64_t {
        const int64_t n = ReadFileAt(handle, offset, into, want);
        if (n < 0)
            readError = errno;
        return n;
    };
    // The hash the window notes is taken alongside, from the same file.
    std::optional<uint64_t> hash;
    std::jthread hashing;
    if (read)
        hashing = std::jthread([&](std::stop_token stop) { hash = hashOpenFile(handle, size, stop); });
    std::optional<CalcFileContents> contents = ReadCalcFile(size, readAt, progress);
    if (!contents || !contents->ok())
        hashing.request_stop();
    if (hashing.joinable())
        hashing.join();
    if (contents && readError)
        contents->error = {std::system_category().message(readError), {}};
    if (contents && contents->ok() && read) {
        if (!hash)
            return rejected(file.errorString());
        *read = {size, file.fileTime(QFileDevice::FileModificationTime).toMSecsSinceEpoch(), *hash};
    }
    return contents;
}

} // namespace

std::optional<QString> SaveFileBytes(const QString& path, std::string_view bytes)
{
    bool given = false;
    return saveStream(path, [&]() -> std::optional<std::string_view> {
        return std::exchange(given, true) ? std::string_view() : bytes;
    });
}

std::optional<QString> SaveFileStream(const QString& path, const std::function<std::optional<std::string_view>()>& next)
{
    return saveStream(path, next);
}

SaveOutcome SaveCalcFile(const QString& path, const CalcSheet& sheet, const Rates& rates, const FileProgress& progress)
{
    // What cannot be opened again is not saved as if it could; the bytes
    // are counted as they are written.
    int64_t size = 0;
    ContentHash hash;
    bool tooLarge = false;
    bool stopped = false;
    CalcFileWriter writer(sheet, rates.userRate, rates.framesRate);
    PiecesAhead pieces(writer);
    const int64_t rowsToWrite = std::max<int64_t>(1, writer.rowsToWrite());
    const auto error = saveStream(path, [&]() -> std::optional<std::string_view> {
        int64_t rowsWritten = 0;
        const std::string_view piece = pieces.next(rowsWritten);
        size += static_cast<int64_t>(piece.size());
        tooLarge = size > kCalcFileSizeLimit;
        stopped = progress && !progress(static_cast<int>(1000 * rowsWritten / rowsToWrite));
        if (tooLarge || stopped)
            return std::nullopt;
        hash.add(piece);
        return piece;
    });
    SaveOutcome outcome;
    if (tooLarge)
        outcome.error = QCoreApplication::translate(
                            "SaveCalcFile", "The work is too large to save: an Ombrel file holds at most %1 GiB.")
                            .arg(kCalcFileSizeLimit >> 30);
    else if (error)
        outcome.error = *error;
    else
        outcome.saved = !stopped;
    if (outcome.saved) {
        // The time of the file now there; should another save have
        // replaced it already, its content will not match this hash.
        const QFileInfo written(path);
        outcome.written = {written.size(), written.lastModified().toMSecsSinceEpoch(), hash.value()};
    }
    return outcome;
}

std::optional<CalcFileContents> OpenCalcFile(const QString& path, const FileProgress& progress, FileFingerprint* read)
{
    return openCalcFile(path, progress, read);
}

} // namespace ombrel
