#include "drag_and_drop.h"
#include "list/calc_grid.h"
#include "main_window_fixture.h"
#include "minicalc/mini_calc_form.h"
#include "settings/grid_layout.h"
#include "shell/calc_main_form.h"
#include "shell/function_key_bar.h"
#include "test_registry.h"
#include "widgets/am_edit.h"
#include "widgets/calc_button.h"

#include <QAction>
#include <QClipboard>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <QToolButton>

using namespace ombrel;
using test::MainWindow;

namespace {

// The main window with its Mini Calc open and active, as Ctrl+M leaves it.
struct MiniWindow : MainWindow {
    explicit MiniWindow(const test::Start& start = {.shown = true}, TimecodeFormat tab = TimecodeFormat::NonDrop)
        : MainWindow(start)
    {
        showTab(tab);
        form.MiniCalc1->trigger();
        activateMini();
    }
    // The Mini Calc becomes the active window, as a click on it makes it.
    void activateMini()
    {
        QVERIFY(QTest::qWaitForWindowExposed(&mini));
        mini.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &mini);
    }

    // Types into the Mini Calc's focused field, as the user does.
    void typeMini(const QString& keys)
    {
        for (QChar key : keys) {
            QWidget* target = QApplication::focusWidget();
            QVERIFY2(
                target && target->window() == &mini,
                qPrintable(target ? target->objectName() + " " + target->window()->objectName() : QString("none")));
            pressKey(target, key);
        }
    }
    QString display() const { return mini.MaskEdit1->text(); }
    QString caption() const { return mini.Panel1->text(); }
    QString sign() const { return mini.Panel2->text(); }

    TCalcMini& mini = form.miniCalc();
};

} // namespace

class MiniCalcFormTest : public QObject {
    Q_OBJECT
private slots:
    void ctrlMShowsAndHidesTheWindow()
    {
        MainWindow w({.shown = true});
        QVERIFY(w.form.miniCalc().isHidden());
        QCOMPARE(w.form.miniCalc().windowTitle(), QString("Mini Calc"));
        QCOMPARE(w.form.miniCalc().size(), QSize(145, 197));
        QTest::keyClick(&w.form, Qt::Key_M, Qt::ControlModifier);
        QVERIFY(w.form.miniCalc().isVisible());
        QVERIFY(w.form.MiniCalc1->isChecked());
        w.form.MiniBtn->click();
        QVERIFY(w.form.miniCalc().isHidden());
        QVERIFY(!w.form.MiniCalc1->isChecked());
    }

    // Keys typed into the Mini Calc, on a tab: what it then shows, what the
    // main window's fields hold, and the rows the calculations appended.
    void keypadSequences_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("sign");
        QTest::addColumn<QStringList>("mainFields"); // In, operator, Out
        QTest::addColumn<QStringList>("lastRow");    // In, operator, Out, result of the tab's list

