#include "calc_run.h"
#include "test_registry.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <clocale>
#include <locale>

using namespace ombrel;
using ombrel::test::runCalc;

// Expressions on the command line against what ombrel-calc prints, and the
// message of every kind of bad input.
class CalcExpressionTest : public QObject {
    Q_OBJECT
private slots:
    void results_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("notice");
        const auto row = [](const char* name, const char* args, const char* result, const char* notice = "") {
            QTest::newRow(name) << QString(args).split(' ') << result << notice;
        };
        row("plus", "01:00:00:00 + 00:00:10:12", "01:00:10:12");
        row("percentage", "00:10:00:00 % 12.5", "00:01:15:00");
        row("percentage rounds ties to even", "--rate 25 00:00:01:00 % 50", "00:00:00:12");
        row("chain left to right", "01:00:00:00 + 00:00:10:00 - 00:00:00:05", "01:00:09:25");
        row("times a frame count", "00:00:01:00 x 3", "00:00:03:00");
        row("* is x", "00:00:01:00 * 00:00:00:03", "00:00:03:00");
        row("divide rounds ties to even", "00:00:00:05 / 2", "00:00:00:02");
        row("divide rounds to nearest", "00:00:00:07 / 2", "00:00:00:04");
        row("difference", "00:00:10:00 ~ 00:00:20:00", "00:00:10:00");
        row("below zero wraps the clock", "00:00:00:00 - 00:00:00:01", "23:59:59:29",
            "the result -00:00:00:01 wraps past 24 hours to 23:59:59:29 (--no-wrap keeps it)");
        row("below zero as frames", "--frames 00:00:00:00 - 00:00:00:01", "-1");
        row("chains on counts, not on the clock", "00:00:00:00 - 00:00:00:10 ~ 00:00:00:05", "00:00:00:15");
        QTest::newRow("one word") << QStringList{"01:00:00:00 + 00:00:10:12"} << "01:00:10:12"
                                  << "";
        row("options after the expression", "01:00:00:00 + 1 --frames", "108001");
        row("an option's value after =", "--rate=25 --to=24 00:00:01:00", "00:00:01:01");
        row("one-digit parts", "1:2:3:4", "01:02:03:04");
        row("a bare count", "108000", "01:00:00:00");
        row("large counts", "--frames 9000000000 + 1", "9000000001");

        row("25", "--rate 25 00:00:00:24 + 1", "00:00:01:00");
        row("23.976 counts at 24", "--rate 23.976 00:59:59:23 + 1", "01:00:00:00");
        row("48", "--rate 48 00:00:00:47 + 1", "00:00:01:00");
        row("50", "--rate 50 --frames 00:00:01:00", "50");
        row("60", "--rate 60 00:00:00:59 + 1", "00:00:01:00");
        row("59.94 does not drop", "--rate 59.94 00:00:59:59 + 1", "00:01:00:00");
        row("1", "--rate 1 00:00:59:00 + 1", "00:01:00:00");
        row("120 has three frame digits", "--rate 120 00:00:00:119 + 1", "00:00:01:000");
        row("999", "--rate 999 00:00:00:998 + 00:00:00:001", "00:00:01:000");

