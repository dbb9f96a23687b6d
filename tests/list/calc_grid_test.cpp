#include "list/calc_grid.h"
#include "list/list_model.h"
#include "list/timecode_mime.h"
#include "test_registry.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace ombrel;

namespace {

// QDrag::exec needs a real pointer: the test grid keeps what it would drag.
class TestGrid : public CalcGrid {
public:
    using CalcGrid::CalcGrid;
    std::vector<TimecodeDrag> drags;

protected:
    void execDrag(QMimeData* data) override
    {
        std::unique_ptr<QMimeData> owned(data);
        const auto drag = decodeTimecodeDrag(data);
        QVERIFY(drag);
        QCOMPARE(data->text(), QString::fromStdString(drag->DragText));
        drags.push_back(*drag);
    }
};

// Four calculations in a shown NonDrop list.
struct GridFixture {
    GridFixture()
    {
        for (const char* in : {"00:00:00:01", "00:00:00:02", "00:00:00:03", "00:00:00:04"})
            append(in);
        grid.resize(400, 200);
        // Alone in its window the list would take the keyboard; in the main
        // window it stays in the entry fields while rows come and go.
        grid.setFocusPolicy(Qt::NoFocus);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
    }
    QPoint centre(int row, int column) const { return grid.visualRect(grid.model()->index(row, column)).center(); }
    QPoint bottomEdge(int row, int column) const
    {
        const QRect cell = grid.visualRect(grid.model()->index(row, column));
        return {cell.center().x(), cell.bottom() - 1};
    }
    QWidget* viewport() const { return grid.viewport(); }
    void append(const char* in)
    {
        std::array<RowCells, kFormatCount> rows;
        for (auto& row : rows)
            row = {in, "+", "00:00:01:00", "=", "", "", "note"};
        models.appendCalculation(rows);
    }
    // What the screen shows of the list, from the window's own pixels (a
    // grab() would paint the whole list afresh and hide a stale row).
    QImage shown() const
    {
        // The layout waits for a timer, its painting for the next pass.
        for (int pass = 0; pass < 3; ++pass)
            QApplication::processEvents();
        return grid.screen()->grabWindow(grid.winId()).toImage();
    }
    // The same after the whole list was laid out and painted again.
    QImage repainted()
    {
        grid.reset();
        grid.repaint();
        return shown();
    }

    SheetModels models;
    const CalcSheet& sheet = models.sheet();
    QAbstractItemModelTester tester{models.model(TimecodeFormat::NonDrop),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest};
    DragState dragState;
    TestGrid grid{models.model(TimecodeFormat::NonDrop), dragState};
};

} // namespace

class CalcGridTest : public QObject {
    Q_OBJECT
private slots:
    void rightClickCopiesTheCellUnderThePointer()
    {
        GridFixture f;
        QSignalSpy copied(&f.grid, &CalcGrid::cellCopied);
        QTest::mouseClick(f.viewport(), Qt::RightButton, {}, f.centre(2, InColumn));
        QTest::mouseClick(f.viewport(), Qt::RightButton, {}, f.centre(1, OperatorColumn));
        QTest::mouseClick(f.viewport(), Qt::RightButton, {}, f.centre(0, DescriptionColumn));
        QTest::mouseClick(f.viewport(), Qt::RightButton, {}, f.centre(0, ResultColumn));
        QCOMPARE(copied.count(), 4);
        QCOMPARE(copied[0][0].toString(), QString("00:00:00:03"));
        QCOMPARE(copied[1][0].toString(), QString("+"));
        QCOMPARE(copied[2][0].toString(), QString("note"));
        // An empty cell copies its empty text.
        QCOMPARE(copied[3][0].toString(), QString());
        QVERIFY(f.grid.drags.empty());
    }

