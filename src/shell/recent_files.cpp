#include "shell/recent_files.h"

#include <algorithm>

namespace ombrel {

namespace {

bool usablePath(std::string_view path)
{
    return !path.empty() && path.front() == '/' && path.size() <= kLongestRecentPath &&
           path.find('\0') == std::string_view::npos;
}

std::string folderOf(std::string_view path)
{
    const size_t slash = path.rfind('/');
    return std::string(path.substr(0, slash == 0 ? 1 : slash));
}

} // namespace

void RememberFile(RecentFiles& recent, std::string_view path)
{
    if (!usablePath(path))
        return;
    ForgetFile(recent, path);
    recent.paths.insert(recent.paths.begin(), std::string(path));
    if (recent.paths.size() > kRecentFileCount)
        recent.paths.resize(kRecentFileCount);
    recent.folder = folderOf(path);
}

void ForgetFile(RecentFiles& recent, std::string_view path)
{
    std::erase(recent.paths, path);
}

RecentFiles CleanRecentFiles(const std::vector<std::string>& stored, std::string_view folder)
{
    RecentFiles recent;
    for (const std::string& path : stored) {
        if (recent.paths.size() == kRecentFileCount)
            break;
        if (usablePath(path) && std::find(recent.paths.begin(), recent.paths.end(), path) == recent.paths.end())
            recent.paths.push_back(path);
    }
    if (usablePath(folder))
        recent.folder = folder;
    return recent;
}

std::string RecentFileMenuText(size_t index, std::string_view path)
{
    std::string text = "&" + std::to_string(index + 1) + " ";
    for (const char c : path) {
        if (c == '&')
            text += '&';
        text += c;
    }
    return text;
}

} // namespace ombrel
