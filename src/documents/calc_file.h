#pragma once

#include "engine/format_info.h"
#include "list/calc_sheet.h"

#include <cstddef>
#include <cstdint>
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
// The same bytes in pieces to be written one after the other (the head, then
// a piece per list), which spares joining a large file in memory.
std::vector<std::string> WriteCalcFilePieces(const CalcSheet& sheet, int64_t userRate, double framesRate);

struct CalcFileContents {
    // The message to show when the file was rejected; empty when it was read.
    std::string error;
    // The file's lists; empty when the file was rejected.
    CalcSheet sheet;
    CalcFileMagic magic = CalcFileMagic::OmbrelSheet;

    bool ok() const { return error.empty(); }
};

// Reads a whole file's bytes into a new sheet. The file is checked entirely
// first, so a rejected file leaves nothing half read. A cell longer than
// its limit below rejects the file, naming the line.
CalcFileContents ReadCalcFile(std::string_view bytes);

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
std::optional<std::string> CalcFileHeadError(std::string_view head);
// The message for a file one of whose lines is longer than any a
// calculation file holds; line counts from 1.
std::string CalcFileLongLineError(int64_t line);

// A decimal rate in general number form, "." as decimal point: up to 15
// significant digits, no trailing zeros, no point for whole values.
std::string FormatRateText(double rate);
// A title of the format table with "{rate}" replaced by the format's rate:
// the whole rate, or the Frames rate in general number form.
std::string TitleWithRate(std::string_view title, const FormatInfo& format, const Rates& rates);

} // namespace ombrel
