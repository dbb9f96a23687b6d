#pragma once

#include "engine/calc_row.h"

#include <array>
#include <optional>

namespace ombrel {

// The header bar over each list has one section per column and an eighth,
// narrow one that shows or hides the descriptions. A section is wider than
// its column by a fixed margin; dragging a divider keeps the section within
// its limits and sizes the column in all six lists alike.

inline constexpr int kSectionCount = kColumnCount + 1;
inline constexpr int kToggleSection = kColumnCount;
inline constexpr int kToggleSectionWidth = 19;
inline constexpr std::array<int, kColumnCount> kSectionMargins{4, 1, 2, 2, 3, 2, 2};

struct SectionLimits {
    int minimum = 0;
    int maximum = 0;
};

// The NonDrop header keeps its spacer section at a fixed width.
constexpr SectionLimits SectionLimitsFor(bool nonDropHeader, int section)
{
    switch (section) {
    case InColumn:
    case OutColumn:
    case ResultColumn:
        return {20, 200};
    case OperatorColumn:
    case EqualsColumn:
        return {5, 30};
    case SpacerColumn:
        return nonDropHeader ? SectionLimits{19, 19} : SectionLimits{5, 30};
    case DescriptionColumn:
        return {20, 300};
    default:
        return {19, 19};
    }
}

constexpr bool SectionResizable(bool nonDropHeader, int section)
{
    const SectionLimits limits = SectionLimitsFor(nonDropHeader, section);
    return limits.minimum < limits.maximum;
}

// How narrow and how wide a column may be: what dragging its section on
// any header allows, less the section's margin. Stored widths outside them
// are brought inside before they are used.
struct WidthLimits {
    int narrowest = 0;
    int widest = 0;
};
inline constexpr std::array<WidthLimits, kColumnCount> kColumnWidthLimits = [] {
    std::array<WidthLimits, kColumnCount> limits{};
    for (int c = 0; c < kColumnCount; ++c) {
        const SectionLimits section = SectionLimitsFor(false, c);
        const int margin = kSectionMargins[static_cast<size_t>(c)];
        limits[static_cast<size_t>(c)] = {section.minimum - margin, section.maximum - margin};
    }
    return limits;
}();

// The column width a divider drag to `columnWidth` leaves: its section
// held within the section's limits, less the margin.
int TrackedColumnWidth(bool nonDropHeader, int column, int columnWidth);

// In, operator, Out, "=", result, spacer, description.
using ColumnWidths = std::array<int, kColumnCount>;

// The width the lists need for these columns, when it is more than the
// window's narrowest layout gives them; without descriptions the spacer
// and description columns lie beyond the visible part.
std::optional<int> NeededListWidth(const ColumnWidths& columns, bool descriptionsShown);

} // namespace ombrel
