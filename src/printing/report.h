#pragma once

#include "list/calc_sheet.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ombrel {

// The printed report of one format's list: on every page a header (heading,
// subheading, page number, date, time), under it the body, one entry per
// calculation. This is its page layout; drawing it is the painter's job.
//
// Lengths are in report units of 1/720 inch (a tenth of a point), fine
// enough that layout measured once is the same on screen and on paper.
inline constexpr double kReportUnitsPerInch = 720;
// The report's places are given in screen pixels of 1/96 inch.
inline constexpr double ReportUnits(double pixels96)
{
    return pixels96 * kReportUnitsPerInch / 96;
}

// Where the parts of a page lie, in report units from the paper's corner.
struct ReportFrame {
    double left = 0;
    double top = 0;
    double width = 0;        // between the side margins
    double headerHeight = 0; // the header band, at the top of every page
    double bodyLeft = 0;
    double bodyTop = 0;
    double bodyWidth = 0;
    double bodyHeight = 0;
};

// Half-inch margins all round; the header band 104 pixels high; the body
// inset 5 pixels in the band under it.
ReportFrame ReportFrameFor(double paperWidth, double paperHeight);

// An entry's text: "In  op  Out  =  Duration", then "    -    " and the
// description when descriptions are wanted and the row has one.
struct BodyLine {
    std::string text;
    size_t descriptionAt = std::string::npos; // where the description starts
};
BodyLine ReportBodyLine(const RowView& cells, bool withDescription);

// Widths of text in the body font, in report units.
class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    virtual double width(std::string_view utf8) const = 0;
};

// One printed line: a piece of an entry's text and how far it is indented.
struct ReportLine {
    std::string text;
    double indent = 0;

    friend bool operator==(const ReportLine&, const ReportLine&) = default;
};

// Where a line that starts at `from` ends, and where the next one starts:
// after the last blank that fits `width`, inside a word only when the word
// alone is wider, and at least one character whatever the width. The
// blanks at the break belong to neither line.
struct LineBreak {
    size_t end;
    size_t next;
};
LineBreak BreakLine(std::string_view text, size_t from, double width, const TextMeasure& measure);

// The pages of the body, laid out a few at a time so that the first page
// shows at once however long the list. An entry too long for a line wraps
// onto further lines, those hanging under its description (unless that
// would leave the description less than a third of the line); an entry is
// kept on one page when it fits on one. Where a page starts is kept only
// for every kPagesPerStart-th page, so a huge font's millions of pages take
// little memory; the pages between are laid out again when asked for. The
// list must not change while the pagination lives.
class ReportPagination {
public:
    ReportPagination(const CalculationList& list, bool descriptions, const ReportFrame& frame, double lineHeight,
                     const TextMeasure& measure);

    // Lays out up to `pages` more pages; true once the whole report is.
    bool layOut(int64_t pages);
    bool complete() const { return complete_; }
    // The pages laid out so far; at least 1 once layOut ran, since a report
    // with no entries is one page with its header.
    int64_t pageCount() const { return pages_; }
    int linesPerPage() const { return linesPerPage_; }
    // The entries on the pages laid out so far.
    int64_t rowsLaidOut() const { return next_.row; }
    // The lines of a laid-out page, numbered from 1. Asking for the pages in
    // order lays out each once.
    std::vector<ReportLine> pageLines(int64_t page) const;

    static constexpr int64_t kPagesPerStart = 64;

private:
    // A place in the body: an entry and a byte of its text.
    struct Cursor {
        int64_t row = 0;
        size_t offset = 0;
    };
    Cursor layOutPage(Cursor at, std::vector<ReportLine>* lines) const;
    Cursor pageStart(int64_t page) const;
    double hangingIndent(const BodyLine& line) const;

    const CalculationList& list_;
    bool descriptions_;
    double width_;
    int linesPerPage_;
    const TextMeasure& measure_;
    std::vector<Cursor> starts_; // where pages 1, 1 + kPagesPerStart, ... start
    int64_t pages_ = 0;
    Cursor next_;
    // The start of the page after the one last asked for.
    mutable int64_t followingPage_ = 0;
    mutable Cursor followingStart_;
    bool complete_ = false;
};

} // namespace ombrel
