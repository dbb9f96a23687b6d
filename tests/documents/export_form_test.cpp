#include "documents/calc_file_io.h"
#include "documents/export_form.h"
#include "file_bytes.h"
#include "file_size_limit.h"
#include "format_names.h"
#include "progress_canceller.h"
#include "scripted_dialogs.h"
#include "settings/settings_sections.h"
#include "settings/settings_store.h"
#include "test_registry.h"
#include "widgets/radio_group.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace ombrel;
using ombrel::test::ScriptedDialogs;

namespace {

// The worked example's two calculations.
CalcSheet workedExampleSheet()
{
    CalcSheet sheet;
    const RowCells intro{"00:00:10:00", "+", "00:00:05:00", "=", "00:00:15:00", "", "Intro"};
    const RowCells second{"00:01:00:00", "-", "00:00:30:00", "=", "00:00:30:00", "", ""};
    sheet.appendCalculation({intro, intro, intro, intro, intro, RowCells{"300", "+", "150", "=", "450", "", "Intro"}});
    sheet.appendCalculation({second, second, second, second, second, RowCells{"1800", "-", "900", "=", "900", "", ""}});
    return sheet;
}

struct ExportDialog {
    CalcSheet sheet = workedExampleSheet();
    QTemporaryDir settingsDir;
    SettingsStore store{settingsDir.filePath("settings.ini")};
    AppSettings settings = test::WithRates();
    ScriptedDialogs dialogs;
    TExportForm form{sheet, settings, store, dialogs};

    ExportDialog() { form.show(); }
    // What the store holds under "Export/<name>".
    QString stored(const QString& name) const
    {
        return QSettings(settingsDir.filePath("settings.ini"), QSettings::IniFormat)
            .value("Export/" + name, "<absent>")
            .toString();
    }
    void exportTo(const QString& name)
    {
        dialogs.saveNames.push_back(name);
        QTest::mouseClick(form.ExportBtn, Qt::LeftButton);
    }
    // A click on the item's round button.
    void choose(int format)
    {
        QRadioButton* item = form.GridExport->item(format);
        QTest::mouseClick(item, Qt::LeftButton, {}, QPoint(8, item->height() / 2));
    }
};

} // namespace

class ExportFormTest : public QObject {
    Q_OBJECT
private slots:
    // Headings checked with their default texts, descriptions checked.
    void workedExample()
    {
        QTemporaryDir dir;
        ExportDialog dialog;
        QTest::mouseClick(dialog.form.HeadingsChk, Qt::LeftButton);
        dialog.exportTo(dir.filePath("cut.txt"));
        QCOMPARE(test::FileBytes(dir.filePath("cut.txt")),
                 QByteArray("Timecode Data\r\n"
                            "30 fps Non-Drop Frame\r\n"
                            "00:00:10:00 + 00:00:05:00 = 00:00:15:00  Intro \r\n"
                            "00:01:00:00 - 00:00:30:00 = 00:00:30:00   \r\n"));
        const FileDialogRequest request = dialog.dialogs.saveRequests.value(0);
        QCOMPARE(request.filter, QString("Text File (.txt)|*.txt|All Files (*.*)|*.*"));
        QCOMPARE(request.defaultSuffix, QString("txt"));
        QVERIFY(request.confirmOverwrite);
        QVERIFY(!dialog.form.isVisible());
        const ExportSettings stored{0, true, true, "Timecode Data", "30 fps Non-Drop Frame"};
        QCOMPARE(dialog.settings.exporting, stored);
        QCOMPARE(ReadExportSettings(dialog.store), stored);
        QCOMPARE(dialog.stored("UseHead"), QString("1"));
    }

    // The Frames list, no descriptions, no headings; a name typed without
    // an extension gets ".txt".
    void framesWithoutExtension()
    {
        QTemporaryDir dir;
        ExportDialog dialog;
        dialog.choose(5);
        QTest::mouseClick(dialog.form.DescriptionsChk, Qt::LeftButton);
        dialog.exportTo(dir.filePath("frames"));
        QCOMPARE(test::FileBytes(dir.filePath("frames.txt")), QByteArray("300 + 150 = 450 \r\n"
                                                                         "1800 - 900 = 900 \r\n"));
        QCOMPARE(dialog.stored("Radio"), QString("5"));
    }

    void cancelledFileDialogStoresNothing()
    {
        ExportDialog dialog;
        dialog.exportTo(QString());
        QCOMPARE(dialog.dialogs.saveRequests.size(), 1);
        QCOMPARE(dialog.stored("Radio"), QString("<absent>"));
        QVERIFY(!dialog.form.isVisible());
    }

    // The file cannot be written: the user is told and no setting is stored.
    void failedWriteIsReported()
    {
        QTemporaryDir dir;
        ExportDialog dialog;
        dialog.exportTo(dir.filePath("no such folder/cut.txt"));
        QCOMPARE(dialog.dialogs.messages.size(), 1);
        QCOMPARE(dialog.dialogs.messages.first().kind, MessageKind::Error);
        QVERIFY(!dialog.dialogs.messages.first().text.isEmpty());
        QCOMPARE(dialog.stored("Radio"), QString("<absent>"));
        QVERIFY(!QFile::exists(dir.filePath("no such folder/cut.txt")));
    }

