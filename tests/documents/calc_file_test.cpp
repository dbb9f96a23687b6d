#include "documents/calc_file.h"
#include "documents/text_encoding.h"
#include "engine/calculation.h"
#include "test_registry.h"

#include <QTest>

#include <algorithm>
#include <string>

using namespace ombrel;

namespace {

using SixRows = std::array<RowCells, kFormatCount>;

// 00:00:01:00 + 00:00:01:00 at every rate, as the calculation leaves it.
SixRows oneSecondPlusOneSecond(const std::string& description = {})
{
    const RowCells timecode{"00:00:01:00", "+", "00:00:01:00", "=", "00:00:02:00", "", description};
    RowCells drop{"00;00;01;00", "+", "00;00;01;00", "=", "00;00;02;00", "", description};
    RowCells frames{"30", "+", "30", "=", "60", "", description};
    return {timecode, drop, timecode, timecode, timecode, frames};
}

const QByteArray kWorkedExample = "OmbrelSheet\r\n"
                                  "1\r\n"
                                  "NonDropFrame Timecode\r\n"
                                  "00:00:01:00 + 00:00:01:00 = 00:00:02:00   \r\n"
                                  "\r\n"
                                  "DropFrame Timecode\r\n"
                                  "00;00;01;00 + 00;00;01;00 = 00;00;02;00   \r\n"
                                  "\r\n"
                                  "PAL Timecode\r\n"
                                  "00:00:01:00 + 00:00:01:00 = 00:00:02:00   \r\n"
                                  "\r\n"
                                  "Film Timecode\r\n"
                                  "00:00:01:00 + 00:00:01:00 = 00:00:02:00   \r\n"
                                  "\r\n"
                                  "User (30fps) Timecode\r\n"
                                  "00:00:01:00 + 00:00:01:00 = 00:00:02:00   \r\n"
                                  "\r\n"
                                  "Frames (30fps)\r\n"
                                  "30 + 30 = 60   \r\n"
                                  "\r\n";

CalcFileContents read(const QByteArray& file)
{
    return ReadCalcFile(std::string_view(file.data(), file.size()));
}

QByteArray lineOf(const QByteArray& file, int number)
{
    return file.split('\n').value(number - 1);
}

QByteArray withLine(QByteArray file, int number, const QByteArray& text)
{
    QList<QByteArray> lines = file.split('\n');
    lines[number - 1] = text;
    return lines.join('\n');
}

QByteArray firstLines(const QByteArray& file, int count)
{
    return file.split('\n').mid(0, count).join('\n') + '\n';
}

void compareToSheet(const CalcSheet& actual, const CalcSheet& expected)
{
    QCOMPARE(actual.rowCount(), expected.rowCount());
    for (int f = 0; f < kFormatCount; ++f)
        for (int64_t r = 0; r < expected.rowCount(); ++r)
            for (int c = 0; c < kColumnCount; ++c) {
                const auto format = FormatAt(f);
                if (actual.cell(format, r, c) != expected.cell(format, r, c))
                    QFAIL(qPrintable(QString("list %1 row %2 column %3: '%4', expected '%5'")
                                         .arg(f)
                                         .arg(r)
                                         .arg(c)
                                         .arg(QString::fromStdString(std::string(actual.cell(format, r, c))),
                                              QString::fromStdString(std::string(expected.cell(format, r, c))))));
            }
}

CalcSheet workedExampleSheet()
{
    CalcSheet sheet;
    sheet.appendCalculation(oneSecondPlusOneSecond());
    return sheet;
}

} // namespace

class CalcFileTest : public QObject {
    Q_OBJECT

private slots:
    void workedExample()
    {
        const std::string file = WriteCalcFile(workedExampleSheet(), 30, 30.0);
        QCOMPARE(QByteArray::fromStdString(file), kWorkedExample);

        const CalcFileContents contents = read(kWorkedExample);
        QVERIFY2(contents.ok(), EnglishText(contents.error).c_str());
        QVERIFY(contents.magic == CalcFileMagic::OmbrelSheet);
        compareToSheet(contents.sheet, workedExampleSheet());
    }

