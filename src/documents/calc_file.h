#pragma once

#include "list/calc_sheet.h"

#include <cstdint>
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
// first, so a rejected file leaves nothing half read.
CalcFileContents ReadCalcFile(std::string_view bytes);

// A decimal rate in general number form, "." as decimal point: up to 15
// significant digits, no trailing zeros, no point for whole values.
std::string FormatRateText(double rate);

} // namespace ombrel