    // The progress of a failed export does not come up over its error.
    void failedExportShowsNoProgress()
    {
        QTemporaryDir dir;
        ExportDialog dialog;
        dialog.form.progressDelay = std::chrono::milliseconds(20);
        QStringList shown;
        dialog.dialogs.whileAsking = [&] {
            QTest::qWait(300);
            for (QWidget* window : QApplication::topLevelWidgets())
                if (window->isVisible() && qobject_cast<QProgressDialog*>(window))
                    shown << window->windowTitle();
        };
        dialog.exportTo(dir.filePath("nodir/x.txt"));
        QCOMPARE(dialog.dialogs.messages.size(), 1);
        QCOMPARE(shown, QStringList());
    }

    // A disk that fills up half way: the message is the system's, the file
    // that was there keeps its bytes and nothing is stored.
    void fullDiskKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString old = dir.filePath("cut.txt");
        QVERIFY(test::WriteFileBytes(old, "old bytes"));
        ExportDialog dialog;
        {
            test::FileSizeLimit limit(50);
            dialog.exportTo(old);
        }
        QCOMPARE(dialog.dialogs.messageTexts(), QStringList{"File too large"});
        QCOMPARE(dialog.stored("Radio"), QString("<absent>"));
        QCOMPARE(test::FileBytes(old), QByteArray("old bytes"));
        QCOMPARE(test::FilesIn(dir.path()), QStringList{"cut.txt"});
    }

    // A save stopped by its writer (the export's Cancel) leaves the file
    // that was there, and nothing beside it.
    void stoppedSaveKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString old = dir.filePath("cut.txt");
        QVERIFY(test::WriteFileBytes(old, "old bytes"));
        int pieces = 0;
        const auto error = SaveFileStream(old, [&]() -> std::optional<std::string_view> {
            if (++pieces > 2)
                return std::nullopt;
            return std::string_view("new bytes ");
        });
        QVERIFY(!error);
        QCOMPARE(test::FileBytes(old), QByteArray("old bytes"));
        QCOMPARE(test::FilesIn(dir.path()), QStringList{"cut.txt"});
    }

    // Cancel pressed on the progress bar of a long export: the file that
    // was there keeps its bytes, nothing lies beside it, no setting is
    // stored and nothing is reported.
    void cancelledExportKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString old = dir.filePath("cut.txt");
        QVERIFY(test::WriteFileBytes(old, "old bytes"));
        ExportDialog dialog;
        // Some megabytes of text, written a piece at a time.
        const RowCells row{"00:00:10:00", "+", "00:00:05:00", "=", "00:00:15:00", "", "Intro"};
        for (int r = 0; r < 100'000; ++r)
            dialog.sheet.appendCalculation({row, row, row, row, row, row});
        dialog.form.progressDelay = std::chrono::milliseconds(0);
        const test::ProgressCanceller canceller;
        dialog.exportTo(old);
        QVERIFY(canceller.clicked());
        QCOMPARE(test::FileBytes(old), QByteArray("old bytes"));
        QCOMPARE(test::FilesIn(dir.path()), QStringList{"cut.txt"});
        QCOMPARE(dialog.stored("Radio"), QString("<absent>"));
        QCOMPARE(dialog.settings.exporting, test::WithRates().exporting);
        QCOMPARE(dialog.dialogs.messages.size(), 0);
        QVERIFY(!dialog.form.isVisible());
    }

    void headingEditsFollowTheCheckBox()
    {
        ExportDialog dialog;
        const QList<QWidget*> parts{dialog.form.Label1, dialog.form.Label2, dialog.form.HeadingEdit,
                                    dialog.form.SubheadingEdit};
        for (QWidget* part : parts)
            QVERIFY(!part->isEnabled());
        QTest::mouseClick(dialog.form.HeadingsChk, Qt::LeftButton);
        for (QWidget* part : parts)
            QVERIFY(part->isEnabled());
        // Unchecked, no heading is written whatever the edits hold.
        QTemporaryDir dir;
        QTest::mouseClick(dialog.form.HeadingsChk, Qt::LeftButton);
        dialog.form.HeadingEdit->setText("Reel 3");
        dialog.exportTo(dir.filePath("cut.txt"));
        QVERIFY(test::FileBytes(dir.filePath("cut.txt")).startsWith("00:00:10:00"));
    }

    void subheadingFollowsTheFormat_data() { test::AddFormatNameRows(); }
    void subheadingFollowsTheFormat()
    {
        QFETCH(int, format);
        QFETCH(QString, name);
        ExportDialog dialog;
        dialog.choose(format);
        QCOMPARE(dialog.form.SubheadingEdit->text(), name);
        // Choosing the format already chosen keeps what the user typed.
        dialog.form.SubheadingEdit->setText("Typed");
        dialog.choose(format);
        QCOMPARE(dialog.form.SubheadingEdit->text(), QString("Typed"));
    }

    void settingsShownAndTaken()
    {
        ExportDialog dialog;
        const ExportSettings stored{3, false, true, "Reel 3", "Cut list"};
        dialog.settings.exporting = stored;
        dialog.form.LoadSettings();
        QVERIFY(dialog.form.GridExport->item(3)->isChecked());
        QVERIFY(dialog.form.HeadingEdit->isEnabled());
        QCOMPARE(dialog.form.settings(), stored);
    }
};

OMBREL_TEST_CLASS(ExportFormTest)
#include "export_form_test.moc"