    // The whole file of rows with descriptions outside ASCII, a "%" and a
    // "~" row, in every format: written as Windows-1252, byte for byte.
    void describedPercentAndRangeRowsInEveryFormat()
    {
        const auto rows = [](const std::string& in, const std::string& op, const std::string& out,
                             const std::string& result, const std::string& description) {
            RowCells timecode{in, op, out, "=", result, "", description};
            RowCells drop = timecode;
            for (int c : {InColumn, OutColumn, ResultColumn})
                std::replace(drop[c].begin(), drop[c].end(), ':', ';');
            return SixRows{timecode, drop, timecode, timecode, timecode, timecode};
        };
        CalcSheet sheet;
        sheet.appendCalculation(rows("00:00:10:00", "%", "50", "00:00:05:00", "Caf\xC3\xA9 \xE2\x82\xAC"));
        sheet.appendCalculation(rows("00:00:10:00", "~", "00:00:04:00", "00:00:06:00", "na\xC3\xAFve take"));
        const QByteArray expected = "OmbrelSheet\r\n"
                                    "2\r\n"
                                    "NonDropFrame Timecode\r\n"
                                    "00:00:10:00 % 50 = 00:00:05:00  Caf\xE9 \x80 \r\n"
                                    "00:00:10:00 ~ 00:00:04:00 = 00:00:06:00  na\xEFve take \r\n"
                                    "\r\n"
                                    "DropFrame Timecode\r\n"
                                    "00;00;10;00 % 50 = 00;00;05;00  Caf\xE9 \x80 \r\n"
                                    "00;00;10;00 ~ 00;00;04;00 = 00;00;06;00  na\xEFve take \r\n"
                                    "\r\n"
                                    "PAL Timecode\r\n"
                                    "00:00:10:00 % 50 = 00:00:05:00  Caf\xE9 \x80 \r\n"
                                    "00:00:10:00 ~ 00:00:04:00 = 00:00:06:00  na\xEFve take \r\n"
                                    "\r\n"
                                    "Film Timecode\r\n"
                                    "00:00:10:00 % 50 = 00:00:05:00  Caf\xE9 \x80 \r\n"
                                    "00:00:10:00 ~ 00:00:04:00 = 00:00:06:00  na\xEFve take \r\n"
                                    "\r\n"
                                    "User (24fps) Timecode\r\n"
                                    "00:00:10:00 % 50 = 00:00:05:00  Caf\xE9 \x80 \r\n"
                                    "00:00:10:00 ~ 00:00:04:00 = 00:00:06:00  na\xEFve take \r\n"
                                    "\r\n"
                                    "Frames (25fps)\r\n"
                                    "00:00:10:00 % 50 = 00:00:05:00  Caf\xE9 \x80 \r\n"
                                    "00:00:10:00 ~ 00:00:04:00 = 00:00:06:00  na\xEFve take \r\n"
                                    "\r\n";
        QCOMPARE(QByteArray::fromStdString(WriteCalcFile(sheet, 24, 25.0)), expected);
    }

    void descriptionEndsTheRow()
    {
        CalcSheet sheet;
        SixRows calculation = oneSecondPlusOneSecond();
        calculation[0][DescriptionColumn] = "Scene 1";
        sheet.appendCalculation(calculation);
        const QByteArray file = QByteArray::fromStdString(WriteCalcFile(sheet, 30, 30.0));
        QCOMPARE(lineOf(file, 4), QByteArray("00:00:01:00 + 00:00:01:00 = 00:00:02:00  Scene 1 \r"));
    }

    void titleLines_data()
    {
        QTest::addColumn<qint64>("userRate");
        QTest::addColumn<double>("framesRate");
        QTest::addColumn<QByteArray>("userTitle");
        QTest::addColumn<QByteArray>("framesTitle");
        QTest::newRow("whole rates") << qint64(15) << 25.0 << QByteArray("User (15fps) Timecode")
                                     << QByteArray("Frames (25fps)");
        QTest::newRow("NTSC") << qint64(60) << 29.97 << QByteArray("User (60fps) Timecode")
                              << QByteArray("Frames (29.97fps)");
        QTest::newRow("23.976") << qint64(48) << 23.976 << QByteArray("User (48fps) Timecode")
                                << QByteArray("Frames (23.976fps)");
        QTest::newRow("15 significant digits")
            << qint64(1000) << 0.1 + 0.2 << QByteArray("User (1000fps) Timecode") << QByteArray("Frames (0.3fps)");
        QTest::newRow("long fraction") << qint64(1) << 1.0 / 3.0 << QByteArray("User (1fps) Timecode")
                                       << QByteArray("Frames (0.333333333333333fps)");
    }
    void titleLines()
    {
        QFETCH(qint64, userRate);
        QFETCH(double, framesRate);
        QFETCH(QByteArray, userTitle);
        QFETCH(QByteArray, framesTitle);
        const QByteArray file = QByteArray::fromStdString(WriteCalcFile(workedExampleSheet(), userRate, framesRate));
        QCOMPARE(lineOf(file, 15), userTitle + '\r');
        QCOMPARE(lineOf(file, 18), framesTitle + '\r');
        // Titles are informative: other rates read the same.
        const CalcFileContents contents = read(file);
        QVERIFY2(contents.ok(), EnglishText(contents.error).c_str());
        compareToSheet(contents.sheet, workedExampleSheet());
    }

