#include "engine/calculation.h"
#include "test_registry.h"

#include <QRegularExpression>
#include <QTest>

#include <limits>
#include <string>

using namespace ombrel;

namespace {

CalculationRequest request(const char* in, Operator op, const char* out,
                           TimecodeFormat active = TimecodeFormat::NonDrop)
{
    CalculationRequest r;
    r.inText = in;
    r.outText = out;
    r.op = op;
    r.percentText = "0";
    r.activeFormat = active;
    return r;
}

QString cell(const Calculation& c, TimecodeFormat format, int column)
{
    return QString::fromStdString(c.rows[FormatIndex(format)][column]);
}

QStringList rowTexts(const Calculation& c, TimecodeFormat format)
{
    QStringList texts;
    for (const auto& text : c.rows[FormatIndex(format)])
        texts << QString::fromStdString(text);
    return texts;
}

// Whether the state is still that of no calculation.
bool untouched(const CalcState& state)
{
    for (const FormatTotals& t : state.totals)
        if (t.inCount != 0 || t.outCount != 0 || t.resultCount != 0)
            return false;
    return state.inParts == TimecodeParts{} && state.outParts == TimecodeParts{};
}

} // namespace

class CalculationTest : public QObject {
    Q_OBJECT
private slots:
    void sixListsOfOneCalculation()
    {
        CalcState state;
        const Calculation c = ComputeCalculations(request("00:00:59:29", Operator::Plus, "00:00:00:01"), state);
        QCOMPARE(c.refusal, RangeRefusal::None);
        QCOMPARE(rowTexts(c, TimecodeFormat::NonDrop),
                 QStringList({"00:00:59:29", "+", "00:00:00:01", "=", "00:01:00:00", "", ""}));
        QCOMPARE(rowTexts(c, TimecodeFormat::DropFrm),
                 QStringList({"00;00;59;29", "+", "00;00;00;01", "=", "00;01;00;02", "", ""}));
        QCOMPARE(cell(c, TimecodeFormat::PAL, ResultColumn), QString("00:01:00:05"));
        QCOMPARE(cell(c, TimecodeFormat::Film, ResultColumn), QString("00:01:00:06"));
        QCOMPARE(cell(c, TimecodeFormat::User, ResultColumn), QString("00:01:01:00"));
        QCOMPARE(rowTexts(c, TimecodeFormat::Frames), QStringList({"1799", "+", "1", "=", "1800", "", ""}));
    }

    void theStateHoldsTheLatestTotals()
    {
        CalcState state;
        ComputeCalculations(request("00:00:01:00", Operator::Minus, "00:00:00:10"), state);
        ComputeCalculations(request("01:00:00:00", Operator::Plus, "00:30:00:00"), state);
        QCOMPARE(state.totals[FormatIndex(TimecodeFormat::Frames)].resultCount, 162000);
        QCOMPARE(state.totals[FormatIndex(TimecodeFormat::User)].inCount, 54000);
    }

    void convertToFramesExample()
    {
        CalcState state;
        state.rates.framesRate = 29.97;
        ComputeCalculations(request("00:01:00:00", Operator::Plus, "00:00:00:00"), state);
        const qint64 expected[kFormatCount] = {1800, 1800, 1500, 1440, 900, 1798};
        for (int f = 0; f < kFormatCount; ++f)
            QCOMPARE(state.totals[f].inCount, expected[f]);
        QCOMPARE(state.inParts, (TimecodeParts{0, 1, 0, 2}));
    }

