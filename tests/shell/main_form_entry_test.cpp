#include "engine/timecode.h"
#include "main_window_fixture.h"
#include "settings/preferences.h"
#include "shell/calc_main_form.h"
#include "test_registry.h"
#include "widgets/am_edit.h"
#include "widgets/icons.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QTableView>
#include <QTest>

using namespace ombrel;
using test::MainWindow;

class MainFormEntryTest : public QObject {
    Q_OBJECT
private slots:
    void typingShiftsDigitsInAndOperatorsMoveOn()
    {
        MainWindow w({.shown = true});
        QCOMPARE(w.focused(), QString("MaskEdit1"));
        w.type("1220");
        QCOMPARE(w.form.MaskEdit1->text(), QString("00:00:12:20"));
        w.type(".");
        QCOMPARE(w.form.MaskEdit1->text(), QString("00:12:20:00"));
        w.type("\b");
        QCOMPARE(w.form.MaskEdit1->text(), QString("00:01:22:00"));
        w.type("+");
        QCOMPARE(w.focused(), QString("MaskEdit2"));
        QCOMPARE(w.form.MaskEdit2->selectedText(), w.form.MaskEdit2->text());
        w.type("100\r");
        QCOMPARE(w.cell(TimecodeFormat::NonDrop, 0, ResultColumn), QString("00:01:23:00"));
        QCOMPARE(w.focused(), QString("MaskEdit1"));
    }

    void anOperatorInTheOutFieldCalculatesWithItselfAndChains()
    {
        MainWindow w({.shown = true});
        w.type("10+5-");
        QCOMPARE(w.form.sheet().rowCount(), 1);
        QCOMPARE(w.cell(TimecodeFormat::NonDrop, 0, OperatorColumn), QString("-"));
        QCOMPARE(w.cell(TimecodeFormat::NonDrop, 0, ResultColumn), QString("00:00:00:05"));
        QCOMPARE(w.form.MaskEdit1->text(), QString("00:00:00:05"));
        QCOMPARE(w.focused(), QString("MaskEdit2"));
        w.type("2=");
        QCOMPARE(w.cell(TimecodeFormat::NonDrop, 1, ResultColumn), QString("00:00:00:03"));
    }

    void aRefusedChainKeepsTheInOperand()
    {
        MainWindow w({.shown = true});
        w.type("10+99-");
        QCOMPARE(w.form.sheet().rowCount(), 0);
        QCOMPARE(w.dialogs.messageTexts(), QStringList{"In - 00:00:00:99 is not valid timecode!"});
        QCOMPARE(w.form.MaskEdit1->text(), QString("00:00:00:10"));
        QCOMPARE(w.form.MaskEdit2->text(), QString("00:00:00:99"));
    }

    // The help quotes the refusal as the default labels word it.
    void theHelpQuotesTheRefusalOfTheFirstField()
    {
        MainWindow w({.shown = true});
        w.type("25...\r");
        QCOMPARE(w.dialogs.messageTexts(), QStringList{"Out - 25:00:00:00 is not valid timecode!"});
        initResources();
        QFile page(":/help/range.html");
        QVERIFY(page.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(page.readAll()).contains("\"" + w.dialogs.messageTexts().first() + "\""));
    }

    void recallKeysFollowTheLabelSet()
    {
        MainWindow w({.shown = true});
        w.type("I");
        QCOMPARE(w.form.MaskEdit1->text(), QString("00:00:00:00"));
        // The recall key left the first character selected; select all again.
        w.form.MaskEdit1->selectAll();
        w.type("1000000+300000\r");
        // Default labels "Out - In - Duration": I is the operand under "In".
        w.type("I");
        QCOMPARE(w.form.MaskEdit1->text(), QString("00:30:00:00"));
        w.type("o");
        QCOMPARE(w.form.MaskEdit1->text(), QString("01:00:00:00"));
        w.type("D");
        QCOMPARE(w.form.MaskEdit1->text(), QString("01:30:00:00"));
        QCOMPARE(w.form.MaskEdit1->selectedText(), QString("01:30:00:00"));
    }

