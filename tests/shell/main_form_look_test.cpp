// What the main window really draws: pixels grabbed from its widgets, not
// properties read back.
#include "list/calc_grid.h"
#include "main_window_fixture.h"
#include "settings/settings_store.h"
#include "shell/calc_main_form.h"
#include "test_registry.h"
#include "widgets/am_edit.h"
#include "widgets/status_panel.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <array>

using namespace ombrel;
using test::MainWindow;

namespace {

QImage grabbed(QWidget* widget)
{
    return widget->grab().toImage();
}

// How many pixels of the picture show this colour's hue, strongly enough
// to tell it from the greys and whites of the default look; a button face
// shades its colour.
int pixelsOf(const QImage& image, const QColor& colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            count += pixel.hsvSaturation() > 96 && std::abs(pixel.hsvHue() - colour.hsvHue()) <= 10;
        }
    return count;
}

} // namespace

class MainFormLookTest : public QObject {
    Q_OBJECT
private slots:
    // Stored grid and font colours reach the lists; the entry fields and
    // the operator list take the active format's grid colour.
    void storedColoursAreDrawn()
    {
        const QColor aqua(0, 255, 255);
        const QColor red(255, 0, 0);
        MainWindow w({.shown = true,
                      .stored = {{"StartWith/Ver110", "1"},
                                 {"Font/NDGridColor", "Aqua"},
                                 {"Font/NDFontColor", "255"},
                                 {"Font/PALGridColor", "Lime"}}});
        w.calculate("01:00:00:00", "+", "00:30:00:00");
        const QImage list = grabbed(w.form.list(TimecodeFormat::NonDrop)->viewport());
        QVERIFY(pixelsOf(list, aqua) > list.width() * list.height() / 2);
        QVERIFY(pixelsOf(list, red) > 20);
        for (QWidget* field : std::initializer_list<QWidget*>{w.form.MaskEdit2, w.form.OperandCombo})
            QVERIFY2(pixelsOf(grabbed(field), aqua) > field->width() * field->height() / 3,
                     qPrintable(field->objectName()));
        w.showTab(TimecodeFormat::PAL);
        QVERIFY(pixelsOf(grabbed(w.form.OperandCombo), QColor(0, 255, 0)) > w.form.OperandCombo->width());
    }

    // The percentage panel grows with its text; a hover text too long for
    // panel 0 is shown whole as its tooltip.
    void statusTextsShowWhole()
    {
        MainWindow w({.shown = true});
        w.calculate("00:00:00:01", "+", "00:00:12:11");
        auto* percent = w.form.findChild<StatusPanel*>("StatusPanel1");
        auto* status = w.form.findChild<StatusPanel*>("StatusPanel0");
        QCOMPARE(percent->text(), QString("37,100.00%"));
        QTRY_VERIFY(percent->width() >= std::max(50, percent->fontMetrics().horizontalAdvance(percent->text())));
        QVERIFY(status->width() >= 225);
        QWidget* list = w.form.list(TimecodeFormat::NonDrop)->viewport();
        QTest::mouseMove(list, QPoint(5, 5));
        QTest::mouseMove(list, QPoint(8, 6));
        QCOMPARE(status->text(), QString("Drag timecode from grid or right click to copy"));
        const bool fits = status->fontMetrics().horizontalAdvance(status->text()) < status->width();
        QCOMPARE(status->toolTip(), fits ? QString() : status->text());
    }

    // The header bar above a list keeps the window's font, whatever font
    // the list is given.
    void headersKeepTheWindowsFont()
    {
        MainWindow w(
            {.shown = true,
             .stored = {{"StartWith/Ver110", "1"}, {"Font/PALFontName", "DejaVu Serif"}, {"Font/PALFontSize", "14"}}});
        for (const TimecodeFormat format : {TimecodeFormat::NonDrop, TimecodeFormat::PAL}) {
            const QTableView* list = w.form.list(format);
            QVERIFY(list->font() != w.form.font());
            QCOMPARE(list->horizontalHeader()->font(), w.form.font());
        }
    }

    // A list ends where its last visible column does: with descriptions
    // hidden no part of their column shows, with them shown all of it.
    void listsEndWithTheirVisibleColumns()
    {
        MainWindow w({.shown = true});
        const auto descriptionsShown = [&w](TimecodeFormat format) {
            const QTableView* list = w.form.list(format);
            const QHeaderView* header = list->horizontalHeader();
            const int start = header->sectionViewportPosition(DescriptionColumn);
            const int end = start + header->sectionSize(DescriptionColumn);
            const int edge = list->viewport()->width();
            return start >= edge ? 0 : end <= edge ? 2 : 1; // none, all, part
        };
        for (int f = 0; f < kFormatCount; ++f)
            QCOMPARE(descriptionsShown(FormatAt(f)), 0);
        w.form.Descriptions1->trigger();
        for (int f = 0; f < kFormatCount; ++f)
            QTRY_COMPARE(descriptionsShown(FormatAt(f)), 2);
    }