    // Every list, with the description in row 1, through Save and Open: the
    // first five lists come back exactly, the Frames list without trailing
    // blanks.
    void roundTrip_data()
    {
        QTest::addColumn<QByteArray>("description");
        QTest::addColumn<QByteArray>("encodedAs"); // how the description must appear in the file
        QTest::newRow("empty") << QByteArray("") << QByteArray("");
        QTest::newRow("spaces inside") << QByteArray("Scene 1  take 2") << QByteArray("Scene 1  take 2");
        QTest::newRow("trailing spaces") << QByteArray("Reel 4  ") << QByteArray("Reel 4  ");
        QTest::newRow("spaces inside and after") << QByteArray("a b  c  ") << QByteArray("a b  c  ");
        QTest::newRow("leading spaces") << QByteArray("  indented") << QByteArray("  indented");
        QTest::newRow("only spaces") << QByteArray("   ") << QByteArray("   ");
        QTest::newRow("longer than 100") << QByteArray(150, 'x') + " end" << QByteArray(150, 'x') + " end";
        QTest::newRow("2000 characters") << QByteArray(2000, 'y') << QByteArray(2000, 'y');
        QTest::newRow("longest allowed") << QByteArray(kDescriptionLimit, 'z') << QByteArray(kDescriptionLimit, 'z');
        QTest::newRow("windows-1252") << QByteArray("caf\xC3\xA9 \xE2\x82\xAC") << QByteArray("caf\xE9 \x80");
        QTest::newRow("undefined windows-1252 byte") << QByteArray("x\xC2\x81y") << QByteArray("x\x81y");
        QTest::newRow("beyond windows-1252")
            << QByteArray("caf\xC3\xA9 \xE2\x86\x92 end") << QByteArray("caf\xC3\xA9 \xE2\x86\x92 end");
        QTest::newRow("looks like UTF-8 in windows-1252")
            << QByteArray("\xC3\x83\xC2\xA9") << QByteArray("\xC3\x83\xC2\xA9");
    }
    void roundTrip()
    {
        QFETCH(QByteArray, description);
        QFETCH(QByteArray, encodedAs);
        CalcSheet sheet;
        sheet.appendCalculation(oneSecondPlusOneSecond("first"));
        sheet.appendCalculation(oneSecondPlusOneSecond(description.toStdString()));
        SixRows third = oneSecondPlusOneSecond();
        third[0][InColumn] = "12.5"; // percentage operand
        third[0][OperatorColumn] = "%";
        third[5][ResultColumn] = "-123456789012345678901234"; // far past 20 characters
        sheet.appendCalculation(third);

        const std::string file = WriteCalcFile(sheet, 30, 29.97);
        QVERIFY(std::string_view(file).find(encodedAs.toStdString() + " \r\n") != std::string_view::npos);

        const CalcFileContents contents = ReadCalcFile(file);
        QVERIFY2(contents.ok(), EnglishText(contents.error).c_str());
        CalcSheet expected = std::move(sheet);
        const std::string trimmed(StringSpace(description.toStdString()));
        expected.setCell(TimecodeFormat::Frames, 1, DescriptionColumn, trimmed);
        compareToSheet(contents.sheet, expected);
    }