    void frameModeChainsOnTypedCounts()
    {
        MainWindow w({.shown = true});
        w.form.FrameMode1->trigger();
        QVERIFY(w.form.FrameIn->isVisible() && w.form.FrameOut->isVisible() && w.form.FrameDur->isVisible());
        QCOMPARE(w.focused(), QString("FrameIn"));
        w.type("1800+900-");
        QCOMPARE(w.form.FrameIn->text(), QString("2700"));
        QCOMPARE(w.focused(), QString("FrameOut"));
        w.type("300\r");
        QCOMPARE(w.form.FrameDur->text(), QString("2400"));
        QCOMPARE(w.cell(TimecodeFormat::Frames, 1, ResultColumn), QString("2400"));
        QCOMPARE(w.cell(TimecodeFormat::NonDrop, 1, InColumn), QString("00:01:30:00"));

        // Ctrl+Z in a frame field switches frame mode off rather than undoing.
        QTest::keyClick(w.form.FrameOut, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!w.form.FrameMode1->isChecked());
        QVERIFY(!w.form.FrameIn->isVisible());
        QCOMPARE(w.focused(), QString("MaskEdit1"));
        QCOMPARE(w.form.sheet().rowCount(), 2);
    }

    void frameFieldsTakeOnlyDigits()
    {
        MainWindow w({.shown = true});
        w.form.FrameMode1->trigger();
        w.type("12a.%b3456789012");
        QCOMPARE(w.form.FrameIn->text(), QString("123456789"));
        w.type(" ");
        QCOMPARE(w.focused(), QString("FrameOut"));
        w.type("7 ");
        // A blank in FrameOut calculates and chains with the operator kept.
        QCOMPARE(w.form.OperandCombo->currentText(), QString("+"));
        QCOMPARE(w.form.FrameIn->text(), QString("123456796"));
        QCOMPARE(w.focused(), QString("FrameOut"));
    }

    // Length limits stop typing only: an 18-digit result is shown and
    // carried on whole.
    void frameResultsKeepEveryDigit()
    {
        MainWindow w({.shown = true});
        w.form.FrameMode1->trigger();
        w.type("999999999*999999999+");
        QCOMPARE(w.form.FrameDur->text(), QString("999999998000000001"));
        QCOMPARE(w.cell(TimecodeFormat::Frames, 0, ResultColumn), QString("999999998000000001"));
        QCOMPARE(w.form.FrameIn->text(), QString("999999998000000001"));
        w.type("1\r");
        QCOMPARE(w.form.FrameDur->text(), QString("999999998000000002"));
        QCOMPARE(w.cell(TimecodeFormat::Frames, 1, InColumn), QString("999999998000000001"));
    }

    // Back from frame mode, the next row of every list is the calculation
    // of its own operands: no count of the frame-mode chain stays behind.
    void timecodeRowAfterAFrameChainAddsUp()
    {
        MainWindow w({.shown = true});
        w.form.FrameMode1->trigger();
        w.type("999999999*999999999+1\r");
        w.form.FrameMode1->trigger();
        w.form.CalculateBtnClick();
        QCOMPARE(w.dialogs.messageTexts(), QStringList());
        for (const TimecodeFormat format : {TimecodeFormat::NonDrop, TimecodeFormat::PAL, TimecodeFormat::Film}) {
            const int64_t rate = FormatInfoOf(format).nominalRate;
            auto count = [&](int column) {
                return PartsToFrames(ParseTimecodeText(w.cell(format, 2, column).toStdString()), rate);
            };
            QCOMPARE(w.cell(format, 2, OperatorColumn), QString("+"));
            QCOMPARE(count(ResultColumn), count(InColumn) + count(OutColumn));
        }
    }

    void thePercentageRoundTrip()
    {
        MainWindow w({.shown = true});
        w.type("%");
        QVERIFY(w.form.MaskEdit4->isVisible());
        QCOMPARE(w.focused(), QString("MaskEdit4"));
        QCOMPARE(w.form.OperandCombo->currentText(), QString("%"));
        w.type("12.5x ");
        QCOMPARE(w.form.MaskEdit4->text(), QString("12.5"));
        QCOMPARE(w.focused(), QString("MaskEdit2"));
        w.type("400\r");
        QCOMPARE(w.cell(TimecodeFormat::NonDrop, 0, InColumn), QString("12.5"));
        QCOMPARE(w.cell(TimecodeFormat::NonDrop, 0, ResultColumn), QString("00:00:00:15"));
        QCOMPARE(w.focused(), QString("MaskEdit4"));
        w.type("+");
        QVERIFY(!w.form.MaskEdit4->isVisible());
        QCOMPARE(w.focused(), QString("MaskEdit1"));
    }

