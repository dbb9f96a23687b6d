#pragma once

#include "documents/row_lines.h"
#include "engine/format_info.h"
#include "list/calc_sheet.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace ombrel {

// The export file: one format's list as CR LF text lines, optionally after a
// heading line and a subheading line (each only when not empty). A row line
// holds the cells In, operator, Out, "=", result (and, with descriptions,
// the empty spacer and the description), each followed by one blank:
//
//   Timecode Data
//   30 fps Non-Drop Frame
//   00:00:10:00 + 00:00:05:00 = 00:00:15:00  Intro
//
// Frames cells lose their trailing blanks. The bytes are Windows-1252 when
// every character fits, else UTF-8, as for the calculation file.
struct TextExportOptions {
    TimecodeFormat format = TimecodeFormat::NonDrop;
    bool descriptions = true;
    bool headings = false;
    std::string heading;
    std::string subheading;
};

// Writes the file piece by piece, so a long list streams to disk in bounded
// memory. The sheet must not change while the writer lives.
class TextExportWriter {
public:
    static constexpr size_t kPieceBytes = size_t(1) << 20;

    TextExportWriter(const CalcSheet& sheet, TextExportOptions options);

    // The next piece of the file, about `bytes` long; empty once all is
    // written. The piece lasts until the next call, which reuses its memory.
    std::string_view next(size_t bytes = kPieceBytes);
    int64_t rowsWritten() const { return row_; }
    int64_t rowCount() const { return list_.rowCount(); }

private:
    // Called at the first non-ASCII text: the rest of the file decides.
    void chooseEncoding();
    void writeHeadings();

    const CalculationList& list_;
    TextExportOptions options_;
    int columns_;
    bool trim_;
    RowLineFormatter formatter_;
    bool headingsWritten_ = false;
    int64_t row_ = 0;
};

// The whole file at once.
std::string WriteTextExport(const CalcSheet& sheet, const TextExportOptions& options);

// The name of a format's list in headings and captions: "30 fps Non-Drop
// Frame", "User Definable - 48fps", "Frames - 29.97fps".
std::string FormatSubheading(TimecodeFormat format, const Rates& rates);

} // namespace ombrel
