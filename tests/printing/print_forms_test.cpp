#include "file_bytes.h"
#include "format_names.h"
#include "list/list_model.h"
#include "printing/preview_form.h"
#include "printing/print_form.h"
#include "printing/report_page_view.h"
#include "printing/report_painter.h"
#include "progress_canceller.h"
#include "scripted_dialogs.h"
#include "settings/settings_sections.h"
#include "settings/settings_store.h"
#include "test_registry.h"
#include "widgets/radio_group.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace ombrel;
using ombrel::test::ScriptedDialogs;

namespace {

std::array<RowCells, kFormatCount> calculation(int64_t r, const std::string& description = {})
{
    char in[12];
    std::snprintf(in, sizeof in, "%02d:%02d:%02d:00", int(r / 3600 % 24), int(r / 60 % 60), int(r % 60));
    const RowCells timecode{in, "+", "00:00:05:00", "=", "00:00:15:00", "", description};
    const RowCells frames{std::to_string(r * 30), "+", "150", "=", "450", "", description};
    return {timecode, timecode, timecode, timecode, timecode, frames};
}

// The print dialog and the preview over a list of `rows` calculations
// (at the usual print font a page holds some fifty), printing to a PDF file.
struct PrintWindows {
    SheetModels lists;
    QTemporaryDir dir;
    SettingsStore store{dir.filePath("settings.ini")};
    AppSettings settings = test::WithRates();
    ScriptedDialogs dialogs;
    TPreviewForm preview;
    TGridPrintForm form{lists, settings, store, dialogs, preview};

    explicit PrintWindows(int64_t rows = 2)
    {
        for (int64_t r = 0; r < rows; ++r)
            lists.appendCalculation(calculation(r, r == 0 ? "Intro" : ""));
        form.printer().setOutputFormat(QPrinter::PdfFormat);
        form.printer().setOutputFileName(pdf());
    }
    QString pdf() const { return dir.filePath("report.pdf"); }
    // What the store holds under a key, "<absent>" when nothing.
    QString stored(const QString& key) const
    {
        return QSettings(dir.filePath("settings.ini"), QSettings::IniFormat).value(key, "<absent>").toString();
    }
    void choose(int format)
    {
        QRadioButton* item = form.GridRadio->item(format);
        QTest::mouseClick(item, Qt::LeftButton, {}, QPoint(8, item->height() / 2));
    }
    // First, Previous, Next, Last as "1" for enabled and "0" for not.
    QString pageButtons() const
    {
        QString states;
        for (QToolButton* button : {preview.FirstBtn, preview.PreviousBtn, preview.NextBtn, preview.LastBtn})
            states += button->isEnabled() ? '1' : '0';
        return states;
    }
};

} // namespace

class PrintFormsTest : public QObject {
    Q_OBJECT
private slots:
    void previewCaption_data() { test::AddFormatNameRows(); }
    // The caption names the format, not the subheading typed.
    void previewCaption()
    {
        QFETCH(int, format);
        QFETCH(QString, name);
        PrintWindows windows;
        windows.form.show();
        windows.choose(format);
        windows.form.SubheadingEdit->setText("Typed");
        QTest::mouseClick(windows.form.PreviewBtn, Qt::LeftButton);
        QVERIFY(windows.preview.isVisible());
        QVERIFY(windows.preview.windowState() & Qt::WindowMaximized);
        QCOMPARE(windows.preview.windowTitle(), "Preview  -  " + name + "  -  Page 1 of 1");
        QCOMPARE(windows.pageButtons(), QString("0000"));
        QVERIFY(windows.form.isVisible());
        QCOMPARE(windows.stored("Print/Radio"), QString("<absent>"));
    }

    // The main window's Print Preview on the PAL tab.
    void previewOfATab()
    {
        PrintWindows windows;
        windows.form.SubheadingEdit->setText("Typed");
        windows.form.PreviewFormat(TimecodeFormat::PAL);
        QVERIFY(windows.form.GridRadio->item(2)->isChecked());
        QCOMPARE(windows.form.SubheadingEdit->text(), QString("25 fps PAL"));
        QVERIFY(!windows.form.isVisible());
        QCOMPARE(windows.preview.windowTitle(), QString("Preview  -  25 fps PAL  -  Page 1 of 1"));
        // The format already chosen keeps what the user typed.
        windows.form.SubheadingEdit->setText("Typed");
        windows.form.PreviewFormat(TimecodeFormat::PAL);
        QCOMPARE(windows.form.SubheadingEdit->text(), QString("Typed"));
        QCOMPARE(windows.stored("Print/Radio"), QString("<absent>"));
    }

