#include "calc_run.h"
#include "cli/batch.h"
#include "test_registry.h"

#include <QTest>

#include <fcntl.h>
#include <poll.h>
#include <thread>
#include <unistd.h>

using namespace ombrel;
using ombrel::test::runCalc;

// Expressions read line by line from standard input: one output line for
// every input line, whatever the line holds.
class CalcBatchTest : public QObject {
    Q_OBJECT
private slots:
    void lines_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<QByteArray>("errors");
        QTest::newRow("results") << QStringList{} << QByteArray("01:00:00:00 + 00:00:10:12\n00:00:00:00 - 1\n")
                                 << QByteArray("01:00:10:12\n23:59:59:29\n")
                                 << QByteArray("ombrel-calc: line 2: the result -00:00:00:01 wraps past 24 hours to "
                                               "23:59:59:29 (--no-wrap keeps it)\n");
        QTest::newRow("options apply to every line")
            << QStringList{"--rate", "29.97df", "--frames"} << QByteArray("00;01;00;02\n00:10:00:00\n")
            << QByteArray("1800\n17982\n") << QByteArray();
        QTest::newRow("empty lines stay") << QStringList{} << QByteArray("1\n\n \t\n2\n")
                                          << QByteArray("00:00:00:01\n\n\n00:00:00:02\n") << QByteArray();
        QTest::newRow("CR LF lines") << QStringList{} << QByteArray("1\r\n2 + 3\r\n")
                                     << QByteArray("00:00:00:01\n00:00:00:05\n") << QByteArray();
        QTest::newRow("last line without its end")
            << QStringList{} << QByteArray("1\n2") << QByteArray("00:00:00:01\n00:00:00:02\n") << QByteArray();
        QTest::newRow("no input") << QStringList{} << QByteArray() << QByteArray() << QByteArray();
        QTest::newRow("bad lines keep their place")
            << QStringList{} << QByteArray("1\nbad\n3\n00:00:00:30\n") << QByteArray("00:00:00:01\n\n00:00:00:03\n\n")
            << QByteArray("ombrel-calc: line 2: 'bad' is not a timecode or a frame count\n"
                          "ombrel-calc: line 4: frame 30 is out of range at 30 (00:00:00:30)\n");
        // Shown escaped, whole: no escape sequence reaches the terminal and a
        // NUL byte does not end the message.
        QTest::newRow("control characters")
            << QStringList{} << QByteArray("\x1b]0;owned\x07\x1b[2J\n", 15) << QByteArray("\n")
            << QByteArray("ombrel-calc: line 1: '\\x1b]0;owned\\x07\\x1b[2J' is not a timecode (hh:mm:ss:ff)\n");
        QTest::newRow("NUL and C1 controls")
            << QStringList{}
            << QByteArray("a\0b\xc2\x9b"
                          "31m\n",
                          9)
            << QByteArray("\n")
            << QByteArray("ombrel-calc: line 1: 'a\\x00b\\xc2\\x9b31m' is not a timecode or a frame count\n");
    }
    void lines()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, input);
        const auto run = runCalc(args, input);
        QTEST(run.out, "output");
        QTEST(run.err, "errors");
        QCOMPARE(run.status, run.err.isEmpty() || run.err.contains("wraps past") ? 0 : 1);
    }

    // "-" and --sum over standard input: one total line, or none when a
    // line was bad.
    void sums_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<QByteArray>("errors");
        QTest::addColumn<int>("status");
        QTest::newRow("- is standard input") << QStringList{"-"} << QByteArray("1\n2\n")
                                             << QByteArray("00:00:00:01\n00:00:00:02\n") << QByteArray() << 0;
        QTest::newRow("a reel list past a day")
            << QStringList{"--sum", "--no-wrap", "-"} << QByteArray("20:00:00:00\n\n03:00:00:00\r\n02:00:00:00 x 1.5")
            << QByteArray("26:00:00:00\n") << QByteArray() << 0;
        QTest::newRow("wrapped results said once")
            << QStringList{} << QByteArray("1\n23:00:00:00 + 2:00:00:00\n2\n0 - 1\n")
            << QByteArray("00:00:00:01\n01:00:00:00\n00:00:00:02\n23:59:59:29\n")
            << QByteArray("ombrel-calc: line 2: the result 25:00:00:00 wraps past 24 hours to 01:00:00:00 (--no-wrap "
                          "keeps it); 2 results wrapped in all\n")
            << 0;
        QTest::newRow("a wrapped total says so")
            << QStringList{"--sum"} << QByteArray("20:00:00:00\n05:00:00:00\n") << QByteArray("01:00:00:00\n")
            << QByteArray(
                   "ombrel-calc: the result 25:00:00:00 wraps past 24 hours to 01:00:00:00 (--no-wrap keeps it)\n")
            << 0;
        QTest::newRow("at 29.97df") << QStringList{"--sum", "--no-wrap", "--rate", "29.97DF"}
                                    << QByteArray("23;59;59;29\n1\n00:10:00.00\n") << QByteArray("24;10;00;00\n")
                                    << QByteArray() << 0;
        QTest::newRow("as frames") << QStringList{"--sum", "--frames"} << QByteArray("1\n2\n3\n") << QByteArray("6\n")
                                   << QByteArray() << 0;
        QTest::newRow("no lines") << QStringList{"--sum"} << QByteArray() << QByteArray("00:00:00:00\n") << QByteArray()
                                  << 0;
        QTest::newRow("a bad line gives no total")
            << QStringList{"--sum"} << QByteArray("1\nbad\n3\n") << QByteArray()
            << QByteArray("ombrel-calc: line 2: 'bad' is not a timecode or a frame count\n") << 1;
        QTest::newRow("a total too large")
            << QStringList{"--sum", "--frames"} << QByteArray("9223372036854775807\n1\n") << QByteArray()
            << QByteArray("ombrel-calc: line 2: the total is too large\n") << 1;
    }
    void sums()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, input);
        const auto run = runCalc(args, input);
        QTEST(run.out, "output");
        QTEST(run.err, "errors");
        QTEST(run.status, "status");
    }

    // Many reads, lines cut at every place by their ends.
    void linesAcrossReads()
    {
        QByteArray input;
        for (int i = 0; i < 300000; ++i)
            input += QByteArray::number(i) + " + " + QByteArray::number(i % 7) + "\n";
        const auto run = runCalc({"--frames"}, input);
        QCOMPARE(run.status, 0);
        const QList<QByteArray> results = run.out.split('\n');
        QCOMPARE(results.size(), 300001);
        int wrong = 0;
        for (int i = 0; i < 300000; ++i)
            wrong += results[i] != QByteArray::number(i + i % 7);
        QCOMPARE(wrong, 0);
    }

    void tooLongALineIsRefusedAlone_data()
    {
        QTest::addColumn<int>("length");
        QTest::newRow("read whole") << int(kLongestBatchLine + 1);
        QTest::newRow("longer than a read") << (5 << 20);
    }
    void tooLongALineIsRefusedAlone()
    {
        QFETCH(int, length);
        const QByteArray input = "1\n" + QByteArray(length, '1') + "\n2\n";
        const auto run = runCalc({}, input);
        QCOMPARE(run.out, QByteArray("00:00:00:01\n\n00:00:00:02\n"));
        QCOMPARE(run.err, "ombrel-calc: line 2: the line is longer than " +
                              QByteArray::number(qulonglong(kLongestBatchLine)) + " bytes\n");
        QCOMPARE(run.status, 1);
    }

    // A program that feeds one line and waits for its result must get it.
    void resultsComeBeforeTheInputEnds()
    {
        int in[2];
        int out[2];
        QCOMPARE(::pipe(in), 0);
        QCOMPARE(::pipe(out), 0);
        const int err = ::open("/dev/null", O_WRONLY);
        int status = -1;
        std::thread batch([&] {
            status = RunBatch(in[0], out[1], err, CalcForm{});
            ::close(out[1]);
        });
        QCOMPARE(::write(in[1], "1\n", 2), 2);
        pollfd ready{out[0], POLLIN, 0};
        const int seen = ::poll(&ready, 1, 10000);
        char result[64] = {};
        const ssize_t got = seen > 0 ? ::read(out[0], result, sizeof result - 1) : 0;
        ::close(in[1]);
        batch.join();
        ::close(in[0]);
        ::close(out[0]);
        ::close(err);
        QCOMPARE(QByteArray(result, int(got)), QByteArray("00:00:00:01\n"));
        QCOMPARE(status, 0);
    }

    void aFailedWriteIsReported_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("expression") << QStringList{"1"};
        QTest::newRow("batch") << QStringList{};
    }
    void aFailedWriteIsReported()
    {
        QFETCH(QStringList, args);
        std::vector<std::string> texts;
        for (const QString& arg : args)
            texts.push_back(arg.toStdString());
        const std::vector<std::string_view> views(texts.begin(), texts.end());
        std::FILE* in = std::tmpfile();
        std::fputs("1\n", in);
        std::rewind(in);
        std::FILE* err = std::tmpfile();
        const int full = ::open("/dev/full", O_WRONLY);
        QVERIFY(full >= 0);
        const int status = RunCalcCommand(views, fileno(in), full, fileno(err));
        ::close(full);
        std::fclose(in);
        QCOMPARE(status, 1);
        QVERIFY2(test::readBack(err).startsWith("ombrel-calc: cannot write the result"), "no message");
    }
};

OMBREL_TEST_CLASS(CalcBatchTest)
#include "calc_batch_test.moc"
