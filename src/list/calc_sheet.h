#pragma once

#include "engine/calc_row.h"
#include "engine/timecode.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ombrel {

// Whether the user may type a text into a cell. The calculation file
// separates cells with blanks and rows with line ends: a description holds
// blanks but no line break, every other cell neither.
bool EditableCellText(int column, std::string_view text);

// One format's list of rows. Cells are kept packed in large chunks (a
// length byte or varint before each cell's text) so that a million rows per
// list stay small; a row is an 8-byte reference into the chunks. Rewriting a
// cell packs the whole row anew, so any cell can hold any text.
class CalculationList {
public:
    CalculationList() = default;
    CalculationList(CalculationList&&) = default;
    CalculationList& operator=(CalculationList&&) = default;
    // The rows as they are now, sharing the cells' bytes (no copy of the
    // text): stays valid, and unchanged, whatever this list does next.
    CalculationList frozenCopy() const;

    int64_t rowCount() const { return static_cast<int64_t>(rows_.size()); }
    std::string_view cell(int64_t row, int column) const;
    RowCells row(int64_t row) const;
    // All seven cells in one walk; the views last until the list changes.
    RowView rowView(int64_t row) const;
    // The row's cells as they are kept, each after its length, back to
    // back: when these bytes are all ASCII, so is every cell.
    std::string_view packedRow(int64_t row) const;

    void appendRow(const RowView& cells);
    // A row given as packedRow() gives it: seven cells, each after its
    // length. The caller has checked that it is exactly that.
    void appendPackedRow(std::string_view packed);
    // Room for one more row of `size` bytes at the end, which the caller
    // fills at once with the row as packedRow() gives it: a reader builds
    // each row in place, with no copy of its cells in between.
    char* appendPackedRowSpace(size_t size);
    // Rows as packedRow() gives them, back to back, copied in one piece.
    // False, with nothing appended, when the bytes are not whole rows.
    bool appendPackedRows(std::string_view packed);
    // The rows from `row` on move down by one.
    void insertRow(int64_t row, const RowView& cells);
    void reserve(int64_t rows);
    void setCell(int64_t row, int column, std::string_view text);
    // The old cells stay behind in their chunk, as for setCell.
    void setRow(int64_t row, const RowView& cells);
    void swapRows(int64_t a, int64_t b);
    // Row i becomes the old row order[i]; order is a permutation of the rows.
    void reorder(std::span<const int64_t> order);
    void removeRow(int64_t row);
    void clear();

private:
    struct RowRef {
        uint32_t chunk;
        uint32_t offset;
    };
    // The rows' references in blocks that frozen copies share: a copy
    // takes the blocks, not the references, and a block shared is copied
    // only when one side changes it. So the recovery journal can take the
    // sheet as it stands at any moment without a pause, however large.
    class RowRefs {
    public:
        size_t size() const { return size_; }
        RowRef operator[](size_t i) const { return *address(i); }
        const RowRef* address(size_t i) const { return &blocks_[i >> kShift][i & kMask]; }
        RowRef& at(size_t i) { return owned(i >> kShift)[i & kMask]; }
        void push_back(RowRef ref);
        void insert(size_t i, RowRef ref);
        void erase(size_t i);
        void reserve(size_t count) { blocks_.reserve((count + kMask) >> kShift); }
        void clear();

    private:
        static constexpr size_t kShift = 12;
        static constexpr size_t kMask = (size_t(1) << kShift) - 1;
        RowRef* owned(size_t block);
        std::vector<std::shared_ptr<RowRef[]>> blocks_;
        size_t size_ = 0;
    };
    // Room for a row of `size` bytes at the end of the chunks.
    RowRef reserveRow(size_t size);
    RowRef pack(const RowView& cells);
    const char* rowStart(int64_t row) const;

    // Shared with frozen copies, which only read the bytes written so far.
    std::vector<std::shared_ptr<char[]>> chunks_;
    RowRefs rows_;
    size_t chunkUsed_ = 0;
    size_t chunkSize_ = 0;
};

// The six lists, one per format, always with the same number of rows: row r
// of every list is the same calculation. Every row operation acts on all six.
class CalcSheet {
public:
    CalcSheet() = default;
    // Six lists built apart, all with the same number of rows.
    explicit CalcSheet(std::array<CalculationList, kFormatCount>&& lists);

    int64_t rowCount() const { return lists_[0].rowCount(); }
    // See CalculationList::frozenCopy: cheap, and safe to read on another
    // thread while this sheet goes on changing.
    CalcSheet frozenCopy() const;
    const CalculationList& list(TimecodeFormat format) const { return lists_[FormatIndex(format)]; }
    std::string_view cell(TimecodeFormat format, int64_t row, int column) const
    {
        return list(format).cell(row, column);
    }

    void appendCalculation(const std::array<RowView, kFormatCount>& rows);
    // Each list's row as packedRow() gives it (see appendPackedRow).
    void appendPackedCalculation(const std::array<std::string_view, kFormatCount>& packed);
    void appendCalculation(const std::array<RowCells, kFormatCount>& rows);
    void insertCalculation(int64_t row, const std::array<RowCells, kFormatCount>& rows);
    // Row `row` of every list, as insertCalculation takes it back.
    std::array<RowCells, kFormatCount> calculation(int64_t row) const;
    void setCell(TimecodeFormat format, int64_t row, int column, std::string_view text);
    void swapRows(int64_t a, int64_t b);
    void reorder(std::span<const int64_t> order);
    void removeRow(int64_t row);
    void clear();

private:
    std::array<CalculationList, kFormatCount> lists_;
};

} // namespace ombrel
