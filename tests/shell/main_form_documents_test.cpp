#include "documents/calc_file.h"
#include "file_size_limit.h"
#include "main_window_fixture.h"
#include "shell/calc_main_form.h"
#include "test_registry.h"
#include "widgets/user_dialogs.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QProcess>
#include <QProgressBar>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <array>
#include <sys/stat.h>

using namespace ombrel;
using test::MainWindow;

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The file of one calculation 00:00:01:00 + 00:00:01:00 at a user rate of 15.
void open(test::MainWindow& w, const QString& path)
{
    w.dialogs.openNames.push_back(path);
    w.form.Open1Click();
}

QByteArray oneCalculationFile()
{
    QByteArray file = "OmbrelSheet\r\n1\r\n";
    const char* titles[] = {"NonDropFrame Timecode", "DropFrame Timecode", "PAL Timecode", "Film Timecode",
                            "User (15fps) Timecode"};
    for (const char* title : titles) {
        const bool drop = QByteArray(title).startsWith("Drop");
        QByteArray row = "00:00:01:00 + 00:00:01:00 = 00:00:02:00   \r\n";
        if (drop)
            row.replace(':', ';');
        file += QByteArray(title) + "\r\n" + row + "\r\n";
    }
    file += "Frames (30fps)\r\n30 + 30 = 60   \r\n\r\n";
    return file;
}

// Two events of a cut, the second a dissolve to a clip with a blank in its name.
const QByteArray kCutList = "TITLE: cut\r\nFCM: NON-DROP FRAME\r\n"
                            "001  AX V C        01:00:00:00 01:00:01:00 00:00:10:00 00:00:11:00\r\n"
                            "* FROM CLIP NAME:  shot one\r\n"
                            "002  AX V D    010 02:00:00:00 02:00:00:10 00:00:11:00 00:00:11:10\r\n"
                            "* TO CLIP NAME:  shot two\r\n";

QStringList enabledListCommands(const TCalcMainForm& form)
{
    QStringList enabled;
    for (QAction* item : {form.Save1, form.Export1, form.New1, form.Print1, form.Sort1, form.Find1})
        if (item->isEnabled())
            enabled << item->objectName();
    return enabled;
}

} // namespace

class MainFormDocumentsTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    void saveWritesTheWholeWork()
    {
        MainWindow w;
        w.calculate("00:00:01:00", "+", "00:00:01:00");
        w.dialogs.saveNames.push_back(dir_->filePath("work"));
        QVERIFY(w.form.Save1Click());
        QCOMPARE(readAll(dir_->filePath("work.obr")), oneCalculationFile());
        QVERIFY(!w.form.models().workModified());
        const FileDialogRequest& asked = w.dialogs.saveRequests.first();
        QCOMPARE(asked.filter, QString("Ombrel File (*.obr)|*.obr|Text File (.txt)|*.txt|All Files (*.*)|*.*"));
        QCOMPARE(asked.defaultSuffix, QString("obr"));
        // The window asks itself before replacing a file (see below).
        QVERIFY(!asked.confirmOverwrite);
        // The dialog offers the last name next time; a cancelled one saves nothing.
        w.calculate("00:00:01:00", "+", "00:00:01:00");
        QVERIFY(!w.form.Save1Click());
        QCOMPARE(w.dialogs.saveRequests.last().fileName, dir_->filePath("work.obr"));
        QVERIFY(w.form.models().workModified());
    }

    void aFailedSaveIsReportedAndKeepsTheWork()
    {
        MainWindow w;
        w.calculate("00:00:01:00", "+", "00:00:01:00");
        w.dialogs.saveNames.push_back(dir_->filePath("gone/work.obr"));
        QVERIFY(!w.form.Save1Click());
        QCOMPARE(w.dialogs.messages.size(), 1);
        QCOMPARE(w.dialogs.messages.first().kind, MessageKind::Error);
        QVERIFY(!w.dialogs.messages.first().text.isEmpty());
        QVERIFY(w.form.models().workModified());
        // Closing then asks again, and a failed save from the question keeps the window open.
        w.form.show();
        w.dialogs.answers.push_back(Answer::Yes);
        w.dialogs.saveNames.push_back(dir_->filePath("gone/work.obr"));
        QVERIFY(!w.form.close());
    }

    void openReadsTheWholeWork()
    {
        writeFile(dir_->filePath("one.obr"), oneCalculationFile());
        MainWindow w;
        w.dialogs.openNames.push_back(dir_->filePath("one.obr"));
        w.form.Open1Click();
        QCOMPARE(w.dialogs.openRequests.first().title, QString("Open Ombrel File"));
        QCOMPARE(w.dialogs.openRequests.first().filter,
                 QString("Ombrel Files (*.obr)|*.obr|Edit decision lists (*.edl)|*.edl|Text File (*.txt)|*.txt|All "
                         "Files (*.*)|*.*"));
        QCOMPARE(w.dialogs.openRequests.first().fileName, QString());
        QCOMPARE(w.form.sheet().rowCount(), 1);
        QCOMPARE(w.form.statusText(0), QString("Total Calculations: 1"));
        QVERIFY(!w.form.models().workModified());
        QCOMPARE(w.cell(TimecodeFormat::DropFrm, 0, ResultColumn), QString("00;00;02;00"));
        QCOMPARE(w.cell(TimecodeFormat::Frames, 0, InColumn), QString("30"));
        QCOMPARE(enabledListCommands(w.form).size(), 6);
        QVERIFY(w.form.EditBtn->isEnabled());
        // The entry fields are left as they were.
        QCOMPARE(w.form.MaskEdit3->text(), QString("00:00:00:00"));
        // Saved again, the file comes back byte for byte.
        w.dialogs.saveNames.push_back(dir_->filePath("again.obr"));
        QVERIFY(w.form.Save1Click());
        QCOMPARE(readAll(dir_->filePath("again.obr")), oneCalculationFile());
    }

    // Escape stops a long open or save at once, and nothing changes: not the
    // work, not the file on disk.
    void aStoppedOpenOrSaveChangesNothing()
    {
        CalcSheet big;
        for (int r = 0; r < 200000; ++r)
            big.appendCalculation(std::array<RowView, kFormatCount>{});
        const QString bigFile = dir_->filePath("big.obr");
        writeFile(bigFile, QByteArray::fromStdString(WriteCalcFile(big, 30, 30.0)));
        MainWindow w;
        w.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.form));
        w.calculate("00:00:01:00", "+", "00:00:01:00");
        auto pressEscapeSoon = [&] {
            QTimer::singleShot(0, &w.form, [&] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); });
        };

        w.dialogs.answers.push_back(Answer::No);
        w.dialogs.openNames.push_back(bigFile);
        pressEscapeSoon();
        w.form.Open1Click();
        QCOMPARE(w.form.sheet().rowCount(), 1);
        QVERIFY(w.form.models().workModified());
        QCOMPARE(w.dialogs.messages.size(), 1); // the save question only
        QVERIFY(!w.form.ProgressBar1->isVisible());

        w.dialogs.answers.push_back(Answer::No);
        w.dialogs.openNames.push_back(bigFile);
        w.form.Open1Click();
        QCOMPARE(w.form.sheet().rowCount(), 200000);
        const QString saved = dir_->filePath("saved.obr");
        writeFile(saved, "old");
        w.dialogs.saveNames.push_back(saved);
        w.dialogs.answers.push_back(Answer::Yes); // replace it
        pressEscapeSoon();
        QVERIFY(!w.form.Save1Click());
        QCOMPARE(readAll(saved), QByteArray("old"));
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files).size(), 2);
        QCOMPARE(w.dialogs.messages.size(), 3);
    }

    // An edit decision list opens as new work: a row per event, unsaved,
    // saved under a name of its own and never over the list.
    void anEditDecisionListOpensAsUnsavedWork()
    {
        const QString listPath = dir_->filePath("cut.EDL");
        writeFile(listPath, kCutList);
        MainWindow w;
        w.calculate("00:00:01:00", "+", "00:00:02:00");
        w.dialogs.saveNames.push_back(dir_->filePath("before.obr"));
        QVERIFY(w.form.Save1Click());
        open(w, listPath);
        QCOMPARE(w.dialogs.messages.size(), 0); // the work before was saved
        QCOMPARE(w.form.sheet().rowCount(), 2);
        QCOMPARE(w.row(TimecodeFormat::NonDrop, 0),
                 QStringList({"00:00:11:00", "-", "00:00:10:00", "=", "00:00:01:00", "", "shot one"}));
        QCOMPARE(w.row(TimecodeFormat::NonDrop, 1),
                 QStringList({"00:00:11:10", "-", "00:00:11:00", "=", "00:00:00:10", "", "shot two"}));
        QCOMPARE(w.cell(TimecodeFormat::Frames, 1, ResultColumn), QString("10"));
        QCOMPARE(w.cell(TimecodeFormat::PAL, 1, DescriptionColumn), QString("shot two"));
        QCOMPARE(w.form.statusText(0), QString("Total Calculations: 2"));
        QVERIFY(w.form.models().workModified());
        QCOMPARE(enabledListCommands(w.form).size(), 6);
        QVERIFY(w.form.EditBtn->isEnabled());
        QVERIFY(!w.form.workFile().locked());

        // Save offers the list's name as a calculation file; the list stays.
        QVERIFY(!w.form.Save1Click());
        QCOMPARE(w.dialogs.saveRequests.last().fileName, dir_->filePath("cut.obr"));
        w.dialogs.saveNames.push_back(dir_->filePath("cut.obr"));
        QVERIFY(w.form.Save1Click());
        QVERIFY(!w.form.models().workModified());
        QCOMPARE(readAll(listPath), kCutList);
        QVERIFY(readAll(dir_->filePath("cut.obr")).startsWith("OmbrelSheet\r\n2\r\n"));
    }

    // The rows follow the label set: under "In - Out - Duration" the
    // record in comes first and the difference is the duration; on the
    // DropFrm tab a drop-frame list counts its dropped labels out.
    void theRowsFollowTheLabelsAndTheTab()
    {
        writeFile(dir_->filePath("cut.edl"), kCutList);
        MainWindow w({.stored = {{"StartWith/LabelCombo", "0"}, {"StartWith/Ver110", "1"}}});
        open(w, dir_->filePath("cut.edl"));
        QCOMPARE(w.row(TimecodeFormat::NonDrop, 0),
                 QStringList({"00:00:10:00", "~", "00:00:11:00", "=", "00:00:01:00", "", "shot one"}));
        writeFile(dir_->filePath("df.edl"), "FCM: DROP FRAME\n"
                                            "001 AX V C 00;00;00;00 00;00;01;00 00;00;59;28 00;01;00;02\n");
        w.showTab(TimecodeFormat::DropFrm);
        w.dialogs.answers.push_back(Answer::No);
        open(w, dir_->filePath("df.edl"));
        QCOMPARE(w.row(TimecodeFormat::DropFrm, 0),
                 QStringList({"00;00;59;28", "~", "00;01;00;02", "=", "00;00;00;02", "", ""}));
    }

    // Undone, the work before comes back as after undoing an Open; redone,
    // the list's rows are unsaved work again.
    void undoingAnOpenedListBringsBackTheWorkBefore()
    {
        writeFile(dir_->filePath("cut.edl"), kCutList);
        MainWindow w;
        w.calculate("00:00:01:00", "+", "00:00:02:00");
        w.dialogs.saveNames.push_back(dir_->filePath("before.obr"));
        QVERIFY(w.form.Save1Click());
        open(w, dir_->filePath("cut.edl"));
        w.form.Undo1Click();
        QCOMPARE(w.form.sheet().rowCount(), 1);
        QCOMPARE(w.cell(TimecodeFormat::NonDrop, 0, ResultColumn), QString("00:00:03:00"));
        QVERIFY(!w.form.models().workModified());
        w.form.Redo1Click();
        QCOMPARE(w.form.sheet().rowCount(), 2);
        QVERIFY(w.form.models().workModified());
        w.dialogs.answers.push_back(Answer::Cancel);
        w.form.show();
        QVERIFY(!w.form.close());
        QCOMPARE(w.dialogs.messageTexts(), QStringList{"Save Current Work?"});
    }

    // Past the whole sheets the history keeps, undoing still lands on
    // unsaved work: each list opened was unsaved, and stays so.
    void undoingPastALongHistoryKeepsListsUnsaved()
    {
        writeFile(dir_->filePath("cut.edl"), kCutList);
        MainWindow w;
        for (int i = 0; i <= SheetModels::kHistorySheets; ++i) {
            w.dialogs.answers.push_back(Answer::No);
            open(w, dir_->filePath("cut.edl"));
        }
        w.form.Undo1Click();
        QCOMPARE(w.form.sheet().rowCount(), 2);
        QVERIFY(w.form.models().workModified());
    }

    // A list the active tab cannot show, or one that is not a list, is
    // refused with one message, and the work, its name and state stay.
    void aRefusedEditDecisionListChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("message");
        QTest::newRow("drop frame on the NonDrop tab")
            << QByteArray("FCM: DROP FRAME\n001 AX V C 00;00;00;00 00;00;01;00 00;00;00;00 00;00;01;00\n")
            << FormatIndex(TimecodeFormat::NonDrop) << "open it with the DropFrm tab shown";
        QTest::newRow("non-drop on the DropFrm tab")
            << kCutList << FormatIndex(TimecodeFormat::DropFrm) << "open it with the NonDrop tab shown";
        QTest::newRow("not a list") << QByteArray("OmbrelSheet\r\n1\r\n") << FormatIndex(TimecodeFormat::NonDrop)
                                    << "line 1: this is not an edit decision list";
        QTest::newRow("a line it cannot read")
            << QByteArray("TITLE: x\n001 AX V C 00:00:00:00 00:00:01:00\n") << FormatIndex(TimecodeFormat::NonDrop)
            << "line 2: an event line holds its number";
    }
    void aRefusedEditDecisionListChangesNothing()
    {
        QFETCH(QByteArray, contents);
        QFETCH(int, tab);
        QFETCH(QString, message);
        const QString path = dir_->filePath("refused.edl");
        writeFile(path, contents);
        MainWindow w;
        w.showTab(FormatAt(tab));
        w.calculate("00:00:01:00", "+", "00:00:02:00");
        w.dialogs.saveNames.push_back(dir_->filePath("work.obr"));
        QVERIFY(w.form.Save1Click());
        w.calculate("00:00:01:00", "+", "00:00:03:00");
        w.dialogs.answers.push_back(Answer::No);
        open(w, path);
        QCOMPARE(w.dialogs.messages.size(), 2);
        QCOMPARE(w.dialogs.messages[1].kind, MessageKind::Error);
        QVERIFY2(w.dialogs.messages[1].text.contains(message), qPrintable(w.dialogs.messages[1].text));
        QCOMPARE(w.form.sheet().rowCount(), 2);
        QVERIFY(w.form.models().workModified());
        QVERIFY(w.form.workFile().locked());
        QVERIFY(!w.form.Save1Click());
        QCOMPARE(w.dialogs.saveRequests.last().fileName, dir_->filePath("work.obr"));
    }

    // Dropped on the window, a list opens as through the dialog, after the
    // save question.
    void aDroppedEditDecisionListOpens()
    {
        writeFile(dir_->filePath("dropped.edl"), kCutList);
        MainWindow w;
        w.calculate("00:00:01:00", "+", "00:00:02:00");
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(dir_->filePath("dropped.edl"))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w.form, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        w.dialogs.answers.push_back(Answer::No);
        QApplication::sendEvent(&w.form, &drop);
        QCOMPARE(w.dialogs.messageTexts(), QStringList{"Save Current Work?"});
        QVERIFY(w.dialogs.openRequests.isEmpty());
        QCOMPARE(w.form.sheet().rowCount(), 2);
        QCOMPARE(w.cell(TimecodeFormat::NonDrop, 0, DescriptionColumn), QString("shot one"));
        QCOMPARE(w.form.PendingOpenName(), QString());
    }

    void aRejectedFileChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("message");
        QTest::newRow("not ours") << QByteArray("Hello\r\n") << "Not a Ombrel file!";
        QTest::newRow("bad count") << QByteArray("OmbrelSheet\r\nx1\r\n") << "'x1' is not a valid integer value";
        QTest::newRow("too few rows") << QByteArray("OmbrelSheet\r\n1000000000\r\nNonDropFrame Timecode\r\n") << "";
    }
    void aRejectedFileChangesNothing()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QString, message);
        writeFile(dir_->filePath("bad.obr"), contents);
        MainWindow w;
        w.calculate("00:00:01:00", "+", "00:00:02:00");
        w.dialogs.answers.push_back(Answer::No);
        w.dialogs.openNames.push_back(dir_->filePath("bad.obr"));
        w.form.Open1Click();
        QCOMPARE(w.dialogs.messages.size(), 2);
        QCOMPARE(w.dialogs.messages[1].kind, MessageKind::Error);
        if (!message.isEmpty())
            QVERIFY2(w.dialogs.messages[1].text.contains(message), qPrintable(w.dialogs.messages[1].text));
        QCOMPARE(w.form.sheet().rowCount(), 1);
        QVERIFY(w.form.models().workModified());
        QCOMPARE(w.cell(TimecodeFormat::NonDrop, 0, ResultColumn), QString("00:00:03:00"));
    }

    // Files that once crashed, hung or ate the memory: each is refused with
    // one Error box, and the work, its save name and WorkModified stay.
    void aHostileFileChangesNothing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("named pipe") << "pipe"
                                    << "not a file on a disk but a pipe or a device";
        QTest::newRow("endless device") << "device"
                                        << "not a file on a disk but a pipe or a device";
        QTest::newRow("sparse 64 GiB") << "sparse"
                                       << "larger than 2 GiB";
        QTest::newRow("junk") << "junk"
                              << "Not a Ombrel file!";
        QTest::newRow("one endless line") << "endless line"
                                          << "Line 4: this line is longer than any line of an Ombrel file.";
        QTest::newRow("description past its limit") << "long description"
                                                    << "Line 4: the description is longer than 65536 bytes.";
    }
    void aHostileFileChangesNothing()
    {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        QString path = dir_->filePath("hostile.obr");
        if (kind == "pipe") {
            QCOMPARE(mkfifo(qPrintable(path), 0600), 0);
        } else if (kind == "device") {
            path = "/dev/zero";
        } else if (kind == "sparse") {
            writeFile(path, oneCalculationFile());
            QVERIFY(QFile::resize(path, qint64(64) << 30));
        } else if (kind == "junk") {
            writeFile(path, QByteArray(16 << 20, 'j'));
        } else if (kind == "endless line") {
            writeFile(path, "OmbrelSheet\r\n1\r\nNonDropFrame Timecode\r\n" + QByteArray(32 << 20, '0'));
        } else {
            QByteArray file = oneCalculationFile();
            file.replace("00:00:02:00   \r\n", "00:00:02:00  " + QByteArray(100000, 'd') + " \r\n");
            writeFile(path, file);
        }
        MainWindow w;
        w.calculate("00:00:01:00", "+", "00:00:02:00");
        w.dialogs.saveNames.push_back(dir_->filePath("work.obr"));
        QVERIFY(w.form.Save1Click());
        w.calculate("00:00:01:00", "+", "00:00:03:00");
        w.dialogs.answers.push_back(Answer::No);
        w.dialogs.openNames.push_back(path);
        w.form.Open1Click();

        QCOMPARE(w.dialogs.messages.size(), 2);
        QCOMPARE(w.dialogs.messages[1].kind, MessageKind::Error);
        QVERIFY2(w.dialogs.messages[1].text.contains(message), qPrintable(w.dialogs.messages[1].text));
        QCOMPARE(w.form.sheet().rowCount(), 2);
        QVERIFY(w.form.models().workModified());
        QCOMPARE(w.cell(TimecodeFormat::NonDrop, 1, ResultColumn), QString("00:00:04:00"));
        QVERIFY(!w.form.Save1Click()); // the dialog offers the name saved before, and is cancelled
        QCOMPARE(w.dialogs.saveRequests.last().fileName, dir_->filePath("work.obr"));
    }

    // Named on the command line, a pipe is refused as well instead of
    // blocking the start.
    void aPipeOnTheCommandLineIsRefused()
    {
        QCOMPARE(mkfifo(qPrintable(dir_->filePath("pipe")), 0600), 0);
        MainWindow w({.commandLine = {dir_->filePath("pipe")}});
        QCOMPARE(w.dialogs.messages.size(), 1);
        QCOMPARE(w.dialogs.messages[0].kind, MessageKind::Error);
        QCOMPARE(w.form.sheet().rowCount(), 0);
    }

    // A full disk shows at the save, with the system's words: the old file
    // stays, and the work is still unsaved.
    void aFullDiskKeepsTheOldFileAndTheWork()
    {
        MainWindow w;
        w.calculate("00:00:01:00", "+", "00:00:01:00");
        w.dialogs.saveNames.push_back(dir_->filePath("work.obr"));
        QVERIFY(w.form.Save1Click());
        const QByteArray saved = readAll(dir_->filePath("work.obr"));
        w.calculate("00:00:01:00", "+", "00:00:02:00");
        w.dialogs.saveNames.push_back(dir_->filePath("work.obr"));
        w.dialogs.answers.push_back(Answer::Yes); // replace it
        {
            test::FileSizeLimit limit(64); // smaller than the file: as a disk with 64 bytes left
            QVERIFY(!w.form.Save1Click());
        }
        QCOMPARE(w.dialogs.messages.size(), 2);
        QCOMPARE(w.dialogs.messages[1].kind, MessageKind::Error);
        QCOMPARE(w.dialogs.messages[1].text, QString("File too large"));
        QCOMPARE(readAll(dir_->filePath("work.obr")), saved);
        QVERIFY(w.form.models().workModified());
        // No temporary file is left; the lock is the window's.
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden), (QStringList{".work.obr.lock", "work.obr"}));
    }

    void theSaveQuestionGuardsOpen_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("saveChosen");
        QTest::addColumn<bool>("opened");
        QTest::newRow("no") << int(Answer::No) << false << true;
        QTest::newRow("cancel") << int(Answer::Cancel) << false << false;
        QTest::newRow("yes and saved") << int(Answer::Yes) << true << true;
        QTest::newRow("yes, save cancelled") << int(Answer::Yes) << false << false;
    }
    void theSaveQuestionGuardsOpen()
    {
        QFETCH(int, answer);
        QFETCH(bool, saveChosen);
        QFETCH(bool, opened);
        writeFile(dir_->filePath("one.obr"), oneCalculationFile());
        MainWindow w;
        w.calculate("00:00:01:00", "+", "00:00:02:00");
        w.calculate("00:00:01:00", "+", "00:00:02:00");
        w.dialogs.answers.push_back(static_cast<Answer>(answer));
        if (saveChosen)
            w.dialogs.saveNames.push_back(dir_->filePath("saved.obr"));
        w.dialogs.openNames.push_back(dir_->filePath("one.obr"));
        w.form.Open1Click();
        QCOMPARE(w.dialogs.messageTexts(), QStringList{"Save Current Work?"});
        QCOMPARE(w.dialogs.messages.first().buttons, MessageButtons::YesNoCancel);
        QCOMPARE(w.form.sheet().rowCount(), opened ? 1 : 2);
        QCOMPARE(QFile::exists(dir_->filePath("saved.obr")), saveChosen);
    }

    void aDroppedFileOpensAndStaysPendingAfterCancel()
    {
        writeFile(dir_->filePath("dropped.obr"), oneCalculationFile());
        MainWindow w;
        w.calculate("00:00:01:00", "+", "00:00:02:00");
        w.calculate("00:00:01:00", "+", "00:00:02:00");
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(dir_->filePath("dropped.obr")), QUrl::fromLocalFile("/elsewhere.obr")});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w.form, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        w.dialogs.answers.push_back(Answer::Cancel);
        QApplication::sendEvent(&w.form, &drop);
        QCOMPARE(w.form.sheet().rowCount(), 2);
        QCOMPARE(w.form.PendingOpenName(), dir_->filePath("dropped.obr"));
        w.dialogs.answers.push_back(Answer::No);
        w.form.Open1Click();
        QVERIFY(w.dialogs.openRequests.isEmpty());
        QCOMPARE(w.form.sheet().rowCount(), 1);
        QCOMPARE(w.form.PendingOpenName(), QString());
    }

    // The list of filters reads as written; the patterns are the ones
    // after each display text, "(.txt)" notwithstanding.
    void fileDialogFiltersReadAsWritten()
    {
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        setPipeFilter(dialog, "Ombrel File (*.obr)|*.obr|Text File (.txt)|*.txt|All Files (*.*)|*.*");
        auto* list = dialog.findChild<QComboBox*>("fileTypeCombo");
        QVERIFY(list);
        QStringList shown;
        for (int i = 0; i < list->count(); ++i)
            shown << list->itemText(i);
        QCOMPARE(shown, QStringList({"Ombrel File (*.obr)", "Text File (.txt)", "All Files (*.*)"}));
        QCOMPARE(dialog.nameFilters().at(1), QString("Text File (.txt) (*.txt)"));
    }

    void closingWithUnsavedWorkAsks()
    {
        MainWindow w;
        w.calculate("00:00:01:00", "+", "00:00:02:00");
        w.form.show();
        w.dialogs.answers.push_back(Answer::Cancel);
        QVERIFY(!w.form.close());
        QVERIFY(w.form.isVisible());
        QCOMPARE(test::StoredSettings::value("Postion/MainLeft"), QString());
        w.dialogs.answers.push_back(Answer::No);
        QVERIFY(w.form.close());
        QCOMPARE(w.dialogs.messageTexts(), QStringList({"Save Current Work?", "Save Current Work?"}));
    }

    // The window locks the file its work belongs to, and lets go of it on
    // New, on opening another file and on closing; undoing a New or an Open
    // takes it back.
    void theWorkFileIsLockedWhileItIsOpenHere()
    {
        writeFile(dir_->filePath("one.obr"), oneCalculationFile());
        writeFile(dir_->filePath("two.obr"), oneCalculationFile());
        const QString lockOne = dir_->filePath(".one.obr.lock");
        const QString lockTwo = dir_->filePath(".two.obr.lock");
        {
            MainWindow w;
            open(w, dir_->filePath("one.obr"));
            QVERIFY(QFile::exists(lockOne));
            open(w, dir_->filePath("one.obr")); // again: still this window's, no warning
            QVERIFY(QFile::exists(lockOne));
            QVERIFY(w.dialogs.messages.isEmpty());
            open(w, dir_->filePath("two.obr"));
            QVERIFY(!QFile::exists(lockOne));
            QVERIFY(QFile::exists(lockTwo));
            // Undoing the Open gives the work back its file, lock and all;
            // redoing it takes the opened file again.
            w.form.Undo1Click();
            QVERIFY(QFile::exists(lockOne));
            QVERIFY(!QFile::exists(lockTwo));
            QCOMPARE(w.form.workFile().path(), QFileInfo(dir_->filePath("one.obr")).canonicalFilePath());
            w.form.Redo1Click();
            QVERIFY(!QFile::exists(lockOne));
            QVERIFY(QFile::exists(lockTwo));
            QCOMPARE(w.form.workFile().path(), QFileInfo(dir_->filePath("two.obr")).canonicalFilePath());
            // A file that is turned down leaves the lock where it was.
            writeFile(dir_->filePath("bad.obr"), "not ours\r\n");
            open(w, dir_->filePath("bad.obr"));
            QVERIFY(QFile::exists(lockTwo));
            QVERIFY(!QFile::exists(dir_->filePath(".bad.obr.lock")));
            w.dialogs.answers.push_back(Answer::Yes);
            w.form.NewBtnClick();
            QVERIFY(!QFile::exists(lockTwo));
            QVERIFY(w.form.workFile().path().isEmpty());
            // New is undone the same way.
            w.form.Undo1Click();
            QVERIFY(QFile::exists(lockTwo));
            QCOMPARE(w.form.workFile().path(), QFileInfo(dir_->filePath("two.obr")).canonicalFilePath());
            w.form.Redo1Click();
            QVERIFY(!QFile::exists(lockTwo));
            QVERIFY(w.form.workFile().path().isEmpty());
            // A save locks the file saved to; closing lets it go.
            w.calculate("00:00:01:00", "+", "00:00:01:00");
            w.dialogs.saveNames.push_back(dir_->filePath("three.obr"));
            QVERIFY(w.form.Save1Click());
            QVERIFY(QFile::exists(dir_->filePath(".three.obr.lock")));
            w.form.show();
            QVERIFY(w.form.close());
            QVERIFY(!QFile::exists(dir_->filePath(".three.obr.lock")));
        }
    }

    // Another running Ombrel's lock warns before opening; a lock whose
    // holder is gone is taken over; where no lock can be made the file
    // opens all the same.
    void aFileOpenElsewhereWarnsFirst_data()
    {
        QTest::addColumn<QString>("holder"); // "running", "gone", "no lock possible"
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("warned");
        QTest::addColumn<bool>("opened");
        QTest::newRow("running, No") << "running" << int(Answer::No) << true << false;
        QTest::newRow("running, Yes") << "running" << int(Answer::Yes) << true << true;
        QTest::newRow("gone") << "gone" << int(Answer::No) << false << true;
        QTest::newRow("no lock possible") << "no lock possible" << int(Answer::No) << false << true;
    }
    void aFileOpenElsewhereWarnsFirst()
    {
        QFETCH(QString, holder);
        QFETCH(int, answer);
        QFETCH(bool, warned);
        QFETCH(bool, opened);
        const QString folder = dir_->filePath("shared");
        QVERIFY(QDir().mkpath(folder));
        const QString file = folder + "/shared.obr";
        writeFile(file, oneCalculationFile());
        QProcess other;
        qint64 pid = 0;
        if (holder == "no lock possible") {
            // A folder where the lock belongs: as a read-only folder, even for root.
            QVERIFY(QDir().mkpath(folder + "/.shared.obr.lock"));
        } else {
            // A lock as another program leaves it: its process number, name and host.
            other.start("sleep", {holder == "running" ? "30" : "0"});
            QVERIFY(other.waitForStarted());
            pid = other.processId();
            if (holder == "gone")
                QVERIFY(other.waitForFinished());
            const QString program = QStandardPaths::findExecutable("sleep");
            writeFile(folder + "/.shared.obr.lock",
                      QString("%1\n%2\n%3\n").arg(pid).arg(program, QSysInfo::machineHostName()).toUtf8());
        }
        MainWindow w;
        w.dialogs.answers.push_back(Answer(answer));
        open(w, file);
        if (holder == "running")
            other.kill();
        QCOMPARE(w.dialogs.messages.size(), warned ? 1 : 0);
        if (warned) {
            QCOMPARE(w.dialogs.messages[0].kind, MessageKind::Warning);
            QCOMPARE(w.dialogs.messages[0].buttons, MessageButtons::YesNo);
            QVERIFY2(w.dialogs.messages[0].text.startsWith(
                         QString("shared.obr is open in another Ombrel window (process %1)").arg(pid)),
                     qPrintable(w.dialogs.messages[0].text));
        }
        QCOMPARE(w.form.sheet().rowCount(), opened ? 1 : 0);
        QCOMPARE(w.form.workFile().locked(), holder == "gone");
    }

    // Saving over the window's own file asks first, and says when someone
    // changed it on disk since; No changes nothing.
    void savingOverAFileChangedOnDiskAsksFirst_data()
    {
        QTest::addColumn<QString>("change"); // "none", "rows", "same size and time"
        QTest::addColumn<QString>("question");
        QTest::newRow("unchanged") << "none"
                                   << "work.obr already exists.\nDo you want to replace it?";
        QTest::newRow("other rows") << "rows"
                                    << "work.obr has changed on disk since you opened it";
        QTest::newRow("same size and time") << "same size and time"
                                            << "work.obr has changed on disk since you opened it";
    }
    void savingOverAFileChangedOnDiskAsksFirst()
    {
        QFETCH(QString, change);
        QFETCH(QString, question);
        const QString file = dir_->filePath("work.obr");
        writeFile(file, oneCalculationFile());
        MainWindow w;
        open(w, file);
        w.calculate("00:00:02:00", "+", "00:00:01:00");
        QByteArray other = oneCalculationFile();
        if (change == "rows") {
            other = other.replace("00:00:02:00", "00:00:03:00").replace("00:00:01:00 +", "00:00:04:00 +");
            QFile f(file);
            QVERIFY(f.open(QIODevice::ReadWrite));
            f.write(other);
            f.close();
        } else if (change == "same size and time") {
            const QDateTime time = QFileInfo(file).lastModified();
            other.replace("00:00:02:00", "00:00:03:00");
            QCOMPARE(other.size(), oneCalculationFile().size());
            QFile f(file);
            QVERIFY(f.open(QIODevice::ReadWrite));
            f.write(other);
            QVERIFY(f.flush());
            QVERIFY(f.setFileTime(time, QFileDevice::FileModificationTime));
            f.close();
            QCOMPARE(QFileInfo(file).lastModified(), time);
        }
        const QByteArray before = readAll(file);
        w.dialogs.saveNames.push_back(file);
        w.dialogs.answers.push_back(Answer::No);
        QVERIFY(!w.form.Save1Click());
        QCOMPARE(w.dialogs.messages.size(), 1);
        QCOMPARE(w.dialogs.messages[0].kind, MessageKind::Confirm);
        QCOMPARE(w.dialogs.messages[0].buttons, MessageButtons::YesNo);
        QVERIFY2(w.dialogs.messages[0].text.startsWith(question), qPrintable(w.dialogs.messages[0].text));
        QVERIFY(!w.dialogs.saveRequests[0].confirmOverwrite);
        QCOMPARE(readAll(file), before);
        QVERIFY(w.form.models().workModified());
        // Yes replaces it; from then on the window knows the file as saved.
        w.dialogs.saveNames.push_back(file);
        w.dialogs.answers.push_back(Answer::Yes);
        QVERIFY(w.form.Save1Click());
        QCOMPARE(w.form.sheet().rowCount(), 2);
        QVERIFY(readAll(file).startsWith("OmbrelSheet\r\n2\r\n"));
        writeFile(file, before);
        w.dialogs.saveNames.push_back(file);
        QVERIFY(!w.form.Save1Click());
        QVERIFY2(w.dialogs.messages.last().text.startsWith("work.obr has changed on disk since you saved it"),
                 qPrintable(w.dialogs.messages.last().text));
    }

private:
    std::unique_ptr<QTemporaryDir> dir_;
};

OMBREL_TEST_CLASS(MainFormDocumentsTest)
#include "main_form_documents_test.moc"
