#include "cli/terminal_text.h"

#include <cstdio>

namespace ombrel {

namespace {

void appendEscaped(std::string& out, unsigned char byte)
{
    char code[5];
    std::snprintf(code, sizeof code, "\\x%02x", byte);
    out += code;
}

} // namespace

std::string TerminalText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x20 || byte == 0x7f) {
            appendEscaped(out, byte);
        } else if (byte == 0xc2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(text[i + 1]) <= 0x9f) {
            // U+0080..U+009F: CSI and the other C1 controls.
            appendEscaped(out, byte);
            appendEscaped(out, static_cast<unsigned char>(text[++i]));
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace ombrel
