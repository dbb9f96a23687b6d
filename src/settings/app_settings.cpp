#include "settings/app_settings.h"

namespace ombrel {

namespace {

bool Options::*flagOf(MenuOption option)
{
    switch (option) {
    case MenuOption::Validity:
        return &Options::validity;
    case MenuOption::Descriptions:
        return &Options::descriptions;
    case MenuOption::Percentages:
        return &Options::percentages;
    case MenuOption::FrameMode:
        return &Options::frameMode;
    case MenuOption::Balloon:
        break;
    }
    return &Options::balloon;
}

} // namespace

bool& OptionFlag(Options& options, MenuOption option)
{
    return options.*flagOf(option);
}

bool OptionFlag(const Options& options, MenuOption option)
{
    return options.*flagOf(option);
}

void RestoreDefaults(AppSettings& settings)
{
    const AppSettings defaults;
    settings.listFonts = defaults.listFonts;
    settings.listColours.fill(GridColourIndex(kDefaultGridColourName));
    settings.printFont = defaults.printFont;
    settings.options = Options{.balloon = settings.options.balloon};
    settings.columnBaseWidths = defaults.columnBaseWidths;
}

Rates RatesOf(const Options& options)
{
    return {UserRateFromText(options.userFrames), FramesRateFromText(options.frames)};
}

uint32_t ListColour(const AppSettings& settings, int format)
{
    const int index = settings.listColours[format];
    return index >= 0 ? kGridColours[index].colour : kSystemWindowColour;
}

} // namespace ombrel
