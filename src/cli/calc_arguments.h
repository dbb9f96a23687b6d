#pragma once

#include "cli/expression.h"
#include "engine/timecode.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ombrel {

// What the command line of ombrel-calc asks for.
struct CalcArguments {
    bool help = false;
    bool version = false;
    CalcForm form;
    // Whether --rate was given (it names the User list's rate for --sheet).
    bool rateGiven = false;
    // The expression words joined by single spaces; none when no word was
    // given or the only word is "-" (expressions are then read from
    // standard input).
    std::optional<std::string> expression;
    // With --sum, each expression word on its own: the terms to add up.
    std::vector<std::string> sumTerms;

    // --sheet FILE: print one list of a calculation file instead; "-" is
    // standard input.
    std::optional<std::string> sheetPath;
    TimecodeFormat list = TimecodeFormat::NonDrop;
    // --edl FILE: the events of an edit decision list, or with --sum the
    // total record duration of one track (--track, V by default).
    std::optional<std::string> edlPath;
    std::string track = "V";
    bool json = false;
    bool sum = false;
};

// Reads the arguments (without the program name). Options may stand before,
// between or after the expression words and take their value as the next
// argument or after "="; "--" ends the options. A word "-" is the minus
// operator, or standard input when it is the only word. Throws
// ConversionError naming what is wrong: a usage error.
CalcArguments ParseCalcArguments(std::span<const std::string_view> args);

// What --help prints.
std::string_view CalcUsageText();

} // namespace ombrel
