// A list of the sheet built from whole rows, for tests that need a few
// rows of known cells.
#pragma once

#include "list/calc_sheet.h"

#include <algorithm>
#include <vector>

namespace ombrel::test {

inline CalculationList listOf(const std::vector<RowCells>& rows)
{
    CalculationList list;
    for (const RowCells& cells : rows) {
        RowView view;
        std::copy(cells.begin(), cells.end(), view.begin());
        list.appendRow(view);
    }
    return list;
}

} // namespace ombrel::test