        // 29.97 drop frame: minute 1 drops 00 and 01, minute 10 keeps them.
        row("df into minute 1", "--rate 29.97df 00:00:59:29 + 1", "00;01;00;02");
        row("df out of minute 1", "--rate 29.97df 00;01;00;02 - 1", "00;00;59;29");
        row("df into minute 10", "--rate 29.97df 00:09:59:29 + 1", "00;10;00;00");
        row("df out of minute 10", "--rate 29.97df 00;10;00;00 - 1", "00;09;59;29");
        row("df minute 1 count", "--rate 29.97df --frames 00;01;00;02", "1800");
        row("df minute 10 count", "--rate 29.97df --frames 00:10:00:00", "17982");
        row("df last frame of the day", "--rate 29.97df --frames 23;59;59;29", "2589407");
        row("df day end", "--rate 29.97df 2589407", "23;59;59;29");
        row("df a day wraps", "--rate 29.97df 2589408", "00;00;00;00",
            "the result 24;00;00;00 wraps past 24 hours to 00;00;00;00 (--no-wrap keeps it)");
        row("df midnight", "--rate 29.97df 23;59;59;29 + 1", "00;00;00;00",
            "the result 24;00;00;00 wraps past 24 hours to 00;00;00;00 (--no-wrap keeps it)");
        // 59.94 drop frame drops four labels.
        row("59.94df into minute 1", "--rate 59.94df 00:00:59:59 + 1", "00;01;00;04");
        row("59.94df out of minute 1", "--rate 59.94df 00;01;00;04 - 1", "00;00;59;59");
        row("59.94df into minute 10", "--rate 59.94df 00;09;59;59 + 1", "00;10;00;00");
        row("59.94df minute 10 keeps 00-03", "--rate 59.94df 00;10;00;03", "00;10;00;03");
        row("59.94df minute 1 count", "--rate 59.94df --frames 00;01;00;04", "3600");
        row("59.94df minute 10 count", "--rate 59.94df --frames 00;10;00;00", "35964");
        row("59.94df last frame of the day", "--rate 59.94df --frames 23;59;59;59", "5178815");
        row("59.94df day end", "--rate 59.94df 5178815", "23;59;59;59");
        row("59.94df a day wraps", "--rate 59.94df 5178816", "00;00;00;00",
            "the result 24;00;00;00 wraps past 24 hours to 00;00;00;00 (--no-wrap keeps it)");

        // Past 24 hours.
        row("no-wrap total", "--no-wrap 23:00:00:00 + 02:00:00:00", "25:00:00:00");
        row("wrapped total", "23:00:00:00 + 02:00:00:00", "01:00:00:00",
            "the result 25:00:00:00 wraps past 24 hours to 01:00:00:00 (--no-wrap keeps it)");
        row("no-wrap reads long hours", "--no-wrap 100:00:00:00 + 1", "100:00:00:01");
        row("no-wrap below zero", "--no-wrap 00:00:00:00 - 1", "-00:00:00:01");
        row("no-wrap df days", "--no-wrap --rate 29.97df 49;00;00;00 + 00;00;00;00", "49;00;00;00");
        row("no-wrap df frames", "--no-wrap --rate 29.97df --frames 24;00;00;00", "2589408");
        row("no-wrap to frames keeps counts", "--no-wrap --frames 25:00:00:00", "2700000");

        // Sums of terms.
        row("sum of terms", "--sum 00:10:00:00 00:20:00:00 15", "00:30:00:15");
        QTest::newRow("sum of expressions")
            << QStringList{"--sum", "00:00:01:00 x 2", "00:00:00:10 + 5"} << "00:00:02:15"
            << "";
        row("sum as frames", "--sum --frames 1 2 3", "6");
        row("sum past a day", "--sum --no-wrap 23:00:00:00 02:00:00:00", "25:00:00:00");
        row("sum wrapped", "--sum 23:00:00:00 02:00:00:00", "01:00:00:00",
            "the result 25:00:00:00 wraps past 24 hours to 01:00:00:00 (--no-wrap keeps it)");
        row("sum past a day at 59.94df", "--sum --no-wrap --rate 59.94df 23;59;59;59 00;00;00;01", "24;00;00;00");

        // Short timecodes are right-aligned.
        row("seconds and frames", "03:04", "00:00:03:04");
        row("minutes, seconds and frames", "2:03:04", "00:02:03:04");
        row("short operands", "--rate 25 10:24 + 1", "00:00:11:00");
        row("short df", "--rate 29.97df --frames 1:00;02", "1800");

        // Decimal factors round to the nearest frame, ties to even, as % does.
        row("times a decimal", "01:00:00:00 x 1.5", "01:30:00:00");
        row("times a decimal rounds ties to even", "00:00:00:05 x 0.5", "00:00:00:02");
        row("divide by a decimal", "--rate 23.98 2:03:04 / 2.5", "00:00:49:06");
        row("divide by a fraction", "00:00:01:00 / 0.5", "00:00:02:00");
        row("decimal factor * ", "--frames 3 * 0.5", "2");

        // "." before the frames at drop-frame rates.
        row("point separator", "--rate 29.97df --frames 01:00:00.00", "107892");
        row("point separator at 59.94df", "--rate 59.94df 00:01:00.04 - 1", "00;00;59;59");