    void rangeCheckByActiveTab_data()
    {
        QTest::addColumn<int>("active");
        QTest::addColumn<QString>("in");
        QTest::addColumn<bool>("accepted");
        const int nonDrop = int(TimecodeFormat::NonDrop);
        const int pal = int(TimecodeFormat::PAL);
        const int film = int(TimecodeFormat::Film);
        const int user = int(TimecodeFormat::User);
        QTest::newRow("PAL frame 24") << pal << "00:00:00:24" << true;
        QTest::newRow("PAL frame 25") << pal << "00:00:00:25" << false;
        QTest::newRow("NonDrop frame 29") << nonDrop << "00:00:00:29" << true;
        QTest::newRow("NonDrop frame 30") << nonDrop << "00:00:00:30" << false;
        QTest::newRow("Film frame 23") << film << "00:00:00:23" << true;
        QTest::newRow("Film frame 24") << film << "00:00:00:24" << false;
        QTest::newRow("Film frame 29") << film << "00:00:00:29" << false;
        QTest::newRow("User 15 frame 14") << user << "00:00:00:14" << true;
        QTest::newRow("User 15 frame 15") << user << "00:00:00:15" << false;
        QTest::newRow("Frames frame 29") << int(TimecodeFormat::Frames) << "00:00:00:29" << true;
        QTest::newRow("DropFrm frame 30") << int(TimecodeFormat::DropFrm) << "00;00;00;30" << false;
        for (int f = 0; f < kFormatCount; ++f) {
            QTest::addRow("hour 24 on tab %d", f) << f << "24:00:00:00" << false;
            QTest::addRow("minute 60 on tab %d", f) << f << "00:60:00:00" << false;
            QTest::addRow("second 60 on tab %d", f) << f << "00:00:60:00" << false;
            QTest::addRow("last hour on tab %d", f) << f << "23:59:59:00" << true;
        }
    }
    void rangeCheckByActiveTab()
    {
        QFETCH(int, active);
        QFETCH(QString, in);
        QFETCH(bool, accepted);
        CalcState state;
        const QByteArray text = in.toLatin1();
        const Calculation c =
            ComputeCalculations(request(text, Operator::Plus, "00:00:00:00", FormatAt(active)), state);
        QCOMPARE(c.refusal == RangeRefusal::None, accepted);
        QCOMPARE(untouched(state), !accepted);
    }

    void refusedInIsReportedBeforeOut()
    {
        CalcState state;
        QCOMPARE(ComputeCalculations(request("25:00:00:00", Operator::Plus, "25:00:00:00"), state).refusal,
                 RangeRefusal::InOperand);
        QCOMPARE(ComputeCalculations(request("00:00:00:00", Operator::Plus, "00:00:00:30"), state).refusal,
                 RangeRefusal::OutOperand);
        QVERIFY(untouched(state));
    }

    void rangeCheckOffAndFrameModeAcceptAnything()
    {
        CalcState state;
        CalculationRequest r = request("99:99:99:99", Operator::Plus, "00:00:00:00");
        r.rangeCheck = false;
        const Calculation c = ComputeCalculations(r, state);
        QCOMPARE(c.refusal, RangeRefusal::None);
        QCOMPARE(state.totals[0].inCount, 10873269);
        QCOMPARE(cell(c, TimecodeFormat::NonDrop, ResultColumn),
                 QString::fromStdString(FormatTimecodeText(GenericTC(10873269, 30))));

        CalculationRequest frames = request("", Operator::Plus, "");
        frames.frameMode = true;
        frames.frameInText = "999999999";
        frames.frameOutText = "0";
        QCOMPARE(ComputeCalculations(frames, state).refusal, RangeRefusal::None);
    }

