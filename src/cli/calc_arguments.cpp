#include "cli/calc_arguments.h"

#include <vector>

namespace ombrel {

namespace {

enum class Option { Help, Version, Rate, To, Frames, ToSeconds, Feet, Sheet, Format, Json, Sum, NoWrap, Edl, Track };

struct KnownOption {
    std::string_view name;
    Option option;
    bool takesValue;
};

constexpr KnownOption kOptions[] = {
    {"--help", Option::Help, false},
    {"-h", Option::Help, false},
    {"--version", Option::Version, false},
    {"--rate", Option::Rate, true},
    {"--to", Option::To, true},
    {"--frames", Option::Frames, false},
    {"--to-seconds", Option::ToSeconds, false},
    {"--feet", Option::Feet, true},
    {"--sheet", Option::Sheet, true},
    {"--format", Option::Format, true},
    {"--json", Option::Json, false},
    {"--sum", Option::Sum, false},
    {"--no-wrap", Option::NoWrap, false},
    {"--edl", Option::Edl, true},
    {"--track", Option::Track, true},
};

struct ListName {
    std::string_view name;
    TimecodeFormat format;
};

constexpr ListName kListNames[] = {
    {"nondrop", TimecodeFormat::NonDrop}, {"dropframe", TimecodeFormat::DropFrm}, {"pal", TimecodeFormat::PAL},
    {"film", TimecodeFormat::Film},       {"user", TimecodeFormat::User},         {"frames", TimecodeFormat::Frames},
};

std::string quoted(std::string_view word)
{
    return "'" + std::string(word) + "'";
}

// "-" is the minus operator and "-5" a (refused) operand, not options.
bool looksLikeOption(std::string_view arg)
{
    return arg.size() >= 2 && arg[0] == '-' && !(arg[1] >= '0' && arg[1] <= '9');
}

FrameRate rateNamed(std::string_view value)
{
    if (const auto rate = ParseFrameRate(value))
        return *rate;
    if (const auto dropFrame = DropFrameRateFor(value))
        throw ConversionError(quoted(value) + " is not a rate: drop frame is " + std::string(*dropFrame));
    std::string names;
    for (const std::string_view name : FrameRateNames())
        names += std::string(name) + ", ";
    names.resize(names.size() - 2);
    throw ConversionError(quoted(value) + " is not a rate: use " + names + " or another whole number from 1 to " +
                          std::to_string(kLargestWholeRate));
}

TimecodeFormat listNamed(std::string_view value)
{
    for (const ListName& list : kListNames)
        if (list.name == value)
            return list.format;
    throw ConversionError(quoted(value) + " is not a list: use nondrop, dropframe, pal, film, user or frames");
}

std::string_view listName(TimecodeFormat format)
{
    for (const ListName& list : kListNames)
        if (list.format == format)
            return list.name;
    return {};
}

ConversionError conflict(std::string_view a, std::string_view b)
{
    return ConversionError(std::string(a) + " and " + std::string(b) +
                           " both choose how results are printed; give one");
}

} // namespace

CalcArguments ParseCalcArguments(std::span<const std::string_view> args)
{
    CalcArguments parsed;
    std::vector<std::string_view> words;
    // The options that choose how results are printed, in the order given.
    std::vector<std::string_view> outputs;
    std::optional<FrameRate> to;
    bool frames = false;
    bool seconds = false;
    bool listGiven = false;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (optionsEnded || !looksLikeOption(arg)) {
            words.push_back(arg);
            continue;
        }
        const size_t equals = arg.starts_with("--") ? arg.find('=') : std::string_view::npos;
        const std::string_view name = arg.substr(0, equals);
        const KnownOption* known = nullptr;
        for (const KnownOption& candidate : kOptions)
            if (candidate.name == name)
                known = &candidate;
        if (!known)
            throw ConversionError("unknown option " + std::string(name) + " (see ombrel-calc --help)");
        std::string_view value;
        if (known->takesValue) {
            if (equals != std::string_view::npos)
                value = arg.substr(equals + 1);
            else if (i + 1 < args.size())
                value = args[++i];
            else
                throw ConversionError(std::string(name) + " needs a value");
        } else if (equals != std::string_view::npos) {
            throw ConversionError(std::string(name) + " takes no value");
        }

        switch (known->option) {
        case Option::Help:
            parsed.help = true;
            break;
        case Option::Version:
            parsed.version = true;
            break;
        case Option::Rate:
            parsed.form.rate = rateNamed(value);
            parsed.rateGiven = true;
            break;
        case Option::To:
            to = rateNamed(value);
            outputs.push_back(name);
            break;
        case Option::Frames:
            frames = true;
            outputs.push_back(name);
            break;
        case Option::ToSeconds:
            seconds = true;
            outputs.push_back(name);
            break;
        case Option::Feet:
            parsed.form.feet = FindFilmGauge(value);
            if (!parsed.form.feet)
                throw ConversionError(quoted(value) + " is not a film gauge: use 35mm or 16mm");
            break;
        case Option::Sheet:
            parsed.sheetPath = std::string(value);
            break;
        case Option::Format:
            parsed.list = listNamed(value);
            listGiven = true;
            break;
        case Option::Json:
            parsed.json = true;
            break;
        case Option::Sum:
            parsed.sum = true;
            break;
        case Option::NoWrap:
            parsed.form.noWrap = true;
            break;
        case Option::Edl:
            parsed.edlPath = std::string(value);
            break;
        case Option::Track:
            parsed.track = std::string(value);
            break;
        }
    }
    if (parsed.help || parsed.version)
        return parsed;

