#include "drag_and_drop.h"
#include "main_window_fixture.h"
#include "shell/calc_main_form.h"
#include "test_registry.h"
#include "widgets/am_edit.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace ombrel;
using test::dragOnto;
using test::MainWindow;
using test::pressAndMove;

namespace {

// Calculations whose In operands number them: 00:00:00:01, :02, ...
void calculations(MainWindow& w, int count)
{
    for (int n = 1; n <= count; ++n)
        w.calculate(QString("00:00:00:%1").arg(n, 2, 10, QChar('0')), "+", "00:00:01:00");
}

QStringList inColumn(MainWindow& w, TimecodeFormat format)
{
    QStringList cells;
    for (int r = 0; r < w.form.list(format)->model()->rowCount(); ++r)
        cells << w.cell(format, r, InColumn);
    return cells;
}

QWidget* trash(const MainWindow& w)
{
    return w.form.TrashClose->parentWidget();
}

// The user drags a cell of the NonDrop list onto the trash.
bool dragToTrash(MainWindow& w, int row, int column)
{
    pressAndMove(w.form.list(TimecodeFormat::NonDrop), row, column);
    DragState state;
    return dragOnto(trash(w), GenericStartDrag(state, w.form.sheet(), TimecodeFormat::NonDrop, row, column));
}

bool listCommandsEnabled(const TCalcMainForm& form)
{
    return form.Save1->isEnabled() && form.New1->isEnabled() && form.SortBtn->isEnabled() && form.EditBtn->isEnabled();
}

} // namespace

