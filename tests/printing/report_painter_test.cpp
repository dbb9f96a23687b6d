#include "file_bytes.h"
#include "file_size_limit.h"
#include "printing/report_painter.h"
#include "test_registry.h"
#include "text_recorder.h"

#include <QPageRanges>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace ombrel;
using ombrel::test::TextRecorder;

namespace {

const QSizeF kLetterPoints(612, 792);
const QDateTime kStamp(QDate(2024, 3, 9), QTime(14, 5));

CalcSheet sheetOf(const QStringList& descriptions)
{
    CalcSheet sheet;
    for (int r = 0; r < descriptions.size(); ++r) {
        const std::string description = descriptions[r].toStdString();
        const std::string in = "00:00:" + std::string(r < 10 ? "0" : "") + std::to_string(r % 60) + ":00";
        const RowCells row{in, "+", "00:00:05:00", "=", "00:00:15:00", "", description};
        sheet.appendCalculation({row, row, row, row, row, RowCells{"300", "+", "150", "=", "450", "", description}});
    }
    return sheet;
}

ReportContent content(bool pageNumbers = true, bool date = true, bool time = true, bool descriptions = true)
{
    ReportContent c;
    c.format = TimecodeFormat::NonDrop;
    c.descriptions = descriptions;
    c.pageNumbers = pageNumbers;
    c.date = date;
    c.time = time;
    c.heading = "Timecode Data";
    c.subheading = "30 fps Non-Drop Frame";
    return c;
}

// Page `page` of the report drawn one report unit to a device pixel.
std::unique_ptr<TextRecorder> drawn(Report& report, int64_t page = 1)
{
    report.pagination().layOut(page);
    auto recorder = std::make_unique<TextRecorder>(report.paperSize().toSize());
    QPainter painter(recorder.get());
    MapReportOnto(painter, QRectF(QPointF(0, 0), report.paperSize()), report.paperSize());
    report.paintPage(painter, page);
    return recorder;
}

// A real PDF of a few pages at `path`, as a print finds one it would replace.
QByteArray printedPdf(const QString& path)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    const CalcSheet sheet = sheetOf(QStringList(3, "old"));
    Report report(sheet, content(), kDefaultPrintFont, PaperPoints(printer), kStamp);
    if (!PrintReport(printer, report, [](int64_t) { return true; }).printed)
        return {};
    return test::FileBytes(path);
}

// Prints a long report to `path`.
PrintOutcome printLong(const QString& path)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    const CalcSheet sheet = sheetOf(QStringList(600, "a new description"));
    Report report(sheet, content(), kDefaultPrintFont, PaperPoints(printer), kStamp);
    return PrintReport(printer, report, [](int64_t) { return true; });
}

