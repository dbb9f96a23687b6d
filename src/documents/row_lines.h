#pragma once

#include "list/calc_sheet.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ombrel {

// Row lines as the text files hold them: each cell followed by one blank,
// then CR LF. Used by the calculation file and the text export.

inline constexpr std::string_view kLineEnd = "\r\n";

// The cells of a row; Frames cells (trim) lose their trailing blanks.
RowView RowLineCells(const CalculationList& list, int64_t row, bool trim);

// How the lines' bytes are written: UTF-8 (the sheet's own text),
// Windows-1252 (the rare non-ASCII cell is converted on the way), or ASCII
// only, for a writer that has not yet had to choose one of the two.
enum class LineEncoding { Utf8, Windows1252, AsciiOnly };

// Picks the encoding of a file once its first non-ASCII text turns up, from
// that text and every one after it: Windows-1252 keeps files
// byte-compatible with the Windows program when every character fits and
// the bytes cannot be taken for UTF-8 when read back (the Windows-1252
// bytes of "Ã©" are the UTF-8 of "é"); else UTF-8.
class EncodingChoice {
public:
    void consider(std::string_view text);
    // The rows from `row` on, their first `columns` cells.
    void considerRows(const CalculationList& list, int64_t row, int columns = kColumnCount);
    LineEncoding encoding() const { return fits_ && notUtf8_ ? LineEncoding::Windows1252 : LineEncoding::Utf8; }

private:
    bool fits_ = true;
    bool notUtf8_ = false;
    std::string converted_;
};

// Formats lines into one growing text.
class RowLineFormatter {
public:
    RowLineFormatter(LineEncoding encoding, size_t expected);

    void setEncoding(LineEncoding encoding) { encoding_ = encoding; }

    // ASCII text as it is.
    void append(std::string_view text) { out_.append(text); }
    // A line of text in the encoding; false, with nothing written, when the
    // text has a character the encoding cannot hold.
    bool appendLine(std::string_view text);

    // The first `columns` cells of a row as one line. Line breaks inside the
    // description become blanks, as a row must stay one line. False, with
    // nothing written, when a cell has a character the encoding cannot hold.
    bool writeRow(const RowView& cells, int columns = kColumnCount);

    // Whether a cell was converted to Windows-1252, and whether one of those
    // conversions gave bytes that are not also valid UTF-8.
    bool converted() const { return converted_; }
    bool convertedNotUtf8() const { return convertedNotUtf8_; }

    size_t size() const { return out_.size(); }
    std::string_view text() const { return out_; }
    // Starts again empty, keeping the memory for the next lines.
    void clear() { out_.clear(); }
    // Trades the text so far for another, so that lines can be formatted
    // into memory the caller keeps.
    void swapText(std::string& text) { out_.swap(text); }
    // The text so far; the formatter starts again empty, reserving `next`.
    std::string take(size_t next = 0);

private:
    // Rewrites the non-ASCII text [start, end) in the encoding; false when
    // a character does not fit it.
    bool encode(char* start, char*& end);

    static constexpr size_t kLineBuffer = 512;
    char line_[kLineBuffer]; // rows are formatted here, then appended once
    std::string spill_;      // for the rare longer line
    std::string out_;
    LineEncoding encoding_;
    bool converted_ = false;
    bool convertedNotUtf8_ = false;
};

} // namespace ombrel
