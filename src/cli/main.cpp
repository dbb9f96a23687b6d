// ombrel-calc: Ombrel's timecode engine on the command line.
#include "cli/calc_command.h"

#include <string_view>
#include <vector>

int main(int argc, char** argv)
{
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    return ombrel::RunCalcCommand(args, 0, 1, 2);
}
