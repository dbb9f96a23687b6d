#include "documents/recovery_journal.h"
#include "documents/sheet_journal.h"
#include "test_registry.h"

#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <random>

using namespace ombrel;

namespace {

std::array<RowCells, kFormatCount> rowsFor(const std::string& tag)
{
    std::array<RowCells, kFormatCount> rows;
    for (int f = 0; f < kFormatCount; ++f)
        rows[f] = {tag + "-" + std::to_string(f), "+", "00:00:01:00", "=", "01:00:00:0" + std::to_string(f), "",
                   f == 0 ? "scene " + tag : ""};
    return rows;
}

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

// A journal of every kind of change, with the sheet as it stood after each
// record and where each record ends.
struct Recorded {
    std::string bytes;
    std::vector<size_t> ends;
    std::vector<CalcSheet> after;
};

Recorded recordEveryKind()
{
    Recorded out;
    JournalRecords records;
    records.bytes().assign(kJournalMagic);
    CalcSheet sheet;
    auto mark = [&] {
        out.ends.push_back(records.bytes().size());
        CalcSheet copy;
        for (int64_t r = 0; r < sheet.rowCount(); ++r)
            copy.appendCalculation(sheet.calculation(r));
        out.after.push_back(std::move(copy));
    };
    records.fileName("/home/user/log.obr");
    mark();
    records.cleared();
    mark();
    for (const char* tag : {"a", "b", "c", "d"}) {
        sheet.appendCalculation(rowsFor(tag));
        records.inserted(sheet, sheet.rowCount() - 1);
        mark();
    }
    sheet.removeRow(1);
    records.removed(1);
    mark();
    sheet.insertCalculation(0, rowsFor("e"));
    records.inserted(sheet, 0);
    mark();
    const std::vector<int64_t> order{3, 1, 0, 2};
    sheet.reorder(order);
    records.reordered(order);
    mark();
    sheet.setCell(TimecodeFormat::PAL, 2, DescriptionColumn, std::string(300, 'x'));
    records.cellSet(TimecodeFormat::PAL, 2, DescriptionColumn, std::string(300, 'x'));
    mark();
    out.bytes = records.bytes();
    return out;
}

} // namespace

class RecoveryJournalTest : public QObject {
    Q_OBJECT
private slots:
    void everyKindOfChangeComesBack()
    {
        const Recorded recorded = recordEveryKind();
        const RecoveredWork work = ReadRecoveryJournalBytes(recorded.bytes);
        QVERIFY(work.readable);
        QVERIFY(!work.damaged);
        QCOMPARE(work.changes, static_cast<int64_t>(recorded.ends.size()));
        QCOMPARE(work.fileName, std::string("/home/user/log.obr"));
        QVERIFY(sameSheet(work.sheet, recorded.after.back()));
    }

    // A cut anywhere (a crash in the middle of a write) keeps every whole
    // record before it and says the rest was lost.
    void aJournalCutAnywhereKeepsEveryWholeChange()
    {
        const Recorded recorded = recordEveryKind();
        std::mt19937 random(QTest::currentTestFunction()[0]);
        std::vector<size_t> cuts{kJournalMagic.size(), recorded.bytes.size() - 1};
        for (int i = 0; i < 200; ++i)
            cuts.push_back(std::uniform_int_distribution<size_t>(kJournalMagic.size(), recorded.bytes.size())(random));
        for (const size_t cut : cuts) {
            const RecoveredWork work = ReadRecoveryJournalBytes(std::string_view(recorded.bytes).substr(0, cut));
            const auto whole =
                std::upper_bound(recorded.ends.begin(), recorded.ends.end(), cut) - recorded.ends.begin();
            QCOMPARE(work.changes, static_cast<int64_t>(whole));
            QCOMPARE(work.damaged, whole == 0 ? cut > kJournalMagic.size() : cut != recorded.ends[whole - 1]);
            if (whole > 0)
                QVERIFY2(sameSheet(work.sheet, recorded.after[whole - 1]), qPrintable(QString::number(cut)));
        }
    }