    void clicksOutsideTheCellsCopyNothing()
    {
        GridFixture f;
        QSignalSpy copied(&f.grid, &CalcGrid::cellCopied);
        const QRect lastRow = f.grid.visualRect(f.grid.model()->index(3, InColumn));
        QTest::mouseClick(f.viewport(), Qt::RightButton, {}, QPoint(lastRow.center().x(), lastRow.bottom() + 20));
        QTest::mouseClick(f.viewport(), Qt::RightButton, {}, f.centre(0, ListModel::kToggleColumn));
        QTest::mouseClick(f.viewport(), Qt::LeftButton, {}, f.centre(0, InColumn));
        QTest::mouseClick(f.viewport(), Qt::MiddleButton, {}, f.centre(0, InColumn));
        QCOMPARE(copied.count(), 0);
    }

    // The drag takes the cell the left button went down on, even when the
    // pointer has crossed into the next row before the drag starts.
    void theDraggedRowIsThePressedRow()
    {
        GridFixture f;
        const QPoint press = f.bottomEdge(2, InColumn);
        QTest::mousePress(f.viewport(), Qt::LeftButton, {}, press);
        QTest::mouseMove(f.viewport(), press + QPoint(0, QApplication::startDragDistance() + 4));
        QCOMPARE(f.grid.indexAt(QPoint(press.x(), press.y() + QApplication::startDragDistance() + 4)).row(), 3);
        QCOMPARE(f.grid.drags.size(), size_t(1));
        QCOMPARE(f.grid.drags[0].DragText, std::string("00:00:00:03"));
        QCOMPARE(f.dragState.DragRow, std::optional<int64_t>(2));
        QTest::mouseRelease(f.viewport(), Qt::LeftButton, {}, press);
    }

    void aPressIsNoDragUntilThePointerMovesFarEnough()
    {
        GridFixture f;
        const QPoint press = f.centre(1, OutColumn);
        QTest::mousePress(f.viewport(), Qt::LeftButton, {}, press);
        QTest::mouseMove(f.viewport(), press + QPoint(1, 0));
        QVERIFY(f.grid.drags.empty());
        // A press does not select the cell: the lists keep no selection in
        // drag mode.
        QVERIFY(!f.grid.selectionModel()->hasSelection());
        QTest::mouseRelease(f.viewport(), Qt::LeftButton, {}, press);
        QTest::mouseMove(f.viewport(), press + QPoint(0, 30));
        QVERIFY(f.grid.drags.empty());
    }

    void editModeEditsOneListAsFreeText()
    {
        GridFixture f;
        QSignalSpy copied(&f.grid, &CalcGrid::cellCopied);
        f.grid.setCurrentIndex(f.grid.model()->index(3, DescriptionColumn));
        f.grid.setEditMode(true);
        auto* editor = f.viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, "take two");
        f.grid.setEditMode(false);
        QCOMPARE(f.sheet.cell(TimecodeFormat::NonDrop, 3, DescriptionColumn), std::string_view("take two"));
        QCOMPARE(f.sheet.cell(TimecodeFormat::PAL, 3, DescriptionColumn), std::string_view("note"));
        QVERIFY(!f.grid.selectionModel()->hasSelection());