    if (words.size() == 1 && words[0] == "-")
        words.clear();
    if (parsed.edlPath && (!words.empty() || parsed.sheetPath))
        throw ConversionError("--edl prints a list and takes no expression or --sheet");
    if (parsed.sum && !parsed.sheetPath) {
        parsed.sumTerms.assign(words.begin(), words.end());
    } else if (!words.empty()) {
        parsed.expression = std::string(words[0]);
        for (size_t w = 1; w < words.size(); ++w)
            *parsed.expression += " " + std::string(words[w]);
    }

    if (outputs.size() > 1)
        throw conflict(outputs[0], outputs[1]);
    if (parsed.form.feet && to)
        throw conflict("--feet", "--to");

    if (parsed.sheetPath) {
        if (!words.empty())
            throw ConversionError("--sheet prints a file and takes no expression");
        if (to || seconds || parsed.form.feet)
            throw ConversionError(std::string(to        ? "--to"
                                              : seconds ? "--to-seconds"
                                                        : "--feet") +
                                  " does not apply to --sheet");
        if (frames && !parsed.sum)
            throw ConversionError("--frames applies to a sheet's --sum only");
        if (parsed.rateGiven && parsed.list != TimecodeFormat::User)
            throw ConversionError("--rate with --sheet gives the user list's rate; the " +
                                  std::string(listName(parsed.list)) + " list has its own");
        if (parsed.rateGiven && parsed.form.rate.ntsc)
            throw ConversionError("the user list's rate is a whole number");
    } else if (parsed.edlPath) {
        if (listGiven)
            throw ConversionError("--format applies to --sheet only");
        if (to || seconds || frames || parsed.form.feet)
            throw ConversionError(std::string(to        ? "--to"
                                              : seconds ? "--to-seconds"
                                              : frames  ? "--frames"
                                                        : "--feet") +
                                  " does not apply to --edl");
    } else if (listGiven || parsed.json) {
        throw ConversionError(std::string(listGiven ? "--format" : "--json") + " applies to --sheet and --edl only");
    }

    parsed.form.resultRate = to.value_or(parsed.form.rate);
    if (frames)
        parsed.form.result = ResultKind::Frames;
    else if (seconds)
        parsed.form.result = ResultKind::Seconds;
    else if (parsed.form.feet)
        parsed.form.result = ResultKind::Feet;
    return parsed;
}

std::string_view CalcUsageText()
{
    return R"(Usage: ombrel-calc [OPTION]... TIMECODE [OPERATOR VALUE]...
  or:  ombrel-calc [OPTION]... [-]              (expressions from standard input)
  or:  ombrel-calc --sum [OPTION]... [EXPRESSION]... (the total of the results)
  or:  ombrel-calc --sheet FILE.obr [--format LIST] [--json] [--sum]
  or:  ombrel-calc --edl FILE.edl [--rate RATE] [--json] [--sum [--track TRACK]]

Computes with timecodes as Ombrel does, left to right:
  ombrel-calc 01:00:00:00 + 00:00:10:12         prints 01:00:10:12
  ombrel-calc 00:10:00:00 % 12.5                prints 00:01:15:00
  ombrel-calc --sum --no-wrap 23:00:00:00 02:00:00:00   prints 25:00:00:00

Operands are timecodes (hh:mm:ss:ff; short ones such as 03:04 are the last
parts, 00:00:03:04), bare frame counts, or with --feet feet+frames.
Operators: + - x (or *) / % (a percentage) ~ (the absolute difference); after
x and / a decimal factor (x 1.5) is rounded to the nearest frame as % is.
Timecode results lie on a 24-hour clock: a result that wraps is printed
wrapped and said so on standard error. With no expression, or "-", each line
of standard input is one expression and gets one result line; a bad line
gets an empty line and a message.

Options:
  --rate RATE       rate of the timecodes (default 30): 23.976 (23.98), 24,
                    25, 29.97, 29.97df, 30, 47.952 (47.95), 48, 50, 59.94,
                    59.94df, 60, 119.88, 119.88df, 120 or any whole number
                    1-999, in any case, NDF or DF after the number. Drop-frame
                    (df) labels may use ';', ':' or '.' before the frames and
                    are printed with ';'; labels that drop frame skips are
                    refused.
  --to RATE         print the result at another rate, frame for frame
  --frames          print frame counts instead of timecodes
  --to-seconds      print real seconds (exact for 1000/1001 rates)
  --feet GAUGE      read and print feet+frames (FFFF+FF): 35mm (16 frames a
                    foot) or 16mm (40 frames a foot)
  --sum             print only the total of the results: each expression
                    word is one term, or each line of standard input; with
                    --sheet the sum of the list's durations (the user list
                    needs its rate: --rate N)
  --no-wrap         let timecodes run past 24 hours (25:00:00:00), in the
                    expressions and in the results and totals
  --sheet FILE      print one list of a calculation file as CSV
                    (in,op,out,duration,description); "-" reads it from
                    standard input
  --edl FILE        print the events of an edit decision list (CMX 3600) as
                    CSV: event,reel,track,source in,source out,record in,
                    record out,duration,clip; "-" reads it from standard
                    input. With --sum the record time one track covers
                    (--track, V by default), overlapping events counted
                    once, and each gap between its events on standard
                    error. --rate gives the rate (drop frame comes from the
                    list's FCM:)
  --track TRACK     the track --edl --sum adds up (V, A, A2, ...)
  --format LIST     the list: nondrop (default), dropframe, pal, film, user,
                    frames
  --json            print the rows as JSON lines instead (with --edl --sum
                    one object with the sum and the gaps)
  -h, --help        print this help and exit
  --version         print the version and exit

Errors go to standard error. Exit status: 0 when all went well, 1 when a
calculation or a file was refused, 2 for a wrong use of the options.
)";
}

} // namespace ombrel
