#include "shell/command_line.h"

namespace ombrel {

ShellCommandLine ParseShellCommandLine(const std::vector<std::string_view>& arguments)
{
    ShellCommandLine parsed;
    bool optionsEnded = false;
    for (const std::string_view argument : arguments) {
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            parsed.files.emplace_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help" || argument == "-h") {
            parsed.help = true;
        } else if (argument == "--version") {
            parsed.version = true;
        } else if (parsed.error.empty()) {
            parsed.error = "ombrel: unknown option " + std::string(argument) + " (see ombrel --help)";
        }
    }
    if (parsed.help || parsed.version)
        parsed.error.clear();
    return parsed;
}

std::string_view ShellUsageText()
{
    return R"(Usage: ombrel [OPTION]... [FILE.obr]

Ombrel, a timecode calculator for video and film: type two timecodes and an
operator, and the result appears at once in six formats. FILE, a calculation
file saved by Ombrel, is opened at start; Ombrel keeps one work at a time, so
only the first of several files is opened. An edit decision list (FILE.edl)
opens as new work, a row for each event, on the tab shown at start.

Options:
  -h, --help        print this help and exit
  --version         print the version and exit
  --                the arguments after it are files, even if they start
                    with '-'

Settings are kept in ~/.config/Brontel/Ombrel.conf. ombrel-calc computes
the same from the command line.
)";
}

std::string ShellVersionText()
{
    return "ombrel " OMBREL_VERSION "\n";
}

UserMessage FilesNotOpenedText(const std::vector<std::string>& files)
{
    if (files.size() < 2)
        return {};
    std::string others;
    for (size_t i = 1; i < files.size(); ++i)
        others += "\n" + files[i];
    return {OMBREL_TEXT("ombrel", "Ombrel works on one file at a time. Only %1 was opened; not opened:%2"),
            {files.front(), others}};
}

} // namespace ombrel