    void operators_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<int>("op");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("percent");
        QTest::addColumn<QStringList>("results"); // NonDrop, PAL, User (15), Frames
        QTest::newRow("divide by zero") << "00:00:01:00" << int(Operator::Divide) << "00:00:00:00"
                                        << "0" << QStringList{"00:00:00:00", "00:00:00:00", "00:00:00:00", "0"};
        QTest::newRow("divide rounds") << "00:00:00:05" << int(Operator::Divide) << "00:00:00:02"
                                       << "0" << QStringList{"00:00:00:02", "00:00:00:02", "00:00:00:02", "2"};
        QTest::newRow("divide ties to even") << "00:00:00:07" << int(Operator::Divide) << "00:00:00:02"
                                             << "0" << QStringList{"00:00:00:04", "00:00:00:04", "00:00:00:04", "4"};
        QTest::newRow("percent of Out") << "00:00:00:00" << int(Operator::Percent) << "00:00:01:00"
                                        << "50" << QStringList{"00:00:00:15", "00:00:00:12", "00:00:00:08", "15"};
        QTest::newRow("percent with trailing blanks")
            << "00:00:00:00" << int(Operator::Percent) << "00:00:01:00"
            << "12.5  " << QStringList{"00:00:00:04", "00:00:00:03", "00:00:00:02", "4"};
        QTest::newRow("times is a factor") << "00:00:01:00" << int(Operator::Times) << "00:00:00:03"
                                           << "0" << QStringList{"00:00:03:00", "00:00:03:00", "00:00:03:00", "90"};
        QTest::newRow("minus below zero") << "00:00:00:00" << int(Operator::Minus) << "00:00:00:01"
                                          << "0" << QStringList{"23:59:59:29", "23:59:59:24", "23:59:59:14", "-1"};
        QTest::newRow("difference") << "00:00:20:00" << int(Operator::Difference) << "00:00:10:00"
                                    << "0" << QStringList{"00:00:10:00", "00:00:10:00", "00:00:10:00", "300"};
        QTest::newRow("difference swapped") << "00:00:10:00" << int(Operator::Difference) << "00:00:20:00"
                                            << "0" << QStringList{"00:00:10:00", "00:00:10:00", "00:00:10:00", "300"};
    }
    void operators()
    {
        QFETCH(QString, in);
        QFETCH(int, op);
        QFETCH(QString, out);
        QFETCH(QString, percent);
        QFETCH(QStringList, results);
        CalcState state;
        CalculationRequest r = request(in.toLatin1(), static_cast<Operator>(op), out.toLatin1());
        r.percentText = percent.toStdString();
        const Calculation c = ComputeCalculations(r, state);
        QCOMPARE(cell(c, TimecodeFormat::NonDrop, ResultColumn), results[0]);
        QCOMPARE(cell(c, TimecodeFormat::PAL, ResultColumn), results[1]);
        QCOMPARE(cell(c, TimecodeFormat::User, ResultColumn), results[2]);
        QCOMPARE(cell(c, TimecodeFormat::Frames, ResultColumn), results[3]);
    }

    void percentageOperatorShowsThePercentageAsIn()
    {
        CalcState state;
        CalculationRequest r = request("00:00:00:00", Operator::Percent, "00:00:01:00");
        r.percentText = "12.5";
        const Calculation c = ComputeCalculations(r, state);
        for (int f = 0; f < kFormatCount; ++f)
            QCOMPARE(cell(c, FormatAt(f), InColumn), QString("12.5"));
        QCOMPARE(cell(c, TimecodeFormat::NonDrop, OperatorColumn), QString("%"));
    }

    void frameModeUsesTheTypedCounts()
    {
        CalcState state;
        CalculationRequest r = request("", Operator::Minus, "");
        r.frameMode = true;
        r.frameInText = "1800";
        r.frameOutText = "2700";
        const Calculation c = ComputeCalculations(r, state);
        QCOMPARE(c.frameDuration, std::string("-900"));
        QCOMPARE(rowTexts(c, TimecodeFormat::Frames), QStringList({"1800", "-", "2700", "=", "-900", "", ""}));
        QCOMPARE(rowTexts(c, TimecodeFormat::NonDrop),
                 QStringList({"00:01:00:00", "-", "00:01:30:00", "=", "23:59:30:00", "", ""}));
        QCOMPARE(cell(c, TimecodeFormat::PAL, InColumn), QString("00:01:12:00"));
        QCOMPARE(cell(c, TimecodeFormat::User, OutColumn), QString("00:03:00:00"));
        // Drop frame labels the same frame numbers: 1800 is a minute and two frames.
        QCOMPARE(rowTexts(c, TimecodeFormat::DropFrm),
                 QStringList({"00;01;00;02", "-", "00;01;30;02", "=", "23;59;30;00", "", ""}));
    }

    // In frame mode every row calculates the typed counts at its own rate:
    // its result is its operands' result, not that of their 30 fps labels.
    void frameModeRowsAddUp_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QStringList>("row");
        QTest::newRow("NonDrop") << FormatIndex(TimecodeFormat::NonDrop)
                                 << QStringList{"00:00:03:10", "x", "00:00:00:03", "=", "00:00:10:00", "", ""};
        QTest::newRow("PAL") << FormatIndex(TimecodeFormat::PAL)
                             << QStringList{"00:00:04:00", "x", "00:00:00:03", "=", "00:00:12:00", "", ""};
        QTest::newRow("Film") << FormatIndex(TimecodeFormat::Film)
                              << QStringList{"00:00:04:04", "x", "00:00:00:03", "=", "00:00:12:12", "", ""};
        QTest::newRow("Frames") << FormatIndex(TimecodeFormat::Frames)
                                << QStringList{"100", "x", "3", "=", "300", "", ""};
    }
    void frameModeRowsAddUp()
    {
        QFETCH(int, format);
        QFETCH(QStringList, row);
        CalcState state;
        CalculationRequest r = request("", Operator::Times, "", FormatAt(format));
        r.frameMode = true;
        r.frameInText = "100";
        r.frameOutText = "3";
        const Calculation c = ComputeCalculations(r, state);
        QCOMPARE(rowTexts(c, FormatAt(format)), row);
        QCOMPARE(state.totals[format].resultCount, int64_t{300});
    }

    // The largest counts convert to every rate without overflow: adding
    // nothing gives the operand back in every list.
    void hugestCountsConvertAtEveryRate()
    {
        for (const char* count : {"9223372036854775807", "-9223372036854775807", "999999998000000002"}) {
            CalcState state;
            CalculationRequest r = request("", Operator::Plus, "");
            r.frameMode = true;
            r.frameInText = count;
            r.frameOutText = "0";
            const Calculation c = ComputeCalculations(r, state);
            for (int f = 0; f < kFormatCount; ++f) {
                QCOMPARE(cell(c, FormatAt(f), ResultColumn), cell(c, FormatAt(f), InColumn));
                QCOMPARE(state.totals[f].resultCount, std::stoll(count));
            }
        }
    }

    void conversionErrorsChangeNothing_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<int>("op");
        QTest::addColumn<QString>("percent");
        QTest::addColumn<bool>("frameMode");
        QTest::addColumn<QString>("frameIn");
        QTest::addColumn<QString>("message");
        const int plus = int(Operator::Plus);
        const int percent = int(Operator::Percent);
        QTest::newRow("blank digit") << "01:0 :00:00" << plus << "0" << false << "0"
                                     << "' ' is not a valid integer value";
        QTest::newRow("empty percentage") << "00:00:00:00" << percent << "" << false << "0"
                                          << "'' is not a valid floating point value";
        QTest::newRow("lone point") << "00:00:00:00" << percent << "." << false << "0"
                                    << "'.' is not a valid floating point value";
        QTest::newRow("two points") << "00:00:00:00" << percent << "1.2.3" << false << "0"
                                    << "'1.2.3' is not a valid floating point value";
        QTest::newRow("pasted frame count") << "00:00:00:00" << plus << "0" << true << "12ab"
                                            << "'12ab' is not a valid integer value";
        QTest::newRow("overlong frame count") << "00:00:00:00" << plus << "0" << true << "99999999999999999999"
                                              << "'99999999999999999999' is not a valid integer value";
        const QString beyondADouble = "1" + QString(400, '0');
        QTest::newRow("percentage beyond a double") << "00:00:00:00" << percent << beyondADouble << false << "0"
                                                    << "'" + beyondADouble + "' is not a valid floating point value";
    }
    void conversionErrorsChangeNothing()
    {
        QFETCH(QString, in);
        QFETCH(int, op);
        QFETCH(QString, percent);
        QFETCH(bool, frameMode);
        QFETCH(QString, frameIn);
        QFETCH(QString, message);
        CalcState state;
        CalculationRequest r = request(in.toLatin1(), static_cast<Operator>(op), "00:00:00:01");
        r.percentText = percent.toStdString();
        r.frameMode = frameMode;
        r.frameInText = frameIn.toStdString();
        r.frameOutText = "1";
        try {
            ComputeCalculations(r, state);
            QFAIL("no error");
        } catch (const ConversionError& error) {
            QCOMPARE(QString::fromStdString(error.what()), message);
        }
        QVERIFY(untouched(state));
    }

    void divisionRoundsTheTrueQuotientHalfToEven_data()
    {
        QTest::addColumn<qint64>("a");
        QTest::addColumn<qint64>("b");
        QTest::addColumn<qint64>("quotient");
        QTest::newRow("7 / 2") << qint64(7) << qint64(2) << qint64(4);
        QTest::newRow("5 / 2") << qint64(5) << qint64(2) << qint64(2);
        QTest::newRow("-7 / 2") << qint64(-7) << qint64(2) << qint64(-4);
        QTest::newRow("-5 / 2") << qint64(-5) << qint64(2) << qint64(-2);
        QTest::newRow("7 / -2") << qint64(7) << qint64(-2) << qint64(-4);
        QTest::newRow("-9 / -2") << qint64(-9) << qint64(-2) << qint64(4);
        QTest::newRow("-8 / 3") << qint64(-8) << qint64(3) << qint64(-3);
        QTest::newRow("by zero") << qint64(-8) << qint64(0) << qint64(0);
        // A double would lose the last digit of these.
        QTest::newRow("beyond a double's digits") << qint64(9007199254740993) << qint64(1) << qint64(9007199254740993);
        QTest::newRow("largest / 2") << std::numeric_limits<qint64>::max() << qint64(2) << qint64(4611686018427387904);
        QTest::newRow("smallest / largest")
            << std::numeric_limits<qint64>::min() << std::numeric_limits<qint64>::max() << qint64(-1);
        QTest::newRow("smallest / smallest")
            << std::numeric_limits<qint64>::min() << std::numeric_limits<qint64>::min() << qint64(1);
    }
    void divisionRoundsTheTrueQuotientHalfToEven()
    {
        QFETCH(qint64, a);
        QFETCH(qint64, b);
        QFETCH(qint64, quotient);
        QCOMPARE(FindTotalTC(Operator::Divide, a, b), quotient);
    }

    // Frame counts pasted or dropped into the frame fields can be as large
    // as int64 holds: a result beyond it is refused, never wrapped or cut.
    void resultsOutsideTheFrameCountRangeAreRefused_data()
    {
        QTest::addColumn<QString>("frameIn");
        QTest::addColumn<int>("op");
        QTest::addColumn<QString>("frameOut");
        QTest::addColumn<QString>("percent");
        QTest::addColumn<QString>("message");
        QTest::newRow("times") << "99999999999" << int(Operator::Times) << "99999999999"
                               << "0"
                               << "99999999999 x 99999999999 is out of range!";
        QTest::newRow("plus") << "9223372036854775807" << int(Operator::Plus) << "1"
                              << "0"
                              << "9223372036854775807 + 1 is out of range!";
        QTest::newRow("minus") << "-9223372036854775808" << int(Operator::Minus) << "1"
                               << "0"
                               << "-9223372036854775808 - 1 is out of range!";
        QTest::newRow("difference") << "-9223372036854775808" << int(Operator::Difference) << "1"
                                    << "0"
                                    << "-9223372036854775808 ~ 1 is out of range!";
        QTest::newRow("divide") << "-9223372036854775808" << int(Operator::Divide) << "-1"
                                << "0"
                                << "-9223372036854775808 / -1 is out of range!";
        QTest::newRow("percent") << "0" << int(Operator::Percent) << "9223372036854775807"
                                 << "200"
                                 << "200% of 9223372036854775807 is out of range!";
        QTest::newRow("huge percentage") << "0" << int(Operator::Percent) << "30"
                                         << "100000000000000000000000"
                                         << "1e+23% of 30 is out of range!";
    }
    void resultsOutsideTheFrameCountRangeAreRefused()
    {
        QFETCH(QString, frameIn);
        QFETCH(int, op);
        QFETCH(QString, frameOut);
        QFETCH(QString, percent);
        QFETCH(QString, message);
        CalcState state;
        CalculationRequest r = request("", static_cast<Operator>(op), "");
        r.frameMode = true;
        r.frameInText = frameIn.toStdString();
        r.frameOutText = frameOut.toStdString();
        r.percentText = percent.toStdString();
        try {
            ComputeCalculations(r, state);
            QFAIL("no error");
        } catch (const ConversionError& error) {
            QCOMPARE(QString::fromStdString(error.what()), message);
        }
        QVERIFY(untouched(state));
    }

    void percentageText_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::addColumn<int>("active");
        QTest::addColumn<QString>("text");
        const int nonDrop = int(TimecodeFormat::NonDrop);
        QTest::newRow("half") << "108000"
                              << "54000" << nonDrop << "50.00%";
        QTest::newRow("drop compensated") << "18000"
                                          << "9000" << int(TimecodeFormat::DropFrm) << "50.06%";
        QTest::newRow("not compensated") << "18000"
                                         << "9000" << nonDrop << "50.00%";
        QTest::newRow("thousands") << "2"
                                   << "24.69" << nonDrop << "1,234.50%";
        QTest::newRow("zero In") << "0"
                                 << "54000" << nonDrop << "0.00%";
        QTest::newRow("negative Out") << "100"
                                      << "-5" << nonDrop << "0.00%";
        QTest::newRow("not a number") << "abc"
                                      << "5" << nonDrop << "0.00%";
        QTest::newRow("beyond a double") << "1"
                                         << "1" + QString(400, '0') << nonDrop << "0.00%";
        QTest::newRow("ratio overflows") << "0." + QString(300, '0') + "1"
                                         << "1" + QString(300, '0') << nonDrop << QString::fromUtf8("\u221E%");
    }
    void percentageText()
    {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QFETCH(int, active);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(PercentageText(in.toStdString(), out.toStdString(), FormatAt(active))), text);
    }

    // Huge counts show every digit, grouped, and never read past a buffer.
    void percentageOfHugeCounts_data()
    {
        QTest::addColumn<QString>("out");
        QTest::addColumn<int>("digits"); // before the point
        QTest::newRow("70 zeros") << "1" + QString(70, '0') << 73;
        QTest::newRow("near the largest double") << "1" + QString(306, '0') << 309;
    }
    void percentageOfHugeCounts()
    {
        QFETCH(QString, out);
        QFETCH(int, digits);
        const QString shown = QString::fromStdString(PercentageText("1", out.toStdString(), TimecodeFormat::NonDrop));
        QVERIFY2(QRegularExpression("^[1-9][0-9]{0,2}(,[0-9]{3})*\\.[0-9]{2}%$").match(shown).hasMatch(),
                 qPrintable(shown));
        QCOMPARE(shown.count(QRegularExpression("[0-9]")), digits + 2);
    }

    // Results within the signed 64-bit range are exact up to its ends;
    // beyond them the calculation is refused, never wrapped or cut.
    void findTotalAtTheEdges_data()
    {
        QTest::addColumn<int>("op");
        QTest::addColumn<qint64>("a");
        QTest::addColumn<qint64>("b");
        QTest::addColumn<double>("percent");
        QTest::addColumn<QVariant>("result"); // none: refused
        const qint64 max = std::numeric_limits<qint64>::max();
        const qint64 min = std::numeric_limits<qint64>::min();
        const double inf = std::numeric_limits<double>::infinity();
        const QVariant refused;
        QTest::newRow("plus past the top") << int(Operator::Plus) << max << qint64(1) << 0.0 << refused;
        QTest::newRow("plus past the bottom") << int(Operator::Plus) << min << qint64(-1) << 0.0 << refused;
        QTest::newRow("plus at the top") << int(Operator::Plus) << max - 1 << qint64(1) << 0.0 << QVariant(max);
        QTest::newRow("minus past the bottom") << int(Operator::Minus) << qint64(-2) << max << 0.0 << refused;
        QTest::newRow("minus past the top") << int(Operator::Minus) << qint64(0) << min << 0.0 << refused;
        QTest::newRow("minus at the bottom") << int(Operator::Minus) << qint64(-1) << max << 0.0 << QVariant(min);
        QTest::newRow("times past the top") << int(Operator::Times) << max << qint64(2) << 0.0 << refused;
        QTest::newRow("times of two negatives") << int(Operator::Times) << min << qint64(-1) << 0.0 << refused;
        QTest::newRow("times past the bottom") << int(Operator::Times) << max << qint64(-2) << 0.0 << refused;
        QTest::newRow("times in range") << int(Operator::Times) << qint64(-3) << qint64(4) << 0.0
                                        << QVariant(qint64(-12));
        QTest::newRow("smallest divided by -1") << int(Operator::Divide) << min << qint64(-1) << 0.0 << refused;
        QTest::newRow("divide in range") << int(Operator::Divide) << min << qint64(1) << 0.0 << QVariant(min);
        QTest::newRow("difference across the range") << int(Operator::Difference) << min << max << 0.0 << refused;
        QTest::newRow("difference swapped") << int(Operator::Difference) << max << min << 0.0 << refused;
        QTest::newRow("difference at the top")
            << int(Operator::Difference) << qint64(-1) << max - 1 << 0.0 << QVariant(max);
        QTest::newRow("infinite percent") << int(Operator::Percent) << qint64(0) << qint64(30) << inf << refused;
        QTest::newRow("infinite percent of a negative")
            << int(Operator::Percent) << qint64(0) << qint64(-30) << inf << refused;
        QTest::newRow("infinite percent of zero") << int(Operator::Percent) << qint64(0) << qint64(0) << inf << refused;
        QTest::newRow("huge percent") << int(Operator::Percent) << qint64(0) << max << 1e300 << refused;
        QTest::newRow("percent of the largest")
            << int(Operator::Percent) << qint64(0) << max << 50.0 << QVariant(qint64(4611686018427387904));
    }
    void findTotalAtTheEdges()
    {
        QFETCH(int, op);
        QFETCH(qint64, a);
        QFETCH(qint64, b);
        QFETCH(double, percent);
        QFETCH(QVariant, result);
        try {
            const qint64 total = FindTotalTC(static_cast<Operator>(op), a, b, percent);
            QVERIFY2(result.isValid(), qPrintable(QString::number(total)));
            QCOMPARE(total, result.toLongLong());
        } catch (const ConversionError& error) {
            QVERIFY2(!result.isValid(), error.what());
            QVERIFY(QString(error.what()).endsWith(" is out of range!"));
        }
    }

    // Frame counts pasted or dropped into the frame fields can be as large
    // as int64 holds: the calculation completes at the very ends of the
    // range, and a result beyond them is refused with a message and changes
    // nothing.
    void frameModeAtTheEdges()
    {
        CalcState state;
        CalculationRequest r = request("00:00:00:00", Operator::Plus, "00:00:00:00");
        r.frameMode = true;
        r.frameInText = "9223372036854775806";
        r.frameOutText = "1";
        QCOMPARE(ComputeCalculations(r, state).frameDuration, std::string("9223372036854775807"));
        r.op = Operator::Minus;
        r.frameInText = "-9223372036854775807";
        QCOMPARE(ComputeCalculations(r, state).frameDuration, std::string("-9223372036854775808"));
    }

    // A Frames rate far beyond any real one gives the largest count rather
    // than an undefined conversion.
    void framesRateBeyondTheCounts()
    {
        QCOMPARE(PartsToFramesAtFramesRate({1, 0, 0, 0}, 1e300), std::numeric_limits<int64_t>::max());
        QCOMPARE(RoundToCount(std::numeric_limits<double>::quiet_NaN()), 0);
        QCOMPARE(RoundToCount(-9223372036854775808.0), std::numeric_limits<int64_t>::min());
        QCOMPARE(RoundToCount(2.5), 2);
    }
};

OMBREL_TEST_CLASS(CalculationTest)
#include "calculation_test.moc"
