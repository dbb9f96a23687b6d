#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace ombrel::fuzz {

// Takes a fuzzer's bytes apart into the values a target needs: single
// bytes and texts ended by a zero byte. Past the end every read gives 0 or
// an empty text, so any input makes a whole case.
class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : data_(reinterpret_cast<const char*>(data)), size_(size) {}

    bool empty() const { return pos_ >= size_; }

    uint8_t byte() { return empty() ? 0 : static_cast<uint8_t>(data_[pos_++]); }

    std::string_view text()
    {
        const size_t start = pos_;
        while (pos_ < size_ && data_[pos_] != '\0')
            ++pos_;
        const std::string_view result(data_ + start, pos_ - start);
        if (pos_ < size_)
            ++pos_; // the zero byte
        return result;
    }

private:
    const char* data_;
    size_t size_;
    size_t pos_ = 0;
};

} // namespace ombrel::fuzz

// Stops the run with a message when an oracle fails, so the fuzzer keeps
// the input that broke it.
#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);                         \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)
