#include "documents/recovery_journal.h"
#include "scripted_dialogs.h"
#include "settings/app_settings.h"
#include "settings/settings_store.h"
#include "shell/calc_main_form.h"
#include "test_registry.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QLockFile>
#include <QStandardPaths>
#include <QTest>

using namespace ombrel;

namespace {

QString recoveryFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/recovery";
}

void clearRecoveryFolder()
{
    QDir(recoveryFolder()).removeRecursively();
    QDir().mkpath(recoveryFolder());
}

std::array<RowCells, kFormatCount> rowsFor(const std::string& tag)
{
    std::array<RowCells, kFormatCount> rows;
    for (int f = 0; f < kFormatCount; ++f)
        rows[f] = {"00:00:0" + tag + ":00",
                   "+",
                   "00:00:01:00",
                   "=",
                   "result " + std::to_string(f),
                   "",
                   "scene " + tag + " in list " + std::to_string(f)};
    return rows;
}

// A journal as a run that was killed leaves it: two calculations, one of
// them edited, belonging to a saved file; no live process holds its lock.
QString leaveJournal(const QString& name, CalcSheet& sheet)
{
    JournalRecords records;
    records.bytes().assign(kJournalMagic);
    records.fileName("/work/scenes.obr");
    for (const char* tag : {"1", "2"}) {
        sheet.appendCalculation(rowsFor(tag));
        records.inserted(sheet, sheet.rowCount() - 1);
    }
    sheet.setCell(TimecodeFormat::Film, 1, DescriptionColumn, "edited");
    records.cellSet(TimecodeFormat::Film, 1, DescriptionColumn, "edited");
    const QString path = recoveryFolder() + "/" + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(records.bytes().data(), qint64(records.bytes().size())) < 0)
        qFatal("cannot write the journal");
    return path;
}

} // namespace

// The window as main() builds it, its questions answered from `answers`.
struct RecoveringWindow {
    explicit RecoveringWindow(std::deque<Answer> answers)
    {
        dialogs.answers = std::move(answers);
        form.FormActivate();
    }
    test::ScriptedDialogs dialogs;
    AppSettings settings;
    SettingsStore store;
    TCalcMainForm form{dialogs, settings, store};
};

bool sameSheet(const CalcSheet& a, const CalcSheet& b)
{
    if (a.rowCount() != b.rowCount())
        return false;
    for (int f = 0; f < kFormatCount; ++f)
        for (int64_t r = 0; r < a.rowCount(); ++r)
            if (a.list(FormatAt(f)).row(r) != b.list(FormatAt(f)).row(r))
                return false;
    return true;
}

class MainFormRecoveryTest : public QObject {
    Q_OBJECT
private slots:
    void init() { clearRecoveryFolder(); }
    // A journal left for the next start would be offered to the next test.
    void cleanup() { clearRecoveryFolder(); }

    // Yes rebuilds every cell of the six lists, the file name and
    // WorkModified; the old journal goes once the new one holds the work.
    void yesRecoversTheWorkExactly()
    {
        CalcSheet expected;
        const QString left = leaveJournal("4242-0.journal", expected);
        RecoveringWindow w({Answer::Yes});
        QCOMPARE(w.dialogs.messages.size(), 1);
        QVERIFY2(w.dialogs.messages[0].text.contains("(Total Calculations: 2)"), qPrintable(w.dialogs.messages[0].text));
        QVERIFY(sameSheet(w.form.sheet(), expected));
        QVERIFY(w.form.models().workModified());
        QVERIFY(w.form.Save1->isEnabled());
        QVERIFY(!QFile::exists(left));
        // The file name it belonged to is where Save starts.
        w.form.Save1Click();
        QCOMPARE(w.dialogs.saveRequests.size(), 1);
        QCOMPARE(w.dialogs.saveRequests[0].fileName, QString("/work/scenes.obr"));
    }

    // No asks again; only a second Yes throws the work away.
    void noDiscardsOnlyAfterConfirming_data()
    {
        QTest::addColumn<bool>("confirm");
        QTest::newRow("discarded") << true;
        QTest::newRow("kept for the next start") << false;
    }
    void noDiscardsOnlyAfterConfirming()
    {
        QFETCH(bool, confirm);
        CalcSheet expected;
        const QString left = leaveJournal("4242-0.journal", expected);
        {
            RecoveringWindow w({Answer::No, confirm ? Answer::Yes : Answer::No});
            QCOMPARE(w.dialogs.messages.size(), 2);
            QCOMPARE(w.form.models().calcCount(), 0);
        }
        QCOMPARE(QFile::exists(left), !confirm);
    }

    // A journal that can no longer be written is told once, whatever
    // changes follow, and the window goes on.
    void aFailingJournalIsToldOnce()
    {
        RecoveringWindow w({});
        // A folder where the window's journal would go: no one may write it.
        const QStringList own = QDir(recoveryFolder()).entryList({"*.journal.lock"}, QDir::Hidden | QDir::Files);
        QCOMPARE(own.size(), 1);
        QVERIFY(QDir(recoveryFolder()).mkdir(own[0].chopped(5)));
        for (const char* out : {"00:00:01:00", "00:00:02:00", "00:00:03:00"}) {
            w.form.MaskEdit1->setText("01:00:00:00");
            w.form.MaskEdit2->setText(out);
            w.form.CalculateBtnClick();
            QTest::qWait(1300); // the journal writes each second
        }
        QTRY_COMPARE(w.dialogs.messages.size(), 1);
        QVERIFY2(w.dialogs.messages[0].text.contains("can no longer be kept for recovery"),
                 qPrintable(w.dialogs.messages[0].text));
        QCOMPARE(w.form.models().calcCount(), 3);
    }

    // A journal whose process still runs is another window's: never offered.
    void aRunningProgramsJournalIsNotTaken()
    {
        CalcSheet expected;
        const QString left = leaveJournal("4243-0.journal", expected);
        QLockFile running(left + ".lock");
        running.setStaleLockTime(0);
        QVERIFY(running.tryLock(0));
        RecoveringWindow w({Answer::Yes});
        QCOMPARE(w.dialogs.messages.size(), 0);
        QVERIFY(QFile::exists(left));
    }
};

OMBREL_TEST_CLASS(MainFormRecoveryTest)
#include "main_form_recovery_test.moc"
