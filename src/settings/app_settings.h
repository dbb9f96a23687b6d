#pragma once

#include "engine/calculation.h"
#include "settings/grid_layout.h"
#include "settings/settings_data.h"

#include <array>
#include <optional>
#include <string>

namespace ombrel {

// Section "StartWith". The three choices are indices into the preferences'
// lists, -1 for none.
struct Options {
    int startFormat = 0; // "StartCombo": the tab shown at start, in tab order
    int tabPosition = 0; // "TabCombo": 0 top, anything else bottom
    int labelSet = 1;    // "LabelCombo": see LabelSetFor
    std::string userFrames{kDefaultUserRateText};
    std::string frames{kDefaultFramesRateText};
    bool validity = true;
    bool descriptions = false;
    bool percentages = true;
    bool frameMode = false;
    bool balloon = true;

    friend bool operator==(const Options&, const Options&) = default;
};

// The five options a menu command switches and stores at once.
enum class MenuOption { Validity, Descriptions, Percentages, FrameMode, Balloon };
bool& OptionFlag(Options& options, MenuOption option);
bool OptionFlag(const Options& options, MenuOption option);

// Section "Postion": a window's top-left corner in screen pixels.
struct WindowPosition {
    int left = 200;
    int top = 100;

    friend bool operator==(const WindowPosition&, const WindowPosition&) = default;
};

// Every setting of the program as plain data. main() owns the settings in
// force; the preferences dialog edits a copy and hands it back when it
// applies it; other windows read what they need and write their own
// sections through the store.
struct AppSettings {
    Options options;
    ColumnWidths columnBaseWidths = kDefaultColumnBaseWidths; // "Grid"
    WindowPosition mainWindow;
    // Nothing until a place is stored: the Mini Calc then first shows
    // beside the main window.
    std::optional<WindowPosition> miniCalc;
    // Section "Font", per format in tab order. A list colour is an index
    // into kGridColours, -1 while none was ever chosen (drawn as "Window").
    std::array<StoredFont, kFormatCount> listFonts{kDefaultListFont, kDefaultListFont, kDefaultListFont,
                                                   kDefaultListFont, kDefaultListFont, kDefaultListFont};
    std::array<int, kFormatCount> listColours{-1, -1, -1, -1, -1, -1};
    StoredFont printFont = kDefaultPrintFont;
    FunctionKeySlots functionKeys = DefaultFunctionKeySlots(); // "Function"
    PrintSettings print;                                       // "Print"
    ExportSettings exporting;                                  // "Export"

    friend bool operator==(const AppSettings&, const AppSettings&) = default;
};

// The preferences' Defaults: list fonts and colours, print font, the
// options the dialog shows, both rates and the column widths. Balloon help,
// positions, function keys, print and export settings stay.
void RestoreDefaults(AppSettings& settings);

// The rates the conversions use (a rate text they cannot use gives the
// default rate, as the tab captions do).
Rates RatesOf(const Options& options);

// A list's background colour (0x00BBGGRR or a system colour).
uint32_t ListColour(const AppSettings& settings, int format);

} // namespace ombrel
