#pragma once

#include "list/calc_sheet.h"

#include <array>
#include <optional>

namespace ombrel {

// The header bar over each list has one section per column and an eighth,
// narrow one that shows or hides the descriptions. A section is wider than
// its column by a fixed margin; dragging a divider keeps the section within
// its limits and sizes the column in all six lists alike.

inline constexpr int kSectionCount = kColumnCount + 1;
inline constexpr int kToggleSection = kColumnCount;
inline constexpr std::array<int, kColumnCount> kSectionMargins{4, 1, 2, 2, 3, 2, 2};

struct SectionLimits {
    int minimum = 0;
    int maximum = 0;
};

// The NonDrop header keeps its spacer section at a fixed width.
SectionLimits SectionLimitsFor(bool nonDropHeader, int section);
inline bool SectionResizable(bool nonDropHeader, int section)
{
    const SectionLimits limits = SectionLimitsFor(nonDropHeader, section);
    return limits.minimum < limits.maximum;
}

// The column width a divider drag to `columnWidth` leaves: its section
// held within the section's limits, less the margin.
int TrackedColumnWidth(bool nonDropHeader, int column, int columnWidth);

using ListColumnWidths = std::array<int, kColumnCount>;

// The width the lists need for these columns, when it is more than the
// window's narrowest layout gives them; without descriptions the spacer
// and description columns lie beyond the visible part.
std::optional<int> NeededListWidth(const ListColumnWidths& columns, bool descriptionsShown);

} // namespace ombrel
