#include "documents/file_input.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace ombrel {

InputFile& InputFile::operator=(InputFile&& other) noexcept
{
    if (this != &other) {
        if (handle_ >= 0)
            ::close(handle_);
        handle_ = other.release();
    }
    return *this;
}

InputFile::~InputFile()
{
    if (handle_ >= 0)
        ::close(handle_);
}

int InputFile::release()
{
    return std::exchange(handle_, -1);
}

OpenedInput OpenRegularFile(const std::string& path, int64_t sizeLimit, std::string_view tooLarge)
{
    OpenedInput opened;
    std::error_code code;
    const std::filesystem::file_status status = std::filesystem::status(path, code);
    if (!code && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        opened.error = "not a regular file";
        return opened;
    }
    const int handle = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (handle < 0) {
        opened.error = std::strerror(errno);
        return opened;
    }
    opened.file = InputFile(handle);
    struct stat info {};
    if (::fstat(handle, &info) != 0) {
        opened.error = std::strerror(errno);
        return opened;
    }
    // Checked again on the file opened: the name may have been given to
    // something else in between.
    if (!S_ISREG(info.st_mode))
        opened.error = "not a regular file";
    else if (info.st_size > sizeLimit)
        opened.error = tooLarge;
    opened.size = info.st_size;
    if (!opened.error.empty())
        opened.file = InputFile();
    return opened;
}

int64_t ReadFileAt(int handle, int64_t offset, char* into, size_t want)
{
    int64_t have = 0;
    while (have < static_cast<int64_t>(want)) {
        const ssize_t n = ::pread(handle, into + have, want - static_cast<size_t>(have), offset + have);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        have += n;
    }
    return have;
}

bool ReadStream(int fd, size_t headSize, const HeadCheck& headCheck, int64_t sizeLimit, std::string_view tooLarge,
                std::string& bytes, std::string& error)
{
    char chunk[1 << 16];
    for (;;) {
        const size_t wanted = bytes.size() < headSize ? headSize - bytes.size() : sizeof chunk;
        const ssize_t got = ::read(fd, chunk, wanted);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            error = std::strerror(errno);
            return false;
        }
        const bool headDone =
            bytes.size() < headSize && (got == 0 || bytes.size() + static_cast<size_t>(got) >= headSize);
        bytes.append(chunk, static_cast<size_t>(got));
        if (headDone) {
            if (std::optional<std::string> headError = headCheck(bytes)) {
                error = std::move(*headError);
                return false;
            }
        }
        if (got == 0)
            return true;
        if (bytes.size() > static_cast<uint64_t>(sizeLimit)) {
            error = tooLarge;
            return false;
        }
    }
}

} // namespace ombrel
