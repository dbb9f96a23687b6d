#include "documents/edl_sheet.h"
#include "engine/frame_rate.h"
#include "test_registry.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace ombrel;

namespace {

// Two cuts and a dissolve, as an editing system writes them, with the
// separator given between the parts of the timecodes.
QByteArray cutList(const QByteArray& mode, char separator = ':')
{
    QByteArray events = "001  AX V C        01#00#00#00 01#00#01#00 00#00#59#20 00#01#00#04\r\n"
                        "* FROM CLIP NAME:  shot one\r\n"
                        "002  AX A C        01#00#00#00 01#00#10#00 00#01#00#04 00#01#10#04\r\n"
                        "003  AX V D    010 02#00#00#00 02#00#00#10 00#01#00#04 00#01#00#14\r\n"
                        "* FROM CLIP NAME:  shot one\r\n* TO CLIP NAME:  shot, two\r\n";
    return "TITLE: cut\r\nFCM: " + mode + "\r\n" + events.replace('#', separator);
}

QStringList rowTexts(const CalcSheet& sheet, TimecodeFormat format)
{
    QStringList rows;
    for (int64_t r = 0; r < sheet.rowCount(); ++r) {
        QStringList cells;
        for (int c : {InColumn, OperatorColumn, OutColumn, EqualsColumn, ResultColumn, DescriptionColumn})
            cells << QString::fromStdString(std::string(sheet.cell(format, r, c)));
        rows << cells.join(' ');
    }
    return rows;
}

} // namespace

// An edit decision list becomes one row per event, as if each were typed.
class EdlSheetTest : public QObject {
    Q_OBJECT
private slots:
    void eventsBecomeRows_data()
    {
        QTest::addColumn<QByteArray>("edl");
        QTest::addColumn<int>("tab");
        QTest::addColumn<int>("labels");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("non-drop, Out - In - Duration")
            << cutList("NON-DROP FRAME") << FormatIndex(TimecodeFormat::NonDrop) << int(LabelStyle::OutInDuration)
            << QStringList{"00:01:00:04 - 00:00:59:20 = 00:00:00:14 shot one",
                           "00:01:10:04 - 00:01:00:04 = 00:00:10:00 ",
                           "00:01:00:14 - 00:01:00:04 = 00:00:00:10 shot, two"};
        QTest::newRow("In - Out - Duration shows the record in first")
            << cutList("NON-DROP FRAME") << FormatIndex(TimecodeFormat::NonDrop) << int(LabelStyle::InOutDuration)
            << QStringList{"00:00:59:20 ~ 00:01:00:04 = 00:00:00:14 shot one",
                           "00:01:00:04 ~ 00:01:10:04 = 00:00:10:00 ",
                           "00:01:00:04 ~ 00:01:00:14 = 00:00:00:10 shot, two"};
        QTest::newRow("TC1 - TC2 - Total")
            << cutList("NON-DROP FRAME") << FormatIndex(TimecodeFormat::NonDrop) << int(LabelStyle::Tc1Tc2Total)
            << QStringList{"00:01:00:04 - 00:00:59:20 = 00:00:00:14 shot one",
                           "00:01:10:04 - 00:01:00:04 = 00:00:10:00 ",
                           "00:01:00:14 - 00:01:00:04 = 00:00:00:10 shot, two"};
        // Across the minute 00;01;00;00-01 that drop frame skips: 14 labels
        // apart, 12 frames long.
        QTest::newRow("drop frame on the DropFrm tab")
            << cutList("DROP FRAME", ';') << FormatIndex(TimecodeFormat::DropFrm) << int(LabelStyle::OutInDuration)
            << QStringList{"00;01;00;04 - 00;00;59;20 = 00;00;00;12 shot one",
                           "00;01;10;04 - 00;01;00;04 = 00;00;10;00 ",
                           "00;01;00;14 - 00;01;00;04 = 00;00;00;10 shot, two"};
        QTest::newRow("25 fps on the PAL tab")
            << cutList("NON-DROP FRAME") << FormatIndex(TimecodeFormat::PAL) << int(LabelStyle::OutInDuration)
            << QStringList{"00:01:00:04 - 00:00:59:20 = 00:00:00:09 shot one",
                           "00:01:10:04 - 00:01:00:04 = 00:00:10:00 ",
                           "00:01:00:14 - 00:01:00:04 = 00:00:00:10 shot, two"};
    }
    void eventsBecomeRows()
    {
        QFETCH(QByteArray, edl);
        QFETCH(int, tab);
        QFETCH(int, labels);
        const EdlContents contents = ReadEdl(edl.toStdString());
        QVERIFY2(contents.ok(), contents.error.c_str());
        const std::optional<EdlSheet> imported =
            EdlToSheet(contents, FormatAt(tab), static_cast<LabelStyle>(labels), Rates{});
        QVERIFY(imported);
        QCOMPARE(QString::fromStdString(EnglishText(imported->error)), QString());
        QTEST(rowTexts(imported->sheet, FormatAt(tab)), "rows");
        // Every list holds the same calculations, and the same descriptions.
        for (int f = 0; f < kFormatCount; ++f) {
            QCOMPARE(imported->sheet.list(FormatAt(f)).rowCount(), int64_t{3});
            QCOMPARE(imported->sheet.cell(FormatAt(f), 2, DescriptionColumn), std::string_view("shot, two"));
        }
    }

