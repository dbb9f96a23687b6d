#include "engine/feet_frames.h"

#include "engine/timecode.h"

#include <charconv>
#include <string>

namespace ombrel {

std::optional<FilmGauge> FindFilmGauge(std::string_view name)
{
    for (const FilmGauge& gauge : kFilmGauges)
        if (gauge.name == name)
            return gauge;
    return std::nullopt;
}

int64_t ParseFeetAndFrames(std::string_view text, const FilmGauge& gauge)
{
    const auto notFeet = [&] {
        return ConversionError("'" + std::string(text) + "' is not feet and frames (feet+ff)");
    };
    const size_t plus = text.find('+');
    if (plus == std::string_view::npos || plus == 0 || plus + 1 == text.size() || text.size() - plus > 3)
        throw notFeet();
    int64_t feet = 0;
    int64_t frames = 0;
    const char* const end = text.data() + text.size();
    const auto feetRead = std::from_chars(text.data(), text.data() + plus, feet);
    const auto framesRead = std::from_chars(text.data() + plus + 1, end, frames);
    if (feetRead.ec == std::errc::result_out_of_range)
        throw ConversionError("'" + std::string(text) + "' is too long a length");
    if (feetRead.ec != std::errc() || feetRead.ptr != text.data() + plus || framesRead.ec != std::errc() ||
        framesRead.ptr != end || text[0] == '-' || text[plus + 1] == '-')
        throw notFeet();
    if (frames >= gauge.framesPerFoot)
        throw ConversionError("frame " + std::to_string(frames) + " is out of range on " + std::string(gauge.name) +
                              ", " + std::to_string(gauge.framesPerFoot) + " frames a foot (" + std::string(text) +
                              ")");
    int64_t count = 0;
    if (__builtin_mul_overflow(feet, gauge.framesPerFoot, &count) || __builtin_add_overflow(count, frames, &count))
        throw ConversionError("'" + std::string(text) + "' is too long a length");
    return count;
}

char* WriteFeetAndFrames(int64_t count, const FilmGauge& gauge, char* out)
{
    // Below zero the magnitude is written after a sign; it is taken unsigned
    // so that the lowest count has one too.
    uint64_t magnitude = static_cast<uint64_t>(count);
    if (count < 0) {
        *out++ = '-';
        magnitude = 0 - magnitude;
    }
    const auto perFoot = static_cast<uint64_t>(gauge.framesPerFoot);
    const uint64_t feet = magnitude / perFoot;
    const auto frames = static_cast<int32_t>(magnitude % perFoot);
    for (uint64_t width = 1000; width > 1 && feet < width; width /= 10)
        *out++ = '0';
    out = std::to_chars(out, out + 20, feet).ptr;
    *out++ = '+';
    detail::writePair(out, frames);
    return out + 2;
}

} // namespace ombrel
