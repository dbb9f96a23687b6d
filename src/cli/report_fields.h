#pragma once

#include <string_view>

namespace ombrel {

class OutputBuffer;

// A CSV field, quoted as RFC 4180 says when it holds a comma, a quote or a
// line end.
void AppendCsvField(std::string_view text, OutputBuffer& out);
// A JSON string: quotes, backslashes and control characters escaped.
void AppendJsonString(std::string_view text, OutputBuffer& out);

} // namespace ombrel
