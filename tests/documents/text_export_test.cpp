#include "documents/text_export.h"
#include "test_registry.h"

#include <QTest>

#include <algorithm>
#include <string>

using namespace ombrel;

namespace {

using SixRows = std::array<RowCells, kFormatCount>;

SixRows sameRowEverywhere(const RowCells& timecode, const RowCells& frames)
{
    RowCells drop = timecode;
    for (int c : {InColumn, OutColumn, ResultColumn})
        std::replace(drop[c].begin(), drop[c].end(), ':', ';');
    return {timecode, drop, timecode, timecode, timecode, frames};
}

// The two calculations of the worked example: 00:00:10:00 + 00:00:05:00
// described "Intro", and 00:01:00:00 - 00:00:30:00 without description.
CalcSheet workedExampleSheet()
{
    CalcSheet sheet;
    sheet.appendCalculation(sameRowEverywhere({"00:00:10:00", "+", "00:00:05:00", "=", "00:00:15:00", "", "Intro"},
                                              {"300", "+", "150", "=", "450", "", "Intro"}));
    sheet.appendCalculation(sameRowEverywhere({"00:01:00:00", "-", "00:00:30:00", "=", "00:00:30:00", "", ""},
                                              {"1800", "-", "900", "=", "900", "", ""}));
    return sheet;
}

CalcSheet oneDescribedRow(const std::string& description)
{
    CalcSheet sheet;
    sheet.appendCalculation(sameRowEverywhere({"00:00:01:00", "+", "00:00:01:00", "=", "00:00:02:00", "", description},
                                              {"30", "+", "30", "=", "60", "", description}));
    return sheet;
}

TextExportOptions options(TimecodeFormat format, bool descriptions, bool headings,
                          std::string heading = "Timecode Data", std::string subheading = "30 fps Non-Drop Frame")
{
    return {format, descriptions, headings, std::move(heading), std::move(subheading)};
}

QByteArray exported(const CalcSheet& sheet, const TextExportOptions& options)
{
    return QByteArray::fromStdString(WriteTextExport(sheet, options));
}

} // namespace

class TextExportTest : public QObject {
    Q_OBJECT
private slots:
    void lines_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<bool>("descriptions");
        QTest::addColumn<bool>("headings");
        QTest::addColumn<QByteArray>("file");