    // A list made when its tab is first shown, after rows were added and the
    // stored colours, font and column widths applied, draws exactly as one
    // made at start-up that lived through them.
    void aListFirstShownLateDrawsAsOneMadeAtStart_data()
    {
        QTest::addColumn<int>("rows");
        QTest::newRow("no rows") << 0;
        QTest::newRow("three rows") << 3;
    }
    void aListFirstShownLateDrawsAsOneMadeAtStart()
    {
        QFETCH(int, rows);
        const QMap<QString, QString> stored = {{"StartWith/Ver110", "1"},
                                               {"StartWith/Descriptions", "1"},
                                               {"Font/PALGridColor", "Lime"},
                                               {"Font/PALFontColor", "255"},
                                               {"Font/PALFontName", "DejaVu Serif"},
                                               {"Font/PALFontSize", "14"},
                                               {"Grid/1A", "130"},
                                               {"Grid/3C", "95"}};
        QImage pages[2];
        for (const bool madeAtStart : {true, false}) {
            test::StoredSettings settingsStored(stored);
            test::ScriptedDialogs dialogs;
            SettingsStore store;
            AppSettings settings;
            TCalcMainForm form(dialogs, settings, store);
            if (madeAtStart)
                form.list(TimecodeFormat::PAL);
            form.show();
            form.FormActivate();
            const std::array ins{"01:00:00:00", "00:10:00:00", "00:00:12:05"};
            for (int r = 0; r < rows; ++r) {
                form.MaskEdit1->setText(ins[r]);
                form.MaskEdit2->setText("00:00:01:00");
                form.CalculateBtnClick();
            }
            QCOMPARE(form.TabSheet[2]->findChild<CalcGrid*>() != nullptr, madeAtStart);
            form.PageControl1->setCurrentIndex(FormatIndex(TimecodeFormat::PAL));
            QApplication::processEvents();
            // Compared as the screen shows them, whatever format each grab took.
            pages[madeAtStart] = grabbed(form.TabSheet[2]).convertToFormat(QImage::Format_RGB32);
            const auto* list = form.TabSheet[2]->findChild<CalcGrid*>();
            QVERIFY(list && list->isVisible());
        }
        QCOMPARE(pages[false], pages[true]);
        // The settings did reach it: lime cells, red text.
        QVERIFY(pixelsOf(pages[false], QColor(0, 255, 0)) > pages[false].width() * pages[false].height() / 3);
        QCOMPARE(pixelsOf(pages[false], QColor(255, 0, 0)) > 20, rows > 0);
    }

    // Every operator shows whole in its narrow column: where the cell's
    // edges cut the sign, ink reaches the cell's first or last pixel column.
    void operatorSignsShowWhole_data()
    {
        QTest::addColumn<QString>("op");
        for (const char* op : {"+", "-", "x", "/", "%", "~"})
            QTest::newRow(op) << QString(op);
    }
    void operatorSignsShowWhole()
    {
        QFETCH(QString, op);
        MainWindow w({.shown = true});
        w.form.MaskEdit4->setText("50");
        w.calculate("00:00:10:00", op, "00:00:01:00");
        CalcGrid* list = w.form.list(TimecodeFormat::NonDrop);
        const QModelIndex cell = list->model()->index(0, 1);
        QCOMPARE(cell.data().toString(), op);
        const QImage shown = grabbed(list->viewport());
        const QRect rect = list->visualRect(cell);
        const QColor background = shown.pixelColor(rect.left(), rect.top());
        const QColor text = list->palette().color(QPalette::Text);
        // A pixel the sign covers at least half.
        const auto inked = [&](int x, int y) {
            const QColor pixel = shown.pixelColor(x, y);
            const auto distance = [](const QColor& a, const QColor& b) {
                return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
            };
            return distance(pixel, background) > distance(text, background) / 2;
        };
        int ink = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            for (int x = rect.left(); x <= rect.right(); ++x)
                ink += inked(x, y);
            QVERIFY2(!inked(rect.left(), y) && !inked(rect.right(), y),
                     qPrintable(QString("the sign is cut at the cell's edge, row %1 of the cell").arg(y - rect.top())));
        }
        QVERIFY(ink > 4);
    }

    // Switching frame mode on, off and on again passes the focus through
    // fields as they hide; only the field that keeps it shows a selection.
    void oneHighlightedFieldAtATime()
    {
        MainWindow w({.shown = true});
        for (int i = 0; i < 3; ++i) {
            w.form.FrameMode1->trigger();
            QTest::qWait(20);
            QList<QLineEdit*> highlighted;
            for (QLineEdit* field : w.form.Panel1->findChildren<QLineEdit*>()) {
                // Hidden fields too: they show their selection once shown.
                if (pixelsOf(grabbed(field), field->palette().color(QPalette::Highlight)) > 0)
                    highlighted << field;
            }
            QCOMPARE(highlighted, QList<QLineEdit*>{qobject_cast<QLineEdit*>(QApplication::focusWidget())});
        }
    }
};

OMBREL_TEST_CLASS(MainFormLookTest)
#include "main_form_look_test.moc"
