#include "engine/calculation.h"

#include "engine/drop_frame.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

namespace ombrel {

std::string_view OperatorText(Operator op)
{
    static constexpr std::string_view texts[kOperatorCount] = {"+", "-", "x", "/", "%", "~"};
    return texts[static_cast<int>(op)];
}

namespace {

// Round half to even of the true quotient, in integers: no precision is
// lost to a double, and negative operands follow the same rule.
std::optional<int64_t> roundedQuotient(int64_t a, int64_t b)
{
    if (b == 0)
        return 0;
    if (b == -1)
        return a == std::numeric_limits<int64_t>::min() ? std::nullopt : std::optional<int64_t>(-a);
    int64_t quotient = a / b;
    const int64_t remainder = a % b;
    // |remainder| < |b|, so twice it is compared without overflow as
    // |remainder| against |b| - |remainder|.
    const uint64_t rest = remainder < 0 ? 0 - static_cast<uint64_t>(remainder) : static_cast<uint64_t>(remainder);
    const uint64_t divisor = b < 0 ? 0 - static_cast<uint64_t>(b) : static_cast<uint64_t>(b);
    if (rest > divisor - rest || (rest == divisor - rest && quotient % 2 != 0))
        quotient += (a < 0) == (b < 0) ? 1 : -1;
    return quotient;
}

std::optional<int64_t> roundedCount(double value)
{
    // 2^63 is the first double past the range; -2^63 is still in it.
    constexpr double kEnd = 9223372036854775808.0;
    const double rounded = std::nearbyint(value);
    if (!(rounded >= -kEnd && rounded < kEnd))
        return std::nullopt;
    return static_cast<int64_t>(rounded);
}

std::string numberText(double value)
{
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, written.ptr);
}

} // namespace

int64_t FindTotalTC(Operator op, int64_t a, int64_t b, double percent)
{
    std::optional<int64_t> result = 0;
    int64_t value = 0;
    switch (op) {
    case Operator::Plus:
        result = __builtin_add_overflow(a, b, &value) ? std::nullopt : std::optional(value);
        break;
    case Operator::Minus:
        result = __builtin_sub_overflow(a, b, &value) ? std::nullopt : std::optional(value);
        break;
    case Operator::Times:
        result = __builtin_mul_overflow(a, b, &value) ? std::nullopt : std::optional(value);
        break;
    case Operator::Divide:
        result = roundedQuotient(a, b);
        break;
    case Operator::Percent:
        result = roundedCount(double(b) * percent / 100.0);
        if (!result)
            throw ConversionError(UserMessage{OMBREL_TEXT("ombrel", "%1% of %2 is out of range!"),
                                              {numberText(percent), std::to_string(b)}});
        break;
    case Operator::Difference:
        result = __builtin_sub_overflow(std::max(a, b), std::min(a, b), &value) ? std::nullopt : std::optional(value);
        break;
    }
    if (!result)
        throw ConversionError(UserMessage{OMBREL_TEXT("ombrel", "%1 %2 %3 is out of range!"),
                                          {std::to_string(a), std::string(OperatorText(op)), std::to_string(b)}});
    return *result;
}

std::string_view StringSpace(std::string_view text)
{
    const size_t end = text.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

int64_t ParseInteger(std::string_view text)
{
    int64_t value = 0;
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '+')
        digits.remove_prefix(1);
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
        throw InvalidInteger(text);
    return value;
}

double ParseDecimal(std::string_view text)
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
            throw InvalidFloat(text);
    }
    if (digits == 0 || points > 1)
        throw InvalidFloat(text);
    // A number beyond the range of a double (hundreds of digits) is as
    // unreadable as any other.
    double value = 0;
    if (std::from_chars(number.data(), number.data() + number.size(), value).ec != std::errc())
        throw InvalidFloat(text);
    return text.front() == '-' ? -value : value;
}

