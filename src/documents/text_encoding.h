#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ombrel {

// Text files are written in Windows-1252 when every character fits, so they
// stay byte-compatible with files made on Windows, and in UTF-8 otherwise.
// A file is read as UTF-8 when it is valid UTF-8, else as Windows-1252.
// Inside the program all text is UTF-8.

// Strict check: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);
bool IsAscii(std::string_view text);

// Every byte maps to one character. The five bytes Windows-1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same
// value, so they survive a round trip.
std::string Windows1252ToUtf8(std::string_view bytes);

// Nothing when the text is not valid UTF-8 or holds a character that has no
// Windows-1252 byte.
std::optional<std::string> Utf8ToWindows1252(std::string_view utf8);
// The same where the text lies (it only shrinks): the new length, or
// nothing with the text untouched.
std::optional<size_t> Utf8ToWindows1252InPlace(char* text, size_t size);

// The bytes to write for a UTF-8 text: Windows-1252 when every character
// fits and the result cannot be taken for UTF-8 when read back, else the
// text unchanged (UTF-8, no byte-order mark).
std::string EncodeFileText(std::string utf8);

// Valid UTF-8 past a leading byte-order mark, if any.
std::string_view WithoutByteOrderMark(std::string_view utf8);

} // namespace ombrel
