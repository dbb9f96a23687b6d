#include "documents/edl_reader.h"
#include "test_registry.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace ombrel;

// Edit decision lists read event by event, and every kind of line that is
// refused named by its number.
class EdlReaderTest : public QObject {
    Q_OBJECT
private slots:
    void events_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        // Each event as "number track transition recordIn-recordOut clip df".
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<QString>("title");
        QTest::newRow("cuts") << QByteArray("TITLE: cuts\nFCM: NON-DROP FRAME\n\n"
                                            "001  AX V C 01:00:00:00 01:00:01:00 00:00:00:00 00:00:01:00\n"
                                            "* FROM CLIP NAME:  shot one \n"
                                            "002  AX V C 02:00:00:00 02:00:02:00 00:00:01:00 00:00:03:00\n")
                              << QStringList{"1 V C 00:00:00:00-00:00:01:00 shot one nd",
                                             "2 V C 00:00:01:00-00:00:03:00  nd"}
                              << QString("cuts");
        QTest::newRow("dissolve takes the clip it goes to")
            << QByteArray("TITLE: d\r\nFCM: NON-DROP FRAME\r\n"
                          "002  TST V     C        01:00:04:14 01:00:04:14 01:00:00:09 01:00:00:09 \r\n"
                          "002  TST V     D    010 01:00:08:08 01:00:08:18 01:00:00:09 01:00:00:19 \r\n"
                          "* FROM CLIP NAME:  clip_A\r\n* TO CLIP NAME:  clip_B\r\n")
            << QStringList{"2 V C 01:00:00:09-01:00:00:09  nd", "2 V D 01:00:00:09-01:00:00:19 clip_B nd"}
            << QString("d");
        QTest::newRow("audio tracks, wipes and keys")
            << QByteArray("FCM: NON-DROP FRAME\n"
                          "003 AX A2 W001 020 00:00:00:00 00:00:01:00 00:00:00:00 00:00:01:00\n"
                          "004 AX AA K 00:00:00:00 00:00:01:00 00:00:01:00 00:00:02:00\n"
                          "M2   AX       050.0                01:00:00:00\n"
                          "* LOC: 01:00:00:00 RED marker\n")
            << QStringList{"3 A2 W001 00:00:00:00-00:00:01:00  nd", "4 AA K 00:00:01:00-00:00:02:00  nd"}
            << QString("");
        QTest::newRow("drop frame changes between events")
            << QByteArray("TITLE: df\nFCM: DROP FRAME\n"
                          "001 AX V C 00;00;00;00 00;01;00;02 00;00;00;00 00;01;00;02\n"
                          "FCM: NON-DROP FRAME\n"
                          "002 AX V C 00:00:00:00 00:00:01:00 00:01:00:02 00:01:01:02\n")
            << QStringList{"1 V C 00:00:00:00-00:01:00:02  df", "2 V C 00:01:00:02-00:01:01:02  nd"} << QString("df");
        QTest::newRow("byte-order mark, names in UTF-8")
            << QByteArray("\xEF\xBB\xBFTITLE: bom\n001 AX V C 00:00:00:00 00:00:01:00 00:00:00:00 00:00:01:00\n"
                          "* FROM CLIP NAME: Caf\xC3\xA9\n")
            << QStringList{"1 V C 00:00:00:00-00:00:01:00 Caf\u00E9 nd"} << QString("bom");
        QTest::newRow("names in Windows-1252")
            << QByteArray("TITLE: ansi\r\n001 AX V C 00:00:00:00 00:00:01:00 00:00:00:00 00:00:01:00\r\n"
                          "* FROM CLIP NAME: Caf\xE9 \x80\r\n")
            << QStringList{"1 V C 00:00:00:00-00:00:01:00 Caf\u00E9 \u20AC nd"} << QString("ansi");
        QTest::newRow("a title long after the comments of its head")
            << QByteArray("* made by hand\n" + QByteArray(900, ' ') +
                          "\nTITLE: x\n"
                          "001 AX V C 00:00:00:00 00:00:01:00 00:00:00:00 00:00:01:00\n")
            << QStringList{"1 V C 00:00:00:00-00:00:01:00  nd"} << QString("x");
    }
    void events()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, events);
        // The texts are views of the list's own text: they stay whole in a
        // copy of the contents that outlives the first.
        EdlContents edl;
        {
            const EdlContents read = ReadEdl(bytes.toStdString());
            edl = read;
        }
        QCOMPARE(QString::fromStdString(edl.error), QString());
        QTEST(QString::fromUtf8(edl.title), "title");
        QStringList read;
        const auto label = [](const TimecodeParts& p) {
            return QString::asprintf("%02d:%02d:%02d:%02d", p.hours, p.minutes, p.seconds, p.frames);
        };
        for (const EdlEvent& event : edl.events)
            read << QString("%1 %2 %3 %4-%5 %6 %7")
                        .arg(event.number)
                        .arg(QString::fromUtf8(event.track), QString::fromUtf8(event.transition), label(event.recordIn),
                             label(event.recordOut), QString::fromUtf8(event.clipName), event.dropFrame ? "df" : "nd");
        QCOMPARE(read, events);
    }

    void refused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error");
        QTest::newRow("not an EDL") << QByteArray("OmbrelSheet\r\n1\r\n")
                                    << "line 1: this is not an edit decision list (no TITLE:, FCM: or event in its "
                                       "first lines)";
        QTest::newRow("empty") << QByteArray()
                               << "this is not an edit decision list (no TITLE:, FCM: or event in its first lines)";
        QTest::newRow("comments only in its head")
            << (QByteArray("* a note\n\n").repeated(4) + "TITLE: late\n")
            << "this is not an edit decision list (no TITLE:, FCM: or event in its first lines)";
        QTest::newRow("a picture") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)
                                   << "line 1: this is not an edit decision list (no TITLE:, FCM: or event in its "
                                      "first lines)";
        QTest::newRow("record out before record in")
            << QByteArray("TITLE: x\n001 AX V C 00:00:00:00 00:00:01:00 00:00:05:00 00:00:04:29\n")
            << "line 2: the record out 00:00:04:29 comes before the record in 00:00:05:00";
        QTest::newRow("bad timecode") << QByteArray(
                                             "TITLE: x\n001 AX V C 00:00:00:00 00:00:01:00 00:00:00:00 00:00:61:00\n")
                                      << "line 2: '00:00:61:00' is not a timecode (hh:mm:ss:ff)";
        QTest::newRow("dissolve too long")
            << QByteArray("TITLE: x\n001 AX V D 1000 00:00:00:00 00:00:01:00 00:00:00:00 00:00:01:00\n")
            << "line 2: '1000' is not a transition length";
        QTest::newRow("a word after the record out")
            << QByteArray("TITLE: x\n001 AX V D 040 00:00:00:00 00:00:01:00 00:00:00:00 00:00:01:00 00:00:02:00\n")
            << "line 2: an event line holds its number, reel, track, transition and four timecodes";
        QTest::newRow("five timecodes")
            << QByteArray("TITLE: x\n001 AX V C 00:00:00:00 00:00:01:00 00:00:00:00 00:00:01:00 00:00:02:00\n")
            << "line 2: '00:00:00:00' is not a transition length";
        QTest::newRow("a Windows-1252 word quoted in UTF-8")
            << QByteArray("TITLE: x\n001 AX V C 00:00:0\xE9:00 00:00:01:00 00:00:00:00 00:00:01:00\n")
            << "line 2: '00:00:0\u00E9:00' is not a timecode (hh:mm:ss:ff)";
        QTest::newRow("short event") << QByteArray("TITLE: x\n001 AX V C 00:00:00:00\n")
                                     << "line 2: an event line holds its number, reel, track, transition and four "
                                        "timecodes";
        QTest::newRow("unknown mode") << QByteArray("TITLE: x\nFCM: SOMETIMES\n")
                                      << "line 2: 'SOMETIMES' is not a frame count mode (DROP FRAME or NON-DROP FRAME)";
        QTest::newRow("hostile transition")
            << QByteArray("TITLE: x\n001 AX V \x1b[2J 00:00:00:00 00:00:01:00 00:00:00:00 00:00:01:00\n")
            << "line 2: '\x1b[2J' is not a transition (C, D, W or K)";
        QTest::newRow("long line") << QByteArray("TITLE: x\n") + QByteArray(5000, 'x')
                                   << "line 2: the line is longer than 4096 bytes";
    }
    void refused()
    {
        QFETCH(QByteArray, bytes);
        const EdlContents edl = ReadEdl(bytes.toStdString());
        QTEST(QString::fromStdString(edl.error), "error");
        QVERIFY(edl.events.empty());
    }

    // Lists exported by several editing systems.
    void editingSystemsLists()
    {
        const QDir dir("/work/shared/peer-data/edl");
        if (!dir.exists())
            QSKIP("the editing systems' lists are not on this machine");
        for (const QString& name : dir.entryList({"*.edl"}, QDir::Files)) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const EdlContents edl = ReadEdl(file.readAll().toStdString());
            QVERIFY2(edl.ok(), qPrintable(name + ": " + QString::fromStdString(edl.error)));
            QVERIFY2(!edl.events.empty(), qPrintable(name));
        }
    }
};

OMBREL_TEST_CLASS(EdlReaderTest)
#include "edl_reader_test.moc"
