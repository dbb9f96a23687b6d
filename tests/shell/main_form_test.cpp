#include "main_window_fixture.h"
#include "shell/calc_main_form.h"
#include "test_registry.h"
#include "widgets/am_edit.h"
#include "widgets/calc_button.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>

using namespace ombrel;
using test::MainWindow;

namespace {

QStringList listCommandStates(const TCalcMainForm& form)
{
    QStringList enabled;
    for (QAction* item : {form.Save1, form.Export1, form.New1, form.Print1, form.PrintPreview1, form.Sort1, form.Find1})
        if (item->isEnabled())
            enabled << item->objectName();
    for (QToolButton* button :
         {form.SaveBtn, form.ExportBtn, form.NewBtn, form.PrintBtn, form.SortBtn, form.FindBtn, form.EditBtn})
        if (button->isEnabled())
            enabled << button->objectName();
    return enabled;
}

// What the screen shows of a widget, from its window's pixels: a grab()
// would paint it afresh and hide a stale row.
QImage onScreen(QWidget* widget)
{
    // Layouts wait for a timer, their painting for the next pass.
    for (int pass = 0; pass < 3; ++pass)
        QApplication::processEvents();
    const QPoint at = widget->mapTo(widget->window(), QPoint(0, 0));
    return widget->screen()
        ->grabWindow(widget->window()->winId(), at.x(), at.y(), widget->width(), widget->height())
        .toImage();
}

// The same after the widget was painted whole again.
QImage repainted(QWidget* widget)
{
    widget->repaint();
    return onScreen(widget);
}

} // namespace

class MainFormTest : public QObject {
    Q_OBJECT
private slots:
    // The settings' defaults are main_form_settings_test's; here the work
    // starts empty.
    void startsWithNoWork()
    {
        MainWindow w;
        QCOMPARE(w.form.windowTitle(), QString("Ombrel"));
        QCOMPARE(w.fields(), QStringList({"00:00:00:00", "+", "00:00:00:00", "00:00:00:00"}));
        QVERIFY(listCommandStates(w.form).isEmpty());
        QCOMPARE(w.form.statusText(0), QString("Total Calculations: 0"));
        for (int f = 0; f < kFormatCount; ++f)
            QCOMPARE(w.form.list(FormatAt(f))->model()->rowCount(), 1);
    }

    void oneCalculationFillsAllSixLists()
    {
        MainWindow w;
        std::vector<std::unique_ptr<QAbstractItemModelTester>> testers;
        for (int f = 0; f < kFormatCount; ++f)
            testers.push_back(std::make_unique<QAbstractItemModelTester>(
                w.form.list(FormatAt(f))->model(), QAbstractItemModelTester::FailureReportingMode::QtTest));
        w.calculate("00:00:59:29", "+", "00:00:00:01");
        // Each list shows the row the calculation made in its format (the
        // arithmetic itself is the engine's to test).
        CalculationRequest request;
        request.inText = "00:00:59:29";
        request.outText = "00:00:00:01";
        request.percentText = "0";
        CalcState state;
        const Calculation made = ComputeCalculations(request, state);
        for (int f = 0; f < kFormatCount; ++f) {
            QStringList cells;
            for (const std::string& cell : made.rows[f])
                cells << QString::fromStdString(cell);
            QCOMPARE(w.row(FormatAt(f), 0), cells);
        }
        QCOMPARE(w.fields(), QStringList({"00:00:59:29", "+", "00:00:00:01", "00:01:00:00"}));
        QCOMPARE(w.form.sheet().rowCount(), 1);
        QVERIFY(w.form.models().workModified());
        QVERIFY(!w.form.DragRow());
        QCOMPARE(listCommandStates(w.form).size(), 14);
        QCOMPARE(w.form.statusText(0), QString("Total Calculations: 1"));
    }