    // A big file is checked line by line for its count; the counting must
    // land on the exact line wherever the file ends.
    void linesCountedInABigFile_data()
    {
        QTest::addColumn<int>("keepLines");
        QTest::addColumn<int>("partialBytes"); // of the next line, -1 for all of it, without its end
        QTest::addColumn<QString>("error");
        // 500 rows: section k has its title on line 3 + 502 k and its rows after it.
        QTest::newRow("whole file") << 3014 << 0 << "";
        QTest::newRow("last line without its end") << 3012 << -1 << "";
        QTest::newRow("cut in the first section")
            << 303 << 0 << "Line 304: the file ends after 300 of the 500 rows of the NonDrop section.";
        QTest::newRow("cut inside a line")
            << 303 << 5 << "Line 305: the file ends after 301 of the 500 rows of the NonDrop section.";
        QTest::newRow("one row short") << 3012 << 0
                                       << "Line 3013: the file ends after 499 of the 500 rows of the Frames section.";
    }
    void linesCountedInABigFile()
    {
        QFETCH(int, keepLines);
        QFETCH(int, partialBytes);
        QFETCH(QString, error);
        CalcSheet sheet;
        for (int r = 0; r < 500; ++r) {
            SixRows rows = oneSecondPlusOneSecond(std::string(r % 37, 'a' + r % 26));
            rows[5][InColumn] = std::to_string(r);
            sheet.appendCalculation(rows);
        }
        const QByteArray whole = QByteArray::fromStdString(WriteCalcFile(sheet, 30, 30.0));
        QCOMPARE(whole.count('\n'), 3014);
        QByteArray next = lineOf(whole, keepLines + 1);
        if (next.endsWith('\r'))
            next.chop(1);
        const QByteArray file = firstLines(whole, keepLines) + (partialBytes < 0 ? next : next.left(partialBytes));

        const CalcFileContents contents = read(file);
        QCOMPARE(QString::fromStdString(EnglishText(contents.error)), error);
        if (error.isEmpty())
            compareToSheet(contents.sheet, sheet);
    }

    // Large sheets are written and read a list per thread; small ones in
    // turn. Both give the same file and the same cells.
    void largeAndSmallSheetsAlike()
    {
        CalcSheet large;
        for (int r = 0; r < 10000; ++r) {
            SixRows rows = oneSecondPlusOneSecond(r % 3 ? std::string() : "caf\xC3\xA9 " + std::to_string(r));
            rows[5][InColumn] = std::to_string(r);
            large.appendCalculation(rows);
        }
        const std::string file = WriteCalcFile(large, 30, 30.0);
        QVERIFY(file.size() > 1 << 20);
        const CalcFileContents contents = ReadCalcFile(file);
        QVERIFY2(contents.ok(), EnglishText(contents.error).c_str());
        compareToSheet(contents.sheet, large);
        QCOMPARE(WriteCalcFile(contents.sheet, 30, 30.0), file);
    }

    // The same sheet with the lines shifted byte by byte against the blocks
    // in which line ends are counted.
    void everyShiftOfTheLines()
    {
        for (int shift = 0; shift < 64; ++shift) {
            CalcSheet sheet;
            for (int r = 0; r < 120; ++r) {
                SixRows rows = oneSecondPlusOneSecond(r == 0 ? std::string(shift, 's') : std::to_string(r));
                sheet.appendCalculation(rows);
            }
            const CalcFileContents contents = ReadCalcFile(WriteCalcFile(sheet, 30, 30.0));
            QVERIFY2(contents.ok(), EnglishText(contents.error).c_str());
            compareToSheet(contents.sheet, sheet);
        }
    }

    // One encoding for the whole file, chosen from every description.
    void mixedDescriptions_data()
    {
        QTest::addColumn<QByteArrayList>("descriptions");
        QTest::addColumn<bool>("windows1252");
        const QByteArray cafe("caf\xC3\xA9"), lookalike("\xC3\x83\xC2\xA9"), arrow("\xE2\x86\x92");
        QTest::newRow("lookalike among others") << QByteArrayList{cafe, lookalike} << true;
        QTest::newRow("lookalikes only") << QByteArrayList{lookalike, lookalike} << false;
        QTest::newRow("arrow in the last row") << QByteArrayList{cafe, "plain", cafe + " " + arrow} << false;
    }
    void mixedDescriptions()
    {
        QFETCH(QByteArrayList, descriptions);
        QFETCH(bool, windows1252);
        CalcSheet sheet;
        for (const QByteArray& description : descriptions)
            sheet.appendCalculation(oneSecondPlusOneSecond(description.toStdString()));
        const std::string file = WriteCalcFile(sheet, 30, 30.0);
        QCOMPARE(!IsValidUtf8(file), windows1252);
        const CalcFileContents contents = ReadCalcFile(file);
        QVERIFY2(contents.ok(), EnglishText(contents.error).c_str());
        compareToSheet(contents.sheet, sheet);
    }

