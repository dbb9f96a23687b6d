#include "entry/recall.h"
#include "test_registry.h"

#include <QTest>

using namespace ombrel;

Q_DECLARE_METATYPE(LabelStyle)

namespace {
constexpr int kNone = -1;
}

class RecallTest : public QObject {
    Q_OBJECT

private slots:
    void timecodeRecall_data()
    {
        QTest::addColumn<char>("key");
        QTest::addColumn<LabelStyle>("style");
        QTest::addColumn<QString>("lastOperator");
        QTest::addColumn<bool>("framesTab");
        QTest::addColumn<qint64>("calcCount");
        QTest::addColumn<int>("column");

        const auto in = LabelStyle::InOutDuration;
        const auto out = LabelStyle::OutInDuration;
        const auto tc = LabelStyle::Tc1Tc2Total;

        QTest::newRow("In-Out: I") << 'I' << in << "+" << false << qint64(1) << 0;
        QTest::newRow("In-Out: o") << 'o' << in << "+" << false << qint64(1) << 2;
        QTest::newRow("In-Out: D") << 'D' << in << "+" << false << qint64(1) << 4;
        QTest::newRow("In-Out: p") << 'p' << in << "-" << false << qint64(5) << 4;
        QTest::newRow("In-Out: T") << 'T' << in << "x" << false << qint64(1) << 4;
        QTest::newRow("In-Out: I after %") << 'I' << in << "%" << false << qint64(1) << kNone;
        QTest::newRow("In-Out: O after %") << 'O' << in << "%" << false << qint64(1) << 2;
        QTest::newRow("In-Out: D after %") << 'd' << in << "%" << false << qint64(1) << 4;

        QTest::newRow("Out-In: I") << 'i' << out << "+" << false << qint64(1) << 2;
        QTest::newRow("Out-In: O") << 'O' << out << "+" << false << qint64(1) << 0;
        QTest::newRow("Out-In: t") << 't' << out << "+" << false << qint64(1) << 4;
        QTest::newRow("Out-In: O after %") << 'O' << out << "%" << false << qint64(1) << kNone;
        QTest::newRow("Out-In: I after %") << 'I' << out << "%" << false << qint64(1) << 2;

        QTest::newRow("TC1-TC2: I") << 'I' << tc << "+" << false << qint64(1) << 0;
        QTest::newRow("TC1-TC2: O") << 'O' << tc << "+" << false << qint64(1) << 2;
        QTest::newRow("TC1-TC2: T") << 'T' << tc << "+" << false << qint64(1) << 4;
        QTest::newRow("TC1-TC2: I after %") << 'i' << tc << "%" << false << qint64(1) << kNone;

        QTest::newRow("before the first calculation") << 'D' << in << "" << false << qint64(0) << kNone;
        QTest::newRow("on the Frames tab") << 'D' << in << "+" << true << qint64(3) << kNone;
        QTest::newRow("not a recall key") << 'X' << in << "+" << false << qint64(3) << kNone;
        QTest::newRow("digit") << '1' << in << "+" << false << qint64(3) << kNone;
    }

    void timecodeRecall()
    {
        QFETCH(char, key);
        QFETCH(LabelStyle, style);
        QFETCH(QString, lastOperator);
        QFETCH(bool, framesTab);
        QFETCH(qint64, calcCount);
        QFETCH(int, column);

        const auto recalled = RecallColumn(key, style, lastOperator.toStdString(), framesTab, calcCount);
        QCOMPARE(recalled.value_or(kNone), column);
    }

    // The frame fields read the Frames list, whose In column holds a count
    // even after "%", so nothing is withheld.
    void frameRecall_data()
    {
        QTest::addColumn<char>("key");
        QTest::addColumn<LabelStyle>("style");
        QTest::addColumn<qint64>("calcCount");
        QTest::addColumn<int>("column");

        QTest::newRow("In-Out: I") << 'I' << LabelStyle::InOutDuration << qint64(1) << 0;
        QTest::newRow("In-Out: O") << 'o' << LabelStyle::InOutDuration << qint64(1) << 2;
        QTest::newRow("Out-In: I") << 'I' << LabelStyle::OutInDuration << qint64(1) << 2;
        QTest::newRow("Out-In: O") << 'O' << LabelStyle::OutInDuration << qint64(1) << 0;
        QTest::newRow("TC1-TC2: P") << 'P' << LabelStyle::Tc1Tc2Total << qint64(1) << 4;
        QTest::newRow("before the first calculation") << 'I' << LabelStyle::InOutDuration << qint64(0) << kNone;
        QTest::newRow("not a recall key") << 'x' << LabelStyle::InOutDuration << qint64(1) << kNone;
    }

    void frameRecall()
    {
        QFETCH(char, key);
        QFETCH(LabelStyle, style);
        QFETCH(qint64, calcCount);
        QFETCH(int, column);

        QCOMPARE(FrameRecallColumn(key, style, calcCount).value_or(kNone), column);
    }
};

OMBREL_TEST_CLASS(RecallTest)

#include "recall_test.moc"
