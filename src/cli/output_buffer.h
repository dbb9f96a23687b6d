#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace ombrel {

// Gathers output and writes it to a file descriptor in large pieces. After
// a failed write nothing more is written; failed() then says so and error()
// says why.
class OutputBuffer {
public:
    explicit OutputBuffer(int fd, size_t capacity = size_t{1} << 20);

    // Room for n more bytes (n at most the capacity); commit(end) keeps what
    // was written there.
    char* room(size_t n)
    {
        if (capacity_ - used_ < n)
            flush();
        return buffer_.get() + used_;
    }
    void commit(const char* end) { used_ = static_cast<size_t>(end - buffer_.get()); }

    void append(std::string_view text);
    // Writes what is gathered; false once a write has failed.
    bool flush();

    bool failed() const { return !error_.empty(); }
    const std::string& error() const { return error_; }

private:
    int fd_;
    size_t capacity_;
    std::unique_ptr<char[]> buffer_;
    size_t used_ = 0;
    std::string error_;
};

// Writes the whole text to the descriptor, as message lines are (false when
// that failed).
bool WriteAll(int fd, std::string_view text);

} // namespace ombrel