    // Three pages: each step gives the page shown and First, Previous,
    // Next, Last enabled (1) or not (0).
    void navigation_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("states");
        QTest::newRow("next, next, previous")
            << QStringList{"next", "next", "previous"} << QStringList{"2 1111", "3 1100", "2 1111"};
        QTest::newRow("last, first") << QStringList{"last", "first"} << QStringList{"3 1100", "1 0011"};
        QTest::newRow("previous to the first") << QStringList{"next", "previous"} << QStringList{"2 1111", "1 0011"};
    }
    void navigation()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, states);
        PrintWindows windows(120);
        windows.form.PreviewFormat(TimecodeFormat::NonDrop);
        windows.preview.finishLayout();
        QCOMPARE(windows.preview.QRPreview->pageCount(), 3);
        QCOMPARE(windows.pageButtons(), QString("0011"));
        QVERIFY(windows.preview.windowTitle().endsWith("  -  Page 1 of 3"));
        const QMap<QString, QToolButton*> buttons{{"first", windows.preview.FirstBtn},
                                                  {"previous", windows.preview.PreviousBtn},
                                                  {"next", windows.preview.NextBtn},
                                                  {"last", windows.preview.LastBtn}};
        for (int i = 0; i < steps.size(); ++i) {
            QTest::mouseClick(buttons[steps[i]], Qt::LeftButton);
            const QString page = states[i].section(' ', 0, 0);
            QCOMPARE(windows.preview.QRPreview->currentPage(), page.toLongLong());
            QCOMPARE(windows.pageButtons(), states[i].section(' ', 1));
            QVERIFY(windows.preview.windowTitle().endsWith("  -  Page " + page + " of 3"));
        }
    }

    // Pages laid out while the user reads leave the page shown as it is.
    void newPagesKeepThePageShown()
    {
        PrintWindows windows(3000);
        windows.form.PreviewFormat(TimecodeFormat::NonDrop);
        const int64_t early = windows.preview.QRPreview->pageCount();
        QVERIFY(early < 10);
        QTest::mouseClick(windows.preview.NextBtn, Qt::LeftButton);
        QVERIFY(windows.preview.LayoutProgress->isVisible());
        windows.preview.finishLayout();
        QVERIFY(!windows.preview.LayoutProgress->isVisible());
        const int64_t pages = windows.preview.QRPreview->pageCount();
        QVERIFY(pages > 50);
        QCOMPARE(windows.preview.QRPreview->currentPage(), 2);
        QCOMPARE(windows.pageButtons(), QString("1111"));
        QVERIFY(windows.preview.windowTitle().endsWith(QString("  -  Page 2 of %1").arg(pages)));
    }

    // Cancel beside the layout's progress bar stops the layout; the pages
    // laid out so far stay, and the buttons and caption count only those.
    void layoutCancelled()
    {
        PrintWindows windows(3000);
        windows.form.PreviewFormat(TimecodeFormat::NonDrop);
        QVERIFY(windows.preview.LayoutProgress->isVisible());
        QTest::mouseClick(windows.preview.LayoutCancelBtn, Qt::LeftButton);
        QVERIFY(!windows.preview.LayoutProgress->isVisible());
        QVERIFY(!windows.preview.LayoutCancelBtn->isVisible());
        const int64_t pages = windows.preview.QRPreview->pageCount();
        QVERIFY(pages >= 2 && pages < 50);
        QTest::qWait(50);
        QCOMPARE(windows.preview.QRPreview->pageCount(), pages);
        QTest::mouseClick(windows.preview.LastBtn, Qt::LeftButton);
        QCOMPARE(windows.preview.QRPreview->currentPage(), pages);
        QCOMPARE(windows.pageButtons(), QString("1100"));
        QVERIFY(windows.preview.windowTitle().endsWith(QString("  -  Page %1 of %1").arg(pages)));
    }

    void zoomButtons()
    {
        PrintWindows windows;
        windows.form.PreviewFormat(TimecodeFormat::NonDrop);
        QVERIFY(windows.preview.ZoomToPgBtn->isChecked());
        QTest::mouseClick(windows.preview.ZoomToFitBtn, Qt::LeftButton);
        QVERIFY(windows.preview.ZoomToFitBtn->isChecked());
        QVERIFY(!windows.preview.ZoomToPgBtn->isChecked());
        QCOMPARE(windows.preview.QRPreview->zoom(), ReportPageView::Zoom::WholePage);
        QTest::mouseClick(windows.preview.ZoomTo100Btn, Qt::LeftButton);
        QVERIFY(!windows.preview.ZoomToFitBtn->isChecked());
        QCOMPARE(windows.preview.QRPreview->zoom(), ReportPageView::Zoom::Percent100);
        // Kept for the next preview.
        windows.preview.CloseBtnClick();
        windows.form.PreviewFormat(TimecodeFormat::PAL);
        QVERIFY(windows.preview.ZoomTo100Btn->isChecked());
        QCOMPARE(windows.preview.QRPreview->zoom(), ReportPageView::Zoom::Percent100);
    }

    void keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("prints");
        QTest::newRow("Escape") << int(Qt::Key_Escape) << 0 << false;
        QTest::newRow("Enter") << int(Qt::Key_Return) << 0 << false;
        QTest::newRow("Ctrl+X") << int(Qt::Key_X) << int(Qt::ControlModifier) << false;
        QTest::newRow("p") << int(Qt::Key_P) << 0 << true;
        QTest::newRow("P") << int(Qt::Key_P) << int(Qt::ShiftModifier) << true;
        QTest::newRow("Ctrl+P") << int(Qt::Key_P) << int(Qt::ControlModifier) << true;
    }
    void keys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, prints);
        PrintWindows windows;
        windows.form.PreviewFormat(TimecodeFormat::NonDrop);
        QVERIFY(QTest::qWaitForWindowExposed(&windows.preview));
        QTest::keyClick(windows.preview.QRPreview, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QVERIFY(!windows.preview.isVisible());
        QCOMPARE(QFile::exists(windows.pdf()), prints);
        QCOMPARE(windows.stored("Print/Radio"), prints ? QString("0") : QString("<absent>"));
    }

    // Printing from the main window while a preview is on screen hides it
    // and lets go of its pages; all seven settings are stored.
    void printHidesThePreview()
    {
        PrintWindows windows(120);
        windows.form.PreviewFormat(TimecodeFormat::NonDrop);
        QVERIFY(windows.preview.isVisible());
        windows.form.PrintBtnClick();
        QVERIFY(!windows.preview.isVisible());
        QVERIFY(!windows.preview.QRPreview->report());
        QCOMPARE(test::PdfPages(windows.pdf()), 3);
        QCOMPARE(ReadPrintSettings(windows.store), windows.form.settings());
        QCOMPARE(windows.settings.print, windows.form.settings());
    }

    void printFromTheDialog()
    {
        PrintWindows windows(120);
        windows.form.show();
        windows.choose(5);
        QTest::mouseClick(windows.form.PageChk, Qt::LeftButton);
        QTest::mouseClick(windows.form.PrintBtn, Qt::LeftButton);
        QVERIFY(!windows.form.isVisible());
        QCOMPARE(test::PdfPages(windows.pdf()), 3);
        QCOMPARE(ReadPrintSettings(windows.store),
                 (PrintSettings{5, false, true, true, true, "Timecode Data", "Frames - 29.97fps"}));
        QCOMPARE(windows.stored("Print/Page"), QString("0"));
    }

    // Cancel pressed on the progress bar of a long print: the file that
    // was there keeps its bytes and nothing is reported.
    void cancelledPrintKeepsTheOldFile()
    {
        PrintWindows windows(1000);
        QVERIFY(test::WriteFileBytes(windows.pdf(), "the old file"));
        windows.form.progressDelay = std::chrono::milliseconds(0);
        windows.form.show();
        const test::ProgressCanceller canceller;
        QTest::mouseClick(windows.form.PrintBtn, Qt::LeftButton);
        QVERIFY(canceller.clicked());
        QCOMPARE(test::FileBytes(windows.pdf()), QByteArray("the old file"));
        QVERIFY(windows.dialogs.messages.isEmpty());
        QVERIFY(!windows.form.isVisible());
    }

    // With nowhere to print to, Print asks for the printer first; Cancel
    // there returns to the Print dialog unchanged, with nothing stored.
    void printWithoutAPrinterAsksForOne()
    {
        PrintWindows windows;
        windows.form.printer().setOutputFileName(QString());
        windows.form.show();
        QTest::mouseClick(windows.form.PageChk, Qt::LeftButton);
        windows.dialogs.printerSetups.push_back(false);
        QTest::mouseClick(windows.form.PrintBtn, Qt::LeftButton);
        QVERIFY(windows.dialogs.printerSetups.empty());
        QVERIFY(windows.dialogs.messages.isEmpty());
        QVERIFY(windows.form.isVisible());
        QVERIFY(!windows.form.PageChk->isChecked());
        QCOMPARE(windows.stored("Print/Page"), QString("<absent>"));
    }

    // The setup offers the pages of the report on preview, else any.
    void setupOffersThePages()
    {
        PrintWindows windows(120);
        windows.form.SetupBtnClick();
        windows.form.PreviewFormat(TimecodeFormat::NonDrop);
        windows.preview.finishLayout();
        windows.preview.PrinterSetupBtnClick();
        QCOMPARE(windows.dialogs.printerSetupRanges, (QList<std::pair<int, int>>{{0, 9999}, {1, 3}}));
    }

    // A paper chosen in the preview's printer setup shows at once.
    void setupFromThePreviewTurnsThePages()
    {
        PrintWindows windows(120);
        windows.form.PreviewFormat(TimecodeFormat::NonDrop);
        QVERIFY(windows.preview.QRPreview->report()->paperSize().height() >
                windows.preview.QRPreview->report()->paperSize().width());
        windows.form.printer().setPageOrientation(QPageLayout::Landscape);
        windows.dialogs.printerSetups.push_back(true);
        QTest::mouseClick(windows.preview.PrinterSetupBtn, Qt::LeftButton);
        QVERIFY(windows.preview.isVisible());
        QVERIFY(windows.preview.QRPreview->report()->paperSize().width() >
                windows.preview.QRPreview->report()->paperSize().height());
    }

    void fontButton_data()
    {
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("confirmed") << true;
        QTest::newRow("cancelled") << false;
    }
    // Confirmed or not, the print font is stored.
    void fontButton()
    {
        QFETCH(bool, confirmed);
        PrintWindows windows;
        QFont chosen("DejaVu Serif");
        chosen.setPointSize(14);
        chosen.setItalic(true);
        if (confirmed)
            windows.dialogs.fonts.push_back(FontChoice{chosen, QColor(0, 0, 128)});
        windows.form.show();
        QTest::mouseClick(windows.form.FontBtn, Qt::LeftButton);
        const StoredFont expected =
            confirmed ? StoredFont{"DejaVu Serif", 0x800000, 14, {.italic = true}} : kDefaultPrintFont;
        QCOMPARE(ReadFont(windows.store, "Print", StoredFont{}), expected);
        QCOMPARE(windows.stored("Font/PrintFontStyle"), confirmed ? QString("2") : QString("1"));
        QCOMPARE(windows.settings.printFont, expected);
    }

    // A calculation added while the preview shows its list shows in it.
    void listChangesReachThePreview()
    {
        PrintWindows windows;
        windows.form.PreviewFormat(TimecodeFormat::NonDrop);
        QCOMPARE(windows.preview.QRPreview->report()->rowCount(), 2);
        windows.lists.appendCalculation(calculation(2));
        QCOMPARE(windows.preview.QRPreview->report()->rowCount(), 3);
        windows.lists.clear();
        QCOMPARE(windows.preview.QRPreview->report()->rowCount(), 0);
        QCOMPARE(windows.preview.QRPreview->pageCount(), 1);
    }
};

OMBREL_TEST_CLASS(PrintFormsTest)
#include "print_forms_test.moc"
