#pragma once

#include <array>
#include <string>
#include <string_view>

namespace ombrel {

// Columns of a calculation's row in each list: In, operator, Out, "=",
// result, an always empty spacer, description.
inline constexpr int kColumnCount = 7;
enum Column {
    InColumn = 0,
    OperatorColumn = 1,
    OutColumn = 2,
    EqualsColumn = 3,
    ResultColumn = 4,
    SpacerColumn = 5,
    DescriptionColumn = 6
};

using RowCells = std::array<std::string, kColumnCount>;
using RowView = std::array<std::string_view, kColumnCount>;

} // namespace ombrel