        // Rate names as editing software writes them.
        row("23.98", "--rate 23.98 00:59:59:23 + 1", "01:00:00:00");
        row("upper-case DF", "--rate 29.97DF 00:00:59:29 + 1", "00;01;00;02");
        row("NDF", "--rate 29.97NDF 00:00:59:29 + 1", "00:01:00:00");
        row("59.94 mixed case", "--rate 59.94Df 00:00:59:59 + 1", "00;01;00;04");
        row("59.94NDF", "--rate 59.94ndf --frames 00:01:00:00", "3600");
        row("47.95", "--rate 47.95 --to-seconds 00:00:01:00", "1.001");
        row("47.952", "--rate 47.952 00:00:00:47 + 1", "00:00:01:00");
        row("119.88", "--rate 119.88 00:00:59:119 + 1", "00:01:00:000");
        row("119.88df drops eight", "--rate 119.88df 00:00:59:119 + 1", "00;01;00;008");
        QTest::newRow("119.88 DF with a blank")
            << QStringList{"--rate", "119.88 DF", "--frames", "00:10:00:000"} << "71928"
            << "";
        row("120", "--rate 120 --to-seconds 00:00:00:60", "0.5");
        row("30NDF", "--rate 30NDF 00:00:00:29 + 1", "00:00:01:00");

        row("to another rate by frame count", "--rate 24 --to 25 00:00:01:00", "00:00:00:24");
        row("drop frame to non-drop", "--rate 29.97df --to 29.97 00;01;00;02", "00:01:00:00");
        row("non-drop to drop frame", "--rate 30 --to 29.97df 00:01:00:00", "00;01;00;02");

        row("seconds at 25", "--rate 25 --to-seconds 00:00:01:12", "1.48");
        row("seconds at 23.976 are exact", "--rate 23.976 --to-seconds 01:00:00:00", "3603.6");
        row("seconds at 59.94df are exact", "--rate 59.94df --to-seconds 00;10;00;00", "599.9994");
        row("seconds of one 29.97 frame", "--rate 29.97 --to-seconds 1", "0.033366667");
        row("seconds below zero", "--to-seconds 00:00:00:00 - 3", "-0.1");
        row("whole seconds", "--to-seconds 00:01:00:00", "60");

