#include "engine/frame_rate.h"

#include "engine/drop_frame.h"

#include <algorithm>
#include <charconv>

namespace ombrel {

namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The name in lower case without a blank before its suffix: "29.97 DF" is
// "29.97df".
std::string foldedRateName(std::string_view text)
{
    std::string folded;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ' ' && i + 1 < text.size() && isLetter(text[i + 1]))
            continue;
        folded += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return folded;
}

std::optional<FrameRate> rateOfFoldedName(std::string_view name)
{
    for (const FormatInfo& format : kFormats)
        if (!format.rateName.empty() &&
            (format.rateName == name || (!format.rateAlias.empty() && format.rateAlias == name)))
            return RateOf(format);
    int64_t whole = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), whole);
    if (name.empty() || error != std::errc() || end != name.data() + name.size() || whole < 1 ||
        whole > kLargestWholeRate)
        return std::nullopt;
    return FrameRate{whole, false, false};
}

} // namespace

std::optional<FrameRate> ParseFrameRate(std::string_view text)
{
    // Blanks only between the number and its suffix, as in "29.97 DF".
    if (text.empty() || text.front() == ' ' || text.back() == ' ')
        return std::nullopt;
    const std::string name = foldedRateName(text);
    // "NDF" says what a name without "df" means already.
    if (name.ends_with("ndf")) {
        const std::optional<FrameRate> rate = rateOfFoldedName(std::string_view(name).substr(0, name.size() - 3));
        return rate && !rate->dropFrame ? rate : std::nullopt;
    }
    return rateOfFoldedName(name);
}

std::optional<std::string_view> DropFrameRateFor(std::string_view text)
{
    const std::string name = foldedRateName(text);
    if (!name.ends_with("df") || ParseFrameRate(text))
        return std::nullopt;
    const std::optional<FrameRate> base = rateOfFoldedName(std::string_view(name).substr(0, name.size() - 2));
    if (!base)
        return std::nullopt;
    for (const FormatInfo& format : kFormats)
        if (!format.rateName.empty() && format.dropFrame && format.nominalRate == base->nominal)
            return format.rateName;
    return std::nullopt;
}

std::string FrameRateName(const FrameRate& rate)
{
    for (const FormatInfo& format : kFormats)
        if (!format.rateName.empty() && RateOf(format) == rate)
            return std::string(format.rateName);
    return std::to_string(rate.nominal);
}

std::vector<std::string_view> FrameRateNames()
{
    std::vector<const FormatInfo*> named;
    for (const FormatInfo& format : kFormats)
        if (!format.rateName.empty())
            named.push_back(&format);
    // By real frames a second (a/b < c/d as a*d < c*b), non-drop first.
    std::sort(named.begin(), named.end(), [](const FormatInfo* a, const FormatInfo* b) {
        const FrameRateFraction x = FramesPerSecond(RateOf(*a));
        const FrameRateFraction y = FramesPerSecond(RateOf(*b));
        const int64_t left = x.numerator * y.denominator;
        const int64_t right = y.numerator * x.denominator;
        return left != right ? left < right : a->dropFrame < b->dropFrame;
    });
    std::vector<std::string_view> names;
    for (const FormatInfo* format : named)
        names.push_back(format->rateName);
    return names;
}

FrameRateFraction FramesPerSecond(const FrameRate& rate)
{
    return rate.ntsc ? FrameRateFraction{rate.nominal * 1000, 1001} : FrameRateFraction{rate.nominal, 1};
}

int64_t FramesPerDay(const FrameRate& rate)
{
    return rate.dropFrame ? DropFrameDay(rate.nominal) : kSecondsPerDay * rate.nominal;
}

namespace {

std::string inLabel(std::string_view text)
{
    return " (" + std::string(text) + ")";
}

ConversionError outOfRange(std::string_view part, int32_t value, std::string_view text)
{
    return ConversionError(std::string(part) + " " + std::to_string(value) + " is out of range" + std::string(text));
}

} // namespace

