#include "engine/frame_rate.h"

#include "engine/drop_frame.h"

#include <algorithm>
#include <charconv>

namespace ombrel {

std::optional<FrameRate> ParseFrameRate(std::string_view text)
{
    for (const FormatInfo& format : kFormats)
        if (!format.rateName.empty() && format.rateName == text)
            return RateOf(format);
    int64_t whole = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), whole);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || whole < 1 ||
        whole > kLargestWholeRate)
        return std::nullopt;
    return FrameRate{whole, false, false};
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

TimecodeParts ParseLabel(std::string_view text, const FrameRate& rate)
{
    // Four runs of digits, two at most (three for the frames), between
    // three separators.
    int32_t values[4] = {};
    bool semicolon = false;
    size_t pos = 0;
    for (int part = 0; part < 4; ++part) {
        if (part > 0) {
            if (pos == text.size() || (text[pos] != ':' && text[pos] != ';'))
                throw ConversionError("'" + std::string(text) + "' is not a timecode (hh:mm:ss:ff)");
            semicolon = semicolon || text[pos] == ';';
            ++pos;
        }
        const size_t start = pos;
        const size_t digits = part == 3 ? 3 : 2;
        while (pos < text.size() && pos - start < digits && text[pos] >= '0' && text[pos] <= '9')
            values[part] = values[part] * 10 + (text[pos++] - '0');
        if (pos == start)
            throw ConversionError("'" + std::string(text) + "' is not a timecode (hh:mm:ss:ff)");
    }
    if (pos != text.size())
        throw ConversionError("'" + std::string(text) + "' is not a timecode (hh:mm:ss:ff)");

    const TimecodeParts label{values[0], values[1], values[2], values[3]};
    if (semicolon && !rate.dropFrame)
        throw ConversionError("';' marks drop frame, but " + FrameRateName(rate) + " does not drop frames" +
                              inLabel(text));
    if (label.hours > 23)
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

} // namespace ombrel