class MainFormRowsTest : public QObject {
    Q_OBJECT
private slots:
    void trashDeletesThePressedRowFromEveryList_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("row 0") << 3 << 0 << int(InColumn) << QStringList{"00:00:00:02", "00:00:00:03"};
        QTest::newRow("last row") << 3 << 2 << int(ResultColumn) << QStringList{"00:00:00:01", "00:00:00:02"};
        // Any cell of the row takes its row along, the operator's too.
        QTest::newRow("from the operator")
            << 3 << 1 << int(OperatorColumn) << QStringList{"00:00:00:01", "00:00:00:03"};
        QTest::newRow("from the description")
            << 3 << 1 << int(DescriptionColumn) << QStringList{"00:00:00:01", "00:00:00:03"};
    }
    void trashDeletesThePressedRowFromEveryList()
    {
        QFETCH(int, rows);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QStringList, left);
        MainWindow w({.shown = true});
        calculations(w, rows);
        w.form.Save1Click(); // nothing saved: the dialog is cancelled
        QVERIFY(dragToTrash(w, row, column));
        QCOMPARE(inColumn(w, TimecodeFormat::NonDrop), left);
        QCOMPARE(w.form.models().calcCount(), rows - 1);
        for (int f = 0; f < kFormatCount; ++f)
            QCOMPARE(w.form.list(FormatAt(f))->model()->rowCount(), rows - 1);
        QVERIFY(w.form.models().workModified());
        QCOMPARE(w.form.statusText(0), QString("Total Calculations: %1").arg(rows - 1));
    }

    void deletingTheOnlyRowEmptiesTheLists()
    {
        MainWindow w({.shown = true});
        calculations(w, 1);
        QVERIFY(dragToTrash(w, 0, InColumn));
        for (int f = 0; f < kFormatCount; ++f)
            QCOMPARE(w.row(FormatAt(f), 0), QStringList(kColumnCount, QString()));
        QVERIFY(!w.form.models().workModified());
        QVERIFY(!w.form.Save1->isEnabled());
        QVERIFY(!w.form.EditBtn->isEnabled());
        // With no rows the trash takes nothing.
        DragState state;
        QVERIFY(!dragOnto(trash(w), GenericStartDrag(state, w.form.sheet(), TimecodeFormat::NonDrop, 0, 0)));
    }

    void oneDragDeletesOneRow()
    {
        MainWindow w({.shown = true});
        calculations(w, 3);
        QVERIFY(dragToTrash(w, 0, InColumn));
        DragState state;
        const TimecodeDrag again = GenericStartDrag(state, w.form.sheet(), TimecodeFormat::NonDrop, 0, InColumn);
        dragOnto(trash(w), again);
        QCOMPARE(w.form.models().calcCount(), 2);
        // A drop on the In field uses the drag's row up too.
        pressAndMove(w.form.list(TimecodeFormat::NonDrop), 0, ResultColumn);
        const TimecodeDrag duration = GenericStartDrag(state, w.form.sheet(), TimecodeFormat::NonDrop, 0, ResultColumn);
        QVERIFY(dragOnto(w.form.MaskEdit1, duration));
        dragOnto(trash(w), duration);
        QCOMPARE(w.form.models().calcCount(), 2);
    }

    void theTrashOpensWhileItCanTakeTheDrag()
    {
        MainWindow w({.shown = true});
        calculations(w, 1);
        DragState state;
        QVERIFY(dragOnto(trash(w), GenericStartDrag(state, w.form.sheet(), TimecodeFormat::NonDrop, 0, 1), false));
        QVERIFY(w.form.TrashOpen->isVisible());
        QVERIFY(!w.form.TrashOpen->pixmap().isNull());
        QVERIFY(!w.form.TrashClose->isVisible());
        QDragLeaveEvent leave;
        QApplication::sendEvent(trash(w), &leave);
        QVERIFY(!w.form.TrashOpen->isVisible());
        QVERIFY(w.form.TrashClose->isVisible());
        // A drag from outside the cells is refused and leaves it closed.
        QVERIFY(!dragOnto(trash(w), GenericStartDrag(state, w.form.sheet(), TimecodeFormat::NonDrop, -1, -1), false));
        QVERIFY(w.form.TrashClose->isVisible());
    }

    void newAnsweredYesEmptiesEverything()
    {
        MainWindow w({.shown = true});
        calculations(w, 2);
        w.form.OperandCombo->setCurrentIndex(w.form.OperandCombo->findText("-"));
        w.dialogs.answers.push_back(Answer::Yes);
        w.form.New1->trigger();
        QCOMPARE(w.dialogs.messageTexts(), QStringList{"Clear all calculations?"});
        QCOMPARE(w.dialogs.messages[0].buttons, MessageButtons::YesNo);
        QCOMPARE(w.form.models().calcCount(), 0);
        QCOMPARE(inColumn(w, TimecodeFormat::PAL), QStringList{QString()});
        QVERIFY(!listCommandsEnabled(w.form));
        QVERIFY(!w.form.models().workModified());
        QCOMPARE(w.fields(), QStringList({"00:00:00:00", "+", "00:00:00:00", "00:00:00:00"}));
        QCOMPARE(w.form.statusText(0), QString("Total Calculations: 0"));
    }

    void newAnsweredNoStillClearsTheFieldsAndLeavesEditMode()
    {
        MainWindow w({.shown = true});
        calculations(w, 2);
        w.form.EditBtn->click();
        w.dialogs.answers.push_back(Answer::No);
        w.form.NewBtn->click();
        QCOMPARE(w.form.models().calcCount(), 2);
        QCOMPARE(w.fields(), QStringList({"00:00:00:00", "+", "00:00:00:00", "00:00:00:00"}));
        QVERIFY(!w.form.EditBtn->isChecked());
        QVERIFY(!w.form.list(TimecodeFormat::NonDrop)->editMode());
        QVERIFY(listCommandsEnabled(w.form));
    }

    void clearKeepsAPercentOperator()
    {
        MainWindow w({.shown = true});
        w.form.MaskEdit4->setText("50");
        w.calculate("00:00:00:00", "%", "00:00:02:00");
        w.form.Clear1->trigger();
        QCOMPARE(w.form.OperandCombo->currentText(), QString("%"));
        QCOMPARE(w.form.MaskEdit4->text(), QString("0"));
        QCOMPARE(w.focused(), QString("MaskEdit1"));
        QCOMPARE(w.form.models().calcCount(), 1);
    }

    void editButtonSwitchesDescriptionEditing()
    {
        MainWindow w({.shown = true});
        calculations(w, 2);
        QVERIFY(!w.form.Descriptions1->isChecked());
        w.form.Save1Click();
        w.form.EditBtn->click();
        for (int f = 0; f < kFormatCount; ++f) {
            CalcGrid* grid = w.form.list(FormatAt(f));
            QVERIFY(grid->editMode());
            QCOMPARE(grid->currentIndex(), grid->model()->index(1, DescriptionColumn));
        }
        // The descriptions come into view, and the setting says so at once.
        QVERIFY(w.form.Descriptions1->isChecked());
        QCOMPARE(test::StoredSettings::value("StartWith/Descriptions"), QString("1"));
        QVERIFY(w.form.models().workModified());

        // The editor stands open in the list in sight and takes the keys;
        // typed text changes only the list it is typed into.
        QWidget* editor = QApplication::focusWidget();
        QVERIFY(editor && w.form.list(TimecodeFormat::NonDrop)->isAncestorOf(editor));
        QTest::keyClicks(editor, "Reel A");
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(w.cell(TimecodeFormat::NonDrop, 1, DescriptionColumn), QString("Reel A"));
        CalcGrid* pal = w.form.list(TimecodeFormat::PAL);
        QVERIFY(pal->model()->setData(pal->model()->index(1, DescriptionColumn), "second take"));
        QCOMPARE(w.cell(TimecodeFormat::PAL, 1, DescriptionColumn), QString("second take"));
        QCOMPARE(w.cell(TimecodeFormat::NonDrop, 1, DescriptionColumn), QString("Reel A"));

        w.form.Save1Click();
        w.form.EditBtn->click();
        QVERIFY(!w.form.list(TimecodeFormat::PAL)->editMode());
        QVERIFY(!pal->selectionModel()->hasSelection());
        QVERIFY(w.form.models().workModified());
        QCOMPARE(w.cell(TimecodeFormat::PAL, 1, DescriptionColumn), QString("second take"));
    }

    void hidingDescriptionsLeavesEditMode()
    {
        MainWindow w({.shown = true});
        calculations(w, 1);
        w.form.EditBtn->click();
        w.form.Descriptions1->trigger();
        QVERIFY(!w.form.EditBtn->isChecked());
        QVERIFY(!w.form.list(TimecodeFormat::NonDrop)->editMode());
        // Showing them again does not enter edit mode.
        w.form.Descriptions1->trigger();
        QVERIFY(!w.form.list(TimecodeFormat::NonDrop)->editMode());
    }

    void openLeavesEditMode()
    {
        MainWindow w({.shown = true});
        calculations(w, 1);
        w.form.EditBtn->click();
        w.dialogs.answers.push_back(Answer::No); // "Save Current Work?"
        w.form.Open1Click();                     // the file dialog is cancelled
        QVERIFY(!w.form.EditBtn->isChecked());
        QVERIFY(!w.form.list(TimecodeFormat::Film)->editMode());
    }

    // Pressing EditBtn with no rows would select row -1.
    void editButtonNeedsARow()
    {
        MainWindow w;
        w.form.Open1Click(); // cancelled
        QVERIFY(!w.form.EditBtn->isEnabled());
        QTemporaryDir dir;
        const QString empty = dir.filePath("empty.obr");
        QFile file(empty);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("OmbrelSheet\r\n0\r\n");
        for (const char* title : {"NonDropFrame Timecode", "DropFrame Timecode", "PAL Timecode", "Film Timecode",
                                  "User (15fps) Timecode", "Frames (30fps)"})
            file.write(QByteArray(title) + "\r\n\r\n");
        file.close();
        w.dialogs.openNames.push_back(empty);
        w.form.Open1Click();
        QVERIFY2(w.dialogs.messages.isEmpty(), qPrintable(w.dialogs.messageTexts().join('\n')));
        QVERIFY(w.form.Save1->isEnabled());
        QVERIFY(!w.form.EditBtn->isEnabled());
    }

    // A text typed over the operator cell that names no operator leaves the
    // operator as it was on a tab change.
    void anUnknownOperatorTextKeepsTheOperator()
    {
        MainWindow w({.shown = true});
        calculations(w, 1);
        w.form.EditBtn->click();
        CalcGrid* grid = w.form.list(TimecodeFormat::NonDrop);
        QVERIFY(grid->model()->setData(grid->model()->index(0, OperatorColumn), "plus"));
        w.form.EditBtn->click();
        w.form.OperandCombo->setCurrentIndex(w.form.OperandCombo->findText("~"));
        w.showTab(TimecodeFormat::PAL);
        QCOMPARE(w.form.OperandCombo->currentText(), QString("~"));
        w.showTab(TimecodeFormat::NonDrop);
        QCOMPARE(w.form.OperandCombo->currentText(), QString("~"));
    }
};

OMBREL_TEST_CLASS(MainFormRowsTest)

#include "main_form_rows_test.moc"
