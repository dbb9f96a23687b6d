#pragma once

#include "settings/preferences_target.h"

#include <QMap>

#include <array>
#include <optional>

namespace ombrel::test {

// Stands in for the main window: remembers what the preferences did to it
// and answers its questions from plain members.
class FakePreferencesTarget : public PreferencesTarget {
public:
    bool large = false;
    int active = 0;
    QColor entryColour;
    std::array<FontChoice, 6> listFonts{};
    std::array<QColor, 6> listColours{};
    std::array<int, 7> columns{};
    std::optional<WindowWidths> window;
    int windowResizes = 0;
    std::optional<bool> tabsAtBottom;
    QString userCaption;
    QString framesCaption;
    QMap<MenuOption, bool> checks;
    std::optional<LabelSet> labels;
    std::optional<bool> frameFields;
    WindowPosition mainPosition{10, 20};

    bool largeFonts() const override { return large; }
    int activeTabIndex() const override { return active; }
    void setEntryFieldColour(const QColor& colour) override { entryColour = colour; }
    void setListFont(int format, const FontChoice& font) override { listFonts[format] = font; }
    void setListColour(int format, const QColor& colour, bool) override { listColours[format] = colour; }
    void setColumnWidth(int column, int width) override { columns[column] = width; }
    void setWindowWidths(const WindowWidths& widths) override
    {
        window = widths;
        ++windowResizes;
    }
    void setTabsAtBottom(bool bottom) override { tabsAtBottom = bottom; }
    void setTabCaptions(const QString& user, const QString& frames) override
    {
        userCaption = user;
        framesCaption = frames;
    }
    void setMenuCheck(MenuOption item, bool checked) override { checks[item] = checked; }
    bool menuCheck(MenuOption item) const { return checks.value(item, false); }
    void setLabels(const LabelSet& set) override { labels = set; }
    void setFrameFieldsVisible(bool visible) override { frameFields = visible; }
    void moveMainWindow(const WindowPosition& position) override { mainPosition = position; }

    QString label1() const { return labels ? QString::fromStdString(labels->label1) : QString(); }
};

} // namespace ombrel::test
