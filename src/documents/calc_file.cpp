#include "documents/calc_file.h"

#include "documents/row_lines.h"
#include "documents/text_encoding.h"
#include "engine/calculation.h"
#include "engine/format_info.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <exception>
#include <string>
#include <thread>
#include <vector>

namespace ombrel {

namespace {

constexpr std::string_view kSheetMagic = "OmbrelSheet";
constexpr std::string_view kPriorMagic = "OmbrelPrior";
constexpr std::string_view kNotOurFile = "Not a Ombrel file!";

// The six lists are independent, so large files handle them at the same
// time; for small ones starting six threads costs more than it saves.
// An exception thrown for a list (out of memory) is thrown again here,
// once every list is done.
template <typename Work> void forEachList(bool inParallel, Work work)
{
    if (!inParallel) {
        for (int f = 0; f < kFormatCount; ++f)
            work(f);
        return;
    }
    std::array<std::exception_ptr, kFormatCount> failures;
    {
        std::vector<std::jthread> workers;
        for (int f = 0; f < kFormatCount; ++f)
            workers.emplace_back([&, f] {
                try {
                    work(f);
                } catch (...) {
                    failures[f] = std::current_exception();
                }
            });
    }
    for (const auto& failure : failures)
        if (failure)
            std::rethrow_exception(failure);
}

constexpr int64_t kParallelRows = 8192;
constexpr size_t kParallelBytes = 1 << 20;

struct FormattedSection {
    std::string text;
    bool written = false; // false when a cell does not fit the encoding
    bool converted = false;
    bool convertedNotUtf8 = false;
};

// A section: its title line, its row lines and the empty line closing it.
FormattedSection formatSection(const CalcSheet& sheet, int f, int64_t userRate, double framesRate, bool windows1252)
{
    const int64_t rows = sheet.rowCount();
    const CalculationList& list = sheet.list(FormatAt(f));
    const FormatInfo& format = kWindowFormats[f];
    const bool trim = format.frameCounts;
    // A timecode row line takes 44 bytes; descriptions may make it grow.
    RowLineFormatter formatter(windows1252 ? LineEncoding::Windows1252 : LineEncoding::Utf8,
                               64 + static_cast<size_t>(rows) * 48);
    formatter.append(TitleWithRate(format.fileSectionTitle, format, Rates{userRate, framesRate}));
    formatter.append(kLineEnd);
    FormattedSection section;
    for (int64_t r = 0; r < rows; ++r)
        if (!formatter.writeRow(RowLineCells(list, r, trim)))
            return section;
    formatter.append(kLineEnd);
    section.written = true;
    section.converted = formatter.converted();
    section.convertedNotUtf8 = formatter.convertedNotUtf8();
    section.text = formatter.take();
    return section;
}

// The file's pieces in the encoding asked for; none when a cell does not fit it.
std::vector<std::string> formatFile(const CalcSheet& sheet, int64_t userRate, double framesRate, bool windows1252)
{
    std::array<FormattedSection, kFormatCount> sections;
    forEachList(sheet.rowCount() >= kParallelRows,
                [&](int f) { sections[f] = formatSection(sheet, f, userRate, framesRate, windows1252); });
    bool converted = false;
    bool convertedNotUtf8 = false;
    for (const auto& section : sections) {
        if (!section.written)
            return {};
        converted = converted || section.converted;
        convertedNotUtf8 = convertedNotUtf8 || section.convertedNotUtf8;
    }
    // A Windows-1252 file whose bytes all happen to form valid UTF-8 would be
    // read back as other characters ("Ã©" gives C3 A9, read as "é").
    if (windows1252 && converted && !convertedNotUtf8)
        return {};

    std::vector<std::string> pieces;
    pieces.push_back(std::string(kSheetMagic) + std::string(kLineEnd) + std::to_string(sheet.rowCount()) +
                     std::string(kLineEnd));
    for (auto& section : sections)
        pieces.push_back(std::move(section.text));
    return pieces;
}

// ---- Reading ----

// The line at pos without its end, moving pos past it. A line ends with LF,
// optionally after a CR; the last line of a file may lack its end.
std::string_view nextLine(const char*& pos, const char* end)
{
    const char* start = pos;
    const auto* lf = static_cast<const char*>(std::memchr(pos, '\n', static_cast<size_t>(end - pos)));
    const char* stop = lf ? lf : end;
    pos = lf ? lf + 1 : end;
    if (stop > start && stop[-1] == '\r')
        --stop;
    return {start, static_cast<size_t>(stop - start)};
}

// Line feeds in a run of up to 255 eight-byte words, eight bytes at a time.
size_t countLineFeeds(const char* data, size_t words)
{
    constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    constexpr uint64_t kLineFeeds = 0x0A0A0A0A0A0A0A0Aull;
    uint64_t perByte = 0; // one counter per byte lane, at most 255 each
    for (size_t w = 0; w < words; ++w) {
        uint64_t word;
        std::memcpy(&word, data + 8 * w, 8);
        const uint64_t x = word ^ kLineFeeds; // line feeds become zero bytes
        const uint64_t nonZero = ((x & kLow7) + kLow7) | x;
        perByte += (~nonZero >> 7) & 0x0101010101010101ull;
    }
    const uint64_t pairs = (perByte & 0x00FF00FF00FF00FFull) + ((perByte >> 8) & 0x00FF00FF00FF00FFull);
    return static_cast<size_t>((pairs * 0x0001000100010001ull) >> 48);
}

// Moves pos past up to n lines; returns how many there were. Long runs of
// lines are counted a block at a time rather than searched line by line.
int64_t skipLines(const char*& pos, const char* end, int64_t n)
{
    constexpr size_t kBlockWords = 255;
    constexpr size_t kBlock = 8 * kBlockWords;
    int64_t skipped = 0;
    while (skipped < n && pos < end) {
        // A block may be passed whole when the file goes on after it (so a
        // last line without its end is still counted below) and it ends fewer
        // lines than are still wanted.
        if (static_cast<size_t>(end - pos) > kBlock) {
            const auto feeds = static_cast<int64_t>(countLineFeeds(pos, kBlockWords));
            if (feeds < n - skipped) {
                pos += kBlock;
                skipped += feeds;
                continue;
            }
        }
        const auto* lf = static_cast<const char*>(std::memchr(pos, '\n', static_cast<size_t>(end - pos)));
        pos = lf ? lf + 1 : end;
        ++skipped;
    }
    return skipped;
}

std::string lineMessage(int64_t line, std::string_view text)
{
    return "Line " + std::to_string(line) + ": " + std::string(text);
}

// Names the first cell of a row that is longer than its limit; empty when
// none is.
std::string oversizedCell(const RowView& cells)
{
    for (int c = 0; c < kColumnCount; ++c) {
        const size_t limit = c == DescriptionColumn ? kDescriptionLimit : kValueCellLimit;
        if (cells[c].size() > limit)
            return c == DescriptionColumn
                       ? "the description is longer than " + std::to_string(limit) + " bytes."
                       : "cell " + std::to_string(c + 1) + " is longer than " + std::to_string(limit) + " bytes.";
    }
    return {};
}

// Cuts the row line at pos into cells and moves pos past it, in one scan.
// False when the line has fewer space-terminated cells than the layout needs
// (found says how many it has).
bool readRow(const char*& pos, const char* end, bool withDescription, RowView& cells, int& found)
{
    const int tokens = withDescription ? 6 : 5;
    const char* cell = pos;
    for (found = 0; found < tokens; ++found) {
        const char* space = cell;
        while (space < end && *space != ' ' && *space != '\n')
            ++space;
        if (space == end || *space == '\n')
            return false;
        cells[found] = std::string_view(cell, static_cast<size_t>(space - cell));
        cell = space + 1;
    }
    const char* stop = cell;
    while (stop < end && *stop != '\n')
        ++stop;
    pos = stop < end ? stop + 1 : end;
    if (stop > cell && stop[-1] == '\r')
        --stop;
    cells[SpacerColumn] = {};
    if (withDescription) {
        std::string_view description(cell, static_cast<size_t>(stop - cell));
        if (description.ends_with(' '))
            description.remove_suffix(1); // the separator after the last cell
        cells[DescriptionColumn] = description;
    } else {
        cells[DescriptionColumn] = {};
    }
    return true;
}

// Reads the count row lines of one section, starting at pos on line
// firstLine, into its list. Returns the message naming the first bad line,
// or nothing when every row was read.
std::string readSection(const char* pos, const char* end, int64_t count, int64_t firstLine, bool withDescription,
                        bool utf8, CalculationList& list)
{
    list.reserve(count);
    RowView cells;
    std::string converted;
    for (int64_t r = 0; r < count; ++r) {
        int found = 0;
        const char* const lineStart = pos;
        const bool complete = readRow(pos, end, withDescription, cells, found);
        if (!complete)
            return lineMessage(firstLine + r, "this row has " + std::to_string(found) + " of the " +
                                                  std::to_string(withDescription ? 6 : 5) +
                                                  " cells it needs, each followed by a space.");
        const std::string_view line(lineStart, static_cast<size_t>(pos - lineStart));
        if (!utf8 && !IsAscii(line)) {
            // The rare Windows-1252 line with other than ASCII is read again
            // from its UTF-8 form.
            converted = Windows1252ToUtf8(line);
            const char* again = converted.data();
            readRow(again, again + converted.size(), withDescription, cells, found);
        }
        if (std::string error = oversizedCell(cells); !error.empty())
            return lineMessage(firstLine + r, error);
        list.appendRow(cells);
    }
    return {};
}

// Only the first 11 characters of line 1 count.
bool isMagic(std::string_view firstLine)
{
    const std::string_view magic = firstLine.substr(0, kSheetMagic.size());
    return magic == kSheetMagic || magic == kPriorMagic;
}

CalcFileContents rejected(std::string message)
{
    CalcFileContents contents;
    contents.error = std::move(message);
    return contents;
}

} // namespace

std::optional<std::string> CalcFileHeadError(std::string_view head)
{
    // A byte-order mark is taken off only when the whole file is UTF-8,
    // which the head cannot tell; the file is refused here only when the
    // magic is missing either way.
    if (isMagic(head) || (head.starts_with("\xEF\xBB\xBF") && isMagic(head.substr(3))))
        return std::nullopt;
    return std::string(kNotOurFile);
}

std::string CalcFileLongLineError(int64_t line)
{
    return lineMessage(line, "this line is longer than any line of an Ombrel file.");
}

std::string TitleWithRate(std::string_view title, const FormatInfo& format, const Rates& rates)
{
    std::string text(title);
    constexpr std::string_view kRate = "{rate}";
    if (const size_t at = text.find(kRate); at != std::string::npos)
        text.replace(at, kRate.size(),
                     format.frameCounts ? FormatRateText(rates.framesRate) : std::to_string(WholeRate(format, rates)));
    return text;
}

std::string FormatRateText(double rate)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, rate, std::chars_format::general, 15);
    return std::string(buffer, result.ptr);
}

