#include "documents/export_form.h"
#include "main_window_fixture.h"
#include "printing/preview_form.h"
#include "printing/print_form.h"
#include "printing/report_page_view.h"
#include "printing/report_painter.h"
#include "test_registry.h"
#include "widgets/radio_group.h"

#include <QAction>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

using namespace ombrel;
using test::MainWindow;

namespace {

// Runs `answer` on the modal dialog the next command opens, once it is up.
void whenModal(std::function<void(QWidget*)> answer)
{
    QTimer::singleShot(0, [answer = std::move(answer)] {
        QWidget* dialog = QApplication::activeModalWidget();
        QVERIFY(dialog);
        answer(dialog);
    });
}

} // namespace

class MainFormPrintingTest : public QObject {
    Q_OBJECT
private slots:
    // The entry field has the focus, yet Ctrl+E is Export's, not the
    // field's move to the end.
    void ctrlEOpensTheExport()
    {
        MainWindow w({.shown = true});
        w.calculate("00:00:10:00", "+", "00:00:05:00");
        QString opened;
        whenModal([&](QWidget* dialog) {
            opened = dialog->objectName();
            static_cast<QDialog*>(dialog)->reject();
        });
        QTest::keyClick(w.form.MaskEdit1, Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(opened, QString("ExportForm"));
    }

    // The print and export dialogs show what was stored.
    void dialogsShowTheStoredSettings()
    {
        MainWindow w(
            {.stored = {
                 {"Print/Heading", "Reel 3"}, {"Print/Radio", "3"}, {"Export/Radio", "4"}, {"Export/UseHead", "1"}}});
        QCOMPARE(w.form.gridPrintForm().HeadingEdit->text(), QString("Reel 3"));
        QVERIFY(w.form.gridPrintForm().GridRadio->item(3)->isChecked());
        QVERIFY(w.form.exportForm().GridExport->item(4)->isChecked());
        QVERIFY(w.form.exportForm().HeadingEdit->isEnabled());
    }

    void storedFormatOutOfRange_data()
    {
        QTest::addColumn<QString>("radio");
        QTest::newRow("before the first") << "-1";
        QTest::newRow("after the last") << "9";
    }
    // A format stored outside the six loads as the first: both dialogs
    // show it, and the dialog's preview shows its list under its name.
    void storedFormatOutOfRange()
    {
        QFETCH(QString, radio);
        MainWindow w({.shown = true, .stored = {{"Print/Radio", radio}, {"Export/Radio", radio}}});
        w.calculate("00:00:10:00", "+", "00:00:05:00");
        QVERIFY(w.form.gridPrintForm().GridRadio->item(0)->isChecked());
        QVERIFY(w.form.exportForm().GridExport->item(0)->isChecked());
        w.form.gridPrintForm().PreviewBtnClick();
        QCOMPARE(w.form.previewForm().windowTitle(), QString("Preview  -  30 fps Non-Drop Frame  -  Page 1 of 1"));
        QCOMPARE(w.form.previewForm().QRPreview->report()->rowCount(), 1);
        w.form.previewForm().CloseBtnClick();
    }

    // Print Preview on the PAL tab previews the PAL list, the dialog not shown.
    void previewOfTheActiveTab()
    {
        MainWindow w({.shown = true});
        w.calculate("00:00:10:00", "+", "00:00:05:00");
        w.showTab(TimecodeFormat::PAL);
        w.form.PrintPreview1->trigger();
        QVERIFY(w.form.previewForm().isVisible());
        QVERIFY(!w.form.gridPrintForm().isVisible());
        QCOMPARE(w.form.previewForm().windowTitle(), QString("Preview  -  25 fps PAL  -  Page 1 of 1"));
        QCOMPARE(w.form.gridPrintForm().SubheadingEdit->text(), QString("25 fps PAL"));
        w.form.previewForm().CloseBtnClick();
    }

    // Printer Setup needs no calculation; with no report on preview it
    // offers any page range.
    void printerSetupWithoutCalculations()
    {
        MainWindow w;
        QVERIFY(w.form.PrintSetup1->isEnabled());
        QVERIFY(!w.form.Print1->isEnabled());
        w.form.PrintSetup1->trigger();
        QCOMPARE(w.dialogs.printerSetupRanges, (QList<std::pair<int, int>>{{0, 9999}}));
    }

    // Printing from the main window while the preview is on screen hides
    // the preview first.
    void printHidesThePreview()
    {
        QTemporaryDir dir;
        MainWindow w({.shown = true});
        w.calculate("00:00:10:00", "+", "00:00:05:00");
        w.form.PrintPreview1->trigger();
        QVERIFY(w.form.previewForm().isVisible());
        QPrinter& printer = w.form.gridPrintForm().printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("report.pdf"));
        whenModal([](QWidget* dialog) { static_cast<TGridPrintForm*>(dialog)->PrintBtn->click(); });
        w.form.Print1->trigger();
        QVERIFY(!w.form.previewForm().isVisible());
        QVERIFY(!w.form.previewForm().QRPreview->report());
        QVERIFY(QFile(dir.filePath("report.pdf")).size() > 0);
        QCOMPARE(test::StoredSettings::value("Print/Subheading"), QString("30 fps Non-Drop Frame"));
    }
};

OMBREL_TEST_CLASS(MainFormPrintingTest)
#include "main_form_printing_test.moc"
