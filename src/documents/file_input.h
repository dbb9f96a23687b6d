#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace ombrel {

// A file opened for reading by the command line and the core readers; it
// is closed with this object.
class InputFile {
public:
    InputFile() = default;
    explicit InputFile(int handle) : handle_(handle) {}
    InputFile(InputFile&& other) noexcept : handle_(other.release()) {}
    InputFile& operator=(InputFile&& other) noexcept;
    ~InputFile();

    bool isOpen() const { return handle_ >= 0; }
    int handle() const { return handle_; }

private:
    int release();

    int handle_ = -1;
};

// What opening a file for a read gave: the file and its size, or why not.
struct OpenedInput {
    InputFile file;
    int64_t size = 0;
    // Empty when it opened; else the reason, in the system's words where
    // the system gave one.
    std::string error;
};

// Opens the regular file at path for reading. What is not a regular file
// is refused before it is opened (opening a named pipe would wait for a
// writer, and a device would be read without end), and so is a file larger
// than sizeLimit, with `tooLarge` as the reason.
OpenedInput OpenRegularFile(const std::string& path, int64_t sizeLimit, std::string_view tooLarge);

// Reads up to `want` bytes at `offset` of the file, past interruptions: the
// count read, short only at the end of the file, or -1 with errno set.
int64_t ReadFileAt(int handle, int64_t offset, char* into, size_t want);

// Says what is wrong with the head of a file (its first bytes, or the whole
// of a shorter file): the reason to refuse it, else nothing.
using HeadCheck = std::function<std::optional<std::string>(std::string_view head)>;

// Reads a stream (a pipe, standard input) to its end into `bytes`: its
// first headSize bytes are checked before anything more is read, and the
// reading stops once it passes sizeLimit. False with the reason in `error`
// when the system failed the read, the head was refused or the stream was
// too large (`tooLarge`).
bool ReadStream(int fd, size_t headSize, const HeadCheck& headCheck, int64_t sizeLimit, std::string_view tooLarge,
                std::string& bytes, std::string& error);

} // namespace ombrel
