#include "list/calc_grid.h"
#include "main_window_fixture.h"
#include "shell/about_box.h"
#include "shell/calc_main_form.h"
#include "shell/function_key_bar.h"
#include "shell/help_window.h"
#include "test_registry.h"
#include "widgets/calc_button.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace ombrel;
using test::MainWindow;

namespace {

// Whether a tool-tip request reaches the control (true) or is swallowed.
bool showsPopUpHint(QWidget* widget)
{
    QHelpEvent event(QEvent::ToolTip, QPoint(2, 2), widget->mapToGlobal(QPoint(2, 2)));
    return !widget->parentWidget()->window()->eventFilter(widget, &event);
}

void hover(QWidget* widget)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), widget->mapToGlobal(QPointF(3, 3)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

} // namespace

class MainFormShellTest : public QObject {
    Q_OBJECT
private slots:
    void theMenus_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<bool>("needsRows");
        const auto row = [](const char* menu, const char* item, const char* caption, const char* shortcut,
                            bool needsRows) {
            QTest::newRow(item) << menu << item << caption << shortcut << needsRows;
        };
        row("&File", "New1", "&New", "Ctrl+N", true);
        row("&File", "Open1", "&Open...", "Ctrl+O", false);
        row("&File", "Save1", "&Save..", "Ctrl+S", true);
        row("&File", "Export1", "&Export...", "Ctrl+E", true);
        row("&File", "Print1", "&Print...", "Ctrl+P", true);
        row("&File", "PrintPreview1", "Print Pre&view", "", true);
        row("&File", "PrintSetup1", "P&rinter Setup...", "", false);
        row("&File", "Preferences1", "Pre&ferences...", "", false);
        row("&File", "MiniCalc1", "&Mini Calc", "Ctrl+M", false);
        row("&File", "Exit1", "E&xit", "Ctrl+Q", false);
        row("&Edit", "Copy1", "&Copy", "Ctrl+C", false);
        row("&Edit", "Paste1", "&Paste", "Ctrl+V", false);
        row("&Edit", "Clear1", "C&lear", "Ctrl+X", false);
        row("&Edit", "CopyDuration1", "Copy &Duration", "Ctrl+B", false);
        row("&Edit", "Sort1", "Sor&t...", "Ctrl+T", true);
        row("&Edit", "Find1", "&Find...", "Ctrl+F", true);
        row("&Edit", "ValidityCheck", "&Range Checking", "Ctrl+R", false);
        row("&View", "Descriptions1", "&Descriptions", "Ctrl+D", false);
        row("&View", "Percentages1", "&Percentages", "", false);
        row("&View", "FrameMode1", "Fr&ame Mode", "Ctrl+Z", false);
        row("&Help", "Contents1", "&Contents", "", false);
        row("&Help", "Index1", "&Index", "", false);
        row("&Help", "Balloon1", "Show Balloon Help", "", false);
        row("&Help", "About1", "&About...", "", false);
    }
    void theMenus()
    {
        QFETCH(QString, menu);
        QFETCH(QString, item);
        QFETCH(QString, caption);
        QFETCH(QString, shortcut);
        QFETCH(bool, needsRows);
        MainWindow w;
        QAction* action = w.form.findChild<QAction*>(item);
        QVERIFY(action);
        QMenu* owner = nullptr;
        for (QAction* top : w.form.MainMenu1->actions())
            if (top->menu() && top->menu()->actions().contains(action))
                owner = top->menu();
        QVERIFY(owner);
        QCOMPARE(owner->title(), menu);
        QCOMPARE(action->text(), caption);
        QCOMPARE(action->shortcut(), QKeySequence(shortcut));
        QCOMPARE(action->isEnabled(), !needsRows);
        w.calculate("00:00:01:00", "+", "00:00:01:00");
        QVERIFY(action->isEnabled());
    }

    void theToolBar_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QString>("hoverText");
        QTest::addColumn<bool>("needsRows");
        QTest::newRow("New") << "NewBtn"
                             << "New"
                             << "Erase all timecode values from grids" << true;
        QTest::newRow("Open") << "OpenBtn"
                              << "Open"
                              << "Open Ombrel file" << false;
        QTest::newRow("Save") << "SaveBtn"
                              << "Save"
                              << "Save Ombrel file" << true;
        QTest::newRow("Export") << "ExportBtn"
                                << "Export"
                                << "Export individual formats" << true;
        QTest::newRow("Print") << "PrintBtn"
                               << "Print"
                               << "Print timecode" << true;
        QTest::newRow("Clear") << "ClearBtn"
                               << "Clear"
                               << "Clear edit boxes" << false;
        QTest::newRow("Copy") << "CopyBtn"
                              << "Copy"
                              << "Copy selection to clipboard" << false;
        QTest::newRow("Paste") << "PasteBtn"
                               << "Paste"
                               << "Paste from clipboard" << false;
        QTest::newRow("Find") << "FindBtn"
                              << "Find"
                              << "Find timecode or description" << true;
        QTest::newRow("Sort") << "SortBtn"
                              << "Sort"
                              << "Toggle to sort entries, then click header" << true;
        QTest::newRow("Mini") << "MiniBtn"
                              << "Mini Calculator"
                              << "Activate mini calculator" << false;
        QTest::newRow("Exit") << "ExitBtn"
                              << "Exit"
                              << "Exit" << false;
    }
    void theToolBar()
    {
        QFETCH(QString, button);
        QFETCH(QString, hint);
        QFETCH(QString, hoverText);
        QFETCH(bool, needsRows);
        MainWindow w;
        w.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.form));
        auto* b = w.form.findChild<QToolButton*>(button);
        QVERIFY(b);
        QCOMPARE(b->toolTip(), hint);
        QCOMPARE(b->size(), QSize(25, 25));
        QVERIFY(!b->icon().isNull());
        QCOMPARE(b->isEnabled(), !needsRows);
        // Hovering shows the status text and puts the Calculate picture back.
        hover(w.form.CalculateBtn);
        QCOMPARE(w.form.CalculateBtn->picture(), CalculateButton::ButOver);
        hover(b);
        QCOMPARE(w.form.statusText(0), hoverText);
        QCOMPARE(w.form.CalculateBtn->picture(), CalculateButton::ButNorm);
        w.calculate("00:00:01:00", "+", "00:00:01:00");
        QVERIFY(b->isEnabled());
    }

    void hoverTexts_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("text");
        QTest::newRow("percent") << "MaskEdit4"
                                 << "Enter percent value";
        QTest::newRow("frame in") << "FrameIn"
                                  << "Enter frame value";
        QTest::newRow("edit") << "EditBtn"
                              << "Toggle to edit descriptions";
        QTest::newRow("trash") << "TrashClose"
                               << "Drag item from grid to delete item's row";
        QTest::newRow("header") << "HeaderControl3"
                                << "Slide bars to resize columns";
        QTest::newRow("program function key") << "ProgF"
                                              << "Program Function Key or Shift + Function Key";
    }
    void hoverTexts()
    {
        QFETCH(QString, control);
        QFETCH(QString, text);
        MainWindow w;
        // A list made after start-up has its hover texts too.
        w.lists();
        auto* widget = w.form.findChild<QWidget*>(control);
        QVERIFY(widget);
        hover(widget);
        QCOMPARE(w.form.statusText(0), text);
    }

    void theBalloonSwitchSilencesOnlyTheWindowsHints()
    {
        MainWindow w;
        QVERIFY(showsPopUpHint(w.form.NewBtn));
        w.form.Balloon1->trigger();
        QCOMPARE(test::StoredSettings::value("StartWith/Balloon"), QString("0"));
        QVERIFY(!showsPopUpHint(w.form.NewBtn));
        QVERIFY(!showsPopUpHint(w.form.EditBtn));
        QVERIFY(!showsPopUpHint(w.header(TimecodeFormat::NonDrop)));
        QVERIFY(showsPopUpHint(w.form.TrashClose));
        QVERIFY(!showsPopUpHint(w.form.ToolBar2->ProgF));
        QVERIFY(showsPopUpHint(w.form.MaskEdit3));
        QVERIFY(showsPopUpHint(w.form.ToolBar2->FBtn[0]));
        // The status texts do not depend on it.
        hover(w.form.NewBtn);
        QCOMPARE(w.form.statusText(0), QString("Erase all timecode values from grids"));
        w.form.Balloon1->trigger();
        QVERIFY(showsPopUpHint(w.form.NewBtn));
    }

    // Start-up builds the main window alone; the others wait for their command.
    void startUpLeavesTheOtherWindowsUnmade()
    {
        MainWindow w({.shown = true});
        QStringList made;
        for (const QWidget* child : w.form.findChildren<QWidget*>())
            made << child->metaObject()->className();
        for (const char* window :
             {"ombrel::TPreferences", "ombrel::TAboutBox", "ombrel::TCalcMini", "ombrel::TGridPrintForm",
              "ombrel::TPreviewForm", "ombrel::TExportForm", "ombrel::THelpForm", "ombrel::TFindForm"})
            QVERIFY2(!made.contains(window), window);
        // Of the six lists, only the shown tab's.
        QCOMPARE(made.count("ombrel::CalcGrid"), 1);
        QVERIFY(w.form.TabSheet[0]->findChild<CalcGrid*>());
    }

    void helpOpensOnTheRequestedTab()
    {
        MainWindow w;
        auto* tabs = w.form.helpForm().findChild<QTabWidget*>("HelpTabs");
        QVERIFY(tabs);
        w.form.Index1->trigger();
        QVERIFY(w.form.helpForm().isVisible());
        QCOMPARE(tabs->currentIndex(), 1);
        w.form.Contents1->trigger();
        QCOMPARE(tabs->currentIndex(), 0);
        w.form.helpForm().close();
    }

    void theAboutBoxShowsTheVersionAndClosesOnAKey()
    {
        MainWindow w;
        QString shownVersion;
        QTimer::singleShot(0, [&] {
            shownVersion = w.form.aboutBox().findChild<QWidget*>("Version")->property("text").toString();
            QTest::keyClick(&w.form.aboutBox(), Qt::Key_A);
        });
        w.form.About1->trigger();
        QCOMPARE(shownVersion, QString("Version 1.65"));
        QVERIFY(!w.form.aboutBox().isVisible());
    }
};

OMBREL_TEST_CLASS(MainFormShellTest)
#include "main_form_shell_test.moc"
