#include "engine/calculation.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace ombrel {

std::string_view OperatorText(Operator op)
{
    static constexpr std::string_view texts[kOperatorCount] = {"+", "-", "x", "/", "%", "~"};
    return texts[static_cast<int>(op)];
}

int64_t wholeRate(TimecodeFormat format, const Rates& rates)
{
    switch (format) {
    case TimecodeFormat::PAL:
        return 25;
    case TimecodeFormat::Film:
        return 24;
    case TimecodeFormat::User:
        return rates.userRate;
    default:
        return 30;
    }
}

int64_t FindTotalTC(Operator op, int64_t a, int64_t b, double percent)
{
    // Results beyond the signed 64-bit range (frame counts recalled from a
    // file, huge percentages) stop at its ends; the timecode formats then
    // wrap them into the day as usual.
    constexpr int64_t kTop = std::numeric_limits<int64_t>::max();
    constexpr int64_t kBottom = std::numeric_limits<int64_t>::min();
    int64_t result = 0;
    switch (op) {
    case Operator::Plus:
        if (__builtin_add_overflow(a, b, &result))
            return b > 0 ? kTop : kBottom;
        return result;
    case Operator::Minus:
        if (__builtin_sub_overflow(a, b, &result))
            return b < 0 ? kTop : kBottom;
        return result;
    case Operator::Times:
        if (__builtin_mul_overflow(a, b, &result))
            return (a < 0) == (b < 0) ? kTop : kBottom;
        return result;
    case Operator::Divide:
        return b == 0 ? 0 : RoundToCount(double(a) / double(b));
    case Operator::Percent:
        return RoundToCount(double(b) * percent / 100.0);
    case Operator::Difference:
        if (__builtin_sub_overflow(std::max(a, b), std::min(a, b), &result))
            return kTop;
        return result;
    }
    return 0;
}

bool WithinRange(const TimecodeParts& parts, TimecodeFormat activeFormat, int64_t userRate)
{
    int64_t largestFrame = 29;
    if (activeFormat == TimecodeFormat::PAL)
        largestFrame = 24;
    else if (activeFormat == TimecodeFormat::Film)
        largestFrame = 23;
    else if (activeFormat == TimecodeFormat::User)
        largestFrame = userRate - 1;
    return parts.hours <= 23 && parts.minutes <= 59 && parts.seconds <= 59 && parts.frames <= largestFrame;
}

std::string_view StringSpace(std::string_view text)
{
    const size_t end = text.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

int64_t parseInteger(std::string_view text)
{
    int64_t value = 0;
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '+')
        digits.remove_prefix(1);
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
        throw invalidInteger(text);
    return value;
}

double parseDecimal(std::string_view text)
{
    // Digits with at most one ".", and at least one digit, after an optional sign.
    std::string_view number = text;
    if (!number.empty() && (number.front() == '+' || number.front() == '-'))
        number.remove_prefix(1);
    int digits = 0;
    int points = 0;
    for (char c : number) {
        if (c >= '0' && c <= '9')
            ++digits;
        else if (c == '.')
            ++points;
        else
            throw invalidFloat(text);
    }
    if (digits == 0 || points > 1)
        throw invalidFloat(text);
    // A number beyond the range of a double (hundreds of digits) is as
    // unreadable as any other.
    double value = 0;
    if (std::from_chars(number.data(), number.data() + number.size(), value).ec != std::errc())
        throw invalidFloat(text);
    return text.front() == '-' ? -value : value;
}

namespace {

std::string timecodeText(const TimecodeParts& parts, char separator)
{
    std::string text = FormatTimecodeText(parts);
    return separator == ';' ? AddSemi(text) : text;
}

RowCells makeRow(std::string in, Operator op, std::string out, std::string result)
{
    return {std::move(in), std::string(OperatorText(op)), std::move(out), "=", std::move(result), "", ""};
}

constexpr TimecodeFormat kWholeRateFormats[] = {TimecodeFormat::NonDrop, TimecodeFormat::PAL, TimecodeFormat::Film,
                                                TimecodeFormat::User};

} // namespace