    // New after a "%" calculation: the fields shown match the operator, and
    // what is typed next is calculated.
    void newAfterAPercentage_data()
    {
        QTest::addColumn<bool>("frameMode");
        QTest::newRow("timecode") << false;
        QTest::newRow("frame mode") << true;
    }
    void newAfterAPercentage()
    {
        QFETCH(bool, frameMode);
        MainWindow w({.shown = true});
        if (frameMode)
            w.form.FrameMode1->trigger();
        w.type("%");
        w.type("50x 400\r");
        QCOMPARE(w.form.sheet().rowCount(), 1);
        w.dialogs.answers.push_back(Answer::Yes);
        w.form.New1->trigger();
        QCOMPARE(w.form.OperandCombo->currentText(), QString("+"));
        QVERIFY(!w.form.MaskEdit4->isVisible());
        QCOMPARE(w.form.FrameIn->isVisible(), frameMode);
        QCOMPARE(w.focused(), QString(frameMode ? "FrameIn" : "MaskEdit1"));
    }

    void theOperatorListTakesKeys()
    {
        MainWindow w({.shown = true});
        w.type(" ");
        QCOMPARE(w.focused(), QString("OperandCombo"));
        w.type("*");
        QCOMPARE(w.form.OperandCombo->currentText(), QString("x"));
        QCOMPARE(w.focused(), QString("MaskEdit2"));
        w.form.OperandCombo->setFocus();
        w.type("q");
        QCOMPARE(w.form.OperandCombo->currentText(), QString("+"));
        QCOMPARE(w.focused(), QString("MaskEdit2"));
    }

    void choosingThePercentOperatorShowsItsField()
    {
        MainWindow w({.shown = true});
        w.form.OperandCombo->setCurrentIndex(int(Operator::Percent));
        emit w.form.OperandCombo->activated(int(Operator::Percent));
        QVERIFY(w.form.MaskEdit4->isVisible());
        w.form.OperandCombo->setCurrentIndex(int(Operator::Minus));
        emit w.form.OperandCombo->activated(int(Operator::Minus));
        QVERIFY(!w.form.MaskEdit4->isVisible());
    }

    void theSwitchesAreStoredAtOnce()
    {
        MainWindow w({.shown = true});
        w.form.Percentages1->trigger();
        QCOMPARE(w.form.statusText(1), QString());
        QCOMPARE(test::StoredSettings::value("StartWith/Percentages"), QString("0"));
        w.form.Percentages1->trigger();
        QCOMPARE(w.form.statusText(1), QString("0.0%"));
        QCOMPARE(test::StoredSettings::value("StartWith/Percentages"), QString("1"));
        w.form.ValidityCheck->trigger();
        QCOMPARE(test::StoredSettings::value("StartWith/Validity"), QString("0"));
        w.form.FrameMode1->trigger();
        QCOMPARE(test::StoredSettings::value("StartWith/FrameMode"), QString("1"));
        // The preferences open with it.
        QVERIFY(w.settings.options.frameMode);
        w.form.preferences().FormActivate();
        QVERIFY(w.form.preferences().FrameModeCheckBox->isChecked());
        // Range checking off lets 99 frames through.
        w.form.FrameMode1->trigger();
        w.type("99+1\r");
        QCOMPARE(w.form.sheet().rowCount(), 1);
    }

    // After the message of a refused chained calculation, the window
    // manager activates the window again: the refused field keeps the focus.
    void aRefusedFieldKeepsTheFocusWhenTheWindowIsActivatedAgain()
    {
        MainWindow w({.shown = true});
        w.type("1+99+");
        QCOMPARE(w.dialogs.messages.size(), 1);
        QCOMPARE(w.focused(), QString("MaskEdit2"));
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&w.form, &activate);
        QCOMPARE(w.focused(), QString("MaskEdit2"));
        // A later activation, after a window of the program's own, starts again in the first field.
        QApplication::sendEvent(&w.form, &activate);
        QCOMPARE(w.focused(), QString("MaskEdit1"));
    }

    void hoveringTheTimecodeFieldsExplainsRecall()
    {
        MainWindow w({.shown = true});
        QTest::mouseMove(w.form.MaskEdit2, QPoint(5, 5));
        QTest::mouseMove(w.form.MaskEdit2, QPoint(8, 6));
        QCOMPARE(w.form.statusText(0), QString("Hit 'I, O, P(D,T)' to use previous calculation."));
    }
};

OMBREL_TEST_CLASS(MainFormEntryTest)
#include "main_form_entry_test.moc"