namespace {

// A row's fixed cells; the operands and the result are written in place.
void setFixedCells(RowCells& row, Operator op)
{
    row[OperatorColumn] = OperatorText(op);
    row[EqualsColumn] = "=";
}

// In frame mode the typed counts are the operands; the timecode operands
// are their labels at this rate.
constexpr int64_t kFrameModeLabelRate = FormatInfoOf(TimecodeFormat::NonDrop).nominalRate;

Calculation computeInto(const CalculationRequest& request, CalcState& state)
{
    const Operator op = request.op;
    const double percent = op == Operator::Percent ? ParseDecimal(StringSpace(request.percentText)) : 0.0;

    int64_t frameIn = 0;
    int64_t frameOut = 0;
    TimecodeParts inParts;
    TimecodeParts outParts;
    if (request.frameMode) {
        frameIn = ParseInteger(request.frameInText);
        frameOut = ParseInteger(request.frameOutText);
        inParts = GenericTC(frameIn, kFrameModeLabelRate);
        outParts = GenericTC(frameOut, kFrameModeLabelRate);
    } else {
        inParts = ParseTimecodeText(request.inText);
        outParts = ParseTimecodeText(request.outText);
    }

    Calculation calculation;
    if (request.rangeCheck && !request.frameMode) {
        const FormatInfo& active = FormatInfoOf(request.activeFormat);
        if (!WithinRange(inParts, active, state.rates)) {
            calculation.refusal = RangeRefusal::InOperand;
            return calculation;
        }
        if (!WithinRange(outParts, active, state.rates)) {
            calculation.refusal = RangeRefusal::OutOperand;
            return calculation;
        }
    }

    const bool percentOperator = op == Operator::Percent;
    for (int f = 0; f < kFormatCount; ++f) {
        const FormatInfo& format = kWindowFormats[f];
        FormatTotals& t = state.totals[f];
        RowCells& row = calculation.rows[f];
        setFixedCells(row, op);
        std::string& in = row[InColumn];
        std::string& out = row[OutColumn];
        std::string& result = row[ResultColumn];
        if (format.frameCounts) {
            // Typed timecodes count at the Frames rate; typed frame counts
            // are shown as they are.
            t.inCount = request.frameMode ? frameIn : PartsToFramesAtFramesRate(inParts, state.rates.framesRate);
            t.outCount = request.frameMode ? frameOut : PartsToFramesAtFramesRate(outParts, state.rates.framesRate);
            t.resultCount = FindTotalTC(op, t.inCount, t.outCount, percent);
            if (request.frameMode) {
                calculation.frameDuration = std::to_string(t.resultCount);
                in = request.frameInText;
                out = request.frameOutText;
                result = calculation.frameDuration;
            } else {
                in = std::to_string(t.inCount);
                out = std::to_string(t.outCount);
                result = std::to_string(t.resultCount);
            }
        } else if (format.dropFrame) {
            // Drop frame works on real frame numbers: an adjusted label
            // becomes its frame number, and the result number its label.
            TimecodeParts shownIn = inParts;
            TimecodeParts shownOut = outParts;
            AdjustDropFrameParts(shownIn, format.nominalRate);
            AdjustDropFrameParts(shownOut, format.nominalRate);
            state.inParts = shownIn;
            state.outParts = shownOut;
            if (request.frameMode) {
                t.inCount = frameIn;
                t.outCount = frameOut;
                shownIn = DropFrameLabelAt(frameIn, format.nominalRate);
                shownOut = DropFrameLabelAt(frameOut, format.nominalRate);
            } else {
                t.inCount = DropFrameNumberAt(shownIn, format.nominalRate);
                t.outCount = DropFrameNumberAt(shownOut, format.nominalRate);
            }
            t.resultCount = FindTotalTC(op, t.inCount, t.outCount, percent);
            const TimecodeParts resultParts = DropFrameLabelAt(t.resultCount, format.nominalRate);
            state.resultParts[f] = resultParts;
            SetTimecodeText(in, shownIn, format.separator);
            SetTimecodeText(out, shownOut, format.separator);
            SetTimecodeText(result, resultParts, format.separator);
        } else {
            // The whole-number formats count the parts as typed.
            // Frame mode's operands are the typed counts at every rate, not
            // their 30 fps labels read again at this one.
            const int64_t rate = WholeRate(format, state.rates);
            t.inCount = request.frameMode ? frameIn : PartsToFrames(inParts, rate);
            t.outCount = request.frameMode ? frameOut : PartsToFrames(outParts, rate);
            t.resultCount = FindTotalTC(op, t.inCount, t.outCount, percent);
            state.resultParts[f] = GenericTC(t.resultCount, rate);
            if (request.frameMode) {
                SetFrameCountText(in, frameIn, rate, format.separator);
                SetFrameCountText(out, frameOut, rate, format.separator);
            } else {
                in = WithSeparator(request.inText, format.separator);
                out = WithSeparator(request.outText, format.separator);
            }
            SetFrameCountText(result, t.resultCount, rate, format.separator);
        }
        if (percentOperator)
            in = request.percentText;
    }
    return calculation;
}

} // namespace

Calculation ComputeCalculations(const CalculationRequest& request, CalcState& state)
{
    // Worked on a copy: an error part way through changes nothing.
    CalcState next = state;
    Calculation calculation = computeInto(request, next);
    if (calculation.refusal == RangeRefusal::None)
        state = next;
    return calculation;
}

std::string ResultTimecodeText(const Calculation& calculation, const CalcState& state, TimecodeFormat activeFormat)
{
    const FormatInfo& format = FormatInfoOf(activeFormat);
    if (!format.frameCounts)
        return calculation.rows[FormatIndex(activeFormat)][ResultColumn];
    return FormatTimecodeText(FramesRateTC(state.totals[FormatIndex(activeFormat)].resultCount, state.rates.framesRate),
                              format.separator);
}

namespace {

bool readNumber(std::string_view text, double& value)
{
    try {
        value = ParseDecimal(text);
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
