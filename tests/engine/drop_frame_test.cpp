#include "engine/calculation.h"
#include "engine/drop_frame.h"
#include "engine/format_info.h"
#include "test_registry.h"

#include <QTest>

using namespace ombrel;

Q_DECLARE_METATYPE(ombrel::TimecodeParts)

// Drop-frame results come from real frame numbers: the labels of a whole
// day, the worked examples, and the cases a label-correction scheme gets wrong.
class DropFrameTest : public QObject {
    Q_OBJECT
private slots:
    // Every drop-frame format of the table, whatever its rate.
    void everyFrameOfTheDayHasALegalLabelThatConvertsBack()
    {
        for (const FormatInfo& format : kFormats) {
            if (!format.dropFrame)
                continue;
            const int64_t rate = format.nominalRate;
            const int64_t day = DropFrameDay(rate);
            int failures = 0;
            TimecodeParts previous{-1, 0, 0, 0};
            for (int64_t n = 0; n < day; ++n) {
                const TimecodeParts label = DropFrameLabelAt(n, rate);
                const bool legal =
                    label.hours < 24 && label.minutes < 60 && label.seconds < 60 && label.frames < rate &&
                    !(IsDropMinute(label.minutes) && label.seconds == 0 && label.frames < DroppedLabelsPerMinute(rate));
                if (!legal || DropFrameNumberAt(label, rate) != n)
                    ++failures;
                previous = label;
            }
            const auto last = static_cast<int32_t>(rate - 1);
            QCOMPARE(failures, 0);
            QCOMPARE(previous, (TimecodeParts{23, 59, 59, last}));
            QCOMPARE(DropFrameLabelAt(day, rate), (TimecodeParts{0, 0, 0, 0}));
            QCOMPARE(DropFrameLabelAt(-1, rate), (TimecodeParts{23, 59, 59, last}));
        }
    }

    // The rule follows the nominal rate: 2 labels a minute at 30 fps, 4 at 60.
    void droppedLabelsFollowTheRate_data()
    {
        QTest::addColumn<qint64>("rate");
        QTest::addColumn<qint64>("frame");
        QTest::addColumn<TimecodeParts>("label");
        QTest::newRow("30: first minute") << qint64(30) << qint64(1800) << TimecodeParts{0, 1, 0, 2};
        QTest::newRow("30: tenth minute") << qint64(30) << qint64(17982) << TimecodeParts{0, 10, 0, 0};
        QTest::newRow("60: last of minute 0") << qint64(60) << qint64(3599) << TimecodeParts{0, 0, 59, 59};
        QTest::newRow("60: first minute") << qint64(60) << qint64(3600) << TimecodeParts{0, 1, 0, 4};
        QTest::newRow("60: tenth minute") << qint64(60) << qint64(35964) << TimecodeParts{0, 10, 0, 0};
        QTest::newRow("60: an hour") << qint64(60) << qint64(215784) << TimecodeParts{1, 0, 0, 0};
    }
    void droppedLabelsFollowTheRate()
    {
        QFETCH(qint64, rate);
        QFETCH(qint64, frame);
        QFETCH(TimecodeParts, label);
        QCOMPARE(DropFrameLabelAt(frame, rate), label);
        QCOMPARE(DropFrameNumberAt(label, rate), frame);
    }

    void results_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<int>("op");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("shownIn");
        const int plus = int(Operator::Plus);
        const int minus = int(Operator::Minus);
        QTest::newRow("into a drop minute") << "00:00:59:29" << plus << "00:00:00:01"
                                            << "00;01;00;02"
                                            << "00;00;59;29";
        QTest::newRow("past the dropped labels") << "00:00:59:29" << plus << "00:00:00:02"
                                                 << "00;01;00;03"
                                                 << "00;00;59;29";
        QTest::newRow("back out of a drop minute") << "00:01:00:02" << minus << "00:00:00:01"
                                                   << "00;00;59;29"
                                                   << "00;01;00;02";
        QTest::newRow("adjusted In") << "00:01:00:00" << minus << "00:00:00:01"
                                     << "00;00;59;29"
                                     << "00;01;00;02";
        QTest::newRow("minute difference") << "00:02:00:02" << minus << "00:01:00:02"
                                           << "00;00;59;28"
                                           << "00;02;00;02";
        QTest::newRow("before the tenth minute") << "00:10:00:00" << minus << "00:00:00:01"
                                                 << "00;09;59;29"
                                                 << "00;10;00;00";
        QTest::newRow("onto the tenth minute") << "00:09:59:29" << plus << "00:00:00:01"
                                               << "00;10;00;00"
                                               << "00;09;59;29";
        QTest::newRow("within a minute") << "00:01:00:02" << plus << "00:00:00:27"
                                         << "00;01;00;29"
                                         << "00;01;00;02";
        QTest::newRow("one frame on") << "00:05:00:02" << plus << "00:00:00:01"
                                      << "00;05;00;03"
                                      << "00;05;00;02";
        QTest::newRow("halving") << "00:02:00:02" << int(Operator::Divide) << "00:00:00:02"
                                 << "00;00;59;29"
                                 << "00;02;00;02";
        QTest::newRow("equal operands in a drop minute") << "00:05:00:00" << minus << "00:05:00:00"
                                                         << "00;00;00;00"
                                                         << "00;05;00;02";
        QTest::newRow("hour and a half") << "01:00:00:00" << plus << "00:30:00:00"
                                         << "01;30;00;00"
                                         << "01;00;00;00";
        QTest::newRow("below zero wraps") << "00:00:00:00" << minus << "00:00:00:01"
                                          << "23;59;59;29"
                                          << "00;00;00;00";
        QTest::newRow("difference") << "00:00:00:01" << int(Operator::Difference) << "00:01:00:02"
                                    << "00;00;59;29"
                                    << "00;00;00;01";
    }
    void results()
    {
        QFETCH(QString, in);
        QFETCH(int, op);
        QFETCH(QString, out);
        QFETCH(QString, result);
        QFETCH(QString, shownIn);
        CalcState state;
        CalculationRequest request;
        request.inText = in.toStdString();
        request.outText = out.toStdString();
        request.op = static_cast<Operator>(op);
        const Calculation calculation = ComputeCalculations(request, state);
        const auto& row = calculation.rows[FormatIndex(TimecodeFormat::DropFrm)];
        QCOMPARE(QString::fromStdString(row[ResultColumn]), result);
        QCOMPARE(QString::fromStdString(row[InColumn]), shownIn);
    }
};

OMBREL_TEST_CLASS(DropFrameTest)
#include "drop_frame_test.moc"