        // Back in edit mode a press selects and a move drags nothing.
        f.grid.setEditMode(true);
        QTest::mousePress(f.viewport(), Qt::LeftButton, {}, f.centre(0, InColumn));
        QTest::mouseMove(f.viewport(), f.centre(2, InColumn));
        QTest::mouseRelease(f.viewport(), Qt::LeftButton, {}, f.centre(2, InColumn));
        QVERIFY(f.grid.drags.empty());
        QVERIFY(f.grid.selectionModel()->hasSelection());
        // Right clicks still copy.
        QTest::mouseClick(f.viewport(), Qt::RightButton, {}, f.centre(1, InColumn));
        QCOMPARE(copied.count(), 1);
    }

    // A blank in a timecode cell would shift every later cell of the row
    // when the file is read again: only the description takes blanks.
    void theEditorRefusesBlanksOutsideTheDescription()
    {
        GridFixture f;
        f.grid.setCurrentIndex(f.grid.model()->index(1, InColumn));
        f.grid.setEditMode(true);
        auto* editor = f.viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, "01 02 03");
        QAbstractItemModel* model = f.grid.model();
        QVERIFY(!model->setData(model->index(1, OutColumn), "00:00 01:00"));
        QVERIFY(!model->setData(model->index(1, DescriptionColumn), "two\nlines"));
        QVERIFY(model->setData(model->index(1, DescriptionColumn), "two words"));
        f.grid.setEditMode(false);
        QCOMPARE(f.sheet.cell(TimecodeFormat::NonDrop, 1, InColumn), std::string_view("010203"));
        QCOMPARE(f.sheet.cell(TimecodeFormat::NonDrop, 1, OutColumn), std::string_view("00:00:01:00"));
        QVERIFY(!model->setData(model->index(1, DescriptionColumn), "after"));
    }

    // Appending rows, scrolling to the last one and the scroll bar left
    // alone while its slider stays put: what the screen shows must be what
    // a full repaint draws.
    void appendedRowsShowAsAFullRepaintDrawsThem_data()
    {
        QTest::addColumn<int>("rowsBefore");
        QTest::addColumn<int>("appends");
        QTest::addColumn<int>("perStep");
        QTest::addColumn<int>("stepsPerPaint");
        QTest::addColumn<bool>("scroll");
        QTest::addColumn<bool>("removeFirst");
        QTest::newRow("into the free space") << 0 << 2 << 1 << 1 << false << false;
        QTest::newRow("past the bottom, scrolled") << 0 << 30 << 1 << 1 << true << false;
        QTest::newRow("several at once, scrolled") << 0 << 30 << 7 << 1 << true << false;
        QTest::newRow("past the bottom, not scrolled") << 0 << 30 << 1 << 1 << false << false;
        QTest::newRow("after a removal") << 0 << 30 << 1 << 1 << true << true;
        QTest::newRow("long list, the slider stays") << 5000 << 5 << 1 << 1 << true << false;
        QTest::newRow("three scrolls before a paint") << 0 << 30 << 1 << 3 << true << false;
    }
    void appendedRowsShowAsAFullRepaintDrawsThem()
    {
        QFETCH(int, rowsBefore);
        QFETCH(int, appends);
        QFETCH(int, perStep);
        QFETCH(int, stepsPerPaint);
        QFETCH(bool, scroll);
        QFETCH(bool, removeFirst);
        GridFixture f;
        if (rowsBefore > 0) {
            // A long list arrives as an opened file does, in one piece.
            CalcSheet sheet;
            std::array<RowCells, kFormatCount> rows;
            rows.fill({"00:00:00:05", "+", "00:00:01:00", "=", "", "", "note"});
            for (int i = 0; i < rowsBefore; ++i)
                sheet.appendCalculation(rows);
            f.models.replaceSheet(std::move(sheet));
        }
        if (scroll)
            f.grid.scrollToLastRow();
        f.shown();
        int added = 0;
        for (int step = 1; added < appends; ++step) {
            if (removeFirst)
                f.models.removeCalculation(0);
            for (int i = 0; i < perStep; ++i, ++added)
                f.append(qPrintable(QString("00:00:%1:00").arg(added, 2, 10, QChar('0'))));
            if (scroll)
                f.grid.scrollToLastRow();
            if (step % stepsPerPaint != 0)
                continue;
            const QImage shown = f.shown();
            QCOMPARE(shown, f.repainted());
        }
    }

    void theEmptyRowOfAnEmptyListIsNoCell()
    {
        SheetModels models;
        DragState dragState;
        TestGrid grid(models.model(TimecodeFormat::Frames), dragState);
        grid.resize(400, 200);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        const QPoint press = grid.visualRect(grid.model()->index(0, InColumn)).center();
        QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, press);
        QTest::mouseMove(grid.viewport(), press + QPoint(40, 0));
        QCOMPARE(grid.drags.size(), size_t(1));
        QVERIFY(!grid.drags[0].DragFromCell);
        QVERIFY(!grid.drags[0].DragIsNumber);
        grid.setEditMode(true);
        QVERIFY(!grid.model()->setData(grid.model()->index(0, DescriptionColumn), "x"));
        QCOMPARE(models.calcCount(), 0);
    }
};

OMBREL_TEST_CLASS(CalcGridTest)

#include "calc_grid_test.moc"
