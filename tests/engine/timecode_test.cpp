#include "engine/drop_frame.h"
#include "engine/format_info.h"
#include "engine/timecode.h"
#include "test_registry.h"

#include <QTest>

#include <cstring>
#include <limits>

using namespace ombrel;

Q_DECLARE_METATYPE(ombrel::TimecodeParts)

namespace {

TimecodeParts tc(int h, int m, int s, int f)
{
    return {h, m, s, f};
}

} // namespace

class TimecodeTest : public QObject {
    Q_OBJECT
private slots:
    void genericTcWrapsIntoOneDay_data()
    {
        QTest::addColumn<qint64>("count");
        QTest::addColumn<qint64>("rate");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64(0) << qint64(30) << "00:00:00:00";
        QTest::newRow("one minute") << qint64(1800) << qint64(30) << "00:01:00:00";
        QTest::newRow("one hour") << qint64(108000) << qint64(30) << "01:00:00:00";
        QTest::newRow("one day") << qint64(2592000) << qint64(30) << "00:00:00:00";
        QTest::newRow("last frame of day") << qint64(2591999) << qint64(30) << "23:59:59:29";
        QTest::newRow("minus one at 24") << qint64(-1) << qint64(24) << "23:59:59:23";
        QTest::newRow("minus one at 25") << qint64(-1) << qint64(25) << "23:59:59:24";
        QTest::newRow("minus a day and one") << qint64(-2592001) << qint64(30) << "23:59:59:29";
        QTest::newRow("several days") << qint64(3 * 2592000 + 1800) << qint64(30) << "00:01:00:00";
        QTest::newRow("user rate 15") << qint64(915) << qint64(15) << "00:01:01:00";
    }
    void genericTcWrapsIntoOneDay()
    {
        QFETCH(qint64, count);
        QFETCH(qint64, rate);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(FormatTimecodeText(GenericTC(count, rate))), text);
    }

    void partsToFrames_data()
    {
        QTest::addColumn<TimecodeParts>("parts");
        QTest::addColumn<qint64>("rate");
        QTest::addColumn<qint64>("frames");
        QTest::newRow("zero") << tc(0, 0, 0, 0) << qint64(30) << qint64(0);
        QTest::newRow("frames beyond the rate") << tc(0, 0, 1, 29) << qint64(25) << qint64(54);
        QTest::newRow("all nines") << tc(99, 99, 99, 99) << qint64(30) << qint64(10873269);
        QTest::newRow("one minute at 24") << tc(0, 1, 0, 0) << qint64(24) << qint64(1440);
    }
    void partsToFrames()
    {
        QFETCH(TimecodeParts, parts);
        QFETCH(qint64, rate);
        QFETCH(qint64, frames);
        QCOMPARE(PartsToFrames(parts, rate), frames);
    }

    void framesRateRoundsTiesToEven_data()
    {
        QTest::addColumn<TimecodeParts>("parts");
        QTest::addColumn<double>("rate");
        QTest::addColumn<qint64>("frames");
        QTest::newRow("29.5, one second") << tc(0, 0, 1, 0) << 29.5 << qint64(30);
        QTest::newRow("29.5, three seconds") << tc(0, 0, 3, 0) << 29.5 << qint64(88);
        QTest::newRow("29.97, one minute") << tc(0, 1, 0, 0) << 29.97 << qint64(1798);
        QTest::newRow("29.97, one hour") << tc(1, 0, 0, 0) << 29.97 << qint64(107892);
    }
    void framesRateRoundsTiesToEven()
    {
        QFETCH(TimecodeParts, parts);
        QFETCH(double, rate);
        QFETCH(qint64, frames);
        QCOMPARE(PartsToFramesAtFramesRate(parts, rate), frames);
    }

    // The Frames tab's result as a timecode to go on with.
    void framesRateCountsBackToATimecode_data()
    {
        QTest::addColumn<qint64>("count");
        QTest::addColumn<double>("rate");
        QTest::addColumn<TimecodeParts>("parts");
        QTest::newRow("whole rate") << qint64(18) << 30.0 << tc(0, 0, 0, 18);
        QTest::newRow("an hour at 29.97") << qint64(107892) << 29.97 << tc(1, 0, 0, 0);
        QTest::newRow("a frame more") << qint64(107893) << 29.97 << tc(1, 0, 0, 1);
        QTest::newRow("below a tie at 29.5") << qint64(29) << 29.5 << tc(0, 0, 0, 29);
        QTest::newRow("a negative count wraps into the day") << qint64(-1) << 30.0 << tc(23, 59, 59, 29);
        QTest::newRow("no rate") << qint64(5) << 0.0 << tc(0, 0, 0, 0);
    }
    void framesRateCountsBackToATimecode()
    {
        QFETCH(qint64, count);
        QFETCH(double, rate);
        QFETCH(TimecodeParts, parts);
        QCOMPARE(FramesRateTC(count, rate), parts);
        if (rate > 0 && count >= 0)
            QCOMPARE(PartsToFramesAtFramesRate(parts, rate), count);
    }

    void adjustDropFrameParts_data()
    {
        QTest::addColumn<TimecodeParts>("typed");
        QTest::addColumn<TimecodeParts>("adjusted");
        QTest::newRow("drop minute, frame 0") << tc(0, 5, 0, 0) << tc(0, 5, 0, 2);
        QTest::newRow("drop minute, frame 1") << tc(0, 5, 0, 1) << tc(0, 5, 0, 2);
        QTest::newRow("drop minute, frame 2") << tc(0, 5, 0, 2) << tc(0, 5, 0, 2);
        QTest::newRow("tenth minute") << tc(0, 10, 0, 0) << tc(0, 10, 0, 0);
        QTest::newRow("minute zero") << tc(0, 0, 0, 0) << tc(0, 0, 0, 0);
        QTest::newRow("second one") << tc(0, 5, 1, 0) << tc(0, 5, 1, 0);
        QTest::newRow("minute 59") << tc(3, 59, 0, 1) << tc(3, 59, 0, 2);
    }
    void adjustDropFrameParts()
    {
        QFETCH(TimecodeParts, typed);
        QFETCH(TimecodeParts, adjusted);
        AdjustDropFrameParts(typed, 30);
        QCOMPARE(typed, adjusted);
    }

    void textForms()
    {
        QCOMPARE(FormatTimecodeText(tc(1, 2, 3, 4)), std::string("01:02:03:04"));
        QCOMPARE(FormatTimecodeText(tc(12, 0, 7, 100)), std::string("12:00:07:100"));
        QCOMPARE(FormatTimecodeText(tc(1, 2, 3, 4), ';'), std::string("01;02;03;04"));
        QCOMPARE(WithSeparator("01:02:03:04", ';'), std::string("01;02;03;04"));
        QCOMPARE(WithSeparator("01;02;03;04", ':'), std::string("01:02:03:04"));
        QCOMPARE(WithSeparator("01;02;03;04 and more", ':'), std::string("01:02:03:04"));
        std::string cell = "12:00:07:100";
        SetTimecodeText(cell, tc(23, 59, 59, 29), ';');
        QCOMPARE(cell, std::string("23;59;59;29"));
    }

    // The cells' fast path against the general conversion and text it
    // stands for, with both separators, into a new cell and into one that
    // held a longer text.
    void frameCountTextMatchesGenericTc_data()
    {
        QTest::addColumn<qint64>("count");
        QTest::addColumn<qint64>("rate");
        constexpr qint64 kDay30 = 2592000;
        QTest::newRow("zero") << qint64(0) << qint64(30);
        QTest::newRow("last frame of a day") << kDay30 - 1 << qint64(30);
        QTest::newRow("one day") << kDay30 << qint64(30);
        QTest::newRow("minus one") << qint64(-1) << qint64(30);
        QTest::newRow("minus a day and one") << -kDay30 - 1 << qint64(25);
        QTest::newRow("days beyond") << 5 * kDay30 + 12345 << qint64(30);
        QTest::newRow("beyond 32 bits") << (qint64(1) << 40) + 7 << qint64(24);
        QTest::newRow("largest count") << std::numeric_limits<qint64>::max() << qint64(30);
        QTest::newRow("smallest count") << std::numeric_limits<qint64>::min() << qint64(99);
        QTest::newRow("three-digit frames") << qint64(86400 * 120 - 1) << qint64(120);
        for (qint64 rate = 1; rate <= 99; ++rate) {
            const qint64 day = 86400 * rate;
            QTest::addRow("rate %lld, last frame", rate) << day - 1 << rate;
            QTest::addRow("rate %lld, first beyond the day", rate) << day << rate;
            QTest::addRow("rate %lld, inside the day", rate) << (day / 7 * 5 + rate / 2) << rate;
        }
    }
    void frameCountTextMatchesGenericTc()
    {
        QFETCH(qint64, count);
        QFETCH(qint64, rate);
        for (const char separator : {':', ';'}) {
            const std::string expected = FormatTimecodeText(GenericTC(count, rate), separator);
            std::string cell;
            SetFrameCountText(cell, count, rate, separator);
            QCOMPARE(cell, expected);
            std::string reused = "12:00:07:100 and more";
            SetFrameCountText(reused, count, rate, separator);
            QCOMPARE(reused, expected);
            QCOMPARE(std::strlen(reused.c_str()), reused.size());
        }
    }

    // Every second of the day, each with its own frame, at the extreme rates.
    void frameCountTextEverySecond()
    {
        std::string cell;
        for (const int64_t rate : {1, 30, 99})
            for (int64_t second = 0; second < kSecondsPerDay; ++second) {
                const int64_t count = second * rate + second % rate;
                SetFrameCountText(cell, count, rate, ':');
                if (cell != FormatTimecodeText(GenericTC(count, rate)))
                    QFAIL(qPrintable(QString("count %1 at %2: %3").arg(count).arg(rate).arg(cell.c_str())));
            }
    }

    void parseReadsDigitsOfEitherForm_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<TimecodeParts>("parts");
        QTest::newRow("colon") << "01:02:03:04" << tc(1, 2, 3, 4);
        QTest::newRow("semicolon") << "12;34;56;78" << tc(12, 34, 56, 78);
        QTest::newRow("separators not examined") << "99x99x99x99" << tc(99, 99, 99, 99);
    }
    void parseReadsDigitsOfEitherForm()
    {
        QFETCH(QString, text);
        QFETCH(TimecodeParts, parts);
        QCOMPARE(ParseTimecodeText(text.toStdString()), parts);
    }

    void parseRefusesNonDigits_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("blank") << "01:02: 3:04"
                               << "' ' is not a valid integer value";
        QTest::newRow("letter") << "01:0a:03:04"
                                << "'a' is not a valid integer value";
        QTest::newRow("too short") << "01:02"
                                   << "' ' is not a valid integer value";
    }
    void parseRefusesNonDigits()
    {
        QFETCH(QString, text);
        QFETCH(QString, message);
        try {
            ParseTimecodeText(text.toStdString());
            QFAIL("no error");
        } catch (const ConversionError& error) {
            QCOMPARE(QString::fromStdString(error.what()), message);
        }
    }

    void dropCompensate_data()
    {
        QTest::addColumn<double>("count");
        QTest::addColumn<int>("format");
        QTest::addColumn<double>("compensated");
        QTest::newRow("1800 drop") << 1800.0 << int(TimecodeFormat::DropFrm) << 1802.0;
        QTest::newRow("18000 drop") << 18000.0 << int(TimecodeFormat::DropFrm) << 18018.0;
        QTest::newRow("17999 drop") << 17999.0 << int(TimecodeFormat::DropFrm) << 18017.0;
        QTest::newRow("1799 drop") << 1799.0 << int(TimecodeFormat::DropFrm) << 1799.0;
        QTest::newRow("18000 non-drop") << 18000.0 << int(TimecodeFormat::NonDrop) << 18000.0;
        QTest::newRow("1800 frames") << 1800.0 << int(TimecodeFormat::Frames) << 1800.0;
    }
    void dropCompensate()
    {
        QFETCH(double, count);
        QFETCH(int, format);
        QFETCH(double, compensated);
        QCOMPARE(DropCompensate(count, FormatAt(format)), compensated);
    }
};

OMBREL_TEST_CLASS(TimecodeTest)
#include "timecode_test.moc"
