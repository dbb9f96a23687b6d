#include "printing/report.h"

#include <algorithm>
#include <optional>

namespace ombrel {

namespace {

constexpr double kMargin = kReportUnitsPerInch / 2;
constexpr double kHeaderHeight = ReportUnits(104);
constexpr double kBodyInset = ReportUnits(5);

constexpr std::string_view kCellGap = "  ";
constexpr std::string_view kDescriptionDash = "    -    ";

bool isContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// A UTF-8 character is at most four bytes long.
constexpr int kMaxContinuationBytes = 3;

// The start of the character that holds byte `at`.
size_t characterStart(std::string_view text, size_t at)
{
    for (int i = 0; i < kMaxContinuationBytes && at > 0 && at < text.size() && isContinuationByte(text[at]); ++i)
        --at;
    return at;
}

// The end of the character that starts at byte `at`.
size_t characterEnd(std::string_view text, size_t at)
{
    size_t end = std::min(at + 1, text.size());
    for (int i = 0; i < kMaxContinuationBytes && end < text.size() && isContinuationByte(text[end]); ++i)
        ++end;
    return end;
}

// The longest run of whole characters at the start of `text` that fits
// `width`; at least one character.
size_t fittingPrefix(std::string_view text, double width, const TextMeasure& measure)
{
    // Probe growing lengths first, so a very long text is not measured
    // whole for every line it gives.
    constexpr size_t kFirstProbe = 128;
    size_t fits = 0;
    size_t tooWide = text.size() + 1;
    for (size_t probe = std::min(kFirstProbe, text.size());; probe = std::min(probe * 2, text.size())) {
        probe = characterStart(text, probe);
        if (measure.width(text.substr(0, probe)) > width) {
            tooWide = probe;
            break;
        }
        fits = probe;
        if (probe == text.size())
            return probe;
    }
    while (tooWide - fits > 1) {
        size_t middle = characterStart(text, fits + (tooWide - fits) / 2);
        if (middle <= fits)
            middle = characterEnd(text, fits);
        if (middle >= tooWide)
            break;
        if (measure.width(text.substr(0, middle)) > width)
            tooWide = middle;
        else
            fits = middle;
    }
    return std::max(fits, characterEnd(text, 0));
}

} // namespace

ReportFrame ReportFrameFor(double paperWidth, double paperHeight)
{
    ReportFrame frame;
    frame.left = kMargin;
    frame.top = kMargin;
    frame.width = std::max(0.0, paperWidth - 2 * kMargin);
    frame.headerHeight = kHeaderHeight;
    frame.bodyLeft = frame.left + kBodyInset;
    frame.bodyTop = frame.top + kHeaderHeight + kBodyInset;
    frame.bodyWidth = std::max(0.0, frame.width - 2 * kBodyInset);
    frame.bodyHeight = std::max(0.0, paperHeight - kMargin - frame.bodyTop);
    return frame;
}

BodyLine ReportBodyLine(const RowView& cells, bool withDescription)
{
    BodyLine line;
    std::string& text = line.text;
    text.reserve(64);
    for (int c : {InColumn, OperatorColumn, OutColumn, EqualsColumn}) {
        text += cells[c];
        text += kCellGap;
    }
    text += cells[ResultColumn];
    if (withDescription && !cells[DescriptionColumn].empty()) {
        text += kDescriptionDash;
        line.descriptionAt = text.size();
        text += cells[DescriptionColumn];
    }
    // A line break inside a description would not print as one.
    std::replace_if(
        text.begin(), text.end(), [](char ch) { return ch == '\r' || ch == '\n'; }, ' ');
    return line;
}

LineBreak BreakLine(std::string_view text, size_t from, double width, const TextMeasure& measure)
{
    const std::string_view rest = text.substr(from);
    if (rest.empty())
        return {text.size(), text.size()};
    const size_t fits = fittingPrefix(rest, width, measure);
    size_t end = fits;
    if (fits < rest.size() && rest[fits] != ' ') {
        const size_t blank = rest.find_last_of(' ', fits - 1);
        if (blank != std::string_view::npos && blank > 0)
            end = blank;
    }
    size_t next = end;
    while (next < rest.size() && rest[next] == ' ')
        ++next;
    while (end > 0 && rest[end - 1] == ' ')
        --end;
    return {from + end, from + next};
}

ReportPagination::ReportPagination(const CalculationList& list, bool descriptions, const ReportFrame& frame,
                                   double lineHeight, const TextMeasure& measure)
    : list_(list), descriptions_(descriptions), width_(frame.bodyWidth),
      linesPerPage_(std::max(1, lineHeight > 0 ? static_cast<int>(frame.bodyHeight / lineHeight) : 1)),
      measure_(measure)
{
}

double ReportPagination::hangingIndent(const BodyLine& line) const
{
    if (line.descriptionAt == std::string::npos)
        return 0;
    const double indent = measure_.width(std::string_view(line.text).substr(0, line.descriptionAt));
    // Hanging far right would leave the description too narrow a column.
    return indent <= width_ * 2 / 3 ? indent : 0;
}

ReportPagination::Cursor ReportPagination::layOutPage(Cursor at, std::vector<ReportLine>* lines) const
{
    int used = 0;
    while (used < linesPerPage_ && at.row < list_.rowCount()) {
        const BodyLine line = ReportBodyLine(list_.rowView(at.row), descriptions_);
        const std::string_view text = line.text;
        // The entry's lines on this page, and one more to tell whether it
        // fits on a page of its own. Most entries take one line, so the
        // indent of the further lines is measured only when there are some.
        std::optional<double> indent;
        std::vector<LineBreak> breaks;
        for (size_t from = at.offset; breaks.size() <= static_cast<size_t>(linesPerPage_);) {
            if (from > 0 && !indent)
                indent = hangingIndent(line);
            breaks.push_back(BreakLine(text, from, width_ - (from > 0 ? *indent : 0), measure_));
            from = breaks.back().next;
            if (from >= text.size())
                break;
        }
        const bool wholeEntryFitsAPage = at.offset == 0 && breaks.size() <= static_cast<size_t>(linesPerPage_);
        if (used > 0 && wholeEntryFitsAPage && used + static_cast<int>(breaks.size()) > linesPerPage_)
            break; // the entry starts the next page
        size_t from = at.offset;
        for (const LineBreak& lineBreak : breaks) {
            if (used == linesPerPage_)
                break;
            if (lines)
                lines->push_back({std::string(text.substr(from, lineBreak.end - from)), from > 0 ? *indent : 0});
            ++used;
            from = lineBreak.next;
        }
        at = from >= text.size() ? Cursor{at.row + 1, 0} : Cursor{at.row, from};
    }
    return at;
}

bool ReportPagination::layOut(int64_t pages)
{
    for (int64_t laidOut = 0; laidOut < pages && !complete_; ++laidOut) {
        if (pages_ % kPagesPerStart == 0)
            starts_.push_back(next_);
        next_ = layOutPage(next_, nullptr);
        ++pages_;
        complete_ = next_.row >= list_.rowCount();
    }
    return complete_;
}

ReportPagination::Cursor ReportPagination::pageStart(int64_t page) const
{
    const int64_t kept = (page - 1) / kPagesPerStart;
    int64_t at = kept * kPagesPerStart + 1;
    Cursor start = starts_[static_cast<size_t>(kept)];
    if (followingPage_ > at && followingPage_ <= page) {
        at = followingPage_;
        start = followingStart_;
    }
    for (; at < page; ++at)
        start = layOutPage(start, nullptr);
    return start;
}

std::vector<ReportLine> ReportPagination::pageLines(int64_t page) const
{
    std::vector<ReportLine> lines;
    if (page >= 1 && page <= pageCount()) {
        followingStart_ = layOutPage(pageStart(page), &lines);
        followingPage_ = page + 1;
    }
    return lines;
}

} // namespace ombrel
