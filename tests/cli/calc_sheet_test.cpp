#include "calc_run.h"
#include "documents/calc_file.h"
#include "documents/edl_reader.h"
#include "engine/calculation.h"
#include "test_registry.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>
#include <unistd.h>

extern "C" {
#include <libavutil/timecode.h>
}

using namespace ombrel;
using ombrel::test::runCalc;

namespace {

struct Typed {
    const char* in;
    Operator op;
    const char* out;
    const char* description;
};

// A sheet as the window makes it (user rate 15, frames rate 30), saved.
QString saveSheet(const QTemporaryDir& dir, std::initializer_list<Typed> calculations)
{
    CalcState state;
    CalcSheet sheet;
    for (const Typed& typed : calculations) {
        CalculationRequest request;
        request.op = typed.op;
        request.inText = typed.op == Operator::Percent ? "00:00:00:00" : typed.in;
        request.percentText = typed.in;
        request.outText = typed.out;
        sheet.appendCalculation(ComputeCalculations(request, state).rows);
        for (int f = 0; f < kFormatCount; ++f)
            sheet.setCell(FormatAt(f), sheet.rowCount() - 1, DescriptionColumn, typed.description);
    }
    const QString path = dir.filePath("work.obr");
    QFile file(path);
    const std::string bytes = WriteCalcFile(sheet, state.rates.userRate, state.rates.framesRate);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()))
        qFatal("cannot write the sheet");
    return path;
}

} // namespace

