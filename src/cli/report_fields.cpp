#include "cli/report_fields.h"

#include "cli/output_buffer.h"

namespace ombrel {

void AppendCsvField(std::string_view text, OutputBuffer& out)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        out.append(text);
        return;
    }
    out.append("\"");
    for (size_t quote; (quote = text.find('"')) != std::string_view::npos; text.remove_prefix(quote + 1)) {
        out.append(text.substr(0, quote + 1));
        out.append("\"");
    }
    out.append(text);
    out.append("\"");
}

void AppendJsonString(std::string_view text, OutputBuffer& out)
{
    static constexpr char kHex[] = "0123456789abcdef";
    out.append("\"");
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            const char escaped[2] = {'\\', c};
            out.append(std::string_view(escaped, 2));
        } else if (byte < 0x20) {
            const char escaped[6] = {'\\', 'u', '0', '0', kHex[byte >> 4], kHex[byte & 15]};
            out.append(std::string_view(escaped, 6));
        } else {
            out.append(std::string_view(&c, 1));
        }
    }
    out.append("\"");
}

} // namespace ombrel
