#pragma once

#include "documents/edl_reader.h"

#include <optional>
#include <string>

namespace ombrel {

// Reads the edit decision list at path (ReadEdl): its head first, so that a
// file that is not one is refused after its first bytes, then the rest. A
// file that is not a regular file or is larger than kEdlSizeLimit is not
// read. Nothing, with the reason in `why`, when the file could not be read;
// else the list, or why it was refused (naming the line).
std::optional<EdlContents> ReadEdlFile(const std::string& path, std::string& why);

// The same for a stream (standard input): its head is checked before more
// is read, and reading stops past kEdlSizeLimit.
std::optional<EdlContents> ReadEdlStream(int fd, std::string& why);

// The reason a list is too large.
std::string EdlTooLargeText();

} // namespace ombrel