    void switchingTabsShowsTheCalculationInThatFormat()
    {
        MainWindow w;
        w.calculate("00:00:59:29", "+", "00:00:00:01");
        w.showTab(TimecodeFormat::DropFrm);
        QCOMPARE(w.fields(), QStringList({"00;00;59;29", "+", "00;00;00;01", "00;01;00;02"}));
        w.showTab(TimecodeFormat::Frames);
        QCOMPARE(w.fields(), QStringList({"00:00:00:00", "+", "00:00:00:00", "00:00:00:00"}));
        w.showTab(TimecodeFormat::PAL);
        QCOMPARE(w.fields(), QStringList({"00:00:59:29", "+", "00:00:00:01", "00:01:00:05"}));
    }

    void theOperatorFollowsTheLastRowOnATabChange()
    {
        MainWindow w;
        w.calculate("00:00:10:00", "~", "00:00:20:00");
        w.form.OperandCombo->setCurrentIndex(0);
        w.showTab(TimecodeFormat::Film);
        QCOMPARE(w.form.OperandCombo->currentText(), QString("~"));
    }

    void beforeTheFirstCalculationATabChangeOnlySwitchesTheSeparator()
    {
        MainWindow w;
        w.form.MaskEdit1->setText("01:02:03:04");
        w.showTab(TimecodeFormat::DropFrm);
        QCOMPARE(w.fields(), QStringList({"01;02;03;04", "+", "00;00;00;00", "00;00;00;00"}));
        w.showTab(TimecodeFormat::NonDrop);
        QCOMPARE(w.form.MaskEdit1->text(), QString("01:02:03:04"));
    }