TimecodeParts ParseLabel(std::string_view text, const FrameRate& rate, bool hoursPastDay)
{
    // Two to four runs of digits between separators, right-aligned as typed
    // digits are ("03:04" is 00:00:03:04): two digits a part, three for the
    // frames and, past a day, up to six for the hours.
    const auto notTimecode = [text] {
        return ConversionError("'" + std::string(text) + "' is not a timecode (hh:mm:ss:ff)");
    };
    int32_t runs[4] = {};
    size_t runCount = 0;
    size_t runDigits[4] = {};
    bool semicolon = false;
    bool point = false;
    for (size_t pos = 0;; ++pos) {
        if (runCount == 4)
            throw notTimecode();
        const size_t start = pos;
        while (pos < text.size() && pos - start < 6 && text[pos] >= '0' && text[pos] <= '9')
            runs[runCount] = runs[runCount] * 10 + (text[pos++] - '0');
        if (pos == start)
            throw notTimecode();
        runDigits[runCount++] = pos - start;
        if (pos == text.size())
            break;
        if (text[pos] == ';')
            semicolon = true;
        else if (text[pos] == '.')
            point = true;
        else if (text[pos] != ':')
            throw notTimecode();
        // "." separates the frames only, as FFmpeg and some decks print.
        if (text[pos] == '.' && text.find_first_of(":;.", pos + 1) != std::string_view::npos)
            throw notTimecode();
    }
    if (runCount < 2)
        throw notTimecode();
    int32_t values[4] = {};
    for (size_t r = 0; r < runCount; ++r) {
        const size_t part = 4 - runCount + r;
        const size_t allowed = part == 3 ? 3 : part == 0 && hoursPastDay ? 6 : 2;
        if (runDigits[r] > allowed)
            throw notTimecode();
        values[part] = runs[r];
    }

    const TimecodeParts label{values[0], values[1], values[2], values[3]};
    if ((semicolon || point) && !rate.dropFrame)
        throw ConversionError(std::string(semicolon ? "';'" : "'.'") + " marks drop frame, but " + FrameRateName(rate) +
                              " does not drop frames" + inLabel(text));
    if (label.hours > 23 && !hoursPastDay)
        throw outOfRange("hour", label.hours, inLabel(text));
    if (label.minutes > 59)
        throw outOfRange("minute", label.minutes, inLabel(text));
    if (label.seconds > 59)
        throw outOfRange("second", label.seconds, inLabel(text));
    if (label.frames >= rate.nominal)
        throw outOfRange("frame", label.frames, " at " + FrameRateName(rate) + inLabel(text));
    // A label drop frame skips names no frame. The window moves such a label
    // on to the next frame; a script cannot see that happen, so it is refused.
    if (rate.dropFrame && IsDroppedLabel(label, rate.nominal)) {
        const int64_t dropped = DroppedLabelsPerMinute(rate.nominal);
        throw ConversionError(std::string(text) + " is not a drop-frame label (" + FrameRateName(rate) +
                              " skips frames 00-0" + std::to_string(dropped - 1) +
                              " at the start of every minute but each tenth)");
    }
    return label;
}

int64_t LabelToFrame(const TimecodeParts& label, const FrameRate& rate)
{
    return rate.dropFrame ? DropFrameNumberAt(label, rate.nominal) : PartsToFrames(label, rate.nominal);
}

TimecodeParts FrameToLabel(int64_t count, const FrameRate& rate)
{
    return rate.dropFrame ? DropFrameLabelAt(count, rate.nominal) : GenericTC(count, rate.nominal);
}

char* WriteLabel(const TimecodeParts& label, const FrameRate& rate, char* out)
{
    const char separator = LabelSeparator(rate);
    detail::writePair(out, label.hours);
    out[2] = separator;
    detail::writePair(out + 3, label.minutes);
    out[5] = separator;
    detail::writePair(out + 6, label.seconds);
    out[8] = separator;
    out += 9;
    if (rate.nominal > 100) {
        *out++ = static_cast<char>('0' + label.frames / 100);
        detail::writePair(out, label.frames % 100);
    } else {
        detail::writePair(out, label.frames);
    }
    return out + 2;
}

char* WriteLabelPastDay(int64_t count, const FrameRate& rate, char* out)
{
    if (count < 0) {
        *out++ = '-';
        // -INT64_MIN does not fit; no frame count comes near it.
        count = count == INT64_MIN ? INT64_MAX : -count;
    }
    // The label within the last day, with the hours of the days before.
    const int64_t day = FramesPerDay(rate);
    TimecodeParts label = FrameToLabel(count % day, rate);
    const int64_t hours = 24 * (count / day) + label.hours;
    if (hours < 10)
        *out++ = '0';
    out = std::to_chars(out, out + 20, hours).ptr;
    label.hours = 0;
    char text[16];
    char* end = WriteLabel(label, rate, text);
    return std::copy(text + 2, end, out);
}

} // namespace ombrel