    void lineBreakInDescription()
    {
        CalcSheet sheet;
        sheet.appendCalculation(oneSecondPlusOneSecond("two\r\nlines"));
        const CalcFileContents contents = ReadCalcFile(WriteCalcFile(sheet, 30, 30.0));
        QVERIFY2(contents.ok(), EnglishText(contents.error).c_str());
        QCOMPARE(contents.sheet.cell(TimecodeFormat::PAL, 0, DescriptionColumn), std::string_view("two  lines"));
    }

    void emptySheet()
    {
        const std::string file = WriteCalcFile(CalcSheet(), 30, 30.0);
        QCOMPARE(QByteArray::fromStdString(file), QByteArray("OmbrelSheet\r\n0\r\n"
                                                             "NonDropFrame Timecode\r\n\r\n"
                                                             "DropFrame Timecode\r\n\r\n"
                                                             "PAL Timecode\r\n\r\n"
                                                             "Film Timecode\r\n\r\n"
                                                             "User (30fps) Timecode\r\n\r\n"
                                                             "Frames (30fps)\r\n\r\n"));
        const CalcFileContents contents = ReadCalcFile(file);
        QVERIFY2(contents.ok(), EnglishText(contents.error).c_str());
        QCOMPARE(contents.sheet.rowCount(), 0);
    }

    void priorLayout()
    {
        QByteArray file = "OmbrelPrior\r\n2\r\n";
        const char* titles[] = {"NonDropFrame Timecode", "DropFrame Timecode",    "PAL Timecode",
                                "Film Timecode",         "User (30fps) Timecode", "Frames (30fps)"};
        for (const char* title : titles)
            file += QByteArray(title) + "\r\n1 + 2 = 3 old notes here\r\n4 - 5 = 6 \r\n\r\n";
        const CalcFileContents contents = read(file);
        QVERIFY2(contents.ok(), EnglishText(contents.error).c_str());
        QVERIFY(contents.magic == CalcFileMagic::OmbrelPrior);
        QCOMPARE(contents.sheet.rowCount(), 2);
        for (int f = 0; f < kFormatCount; ++f) {
            QCOMPARE(contents.sheet.list(FormatAt(f)).row(0), (RowCells{"1", "+", "2", "=", "3", "", ""}));
            QCOMPARE(contents.sheet.list(FormatAt(f)).row(1), (RowCells{"4", "-", "5", "=", "6", "", ""}));
        }
    }

    void firstLine_data()
    {
        QTest::addColumn<QByteArray>("firstLine");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("sheet") << QByteArray("OmbrelSheet") << true;
        QTest::newRow("prior") << QByteArray("OmbrelPrior") << true;
        QTest::newRow("longer, sheet") << QByteArray("OmbrelSheet v2") << true;
        QTest::newRow("longer, prior") << QByteArray("OmbrelPriorX") << true;
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBFOmbrelSheet") << true;
        QTest::newRow("shorter") << QByteArray("OmbrelShee") << false;
        QTest::newRow("lower case") << QByteArray("ombrelsheet") << false;
        QTest::newRow("leading blank") << QByteArray(" OmbrelSheet") << false;
        QTest::newRow("empty") << QByteArray("") << false;
    }
    void firstLine()
    {
        QFETCH(QByteArray, firstLine);
        QFETCH(bool, accepted);
        const CalcFileContents contents = read(withLine(kWorkedExample, 1, firstLine + '\r'));
        if (accepted) {
            QVERIFY2(contents.ok(), EnglishText(contents.error).c_str());
            QCOMPARE(contents.sheet.rowCount(), 1);
        } else {
            QCOMPARE(QString::fromStdString(EnglishText(contents.error)), QString("Not a Ombrel file!"));
        }
    }

