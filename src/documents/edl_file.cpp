#include "documents/edl_file.h"

#include "documents/file_input.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

namespace ombrel {

std::string EdlTooLargeText()
{
    return "larger than any edit decision list Ombrel reads (" + std::to_string(kEdlSizeLimit >> 20) + " MiB)";
}

std::optional<EdlContents> ReadEdlFile(const std::string& path, std::string& why)
{
    OpenedInput opened = OpenRegularFile(path, kEdlSizeLimit, EdlTooLargeText());
    if (!opened.error.empty()) {
        why = opened.error;
        return std::nullopt;
    }
    std::string bytes(static_cast<size_t>(std::min<int64_t>(opened.size, kEdlHeadSize)), '\0');
    int64_t have = ReadFileAt(opened.file.handle(), 0, bytes.data(), bytes.size());
    if (have >= 0) {
        bytes.resize(static_cast<size_t>(have));
        if (std::optional<std::string> headError = EdlHeadError(bytes)) {
            EdlContents refused;
            refused.error = std::move(*headError);
            return refused;
        }
        bytes.resize(static_cast<size_t>(std::max<int64_t>(opened.size, have)));
        const int64_t rest =
            ReadFileAt(opened.file.handle(), have, bytes.data() + have, bytes.size() - static_cast<size_t>(have));
        have = rest < 0 ? rest : have + rest;
    }
    if (have < 0) {
        why = std::strerror(errno);
        return std::nullopt;
    }
    bytes.resize(static_cast<size_t>(have));
    return ReadEdl(std::move(bytes));
}

std::optional<EdlContents> ReadEdlStream(int fd, std::string& why)
{
    std::string bytes;
    if (!ReadStream(fd, kEdlHeadSize, EdlHeadError, kEdlSizeLimit, EdlTooLargeText(), bytes, why))
        return std::nullopt;
    return ReadEdl(std::move(bytes));
}

} // namespace ombrel
