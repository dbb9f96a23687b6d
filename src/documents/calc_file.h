#pragma once

#include "documents/line_blocks.h"
#include "documents/row_lines.h"
#include "engine/format_info.h"
#include "engine/user_text.h"
#include "list/calc_sheet.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ombrel {

// The calculation file (.obr) holds the whole work: the six lists with their
// descriptions, as CR LF text lines.
//
//   OmbrelSheet              magic
//   <count>                  calculations, i.e. rows in every list
//   NonDropFrame Timecode    then one section per list: a title line,
//   <row lines>              <count> row lines (every cell followed by one
//                            space) and an empty line
//   ...
//
// "OmbrelPrior" files (five cells per row, no description) are read too but
// never written.
enum class CalcFileMagic { OmbrelSheet, OmbrelPrior };

// The file's bytes for the sheet, ready to be written as they are: in
// Windows-1252 when every character fits, else in UTF-8. Frames cells lose
// their trailing blanks (StringSpace). Line breaks inside a description
// become spaces, as a row must stay one line.
std::string WriteCalcFile(const CalcSheet& sheet, int64_t userRate, double framesRate);

// The same bytes piece by piece through one reused buffer, so a large sheet
// streams to disk with no copy of the file in memory. The sheet must not
// change while the writer lives.
class CalcFileWriter {
public:
    static constexpr size_t kPieceBytes = size_t(1) << 20;

    CalcFileWriter(const CalcSheet& sheet, int64_t userRate, double framesRate);

    // Formats the next piece of the file, about `bytes` long, into `piece`
    // (reusing its memory); empty once all is written. Two pieces taken in
    // turn let one be written while the next is formatted.
    void next(std::string& piece, size_t bytes = kPieceBytes);
    // Rows of all six lists written so far, of rowsToWrite().
    int64_t rowsWritten() const { return list_ * sheet_.rowCount() + row_; }
    int64_t rowsToWrite() const { return kFormatCount * sheet_.rowCount(); }

private:
    // Called at the first non-ASCII text: the rest of the file decides.
    void chooseEncoding();

    const CalcSheet& sheet_;
    Rates rates_;
    RowLineFormatter formatter_;
    bool headWritten_ = false;
    bool titleWritten_ = false;
    int list_ = 0;
    int64_t row_ = 0;
};

struct CalcFileContents {
    // The message to show when the file was rejected; empty when it was read.
    UserMessage error;
    // The file's lists; empty when the file was rejected.
    CalcSheet sheet;
    CalcFileMagic magic = CalcFileMagic::OmbrelSheet;

    bool ok() const { return error.text.empty(); }
};

// How far reading has come, in thousandths; answering false stops it.
using ReadProgress = std::function<bool(int permille)>;

// Reads a file of `size` bytes into a new sheet, a block at a time through
// small buffers. First the lines are counted, to find where each list's
// rows lie: a file that ends early is turned down before its rows are
// read, and nothing is sized from the count the file claims. Then the six
// lists are read, at the same time for a large file. The sheet is handed
// out only when the whole file proved good. A cell longer than its limit
// below rejects the file, naming the line; a line longer than any a
// calculation file holds ends the reading. Nothing when the progress
// stopped it.
std::optional<CalcFileContents> ReadCalcFile(int64_t size, const ReadAt& readAt, const ReadProgress& progress = {});
// The same for a whole file's bytes in memory.
CalcFileContents ReadCalcFile(std::string_view bytes);
// The message when reading a file failed part way and the system gave none.
inline constexpr std::string_view kCalcFileReadFailed = OMBREL_TEXT("ombrel", "The file could not be read to its end.");

// Limits that keep a hostile file from driving memory or time. Value cells
// hold timecodes (11 characters), operators, frame counts (at most 20) and
// percentages; a description may hold a long note. Sizes are bytes of the
// cell's UTF-8 text.
inline constexpr size_t kValueCellLimit = 32;
inline constexpr size_t kDescriptionLimit = 64 * 1024;
// Some eight million calculations without descriptions.
inline constexpr int64_t kCalcFileSizeLimit = int64_t{2} << 30;
// No line of a calculation file is longer: six value cells and a
// description, each with its separator, and a line end.
inline constexpr size_t kLongestCalcFileLine = 6 * (kValueCellLimit + 1) + kDescriptionLimit + 1 + 2;

// What the first bytes of a file (kCalcFileHeadSize of them, or the whole
// of a shorter file) say: the message to show when it cannot be a
// calculation file, else nothing. This lets a file be turned down before
// the rest of it is read.
inline constexpr size_t kCalcFileHeadSize = 14; // a byte-order mark and the magic
std::optional<UserMessage> CalcFileHeadError(std::string_view head);
// The message for a file one of whose lines is longer than any a
// calculation file holds; line counts from 1.
UserMessage CalcFileLongLineError(int64_t line);

// A decimal rate in general number form, "." as decimal point: up to 15
// significant digits, no trailing zeros, no point for whole values.
std::string FormatRateText(double rate);
// A title of the format table with "{rate}" replaced by the format's rate:
// the whole rate, or the Frames rate in general number form.
std::string TitleWithRate(std::string_view title, const FormatInfo& format, const Rates& rates);

} // namespace ombrel
