#pragma once

#include "engine/user_text.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace ombrel {

// A fast 64-bit hash of bytes given piece by piece (the XXH64 function,
// seed 0): the same bytes give the same value however they are cut.
class ContentHash {
public:
    ContentHash();
    void add(std::string_view bytes);
    uint64_t value() const;

private:
    void addStripe(const unsigned char* stripe);

    uint64_t lanes_[4];
    unsigned char buffer_[32];
    std::size_t buffered_ = 0;
    uint64_t length_ = 0;
};

// What a file was like when this window read or wrote it.
struct FileFingerprint {
    int64_t size = 0;
    int64_t modifiedMs = 0; // since the epoch
    uint64_t hash = 0;

    friend bool operator==(const FileFingerprint&, const FileFingerprint&) = default;
};

// Whether the file on disk is no longer the one noted. Size and time
// decide when they differ; when they agree the content is hashed
// (`hashOnDisk`, nothing when the file cannot be read, which counts as
// changed), as a save within the same tick of the clock may keep both.
bool ChangedOnDisk(const FileFingerprint& noted, int64_t size, int64_t modifiedMs,
                   const std::function<std::optional<uint64_t>()>& hashOnDisk);

// How the window came to know its file.
enum class FileOrigin { Opened, Saved };

// The question before a save replaces an existing file: the usual one, or,
// for the window's own file changed since it was opened or saved here, one
// that says so.
UserMessage ReplaceQuestion(std::string_view fileName, std::optional<FileOrigin> changedSince);

// The warning before opening a file another running Ombrel has open.
UserMessage OpenElsewhereQuestion(std::string_view fileName, int64_t processId);

} // namespace ombrel