        const int nonDrop = FormatIndex(TimecodeFormat::NonDrop);
        QTest::newRow("worked example") << nonDrop << true << true
                                        << QByteArray("Timecode Data\r\n"
                                                      "30 fps Non-Drop Frame\r\n"
                                                      "00:00:10:00 + 00:00:05:00 = 00:00:15:00  Intro \r\n"
                                                      "00:01:00:00 - 00:00:30:00 = 00:00:30:00   \r\n");
        QTest::newRow("without descriptions") << nonDrop << false << true
                                              << QByteArray("Timecode Data\r\n"
                                                            "30 fps Non-Drop Frame\r\n"
                                                            "00:00:10:00 + 00:00:05:00 = 00:00:15:00 \r\n"
                                                            "00:01:00:00 - 00:00:30:00 = 00:00:30:00 \r\n");
        QTest::newRow("without headings") << nonDrop << true << false
                                          << QByteArray("00:00:10:00 + 00:00:05:00 = 00:00:15:00  Intro \r\n"
                                                        "00:01:00:00 - 00:00:30:00 = 00:00:30:00   \r\n");
        QTest::newRow("drop frame") << FormatIndex(TimecodeFormat::DropFrm) << false << false
                                    << QByteArray("00;00;10;00 + 00;00;05;00 = 00;00;15;00 \r\n"
                                                  "00;01;00;00 - 00;00;30;00 = 00;00;30;00 \r\n");
        QTest::newRow("frames") << FormatIndex(TimecodeFormat::Frames) << true << false
                                << QByteArray("300 + 150 = 450  Intro \r\n"
                                              "1800 - 900 = 900   \r\n");
    }
    void lines()
    {
        QFETCH(int, format);
        QFETCH(bool, descriptions);
        QFETCH(bool, headings);
        QFETCH(QByteArray, file);
        QCOMPARE(exported(workedExampleSheet(), options(FormatAt(format), descriptions, headings)), file);
    }

    void headingLines_data()
    {
        QTest::addColumn<bool>("headings");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("subheading");
        QTest::addColumn<QByteArray>("head");

        QTest::newRow("both") << true << "Reel 3"
                              << "Cut list" << QByteArray("Reel 3\r\nCut list\r\n");
        QTest::newRow("both empty") << true << ""
                                    << "" << QByteArray();
        QTest::newRow("subheading only") << true << ""
                                         << "Cut list" << QByteArray("Cut list\r\n");
        QTest::newRow("heading only") << true << "Reel 3"
                                      << "" << QByteArray("Reel 3\r\n");
        QTest::newRow("unchecked") << false << "Reel 3"
                                   << "Cut list" << QByteArray();
        QTest::newRow("line break") << true << "Reel\r\n3"
                                    << "" << QByteArray("Reel  3\r\n");
    }
    void headingLines()
    {
        QFETCH(bool, headings);
        QFETCH(QString, heading);
        QFETCH(QString, subheading);
        QFETCH(QByteArray, head);
        const QByteArray row = "00:00:01:00 + 00:00:01:00 = 00:00:02:00 \r\n";
        QCOMPARE(exported(oneDescribedRow(""), options(TimecodeFormat::PAL, false, headings, heading.toStdString(),
                                                       subheading.toStdString())),
                 head + row);
        QCOMPARE(exported(CalcSheet(), options(TimecodeFormat::PAL, false, headings, heading.toStdString(),
                                               subheading.toStdString())),
                 head);
    }

    // Blanks inside and after a description are kept, except at the end of
    // a Frames cell; a line break would split the row.
    void descriptions_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QByteArray>("description");
        QTest::addColumn<QByteArray>("written");

        const int film = FormatIndex(TimecodeFormat::Film);
        const int frames = FormatIndex(TimecodeFormat::Frames);
        QTest::newRow("blanks, film") << film << QByteArray("take  two  ") << QByteArray("take  two  ");
        QTest::newRow("blanks, frames") << frames << QByteArray("take  two  ") << QByteArray("take  two");
        QTest::newRow("only blanks, frames") << frames << QByteArray("   ") << QByteArray();
        QTest::newRow("line break") << film << QByteArray("one\r\ntwo") << QByteArray("one  two");
        QTest::newRow("fits Windows-1252")
            << film << QByteArray("caf\xC3\xA9 \xE2\x82\xAC") << QByteArray("caf\xE9 \x80");
        QTest::newRow("beyond Windows-1252")
            << film << QByteArray("\xE6\x97\xA5\xE6\x9C\xAC") << QByteArray("\xE6\x97\xA5\xE6\x9C\xAC");
        // Its Windows-1252 bytes C3 A9 would read back as UTF-8 "é".
        QTest::newRow("Windows-1252 that reads as UTF-8")
            << film << QByteArray("\xC3\x83\xC2\xA9") << QByteArray("\xC3\x83\xC2\xA9");
    }
    void descriptions()
    {
        QFETCH(int, format);
        QFETCH(QByteArray, description);
        QFETCH(QByteArray, written);
        const QByteArray file =
            exported(oneDescribedRow(description.toStdString()), options(FormatAt(format), true, false));
        QVERIFY2(file.endsWith("  " + written + " \r\n"), file.constData());
    }

    // Every list of a sheet whose lists differ as calculated ("%" holds the
    // percentage in its In cell, "~" takes the larger operand first, drop
    // frame moves the minute's label), with Windows-1252 descriptions and
    // heading, byte for byte under each option that changes the file.
    void everyFormatByteForByte_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<bool>("descriptions");
        QTest::addColumn<bool>("headings");
        QTest::addColumn<QByteArray>("file");

        const QByteArray head = "R\xE9sum\xE9 \x96 reel 2\r\n";
        const auto row = [](const char* cells, const char* description) {
            return QByteArray(cells) + "  " + description + " \r\n";
        };
        const char* const cafe = "Caf\xE9 \x80";
        const char* const naive = "na\xEFve take  ";
        QTest::newRow("non-drop") << FormatIndex(TimecodeFormat::NonDrop) << true << true
                                  << head + "30 fps Non-Drop Frame\r\n" +
                                         row("12.5 % 00:01:00:00 = 00:00:07:15", cafe) +
                                         row("00:00:10:20 ~ 00:01:00:00 = 00:00:49:10", naive);
        QTest::newRow("drop frame") << FormatIndex(TimecodeFormat::DropFrm) << true << true
                                    << head + "30 fps Drop Frame\r\n" + row("12.5 % 00;01;00;02 = 00;00;07;15", cafe) +
                                           row("00;00;10;20 ~ 00;01;00;02 = 00;00;49;10", naive);
        QTest::newRow("PAL") << FormatIndex(TimecodeFormat::PAL) << true << true
                             << head + "25 fps PAL\r\n" + row("12.5 % 00:01:00:00 = 00:00:07:13", cafe) +
                                    row("00:00:10:20 ~ 00:01:00:00 = 00:00:49:05", naive);
        QTest::newRow("film") << FormatIndex(TimecodeFormat::Film) << true << true
                              << head + "24 fps Film\r\n" + row("12.5 % 00:01:00:00 = 00:00:07:12", cafe) +
                                     row("00:00:10:20 ~ 00:01:00:00 = 00:00:49:04", naive);
        QTest::newRow("user") << FormatIndex(TimecodeFormat::User) << true << true
                              << head + "User Definable - 48fps\r\n" + row("12.5 % 00:01:00:00 = 00:00:07:24", cafe) +
                                     row("00:00:10:20 ~ 00:01:00:00 = 00:00:49:28", naive);
        // Frames cells lose their trailing blanks, the description's too.
        QTest::newRow("frames") << FormatIndex(TimecodeFormat::Frames) << true << true
                                << head + "Frames - 30fps\r\n" + row("12.5 % 1800 = 225", cafe) +
                                       row("320 ~ 1800 = 1480", "na\xEFve take");
        // Without descriptions only the heading decides the encoding.
        QTest::newRow("drop frame, no descriptions") << FormatIndex(TimecodeFormat::DropFrm) << false << true
                                                     << head + "30 fps Drop Frame\r\n"
                                                               "12.5 % 00;01;00;02 = 00;00;07;15 \r\n"
                                                               "00;00;10;20 ~ 00;01;00;02 = 00;00;49;10 \r\n";
        QTest::newRow("frames, no headings")
            << FormatIndex(TimecodeFormat::Frames) << true << false
            << row("12.5 % 1800 = 225", cafe) + row("320 ~ 1800 = 1480", "na\xEFve take");
        QTest::newRow("PAL, neither") << FormatIndex(TimecodeFormat::PAL) << false << false
                                      << QByteArray("12.5 % 00:01:00:00 = 00:00:07:13 \r\n"
                                                    "00:00:10:20 ~ 00:01:00:00 = 00:00:49:05 \r\n");
    }
    void everyFormatByteForByte()
    {
        QFETCH(int, format);
        QFETCH(bool, descriptions);
        QFETCH(bool, headings);
        QFETCH(QByteArray, file);

        using Cells = std::array<std::string, kFormatCount>;
        const auto calculation = [](const std::string& op, const Cells& in, const Cells& out, const Cells& result,
                                    const std::string& description) {
            SixRows rows;
            for (int f = 0; f < kFormatCount; ++f)
                rows[f] = {in[f], op, out[f], "=", result[f], "", description};
            return rows;
        };
        CalcSheet sheet;
        sheet.appendCalculation(
            calculation("%", {"12.5", "12.5", "12.5", "12.5", "12.5", "12.5"},
                        {"00:01:00:00", "00;01;00;02", "00:01:00:00", "00:01:00:00", "00:01:00:00", "1800"},
                        {"00:00:07:15", "00;00;07;15", "00:00:07:13", "00:00:07:12", "00:00:07:24", "225"},
                        "Caf\xC3\xA9 \xE2\x82\xAC"));
        sheet.appendCalculation(
            calculation("~", {"00:00:10:20", "00;00;10;20", "00:00:10:20", "00:00:10:20", "00:00:10:20", "320"},
                        {"00:01:00:00", "00;01;00;02", "00:01:00:00", "00:01:00:00", "00:01:00:00", "1800"},
                        {"00:00:49:10", "00;00;49;10", "00:00:49:05", "00:00:49:04", "00:00:49:28", "1480"},
                        "na\xC3\xAFve take  "));
        const std::string subheading = FormatSubheading(FormatAt(format), {48, 30.0});
        QCOMPARE(exported(sheet, options(FormatAt(format), descriptions, headings,
                                         "R\xC3\xA9sum\xC3\xA9 \xE2\x80\x93 reel 2", subheading)),
                 file);
    }

    // A heading is written before any row is seen, yet takes the encoding the
    // whole file needs.
    void encodingChosenForTheWholeFile_data()
    {
        QTest::addColumn<QByteArray>("heading");
        QTest::addColumn<QByteArray>("description");
        QTest::addColumn<QByteArray>("file");

        QTest::newRow("heading Windows-1252, rows UTF-8")
            << QByteArray("R\xC3\xA9sum\xC3\xA9") << QByteArray("\xE6\x97\xA5")
            << QByteArray("R\xC3\xA9sum\xC3\xA9\r\n00:00:01:00 + 00:00:01:00 = 00:00:02:00  \xE6\x97\xA5 \r\n");
        QTest::newRow("heading and rows Windows-1252")
            << QByteArray("R\xC3\xA9sum\xC3\xA9") << QByteArray("\xC3\xA9t\xC3\xA9")
            << QByteArray("R\xE9sum\xE9\r\n00:00:01:00 + 00:00:01:00 = 00:00:02:00  \xE9t\xE9 \r\n");
        QTest::newRow("ASCII heading, rows Windows-1252")
            << QByteArray("Reel") << QByteArray("\xC3\xA9t\xC3\xA9")
            << QByteArray("Reel\r\n00:00:01:00 + 00:00:01:00 = 00:00:02:00  \xE9t\xE9 \r\n");
    }
    void encodingChosenForTheWholeFile()
    {
        QFETCH(QByteArray, heading);
        QFETCH(QByteArray, description);
        QFETCH(QByteArray, file);
        QCOMPARE(exported(oneDescribedRow(description.toStdString()),
                          options(TimecodeFormat::NonDrop, true, true, heading.toStdString(), "")),
                 file);
    }

    // Written in small pieces, a list whose only non-ASCII cell comes late
    // gives the same bytes as written at once: the pieces before it were
    // ASCII, which reads alike in both encodings.
    void piecesMakeTheSameFile_data()
    {
        QTest::addColumn<QByteArray>("lateDescription");
        QTest::newRow("Windows-1252") << QByteArray("na\xC3\xAFve");
        QTest::newRow("UTF-8") << QByteArray("\xE2\x86\x92 next");
        QTest::newRow("ASCII") << QByteArray("plain");
    }
    void piecesMakeTheSameFile()
    {
        QFETCH(QByteArray, lateDescription);
        CalcSheet sheet;
        for (int r = 0; r < 500; ++r) {
            // Some descriptions long enough to need more than a byte for their length.
            const std::string description = r == 420      ? lateDescription.toStdString()
                                            : r % 50 == 0 ? std::string(300, 'x')
                                                          : "row " + std::to_string(r);
            sheet.appendCalculation(
                sameRowEverywhere({"00:00:01:00", "+", "00:00:01:00", "=", "00:00:02:00", "", description},
                                  {"30 ", "+", "30", "=", "60", "", description}));
        }
        for (TimecodeFormat format : {TimecodeFormat::NonDrop, TimecodeFormat::Frames}) {
            const TextExportOptions chosen = options(format, true, true);
            const std::string whole = WriteTextExport(sheet, chosen);
            TextExportWriter writer(sheet, chosen);
            std::string pieced;
            int pieces = 0;
            for (std::string_view piece = writer.next(100); !piece.empty(); piece = writer.next(100), ++pieces)
                pieced += piece;
            QCOMPARE(writer.rowsWritten(), sheet.rowCount());
            QVERIFY(pieces > 100);
            QCOMPARE(QByteArray::fromStdString(pieced), QByteArray::fromStdString(whole));
        }
    }

    void subheadings_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<qint64>("userRate");
        QTest::addColumn<double>("framesRate");
        QTest::addColumn<QString>("subheading");

        QTest::newRow("non-drop") << 0 << qint64(15) << 30.0 << "30 fps Non-Drop Frame";
        QTest::newRow("drop frame") << 1 << qint64(15) << 30.0 << "30 fps Drop Frame";
        QTest::newRow("PAL") << 2 << qint64(15) << 30.0 << "25 fps PAL";
        QTest::newRow("film") << 3 << qint64(15) << 30.0 << "24 fps Film";
        QTest::newRow("user 48") << 4 << qint64(48) << 30.0 << "User Definable - 48fps";
        QTest::newRow("frames 29.97") << 5 << qint64(15) << 29.97 << "Frames - 29.97fps";
        QTest::newRow("frames 30") << 5 << qint64(15) << 30.0 << "Frames - 30fps";
        QTest::newRow("frames 23.976") << 5 << qint64(15) << 23.976 << "Frames - 23.976fps";
    }
    void subheadings()
    {
        QFETCH(int, format);
        QFETCH(qint64, userRate);
        QFETCH(double, framesRate);
        QFETCH(QString, subheading);
        QCOMPARE(QString::fromStdString(FormatSubheading(FormatAt(format), {userRate, framesRate})), subheading);
    }
};

OMBREL_TEST_CLASS(TextExportTest)
#include "text_export_test.moc"
