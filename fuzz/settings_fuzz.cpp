// Stored settings texts as an edited settings file may hold them, through
// every decoder the program reads them with and on into the list layout.
// Each decoder gives a value the program can use, whatever the text.
#include "fuzz_input.h"
#include "settings/grid_layout.h"
#include "settings/settings_codec.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

using namespace ombrel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::FuzzInput input(data, size);

    const int code = ParseStoredInteger(input.text(), 0);
    const int expectedCode = code >= 1 && code <= 15 ? code : 0;
    FUZZ_CHECK(FontStyleCode(FontStyleFromCode(code)) == expectedCode);
    ParseStoredBool(input.text(), true);

    const std::string_view colourName = input.text();
    const int colour = GridColourIndex(colourName);
    FUZZ_CHECK(colour == -1 || kGridColours[colour].name == colourName);
    const int colourOf = GridColourIndexOf(static_cast<uint32_t>(ParseStoredInteger(input.text(), 0)));
    FUZZ_CHECK(colourOf >= -1 && colourOf < kGridColourCount);

    const std::string_view userText = input.text();
    FUZZ_CHECK(UserRateFromText(userText) > 0);
    const std::string_view framesText = input.text();
    const double framesRate = FramesRateFromText(framesText);
    FUZZ_CHECK(std::isfinite(framesRate) && framesRate > 0);
    FUZZ_CHECK(IsValidFramesRate(framesText) == (ParseRate(framesText).value_or(0) > 0));
    UserTabCaption(userText);
    FramesTabCaption(framesText);
    const std::string_view slot = input.text();
    const std::string first = FirstCharacters(slot, input.byte() % 16);
    FUZZ_CHECK(slot.starts_with(first));

    GridLayoutInput layout;
    for (int& width : layout.baseWidths)
        width = ParseStoredInteger(input.text(), width);
    const uint8_t flags = input.byte();
    layout.largeFonts = flags & 1;
    layout.descriptionsShown = flags & 2;
    layout.defaultWidthPending = flags & 4;
    ComputeGridLayout(layout);
    LabelSetFor(ParseStoredInteger(input.text(), 1), layout.largeFonts);
    return 0;
}