    // A list is refused whole, with a message naming what to do.
    void refused_data()
    {
        QTest::addColumn<QByteArray>("edl");
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("message");
        QTest::newRow("drop frame on the NonDrop tab")
            << cutList("DROP FRAME", ';') << FormatIndex(TimecodeFormat::NonDrop)
            << "This edit decision list counts in drop frame (FCM: DROP FRAME): open it with the DropFrm tab shown.";
        QTest::newRow("non-drop on the DropFrm tab")
            << cutList("NON-DROP FRAME") << FormatIndex(TimecodeFormat::DropFrm)
            << "This edit decision list counts in non-drop frame: open it with the NonDrop tab shown, or the tab of "
               "its rate.";
        QTest::newRow("modes mixed")
            << QByteArray("FCM: DROP FRAME\n001 AX V C 00;00;00;00 00;00;01;00 00;00;00;00 00;00;01;00\n"
                          "FCM: NON-DROP FRAME\n002 AX V C 00:00:00:00 00:00:01:00 00:00:01:00 00:00:02:00\n")
            << FormatIndex(TimecodeFormat::DropFrm)
            << "This edit decision list changes between drop frame and non-drop frame (line 4): no one tab shows "
               "both.";
        QTest::newRow("30 fps frames on the PAL tab")
            << QByteArray("TITLE: x\n001 AX V C 00:00:00:00 00:00:01:00 00:00:00:00 00:00:00:27\n")
            << FormatIndex(TimecodeFormat::PAL)
            << "Event 1 (line 2): 00:00:00:27 is not a timecode of the PAL tab, whose frames run to 24. Open the "
               "list with the tab of its rate shown.";
        QTest::newRow("a label drop frame skips")
            << QByteArray("FCM: DROP FRAME\n001 AX V C 00;00;00;00 00;00;01;00 00;00;59;00 00;01;00;01\n")
            << FormatIndex(TimecodeFormat::DropFrm) << "Event 1 (line 2): 00;01;00;01 is a label drop frame skips.";
        QTest::newRow("no event") << QByteArray("TITLE: empty\nFCM: NON-DROP FRAME\n")
                                  << FormatIndex(TimecodeFormat::NonDrop)
                                  << "There is no event in this edit decision list.";
    }
    void refused()
    {
        QFETCH(QByteArray, edl);
        QFETCH(int, tab);
        const EdlContents contents = ReadEdl(edl.toStdString());
        QVERIFY2(contents.ok(), contents.error.c_str());
        const std::optional<EdlSheet> imported = EdlToSheet(contents, FormatAt(tab), LabelStyle::OutInDuration, {});
        QVERIFY(imported);
        QTEST(QString::fromStdString(EnglishText(imported->error)), "message");
        QCOMPARE(imported->sheet.rowCount(), int64_t{0});
    }

    void aStoppedImportGivesNothing()
    {
        const EdlContents contents = ReadEdl(cutList("NON-DROP FRAME").toStdString());
        QVERIFY(
            !EdlToSheet(contents, TimecodeFormat::NonDrop, LabelStyle::OutInDuration, {}, [](int) { return false; }));
    }

    // The lists editing systems wrote: every duration is record out -
    // record in, counted at 30 frames a second.
    void editingSystemsLists()
    {
        const QDir dir("/work/shared/peer-data/edl");
        if (!dir.exists())
            QSKIP("the editing systems' lists are not on this machine");
        const FrameRate rate{30};
        for (const QString& name : dir.entryList({"*.edl"}, QDir::Files)) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const EdlContents edl = ReadEdl(file.readAll().toStdString());
            const std::optional<EdlSheet> imported =
                EdlToSheet(edl, TimecodeFormat::NonDrop, LabelStyle::OutInDuration, {});
            QVERIFY2(imported && imported->ok(), qPrintable(name));
            QCOMPARE(imported->sheet.rowCount(), int64_t(edl.events.size()));
            for (size_t e = 0; e < edl.events.size(); ++e) {
                const EdlEvent& event = edl.events[e];
                const int64_t frames = LabelToFrame(event.recordOut, rate) - LabelToFrame(event.recordIn, rate);
                char text[kLongestLabelPastDay];
                QCOMPARE(imported->sheet.cell(TimecodeFormat::NonDrop, int64_t(e), ResultColumn),
                         std::string_view(text, WriteLabelPastDay(frames, rate, text)));
                QCOMPARE(imported->sheet.cell(TimecodeFormat::NonDrop, int64_t(e), DescriptionColumn),
                         std::string_view(event.clipName));
            }
        }
    }
};

OMBREL_TEST_CLASS(EdlSheetTest)
#include "edl_sheet_test.moc"