    // The first bytes alone turn down what cannot be a calculation file,
    // and never what reading the whole would accept.
    void fileHead_data()
    {
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<bool>("possible");
        QTest::newRow("sheet") << QByteArray("OmbrelSheet\r\n1\r") << true;
        QTest::newRow("prior, whole file") << QByteArray("OmbrelPrior") << true;
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBFOmbrelSheet") << true;
        QTest::newRow("short file") << QByteArray("OmbrelShee") << false;
        QTest::newRow("empty file") << QByteArray() << false;
        QTest::newRow("mark only") << QByteArray("\xEF\xBB\xBF") << false;
        QTest::newRow("line break inside") << QByteArray("Ombrel\nSheet\r\n") << false;
        QTest::newRow("junk") << QByteArray(14, '\0') << false;
    }
    void fileHead()
    {
        QFETCH(QByteArray, head);
        QFETCH(bool, possible);
        const auto error = CalcFileHeadError(std::string_view(head.data(), head.size()));
        QCOMPARE(!error, possible);
        if (error)
            QCOMPARE(EnglishText(*error), std::string("Not a Ombrel file!"));
    }

    void emptyFileIsNotOurs()
    {
        QCOMPARE(QString::fromStdString(EnglishText(read(QByteArray()).error)), QString("Not a Ombrel file!"));
    }

    // Files that differ from what Save writes only where reading does not care.
    void tolerated_data()
    {
        QTest::addColumn<QByteArray>("file");
        QByteArray lf = kWorkedExample;
        QTest::newRow("bare line feeds") << lf.replace("\r\n", "\n");
        QTest::newRow("no closing empty line") << kWorkedExample.chopped(2);
        QTest::newRow("last line without its end") << kWorkedExample.chopped(4);
        QTest::newRow("lines after the last section") << kWorkedExample + "garbage\r\n1 2 3\r\n";
        QTest::newRow("other titles") << withLine(withLine(kWorkedExample, 3, "anything\r"), 18, "\r");
        QTest::newRow("count with plus sign") << withLine(kWorkedExample, 2, "+1\r");
    }
    void tolerated()
    {
        QFETCH(QByteArray, file);
        const CalcFileContents contents = read(file);
        QVERIFY2(contents.ok(), EnglishText(contents.error).c_str());
        compareToSheet(contents.sheet, workedExampleSheet());
    }

