#include "drag_and_drop.h"
#include "main_window_fixture.h"
#include "shell/calc_main_form.h"
#include "shell/function_key_bar.h"
#include "test_registry.h"
#include "widgets/am_edit.h"
#include "widgets/status_panel.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QToolButton>

#include <algorithm>

using namespace ombrel;
using test::dragOnto;
using test::MainWindow;

namespace {

QString clipboardText()
{
    return QGuiApplication::clipboard()->text();
}

// Two calculations, the second a percentage, on the NonDrop tab.
void twoCalculations(MainWindow& w)
{
    w.calculate("01:00:00:00", "+", "00:30:00:00");
    w.form.MaskEdit4->setText("50");
    w.calculate("00:00:00:00", "%", "00:00:02:00");
}

// The user picks "%": the percentage field shows.
void choosePercent(MainWindow& w)
{
    w.form.OperandCombo->setCurrentIndex(w.form.OperandCombo->findText("%"));
    w.form.OperandComboChange();
}

// What a drag from a cell of a list carries.
TimecodeDrag dragFrom(MainWindow& w, TimecodeFormat list, int row, int column)
{
    DragState state;
    return GenericStartDrag(state, w.form.sheet(), list, row, column);
}

} // namespace

class MainFormClipboardTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QGuiApplication::clipboard()->setText("before"); }

    void copyTakesTheFocusedField_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("frameMode");
        QTest::addColumn<QString>("copied");
        QTest::newRow("In") << "MaskEdit1" << false << "01:00:00:00";
        QTest::newRow("Out") << "MaskEdit2" << false << "00:30:00:00";
        QTest::newRow("Duration") << "MaskEdit3" << false << "01:30:00:00";
        QTest::newRow("FrameIn") << "FrameIn" << true << "15";
        QTest::newRow("FrameDur") << "FrameDur" << true << "0";
    }
    void copyTakesTheFocusedField()
    {
        QFETCH(QString, field);
        QFETCH(bool, frameMode);
        QFETCH(QString, copied);
        MainWindow w({.shown = true});
        w.calculate("01:00:00:00", "+", "00:30:00:00");
        if (frameMode)
            w.form.FrameMode1->trigger();
        w.form.FrameIn->setText("15");
        auto* target = w.form.findChild<QLineEdit*>(field);
        target->setFocus();
        target->deselect();
        // The menu's shortcut wins over the field's own copy.
        QTest::keyClick(target, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboardText(), copied);
        QCOMPARE(target->selectedText(), copied);
        QCOMPARE(w.form.statusText(0), copied + " - copied to clipboard");
    }

    void copyWithNoFieldFocusedCopiesNothing()
    {
        MainWindow w({.shown = true});
        w.form.OperandCombo->setFocus();
        w.form.Copy1->trigger();
        QCOMPARE(clipboardText(), QString("before"));
    }

    void copyDurationFollowsTheMode()
    {
        MainWindow w({.shown = true});
        w.calculate("01:00:00:00", "+", "00:30:00:00");
        w.form.MaskEdit1->setFocus();
        w.form.CopyDuration1->trigger();
        QCOMPARE(clipboardText(), QString("01:30:00:00"));
        w.form.FrameMode1->trigger();
        w.form.FrameIn->setText("10");
        w.form.FrameOut->setText("5");
        w.form.CalculateBtnClick();
        w.form.CopyDuration1->trigger();
        QCOMPARE(clipboardText(), QString("15"));
        QCOMPARE(w.form.FrameDur->selectedText(), QString("15"));
        QCOMPARE(w.form.statusText(0), QString("15 - copied to clipboard"));
    }

    void pasteBringsTheTextInLine_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QStringList>("after"); // In, Out, percentage, FrameIn
        const int nonDrop = FormatIndex(TimecodeFormat::NonDrop);
        const int dropFrm = FormatIndex(TimecodeFormat::DropFrm);
        QTest::newRow("drop frame separators on NonDrop")
            << nonDrop << "MaskEdit1"
            << "01;02;03;04" << QStringList{"01:02:03:04", "00:00:00:00", "0", "0"};
        QTest::newRow("colons on DropFrm") << dropFrm << "MaskEdit2"
                                           << "01:02:03:04" << QStringList{"00;00;00;00", "01;02;03;04", "0", "0"};
        QTest::newRow("first line of several")
            << nonDrop << "MaskEdit2"
            << "01:02:03:04\r\nnext" << QStringList{"00:00:00:00", "01:02:03:04", "0", "0"};
        QTest::newRow("not a timecode") << nonDrop << "MaskEdit1"
                                        << "01-02-03-04" << QStringList{"00:00:00:00", "00:00:00:00", "0", "0"};
        QTest::newRow("no range check") << nonDrop << "MaskEdit1"
                                        << "99:99:99:99" << QStringList{"99:99:99:99", "00:00:00:00", "0", "0"};
        QTest::newRow("percentage as it is") << nonDrop << "MaskEdit4"
                                             << "half" << QStringList{"00:00:00:00", "00:00:00:00", "half", "0"};
        QTest::newRow("frame count with every digit")
            << nonDrop << "FrameIn"
            << "99999999999" << QStringList{"00:00:00:00", "00:00:00:00", "0", "99999999999"};
    }
    void pasteBringsTheTextInLine()
    {
        QFETCH(int, tab);
        QFETCH(QString, field);
        QFETCH(QString, clipboard);
        QFETCH(QStringList, after);
        MainWindow w({.shown = true});
        w.showTab(FormatAt(tab));
        w.form.FrameMode1->trigger();
        if (field == "MaskEdit4")
            choosePercent(w);
        auto* target = w.form.findChild<QLineEdit*>(field);
        target->setFocus();
        QGuiApplication::clipboard()->setText(clipboard);
        QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(QStringList({w.form.MaskEdit1->text(), w.form.MaskEdit2->text(), w.form.MaskEdit4->text(),
                              w.form.FrameIn->text()}),
                 after);
        QCOMPARE(target->selectedText(), target->text());
    }

    // A paste takes a short part of the clipboard and says when it left
    // something out.
    void pasteSaysWhatItLeftOut_data()
    {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("status");
        const QString untouched = "before the paste";
        QTest::newRow("a timecode") << "01:02:03:04"
                                    << "01:02:03:04" << untouched;
        QTest::newRow("a timecode and its line ending") << "01:02:03:04\n"
                                                        << "01:02:03:04" << untouched;
        QTest::newRow("more lines") << "01:02:03:04\nnext"
                                    << "01:02:03:04"
                                    << "Only the first line of the clipboard text was pasted";
        QTest::newRow("a long line") << "01:02:03:04 of reel 2"
                                     << "01:02:03:04"
                                     << "Only the first 11 characters of the clipboard text were pasted";
    }
    void pasteSaysWhatItLeftOut()
    {
        QFETCH(QString, clipboard);
        QFETCH(QString, pasted);
        QFETCH(QString, status);
        MainWindow w({.shown = true});
        w.form.MaskEdit1->setFocus();
        w.form.findChild<StatusPanel*>("StatusPanel0")->setText("before the paste");
        QGuiApplication::clipboard()->setText(clipboard);
        QTest::keyClick(w.form.MaskEdit1, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w.form.MaskEdit1->text(), pasted);
        QCOMPARE(w.form.statusText(0), status);
    }

    // The editor of a description takes from the clipboard what the cell
    // holds, whichever way the user pastes, and says what it left out.
    void descriptionPasteSaysWhatItLeftOut_data()
    {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<bool>("byMenu");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("status");
        const QString untouched = "before the paste";
        const QString longLine = QString(40000, QChar('r'));
        QTest::newRow("one line") << "reel 2 take 3" << false << "reel 2 take 3" << untouched;
        QTest::newRow("one line and its line ending") << "reel 2\r\n" << false << "reel 2" << untouched;
        QTest::newRow("several lines")
            << "reel 2\ntake 3" << false << ""
            << "The clipboard text has several lines and was not pasted: a cell holds one line";
        QTest::newRow("several lines by the menu")
            << "reel 2\ntake 3" << true << ""
            << "The clipboard text has several lines and was not pasted: a cell holds one line";
        QTest::newRow("longer than a cell holds")
            << longLine << false << longLine.left(32767)
            << "Only the first 32767 characters of the clipboard text were pasted";
    }
    void descriptionPasteSaysWhatItLeftOut()
    {
        QFETCH(QString, clipboard);
        QFETCH(bool, byMenu);
        QFETCH(QString, description);
        QFETCH(QString, status);
        MainWindow w({.shown = true});
        w.calculate("01:00:00:00", "+", "00:30:00:00");
        w.form.EditBtn->click();
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor && w.form.list(TimecodeFormat::NonDrop)->isAncestorOf(editor));
        w.form.findChild<StatusPanel*>("StatusPanel0")->setText("before the paste");
        QGuiApplication::clipboard()->setText(clipboard);
        if (byMenu) {
            QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard, QPoint(2, 2), editor->mapToGlobal(QPoint(2, 2)));
            QApplication::sendEvent(editor, &menuEvent);
            auto* menu = editor->findChild<QMenu*>();
            QVERIFY(menu);
            const QList<QAction*> actions = menu->actions();
            const auto paste = std::find_if(actions.begin(), actions.end(), [](QAction* action) {
                return action->text().startsWith(QLineEdit::tr("&Paste"));
            });
            QVERIFY(paste != actions.end());
            (*paste)->trigger();
            menu->close();
        } else {
            QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
        }
        QCOMPARE(editor->text(), description);
        QCOMPARE(w.form.statusText(0), status);
    }

    // The editor's pop-up menu offers Paste when the clipboard offers text,
    // which it asks without fetching the text, and the commands that act on
    // a selection when there is one.
    void descriptionMenuOffersWhatApplies_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<bool>("selected");
        QTest::addColumn<QStringList>("enabled");
        QTest::newRow("text on the clipboard") << "text/plain" << false << QStringList{"Paste", "Select All"};
        QTest::newRow("no text on the clipboard") << "application/x-other" << false << QStringList{"Select All"};
        QTest::newRow("a selection") << "text/plain" << true << QStringList{"Cut", "Copy", "Paste", "Delete"};
    }
    void descriptionMenuOffersWhatApplies()
    {
        QFETCH(QString, format);
        QFETCH(bool, selected);
        QFETCH(QStringList, enabled);
        MainWindow w({.shown = true});
        w.calculate("01:00:00:00", "+", "00:30:00:00");
        w.form.EditBtn->click();
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor && w.form.list(TimecodeFormat::NonDrop)->isAncestorOf(editor));
        editor->setText("reel 2");
        if (selected)
            editor->selectAll();
        auto* data = new QMimeData;
        data->setData(format, "take 3");
        QGuiApplication::clipboard()->setMimeData(data);
        QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard, QPoint(2, 2), editor->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(editor, &menuEvent);
        auto* menu = editor->findChild<QMenu*>();
        QVERIFY(menu);
        QStringList shown;
        for (QAction* action : menu->actions())
            if (!action->isSeparator() && action->isEnabled())
                shown << action->text().section('\t', 0, 0).remove('&');
        menu->close();
        QCOMPARE(shown, enabled);
    }

    // After a drop or a click on the Copy button the pointer rests on it:
    // the confirmation stays readable there, and the button's hover text
    // comes back once the pointer leaves and returns.
    void theCopyConfirmationStaysWhileThePointerRestsOnTheButton()
    {
        MainWindow w({.shown = true});
        twoCalculations(w);
        QToolButton* button = w.form.CopyBtn;
        const auto pointer = [&](QEvent::Type type) {
            if (type == QEvent::MouseMove) {
                QMouseEvent move(type, QPointF(4, 4), button->mapToGlobal(QPointF(4, 4)), Qt::NoButton, Qt::NoButton,
                                 Qt::NoModifier);
                QApplication::sendEvent(button, &move);
            } else if (type == QEvent::Enter) {
                QEnterEvent enter(QPointF(3, 3), QPointF(3, 3), button->mapToGlobal(QPointF(3, 3)));
                QApplication::sendEvent(button, &enter);
            } else {
                QEvent leave(type);
                QApplication::sendEvent(button, &leave);
            }
        };
        QVERIFY(dragOnto(button, dragFrom(w, TimecodeFormat::NonDrop, 0, ResultColumn)));
        const QString confirmation = "01:30:00:00 - copied to clipboard";
        QCOMPARE(w.form.statusText(0), confirmation);
        pointer(QEvent::Enter);
        pointer(QEvent::MouseMove);
        QCOMPARE(w.form.statusText(0), confirmation);
        pointer(QEvent::Leave);
        pointer(QEvent::Enter);
        QCOMPARE(w.form.statusText(0), QString("Copy selection to clipboard"));
    }

    void rightClickCopiesACell()
    {
        MainWindow w({.shown = true});
        twoCalculations(w);
        CalcGrid* grid = w.form.list(TimecodeFormat::NonDrop);
        const auto rightClick = [&](int row, int column) {
            QTest::mouseClick(grid->viewport(), Qt::RightButton, {},
                              grid->visualRect(grid->model()->index(row, column)).center());
        };
        rightClick(1, OperatorColumn);
        QCOMPARE(clipboardText(), QString("%"));
        QCOMPARE(w.form.statusText(0), QString("% - copied to clipboard"));
        // An empty cell copies nothing.
        rightClick(0, DescriptionColumn);
        QCOMPARE(clipboardText(), QString("%"));
        QCOMPARE(w.form.statusText(0), QString(" - copied to clipboard"));
    }

    void popUpMenusCopyPasteAndClear()
    {
        MainWindow w({.shown = true});
        w.calculate("01:00:00:00", "+", "00:30:00:00");
        QCOMPARE(w.form.PopupMenu1->actions().size(), 3);
        w.form.MaskEdit2->setFocus();
        w.form.PopupMenu1->actions()[0]->trigger();
        QCOMPARE(clipboardText(), QString("00:30:00:00"));
        QGuiApplication::clipboard()->setText("02:00:00:00");
        w.form.PopupMenu1->actions()[1]->trigger();
        QCOMPARE(w.form.MaskEdit2->text(), QString("02:00:00:00"));
        w.form.PopupMenu2->actions()[0]->trigger();
        QCOMPARE(clipboardText(), QString("01:30:00:00"));
        w.form.PopupMenu1->actions()[2]->trigger();
        QCOMPARE(w.fields(), QStringList({"00:00:00:00", "+", "00:00:00:00", "00:00:00:00"}));
    }

    // Which drags each target takes, for the cells of a timecode list, the
    // Frames list and a percentage, and once the work was emptied after the
    // drag began.
    void dropTargetsAcceptByTheirRule_data()
    {
        QTest::addColumn<int>("list");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("emptied");
        // In, Out, FrameIn, FrameOut, percentage, CopyBtn, trash, F7Btn.
        QTest::addColumn<QList<bool>>("accepted");
        const int nonDrop = FormatIndex(TimecodeFormat::NonDrop);
        const int frames = FormatIndex(TimecodeFormat::Frames);
        QTest::newRow("Duration") << nonDrop << 0 << 4 << false
                                  << QList<bool>{true, true, false, false, false, true, true, true};
        QTest::newRow("percentage") << nonDrop << 1 << 0 << false
                                    << QList<bool>{false, false, true, true, true, true, true, false};
        QTest::newRow("operator") << nonDrop << 0 << 1 << false
                                  << QList<bool>{false, false, false, false, false, true, true, false};
        QTest::newRow("Frames value") << frames << 0 << 2 << false
                                      << QList<bool>{false, false, true, true, true, true, true, false};
        QTest::newRow("outside the cells")
            << nonDrop << 5 << 0 << false << QList<bool>{false, false, false, false, false, true, false, false};
        QTest::newRow("Duration, no calculations left")
            << nonDrop << 0 << 4 << true << QList<bool>{false, false, false, false, false, true, false, false};
        QTest::newRow("percentage, no calculations left")
            << nonDrop << 1 << 0 << true << QList<bool>{false, false, true, true, true, true, false, false};
    }
    void dropTargetsAcceptByTheirRule()
    {
        QFETCH(int, list);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(bool, emptied);
        QFETCH(QList<bool>, accepted);
        MainWindow w({.shown = true});
        twoCalculations(w);
        w.form.FrameMode1->trigger();
        choosePercent(w);
        const TimecodeDrag drag = dragFrom(w, FormatAt(list), row, column);
        if (emptied) {
            w.dialogs.answers.push_back(Answer::Yes); // clear all calculations
            w.form.New1->trigger();
            QCOMPARE(w.form.models().calcCount(), 0);
        }
        const QList<QWidget*> targets{w.form.MaskEdit1,
                                      w.form.MaskEdit2,
                                      w.form.FrameIn,
                                      w.form.FrameOut,
                                      w.form.MaskEdit4,
                                      w.form.CopyBtn,
                                      w.form.TrashClose->parentWidget(),
                                      w.form.ToolBar2->FBtn[6]};
        for (int t = 0; t < targets.size(); ++t)
            QVERIFY2(dragOnto(targets[t], drag, false) == accepted[t], qPrintable(targets[t]->objectName()));
    }

    void dropsFillTheFields()
    {
        MainWindow w({.shown = true});
        twoCalculations(w);
        QVERIFY(dragOnto(w.form.MaskEdit2, dragFrom(w, TimecodeFormat::NonDrop, 0, ResultColumn)));
        QCOMPARE(w.form.MaskEdit2->text(), QString("01:30:00:00"));
        QCOMPARE(w.focused(), QString("MaskEdit2"));
        QCOMPARE(w.form.MaskEdit2->selectedText(), QString("01:30:00:00"));
        // A drop does not calculate.
        QCOMPARE(w.form.models().calcCount(), 2);

        w.form.FrameMode1->trigger();
        QVERIFY(dragOnto(w.form.FrameIn, dragFrom(w, TimecodeFormat::Frames, 0, ResultColumn)));
        QCOMPARE(w.form.FrameIn->text(), QString("162000"));
        QVERIFY(dragOnto(w.form.CopyBtn, dragFrom(w, TimecodeFormat::Frames, 0, DescriptionColumn)));
        QCOMPARE(w.form.statusText(0), QString(" - copied to clipboard"));
        QVERIFY(dragOnto(w.form.CopyBtn, dragFrom(w, TimecodeFormat::PAL, 1, OutColumn)));
        QCOMPARE(clipboardText(), QString("00:00:02:00"));
    }

    // Another program's drag (plain text) is no drag from a list.
    void dropsFromOtherProgramsAreRefused()
    {
        MainWindow w({.shown = true});
        w.calculate("01:00:00:00", "+", "00:30:00:00");
        QMimeData data;
        data.setText("02:00:00:00");
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(w.form.MaskEdit1, &enter);
        QVERIFY(!enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(w.form.MaskEdit1, &drop);
        QCOMPARE(w.form.MaskEdit1->text(), QString("01:00:00:00"));
    }

    // A pasted frame count keeps every digit, and a product beyond 64 bits
    // is refused with the calculation's message, changing nothing.
    void pastedFrameCountsNeverOverflow()
    {
        MainWindow w({.shown = true});
        w.form.FrameMode1->trigger();
        QGuiApplication::clipboard()->setText("99999999999");
        for (QLineEdit* field : {static_cast<QLineEdit*>(w.form.FrameIn), static_cast<QLineEdit*>(w.form.FrameOut)}) {
            field->setFocus();
            w.form.Paste1->trigger();
        }
        w.form.OperandCombo->setCurrentIndex(w.form.OperandCombo->findText("x"));
        w.form.CalculateBtnClick();
        QCOMPARE(w.dialogs.messageTexts(), QStringList{"99999999999 x 99999999999 is out of range!"});
        QCOMPARE(w.form.models().calcCount(), 0);
        QCOMPARE(w.form.FrameIn->text(), QString("99999999999"));
    }
};

OMBREL_TEST_CLASS(MainFormClipboardTest)

#include "main_form_clipboard_test.moc"
