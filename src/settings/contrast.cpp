#include "settings/contrast.h"

#include <algorithm>
#include <cmath>

namespace ombrel {
namespace {

double channelLight(int channel)
{
    const double c = std::clamp(channel, 0, 255) / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double relativeLuminance(Rgb colour)
{
    return 0.2126 * channelLight(colour.red) + 0.7152 * channelLight(colour.green) + 0.0722 * channelLight(colour.blue);
}

} // namespace

double ContrastRatio(Rgb first, Rgb second)
{
    const double a = relativeLuminance(first);
    const double b = relativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

Rgb ReadableTextColour(Rgb chosen, Rgb fallback, Rgb background)
{
    const double kept = ContrastRatio(chosen, background);
    if (kept >= kReadableContrast)
        return chosen;
    return ContrastRatio(fallback, background) > kept ? fallback : chosen;
}

} // namespace ombrel
