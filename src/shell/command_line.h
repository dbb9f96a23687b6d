#pragma once

#include "engine/user_text.h"

#include <string>
#include <string_view>
#include <vector>

namespace ombrel {

// What `ombrel` was asked to do by its arguments (Qt's own options already
// taken out): print its help or version, or start with the files named.
struct ShellCommandLine {
    bool help = false;
    bool version = false;
    std::vector<std::string> files;
    // An option the program does not know; the text to print.
    std::string error;
};

// "--help", "-h" and "--version" win over everything else; "--" ends the
// options, so a file may start with "-". A lone "-" is a file name.
ShellCommandLine ParseShellCommandLine(const std::vector<std::string_view>& arguments);

std::string_view ShellUsageText();
std::string ShellVersionText();

// The message after the first of several files was opened.
UserMessage FilesNotOpenedText(const std::vector<std::string>& files);

} // namespace ombrel
