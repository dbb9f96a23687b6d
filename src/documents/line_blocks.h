#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace ombrel {

// Reads up to `size` bytes of a file from `offset` into `into`: the count
// read, short only at the end of the file, or -1 when reading failed.
// Called from several threads at once.
using ReadAt = std::function<int64_t(int64_t offset, char* into, size_t size)>;

// Reads a part of a file a block of whole lines at a time through one
// buffer: each block ends just after a line feed, or at the end of the
// file, so no line is ever copied or cut. A line longer than a block
// cannot be read this way (LongLine).
class LineBlocks {
public:
    static constexpr size_t kBlockBytes = size_t(1) << 20;
    // Readable past the end of a block's bytes, for word-at-a-time scans.
    static constexpr size_t kSlackBytes = 16;

    LineBlocks(const ReadAt& readAt, int64_t offset, int64_t size);

    enum class Next { Lines, Ended, Failed, LongLine };
    // The next lines; `lines` stays valid until the next call.
    Next next(std::string_view& lines);
    // Where the file continues after the last block given.
    int64_t offset() const { return offset_; }
    bool atEnd() const { return offset_ >= size_; }

private:
    const ReadAt& readAt_;
    int64_t offset_;
    int64_t size_;
    std::string buffer_;
};

// The line feeds in `bytes`, counted sixteen at a time; `ascii` becomes
// false when a byte is not ASCII.
int64_t CountLineFeeds(std::string_view bytes, bool& ascii);

} // namespace ombrel
