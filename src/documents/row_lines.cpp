#include "documents/row_lines.h"

#include "documents/text_encoding.h"
#include "engine/calculation.h"

#include <algorithm>
#include <cstring>

namespace ombrel {

namespace {

constexpr uint64_t kHighBits = 0x8080808080808080ull;

// Cells are short, and a call to memcpy for each one costs more than the
// copy: up to 16 bytes go as two overlapping fixed-size moves. The bytes
// seen are or-ed into `seen`, whose high bits then tell non-ASCII text.
char* copyCell(char* out, std::string_view cell, uint64_t& seen)
{
    const size_t n = cell.size();
    const char* in = cell.data();
    if (n >= 8 && n <= 16) {
        uint64_t head, tail;
        std::memcpy(&head, in, 8);
        std::memcpy(&tail, in + n - 8, 8);
        std::memcpy(out, &head, 8);
        std::memcpy(out + n - 8, &tail, 8);
        seen |= head | tail;
    } else if (n >= 4 && n < 8) {
        uint32_t head, tail;
        std::memcpy(&head, in, 4);
        std::memcpy(&tail, in + n - 4, 4);
        std::memcpy(out, &head, 4);
        std::memcpy(out + n - 4, &tail, 4);
        seen |= head | tail;
    } else if (n < 4) {
        for (size_t i = 0; i < n; ++i) {
            out[i] = in[i];
            seen |= static_cast<unsigned char>(in[i]);
        }
    } else {
        std::memcpy(out, in, n);
        seen |= IsAscii(cell) ? 0 : kHighBits;
    }
    return out + n;
}

} // namespace

RowView RowLineCells(const CalculationList& list, int64_t row, bool trim)
{
    RowView cells = list.rowView(row);
    if (trim)
        for (auto& cell : cells)
            cell = StringSpace(cell);
    return cells;
}

void EncodingChoice::consider(std::string_view text)
{
    if (!fits_ || IsAscii(text))
        return;
    converted_.assign(text);
    const auto size = Utf8ToWindows1252InPlace(converted_.data(), converted_.size());
    fits_ = size.has_value();
    notUtf8_ = notUtf8_ || (fits_ && !IsValidUtf8(std::string_view(converted_.data(), *size)));
}

void EncodingChoice::considerRows(const CalculationList& list, int64_t row, int columns)
{
    for (int64_t r = row; fits_ && r < list.rowCount(); ++r) {
        if (IsAscii(list.packedRow(r)))
            continue;
        const RowView cells = list.rowView(r);
        for (int c = 0; c < columns; ++c)
            consider(cells[c]);
    }
}

RowLineFormatter::RowLineFormatter(LineEncoding encoding, size_t expected) : encoding_(encoding)
{
    out_.reserve(expected);
}

std::string RowLineFormatter::take(size_t next)
{
    std::string text = std::move(out_);
    out_ = std::string();
    out_.reserve(next);
    return text;
}

bool RowLineFormatter::writeRow(const RowView& cells, int columns)
{
    size_t size = static_cast<size_t>(columns) + kLineEnd.size();
    for (int c = 0; c < columns; ++c)
        size += cells[c].size();
    char* const line = size <= kLineBuffer ? line_ : (spill_.resize(size), spill_.data());
    char* out = line;
    for (int c = 0; c < columns; ++c) {
        uint64_t seen = 0;
        char* const start = out;
        out = copyCell(out, cells[c], seen);
        if ((seen & kHighBits) && !encode(start, out))
            return false;
        if (c == DescriptionColumn) // a row must stay one line
            std::replace_if(
                start, out, [](char ch) { return ch == '\r' || ch == '\n'; }, ' ');
        *out++ = ' ';
    }
    *out++ = '\r';
    *out++ = '\n';
    out_.append(line, static_cast<size_t>(out - line));
    return true;
}

bool RowLineFormatter::appendLine(std::string_view text)
{
    const size_t start = out_.size();
    out_.append(text);
    char* end = out_.data() + out_.size();
    if (!IsAscii(text) && !encode(out_.data() + start, end)) {
        out_.resize(start);
        return false;
    }
    out_.resize(static_cast<size_t>(end - out_.data()));
    out_.append(kLineEnd);
    return true;
}

bool RowLineFormatter::encode(char* start, char*& end)
{
    if (encoding_ == LineEncoding::Utf8)
        return true;
    if (encoding_ == LineEncoding::AsciiOnly)
        return false;
    const auto size = Utf8ToWindows1252InPlace(start, static_cast<size_t>(end - start));
    if (!size)
        return false;
    end = start + *size;
    converted_ = true;
    convertedNotUtf8_ = convertedNotUtf8_ || !IsValidUtf8(std::string_view(start, *size));
    return true;
}

} // namespace ombrel
