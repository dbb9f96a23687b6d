#include "documents/line_blocks.h"

#include <algorithm>
#include <cstring>

namespace ombrel {

LineBlocks::LineBlocks(const ReadAt& readAt, int64_t offset, int64_t size)
    : readAt_(readAt), offset_(offset), size_(size),
      buffer_(static_cast<size_t>(std::min<int64_t>(kBlockBytes, std::max<int64_t>(size - offset, 1))) + kSlackBytes,
              '\0')
{
}

LineBlocks::Next LineBlocks::next(std::string_view& lines)
{
    if (offset_ >= size_)
        return Next::Ended;
    const size_t want = static_cast<size_t>(std::min<int64_t>(buffer_.size() - kSlackBytes, size_ - offset_));
    const int64_t n = readAt_(offset_, buffer_.data(), want);
    if (n < 0)
        return Next::Failed;
    if (n == 0) {
        size_ = offset_; // the file shrank since its size was taken
        return Next::Ended;
    }
    size_t length = static_cast<size_t>(n);
    if (offset_ + n < size_ && static_cast<size_t>(n) == want) {
        const auto* lastFeed = static_cast<const char*>(::memrchr(buffer_.data(), '\n', length));
        if (!lastFeed)
            return Next::LongLine;
        length = static_cast<size_t>(lastFeed + 1 - buffer_.data());
    } else {
        size_ = offset_ + n; // short only at the end
    }
    std::memset(buffer_.data() + length, 0, kSlackBytes);
    lines = std::string_view(buffer_.data(), length);
    offset_ += static_cast<int64_t>(length);
    return Next::Lines;
}

int64_t CountLineFeeds(std::string_view bytes, bool& ascii)
{
    using Bytes = unsigned char __attribute__((vector_size(16)));
    const char* in = bytes.data();
    const char* const end = in + bytes.size();
    int64_t count = 0;
    Bytes seen{};
    while (end - in >= 16) {
        // Each lane counts to at most 255 before it is summed.
        Bytes lanes{};
        const char* const stop = in + std::min<ptrdiff_t>((end - in) / 16, 255) * 16;
        for (; in < stop; in += 16) {
            Bytes block;
            std::memcpy(&block, in, 16);
            lanes -= reinterpret_cast<Bytes>(block == '\n');
            seen |= block;
        }
        for (int i = 0; i < 16; ++i)
            count += lanes[i];
    }
    for (; in < end; ++in) {
        count += *in == '\n';
        seen[0] |= static_cast<unsigned char>(*in);
    }
    for (int i = 0; i < 16; ++i)
        if (seen[i] & 0x80)
            ascii = false;
    return count;
}

} // namespace ombrel
