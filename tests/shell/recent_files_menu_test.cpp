#include "main_window_fixture.h"
#include "shell/calc_main_form.h"
#include "test_registry.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

using namespace ombrel;
using test::MainWindow;
using test::StoredSettings;

namespace {

// A calculation file of one calculation, 00:00:01:00 + 00:00:01:00.
QByteArray oneCalculationFile()
{
    QByteArray file = "OmbrelSheet\r\n1\r\n";
    for (const char* title :
         {"NonDropFrame Timecode", "DropFrame Timecode", "PAL Timecode", "Film Timecode", "User (15fps) Timecode"}) {
        QByteArray row = "00:00:01:00 + 00:00:01:00 = 00:00:02:00   \r\n";
        if (QByteArray(title).startsWith("Drop"))
            row.replace(':', ';');
        file += QByteArray(title) + "\r\n" + row + "\r\n";
    }
    return file + "Frames (30fps)\r\n30 + 30 = 60   \r\n\r\n";
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// The entries of File > Open Recent: their texts, in menu order.
QStringList entries(const TCalcMainForm& form)
{
    QStringList texts;
    for (const QAction* action : form.OpenRecent1->actions())
        texts << action->text();
    return texts;
}

void choose(TCalcMainForm& form, int index)
{
    form.OpenRecent1->actions().at(index)->trigger();
    QCoreApplication::processEvents();
}

// The stored section, as the next run reads it.
QMap<QString, QString> storedRecentFiles()
{
    QMap<QString, QString> values;
    for (int i = 1; i <= 6; ++i)
        values["Recent/File" + QString::number(i)] = StoredSettings::value("Recent/File" + QString::number(i));
    values["Recent/Folder"] = StoredSettings::value("Recent/Folder");
    return values;
}

} // namespace

class RecentFilesMenuTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        writeFile(dir_->filePath("a.obr"), oneCalculationFile());
        writeFile(dir_->filePath("b & c.obr"), oneCalculationFile());
    }

    void openedAndSavedFilesAreListedAfterARestart()
    {
        QMap<QString, QString> stored;
        {
            MainWindow w;
            QVERIFY(!w.form.OpenRecent1->menuAction()->isEnabled());
            w.dialogs.openNames = {dir_->filePath("a.obr"), dir_->filePath("b & c.obr")};
            w.form.Open1Click();
            w.form.Open1Click();
            w.dialogs.saveNames = {dir_->filePath("saved.obr")};
            QVERIFY(w.form.Save1Click());
            QCOMPARE(entries(w.form),
                     (QStringList{"&1 " + dir_->filePath("saved.obr"), "&2 " + dir_->filePath("b && c.obr"),
                                  "&3 " + dir_->filePath("a.obr")}));
            QVERIFY(w.form.OpenRecent1->menuAction()->isEnabled());
            stored = storedRecentFiles();
        }
        MainWindow again({.stored = stored});
        QCOMPARE(entries(again.form).size(), 3);
        choose(again.form, 2);
        QCOMPARE(again.form.sheet().rowCount(), 1);
        QVERIFY(again.dialogs.messages.isEmpty());
        QVERIFY(again.dialogs.openRequests.isEmpty());
        // Opened again, it moves to the top.
        QCOMPARE(entries(again.form).first(), "&1 " + dir_->filePath("a.obr"));
    }

    void aFileThatIsGoneIsTakenOffWithAMessage()
    {
        MainWindow w(
            {.stored = {{"Recent/File1", dir_->filePath("gone.obr")}, {"Recent/File2", dir_->filePath("a.obr")}}});
        w.calculate("00:00:01:00", "+", "00:00:01:00");
        w.calculate("00:00:01:00", "+", "00:00:02:00");
        choose(w.form, 0);
        QCOMPARE(w.dialogs.messages.size(), 1);
        QCOMPARE(w.dialogs.messages[0].kind, MessageKind::Warning);
        QVERIFY2(w.dialogs.messages[0].text.contains(dir_->filePath("gone.obr")),
                 qPrintable(w.dialogs.messages[0].text));
        QCOMPARE(w.form.sheet().rowCount(), 2);
        QCOMPARE(entries(w.form), QStringList{"&1 " + dir_->filePath("a.obr")});
        QCOMPARE(StoredSettings::value("Recent/File1"), dir_->filePath("a.obr"));
        QCOMPARE(StoredSettings::value("Recent/File2"), QString());
    }

    // The save question guards a recent file as it guards Open; cancelled,
    // nothing is opened then or later.
    void theSaveQuestionGuardsARecentFile()
    {
        MainWindow w({.stored = {{"Recent/File1", dir_->filePath("a.obr")}}});
        w.calculate("00:00:01:00", "+", "00:00:01:00");
        w.calculate("00:00:01:00", "+", "00:00:02:00");
        w.dialogs.answers = {Answer::Cancel};
        choose(w.form, 0);
        QCOMPARE(w.form.sheet().rowCount(), 2);
        QCOMPARE(w.form.PendingOpenName(), QString());
        w.dialogs.answers = {Answer::No};
        choose(w.form, 0);
        QCOMPARE(w.form.sheet().rowCount(), 1);
    }

    void fileDialogsStartInTheFolderLastUsed()
    {
        QDir(dir_->path()).mkdir("sub");
        writeFile(dir_->filePath("sub/d.obr"), oneCalculationFile());
        MainWindow w({.stored = {{"Recent/Folder", dir_->path()}}});
        w.dialogs.openNames = {dir_->filePath("sub/d.obr")};
        w.form.Open1Click();
        QCOMPARE(w.dialogs.openRequests.last().folder, dir_->path());
        w.form.Open1Click(); // cancelled
        QCOMPARE(w.dialogs.openRequests.last().folder, dir_->filePath("sub"));
        w.form.Save1Click(); // cancelled
        QCOMPARE(w.dialogs.saveRequests.last().folder, dir_->filePath("sub"));
    }

    void severalFilesOnTheCommandLineOpenTheFirst()
    {
        MainWindow w({.commandLine = {dir_->filePath("a.obr"), dir_->filePath("b & c.obr"), dir_->filePath("x")}});
        QCOMPARE(w.form.sheet().rowCount(), 1);
        QCOMPARE(w.dialogs.messages.size(), 1);
        QCOMPARE(w.dialogs.messages[0].kind, MessageKind::Information);
        QCOMPARE(w.dialogs.messages[0].text,
                 QString("Ombrel works on one file at a time. Only %1 was opened; not "
                         "opened:\n%2\n%3")
                     .arg(dir_->filePath("a.obr"), dir_->filePath("b & c.obr"), dir_->filePath("x")));
        QCOMPARE(entries(w.form), QStringList{"&1 " + dir_->filePath("a.obr")});
    }

    void aFileThatCannotBeOpenedIsNamed()
    {
        MainWindow w({.commandLine = {dir_->filePath("my work.obr")}});
        QCOMPARE(w.dialogs.messages.size(), 1);
        QCOMPARE(w.dialogs.messages[0].kind, MessageKind::Error);
        QVERIFY2(w.dialogs.messages[0].text.startsWith("Cannot open " + dir_->filePath("my work.obr") + ": "),
                 qPrintable(w.dialogs.messages[0].text));
        QVERIFY(entries(w.form).isEmpty());
    }

private:
    std::unique_ptr<QTemporaryDir> dir_;
};
OMBREL_TEST_CLASS(RecentFilesMenuTest)
#include "recent_files_menu_test.moc"