Calculation ComputeCalculations(const CalculationRequest& request, CalcState& state)
{
    const Operator op = request.op;
    const double percent = op == Operator::Percent ? parseDecimal(StringSpace(request.percentText)) : 0.0;

    // In frame mode the typed counts are the operands; the timecode operands
    // are their 30 fps labels.
    int64_t frameIn = 0;
    int64_t frameOut = 0;
    TimecodeParts inParts;
    TimecodeParts outParts;
    if (request.frameMode) {
        frameIn = parseInteger(request.frameInText);
        frameOut = parseInteger(request.frameOutText);
        inParts = GenericTC(frameIn, 30);
        outParts = GenericTC(frameOut, 30);
    } else {
        inParts = ParseTimecodeText(request.inText);
        outParts = ParseTimecodeText(request.outText);
    }

    Calculation calculation;
    if (request.rangeCheck && !request.frameMode) {
        if (!WithinRange(inParts, request.activeFormat, state.rates.userRate)) {
            calculation.refusal = RangeRefusal::InOperand;
            return calculation;
        }
        if (!WithinRange(outParts, request.activeFormat, state.rates.userRate)) {
            calculation.refusal = RangeRefusal::OutOperand;
            return calculation;
        }
    }

    state.CalcCount += 1;
    state.WorkModified = true;
    state.DragRow = state.CalcCount + 1;

    // The whole-number formats and Frames count the parts as typed.
    auto& totals = state.totals;
    for (TimecodeFormat format : kWholeRateFormats) {
        auto& t = totals[formatIndex(format)];
        t.inCount = PartsToFrames(inParts, wholeRate(format, state.rates));
        t.outCount = PartsToFrames(outParts, wholeRate(format, state.rates));
    }
    auto& frames = totals[formatIndex(TimecodeFormat::Frames)];
    frames.inCount = PartsToFramesAtFramesRate(inParts, state.rates.framesRate);
    frames.outCount = PartsToFramesAtFramesRate(outParts, state.rates.framesRate);

    // Drop frame works on real frame numbers: an adjusted label becomes its
    // frame number, and the result number becomes its label.
    AdjustDropFrameParts(inParts);
    AdjustDropFrameParts(outParts);
    auto& drop = totals[formatIndex(TimecodeFormat::DropFrm)];
    TimecodeParts dropIn = inParts;
    TimecodeParts dropOut = outParts;
    if (request.frameMode) {
        drop.inCount = frameIn;
        drop.outCount = frameOut;
        dropIn = DropFrameLabel(frameIn);
        dropOut = DropFrameLabel(frameOut);
    } else {
        drop.inCount = DropFrameNumber(inParts);
        drop.outCount = DropFrameNumber(outParts);
    }
    state.inParts = inParts;
    state.outParts = outParts;

    for (auto& t : totals)
        t.resultCount = FindTotalTC(op, t.inCount, t.outCount, percent);

    const bool percentOperator = op == Operator::Percent;
    for (TimecodeFormat format : kWholeRateFormats) {
        const int64_t rate = wholeRate(format, state.rates);
        const auto& t = totals[formatIndex(format)];
        const TimecodeParts result = GenericTC(t.resultCount, rate);
        state.resultParts[formatIndex(format)] = result;
        std::string in = request.frameMode ? FormatTimecodeText(GenericTC(frameIn, rate)) : RemoveSemi(request.inText);
        std::string out =
            request.frameMode ? FormatTimecodeText(GenericTC(frameOut, rate)) : RemoveSemi(request.outText);
        calculation.rows[formatIndex(format)] = makeRow(percentOperator ? request.percentText : std::move(in), op,
                                                        std::move(out), FormatTimecodeText(result));
    }

    const TimecodeParts dropResult = DropFrameLabel(drop.resultCount);
    state.resultParts[formatIndex(TimecodeFormat::DropFrm)] = dropResult;
    calculation.rows[formatIndex(TimecodeFormat::DropFrm)] =
        makeRow(percentOperator ? request.percentText : timecodeText(dropIn, ';'), op, timecodeText(dropOut, ';'),
                timecodeText(dropResult, ';'));

    if (request.frameMode) {
        calculation.frameDuration = std::to_string(FindTotalTC(op, frameIn, frameOut, percent));
        calculation.rows[formatIndex(TimecodeFormat::Frames)] =
            makeRow(percentOperator ? request.percentText : request.frameInText, op, request.frameOutText,
                    calculation.frameDuration);
    } else {
        calculation.rows[formatIndex(TimecodeFormat::Frames)] =
            makeRow(percentOperator ? request.percentText : std::to_string(frames.inCount), op,
                    std::to_string(frames.outCount), std::to_string(frames.resultCount));
    }
    return calculation;
}

namespace {

bool readNumber(std::string_view text, double& value)
{
    try {
        value = parseDecimal(text);
        return true;
    } catch (const ConversionError&) {
        return false;
    }
}

// Two decimals with "," between thousands, for any finite value.
std::string withThousands(double value)
{
    // The largest double has 309 digits before the point.
    char buffer[400];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::fixed, 2);
    const std::string_view digits(buffer, static_cast<size_t>(written.ptr - buffer));
    const size_t point = digits.find('.');
    std::string grouped = value < 0 ? "-" : "";
    for (size_t i = 0; i < point; ++i) {
        if (i > 0 && (point - i) % 3 == 0)
            grouped += ',';
        grouped += digits[i];
    }
    grouped += digits.substr(point);
    return grouped;
}

} // namespace

std::string PercentageText(std::string_view framesInCell, std::string_view framesOutCell, TimecodeFormat activeFormat)
{
    double in = 0;
    double out = 0;
    double percentage = 0;
    if (readNumber(framesInCell, in) && readNumber(framesOutCell, out) && in > 0 && out > 0)
        percentage = DropCompensate(out, activeFormat) / in * 100;
    // A tiny In count can make the ratio overflow.
    if (std::isinf(percentage))
        return percentage > 0 ? "\u221E%" : "-\u221E%";
    if (std::isnan(percentage))
        return "";
    return withThousands(percentage) + "%";
}

} // namespace ombrel
