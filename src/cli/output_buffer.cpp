#include "cli/output_buffer.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace ombrel {

OutputBuffer::OutputBuffer(int fd, size_t capacity) : fd_(fd), capacity_(capacity), buffer_(new char[capacity])
{
}

void OutputBuffer::append(std::string_view text)
{
    while (!text.empty()) {
        const size_t piece = std::min(text.size(), capacity_);
        char* out = room(piece);
        std::memcpy(out, text.data(), piece);
        commit(out + piece);
        text.remove_prefix(piece);
    }
}

bool OutputBuffer::flush()
{
    if (!failed() && !WriteAll(fd_, std::string_view(buffer_.get(), used_)))
        error_ = std::strerror(errno);
    used_ = 0;
    return !failed();
}

bool WriteAll(int fd, std::string_view text)
{
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        text.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

} // namespace ombrel
