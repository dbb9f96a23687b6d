#pragma once

#include "printing/report.h"
#include "settings/settings_data.h"

#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QFontMetricsF>
#include <QSizeF>
#include <QString>

#include <array>
#include <functional>

class QPainter;
class QPrinter;
class QRectF;

namespace ombrel {

// Widths in a font sized in report units. Plain ASCII (nearly every line)
// is summed from a table of advances; the font draws without kerning, so
// the sum is what it draws.
class QtTextMeasure : public TextMeasure {
public:
    explicit QtTextMeasure(const QFont& font);
    double width(std::string_view utf8) const override;

private:
    QFontMetricsF metrics_;
    std::array<double, 128> asciiAdvances_{};
};

// What the print dialog asks the report to show.
struct ReportContent {
    TimecodeFormat format = TimecodeFormat::NonDrop;
    bool descriptions = true;
    bool pageNumbers = true;
    bool date = true;
    bool time = true;
    QString heading;
    QString subheading;
};

// The report of one list ready to draw: the header's texts and fonts in the
// print font's face, colour and style (heading 16 points, subheading 12,
// page number, date and time 10), and the body in the whole print font.
// The list must not change while the report lives.
class Report {
public:
    Report(const CalcSheet& sheet, const ReportContent& content, const StoredFont& printFont, const QSizeF& paperPoints,
           const QDateTime& stamp);
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    ReportPagination& pagination() { return pagination_; }
    const ReportPagination& pagination() const { return pagination_; }
    // The paper in report units.
    QSizeF paperSize() const { return paper_; }
    // The body font's size: the print font's, made small enough for a line
    // to fit a page.
    int bodyPoints() const { return bodyPoints_; }
    int64_t rowCount() const { return rows_; }

    // Draws a laid-out page; the painter must map report units onto the
    // paper (see MapReportOnto).
    void paintPage(QPainter& painter, int64_t page) const;

private:
    ReportContent content_;
    QSizeF paper_;
    ReportFrame frame_;
    QColor colour_;
    QFont headingFont_;
    QFont subheadingFont_;
    QFont smallFont_;
    int bodyPoints_;
    QFont bodyFont_;
    QtTextMeasure measure_;
    double lineHeight_;
    QString dateText_;
    QString timeText_;
    int64_t rows_;
    ReportPagination pagination_;
};

// Sets the painter so that the paper, in report units, fills `target`.
void MapReportOnto(QPainter& painter, const QRectF& target, const QSizeF& paper);

// The paper the printer is set up for, in points, turned as it prints.
QSizeF PaperPoints(const QPrinter& printer);

// Prints the report's pages in the printer's page range (laying them out as
// it goes) and its copies when the printer cannot make them itself. After
// each page `printed` hears of it and may stop the printing by returning
// false. A PDF file is replaced only by a complete print (PdfReplacement).
struct PrintOutcome {
    bool printed = false;
    QString error; // why it failed; empty when done or stopped
};
PrintOutcome PrintReport(QPrinter& printer, Report& report, const std::function<bool(int64_t page)>& printed);

} // namespace ombrel
