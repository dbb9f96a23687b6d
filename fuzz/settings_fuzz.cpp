// Stored settings texts as an edited settings file may hold them, through
// every decoder the program reads them with and on into the list layout and
// the window placement. Each decoder gives a value the program can use,
// whatever the text.
#include "fuzz_input.h"
#include "settings/app_settings.h"
#include "settings/grid_layout.h"
#include "settings/settings_codec.h"
#include "settings/window_placement.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

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

    Options options;
    options.userFrames = input.text();
    options.frames = input.text();
    const Rates rates = RatesOf(options);
    FUZZ_CHECK(rates.userRate >= 1 && rates.userRate <= kLargestUserRate);
    FUZZ_CHECK(rates.framesRate > 0 && rates.framesRate <= kLargestFramesRate);
    FUZZ_CHECK(UserRateFromText(options.userFrames) == rates.userRate);
    FUZZ_CHECK(FramesRateFromText(options.frames) == rates.framesRate);
    FUZZ_CHECK(UserTabCaption(options.userFrames) == "User-" + UsableUserRateText(options.userFrames));
    FramesTabCaption(options.frames);
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
    const GridLayout computed = ComputeGridLayout(layout);
    for (int i = 0; i < kGridColumnCount; ++i)
        FUZZ_CHECK(computed.columns[i] >= kColumnWidthLimits[i].narrowest &&
                   computed.columns[i] <= kColumnWidthLimits[i].widest);
    LabelSetFor(ParseStoredInteger(input.text(), 1), layout.largeFonts);

    // A stored window position on screens of any layout.
    WindowPosition stored{ParseStoredInteger(input.text(), 200), ParseStoredInteger(input.text(), 100)};
    std::vector<ScreenRect> screens(input.byte() % 4);
    for (ScreenRect& screen : screens)
        screen = {ParseStoredInteger(input.text(), 0), ParseStoredInteger(input.text(), 0),
                  ParseStoredInteger(input.text(), 1024), ParseStoredInteger(input.text(), 768)};
    PlaceOnScreens(stored, ParseStoredInteger(input.text(), 400), ParseStoredInteger(input.text(), 300), screens);
    return 0;
}
