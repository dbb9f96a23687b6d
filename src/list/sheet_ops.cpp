#include "list/sheet_ops.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace ombrel {

namespace {

// A row travels with its key: the sort exchanges these, never the cells.
// Kept to 16 bytes, as many exchanges move them.
struct SortItem {
    const char* text;
    uint32_t length;
    uint32_t row;
    std::string_view key() const { return {text, length}; }
};

// By character code, a prefix before the longer text. Keys are short, so
// a plain loop beats a call to memcmp.
bool lessByCode(std::string_view a, std::string_view b)
{
    const size_t common = std::min(a.size(), b.size());
    for (size_t k = 0; k < common; ++k)
        if (a[k] != b[k])
            return static_cast<unsigned char>(a[k]) < static_cast<unsigned char>(b[k]);
    return a.size() < b.size();
}

struct Range {
    int64_t left;
    int64_t right;
};

class ExchangeSort {
public:
    ExchangeSort(std::vector<SortItem>& items, const SortProgress& progress) : items_(items), progress_(progress) {}

    // `before(a, b)`: key a belongs in front of key b.
    template <typename Before> void run(Before before)
    {
        // The ranges wait on a stack of their own rather than on the call
        // stack: a sheet of unlucky keys would otherwise nest a call per row.
        // Sorting the left part before the right keeps the order of work.
        std::vector<Range> pending{{0, static_cast<int64_t>(items_.size()) - 1}};
        while (!pending.empty()) {
            const auto [left, right] = pending.back();
            pending.pop_back();
            report(left);
            int64_t i = left;
            int64_t j = right;
            const std::string_view pivot = items_[static_cast<size_t>((left + right) / 2)].key();
            do {
                while (before(items_[static_cast<size_t>(i)].key(), pivot))
                    ++i;
                while (before(pivot, items_[static_cast<size_t>(j)].key()))
                    --j;
                if (i <= j) {
                    std::swap(items_[static_cast<size_t>(i)], items_[static_cast<size_t>(j)]);
                    ++i;
                    --j;
                }
            } while (i <= j);
            if (i < right)
                pending.push_back({i, right});
            if (left < j)
                pending.push_back({left, j});
        }
    }

private:
    // Called for every range: most calls end at the first comparison.
    void report(int64_t left)
    {
        if (!progress_ || left < nextReport_)
            return;
        const double rows = static_cast<double>(items_.size());
        const int percent = static_cast<int>(std::nearbyint(100.0 * static_cast<double>(left) / rows));
        if (percent != lastPercent_)
            progress_(lastPercent_ = percent);
        // Ranges start further on, never back: no row before this one
        // rounds to a larger percentage.
        nextReport_ = static_cast<int64_t>((percent + 0.5) * rows / 100.0);
    }

    std::vector<SortItem>& items_;
    const SortProgress& progress_;
    int lastPercent_ = -1;
    int64_t nextReport_ = 0;
};

char foldCase(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The search text prepared once for the many cells of a search.
class CellMatcher {
public:
    CellMatcher(std::string_view text, const FindOptions& options) : options_(options), text_(text)
    {
        if (!options_.matchCase)
            for (char& c : text_)
                c = foldCase(c);
    }

    bool operator()(std::string_view cell) const
    {
        if (options_.wholeWord)
            return cell.size() == text_.size() && occursAt(cell, 0);
        if (text_.empty() || cell.size() < text_.size())
            return false;
        if (options_.matchCase)
            return cell.find(text_) != std::string_view::npos;
        for (size_t at = 0; at + text_.size() <= cell.size(); ++at)
            if (occursAt(cell, at))
                return true;
        return false;
    }

private:
    bool occursAt(std::string_view cell, size_t at) const
    {
        if (options_.matchCase)
            return cell.compare(at, text_.size(), text_) == 0;
        for (size_t k = 0; k < text_.size(); ++k)
            if (foldCase(cell[at + k]) != text_[k])
                return false;
        return true;
    }

    FindOptions options_;
    std::string text_;
};

} // namespace

std::vector<int64_t> SortOrder(const CalculationList& list, int column, SortDirection direction,
                               const SortProgress& progress)
{
    const int64_t rows = list.rowCount();
    std::vector<SortItem> items;
    items.reserve(static_cast<size_t>(rows));
    for (int64_t row = 0; row < rows; ++row) {
        const std::string_view key = list.cell(row, column);
        items.push_back({key.data(), static_cast<uint32_t>(key.size()), static_cast<uint32_t>(row)});
    }

    if (!items.empty()) {
        ExchangeSort sort(items, progress);
        if (direction == SortDirection::Ascending)
            sort.run([](std::string_view a, std::string_view b) { return lessByCode(a, b); });
        else
            sort.run([](std::string_view a, std::string_view b) { return lessByCode(b, a); });
    }

    std::vector<int64_t> order;
    order.reserve(items.size());
    for (const SortItem& item : items)
        order.push_back(item.row);
    return order;
}

bool CellMatches(std::string_view cell, std::string_view text, const FindOptions& options)
{
    return CellMatcher(text, options)(cell);
}

FindResult FindNext(const CalculationList& list, FindPosition& position, std::string_view text,
                    const FindOptions& options)
{
    const int64_t rows = list.rowCount();
    if (position.row >= rows)
        return {FindResult::Exhausted};
    const CellMatcher matches(text, options);
    for (; position.row < rows; ++position.row, position.column = 0) {
        const RowView cells = list.rowView(position.row);
        while (position.column < kColumnCount) {
            const int column = position.column++;
            if (matches(cells[static_cast<size_t>(column)]))
                return {FindResult::Found, position.row, column};
        }
    }
    return {FindResult::NotFound};
}

} // namespace ombrel
