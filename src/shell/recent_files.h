#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ombrel {

// The calculation files opened or saved last, newest first, and the folder
// the file dialogs start in. Paths are absolute and UTF-8.
struct RecentFiles {
    std::vector<std::string> paths;
    std::string folder;

    friend bool operator==(const RecentFiles&, const RecentFiles&) = default;
};

// How many files the File menu lists.
inline constexpr size_t kRecentFileCount = 6;
// Longer stored paths are not paths any system opens; they are dropped.
inline constexpr size_t kLongestRecentPath = 4096;

// The file goes first (once), the oldest beyond kRecentFileCount goes,
// and the dialogs start in its folder next time.
void RememberFile(RecentFiles& recent, std::string_view path);
// Takes the file off the list; the folder stays.
void ForgetFile(RecentFiles& recent, std::string_view path);
// The list as stored (one value per slot, empty for none) made safe: empty,
// relative, overlong and repeated paths are dropped, at most
// kRecentFileCount kept; a folder that is not an absolute path is none.
RecentFiles CleanRecentFiles(const std::vector<std::string>& stored, std::string_view folder);
// The menu text of entry `index` (0 first): its number as the access key,
// then the path, with '&' doubled so it shows as written.
std::string RecentFileMenuText(size_t index, std::string_view path);

} // namespace ombrel
