#include "settings/preferences_target.h"

#include "settings/settings_codec.h"
#include "settings/settings_sections.h"
#include "widgets/qt_text.h"

namespace ombrel {

namespace {

bool SetGrid(const AppSettings& settings, PreferencesTarget& target, bool defaultWidthPending)
{
    GridLayoutInput input;
    input.baseWidths = settings.columnBaseWidths;
    input.largeFonts = target.largeFonts();
    input.descriptionsShown = settings.options.descriptions;
    input.defaultWidthPending = defaultWidthPending;
    const GridLayout layout = ComputeGridLayout(input);
    for (int i = 0; i < kGridColumnCount; ++i)
        target.setColumnWidth(i, layout.columns[i]);
    if (layout.window)
        target.setWindowWidths(*layout.window);
    return layout.window.has_value();
}

void SetLabels(const AppSettings& settings, PreferencesTarget& target)
{
    if (const auto labels = LabelSetFor(settings.options.labelSet, target.largeFonts()))
        target.setLabels(*labels);
}

} // namespace

bool ApplySettings(const AppSettings& settings, PreferencesTarget& target, bool defaultWidthPending)
{
    const Options& options = settings.options;
    target.setEntryFieldColour(QColorFromStored(ListColour(settings, target.activeTabIndex())));
    for (int format = 0; format < kFormatCount; ++format) {
        const StoredFont& font = settings.listFonts[format];
        target.setListFont(format, {QFontFromStored(font), QColorFromStored(font.colour)});
    }
    const bool resized = SetGrid(settings, target, defaultWidthPending);
    target.setTabsAtBottom(options.tabPosition != 0);
    target.setTabCaptions(toQt(UserTabCaption(options.userFrames)), toQt(FramesTabCaption(options.frames)));
    for (const MenuOption option :
         {MenuOption::Validity, MenuOption::Descriptions, MenuOption::Percentages, MenuOption::FrameMode})
        target.setMenuCheck(option, OptionFlag(options, option));
    SetLabels(settings, target);
    target.setFrameFieldsVisible(options.frameMode);
    for (int format = 0; format < kFormatCount; ++format)
        target.setListColour(format, QColorFromStored(ListColour(settings, format)),
                             IsSystemColour(ListColour(settings, format)));
    return resized;
}

bool ApplyLoadedSettings(const AppSettings& settings, PreferencesTarget& target, bool defaultWidthPending)
{
    target.setMenuCheck(MenuOption::Balloon, settings.options.balloon);
    target.moveMainWindow(settings.mainWindow);
    return ApplySettings(settings, target, defaultWidthPending);
}

} // namespace ombrel
