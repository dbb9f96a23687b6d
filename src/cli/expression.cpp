#include "cli/expression.h"

#include "cli/terminal_text.h"
#include "engine/calculation.h"

#include <charconv>
#include <cmath>
#include <string>

namespace ombrel {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

// Hands out the blank-separated words of a text one by one.
class Words {
public:
    explicit Words(std::string_view text) : text_(text) {}

    // The next word; empty at the end.
    std::string_view next()
    {
        while (pos_ < text_.size() && isBlank(text_[pos_]))
            ++pos_;
        const size_t start = pos_;
        while (pos_ < text_.size() && !isBlank(text_[pos_]))
            ++pos_;
        return text_.substr(start, pos_ - start);
    }

private:
    std::string_view text_;
    size_t pos_ = 0;
};

std::string quoted(std::string_view word)
{
    return "'" + TerminalText(word) + "'";
}

int64_t frameCount(std::string_view word)
{
    int64_t count = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), count);
    if (error == std::errc::result_out_of_range)
        throw ConversionError(quoted(word) + " is too large a frame count");
    if (error != std::errc() || end != word.data() + word.size() || word[0] == '-')
        return -1;
    return count;
}

int64_t readOperand(std::string_view word, const CalcForm& form)
{
    if (word.find_first_of(":;") != std::string_view::npos)
        return LabelToFrame(ParseLabel(word, form.rate, form.noWrap), form.rate);
    if (word.find('+') != std::string_view::npos) {
        if (!form.feet)
            throw ConversionError(quoted(word) + " is feet and frames: say which film with --feet 35mm or --feet 16mm");
        return ParseFeetAndFrames(word, *form.feet);
    }
    const int64_t count = frameCount(word);
    if (count < 0)
        throw ConversionError(quoted(word) + (form.feet ? " is not a timecode, feet and frames or a frame count"
                                                        : " is not a timecode or a frame count"));
    return count;
}

std::optional<Operator> readOperator(std::string_view word)
{
    if (word == "*" || word == "X")
        return Operator::Times;
    for (int op = 0; op < kOperatorCount; ++op)
        if (word == OperatorText(Operator(op)))
            return Operator(op);
    return std::nullopt;
}

ConversionError tooLarge()
{
    return ConversionError("the result is too large");
}

// The operator applied as in the window, refusing what the window cannot
// show soundly: a division by zero, a count beyond 64 bits.
int64_t apply(Operator op, int64_t a, int64_t b)
{
    int64_t result = 0;
    switch (op) {
    case Operator::Plus:
        if (__builtin_add_overflow(a, b, &result))
            throw tooLarge();
        break;
    case Operator::Minus:
    case Operator::Difference:
        if (__builtin_sub_overflow(a, b, &result) || result == INT64_MIN)
            throw tooLarge();
        break;
    case Operator::Times:
        if (__builtin_mul_overflow(a, b, &result))
            throw tooLarge();
        break;
    case Operator::Divide:
        if (b == 0)
            throw ConversionError("cannot divide by zero");
        break;
    case Operator::Percent:
        break;
    }
    return FindTotalTC(op, a, b);
}

int64_t scaled(int64_t count, double percent)
{
    // Beyond 2^63 the rounded count would not fit.
    if (!(std::fabs(double(count) * percent / 100.0) < 9.2e18))
        throw tooLarge();
    return FindTotalTC(Operator::Percent, 0, count, percent);
}

int64_t percentOf(int64_t count, std::string_view word)
{
    double percent = 0;
    try {
        percent = ParseDecimal(word);
    } catch (const ConversionError&) {
        throw ConversionError(quoted(word) + " is not a percentage");
    }
    return scaled(count, percent);
}

// A decimal factor after "x" or "/": the count scaled and rounded as a
// percentage is.
int64_t scaledBy(Operator op, int64_t count, std::string_view word)
{
    double factor = 0;
    try {
        factor = ParseDecimal(word);
    } catch (const ConversionError&) {
        throw ConversionError(quoted(word) + " is not a factor");
    }
    if (op == Operator::Divide && factor == 0)
        throw ConversionError("cannot divide by zero");
    return scaled(count, op == Operator::Times ? factor * 100.0 : 100.0 / factor);
}

} // namespace

int64_t EvaluateExpression(std::string_view text, const CalcForm& form)
{
    Words words(text);
    const std::string_view first = words.next();
    if (first.empty())
        throw ConversionError("no expression");
    int64_t value = readOperand(first, form);
    for (std::string_view word = words.next(); !word.empty(); word = words.next()) {
        const std::optional<Operator> op = readOperator(word);
        if (!op)
            throw ConversionError(quoted(word) + " is not an operator (+ - x / % ~)");
        const std::string_view operand = words.next();
        if (operand.empty())
            throw ConversionError("nothing follows " + quoted(word));
        if (*op == Operator::Percent)
            value = percentOf(value, operand);
        else if ((*op == Operator::Times || *op == Operator::Divide) && operand.find('.') != std::string_view::npos)
            value = scaledBy(*op, value, operand);
        else
            value = apply(*op, value, readOperand(operand, form));
    }
    return value;
}

char* WriteSeconds(int64_t count, const FrameRate& rate, char* out)
{
    // Nanoseconds = count / (numerator / denominator) * 10^9, rounded to the
    // nearest, ties to even; 128 bits hold every product.
    const FrameRateFraction fps = FramesPerSecond(rate);
    const __int128 scaled = static_cast<__int128>(count) * fps.denominator * 1000000000;
    const __int128 magnitude = scaled < 0 ? -scaled : scaled;
    __int128 nanoseconds = magnitude / fps.numerator;
    const __int128 twiceRest = 2 * (magnitude % fps.numerator);
    if (twiceRest > fps.numerator || (twiceRest == fps.numerator && nanoseconds % 2 == 1))
        ++nanoseconds;
    if (scaled < 0 && nanoseconds != 0)
        *out++ = '-';
    out = std::to_chars(out, out + 24, static_cast<uint64_t>(nanoseconds / 1000000000)).ptr;
    auto fraction = static_cast<uint32_t>(nanoseconds % 1000000000);
    if (fraction == 0)
        return out;
    *out++ = '.';
    for (uint32_t unit = 100000000; fraction != 0; unit /= 10) {
        *out++ = static_cast<char>('0' + fraction / unit);
        fraction %= unit;
    }
    return out;
}

char* WriteResult(int64_t count, const CalcForm& form, char* out)
{
    switch (form.result) {
    case ResultKind::Timecode:
        if (form.noWrap)
            return WriteLabelPastDay(count, form.resultRate, out);
        return WriteLabel(FrameToLabel(count, form.resultRate), form.resultRate, out);
    case ResultKind::Frames:
        return std::to_chars(out, out + 20, count).ptr;
    case ResultKind::Seconds:
        return WriteSeconds(count, form.rate, out);
    case ResultKind::Feet:
        return WriteFeetAndFrames(count, *form.feet, out);
    }
    return out;
}

bool WrapsPastDay(int64_t count, const CalcForm& form)
{
    return form.result == ResultKind::Timecode && !form.noWrap && (count < 0 || count >= FramesPerDay(form.resultRate));
}

std::string WrapNotice(int64_t count, const CalcForm& form)
{
    char past[kLongestLabelPastDay];
    char wrapped[kMaxResultLength];
    return "the result " + std::string(past, WriteLabelPastDay(count, form.resultRate, past)) +
           " wraps past 24 hours to " + std::string(wrapped, WriteResult(count, form, wrapped)) +
           " (--no-wrap keeps it)";
}

} // namespace ombrel
