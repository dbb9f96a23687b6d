#include "list/drag_state.h"
#include "test_registry.h"

#include <QTest>

using namespace ombrel;

namespace {

// Two calculations: a timecode sum and a percentage.
CalcSheet twoRows()
{
    CalcSheet sheet;
    std::array<RowCells, kFormatCount> sum;
    std::array<RowCells, kFormatCount> percent;
    for (int f = 0; f < kFormatCount; ++f) {
        sum[f] = {"00:00:01:00", "+", "00:00:02:00", "=", "00:00:03:00", "", "sum"};
        percent[f] = {"50", "%", "00:00:02:00", "=", "00:00:01:00", "", "half"};
    }
    sum[FormatIndex(TimecodeFormat::Frames)] = {"30", "+", "60", "=", "90", "", "sum"};
    percent[FormatIndex(TimecodeFormat::Frames)] = {"50", "%", "60", "=", "30", "", "half"};
    sheet.appendCalculation(sum);
    sheet.appendCalculation(percent);
    return sheet;
}

} // namespace

Q_DECLARE_METATYPE(TimecodeFormat)

class DragStateTest : public QObject {
    Q_OBJECT
private slots:
    void dragStartRecordsTheCell_data()
    {
        QTest::addColumn<TimecodeFormat>("list");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("number");
        QTest::addColumn<bool>("valueCell");
        QTest::addColumn<bool>("cell");
        QTest::addColumn<int>("dragRow");
        const auto nonDrop = TimecodeFormat::NonDrop;
        const auto frames = TimecodeFormat::Frames;
        // A text left by an earlier drag, kept unless the cell has a value.
        QTest::newRow("In") << nonDrop << 0 << 0 << "00:00:01:00" << false << true << true << 0;
        QTest::newRow("Out") << nonDrop << 0 << 2 << "00:00:02:00" << false << true << true << 0;
        QTest::newRow("Duration") << nonDrop << 1 << 4 << "00:00:01:00" << false << true << true << 1;
        QTest::newRow("percentage") << nonDrop << 1 << 0 << "50" << true << true << true << 1;
        QTest::newRow("operator keeps the text") << nonDrop << 1 << 1 << "earlier" << false << false << true << 1;
        QTest::newRow("description keeps the text") << nonDrop << 0 << 6 << "earlier" << false << false << true << 0;
        QTest::newRow("Frames value") << frames << 0 << 4 << "90" << true << true << true << 0;
        QTest::newRow("Frames description") << frames << 1 << 6 << "half" << true << false << true << 1;
        QTest::newRow("Frames equals sign") << frames << 1 << 3 << "earlier" << false << false << true << 1;
        QTest::newRow("below the rows") << nonDrop << -1 << 0 << "earlier" << false << false << false << -1;
        QTest::newRow("past the columns") << nonDrop << 0 << -1 << "earlier" << false << false << false << -1;
        QTest::newRow("row past the calculations") << nonDrop << 2 << 0 << "earlier" << false << false << false << -1;
    }
    void dragStartRecordsTheCell()
    {
        QFETCH(TimecodeFormat, list);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(bool, number);
        QFETCH(bool, valueCell);
        QFETCH(bool, cell);
        QFETCH(int, dragRow);
        const CalcSheet sheet = twoRows();
        DragState state;
        state.last.DragText = "earlier";
        state.last.DragIsNumber = true;
        state.DragRow = 7;
        const TimecodeDrag drag = GenericStartDrag(state, sheet, list, row, column);
        QCOMPARE(drag, state.last);
        QCOMPARE(QString::fromStdString(drag.DragText), text);
        QCOMPARE(drag.DragIsNumber, number);
        QCOMPARE(drag.DragFromValueCell, valueCell);
        QCOMPARE(drag.DragFromCell, cell);
        QCOMPARE(drag.source, list);
        QCOMPARE(state.DragRow.value_or(-1), dragRow);
    }
};

OMBREL_TEST_CLASS(DragStateTest)

#include "drag_state_test.moc"