    void aRefusedOperandChangesNothing_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focused");
        QTest::newRow("In") << "25:00:00:00"
                            << "25:00:00:00"
                            << "Out - 25:00:00:00 is not valid timecode!"
                            << "MaskEdit1";
        QTest::newRow("Out") << "00:00:00:00"
                             << "00:00:00:30"
                             << "In - 00:00:00:30 is not valid timecode!"
                             << "MaskEdit2";
    }
    void aRefusedOperandChangesNothing()
    {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QFETCH(QString, message);
        QFETCH(QString, focused);
        MainWindow w;
        w.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.form));
        w.calculate(in, "+", out);
        QCOMPARE(w.dialogs.messageTexts(), QStringList{message});
        QCOMPARE(w.dialogs.messages.first().kind, MessageKind::Error);
        QCOMPARE(w.form.sheet().rowCount(), 0);
        QVERIFY(!w.form.models().workModified());
        QVERIFY(listCommandStates(w.form).isEmpty());
        QCOMPARE(w.form.list(TimecodeFormat::NonDrop)->model()->index(0, 0).data().toString(), QString());
        QCOMPARE(w.form.statusText(0), QString("Total Calculations: 0"));
        QCOMPARE(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(), focused);
    }

    void aRefusalKeepsEarlierRowsWhole()
    {
        MainWindow w;
        w.calculate("00:00:01:00", "+", "00:00:01:00");
        w.calculate("00:00:01:00", "+", "00:61:00:00");
        QCOMPARE(w.form.sheet().rowCount(), 1);
        QCOMPARE(w.form.list(TimecodeFormat::NonDrop)->model()->rowCount(), 1);
        QCOMPARE(w.row(TimecodeFormat::NonDrop, 0)[ResultColumn], QString("00:00:02:00"));
    }

    void aConversionErrorIsShownAndChangesNothing()
    {
        MainWindow w;
        w.form.OperandCombo->setCurrentIndex(int(Operator::Percent));
        w.form.MaskEdit4->setText(".");
        w.form.CalculateBtnClick();
        QCOMPARE(w.dialogs.messageTexts(), QStringList{"'.' is not a valid floating point value"});
        QCOMPARE(w.form.sheet().rowCount(), 0);
        QVERIFY(listCommandStates(w.form).isEmpty());
    }

    void thePercentagePanel_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("panel");
        QTest::newRow("half") << 0 << "01:00:00:00"
                              << "00:30:00:00"
                              << "50.00%";
        QTest::newRow("drop compensated") << 1 << "00;10;00;00"
                                          << "00;05;00;00"
                                          << "50.06%";
        QTest::newRow("no In") << 0 << "00:00:00:00"
                               << "00:30:00:00"
                               << "0.00%";
    }
    void thePercentagePanel()
    {
        QFETCH(int, tab);
        QFETCH(QString, in);
        QFETCH(QString, out);
        QFETCH(QString, panel);
        MainWindow w;
        w.form.PageControl1->setCurrentIndex(tab);
        w.calculate(in, "+", out);
        QCOMPARE(w.form.statusText(1), panel);
        w.form.Percentages1->setChecked(false);
        w.calculate(in, "+", out);
        QCOMPARE(w.form.statusText(1), QString());
    }

    void aPercentageCalculationShowsThePercentField()
    {
        MainWindow w;
        w.form.OperandCombo->setCurrentIndex(int(Operator::Percent));
        w.form.MaskEdit4->setText("12.5");
        w.form.MaskEdit2->setText("00:00:04:00");
        w.form.CalculateBtnClick();
        QVERIFY(w.form.MaskEdit4->isVisibleTo(&w.form));
        QCOMPARE(w.form.statusText(1), QString());
        for (int f = 0; f < kFormatCount; ++f)
            QCOMPARE(w.row(FormatAt(f), 0)[InColumn], QString("12.5"));
        w.showTab(TimecodeFormat::PAL);
        QVERIFY(w.form.MaskEdit4->isVisibleTo(&w.form));
        QCOMPARE(w.form.MaskEdit4->text(), QString("12.5"));
        QCOMPARE(w.form.MaskEdit3->text(), QString("00:00:00:12"));
    }

    void eachListKeepsItsLastFiveRowsInView()
    {
        MainWindow w;
        w.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.form));
        for (int i = 0; i < 5; ++i)
            w.calculate("00:00:01:00", "+", "00:00:01:00");
        QCOMPARE(w.form.list(TimecodeFormat::NonDrop)->verticalScrollBar()->value(), 0);
        for (int i = 0; i < 25; ++i)
            w.calculate("00:00:01:00", "+", "00:00:01:00");
        QTableView* shown = w.form.list(TimecodeFormat::NonDrop);
        QVERIFY(shown->verticalScrollBar()->maximum() > 0);
        const QRect last = shown->visualRect(shown->model()->index(29, 0));
        QVERIFY(last.top() >= 0 && last.bottom() < shown->viewport()->height());
        QCOMPARE(onScreen(shown), repainted(shown));
        // The other lists follow when their tab is shown.
        for (int f = 0; f < kFormatCount; ++f) {
            w.showTab(FormatAt(f));
            QTableView* list = w.form.list(FormatAt(f));
            const QScrollBar* bar = list->verticalScrollBar();
            QCOMPARE(bar->value(), bar->maximum());
            QCOMPARE(onScreen(list), repainted(list));
        }
    }

    // One widget takes the whole click, whichever picture it shows: a
    // press that changed the widget under the mouse lost the release.
    void theCalculateButtonCalculatesOnEveryClick()
    {
        MainWindow w;
        w.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.form));
        CalculateButton* button = w.form.CalculateBtn;
        QCOMPARE(button->picture(), CalculateButton::ButNorm);
        const QPixmap normal = button->grab();
        QTest::mouseMove(button, QPoint(10, 10));
        QTest::mouseMove(button, QPoint(12, 12));
        QCOMPARE(button->picture(), CalculateButton::ButOver);
        QVERIFY(button->grab().toImage() != normal.toImage());
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(button->picture(), CalculateButton::ButDown);
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(button->picture(), CalculateButton::ButOver);
        QCOMPARE(w.form.sheet().rowCount(), 1);
        for (int i = 0; i < 3; ++i)
            QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(w.form.sheet().rowCount(), 4);
        QTest::mouseDClick(button, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(w.form.sheet().rowCount(), 5);
        QTest::mouseClick(button, Qt::RightButton, {}, QPoint(10, 10));
        QCOMPARE(w.form.sheet().rowCount(), 5);
    }
};

OMBREL_TEST_CLASS(MainFormTest)
#include "main_form_test.moc"
