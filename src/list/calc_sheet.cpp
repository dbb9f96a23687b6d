#include "list/calc_sheet.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <new>
#include <sys/mman.h>
#include <utility>
#include <vector>

namespace ombrel {

namespace {

// Chunks grow from small to large, so a list of a few rows stays small and
// a large one needs few allocations.
constexpr size_t kFirstChunkSize = size_t{4} << 10;
constexpr size_t kChunkSize = size_t{2} << 20;

// Cell lengths are stored as base-128 varints: one byte for any cell under
// 128 characters, which is every cell but long descriptions.
size_t varintSize(size_t value)
{
    size_t size = 1;
    while (value >= 0x80) {
        value >>= 7;
        ++size;
    }
    return size;
}

char* writeVarint(char* out, size_t value)
{
    while (value >= 0x80) {
        *out++ = static_cast<char>((value & 0x7F) | 0x80);
        value >>= 7;
    }
    *out++ = static_cast<char>(value);
    return out;
}

const char* readVarint(const char* in, size_t& value)
{
    value = 0;
    int shift = 0;
    unsigned char byte;
    do {
        byte = static_cast<unsigned char>(*in++);
        value |= size_t(byte & 0x7F) << shift;
        shift += 7;
    } while (byte & 0x80);
    return in;
}

// A full-size or larger chunk is mapped with all its pages in place: filling a
// fresh chunk otherwise stops at every page for the system to supply it,
// the largest cost of reading a large file into the lists. Its pages are
// huge ones where the system has them (a full chunk is one): on a virtual
// machine the first touch of each small page can cost more than filling it.
std::shared_ptr<char[]> newChunk(size_t size)
{
    if (size >= kChunkSize) {
        void* mapped = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapped == MAP_FAILED)
            throw std::bad_alloc();
        ::madvise(mapped, size, MADV_HUGEPAGE);
        ::madvise(mapped, size, MADV_POPULATE_WRITE);
        return std::shared_ptr<char[]>(static_cast<char*>(mapped), [size](char* chunk) { ::munmap(chunk, size); });
    }
    return std::make_shared_for_overwrite<char[]>(size);
}

} // namespace

bool EditableCellText(int column, std::string_view text)
{
    return text.find_first_of(column == DescriptionColumn ? "\r\n" : " \t\r\n") == std::string_view::npos;
}

CalculationList::RowRef* CalculationList::RowRefs::owned(size_t block)
{
    std::shared_ptr<RowRef[]>& refs = blocks_[block];
    if (refs.use_count() > 1) {
        auto copy = std::make_shared_for_overwrite<RowRef[]>(kMask + 1);
        std::copy_n(refs.get(), kMask + 1, copy.get());
        refs = std::move(copy);
    }
    return refs.get();
}

void CalculationList::RowRefs::push_back(RowRef ref)
{
    if (size_ == blocks_.size() << kShift)
        blocks_.push_back(std::make_shared_for_overwrite<RowRef[]>(kMask + 1));
    owned(size_ >> kShift)[size_ & kMask] = ref;
    ++size_;
}

void CalculationList::RowRefs::insert(size_t i, RowRef ref)
{
    push_back(ref);
    // Each block from the last down to i's moves up by one, carrying its
    // last reference into the next block.
    for (size_t block = (size_ - 1) >> kShift;; --block) {
        const size_t first = std::max(block << kShift, i);
        const size_t end = std::min((block + 1) << kShift, size_);
        RowRef* refs = owned(block);
        if (end - first > 1)
            std::memmove(refs + (first & kMask) + 1, refs + (first & kMask), (end - first - 1) * sizeof(RowRef));
        if (first == i) {
            refs[i & kMask] = ref;
            break;
        }
        refs[0] = (*this)[first - 1];
    }
}

void CalculationList::RowRefs::erase(size_t i)
{
    for (size_t block = i >> kShift; block << kShift < size_; ++block) {
        const size_t first = std::max(block << kShift, i);
        const size_t end = std::min((block + 1) << kShift, size_);
        RowRef* refs = owned(block);
        if (end - first > 1)
            std::memmove(refs + (first & kMask), refs + (first & kMask) + 1, (end - first - 1) * sizeof(RowRef));
        if (end < size_)
            refs[(end - 1) & kMask] = (*this)[end];
    }
    --size_;
    if (size_ <= (blocks_.size() - 1) << kShift)
        blocks_.pop_back();
}

void CalculationList::RowRefs::clear()
{
    blocks_.clear();
    blocks_.shrink_to_fit();
    size_ = 0;
}

