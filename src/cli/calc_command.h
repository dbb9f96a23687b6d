#pragma once

#include <span>
#include <string_view>

namespace ombrel {

// Runs ombrel-calc: the arguments (without the program name) and the
// descriptors of its standard input, output and error. Returns the exit
// status: 0; 1 when a calculation or a file was refused, 2 for a wrong use
// of the options, each after a message on errFd.
int RunCalcCommand(std::span<const std::string_view> args, int inFd, int outFd, int errFd);

} // namespace ombrel
