#include "documents/text_encoding.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace ombrel {

namespace {

// Windows-1252 bytes 0x80-0x9F; the rest of the upper half is Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                                    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr uint64_t kHighBits = 0x8080808080808080ull;

// Length of the leading run of ASCII bytes, eight at a time.
size_t asciiPrefix(const unsigned char* data, size_t size)
{
    size_t i = 0;
    // Texts are mostly ASCII: 32 bytes a test first.
    for (; i + 32 <= size; i += 32) {
        uint64_t words[4];
        std::memcpy(words, data + i, 32);
        if ((words[0] | words[1] | words[2] | words[3]) & kHighBits)
            break;
    }
    for (; i + 8 <= size; i += 8) {
        uint64_t word;
        std::memcpy(&word, data + i, 8);
        if (word & kHighBits)
            break;
    }
    while (i < size && data[i] < 0x80)
        ++i;
    return i;
}

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one sequence starting with a non-ASCII byte at data[i]; returns its
// length, or 0 when it is not valid UTF-8.
size_t decodeSequence(const unsigned char* data, size_t size, size_t i, char32_t& c)
{
    const unsigned char lead = data[i];
    size_t length;
    char32_t min;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, min = 0x80, c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, min = 0x800, c = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, min = 0x10000, c = lead & 0x07;
    } else {
        return 0;
    }
    if (size - i < length)
        return 0;
    for (size_t k = 1; k < length; ++k) {
        const unsigned char next = data[i + k];
        if ((next & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (next & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    return length;
}

// The Windows-1252 byte of a character, or -1.
int windows1252Byte(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<int>(c);
    for (int k = 0; k < 32; ++k)
        if (kHighControls[k] == c)
            return 0x80 + k;
    return -1;
}

} // namespace

bool IsValidUtf8(std::string_view bytes)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t size = bytes.size();
    size_t i = 0;
    while (i < size) {
        i += asciiPrefix(data + i, size - i);
        if (i == size)
            break;
        char32_t c;
        const size_t length = decodeSequence(data, size, i, c);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

std::string Windows1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t size = bytes.size();
    size_t i = 0;
    while (i < size) {
        const size_t ascii = asciiPrefix(data + i, size - i);
        out.append(bytes.data() + i, ascii);
        i += ascii;
        if (i == size)
            break;
        const unsigned char byte = data[i++];
        appendUtf8(out, byte < 0xA0 ? kHighControls[byte - 0x80] : char32_t(byte));
    }
    return out;
}

std::optional<size_t> Utf8ToWindows1252InPlace(char* text, size_t size)
{
    auto* data = reinterpret_cast<unsigned char*>(text);
    for (size_t i = 0; i < size;) {
        i += asciiPrefix(data + i, size - i);
        if (i == size)
            break;
        char32_t c;
        const size_t length = decodeSequence(data, size, i, c);
        if (length == 0 || windows1252Byte(c) < 0)
            return std::nullopt;
        i += length;
    }
    size_t out = 0;
    for (size_t i = 0; i < size;) {
        const size_t ascii = asciiPrefix(data + i, size - i);
        if (out != i)
            std::memmove(data + out, data + i, ascii);
        out += ascii;
        i += ascii;
        if (i == size)
            break;
        char32_t c;
        i += decodeSequence(data, size, i, c);
        data[out++] = static_cast<unsigned char>(windows1252Byte(c));
    }
    return out;
}

std::optional<std::string> Utf8ToWindows1252(std::string_view utf8)
{
    std::string text(utf8);
    const auto size = Utf8ToWindows1252InPlace(text.data(), text.size());
    if (!size)
        return std::nullopt;
    text.resize(*size);
    return text;
}

bool IsAscii(std::string_view text)
{
    return asciiPrefix(reinterpret_cast<const unsigned char*>(text.data()), text.size()) == text.size();
}

std::string EncodeFileText(std::string utf8)
{
    const size_t ascii = asciiPrefix(reinterpret_cast<const unsigned char*>(utf8.data()), utf8.size());
    if (ascii == utf8.size())
        return utf8;
    const auto rest = Utf8ToWindows1252InPlace(utf8.data() + ascii, utf8.size() - ascii);
    if (!rest)
        return utf8;
    utf8.resize(ascii + *rest);
    // Windows-1252 bytes that happen to form valid UTF-8 ("Ã©" gives C3 A9)
    // would be read back as other characters; such a text stays UTF-8.
    if (IsValidUtf8(utf8))
        return Windows1252ToUtf8(utf8);
    return utf8;
}

std::string_view WithoutByteOrderMark(std::string_view utf8)
{
    if (utf8.starts_with("\xEF\xBB\xBF"))
        utf8.remove_prefix(3);
    return utf8;
}

} // namespace ombrel
