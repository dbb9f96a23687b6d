#pragma once

namespace ombrel {

// A colour as 8-bit red, green and blue.
struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
};

// The contrast two colours give as text and background, from 1 (the same
// light) to 21 (black on white), as accessibility guidelines measure it.
double ContrastRatio(Rgb first, Rgb second);

// What normal text needs to read.
inline constexpr double kReadableContrast = 4.5;

// The colour to draw text in over this background: the chosen one where it
// reads, else the fallback (the palette's text colour) where that reads
// better. The user's choice stays wherever it can be read.
Rgb ReadableTextColour(Rgb chosen, Rgb fallback, Rgb background);

} // namespace ombrel