std::vector<std::string> WriteCalcFilePieces(const CalcSheet& sheet, int64_t userRate, double framesRate)
{
    // Windows-1252 keeps files byte-compatible with the Windows program; text
    // beyond it is written in UTF-8, found out by trying.
    std::vector<std::string> pieces = formatFile(sheet, userRate, framesRate, true);
    return pieces.empty() ? formatFile(sheet, userRate, framesRate, false) : pieces;
}

std::string WriteCalcFile(const CalcSheet& sheet, int64_t userRate, double framesRate)
{
    std::string file;
    for (const std::string& piece : WriteCalcFilePieces(sheet, userRate, framesRate))
        file += piece;
    return file;
}

CalcFileContents ReadCalcFile(std::string_view bytes)
{
    // Line ends, blanks and the magics are ASCII, the same bytes in UTF-8 and
    // in Windows-1252, so the file is split as it is; only row lines holding
    // other bytes of a Windows-1252 file are converted, one at a time.
    const bool utf8 = IsValidUtf8(bytes);
    const std::string_view text = utf8 ? WithoutByteOrderMark(bytes) : bytes;
    const char* pos = text.data();
    const char* const end = text.data() + text.size();

    const std::string_view magic = pos < end ? nextLine(pos, end).substr(0, kSheetMagic.size()) : "";
    if (!isMagic(magic))
        return rejected(std::string(kNotOurFile));
    const bool withDescription = magic == kSheetMagic;

    const std::string_view countLine = pos < end ? nextLine(pos, end) : "";
    const std::string countText = utf8 ? std::string(countLine) : Windows1252ToUtf8(countLine);
    int64_t count = 0;
    try {
        count = ParseInteger(countText);
    } catch (const ConversionError& error) {
        return rejected(error.what());
    }
    if (count < 0)
        return rejected(lineMessage(2, "the number of calculations (" + countText + ") cannot be negative."));

    // First make sure every line the count announces is there, and find where
    // each list's rows begin; nothing is sized from the count before that.
    std::array<const char*, kFormatCount> rowStart{};
    std::array<int64_t, kFormatCount> rowLine{};
    int64_t lineNumber = 3;
    for (int f = 0; f < kFormatCount; ++f) {
        const std::string section(kWindowFormats[f].name);
        // The empty line closing the previous section, then the title, which
        // is informative only.
        for (int skipped = f > 0 ? 0 : 1; skipped < 2; ++skipped) {
            if (skipLines(pos, end, 1) < 1)
                return rejected(lineMessage(lineNumber, "the file ends before the " + section + " section."));
            ++lineNumber;
        }
        rowStart[f] = pos;
        rowLine[f] = lineNumber;
        const int64_t present = skipLines(pos, end, count);
        if (present < count)
            return rejected(lineMessage(lineNumber + present, "the file ends after " + std::to_string(present) +
                                                                  " of the " + std::to_string(count) + " rows of the " +
                                                                  section + " section."));
        lineNumber += count;
    }

    std::array<CalculationList, kFormatCount> lists;
    std::array<std::string, kFormatCount> errors;
    forEachList(text.size() >= kParallelBytes, [&](int f) {
        errors[f] = readSection(rowStart[f], end, count, rowLine[f], withDescription, utf8, lists[f]);
    });
    // Sections lie in file order, so the first error names the first bad line.
    for (const std::string& error : errors)
        if (!error.empty())
            return rejected(error);

    CalcFileContents contents;
    contents.magic = withDescription ? CalcFileMagic::OmbrelSheet : CalcFileMagic::OmbrelPrior;
    contents.sheet = CalcSheet(std::move(lists));
    return contents;
}

} // namespace ombrel
