#pragma once

#include "list/calc_sheet.h"

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace ombrel {

// ---------------------------------------------------------------- sorting

enum class SortDirection { Ascending, Descending };

// Told the percentage of the rows sorted so far, each time it changes.
using SortProgress = std::function<void(int percent)>;

// The order of the rows once `list` is sorted by `column`: element i is the
// row that moves to position i. Keys compare by character code (a prefix is
// smaller, the empty text smallest). The rows go through an exchange
// quicksort with a middle pivot, and its exchanges alone decide where rows
// with equal keys end up, so the same sheet always sorts the same way.
std::vector<int64_t> SortOrder(const CalculationList& list, int column, SortDirection direction,
                               const SortProgress& progress = {});

// ---------------------------------------------------------------- finding

struct FindOptions {
    bool wholeWord = false; // the whole cell must equal the text
    bool matchCase = false; // otherwise a-z count as A-Z
};

// Whether one cell matches the search text. An empty text occurs nowhere,
// but equals an empty cell.
bool CellMatches(std::string_view cell, std::string_view text, const FindOptions& options);

// The next cell to test: the search goes row by row, left to right through
// the seven columns of each row, and never wraps.
struct FindPosition {
    int64_t row = 0;
    int column = 0;
};

struct FindResult {
    enum Outcome {
        Found,     // `row` and `column` name the cell
        NotFound,  // this search ran past the last row
        Exhausted, // an earlier search already did: nothing was tested
    };
    Outcome outcome = Exhausted;
    int64_t row = 0;
    int column = 0;
};

// Tests cells from `position` on until one matches, leaving `position` on
// the cell after it.
FindResult FindNext(const CalculationList& list, FindPosition& position, std::string_view text,
                    const FindOptions& options);

} // namespace ombrel