        const auto row = [](const char* name, TimecodeFormat tab, const QString& keys) -> QTestData& {
            return QTest::newRow(name) << FormatIndex(tab) << keys;
        };
        const QStringList none;
        const TimecodeFormat nd = TimecodeFormat::NonDrop;
        row("digits shift in", nd, "1234") << "00:00:12:34"
                                           << "Out"
                                           << "" << QStringList{"00:00:12:34", "+", "00:00:00:00"} << none;
        row("drop frame separators", TimecodeFormat::DropFrm, "1234")
            << "00;00;12;34"
            << "Out"
            << "" << QStringList{"00;00;12;34", "+", "00;00;00;00"} << none;
        row("a ninth digit drops the first", nd, "123456789")
            << "23:45:67:89"
            << "Out"
            << "" << QStringList{"23:45:67:89", "+", "00:00:00:00"} << none;
        row("dot enters 00", nd, "12.") << "00:00:12:00"
                                        << "Out"
                                        << "" << QStringList{"00:00:12:00", "+", "00:00:00:00"} << none;
        row("backspace at the end", nd, "12345678\b") << "01:23:45:67"
                                                      << "Out"
                                                      << "" << QStringList{"01:23:45:67", "+", "00:00:00:00"} << none;
        row("backspace with all selected", nd, "1234+\b")
            << "00:00:00:00"
            << "In"
            << "+" << QStringList{"00:00:12:34", "+", "00:00:00:00"} << none;
        row("enter calculates", nd, "10+5\r") << "00:00:00:15"
                                              << "Dur"
                                              << "=" << QStringList{"00:00:00:10", "+", "00:00:00:05"}
                                              << QStringList{"00:00:00:10", "+", "00:00:00:05", "00:00:00:15"};
        row("enter again repeats on the result", nd, "10+5\r\r")
            << "00:00:00:20"
            << "Dur"
            << "=" << QStringList{"00:00:00:15", "+", "00:00:00:05"}
            << QStringList{"00:00:00:15", "+", "00:00:00:05", "00:00:00:20"};
        row("an operator chains", nd, "10+5-") << "00:00:00:15"
                                               << "In"
                                               << "-" << QStringList{"00:00:00:15", "-", "00:00:00:05"}
                                               << QStringList{"00:00:00:10", "+", "00:00:00:05", "00:00:00:15"};
        row("the chain goes on", nd, "10+5-3\r") << "00:00:00:12"
                                                 << "Dur"
                                                 << "=" << QStringList{"00:00:00:15", "-", "00:00:00:03"}
                                                 << QStringList{"00:00:00:15", "-", "00:00:00:03", "00:00:00:12"};
        row("times shows x", nd, "10*") << "00:00:00:10"
                                        << "In"
                                        << "x" << QStringList{"00:00:00:10", "x", "00:00:00:00"} << none;
        row("backquote is tilde", nd, "10`") << "00:00:00:10"
                                             << "In"
                                             << "`" << QStringList{"00:00:00:10", "~", "00:00:00:00"} << none;
        row("a digit after a result starts anew", nd, "10+5\r7")
            << "00:00:00:07"
            << "Out"
            << "" << QStringList{"00:00:00:07", "+", "00:00:00:05"}
            << QStringList{"00:00:00:10", "+", "00:00:00:05", "00:00:00:15"};
        row("recall before any calculation", nd, "IOPD")
            << "00:00:00:00"
            << "Out"
            << "" << QStringList{"00:00:00:00", "+", "00:00:00:00"} << none;
        row("recall after one", nd, "10+5\rI") << "00:00:00:05"
                                               << "Out"
                                               << "" << QStringList{"00:00:00:10", "+", "00:00:00:05"}
                                               << QStringList{"00:00:00:10", "+", "00:00:00:05", "00:00:00:15"};
        // The Frames tab zeroes the timecode fields after a calculation; the
        // result itself goes on.
        row("chaining on the Frames tab", TimecodeFormat::Frames, "10+5+3\r")
            << "00:00:00:18"
            << "Dur"
            << "=" << QStringList{"00:00:00:00", "+", "00:00:00:00"} << QStringList{"15", "+", "3", "18"};
        row("repeating on the Frames tab", TimecodeFormat::Frames, "10+5\r\r")
            << "00:00:00:20"
            << "Dur"
            << "=" << QStringList{"00:00:00:00", "+", "00:00:00:00"} << QStringList{"15", "+", "5", "20"};
    }
    void keypadSequences()
    {
        QFETCH(int, tab);
        QFETCH(QString, keys);
        QFETCH(QString, display);
        QFETCH(QString, caption);
        QFETCH(QString, sign);
        QFETCH(QStringList, mainFields);
        QFETCH(QStringList, lastRow);
        MiniWindow w({.shown = true}, FormatAt(tab));
        w.typeMini(keys);
        QCOMPARE(w.dialogs.messageTexts(), QStringList());
        QCOMPARE(w.display(), display);
        QCOMPARE(w.caption(), caption);
        QCOMPARE(w.sign(), sign);
        QCOMPARE(w.fields().mid(0, 3), mainFields);
        if (lastRow.isEmpty()) {
            QCOMPARE(w.form.sheet().rowCount(), 0);
        } else {
            const int last = static_cast<int>(w.form.sheet().rowCount()) - 1;
            QCOMPARE(w.row(FormatAt(tab), last).mid(0, 5),
                     (QStringList{lastRow[0], lastRow[1], lastRow[2], "=", lastRow[3]}));
        }
    }

    void theKeypadButtonsTypeTheirKeysAndShowThemPressedForOneTick()
    {
        MiniWindow w;
        for (QToolButton* button : {w.mini.SpeedButton[0], w.mini.SpeedButton[1], w.mini.DoubleZeroBtn,
                                    w.mini.SpeedButton[0], w.mini.SpeedButton[0]})
            QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(w.display(), QString("00:12:00:11"));
        QVERIFY(w.mini.SpeedButton[0]->isDown());
        w.mini.Timer1Timer();
        QVERIFY(!w.mini.SpeedButton[0]->isDown());

        w.typeMini(".");
        QVERIFY(w.mini.DoubleZeroBtn->isDown());
        QVERIFY(!w.mini.SpeedButton[9]->isDown());
        w.typeMini("+~");
        QVERIFY(w.mini.TildBtn->isDown());
        QVERIFY(!w.mini.PlusBtn->isDown());
        w.typeMini("\r");
        QCOMPARE(w.mini.CalculateBtn->picture(), CalculateButton::ButDown);
        w.mini.Timer1Timer();
        QCOMPARE(w.mini.CalculateBtn->picture(), CalculateButton::ButNorm);
    }

    void eachClickOnTheCalculatePictureCalculatesOnce()
    {
        MiniWindow w;
        for (QToolButton* button : {w.mini.SpeedButton[0], w.mini.PlusBtn, w.mini.SpeedButton[1]})
            QTest::mouseClick(button, Qt::LeftButton);
        QTest::mouseClick(w.mini.CalculateBtn, Qt::LeftButton);
        QTest::mouseClick(w.mini.CalculateBtn, Qt::LeftButton);
        QTest::mouseDClick(w.mini.CalculateBtn, Qt::LeftButton);
        // A result fed nothing: each calculates 1 + 2 again.
        QCOMPARE(w.form.sheet().rowCount(), 3);
        QCOMPARE(w.display(), QString("00:00:00:03"));
        QCOMPARE(w.row(TimecodeFormat::NonDrop, 2).mid(0, 5),
                 (QStringList{"00:00:00:01", "+", "00:00:00:02", "=", "00:00:00:03"}));
    }

    void theCalculatePictureAnswersTheMouse_data()
    {
        QTest::addColumn<bool>("inMini");
        QTest::newRow("main window") << false;
        QTest::newRow("Mini Calc") << true;
    }
    // In either window the mouse over the Calculate picture shows the hot
    // picture and the count of calculations in the main window's status bar.
    void theCalculatePictureAnswersTheMouse()
    {
        QFETCH(bool, inMini);
        MiniWindow w;
        w.calculate("00:00:01:00", "+", "00:00:01:00");
        w.calculate("00:00:02:00", "+", "00:00:01:00");
        QWidget* list = w.form.list(TimecodeFormat::NonDrop)->viewport();
        QTest::mouseMove(list, QPoint(5, 5));
        QTest::mouseMove(list, QPoint(8, 6));
        QCOMPARE(w.form.statusText(0), QString("Drag timecode from grid or right click to copy"));
        CalculateButton* button = inMini ? w.mini.CalculateBtn : w.form.CalculateBtn;
        const QImage normal = button->grab().toImage();
        for (const QPoint at : {QPoint(10, 10), QPoint(12, 12), QPoint(14, 12)}) {
            // Delivered as the window system does: a move the button leaves
            // unhandled goes on to the widgets under it.
            QMouseEvent move(QEvent::MouseMove, at, button->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                             Qt::NoModifier);
            QApplication::sendEvent(button, &move);
        }
        QCOMPARE(button->picture(), CalculateButton::ButOver);
        QVERIFY(button->grab().toImage() != normal);
        QCOMPARE(w.form.statusText(0), QString("Total Calculations: 2"));
    }

    void theClearButtonStartsAFirstOperandOfZero()
    {
        MiniWindow w;
        w.typeMini("10+5");
        QTest::mouseClick(w.mini.ClearBtn, Qt::LeftButton);
        QCOMPARE(w.display(), QString("00:00:00:00"));
        QCOMPARE(w.caption(), QString("Out"));
        QCOMPARE(w.fields(), (QStringList{"00:00:00:00", "+", "00:00:00:00", "00:00:00:00"}));
        QCOMPARE(QApplication::focusWidget(), w.mini.MaskEdit1);
    }

    void panel1SwitchesTheOperands()
    {
        MiniWindow w;
        w.typeMini("10*");
        QTest::mouseClick(w.mini.Panel1, Qt::LeftButton);
        QCOMPARE(w.caption(), QString("Out"));
        QCOMPARE(w.sign(), QString());
        QTest::mouseClick(w.mini.Panel1, Qt::LeftButton);
        QCOMPARE(w.caption(), QString("In"));
        QCOMPARE(w.sign(), QString("x"));
    }

    // The state is kept, not read back from the caption: a new label set
    // renames the operand being entered and keeps entering it.
    void aNewLabelSetKeepsTheOperandBeingEntered()
    {
        MiniWindow w;
        w.typeMini("10+");
        QCOMPARE(w.caption(), QString("In"));
        w.form.setLabels(*LabelSetFor(0, false));
        w.mini.showFields();
        QCOMPARE(w.caption(), QString("Out"));
        w.typeMini("5");
        QCOMPARE(w.form.MaskEdit2->text(), QString("00:00:00:05"));
        QCOMPARE(w.form.MaskEdit1->text(), QString("00:00:00:10"));
        w.form.setLabels(*LabelSetFor(2, false));
        w.mini.showFields();
        QCOMPARE(w.caption(), QString("TC2"));
        w.typeMini("\r");
        QCOMPARE(w.caption(), QString("Tot"));
        w.typeMini("1");
        QCOMPARE(w.caption(), QString("TC1"));
    }

    void aRefusedCalculationLeavesTheDisplayOnTheDuration()
    {
        MiniWindow w;
        w.typeMini("10+5\r");
        w.typeMini("99+1\r");
        QCOMPARE(w.dialogs.messageTexts(), QStringList{"Out - 00:00:00:99 is not valid timecode!"});
        QCOMPARE(w.form.sheet().rowCount(), 1);
        QCOMPARE(w.display(), w.form.MaskEdit3->text());
        QCOMPARE(w.display(), QString("00:00:00:15"));
        QCOMPARE(w.caption(), QString("Dur"));
    }

    // Nothing is carried on from a refused chained calculation: the first
    // operand stays, and so does the pending operator.
    void aRefusedChainCarriesNothingOn()
    {
        MiniWindow w;
        w.typeMini("10+99-");
        QCOMPARE(w.dialogs.messageTexts(), QStringList{"In - 00:00:00:99 is not valid timecode!"});
        QCOMPARE(w.form.sheet().rowCount(), 0);
        QCOMPARE(w.fields(), (QStringList{"00:00:00:10", "+", "00:00:00:99", "00:00:00:00"}));
        QCOMPARE(w.caption(), QString("Dur"));
    }

    void theMiniFollowsTheMainWindowsFields()
    {
        MiniWindow w;
        w.typeMini("10+5\r");
        w.form.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &w.form);
        w.form.OperandCombo->setCurrentIndex(1);
        w.form.MaskEdit2->setFocus(Qt::MouseFocusReason);
        QCOMPARE(w.caption(), QString("In"));
        QCOMPARE(w.sign(), QString("-"));
        w.form.MaskEdit1->setFocus(Qt::MouseFocusReason);
        QCOMPARE(w.caption(), QString("Out"));
        QCOMPARE(w.sign(), QString());
        QTRY_COMPARE(w.form.MaskEdit1->selectedText(), w.form.MaskEdit1->text());
        w.type("42");
        QCOMPARE(w.display(), QString("00:00:00:42"));
        w.form.MaskEdit3->setFocus(Qt::MouseFocusReason);
        QCOMPARE(w.caption(), QString("Dur"));
        QCOMPARE(w.sign(), QString("="));
        QCOMPARE(w.display(), QString("00:00:00:00"));

        w.showTab(TimecodeFormat::DropFrm);
        QCOMPARE(w.display(), QString("00;00;00;15"));
        w.form.Clear1->trigger();
        QCOMPARE(w.display(), QString("00;00;00;00"));
    }

    void aResultOfTheMainWindowShowsInTheMini()
    {
        MiniWindow w;
        w.form.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &w.form);
        w.calculate("00:00:01:00", "+", "00:00:00:10");
        QCOMPARE(w.display(), QString("00:00:01:10"));
        QCOMPARE(w.caption(), QString("Dur"));
    }

    void copyPasteAndFunctionKeysWorkOnTheDisplay()
    {
        MiniWindow w({.shown = true, .stored = {{"Function/F2", "01:02:03:04"}, {"StartWith/Ver110", "1"}}});
        QGuiApplication::clipboard()->setText("00:10:00:00");
        w.typeMini("7+");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w.display(), QString("00:10:00:00"));
        QCOMPARE(w.form.MaskEdit2->text(), QString("00:10:00:00"));
        QCOMPARE(w.form.MaskEdit1->text(), QString("00:00:00:07"));

        w.typeMini("\r");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("00:10:00:07"));

        // A function key leaves the result for a new first operand.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
        QCOMPARE(w.display(), QString("01:02:03:04"));
        QCOMPARE(w.caption(), QString("Out"));
        QCOMPARE(w.form.MaskEdit1->text(), QString("01:02:03:04"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5, Qt::ShiftModifier);
        QCOMPARE(w.settings.functionKeys[4], std::string("01:02:03:04"));

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(w.fields(), (QStringList{"00:00:00:00", "+", "00:00:00:00", "00:00:00:00"}));
        QCOMPARE(QApplication::focusWidget(), w.mini.MaskEdit1);
    }

    void frameModeTypesIntoFrameMini()
    {
        MiniWindow w;
        w.form.FrameMode1->trigger();
        w.activateMini();
        QVERIFY(w.mini.FrameMini->isVisible());
        QCOMPARE(QApplication::focusWidget(), w.mini.FrameMini);
        w.typeMini("12");
        QCOMPARE(w.mini.FrameMini->text(), QString("12"));
        QCOMPARE(w.form.FrameIn->text(), QString("12"));
        w.typeMini("*3\r");
        QCOMPARE(w.form.FrameDur->text(), QString("36"));
        QCOMPARE(w.mini.FrameMini->text(), QString("36"));
        QCOMPARE(w.cell(TimecodeFormat::Frames, 0, ResultColumn), QString("36"));

        // Wholly selected, a blank starts again from "0".
        QCOMPARE(w.mini.FrameMini->selectedText(), QString("36"));
        w.mini.FormKeyPress(' ');
        QCOMPARE(w.mini.FrameMini->text(), QString("0"));
        // The keypad's digits replace the lone "0"; "." adds "00" while it
        // fits, then one "0", and typing stops at 9.
        for (int digit = 1; digit <= 6; ++digit)
            QTest::mouseClick(w.mini.SpeedButton[digit - 1], Qt::LeftButton);
        w.typeMini(".");
        QCOMPARE(w.mini.FrameMini->text(), QString("12345600"));
        w.typeMini(".");
        QCOMPARE(w.mini.FrameMini->text(), QString("123456000"));
        w.typeMini(".1");
        QCOMPARE(w.mini.FrameMini->text(), QString("123456000"));
        QCOMPARE(w.form.FrameIn->text(), QString("123456000"));

        w.form.FrameMode1->trigger();
        QVERIFY(w.mini.FrameMini->isHidden());
    }

    // The 9-character limit is for typing: a result keeps every digit.
    void frameMiniShowsAWholeResult()
    {
        MiniWindow w;
        w.form.FrameMode1->trigger();
        w.activateMini();
        w.typeMini("999999999*999999999\r");
        QCOMPARE(w.form.FrameDur->text(), QString("999999998000000001"));
        QCOMPARE(w.mini.FrameMini->text(), QString("999999998000000001"));
        w.typeMini("-");
        QCOMPARE(w.form.FrameIn->text(), QString("999999998000000001"));
    }

    // Escape closes the Mini Calc, from either display.
    void escapeClosesTheWindow_data()
    {
        QTest::addColumn<bool>("frameMode");
        QTest::newRow("timecode display") << false;
        QTest::newRow("frame display") << true;
    }
    void escapeClosesTheWindow()
    {
        QFETCH(bool, frameMode);
        MiniWindow w;
        if (frameMode) {
            w.form.FrameMode1->trigger();
            w.activateMini();
        }
        QCOMPARE(QApplication::focusWidget(), frameMode ? static_cast<QWidget*>(w.mini.FrameMini) : w.mini.MaskEdit1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!w.mini.isVisible());
        QVERIFY(!w.form.MiniCalc1->isChecked());
    }

    // An 18-digit result is drawn whole, in a smaller face where the field
    // cannot grow, with the whole value as the tooltip; a short one is drawn
    // in the field's own face again.
    void longResultsAreDrawnWhole()
    {
        MiniWindow w;
        const QFont own = w.mini.FrameMini->font();
        w.form.FrameMode1->trigger();
        w.activateMini();
        w.typeMini("999999999*999999999+1\r");
        for (QLineEdit* field : {static_cast<QLineEdit*>(w.mini.FrameMini), static_cast<QLineEdit*>(w.form.FrameDur)}) {
            QCOMPARE(field->text(), QString("999999998000000002"));
            QVERIFY2(QFontMetricsF(field->font()).horizontalAdvance(field->text()) <= field->contentsRect().width() - 4,
                     qPrintable(field->objectName()));
            QCOMPARE(field->toolTip(), field->text());
        }
        w.form.FrameIn->setText("2");
        w.form.FrameOut->setText("3");
        w.form.CalculateBtnClick();
        QCOMPARE(w.mini.FrameMini->text(), QString("5"));
        QCOMPARE(w.mini.FrameMini->font(), own);
        QCOMPARE(w.mini.FrameMini->toolTip(), QString());
    }

    // A "%" calculation in frame mode puts the percentage field over
    // FrameIn; the Mini Calc's activation hides it, and FrameIn is back.
    void frameInComesBackWhenThePercentageFieldGoes()
    {
        MainWindow w({.shown = true});
        w.form.FrameMode1->trigger();
        w.form.OperandCombo->setCurrentIndex(4);
        w.form.OperandComboChange();
        w.form.MaskEdit4->setText("50");
        w.form.FrameOut->setText("200");
        w.form.CalculateBtnClick();
        QCOMPARE(w.dialogs.messageTexts(), QStringList());
        QVERIFY(w.form.FrameIn->isHidden());
        w.form.MiniCalc1->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(&w.form.miniCalc()));
        w.form.miniCalc().activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &w.form.miniCalc());
        QVERIFY(w.form.MaskEdit4->isHidden());
        QVERIFY(!w.form.FrameIn->isHidden());
        QCOMPARE(w.form.OperandCombo->currentText(), QString("+"));
    }

    void dropsOnTheDisplays()
    {
        MiniWindow w;
        TimecodeDrag timecode{"00:01:00:00", false, true, true, TimecodeFormat::NonDrop};
        // Nothing to drag from before the first calculation.
        QVERIFY(!test::dragOnto(w.mini.MaskEdit1, timecode));
        w.typeMini("10+5\r");
        QVERIFY(test::dragOnto(w.mini.MaskEdit1, timecode));
        QCOMPARE(w.display(), QString("00:01:00:00"));
        QCOMPARE(w.caption(), QString("Out"));
        QCOMPARE(w.form.MaskEdit1->text(), QString("00:01:00:00"));
        QVERIFY(!test::dragOnto(w.mini.MaskEdit1, {"25", true, true, true, TimecodeFormat::Frames}));

        // A timecode dropped on the main window's Out field shows here too.
        QVERIFY(test::dragOnto(w.form.MaskEdit2, {"00:02:00:00", false, true, true, TimecodeFormat::PAL}));
        QCOMPARE(w.display(), QString("00:02:00:00"));

        // Frame mode starts on the first operand, and a count dropped on
        // FrameMini goes on into FrameIn.
        w.form.FrameMode1->trigger();
        QVERIFY(test::dragOnto(w.mini.FrameMini, {"25", true, true, true, TimecodeFormat::Frames}));
        QCOMPARE(w.mini.FrameMini->text(), QString("25"));
        QCOMPARE(w.form.FrameIn->text(), QString("25"));
    }

    void closingStoresThePlace()
    {
        MiniWindow w({.shown = true, .stored = {{"Postion/CalcMiniLeft", "240"}, {"Postion/CalcMiniTop", "130"}}});
        QCOMPARE(w.mini.position(), (WindowPosition{240, 130}));
        w.mini.move(260, 150);
        w.mini.close();
        QVERIFY(!w.form.MiniCalc1->isChecked());
        QCOMPARE(test::StoredSettings::value("Postion/CalcMiniLeft"), QString("260"));
        QCOMPARE(test::StoredSettings::value("Postion/CalcMiniTop"), QString("150"));
    }
};

OMBREL_TEST_CLASS(MiniCalcFormTest)
#include "mini_calc_form_test.moc"