// A calculation file's lists printed for scripts: CSV, JSON lines, sums.
class CalcSheetTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QVERIFY(dir_.isValid());
        path_ = saveSheet(dir_, {{"01:00:00:00", Operator::Plus, "00:30:00:00", "Scene 1, take \"2\""},
                                 {"00:00:59:29", Operator::Plus, "00:00:00:01", "Naïve\tcafé"},
                                 {"50", Operator::Percent, "00:10:00:00", ""}});
    }

    void rows_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("output");
        QTest::newRow("csv") << QStringList{}
                             << QByteArray("in,op,out,duration,description\n"
                                           "01:00:00:00,+,00:30:00:00,01:30:00:00,\"Scene 1, take "
                                           "\"\"2\"\"\"\n"
                                           "00:00:59:29,+,00:00:00:01,00:01:00:00,Naïve\tcafé\n"
                                           "50,%,00:10:00:00,00:05:00:00,\n");
        QTest::newRow("drop frame csv") << QStringList{"--format", "dropframe"}
                                        << QByteArray("in,op,out,duration,description\n"
                                                      "01;00;00;00,+,00;30;00;00,01;30;00;00,\"Scene 1, take "
                                                      "\"\"2\"\"\"\n"
                                                      "00;00;59;29,+,00;00;00;01,00;01;00;02,Naïve\tcafé\n"
                                                      "50,%,00;10;00;00,00;04;59;29,\n");
        QTest::newRow("frames json")
            << QStringList{"--format", "frames", "--json"}
            << QByteArray(
                   "{\"in\":\"108000\",\"op\":\"+\",\"out\":\"54000\",\"duration\":\"162000\","
                   "\"description\":\"Scene 1, take \\\"2\\\"\"}\n"
                   "{\"in\":\"1799\",\"op\":\"+\",\"out\":\"1\",\"duration\":\"1800\","
                   "\"description\":\"Naïve\\u0009café\"}\n"
                   "{\"in\":\"50\",\"op\":\"%\",\"out\":\"18000\",\"duration\":\"9000\",\"description\":\"\"}\n");
    }
    void rows()
    {
        QFETCH(QStringList, options);
        const auto run = runCalc(QStringList{"--sheet", path_} + options);
        QCOMPARE(run.err, QByteArray());
        QTEST(run.out, "output");
        QCOMPARE(run.status, 0);
    }

    void sums_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("output");
        QTest::newRow("nondrop") << QStringList{} << QByteArray("01:36:00:00\n");
        QTest::newRow("nondrop frames") << QStringList{"--frames"} << QByteArray("172800\n");
        QTest::newRow("dropframe") << QStringList{"--format", "dropframe"} << QByteArray("01;36;00;03\n");
        QTest::newRow("pal") << QStringList{"--format", "pal"} << QByteArray("01:36:00:05\n");
        QTest::newRow("user") << QStringList{"--format", "user", "--rate", "15"} << QByteArray("01:36:01:00\n");
        QTest::newRow("frames") << QStringList{"--format", "frames"} << QByteArray("172800\n");
        QTest::newRow("json") << QStringList{"--json"} << QByteArray("{\"sum\":\"01:36:00:00\"}\n");
    }
    void sums()
    {
        QFETCH(QStringList, options);
        const auto run = runCalc(QStringList{"--sheet", path_, "--sum"} + options);
        QCOMPARE(run.err, QByteArray());
        QTEST(run.out, "output");
        QCOMPARE(run.status, 0);
    }

    // Durations add up past a day; the hours go on.
    void sumsPastADay_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QByteArray>("output");
        QTest::newRow("nondrop") << "nondrop" << QByteArray("40:00:00:00\n");
        QTest::newRow("dropframe") << "dropframe" << QByteArray("40;00;00;00\n");
    }
    void sumsPastADay()
    {
        QFETCH(QString, list);
        const QString path = saveSheet(dir_, {{"20:00:00:00", Operator::Plus, "00:00:00:00", ""},
                                              {"20:00:00:00", Operator::Plus, "00:00:00:00", ""}});
        const auto run = runCalc({"--sheet", path, "--sum", "--format", list});
        QTEST(run.out, "output");
    }

    void errors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("fileBytes");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("status");
        QTest::newRow("missing file") << QStringList{"--sheet", "{dir}/missing.obr"} << QByteArray()
                                      << "cannot read {dir}/missing.obr: No such file or directory" << 1;
        QTest::newRow("a folder") << QStringList{"--sheet", "{dir}"} << QByteArray()
                                  << "cannot read {dir}: not a regular file" << 1;
        QTest::newRow("not a calculation file")
            << QStringList{"--sheet", "{file}"} << QByteArray("hello\r\n") << "{file}: Not a Ombrel file!" << 1;
        QTest::newRow("a duration that is not one")
            << QStringList{"--sheet", "{file}", "--sum"}
            << QByteArray("OmbrelSheet\r\n1\r\nNonDropFrame Timecode\r\n"
                          "00:00:01:00 + 00:00:01:00 = xx:00:02:00   \r\n\r\n"
                          "DropFrame Timecode\r\n00;00;01;00 + 00;00;01;00 = 00;00;02;00   \r\n\r\n"
                          "PAL Timecode\r\n00:00:01:00 + 00:00:01:00 = 00:00:02:00   \r\n\r\n"
                          "Film Timecode\r\n00:00:01:00 + 00:00:01:00 = 00:00:02:00   \r\n\r\n"
                          "User (30fps) Timecode\r\n00:00:01:00 + 00:00:01:00 = 00:00:02:00   \r\n\r\n"
                          "Frames (30fps)\r\n30 + 30 = 60   \r\n\r\n")
            << "{file}: row 1: 'xx:00:02:00' is not a timecode (hh:mm:ss:ff)" << 1;
        QTest::newRow("user sum without its rate")
            << QStringList{"--sheet", "{sheet}", "--sum", "--format", "user"} << QByteArray()
            << "the sum of the user list needs its rate: give it with --rate (the file's User title names it)" << 1;
        QTest::newRow("frames without a sum") << QStringList{"--sheet", "{sheet}", "--frames"} << QByteArray()
                                              << "--frames applies to a sheet's --sum only" << 2;
        QTest::newRow("a list that is not an edit decision list")
            << QStringList{"--edl", "{file}"} << QByteArray("OmbrelSheet\r\n1\r\n")
            << "{file}: line 1: this is not an edit decision list (no TITLE:, FCM: or event in its first lines)" << 1;
        QTest::newRow("a list that is a folder")
            << QStringList{"--edl", "{dir}"} << QByteArray() << "cannot read {dir}: not a regular file" << 1;
        QTest::newRow("a list counted in feet") << QStringList{"--edl", "{file}", "--feet", "35mm"} << QByteArray()
                                                << "--feet does not apply to --edl" << 2;
        QTest::newRow("a list's frame counts")
            << QStringList{"--edl", "{file}", "--frames"} << QByteArray() << "--frames does not apply to --edl" << 2;
        QTest::newRow("a list given a sheet's list") << QStringList{"--edl", "{file}", "--format", "pal"}
                                                     << QByteArray() << "--format applies to --sheet only" << 2;
    }
    void errors()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, fileBytes);
        QFETCH(QString, message);
        const QString file = dir_.filePath("given.obr");
        QFile given(file);
        QVERIFY(given.open(QIODevice::WriteOnly));
        given.write(fileBytes);
        given.close();
        const auto place = [&](QString text) {
            return text.replace("{dir}", dir_.path()).replace("{file}", file).replace("{sheet}", path_);
        };
        for (QString& arg : args)
            arg = place(arg);
        const auto run = runCalc(args);
        QCOMPARE(QString::fromUtf8(run.err), "ombrel-calc: " + place(message) + "\n");
        QCOMPARE(run.out, QByteArray());
        QTEST(run.status, "status");
    }

    // An edit decision list's events and totals; drop frame from its FCM:.
    void edl_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<int>("status");
        QTest::newRow("events") << QStringList{}
                                << QByteArray(
                                       "event,reel,track,source in,source out,record in,record out,duration,clip\n"
                                       "1,AX,V,00;00;00;00,00;01;00;02,00;00;00;00,00;01;00;02,00;01;00;02,\"a, b\"\n"
                                       "2,AX,A,00;00;00;00,00;00;10;00,00;00;00;00,00;00;10;00,00;00;10;00,\n"
                                       "3,AX,V,00;00;00;00,00;00;01;00,00;01;00;02,00;01;01;02,00;00;01;00,\n")
                                << 0;
        QTest::newRow("video total") << QStringList{"--sum"} << QByteArray("00;01;01;02\n") << 0;
        QTest::newRow("audio total") << QStringList{"--sum", "--track", "A"} << QByteArray("00;00;10;00\n") << 0;
        QTest::newRow("the rate named") << QStringList{"--sum", "--rate", "29.97DF"} << QByteArray("00;01;01;02\n")
                                        << 0;
        QTest::newRow("a label 59.94df drops") << QStringList{"--sum", "--rate", "59.94df"} << QByteArray() << 1;
        QTest::newRow("events as JSON")
            << QStringList{"--json"}
            << QByteArray("{\"event\":1,\"reel\":\"AX\",\"track\":\"V\",\"source_in\":\"00;00;00;00\",\"source_out\":"
                          "\"00;01;00;02\",\"record_in\":\"00;00;00;00\",\"record_out\":\"00;01;00;02\",\"duration\":"
                          "\"00;01;00;02\",\"clip\":\"a, b\"}\n"
                          "{\"event\":2,\"reel\":\"AX\",\"track\":\"A\",\"source_in\":\"00;00;00;00\",\"source_out\":"
                          "\"00;00;10;00\",\"record_in\":\"00;00;00;00\",\"record_out\":\"00;00;10;00\",\"duration\":"
                          "\"00;00;10;00\",\"clip\":\"\"}\n"
                          "{\"event\":3,\"reel\":\"AX\",\"track\":\"V\",\"source_in\":\"00;00;00;00\",\"source_out\":"
                          "\"00;00;01;00\",\"record_in\":\"00;01;00;02\",\"record_out\":\"00;01;01;02\",\"duration\":"
                          "\"00;00;01;00\",\"clip\":\"\"}\n")
            << 0;
        QTest::newRow("total as JSON") << QStringList{"--sum", "--json"}
                                       << QByteArray("{\"track\":\"V\",\"sum\":\"00;01;01;02\",\"gaps\":[]}\n") << 0;
        QTest::newRow("a contradicting rate") << QStringList{"--rate", "29.97"} << QByteArray() << 1;
    }
    void edl()
    {
        QFETCH(QStringList, options);
        const QString path = dir_.filePath("cut.edl");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("TITLE: cut\r\nFCM: DROP FRAME\r\n"
                   "001 AX V C 00;00;00;00 00;01;00;02 00;00;00;00 00;01;00;02\r\n* FROM CLIP NAME: a, b\r\n"
                   "002 AX A C 00;00;00;00 00;00;10;00 00;00;00;00 00;00;10;00\r\n"
                   "003 AX V C 00;00;00;00 00;00;01;00 00;01;00;02 00;01;01;02\r\n");
        file.close();
        const auto run = runCalc(QStringList{"--edl", path} + options);
        QTEST(run.out, "output");
        QTEST(run.status, "status");
    }

    // The total counts the record time the track covers: an overlap once,
    // a gap not at all, and each gap is told in order with its events.
    void sumsCountEachFrameOnce_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<QByteArray>("notices");
        QTest::newRow("total and gaps")
            << QStringList{} << QByteArray("00:00:06:00\n")
            << QByteArray("ombrel-calc: a gap of 00:00:00:15 between events 2 and 4 (00:00:03:00 to 00:00:03:15)\n"
                          "ombrel-calc: a gap of 00:00:01:00 between events 4 and 5 (00:00:05:15 to 00:00:06:15)\n");
        QTest::newRow("as JSON") << QStringList{"--json"}
                                 << QByteArray("{\"track\":\"V\",\"sum\":\"00:00:06:00\",\"gaps\":["
                                               "{\"after\":2,\"before\":4,\"from\":\"00:00:03:00\",\"to\":"
                                               "\"00:00:03:15\",\"duration\":\"00:00:00:15\"},"
                                               "{\"after\":4,\"before\":5,\"from\":\"00:00:05:15\",\"to\":"
                                               "\"00:00:06:15\",\"duration\":\"00:00:01:00\"}]}\n")
                                 << QByteArray();
        QTest::newRow("a track with one event")
            << QStringList{"--track", "A2"} << QByteArray("00:00:10:00\n") << QByteArray();
    }
    void sumsCountEachFrameOnce()
    {
        QFETCH(QStringList, options);
        // Event 2 overlaps event 1 by a second and event 3 lies inside it;
        // event 5 comes before event 4 in the list but after it in time.
        const QString path = dir_.filePath("overlaps.edl");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("TITLE: overlaps\nFCM: NON-DROP FRAME\n"
                   "001 AX V C 00:00:00:00 00:00:02:00 00:00:00:00 00:00:02:00\n"
                   "002 AX V C 00:00:00:00 00:00:02:00 00:00:01:00 00:00:03:00\n"
                   "003 AX V C 00:00:00:00 00:00:00:10 00:00:01:10 00:00:01:20\n"
                   "005 AX V C 00:00:00:00 00:00:01:00 00:00:06:15 00:00:07:15\n"
                   "004 AX V C 00:00:00:00 00:00:02:00 00:00:03:15 00:00:05:15\n"
                   "006 AX A2 C 00:00:00:00 00:00:10:00 00:00:00:00 00:00:10:00\n");
        file.close();
        const auto run = runCalc(QStringList{"--edl", path, "--sum"} + options);
        QTEST(run.out, "output");
        QTEST(run.err, "notices");
        QCOMPARE(run.status, 0);
    }

    // "--edl -" reads the list from standard input, its head checked before
    // the rest is waited for.
    void edlFromStandardInput()
    {
        QFile file("/work/shared/peer-data/edl/screening_example.edl");
        if (!file.open(QIODevice::ReadOnly))
            QSKIP("the editing systems' lists are not on this machine");
        const QByteArray bytes = file.readAll();
        for (const QStringList& options : {QStringList{}, QStringList{"--json"}, QStringList{"--sum"}}) {
            const auto fromFile = runCalc(QStringList{"--edl", file.fileName()} + options);
            const auto fromInput = runCalc(QStringList{"--edl", "-"} + options, bytes);
            QCOMPARE(fromInput.err, fromFile.err);
            QCOMPARE(fromInput.out, fromFile.out);
            QCOMPARE(fromInput.status, 0);
        }
        int fds[2];
        QVERIFY(::pipe(fds) == 0);
        const QByteArray junk = "GIF89a" + QByteArray(2000, 'x');
        QCOMPARE(::write(fds[1], junk.data(), size_t(junk.size())), ssize_t(junk.size()));
        std::FILE* out = std::tmpfile();
        std::FILE* err = std::tmpfile();
        const std::string_view args[] = {"--edl", "-"};
        const int status = RunCalcCommand(args, fds[0], fileno(out), fileno(err));
        ::close(fds[1]);
        ::close(fds[0]);
        QCOMPARE(status, 1);
        QCOMPARE(ombrel::test::readBack(err),
                 QByteArray("ombrel-calc: cannot read standard input: line 1: this is not an edit decision list (no "
                            "TITLE:, FCM: or event in its first lines)\n"));
        std::fclose(out);
    }

    // A list larger than any editing system writes is refused by its size,
    // unread.
    void aHugeListIsRefusedUnread()
    {
        const QString path = dir_.filePath("huge.edl");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("TITLE: huge\n");
        QVERIFY(file.resize(kEdlSizeLimit + 1)); // sparse: takes no room on the disk
        file.close();
        const auto run = runCalc({"--edl", path});
        QCOMPARE(QString::fromUtf8(run.err),
                 "ombrel-calc: cannot read " + path + ": larger than any edit decision list Ombrel reads (64 MiB)\n");
        QCOMPARE(run.status, 1);
    }

    // A thousand events at 29.97 drop frame, their record timecodes and
    // durations written by FFmpeg: every duration printed matches, and the
    // total is their sum.
    void thousandEventsMatchLibavutil()
    {
        AVTimecode timecode;
        QCOMPARE(av_timecode_init(&timecode, AVRational{30000, 1001},
                                  AV_TIMECODE_FLAG_DROPFRAME | AV_TIMECODE_FLAG_24HOURSMAX, 0, nullptr),
                 0);
        const auto label = [&](int64_t frame) {
            char text[AV_TIMECODE_STR_SIZE];
            av_timecode_make_string(&timecode, text, static_cast<int>(frame));
            return QByteArray(text).replace(':', ';');
        };
        QByteArray edl("TITLE: long cut\nFCM: DROP FRAME\n");
        QByteArray expected("event,reel,track,source in,source out,record in,record out,duration,clip\n");
        int64_t record = 107892; // 01;00;00;00
        int64_t total = 0;
        uint32_t seed = 12345;
        for (int event = 1; event <= 1000; ++event) {
            seed = seed * 1103515245 + 12345;
            const int64_t length = 1 + (seed >> 8) % 2000;
            const QByteArray times = label(record) + " " + label(record + length);
            const QByteArray number = QByteArray::number(event).rightJustified(3, '0');
            edl += number + "  AX V C " + times + " " + times + "\n";
            expected += QByteArray::number(event) + ",AX,V," + label(record) + "," + label(record + length) + "," +
                        label(record) + "," + label(record + length) + "," + label(length) + ",\n";
            record += length;
            total += length;
        }
        QVERIFY(record < 2589408);
        const QString path = dir_.filePath("long.edl");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(edl);
        file.close();
        const auto events = runCalc({"--edl", path});
        QCOMPARE(events.err, QByteArray());
        const QList<QByteArray> got = events.out.split('\n');
        const QList<QByteArray> want = expected.split('\n');
        QCOMPARE(got.size(), want.size());
        for (qsizetype i = 0; i < got.size(); ++i)
            QCOMPARE(got[i], want[i]);
        const auto sum = runCalc({"--edl", path, "--sum"});
        QCOMPARE(sum.out, label(total) + "\n");
    }

    // "--sheet -" reads the same file from standard input.
    void sheetFromStandardInput()
    {
        QFile file(path_);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        for (const QStringList& options : {QStringList{}, QStringList{"--json"}, QStringList{"--sum"}}) {
            const auto fromFile = runCalc(QStringList{"--sheet", path_} + options);
            const auto fromInput = runCalc(QStringList{"--sheet", "-"} + options, bytes);
            QCOMPARE(fromInput.err, QByteArray());
            QCOMPARE(fromInput.out, fromFile.out);
            QCOMPARE(fromInput.status, 0);
        }
        const auto notOurs = runCalc({"--sheet", "-"}, "hello\r\n");
        QCOMPARE(notOurs.err, QByteArray("ombrel-calc: cannot read standard input: Not a Ombrel file!\n"));
        QCOMPARE(notOurs.status, 1);
        const auto empty = runCalc({"--sheet", "-"}, "");
        QCOMPARE(empty.status, 1);
    }

    // A pipe whose first bytes are not a calculation file is turned down
    // while the writer still holds it open: nothing more is waited for.
    void pipeRefusedAtItsHead()
    {
        int fds[2];
        QVERIFY(::pipe(fds) == 0);
        QCOMPARE(::write(fds[1], "GIF89a-and-then-some-more", 25), ssize_t{25});
        std::FILE* out = std::tmpfile();
        std::FILE* err = std::tmpfile();
        const std::string_view args[] = {"--sheet", "-"};
        const int status = RunCalcCommand(args, fds[0], fileno(out), fileno(err));
        ::close(fds[1]);
        ::close(fds[0]);
        QCOMPARE(status, 1);
        QCOMPARE(ombrel::test::readBack(err),
                 QByteArray("ombrel-calc: cannot read standard input: Not a Ombrel file!\n"));
        std::fclose(out);
    }

    // A large file that is not a calculation file is turned down from its
    // first line, without being read into memory.
    void junkIsRefusedUnread()
    {
        const QString file = dir_.filePath("junk.obr");
        QFile junk(file);
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("junk, not a sheet\r\n");
        QVERIFY(junk.resize(qint64{1} << 30)); // sparse: takes no room on the disk
        junk.close();
        rusage before{};
        getrusage(RUSAGE_SELF, &before);
        const auto run = runCalc({"--sheet", file});
        rusage after{};
        getrusage(RUSAGE_SELF, &after);
        QFile::remove(file);
        QCOMPARE(QString::fromUtf8(run.err), "ombrel-calc: " + file + ": Not a Ombrel file!\n");
        QCOMPARE(run.status, 1);
        QVERIFY2(after.ru_maxrss - before.ru_maxrss < 64 * 1024, // kilobytes
                 qPrintable(QString("grew by %1 KiB").arg(after.ru_maxrss - before.ru_maxrss)));
    }

private:
    QTemporaryDir dir_;
    QString path_;
};

OMBREL_TEST_CLASS(CalcSheetTest)
#include "calc_sheet_test.moc"