mode_t modeOf(const QString& path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// The file system sees this thread as the user "nobody" (a root test would
// otherwise write anywhere): changing the file system's user from root drops
// root's file powers with it.
class AsNobody {
public:
    AsNobody() : wasRoot_(geteuid() == 0)
    {
        if (wasRoot_) {
            setfsgid(65534);
            setfsuid(65534);
        }
    }
    ~AsNobody()
    {
        if (wasRoot_) {
            setfsuid(0);
            setfsgid(0);
        }
    }
    AsNobody(const AsNobody&) = delete;
    AsNobody& operator=(const AsNobody&) = delete;

private:
    bool wasRoot_;
};

// The id of a process that has ended.
pid_t endedProcess()
{
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

} // namespace

class ReportPainterTest : public QObject {
    Q_OBJECT
private slots:
    void headerParts_data()
    {
        QTest::addColumn<bool>("pageNumbers");
        QTest::addColumn<bool>("date");
        QTest::addColumn<bool>("time");
        QTest::newRow("all") << true << true << true;
        QTest::newRow("no page numbers") << false << true << true;
        QTest::newRow("no date") << true << false << true;
        QTest::newRow("no time") << true << true << false;
        QTest::newRow("none") << false << false << false;
    }
    void headerParts()
    {
        QFETCH(bool, pageNumbers);
        QFETCH(bool, date);
        QFETCH(bool, time);
        const CalcSheet sheet = sheetOf({"Intro"});
        Report report(sheet, content(pageNumbers, date, time), kDefaultPrintFont, kLetterPoints, kStamp);
        const auto page = drawn(report);
        const QString dateText = QLocale::system().toString(kStamp.date(), QLocale::ShortFormat);
        const QString timeText = QLocale::system().toString(kStamp.time(), QLocale::ShortFormat);

        const TextRecorder::Text* heading = page->find("Timecode Data");
        QVERIFY(heading);
        QCOMPARE(heading->pixelSize, 160.0); // 16 points
        QCOMPARE(heading->at.x(), 360 + ReportUnits(4));
        QVERIFY(page->find("30 fps Non-Drop Frame"));
        QCOMPARE(page->find("30 fps Non-Drop Frame")->pixelSize, 120.0);
        QCOMPARE(page->find("Page: ") != nullptr, pageNumbers);
        QCOMPARE(page->find("1") != nullptr, pageNumbers);
        QCOMPARE(page->find(dateText) != nullptr, date);
        QCOMPARE(page->find(timeText) != nullptr, time);
        if (pageNumbers) {
            QCOMPARE(page->find("Page: ")->at.x(), 360 + ReportUnits(614));
            QCOMPARE(page->find("1")->pixelSize, 100.0);
        }
        QVERIFY(page->find("00:00:00:00  +  00:00:05:00  =  00:00:15:00    -    Intro"));
        QCOMPARE(page->texts.size(), 3 + 2 * pageNumbers + date + time);
    }

    void bodyLines()
    {
        const CalcSheet sheet = sheetOf({"Intro", "", "Titles"});
        Report report(sheet, content(false, false, false), kDefaultPrintFont, kLetterPoints, kStamp);
        const QStringList lines = drawn(report)->strings().mid(2);
        QCOMPARE(lines, (QStringList{"00:00:00:00  +  00:00:05:00  =  00:00:15:00    -    Intro",
                                     "00:00:01:00  +  00:00:05:00  =  00:00:15:00",
                                     "00:00:02:00  +  00:00:05:00  =  00:00:15:00    -    Titles"}));
        Report without(sheet, content(false, false, false, false), kDefaultPrintFont, kLetterPoints, kStamp);
        QVERIFY(!drawn(without)->strings().join('\n').contains("Intro"));
    }

    // Every page carries the header with its own number.
    void pageNumbersFollowThePages()
    {
        QStringList descriptions;
        for (int r = 0; r < 120; ++r)
            descriptions << "";
        const CalcSheet sheet = sheetOf(descriptions);
        Report report(sheet, content(), kDefaultPrintFont, kLetterPoints, kStamp);
        QVERIFY(report.pagination().layOut(100));
        QCOMPARE(report.pagination().pageCount(), 3);
        const auto third = drawn(report, 3);
        QVERIFY(third->find("Timecode Data"));
        QVERIFY(third->find("3"));
        QVERIFY(!third->find("1"));
    }

    // A description far longer than a line is printed whole, on further
    // lines, none of them wider than the body.
    void longDescriptionWraps()
    {
        QString description;
        for (int word = 0; word < 80; ++word)
            description += QString("word%1 ").arg(word);
        description = description.trimmed();
        const CalcSheet sheet = sheetOf({description});
        Report report(sheet, content(false, false, false), kDefaultPrintFont, kLetterPoints, kStamp);
        const QStringList lines = drawn(report)->strings().mid(2);
        QVERIFY(lines.size() > 3);
        const ReportFrame frame = ReportFrameFor(report.paperSize().width(), report.paperSize().height());
        QFont body(QString::fromStdString(kDefaultPrintFont.name));
        body.setPixelSize(120);
        body.setBold(true);
        body.setKerning(false);
        body.setHintingPreference(QFont::PreferNoHinting);
        const QFontMetricsF metrics(body);
        for (const QString& line : lines)
            QVERIFY2(metrics.horizontalAdvance(line) <= frame.bodyWidth, qPrintable(line));
        QCOMPARE(lines.join(' ').section("    -    ", 1), description);
    }

    // The body prints at the stored size when a line of it fits the page's
    // body, else at the largest size whose line does; no size at all is the
    // usual 12 points. Every body line then lies on its page, whole.
    void bodyFontFitsAPage_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("points"); // -1: the largest that fits
        QTest::newRow("usual") << 12 << 12;
        QTest::newRow("large but fitting") << 200 << 200;
        QTest::newRow("none") << 0 << 12;
        QTest::newRow("negative") << -7 << 12;
        QTest::newRow("taller than a page") << 2000 << -1;
        QTest::newRow("huge") << 2'000'000'000 << -1;
    }
    void bodyFontFitsAPage()
    {
        QFETCH(int, stored);
        QFETCH(int, points);
        const StoredFont font{"Arial", 0, stored, {.bold = true}};
        const CalcSheet sheet = sheetOf({"Intro", ""});
        Report report(sheet, content(), font, kLetterPoints, kStamp);
        const ReportFrame frame = ReportFrameFor(report.paperSize().width(), report.paperSize().height());
        // The body font's metrics at a size, in report units (ten to a point).
        const auto metrics = [](int size) {
            QFont body(QStringLiteral("Arial"));
            body.setPixelSize(size * 10);
            body.setBold(true);
            body.setKerning(false);
            body.setHintingPreference(QFont::PreferNoHinting);
            return QFontMetricsF(body);
        };
        const auto lineSpacing = [&](int size) { return metrics(size).lineSpacing(); };
        const int printed = report.bodyPoints();
        if (points > 0) {
            QCOMPARE(printed, points);
        } else {
            QVERIFY2(lineSpacing(printed) <= frame.bodyHeight, qPrintable(QString::number(printed)));
            QVERIFY2(lineSpacing(printed + 1) > frame.bodyHeight, qPrintable(QString::number(printed)));
        }
        QVERIFY(report.pagination().layOut(100));
        int bodyLines = 0;
        for (int64_t page = 1; page <= report.pagination().pageCount(); ++page) {
            const auto drawnPage = drawn(report, page);
            for (const TextRecorder::Text& text : drawnPage->texts) {
                if (text.at.y() <= frame.bodyTop)
                    continue; // the header band
                ++bodyLines;
                QCOMPARE(text.pixelSize, printed * 10.0);
                const double descent = metrics(printed).descent();
                QVERIFY2(text.at.y() + descent <= frame.bodyTop + frame.bodyHeight,
                         qPrintable(QString("page %1: %2 at %3").arg(page).arg(text.text).arg(text.at.y())));
            }
        }
        // Both entries are printed, on one line each or more.
        QVERIFY(bodyLines >= 2);
    }

    // At a 512-point print font a page holds one line of a character or
    // two: the pages hold every character of the entries in order, one
    // line each, and a page asked for again, in any order, is the same.
    void pagesOfAHugeFont()
    {
        StoredFont font = kDefaultPrintFont;
        font.size = 512;
        const CalcSheet sheet = sheetOf(QStringList(30, "Intro"));
        Report report(sheet, content(), font, kLetterPoints, kStamp);
        QCOMPARE(report.bodyPoints(), 512);
        ReportPagination& pages = report.pagination();
        while (!pages.layOut(100)) {
        }
        QCOMPARE(pages.linesPerPage(), 1);
        QVERIFY(pages.pageCount() > 4 * ReportPagination::kPagesPerStart);
        QList<std::vector<ReportLine>> inOrder;
        QString printed;
        for (int64_t page = 1; page <= pages.pageCount(); ++page) {
            inOrder << pages.pageLines(page);
            QCOMPARE(inOrder.back().size(), size_t(1));
            printed += QString::fromStdString(inOrder.back().front().text);
        }
        QString entries;
        const CalculationList& list = sheet.list(TimecodeFormat::NonDrop);
        for (int64_t row = 0; row < list.rowCount(); ++row)
            entries += QString::fromStdString(ReportBodyLine(list.rowView(row), true).text);
        QCOMPARE(printed.remove(' '), entries.remove(' '));
        for (int64_t page = pages.pageCount(); page >= 1; page -= 7)
            QCOMPARE(pages.pageLines(page), inOrder[page - 1]);
    }

    void printsToPdf_data()
    {
        QTest::addColumn<QString>("range");
        QTest::addColumn<int>("pages");
        QTest::newRow("all") << "" << 3;
        QTest::newRow("2-3") << "2-3" << 2;
        QTest::newRow("beyond the end") << "3-9" << 1;
    }
    void printsToPdf()
    {
        QFETCH(QString, range);
        QFETCH(int, pages);
        QStringList descriptions(120, QString());
        const CalcSheet sheet = sheetOf(descriptions);
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("report.pdf"));
        if (!range.isEmpty())
            printer.setPageRanges(QPageRanges::fromString(range));
        Report report(sheet, content(), kDefaultPrintFont, PaperPoints(printer), kStamp);
        QList<int64_t> printed;
        QVERIFY(PrintReport(printer, report, [&](int64_t page) {
                    printed << page;
                    return true;
                }).printed);
        QCOMPARE(printed.size(), pages);
        QCOMPARE(test::PdfPages(dir.filePath("report.pdf")), pages);
        QCOMPARE(test::FilesIn(dir.path()), QStringList{"report.pdf"});
    }

    // Stopped after its first page, a print leaves the file it would have
    // replaced as it was, and nothing beside it.
    void stoppedPrintKeepsTheOldFile()
    {
        const CalcSheet sheet = sheetOf(QStringList(120, QString()));
        QTemporaryDir dir;
        const QString path = dir.filePath("report.pdf");
        QVERIFY(test::WriteFileBytes(path, "the old file"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        Report report(sheet, content(), kDefaultPrintFont, PaperPoints(printer), kStamp);
        const PrintOutcome outcome = PrintReport(printer, report, [](int64_t) { return false; });
        QVERIFY(!outcome.printed);
        QCOMPARE(outcome.error, QString());
        QCOMPARE(test::FileBytes(path), QByteArray("the old file"));
        QCOMPARE(test::FilesIn(dir.path()), QStringList{"report.pdf"});
        QCOMPARE(printer.outputFileName(), path);
    }

    // A printed PDF keeps the mode of the file it replaces; a new one
    // follows the umask, as any new file does.
    void printedPdfMode_data()
    {
        QTest::addColumn<bool>("existing");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("mask");
        QTest::addColumn<int>("expected");
        QTest::newRow("private file kept private") << true << 0600 << 022 << 0600;
        QTest::newRow("group file kept") << true << 0640 << 077 << 0640;
        QTest::newRow("new under umask 077") << false << 0 << 077 << 0600;
        QTest::newRow("new under umask 022") << false << 0 << 022 << 0644;
    }
    void printedPdfMode()
    {
        QFETCH(bool, existing);
        QFETCH(int, mode);
        QFETCH(int, mask);
        QFETCH(int, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath("report.pdf");
        if (existing) {
            QVERIFY(!printedPdf(path).isEmpty());
            QVERIFY(::chmod(QFile::encodeName(path).constData(), mode) == 0);
        }
        const mode_t saved = ::umask(mask);
        const PrintOutcome outcome = printLong(path);
        ::umask(saved);
        QVERIFY2(outcome.printed, qPrintable(outcome.error));
        QCOMPARE(int(modeOf(path)), expected);
        QVERIFY(test::PdfPages(path) > 3);
    }

    // A disk that fills while printing leaves the old PDF whole and says so.
    void fullDiskKeepsTheOldPdf()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("report.pdf");
        const QByteArray old = printedPdf(path);
        QVERIFY(!old.isEmpty());
        PrintOutcome outcome;
        {
            test::FileSizeLimit limit(old.size() + 2000);
            outcome = printLong(path);
        }
        QVERIFY(!outcome.printed);
        QVERIFY2(outcome.error.contains("could not be written completely"), qPrintable(outcome.error));
        QVERIFY(outcome.error.contains(QDir::toNativeSeparators(path)));
        QCOMPARE(test::FileBytes(path), old);
        QCOMPARE(test::FilesIn(dir.path()), QStringList{"report.pdf"});
    }

    // Where the folder takes no new files but the PDF may be written, the
    // print is refused rather than written over the only copy.
    void folderWithoutNewFilesRefusesThePrint()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("report.pdf");
        const QByteArray old = printedPdf(path);
        QVERIFY(!old.isEmpty());
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0666) == 0);
        QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0555) == 0);
        PrintOutcome outcome;
        {
            AsNobody nobody;
            QVERIFY(::faccessat(AT_FDCWD, QFile::encodeName(dir.path()).constData(), W_OK, AT_EACCESS) != 0);
            outcome = printLong(path);
        }
        ::chmod(QFile::encodeName(dir.path()).constData(), 0700);
        QVERIFY(!outcome.printed);
        QVERIFY2(outcome.error.contains("its folder does not allow new files"), qPrintable(outcome.error));
        QCOMPARE(test::FileBytes(path), old);
        QCOMPARE(test::FilesIn(dir.path()), QStringList{"report.pdf"});
    }

    // What is not a regular file is not replaced by the print.
    void pipeTargetIsRefused()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("report.pdf");
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        const PrintOutcome outcome = printLong(path);
        QVERIFY(!outcome.printed);
        QVERIFY2(outcome.error.contains("not a file on a disk"), qPrintable(outcome.error));
        QVERIFY(QFileInfo(path).exists() && !QFileInfo(path).isFile());
    }

    // The hidden file of a print killed half way is removed by the next
    // print into its folder; that of a running print is left alone.
    void printRemovesPartsOfEndedPrints()
    {
        QTemporaryDir dir;
        const QString ended = QString(".ombrel-print-%1-0badf00d.pdf").arg(endedProcess());
        const QString running = QString(".ombrel-print-%1-0badf00d.pdf").arg(getppid());
        QVERIFY(test::WriteFileBytes(dir.filePath(ended), "%PDF-1.4 half"));
        QVERIFY(test::WriteFileBytes(dir.filePath(running), "%PDF-1.4 half"));
        QVERIFY(printLong(dir.filePath("report.pdf")).printed);
        QCOMPARE(test::FilesIn(dir.path()), (QStringList{running, "report.pdf"}));
    }
};

OMBREL_TEST_CLASS(ReportPainterTest)
#include "report_painter_test.moc"
