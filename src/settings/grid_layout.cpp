#include "settings/grid_layout.h"

#include "engine/user_text.h"

#include <algorithm>

namespace ombrel {

ColumnAllowances AllowancesFor(bool largeFonts)
{
    return largeFonts ? ColumnAllowances{20, 6} : ColumnAllowances{0, 0};
}

int ColumnAllowance(int column, const ColumnAllowances& allowances)
{
    return column % 2 == 0 ? allowances.timecode : allowances.narrow;
}

GridLayout ComputeGridLayout(const GridLayoutInput& input)
{
    const ColumnAllowances allowances = AllowancesFor(input.largeFonts);
    GridLayout layout;
    // W is the columns' widths with their allowances, plus 34.
    int w = 34;
    for (int i = 0; i < kGridColumnCount; ++i) {
        // Limited before the allowance is added, so no width can overflow.
        const int allowance = ColumnAllowance(i, allowances);
        const WidthLimits limits = kColumnWidthLimits[i];
        layout.columns[i] =
            std::clamp(input.baseWidths[i], limits.narrowest - allowance, limits.widest - allowance) + allowance;
        w += layout.columns[i];
    }
    // Without descriptions the lists end after the result column; the
    // spacer and description columns lie beyond the visible part.
    if (!input.descriptionsShown)
        w -= layout.columns[5] + layout.columns[6] + 5;

    // A window this narrow would cut off the entry fields: keep its size.
    const int threshold = input.descriptionsShown ? 414 : 294;
    if (w <= threshold)
        return layout;
    if (input.defaultWidthPending)
        w = input.descriptionsShown ? 425 : 308;
    if (input.largeFonts)
        w = input.descriptionsShown ? 528 : 385;
    layout.window = WindowWidths{w, w + 31, w + 24, w + 25, w + 9, w + 1};
    return layout;
}

std::optional<LabelSet> LabelSetFor(int item, bool largeFonts)
{
    LabelSet set;
    switch (item) {
    case 0:
        set = {0,
               OMBREL_TEXT("ombrel", "In"),
               47,
               OMBREL_TEXT("ombrel", "Out"),
               169,
               OMBREL_TEXT("ombrel", "Duration"),
               252,
               {OMBREL_TEXT("ombrel", "In"), OMBREL_TEXT("ombrel", "Out"), OMBREL_TEXT("ombrel", "Duration")},
               {OMBREL_TEXT("ombrel", "In"), OMBREL_TEXT("ombrel", "Out"), OMBREL_TEXT("ombrel", "Dur")}};
        break;
    case 1:
        set = {1,
               OMBREL_TEXT("ombrel", "Out"),
               42,
               OMBREL_TEXT("ombrel", "In"),
               175,
               OMBREL_TEXT("ombrel", "Duration"),
               252,
               {OMBREL_TEXT("ombrel", "Out"), OMBREL_TEXT("ombrel", "In"), OMBREL_TEXT("ombrel", "Duration")},
               {OMBREL_TEXT("ombrel", "Out"), OMBREL_TEXT("ombrel", "In"), OMBREL_TEXT("ombrel", "Dur")}};
        break;
    case 2:
        set = {2,
               OMBREL_TEXT("ombrel", "TC1"),
               38,
               OMBREL_TEXT("ombrel", "TC2"),
               167,
               OMBREL_TEXT("ombrel", "Total"),
               262,
               {OMBREL_TEXT("ombrel", "TC1"), OMBREL_TEXT("ombrel", "TC2"), OMBREL_TEXT("ombrel", "Total")},
               {OMBREL_TEXT("ombrel", "TC1"), OMBREL_TEXT("ombrel", "TC2"), OMBREL_TEXT("ombrel", "Tot")}};
        break;
    default:
        return std::nullopt;
    }
    // Large fonts widen the fields, so the labels move right with them.
    if (largeFonts) {
        set.label1Left += 10;
        set.label2Left += 40;
        set.label4Left += 60;
    }
    return set;
}

} // namespace ombrel