    // A changed byte is found by the record's checksum, and a record that
    // does not fit the sheet (a row past its end) is refused like damage.
    void damageStopsTheRecovery_data()
    {
        QTest::addColumn<int>("record");
        QTest::addColumn<int>("offset");
        QTest::addColumn<char>("value");
        QTest::newRow("a cell's byte") << 3 << 12 << 'Z';
        QTest::newRow("a length of a gigabyte") << 4 << 3 << '\x7f';
        QTest::newRow("the kind") << 5 << 4 << '\x09';
    }
    void damageStopsTheRecovery()
    {
        QFETCH(int, record);
        QFETCH(int, offset);
        QFETCH(char, value);
        const Recorded recorded = recordEveryKind();
        std::string bytes = recorded.bytes;
        bytes[recorded.ends[record - 1] + offset] = value;
        const RecoveredWork work = ReadRecoveryJournalBytes(bytes);
        QVERIFY(work.damaged);
        QCOMPARE(work.changes, static_cast<int64_t>(record));
        QVERIFY(sameSheet(work.sheet, recorded.after[record - 1]));
    }

    // A sheet larger than one record is written list by list; cut or
    // damaged anywhere in it, none of it is taken and the change before it
    // stands.
    void aWholeSheetIsTakenOnlyWhenComplete()
    {
        CalcSheet sheet;
        for (int r = 0; r < 30000; ++r)
            sheet.appendCalculation(rowsFor(std::to_string(r)));
        sheet.setCell(TimecodeFormat::Film, 7, DescriptionColumn, std::string(200, 'd'));
        JournalRecords records;
        records.bytes().assign(kJournalMagic);
        records.fileName("/work/big.obr");
        const size_t sheetStart = records.bytes().size();
        records.wholeSheet(sheet);
        const std::string& bytes = records.bytes();
        QVERIFY(bytes.size() - sheetStart > 6 * kSheetRecordBytes);

        const RecoveredWork whole = ReadRecoveryJournalBytes(bytes);
        QVERIFY(!whole.damaged);
        QCOMPARE(whole.changes, int64_t(2));
        QVERIFY(sameSheet(whole.sheet, sheet));

        std::mt19937 random(7);
        for (int i = 0; i < 20; ++i) {
            const size_t at = std::uniform_int_distribution<size_t>(sheetStart, bytes.size() - 1)(random);
            std::string damaged = bytes;
            damaged[at] = static_cast<char>(damaged[at] ^ 0x20);
            for (const std::string_view journal : {std::string_view(bytes).substr(0, at), std::string_view(damaged)}) {
                const RecoveredWork work = ReadRecoveryJournalBytes(journal);
                QVERIFY(work.damaged);
                QCOMPARE(work.changes, int64_t(1));
                QCOMPARE(work.fileName, std::string("/work/big.obr"));
                QCOMPARE(work.sheet.rowCount(), int64_t(0));
            }
        }
    }

    void aFileThatIsNoJournalIsNotRead()
    {
        QVERIFY(!ReadRecoveryJournalBytes("OMBRJRN").readable);
        QVERIFY(!ReadRecoveryJournalBytes("Calc\n00:00:00:00").readable);
        QVERIFY(!ReadRecoveryJournal("/nonexistent/ombrel.journal").readable);
    }

    // The live journal: started with the whole sheet, each change after it,
    // on the disk after flush; discard removes the file.
    void theLiveJournalWritesAndDiscards()
    {
        QTemporaryDir folder;
        const std::string path = folder.filePath("own.journal").toStdString();
        SheetJournal journal(path);
        CalcSheet sheet;
        sheet.appendCalculation(rowsFor("a"));
        journal.setFileName("/work/a.obr");
        journal.inserted(sheet, 0); // not started yet: nothing recorded
        journal.flush();
        QVERIFY(!std::filesystem::exists(path));
        journal.start(sheet);
        sheet.appendCalculation(rowsFor("b"));
        journal.inserted(sheet, 1);
        sheet.setCell(TimecodeFormat::NonDrop, 0, DescriptionColumn, "edited");
        journal.cellSet(TimecodeFormat::NonDrop, 0, DescriptionColumn, "edited");
        journal.flush();
        const RecoveredWork work = ReadRecoveryJournal(path);
        QVERIFY(!work.damaged);
        QCOMPARE(work.fileName, std::string("/work/a.obr"));
        QVERIFY(sameSheet(work.sheet, sheet));
        QCOMPARE(journal.error(), std::string());
        journal.discard();
        journal.flush();
        QVERIFY(!std::filesystem::exists(path));
    }
};

OMBREL_TEST_CLASS(RecoveryJournalTest)
#include "recovery_journal_test.moc"
