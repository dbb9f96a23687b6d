#pragma once

#include "engine/calc_row.h"
#include "list/header_sections.h"

#include <array>
#include <optional>
#include <string>

namespace ombrel {

// Sizes of the six lists, their headers and the main window, and the texts
// of the label set: plain arithmetic the preferences hand to the main window.

inline constexpr int kGridColumnCount = kColumnCount;
// In, operator, Out, "=", result, spacer, description.
inline constexpr ColumnWidths kDefaultColumnBaseWidths{85, 12, 85, 12, 85, 16, 100};

// Large fonts (100 pixels per inch or more) widen the timecode columns
// (0, 2, 4, 6) by 20 pixels and the narrow ones by 6.
struct ColumnAllowances {
    int timecode = 0;
    int narrow = 0;
};
ColumnAllowances AllowancesFor(bool largeFonts);
int ColumnAllowance(int column, const ColumnAllowances& allowances);
inline int ColumnWidthFromBase(int column, int baseWidth, const ColumnAllowances& allowances)
{
    return baseWidth + ColumnAllowance(column, allowances);
}
inline int BaseWidthFromColumn(int column, int width, const ColumnAllowances& allowances)
{
    return width - ColumnAllowance(column, allowances);
}

struct GridLayoutInput {
    ColumnWidths baseWidths = kDefaultColumnBaseWidths;
    bool largeFonts = false;
    bool descriptionsShown = false;
    bool defaultWidthPending = false;
};

// The widths when the window is resized; W is the width of each list.
struct WindowWidths {
    int list = 0;        // W
    int mainWindow = 0;  // W + 31
    int panel3 = 0;      // W + 24
    int panel2 = 0;      // W + 25
    int pageControl = 0; // W + 9
    int header = 0;      // W + 1

    friend bool operator==(const WindowWidths&, const WindowWidths&) = default;
};

struct GridLayout {
    // Base width plus allowance, within kColumnWidthLimits.
    ColumnWidths columns{};
    // Empty when the computed width is too small to be trusted: the window
    // keeps its size and a pending default width stays pending.
    std::optional<WindowWidths> window;
};

GridLayout ComputeGridLayout(const GridLayoutInput& input);

// Label sets: 0 "In - Out - Duration", 1 "Out - In - Duration",
// 2 "TC1 - TC2 - Total".
inline constexpr int kLabelSetCount = 3;
struct LabelSet {
    int item = 0;       // the label set's index, as above
    std::string label1; // above the first field
    int label1Left = 0;
    std::string label2; // above the second field
    int label2Left = 0;
    std::string label4; // above the result
    int label4Left = 0;
    std::array<std::string, 3> headerTexts; // header sections 0, 2 and 4
    std::array<std::string, 3> fieldLabels; // first field, second field, result (short)

    friend bool operator==(const LabelSet&, const LabelSet&) = default;
};
// Empty for an item outside the list (no selection changes nothing).
std::optional<LabelSet> LabelSetFor(int item, bool largeFonts);

} // namespace ombrel