CalculationList::RowRef CalculationList::reserveRow(size_t size)
{
    if (chunks_.empty() || chunkUsed_ + size > chunkSize_) {
        // A row larger than a chunk gets a chunk of its own, so a row
        // always starts within the first kChunkSize bytes of its chunk.
        const size_t grown = std::clamp(2 * chunkSize_, kFirstChunkSize, kChunkSize);
        chunkSize_ = std::max(grown, size);
        chunks_.push_back(newChunk(chunkSize_));
        chunkUsed_ = 0;
    }
    RowRef ref{static_cast<uint32_t>(chunks_.size() - 1), static_cast<uint32_t>(chunkUsed_)};
    chunkUsed_ += size;
    return ref;
}

CalculationList::RowRef CalculationList::pack(const RowView& cells)
{
    size_t size = 0;
    for (auto cell : cells)
        size += varintSize(cell.size()) + cell.size();
    const RowRef ref = reserveRow(size);
    char* out = chunks_[ref.chunk].get() + ref.offset;
    for (auto cell : cells) {
        out = writeVarint(out, cell.size());
        if (!cell.empty())
            std::memcpy(out, cell.data(), cell.size());
        out += cell.size();
    }
    return ref;
}

CalculationList CalculationList::frozenCopy() const
{
    CalculationList copy;
    copy.chunks_ = chunks_;
    copy.rows_ = rows_;
    // Rows added to the copy go to a chunk of its own, never after this
    // list's bytes in a shared chunk.
    copy.chunkUsed_ = copy.chunkSize_ = 0;
    return copy;
}

void CalculationList::appendPackedRow(std::string_view packed)
{
    std::memcpy(appendPackedRowSpace(packed.size()), packed.data(), packed.size());
}

char* CalculationList::appendPackedRowSpace(size_t size)
{
    const RowRef ref = reserveRow(size);
    rows_.push_back(ref);
    return chunks_[ref.chunk].get() + ref.offset;
}

bool CalculationList::appendPackedRows(std::string_view packed)
{
    // First the rows are found and checked, then copied all at once; the
    // lengths of short cells are one byte, read without the varint loop.
    const auto* const bytes = reinterpret_cast<const unsigned char*>(packed.data());
    const size_t size = packed.size();
    std::vector<uint32_t> starts;
    for (size_t at = 0; at < size;) {
        if (at > UINT32_MAX)
            return false;
        starts.push_back(static_cast<uint32_t>(at));
        for (int c = 0; c < kColumnCount; ++c) {
            if (at >= size)
                return false;
            size_t length = bytes[at++];
            if (length & 0x80) {
                length &= 0x7F;
                for (int shift = 7;; shift += 7) {
                    if (at >= size || shift > 28)
                        return false;
                    const unsigned char byte = bytes[at++];
                    length |= size_t(byte & 0x7F) << shift;
                    if (!(byte & 0x80))
                        break;
                }
            }
            at += length;
        }
        if (at > size)
            return false;
    }
    if (starts.empty())
        return true;
    const RowRef block = reserveRow(size);
    std::memcpy(chunks_[block.chunk].get() + block.offset, packed.data(), size);
    for (const uint32_t start : starts)
        rows_.push_back({block.chunk, block.offset + start});
    return true;
}

const char* CalculationList::rowStart(int64_t row) const
{
    const RowRef ref = rows_[static_cast<size_t>(row)];
    return chunks_[ref.chunk].get() + ref.offset;
}

std::string_view CalculationList::cell(int64_t row, int column) const
{
    const char* in = rowStart(row);
    size_t length = 0;
    for (int c = 0;; ++c) {
        in = readVarint(in, length);
        if (c == column)
            return {in, length};
        in += length;
    }
}

RowView CalculationList::rowView(int64_t row) const
{
    const char* in = rowStart(row);
    auto next = [&in] {
        size_t length = 0;
        in = readVarint(in, length);
        const std::string_view cell(in, length);
        in += length;
        return cell;
    };
    // Braced initialisers run in order, and leave nothing to clear first.
    return {next(), next(), next(), next(), next(), next(), next()};
}

std::string_view CalculationList::packedRow(int64_t row) const
{
    const char* start = rowStart(row);
    const char* in = start;
    for (int c = 0; c < kColumnCount; ++c) {
        size_t length = 0;
        in = readVarint(in, length) + length;
    }
    return {start, static_cast<size_t>(in - start)};
}

RowCells CalculationList::row(int64_t row) const
{
    RowCells cells;
    for (int c = 0; c < kColumnCount; ++c)
        cells[c] = std::string(cell(row, c));
    return cells;
}