    void rejected_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("error");
        QTest::newRow("count not a number")
            << withLine(kWorkedExample, 2, "one\r") << "'one' is not a valid integer value";
        QTest::newRow("count not whole") << withLine(kWorkedExample, 2, "1.5\r")
                                         << "'1.5' is not a valid integer value";
        QTest::newRow("count with blank") << withLine(kWorkedExample, 2, "1 \r") << "'1 ' is not a valid integer value";
        QTest::newRow("count beyond 64 bits") << withLine(kWorkedExample, 2, "99999999999999999999\r")
                                              << "'99999999999999999999' is not a valid integer value";
        QTest::newRow("count in windows-1252") << withLine(kWorkedExample, 2, "zw\xF6lf\r")
                                               << QString::fromUtf8("'zw\xC3\xB6lf' is not a valid integer value");
        QTest::newRow("no count line") << QByteArray("OmbrelSheet\r\n") << "'' is not a valid integer value";
        QTest::newRow("negative count") << withLine(kWorkedExample, 2, "-1\r")
                                        << "Line 2: the number of calculations (-1) cannot be negative.";
        QTest::newRow("file ends between sections")
            << firstLines(kWorkedExample, 10) << "Line 11: the file ends before the Film section.";
        QTest::newRow("file ends after a title")
            << firstLines(kWorkedExample, 18) << "Line 19: the file ends after 0 of the 1 rows of the Frames section.";
        CalcSheet twoRows = workedExampleSheet();
        twoRows.appendCalculation(oneSecondPlusOneSecond());
        QTest::newRow("fewer rows than the count")
            << firstLines(QByteArray::fromStdString(WriteCalcFile(twoRows, 30, 30.0)), 24)
            << "Line 25: the file ends after 1 of the 2 rows of the Frames section.";
        QTest::newRow("billion rows claimed")
            << QByteArray("OmbrelSheet\r\n1000000000\r\nNonDropFrame Timecode\r\n1 + 1 = 2   \r\n")
            << "Line 5: the file ends after 1 of the 1000000000 rows of the NonDrop section.";
        QTest::newRow("largest count claimed")
            << QByteArray("OmbrelSheet\r\n9223372036854775807\r\nNonDropFrame Timecode\r\n")
            << "Line 4: the file ends after 0 of the 9223372036854775807 rows of the NonDrop section.";
        QTest::newRow("row cut short") << withLine(kWorkedExample, 7, "00;00;01;00 + 00;00;01;00\r")
                                       << "Line 7: this row has 2 of the 6 cells it needs, each followed by a space.";
        QTest::newRow("row without trailing blanks")
            << withLine(kWorkedExample, 19, "30 + 30 = 60\r")
            << "Line 19: this row has 4 of the 6 cells it needs, each followed by a space.";
        QTest::newRow("empty row line") << withLine(kWorkedExample, 13, "\r")
                                        << "Line 13: this row has 0 of the 6 cells it needs, each followed by a space.";
        QTest::newRow("windows-1252 row cut short")
            << withLine(kWorkedExample, 7, "caf\xE9 + x\r")
            << "Line 7: this row has 2 of the 6 cells it needs, each followed by a space.";
        const QByteArray nonDropRow = "00:00:01:00 + 00:00:01:00 = 00:00:02:00  ";
        QTest::newRow("description past its limit")
            << withLine(kWorkedExample, 16, nonDropRow + QByteArray(kDescriptionLimit + 1, 'd') + " \r")
            << "Line 16: the description is longer than 65536 bytes.";
        QTest::newRow("description of blanks past its limit")
            << withLine(kWorkedExample, 4, nonDropRow + QByteArray(kDescriptionLimit * 2, ' ') + "\r")
            << "Line 4: the description is longer than 65536 bytes.";
        QTest::newRow("value cell past its limit")
            << withLine(kWorkedExample, 19, "30 + " + QByteArray(kValueCellLimit + 1, '9') + " = 60   \r")
            << "Line 19: cell 3 is longer than 32 bytes.";
        QTest::newRow("windows-1252 description past its limit once converted")
            << withLine(kWorkedExample, 7,
                        "00;00;01;00 + 00;00;01;00 = 00;00;02;00  " + QByteArray(kDescriptionLimit / 2 + 1, '\xE9') +
                            " \r")
            << "Line 7: the description is longer than 65536 bytes.";
        QByteArray prior = withLine(kWorkedExample, 1, "OmbrelPrior\r");
        QTest::newRow("prior row cut short")
            << withLine(prior, 16, "00:00:01:00 + 00:00:01:00 = 00:00:02:00\r")
            << "Line 16: this row has 4 of the 5 cells it needs, each followed by a space.";
    }
    void rejected()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, error);
        const CalcFileContents contents = read(file);
        QCOMPARE(QString::fromStdString(EnglishText(contents.error)), error);
        QCOMPARE(contents.sheet.rowCount(), 0);
    }

    // Reading takes valid UTF-8 as UTF-8 and anything else as Windows-1252.
    void descriptionEncodings_data()
    {
        QTest::addColumn<QByteArray>("inFile");
        QTest::addColumn<QByteArray>("description");
        QTest::newRow("windows-1252") << QByteArray("Caf\xE9 \x93take\x94")
                                      << QByteArray("Caf\xC3\xA9 \xE2\x80\x9Ctake\xE2\x80\x9D");
        QTest::newRow("utf-8") << QByteArray("Caf\xC3\xA9 \xE2\x86\x92") << QByteArray("Caf\xC3\xA9 \xE2\x86\x92");
        // One stray byte makes the whole file Windows-1252, UTF-8 lookalikes included.
        QTest::newRow("mixed") << QByteArray("\xC3\xA9 \xE9") << QByteArray("\xC3\x83\xC2\xA9 \xC3\xA9");
    }
    void descriptionEncodings()
    {
        QFETCH(QByteArray, inFile);
        QFETCH(QByteArray, description);
        const QByteArray file =
            withLine(kWorkedExample, 10, "00:00:01:00 + 00:00:01:00 = 00:00:02:00  " + inFile + " \r");
        const CalcFileContents contents = read(file);
        QVERIFY2(contents.ok(), EnglishText(contents.error).c_str());
        QCOMPARE(QByteArray::fromStdString(std::string(contents.sheet.cell(TimecodeFormat::PAL, 0, DescriptionColumn))),
                 description);
    }
};

OMBREL_TEST_CLASS(CalcFileTest)
#include "calc_file_test.moc"
