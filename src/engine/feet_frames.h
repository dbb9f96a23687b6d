#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace ombrel {

// Film length as film editors and negative cutters write it: feet and
// frames, "0012+08". A foot holds 16 frames of 4-perf 35mm, 40 of 16mm.
struct FilmGauge {
    std::string_view name;
    int64_t framesPerFoot = 16;
};

inline constexpr FilmGauge kFilmGauges[] = {{"35mm", 16}, {"16mm", 40}};

std::optional<FilmGauge> FindFilmGauge(std::string_view name);

// Reads "feet+frames" (any number of feet digits, one or two frame digits)
// as a frame count; throws ConversionError naming what is wrong.
int64_t ParseFeetAndFrames(std::string_view text, const FilmGauge& gauge);
// Writes a frame count as at least four digits of feet, "+" and two of
// frames ("-0001+08" below zero) and returns the end; at most 25 characters.
char* WriteFeetAndFrames(int64_t count, const FilmGauge& gauge, char* out);

} // namespace ombrel
