#include "engine/drop_frame.h"
#include "engine/frame_rate.h"
#include "test_registry.h"

#include <QTest>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

extern "C" {
#include <libavutil/timecode.h>
}

using namespace ombrel;

Q_DECLARE_METATYPE(FrameRate)

// The rates timecodes can be counted at, and drop frame at 29.97 and 59.94
// checked frame by frame against FFmpeg's timecode formatter.
class FrameRateTest : public QObject {
    Q_OBJECT
private slots:
    void names_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("nominal");
        QTest::addColumn<bool>("ntsc");
        QTest::addColumn<bool>("dropFrame");
        QTest::addColumn<qint64>("framesPerDay");
        QTest::addColumn<qint64>("numerator");
        QTest::addColumn<qint64>("denominator");
        QTest::newRow("23.976") << "23.976" << 24 << true << false << 2073600LL << 24000LL << 1001LL;
        QTest::newRow("29.97") << "29.97" << 30 << true << false << 2592000LL << 30000LL << 1001LL;
        QTest::newRow("29.97df") << "29.97df" << 30 << true << true << 2589408LL << 30000LL << 1001LL;
        QTest::newRow("59.94") << "59.94" << 60 << true << false << 5184000LL << 60000LL << 1001LL;
        QTest::newRow("59.94df") << "59.94df" << 60 << true << true << 5178816LL << 60000LL << 1001LL;
        QTest::newRow("1") << "1" << 1 << false << false << 86400LL << 1LL << 1LL;
        QTest::newRow("25") << "25" << 25 << false << false << 2160000LL << 25LL << 1LL;
        QTest::newRow("999") << "999" << 999 << false << false << 86313600LL << 999LL << 1LL;
        QTest::newRow("47.952") << "47.952" << 48 << true << false << 4147200LL << 48000LL << 1001LL;
        QTest::newRow("119.88") << "119.88" << 120 << true << false << 10368000LL << 120000LL << 1001LL;
        QTest::newRow("119.88df") << "119.88df" << 120 << true << true << 10357632LL << 120000LL << 1001LL;
        QTest::newRow("120") << "120" << 120 << false << false << 10368000LL << 120LL << 1LL;
    }

    // The names editing software writes, each read as the table's name.
    void otherSpellings_data()
    {
        QTest::addColumn<QString>("spelling");
        QTest::addColumn<QString>("name");
        const char* rows[][2] = {{"23.98", "23.976"},       {"23.98NDF", "23.976"},  {"29.97DF", "29.97df"},
                                 {"29.97 DF", "29.97df"},   {"29.97NDF", "29.97"},   {"29.97 ndf", "29.97"},
                                 {"59.94Df", "59.94df"},    {"59.94NDF", "59.94"},   {"47.95", "47.952"},
                                 {"119.88 DF", "119.88df"}, {"119.88NDF", "119.88"}, {"30NDF", "30"}};
        for (const auto& row : rows)
            QTest::newRow(row[0]) << row[0] << row[1];
    }
    void otherSpellings()
    {
        QFETCH(QString, spelling);
        const auto rate = ParseFrameRate(spelling.toStdString());
        QVERIFY(rate);
        QTEST(QString::fromStdString(FrameRateName(*rate)), "name");
    }

    // A drop-frame suffix at a rate that has none points to the rate meant.
    void dropFrameMeant_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("meant");
        QTest::newRow("30df") << "30df"
                              << "29.97df";
        QTest::newRow("30 DF") << "30 DF"
                               << "29.97df";
        QTest::newRow("60DF") << "60DF"
                              << "59.94df";
        QTest::newRow("120df") << "120df"
                               << "119.88df";
        QTest::newRow("25df") << "25df"
                              << "";
        QTest::newRow("23.98df") << "23.98df"
                                 << "";
        QTest::newRow("29.97df is a rate") << "29.97df"
                                           << "";
    }
    void dropFrameMeant()
    {
        QFETCH(QString, name);
        const auto meant = DropFrameRateFor(name.toStdString());
        QTEST(meant ? QString::fromUtf8(meant->data(), qsizetype(meant->size())) : QString(), "meant");
    }
    void names()
    {
        QFETCH(QString, name);
        QFETCH(int, nominal);
        QFETCH(bool, ntsc);
        QFETCH(bool, dropFrame);
        const auto rate = ParseFrameRate(name.toStdString());
        QVERIFY(rate);
        QCOMPARE(*rate, (FrameRate{nominal, ntsc, dropFrame}));
        QCOMPARE(QString::fromStdString(FrameRateName(*rate)), name);
        QTEST(qint64(FramesPerDay(*rate)), "framesPerDay");
        QTEST(qint64(FramesPerSecond(*rate).numerator), "numerator");
        QTEST(qint64(FramesPerSecond(*rate).denominator), "denominator");
    }

    void refusedNames_data()
    {
        QTest::addColumn<QString>("name");
        for (const char* name : {"", "0", "1000", "30df", "24.0", "+25", " 25", "25 ", "-30", "25fps", "29.97dfndf",
                                 "29.97dfdf", "ndf", "df", "29.97NDF DF", "23.98df", "2 5"})
            QTest::newRow(name) << name;
    }
    void refusedNames()
    {
        QFETCH(QString, name);
        QVERIFY(!ParseFrameRate(name.toStdString()));
    }

    void everyDropFrameLabelOfADayMatchesLibavutil_data()
    {
        QTest::addColumn<FrameRate>("rate");
        QTest::addColumn<int>("framesPerSecond");
        QTest::newRow("29.97df") << FrameRate{30, true, true} << 30000;
        QTest::newRow("59.94df") << FrameRate{60, true, true} << 60000;
    }
    void everyDropFrameLabelOfADayMatchesLibavutil()
    {
        QFETCH(FrameRate, rate);
        QFETCH(int, framesPerSecond);
        AVTimecode timecode;
        QCOMPARE(av_timecode_init(&timecode, AVRational{framesPerSecond, 1001},
                                  AV_TIMECODE_FLAG_DROPFRAME | AV_TIMECODE_FLAG_24HOURSMAX, 0, nullptr),
                 0);
        const int64_t day = FramesPerDay(rate);
        int64_t mismatches = 0;
        int64_t firstMismatch = -1;
        for (int64_t n = 0; n < day; ++n) {
            char expected[AV_TIMECODE_STR_SIZE];
            av_timecode_make_string(&timecode, expected, static_cast<int>(n));
            // FFmpeg writes hh:mm:ss;ff, we write ";" throughout.
            char label[16] = {};
            const TimecodeParts parts = FrameToLabel(n, rate);
            *WriteLabel(parts, rate, label) = '\0';
            label[2] = label[5] = ':';
            const bool same = std::strcmp(label, expected) == 0;
            if (!same || LabelToFrame(parts, rate) != n || ParseLabel(label, rate) != parts) {
                if (mismatches++ == 0)
                    firstMismatch = n;
            }
        }
        QCOMPARE(firstMismatch, int64_t{-1});
        QCOMPARE(mismatches, int64_t{0});
        QCOMPARE(FrameToLabel(day, rate), (TimecodeParts{0, 0, 0, 0}));
        QCOMPARE(FrameToLabel(-1, rate), (TimecodeParts{23, 59, 59, int32_t(rate.nominal - 1)}));
    }

    // Totals past a day, written with their hours running on and read back,
    // frame for frame as FFmpeg writes them without its 24-hour wrap: every
    // frame near each day's end and a stride through five days.
    void labelsPastADayMatchLibavutil_data()
    {
        QTest::addColumn<FrameRate>("rate");
        QTest::addColumn<int>("framesPerSecond");
        QTest::newRow("29.97df") << FrameRate{30, true, true} << 30000;
        QTest::newRow("59.94df") << FrameRate{60, true, true} << 60000;
    }
    void labelsPastADayMatchLibavutil()
    {
        QFETCH(FrameRate, rate);
        QFETCH(int, framesPerSecond);
        AVTimecode timecode;
        QCOMPARE(av_timecode_init(&timecode, AVRational{framesPerSecond, 1001}, AV_TIMECODE_FLAG_DROPFRAME, 0, nullptr),
                 0);
        const int64_t day = FramesPerDay(rate);
        std::vector<int64_t> counts;
        for (int64_t n = day; n < 5 * day; n += 997)
            counts.push_back(n);
        for (int64_t d = 1; d <= 4; ++d)
            for (int64_t n = d * day - 3 * rate.nominal * 60; n < d * day + 3 * rate.nominal * 60; ++n)
                counts.push_back(n);
        int64_t mismatches = 0;
        QString first;
        for (const int64_t n : counts) {
            char expected[AV_TIMECODE_STR_SIZE];
            av_timecode_make_string(&timecode, expected, static_cast<int>(n));
            char label[kLongestLabelPastDay] = {};
            *WriteLabelPastDay(n, rate, label) = '\0';
            std::string ours = label;
            std::replace(ours.begin(), ours.end() - 3, ';', ':');
            const TimecodeParts parts = ParseLabel(label, rate, true);
            if (ours != expected || LabelToFrame(parts, rate) != n) {
                if (mismatches++ == 0)
                    first = QString("%1: %2, libavutil %3").arg(n).arg(label, expected);
            }
        }
        QCOMPARE(first, QString());
        QCOMPARE(mismatches, int64_t{0});
    }

    // Every frame of a day at 119.88 drop frame against a label counter that
    // follows the rule itself: eight labels skipped at second 0 of each
    // minute not divisible by ten.
    void everyDropFrameBoundaryAt119_88()
    {
        const FrameRate rate = *ParseFrameRate("119.88df");
        TimecodeParts label{0, 0, 0, 0};
        int64_t mismatches = 0;
        QString first;
        int64_t n = 0;
        for (; label.hours < 24; ++n) {
            const TimecodeParts ours = FrameToLabel(n, rate);
            if (ours != label || LabelToFrame(label, rate) != n) {
                if (mismatches++ == 0)
                    first = QString("frame %1: %2:%3:%4:%5")
                                .arg(n)
                                .arg(ours.hours)
                                .arg(ours.minutes)
                                .arg(ours.seconds)
                                .arg(ours.frames);
            }
            if (++label.frames < 120)
                continue;
            label.frames = 0;
            if (++label.seconds < 60)
                continue;
            label.seconds = 0;
            if (++label.minutes == 60) {
                label.minutes = 0;
                ++label.hours;
            }
            if (label.minutes % 10 != 0) {
                label.frames = 8;
                QVERIFY(IsDroppedLabel({label.hours, label.minutes, 0, 7}, 120));
            } else {
                QVERIFY(!IsDroppedLabel({label.hours, label.minutes, 0, 0}, 120));
            }
        }
        QCOMPARE(first, QString());
        QCOMPARE(mismatches, int64_t{0});
        QCOMPARE(n, FramesPerDay(rate));
    }

    // Only labels skipped at second 0 of minutes not a multiple of ten are
    // dropped: 2 at 30, 4 at 60.
    void droppedLabels_data()
    {
        QTest::addColumn<int>("nominal");
        QTest::addColumn<int>("minutes");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<int>("frames");
        QTest::addColumn<bool>("dropped");
        QTest::newRow("30 minute 1 frame 1") << 30 << 1 << 0 << 1 << true;
        QTest::newRow("30 minute 1 frame 2") << 30 << 1 << 0 << 2 << false;
        QTest::newRow("30 minute 10 frame 0") << 30 << 10 << 0 << 0 << false;
        QTest::newRow("30 minute 0 frame 0") << 30 << 0 << 0 << 0 << false;
        QTest::newRow("30 second 1 frame 0") << 30 << 1 << 1 << 0 << false;
        QTest::newRow("60 minute 59 frame 3") << 60 << 59 << 0 << 3 << true;
        QTest::newRow("60 minute 59 frame 4") << 60 << 59 << 0 << 4 << false;
        QTest::newRow("60 minute 50 frame 3") << 60 << 50 << 0 << 3 << false;
    }
    void droppedLabels()
    {
        QFETCH(int, nominal);
        QFETCH(int, minutes);
        QFETCH(int, seconds);
        QFETCH(int, frames);
        QTEST(IsDroppedLabel({2, minutes, seconds, frames}, nominal), "dropped");
    }
};

OMBREL_TEST_CLASS(FrameRateTest)
#include "frame_rate_test.moc"
