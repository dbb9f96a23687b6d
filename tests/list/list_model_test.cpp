#include "list/list_model.h"
#include "test_registry.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

using namespace ombrel;

namespace {

std::array<RowCells, kFormatCount> rowsFor(const std::string& tag)
{
    std::array<RowCells, kFormatCount> rows;
    for (int f = 0; f < kFormatCount; ++f)
        rows[f] = {tag, "+", "out", "=", "result", "", ""};
    return rows;
}

// Every cell of the six lists, in order.
std::vector<RowCells> allCells(const CalcSheet& sheet)
{
    std::vector<RowCells> cells;
    for (int f = 0; f < kFormatCount; ++f)
        for (int64_t r = 0; r < sheet.rowCount(); ++r)
            cells.push_back(sheet.list(FormatAt(f)).row(r));
    return cells;
}

CalcSheet sheetOf(std::initializer_list<const char*> tags)
{
    CalcSheet sheet;
    for (const char* tag : tags)
        sheet.appendCalculation(rowsFor(tag));
    return sheet;
}

} // namespace

class ListModelTest : public QObject {
    Q_OBJECT
private slots:
    void everyChangeIsUndoneAndRedone_data();
    void everyChangeIsUndoneAndRedone();
    void undoingToTheSavedPointClearsWorkModified();
    void theHistoryKeepsFewWholeSheets();
    void anEmptyListShowsOneEmptyRow()
    {
        SheetModels models;
        ListModel* model = models.model(TimecodeFormat::PAL);
        QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model->rowCount(), 1);
        QCOMPARE(model->columnCount(), kColumnCount + 1);
        QCOMPARE(model->index(0, InColumn).data().toString(), QString());
    }

    // The longest description is drawn from its start only; editing gets
    // all of it.
    void longCellsAreShownCut_data()
    {
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("shown");
        QTest::newRow("short") << "Scene 1"
                               << "Scene 1";
        QTest::newRow("just fits") << QString(1024, 'a') << QString(1024, 'a');
        QTest::newRow("longest allowed") << QString(65536, 'b') << QString(1024, 'b') + QChar(0x2026);
        // 1023 bytes, then a two-byte character that would be cut in half.
        QTest::newRow("cut before a character")
            << QString(1023, 'c') + QString(100, QChar(0xE9)) << QString(1023, 'c') + QChar(0x2026);
    }
    void longCellsAreShownCut()
    {
        QFETCH(QString, description);
        QFETCH(QString, shown);
        SheetModels models;
        auto rows = rowsFor("first");
        for (RowCells& row : rows)
            row[DescriptionColumn] = description.toStdString();
        models.appendCalculation(rows);
        const QModelIndex cell = models.model(TimecodeFormat::User)->index(0, DescriptionColumn);
        QCOMPARE(cell.data(Qt::DisplayRole).toString(), shown);
        QCOMPARE(cell.data(Qt::EditRole).toString(), description);
    }

    void appendsAndResetsReachEveryModel()
    {
        SheetModels models;
        std::vector<std::unique_ptr<QAbstractItemModelTester>> testers;
        for (int f = 0; f < kFormatCount; ++f)
            testers.push_back(std::make_unique<QAbstractItemModelTester>(
                models.model(FormatAt(f)), QAbstractItemModelTester::FailureReportingMode::QtTest));
        ListModel* film = models.model(TimecodeFormat::Film);
        QSignalSpy inserted(film, &QAbstractItemModel::rowsInserted);
        QSignalSpy changed(film, &QAbstractItemModel::dataChanged);

        models.appendCalculation(rowsFor("first"));
        QCOMPARE(film->rowCount(), 1);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(inserted.count(), 0);
        models.appendCalculation(rowsFor("second"));
        QCOMPARE(film->rowCount(), 2);
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(film->index(1, InColumn).data().toString(), QString("second"));
        QCOMPARE(film->index(1, ListModel::kToggleColumn).data().toString(), QString());

        models.clear();
        QCOMPARE(film->rowCount(), 1);
        QCOMPARE(film->index(0, InColumn).data().toString(), QString());
    }

    // The count is the sheet's; removing the last calculation leaves the
    // empty row, and a new order moves kept indexes with their rows.
    void removalsAndNewOrdersReachEveryModel()
    {
        SheetModels models;
        std::vector<std::unique_ptr<QAbstractItemModelTester>> testers;
        for (int f = 0; f < kFormatCount; ++f)
            testers.push_back(std::make_unique<QAbstractItemModelTester>(
                models.model(FormatAt(f)), QAbstractItemModelTester::FailureReportingMode::QtTest));
        for (const char* tag : {"a", "b", "c"})
            models.appendCalculation(rowsFor(tag));
        ListModel* pal = models.model(TimecodeFormat::PAL);
        const QPersistentModelIndex onB = pal->index(1, OutColumn);

        models.setWorkModified(false);
        models.reorder({2, 0, 1});
        QVERIFY(!models.workModified());
        QCOMPARE(pal->index(0, InColumn).data().toString(), QString("c"));
        QCOMPARE(onB.row(), 2);
        QCOMPARE(onB.column(), int(OutColumn));

        models.removeCalculation(0);
        QVERIFY(models.workModified());
        QCOMPARE(models.calcCount(), 2);
        QCOMPARE(pal->rowCount(), 2);
        QCOMPARE(pal->index(0, InColumn).data().toString(), QString("a"));
        models.removeCalculation(1);
        models.removeCalculation(0);
        QCOMPARE(models.calcCount(), 0);
        QCOMPARE(pal->rowCount(), 1);
        QCOMPARE(pal->index(0, InColumn).data().toString(), QString());
    }

    void onlySavingOpeningAndClearingMarkTheWorkUnmodified()
    {
        SheetModels models;
        QVERIFY(!models.workModified());
        models.appendCalculation(rowsFor("a"));
        QVERIFY(models.workModified());
        models.replaceSheet(CalcSheet());
        QVERIFY(!models.workModified());
        models.appendCalculation(rowsFor("a"));
        models.clear();
        QVERIFY(!models.workModified());
        QCOMPARE(models.calcCount(), 0);
    }

    void headerSectionsFollowTheLabels()
    {
        SheetModels models;
        models.setHeaderLabels("TC1", "TC2", "Total");
        for (int f = 0; f < kFormatCount; ++f) {
            const ListModel* model = models.model(FormatAt(f));
            QCOMPARE(model->headerData(InColumn, Qt::Horizontal, Qt::DisplayRole).toString(), QString("TC1"));
            QCOMPARE(model->headerData(OutColumn, Qt::Horizontal, Qt::DisplayRole).toString(), QString("TC2"));
            QCOMPARE(model->headerData(ResultColumn, Qt::Horizontal, Qt::DisplayRole).toString(), QString("Total"));
            QCOMPARE(model->headerData(DescriptionColumn, Qt::Horizontal, Qt::DisplayRole).toString(),
                     QString("Descriptions"));
        }
        QCOMPARE(models.model(TimecodeFormat::NonDrop)->headerData(7, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QString("-"));
        QCOMPARE(models.model(TimecodeFormat::DropFrm)->headerData(7, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QString("<"));
        QCOMPARE(models.model(TimecodeFormat::PAL)->headerData(7, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QString());
    }
};

// Each change, undone, gives back exactly the sheet before it; redone, the
// sheet after it. WorkModified follows the saved point.
void ListModelTest::everyChangeIsUndoneAndRedone_data()
{
    QTest::addColumn<int>("change");
    QTest::newRow("append") << 0;
    QTest::newRow("delete") << 1;
    QTest::newRow("delete the first") << 2;
    QTest::newRow("new") << 3;
    QTest::newRow("sort") << 4;
    QTest::newRow("edit a description") << 5;
    QTest::newRow("open") << 6;
}

void ListModelTest::everyChangeIsUndoneAndRedone()
{
    QFETCH(int, change);
    SheetModels models;
    std::vector<std::unique_ptr<QAbstractItemModelTester>> testers;
    for (int f = 0; f < kFormatCount; ++f)
        testers.push_back(std::make_unique<QAbstractItemModelTester>(
            models.model(FormatAt(f)), QAbstractItemModelTester::FailureReportingMode::QtTest));
    for (const char* tag : {"c", "a", "b"})
        models.appendCalculation(rowsFor(tag));
    models.setWorkModified(false); // saved here
    const auto before = allCells(models.sheet());
    const int64_t countBefore = models.calcCount();

    switch (change) {
    case 0:
        models.appendCalculation(rowsFor("d"));
        break;
    case 1:
        models.removeCalculation(1);
        break;
    case 2:
        models.removeCalculation(0);
        break;
    case 3:
        models.clear();
        break;
    case 4:
        models.reorder({1, 2, 0});
        break;
    case 5:
        models.setCell(TimecodeFormat::PAL, 2, DescriptionColumn, "edited");
        break;
    case 6:
        models.replaceSheet(sheetOf({"x", "y"}));
        break;
    }
    const auto after = allCells(models.sheet());
    const int64_t countAfter = models.calcCount();
    const bool modifiedAfter = models.workModified();
    QVERIFY(after != before);

    models.undo();
    QCOMPARE(allCells(models.sheet()), before);
    QCOMPARE(models.calcCount(), countBefore);
    // New and Open are saved points of their own: undoing them leaves
    // work that differs from them.
    QCOMPARE(models.workModified(), change == 3 || change == 6);
    models.redo();
    QCOMPARE(allCells(models.sheet()), after);
    QCOMPARE(models.calcCount(), countAfter);
    QCOMPARE(models.workModified(), modifiedAfter);
    models.undo();
    models.undo();
    models.undo();
    models.undo();
    QCOMPARE(models.calcCount(), 0);
    QVERIFY(models.workModified());
}

// Undoing back to a Save clears WorkModified; a sort alone never sets it.
void ListModelTest::undoingToTheSavedPointClearsWorkModified()
{
    SheetModels models;
    models.appendCalculation(rowsFor("a"));
    models.appendCalculation(rowsFor("b"));
    models.setWorkModified(false);
    models.appendCalculation(rowsFor("c"));
    QVERIFY(models.workModified());
    models.undo();
    QVERIFY(!models.workModified());
    models.undo();
    QVERIFY(models.workModified());
    models.redo();
    QVERIFY(!models.workModified());
    models.reorder({1, 0});
    QVERIFY(!models.workModified());
    models.undo();
    QVERIFY(!models.workModified());
}

// The history keeps a bounded number of whole sheets: past it, the steps
// before are forgotten.
void ListModelTest::theHistoryKeepsFewWholeSheets()
{
    SheetModels models;
    for (int i = 0; i < SheetModels::kHistorySheets + 2; ++i) {
        models.appendCalculation(rowsFor(std::to_string(i)));
        models.clear();
    }
    int sheets = 0;
    for (int i = 0; i < models.history().count(); ++i)
        sheets += models.history().command(i)->text() == "New";
    QVERIFY(sheets <= SheetModels::kHistorySheets);
    QVERIFY(models.history().count() <= SheetModels::kHistorySteps);
}

OMBREL_TEST_CLASS(ListModelTest)
#include "list_model_test.moc"
