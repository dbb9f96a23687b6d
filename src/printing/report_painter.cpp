#include "printing/report_painter.h"

#include "printing/pdf_replacement.h"
#include "settings/settings_sections.h"
#include "widgets/qt_text.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QPageRanges>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace ombrel {

namespace {

constexpr double kUnitsPerPoint = kReportUnitsPerInch / 72;

// The header's places, in pixels of the report definition.
constexpr double kTextLeft = 4;
constexpr double kHeadingTop = 6;
constexpr double kSubheadingTop = 38;
constexpr double kPageLabelLeft = 614;
constexpr double kPageNumberLeft = 656;
constexpr double kPageTop = 10;
constexpr double kStampLeft = 616;
constexpr double kDateTop = 38;
constexpr double kTimeTop = 57;
constexpr double kGap = 4;

const char* const kPageLabel = QT_TRANSLATE_NOOP("Report", "Page: ");

// The print font's face and style at a size in points, in report units.
QFont reportFont(const StoredFont& stored, int points)
{
    QFont font(toQt(stored.name));
    font.setPixelSize(std::max(1, static_cast<int>(points * kUnitsPerPoint)));
    font.setBold(stored.style.bold);
    font.setItalic(stored.style.italic);
    font.setUnderline(stored.style.underline);
    font.setStrikeOut(stored.style.strikeOut);
    // Widths that scale with the size, the same on screen and on paper.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

// The stored size when a line of it fits the body's height, else the
// largest that does; a size that is none at all gives the usual one.
int fittingPoints(const StoredFont& stored, double bodyHeight)
{
    int points = stored.size > 0 ? stored.size : kDefaultPrintFont.size;
    points = std::clamp(points, 1, std::max(1, static_cast<int>(bodyHeight / kUnitsPerPoint)));
    for (;;) {
        const double spacing = QFontMetricsF(reportFont(stored, points)).lineSpacing();
        if (spacing <= bodyHeight || points == 1)
            return points;
        points = std::clamp(static_cast<int>(points * bodyHeight / spacing), 1, points - 1);
    }
}

void drawText(QPainter& painter, const QFont& font, QPointF topLeft, const QString& text)
{
    painter.setFont(font);
    painter.drawText(QPointF(topLeft.x(), topLeft.y() + QFontMetricsF(font).ascent()), text);
}

// A heading too long for its room ends in an ellipsis rather than run into
// the page number or the stamps.
QString elided(const QFont& font, const QString& text, double width)
{
    return QFontMetricsF(font).elidedText(text, Qt::ElideRight, std::max(0.0, width));
}

} // namespace

QtTextMeasure::QtTextMeasure(const QFont& font) : metrics_(font)
{
    for (int c = 0; c < 128; ++c)
        asciiAdvances_[c] = metrics_.horizontalAdvance(QChar(c));
}

double QtTextMeasure::width(std::string_view utf8) const
{
    double width = 0;
    for (char c : utf8) {
        if (static_cast<unsigned char>(c) >= 128)
            return metrics_.horizontalAdvance(toQt(utf8));
        width += asciiAdvances_[static_cast<unsigned char>(c)];
    }
    return width;
}

Report::Report(const CalcSheet& sheet, const ReportContent& content, const StoredFont& printFont,
               const QSizeF& paperPoints, const QDateTime& stamp)
    : content_(content), paper_(paperPoints * kUnitsPerPoint), frame_(ReportFrameFor(paper_.width(), paper_.height())),
      colour_(QColorFromStored(static_cast<uint32_t>(printFont.colour))), headingFont_(reportFont(printFont, 16)),
      subheadingFont_(reportFont(printFont, 12)), smallFont_(reportFont(printFont, 10)),
      bodyPoints_(fittingPoints(printFont, frame_.bodyHeight)), bodyFont_(reportFont(printFont, bodyPoints_)),
      measure_(bodyFont_), lineHeight_(QFontMetricsF(bodyFont_).lineSpacing()),
      dateText_(QLocale::system().toString(stamp.date(), QLocale::ShortFormat)),
      timeText_(QLocale::system().toString(stamp.time(), QLocale::ShortFormat)),
      rows_(sheet.list(content.format).rowCount()),
      pagination_(sheet.list(content.format), content.descriptions, frame_, lineHeight_, measure_)
{
}

void Report::paintPage(QPainter& painter, int64_t page) const
{
    painter.save();
    painter.setPen(colour_);
    const QPointF origin(frame_.left, frame_.top);
    auto at = [&](double left, double top) { return origin + QPointF(ReportUnits(left), ReportUnits(top)); };
    // The heading and subheading stop short of the stamps beside them.
    const double bandRight = frame_.width;
    const double headingRight = content_.pageNumbers ? ReportUnits(kPageLabelLeft - kGap) : bandRight;
    const double subheadingRight = content_.date || content_.time ? ReportUnits(kStampLeft - kGap) : bandRight;
    drawText(painter, headingFont_, at(kTextLeft, kHeadingTop),
             elided(headingFont_, content_.heading, headingRight - ReportUnits(kTextLeft)));
    drawText(painter, subheadingFont_, at(kTextLeft, kSubheadingTop),
             elided(subheadingFont_, content_.subheading, subheadingRight - ReportUnits(kTextLeft)));
    if (content_.pageNumbers) {
        drawText(painter, smallFont_, at(kPageLabelLeft, kPageTop), QCoreApplication::translate("Report", kPageLabel));
        // A face wider than the one the places were made for pushes the number on.
        const QPointF number = at(kPageNumberLeft, kPageTop);
        const double labelEnd =
            at(kPageLabelLeft, kPageTop).x() +
            QFontMetricsF(smallFont_).horizontalAdvance(QCoreApplication::translate("Report", kPageLabel));
        drawText(painter, smallFont_, QPointF(std::max(number.x(), labelEnd), number.y()), QString::number(page));
    }
    if (content_.date)
        drawText(painter, smallFont_, at(kStampLeft, kDateTop), dateText_);
    if (content_.time)
        drawText(painter, smallFont_, at(kStampLeft, kTimeTop), timeText_);

    painter.setFont(bodyFont_);
    const double ascent = QFontMetricsF(bodyFont_).ascent();
    double top = frame_.bodyTop;
    for (const ReportLine& line : pagination_.pageLines(page)) {
        painter.drawText(QPointF(frame_.bodyLeft + line.indent, top + ascent), toQt(line.text));
        top += lineHeight_;
    }
    painter.restore();
}

void MapReportOnto(QPainter& painter, const QRectF& target, const QSizeF& paper)
{
    painter.translate(target.topLeft());
    painter.scale(target.width() / paper.width(), target.height() / paper.height());
}

QSizeF PaperPoints(const QPrinter& printer)
{
    return printer.pageLayout().fullRectPoints().size();
}

namespace {

// False when stopped or when the printer failed; `stopped` tells which.
bool printPages(QPrinter& printer, Report& report, const std::function<bool(int64_t page)>& printed, bool& stopped)
{
    const QPageRanges ranges = printer.pageRanges();
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    MapReportOnto(painter, QRectF(QPointF(0, 0), printer.paperRect(QPrinter::DevicePixel).size()), report.paperSize());
    ReportPagination& pages = report.pagination();
    bool first = true;
    for (int copy = 0; copy < copies; ++copy) {
        for (int64_t page = 1; ranges.isEmpty() || page <= ranges.lastPage(); ++page) {
            while (pages.pageCount() < page && !pages.complete())
                pages.layOut(1);
            if (page > pages.pageCount())
                break;
            if (!ranges.isEmpty() && !ranges.contains(static_cast<int>(page)))
                continue;
            if (!first && !printer.newPage())
                return false;
            first = false;
            report.paintPage(painter, page);
            if (!printed(page)) {
                stopped = true;
                printer.abort();
                return false;
            }
        }
    }
    return painter.end();
}

} // namespace

PrintOutcome PrintReport(QPrinter& printer, Report& report, const std::function<bool(int64_t page)>& printed)
{
    printer.setFullPage(true); // the report keeps its own margins
    PdfReplacement output(printer);
    if (!output.refusal().isEmpty())
        return {false, output.refusal()};
    bool stopped = false;
    if (!printPages(printer, report, printed, stopped)) {
        if (stopped)
            return {};
        if (output.replacing())
            return {false, output.writeFailure()};
        return {
            false,
            QCoreApplication::translate("Report", "The report could not be printed to %1: the printer did not take it.")
                .arg(printer.outputFormat() == QPrinter::PdfFormat ? QDir::toNativeSeparators(output.target())
                                                                   : printer.printerName())};
    }
    const QString error = output.commit();
    return {error.isEmpty(), error};
}

} // namespace ombrel