void CalculationList::appendRow(const RowView& cells)
{
    rows_.push_back(pack(cells));
}

void CalculationList::setCell(int64_t row, int column, std::string_view text)
{
    // The old row stays behind in its chunk; edits are rare and small.
    const RowCells old = this->row(row);
    RowView cells;
    for (int c = 0; c < kColumnCount; ++c)
        cells[c] = old[c];
    cells[column] = text;
    setRow(row, cells);
}

void CalculationList::setRow(int64_t row, const RowView& cells)
{
    rows_.at(static_cast<size_t>(row)) = pack(cells);
}

void CalculationList::swapRows(int64_t a, int64_t b)
{
    std::swap(rows_.at(static_cast<size_t>(a)), rows_.at(static_cast<size_t>(b)));
}

void CalculationList::reorder(std::span<const int64_t> order)
{
    assert(order.size() == rows_.size());
    // A sorted order reads the rows all over memory: asking for each one a
    // little ahead keeps many reads in flight (three times faster on a
    // million rows).
    constexpr size_t kAhead = 32;
    RowRefs reordered;
    reordered.reserve(rows_.size());
    for (size_t i = 0; i < order.size(); ++i) {
        if (i + kAhead < order.size())
            __builtin_prefetch(rows_.address(static_cast<size_t>(order[i + kAhead])));
        reordered.push_back(rows_[static_cast<size_t>(order[i])]);
    }
    rows_ = std::move(reordered);
}

void CalculationList::insertRow(int64_t row, const RowView& cells)
{
    rows_.insert(static_cast<size_t>(row), pack(cells));
}

void CalculationList::reserve(int64_t rows)
{
    rows_.reserve(static_cast<size_t>(rows));
}

void CalculationList::removeRow(int64_t row)
{
    rows_.erase(static_cast<size_t>(row));
}

void CalculationList::clear()
{
    rows_.clear();
    chunks_.clear();
    chunkUsed_ = chunkSize_ = 0;
}

CalcSheet::CalcSheet(std::array<CalculationList, kFormatCount>&& lists) : lists_(std::move(lists))
{
    for ([[maybe_unused]] const auto& list : lists_)
        assert(list.rowCount() == lists_[0].rowCount());
}

void CalcSheet::appendCalculation(const std::array<RowView, kFormatCount>& rows)
{
    for (int f = 0; f < kFormatCount; ++f)
        lists_[f].appendRow(rows[f]);
}

void CalcSheet::appendCalculation(const std::array<RowCells, kFormatCount>& rows)
{
    std::array<RowView, kFormatCount> views;
    for (int f = 0; f < kFormatCount; ++f)
        for (int c = 0; c < kColumnCount; ++c)
            views[f][c] = rows[f][c];
    appendCalculation(views);
}

CalcSheet CalcSheet::frozenCopy() const
{
    CalcSheet copy;
    for (int f = 0; f < kFormatCount; ++f)
        copy.lists_[f] = lists_[f].frozenCopy();
    return copy;
}

void CalcSheet::appendPackedCalculation(const std::array<std::string_view, kFormatCount>& packed)
{
    for (int f = 0; f < kFormatCount; ++f)
        lists_[f].appendPackedRow(packed[f]);
}

void CalcSheet::insertCalculation(int64_t row, const std::array<RowCells, kFormatCount>& rows)
{
    for (int f = 0; f < kFormatCount; ++f) {
        RowView view;
        for (int c = 0; c < kColumnCount; ++c)
            view[c] = rows[f][c];
        lists_[f].insertRow(row, view);
    }
}

std::array<RowCells, kFormatCount> CalcSheet::calculation(int64_t row) const
{
    std::array<RowCells, kFormatCount> rows;
    for (int f = 0; f < kFormatCount; ++f)
        rows[f] = lists_[f].row(row);
    return rows;
}

void CalcSheet::setCell(TimecodeFormat format, int64_t row, int column, std::string_view text)
{
    lists_[FormatIndex(format)].setCell(row, column, text);
}

void CalcSheet::swapRows(int64_t a, int64_t b)
{
    for (auto& list : lists_)
        list.swapRows(a, b);
}

void CalcSheet::reorder(std::span<const int64_t> order)
{
    for (auto& list : lists_)
        list.reorder(order);
}

void CalcSheet::removeRow(int64_t row)
{
    for (auto& list : lists_)
        list.removeRow(row);
}

void CalcSheet::clear()
{
    for (auto& list : lists_)
        list.clear();
}

} // namespace ombrel
