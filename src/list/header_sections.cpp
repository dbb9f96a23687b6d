#include "list/header_sections.h"

#include <algorithm>
#include <numeric>

namespace ombrel {

int TrackedColumnWidth(bool nonDropHeader, int column, int columnWidth)
{
    const SectionLimits limits = SectionLimitsFor(nonDropHeader, column);
    const int margin = kSectionMargins[static_cast<size_t>(column)];
    return std::clamp(columnWidth + margin, limits.minimum, limits.maximum) - margin;
}

std::optional<int> NeededListWidth(const ColumnWidths& columns, bool descriptionsShown)
{
    int needed = std::accumulate(columns.begin(), columns.end(), 34);
    if (!descriptionsShown)
        needed -= columns[SpacerColumn] + columns[DescriptionColumn] + 5;
    const int narrowest = descriptionsShown ? 414 : 294;
    if (needed > narrowest)
        return needed;
    return std::nullopt;
}

} // namespace ombrel