        row("35mm", "--feet 35mm 0012+08 + 0001+15", "0014+07");
        row("16mm", "--feet 16mm 0001+39 + 1", "0002+00");
        row("feet from a timecode", "--rate 24 --feet 35mm 00:01:00:00", "0090+00");
        row("feet as frames", "--feet 35mm --frames 1+0", "16");
        row("feet below zero", "--feet 35mm 0000+00 - 0001+08", "-0001+08");
        row("many feet", "--feet 35mm 12345+00", "12345+00");
    }
    void results()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, result);
        QFETCH(QString, notice);
        const auto run = runCalc(args);
        QCOMPARE(run.err, notice.isEmpty() ? QByteArray() : "ombrel-calc: " + notice.toUtf8() + "\n");
        QCOMPARE(run.out, result.toUtf8() + "\n");
        QCOMPARE(run.status, 0);
    }

    void errors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("status");
        // A refused calculation exits 1, a wrong use of the options 2.
        const auto row = [](const char* name, const char* args, const char* message) {
            QTest::newRow(name) << QString(args).split(' ') << message << 1;
        };
        const auto usage = [](const char* name, const char* args, const char* message) {
            QTest::newRow(name) << QString(args).split(' ') << message << 2;
        };
        row("frame out of range", "--rate 29.97df 00:00:00:30", "frame 30 is out of range at 29.97df (00:00:00:30)");
        row("frame out of range at 25", "--rate 25 00:00:00:25", "frame 25 is out of range at 25 (00:00:00:25)");
        row("hour", "24:00:00:00", "hour 24 is out of range (24:00:00:00)");
        row("minute", "00:60:00:00", "minute 60 is out of range (00:60:00:00)");
        row("second", "00:00:60:00", "second 60 is out of range (00:00:60:00)");
        row("dropped label", "--rate 29.97df 00;01;00;01",
            "00;01;00;01 is not a drop-frame label (29.97df skips frames 00-01 at the start of every minute but "
            "each tenth)");
        row("dropped label at 59.94", "--rate 59.94df 00:01:00:03",
            "00:01:00:03 is not a drop-frame label (59.94df skips frames 00-03 at the start of every minute but "
            "each tenth)");
        row("semicolon at a non-drop rate", "--rate 29.97 01;00;00;00",
            "';' marks drop frame, but 29.97 does not drop frames (01;00;00;00)");
        row("five parts", "01:00:00:00:00", "'01:00:00:00:00' is not a timecode (hh:mm:ss:ff)");
        row("an empty part", "01::00:00", "'01::00:00' is not a timecode (hh:mm:ss:ff)");
        row("short hour out of range", "60:00:00", "minute 60 is out of range (60:00:00)");
        row("three-digit hours need no-wrap", "100:00:00:00", "'100:00:00:00' is not a timecode (hh:mm:ss:ff)");
        row("hours beyond six digits", "--no-wrap 1000000:00:00:00",
            "'1000000:00:00:00' is not a timecode (hh:mm:ss:ff)");
        row("point at a non-drop rate", "00:00:01.00",
            "'.' marks drop frame, but 30 does not drop frames (00:00:01.00)");
        row("point before other parts", "--rate 29.97df 01.00:00:00", "'01.00:00:00' is not a timecode (hh:mm:ss:ff)");
        row("NDF names a non-drop rate", "--rate 29.97NDF 01;00;00;00",
            "';' marks drop frame, but 29.97 does not drop frames (01;00;00;00)");
        row("not a factor", "01:00:00:00 x 1.2.3", "'1.2.3' is not a factor");
        row("divide by a decimal zero", "01:00:00:00 / 0.0", "cannot divide by zero");
        row("119.88df dropped label", "--rate 119.88df 00:01:00:007",
            "00:01:00:007 is not a drop-frame label (119.88df skips frames 00-07 at the start of every minute but "
            "each tenth)");
        row("sum with a bad term", "--sum 1 abc", "'abc': 'abc' is not a timecode or a frame count");
        row("sum too large for a total", "--sum --frames 9223372036854775807 1", "the total is too large");
        usage("30df", "--rate 30df 1", "'30df' is not a rate: drop frame is 29.97df");
        usage("60DF", "--rate 60DF 1", "'60DF' is not a rate: drop frame is 59.94df");
        usage("120df", "--to 120df 1", "'120df' is not a rate: drop frame is 119.88df");
        usage("df at a rate without it", "--rate 23.98df 1",
              "'23.98df' is not a rate: use 23.976, 24, 25, 29.97, 29.97df, 30, 47.952, 48, 50, 59.94, 59.94df, 60, "
              "119.88, 119.88df, 120 or another whole number from 1 to 999");
        row("three-digit minutes", "01:100:00:00", "'01:100:00:00' is not a timecode (hh:mm:ss:ff)");
        row("not an operand", "abc", "'abc' is not a timecode or a frame count");
        row("negative operand", "-- -5", "'-5' is not a timecode or a frame count");
        row("not an operator", "01:00:00:00 ^ 1", "'^' is not an operator (+ - x / % ~)");
        row("nothing after an operator", "01:00:00:00 +", "nothing follows '+'");
        row("divide by zero", "01:00:00:00 / 0", "cannot divide by zero");
        row("not a percentage", "00:10:00:00 % 1.2.3", "'1.2.3' is not a percentage");
        row("sum too large", "--frames 9223372036854775807 + 1", "the result is too large");
        row("product too large", "--frames 9223372036854775807 x 2", "the result is too large");
        row("count too large", "99999999999999999999", "'99999999999999999999' is too large a frame count");
        row("feet without a gauge", "0012+08",
            "'0012+08' is feet and frames: say which film with --feet 35mm or --feet 16mm");
        row("feet frame out of range", "--feet 35mm 0001+16",
            "frame 16 is out of range on 35mm, 16 frames a foot (0001+16)");
        row("feet malformed", "--feet 16mm 12+345", "'12+345' is not feet and frames (feet+ff)");
        row("not an operand with feet", "--feet 16mm abc", "'abc' is not a timecode, feet and frames or a frame count");
        usage("unknown rate", "--rate 31.5 1",
              "'31.5' is not a rate: use 23.976, 24, 25, 29.97, 29.97df, 30, 47.952, 48, 50, 59.94, 59.94df, 60, "
              "119.88, 119.88df, 120 or another whole number from 1 to 999");
        usage("rate beyond 999", "--rate 1000 1",
              "'1000' is not a rate: use 23.976, 24, 25, 29.97, 29.97df, 30, 47.952, 48, 50, 59.94, 59.94df, 60, "
              "119.88, 119.88df, 120 or another whole number from 1 to 999");
        usage("unknown option", "--bogus 1", "unknown option --bogus (see ombrel-calc --help)");
        usage("unknown short option", "-x 1", "unknown option -x (see ombrel-calc --help)");
        usage("missing value", "1 --rate", "--rate needs a value");
        usage("value for a flag", "--frames=1 1", "--frames takes no value");
        usage("two outputs", "--frames --to-seconds 1",
              "--frames and --to-seconds both choose how results are printed; give one");
        usage("feet and another rate", "--feet 35mm --to 25 1",
              "--feet and --to both choose how results are printed; give one");
        usage("unknown gauge", "--feet 8mm 1", "'8mm' is not a film gauge: use 35mm or 16mm");
        usage("sheet options without a sheet", "--json 1", "--json applies to --sheet and --edl only");
        usage("sheet with an expression", "--sheet work.obr 1", "--sheet prints a file and takes no expression");
        usage("sheet in seconds", "--sheet work.obr --to-seconds", "--to-seconds does not apply to --sheet");
        usage("sheet rate for a fixed list", "--sheet work.obr --rate 25",
              "--rate with --sheet gives the user list's rate; the nondrop list has its own");
        usage("unknown list", "--sheet work.obr --format foo",
              "'foo' is not a list: use nondrop, dropframe, pal, film, user or frames");
        row("no expression", "", "no expression");
    }
    void errors()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const auto run = runCalc(args);
        QCOMPARE(run.err, "ombrel-calc: " + message.toUtf8() + "\n");
        QCOMPARE(run.out, QByteArray());
        QTEST(run.status, "status");
    }

    void helpAndVersion()
    {
        for (const char* help : {"--help", "-h"}) {
            const auto run = runCalc({"--rate", "25", help});
            QVERIFY(run.out.startsWith("Usage: ombrel-calc"));
            QVERIFY(run.out.contains("--sheet FILE"));
            QCOMPARE(run.status, 0);
        }
        const auto version = runCalc({"--version"});
        QCOMPARE(version.out, QByteArray("ombrel-calc " OMBREL_VERSION "\n"));
        QCOMPARE(version.status, 0);
    }

    // Seconds and percentages keep "." when the C library and the C++
    // streams both use ",".
    void decimalPointIgnoresTheLocale()
    {
        QTemporaryDir locales;
        QProcess localedef;
        localedef.start("localedef", {"-i", "de_DE", "-f", "ISO-8859-1", locales.filePath("de_DE.ISO-8859-1")});
        QVERIFY2(localedef.waitForFinished(60000) && localedef.exitCode() == 0, "localedef cannot build de_DE");
        qputenv("LOCPATH", locales.path().toUtf8());
        QVERIFY(std::setlocale(LC_ALL, "de_DE.ISO-8859-1"));
        const std::string cDecimalPoint = std::localeconv()->decimal_point;
        struct Comma : std::numpunct<char> {
            char do_decimal_point() const override { return ','; }
        };
        const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new Comma));

        const auto seconds = runCalc({"--rate", "25", "--to-seconds", "00:00:01:12"});
        const auto percent = runCalc({"00:10:00:00", "%", "12.5"});

        std::locale::global(previous);
        std::setlocale(LC_ALL, "C");
        qunsetenv("LOCPATH");
        QCOMPARE(cDecimalPoint, ",");
        QCOMPARE(seconds.out, QByteArray("1.48\n"));
        QCOMPARE(percent.out, QByteArray("00:01:15:00\n"));
    }
};

OMBREL_TEST_CLASS(CalcExpressionTest)
#include "calc_expression_test.moc"
