#include "list/sheet_ops.h"
#include "calc_lists.h"
#include "test_registry.h"

#include <QTest>

#include <algorithm>
#include <numeric>

using namespace ombrel;

using ombrel::test::listOf;

namespace {

using Order = std::vector<int64_t>;

// A sheet whose NonDrop column `column` holds `keys`; every other cell of
// row r names the row, so the tests can follow the rows.
CalcSheet sheetWithKeys(const std::vector<std::string>& keys, int column = InColumn)
{
    CalcSheet sheet;
    for (size_t r = 0; r < keys.size(); ++r) {
        std::array<RowCells, kFormatCount> rows;
        for (int f = 0; f < kFormatCount; ++f) {
            const std::string tag = "r" + std::to_string(r) + "f" + std::to_string(f);
            rows[f] = {tag, "+", tag, "=", tag, "", tag};
        }
        rows[0][column] = keys[r];
        sheet.appendCalculation(rows);
    }
    return sheet;
}

std::vector<std::string> keysInOrder(const CalculationList& list, const Order& order, int column = InColumn)
{
    std::vector<std::string> keys;
    for (int64_t row : order)
        keys.emplace_back(list.cell(row, column));
    return keys;
}

} // namespace

Q_DECLARE_METATYPE(Order)
Q_DECLARE_METATYPE(std::vector<std::string>)
Q_DECLARE_METATYPE(SortDirection)

class SortOrderTest : public QObject {
    Q_OBJECT
private slots:
    // Worked out by hand, exchange by exchange, from the middle-pivot
    // quicksort; a stable sort would give other orders for the equal keys.
    void equalKeysFollowTheExchanges_data()
    {
        QTest::addColumn<std::vector<std::string>>("keys");
        QTest::addColumn<SortDirection>("direction");
        QTest::addColumn<Order>("order");
        const std::vector<std::string> bab{"B", "A", "B", "A", "B"};
        QTest::newRow("ascending") << bab << SortDirection::Ascending << Order{3, 1, 4, 0, 2};
        QTest::newRow("descending") << bab << SortDirection::Descending << Order{2, 4, 0, 3, 1};
        QTest::newRow("all equal") << std::vector<std::string>{"x", "x", "x", "x"} << SortDirection::Ascending
                                   << Order{2, 3, 0, 1};
        QTest::newRow("one row") << std::vector<std::string>{"x"} << SortDirection::Descending << Order{0};
        QTest::newRow("no row") << std::vector<std::string>{} << SortDirection::Ascending << Order{};
    }
    void equalKeysFollowTheExchanges()
    {
        QFETCH(std::vector<std::string>, keys);
        QFETCH(SortDirection, direction);
        QFETCH(Order, order);
        const CalcSheet sheet = sheetWithKeys(keys);
        QCOMPARE(SortOrder(sheet.list(TimecodeFormat::NonDrop), InColumn, direction), order);
    }

    // By character code: a prefix before the longer text, the empty text
    // first, capitals before small letters, timecodes in time order.
    void keysCompareByCharacterCode_data()
    {
        QTest::addColumn<std::vector<std::string>>("keys");
        QTest::addColumn<std::vector<std::string>>("sorted");
        QTest::newRow("descriptions") << std::vector<std::string>{"b", "Ba", "", "a", "B", "caf\xC3\xA9", "cafe"}
                                      << std::vector<std::string>{"", "B", "Ba", "a", "b", "cafe", "caf\xC3\xA9"};
        QTest::newRow("timecodes") << std::vector<std::string>{"10:00:00:00", "00:59:59:29", "01:00:00:00",
                                                               "00:00:00:01", "23:59:59:29"}
                                   << std::vector<std::string>{"00:00:00:01", "00:59:59:29", "01:00:00:00",
                                                               "10:00:00:00", "23:59:59:29"};
    }
    void keysCompareByCharacterCode()
    {
        QFETCH(std::vector<std::string>, keys);
        QFETCH(std::vector<std::string>, sorted);
        const CalcSheet sheet = sheetWithKeys(keys, DescriptionColumn);
        const CalculationList& list = sheet.list(TimecodeFormat::NonDrop);
        QCOMPARE(keysInOrder(list, SortOrder(list, DescriptionColumn, SortDirection::Ascending), DescriptionColumn),
                 sorted);
        std::reverse(sorted.begin(), sorted.end());
        QCOMPARE(keysInOrder(list, SortOrder(list, DescriptionColumn, SortDirection::Descending), DescriptionColumn),
                 sorted);
    }

    // Many rows with many duplicates: every row once, keys in order.
    void largeSheetsComeOutSortedAndWhole()
    {
        std::vector<std::string> keys;
        uint32_t seed = 7;
        for (int i = 0; i < 20000; ++i) {
            seed = seed * 1664525u + 1013904223u;
            keys.push_back(std::to_string(seed % 500));
        }
        const CalcSheet sheet = sheetWithKeys(keys);
        const CalculationList& list = sheet.list(TimecodeFormat::NonDrop);
        for (SortDirection direction : {SortDirection::Ascending, SortDirection::Descending}) {
            Order order = SortOrder(list, InColumn, direction);
            std::vector<std::string> expected = keys;
            std::sort(expected.begin(), expected.end());
            if (direction == SortDirection::Descending)
                std::reverse(expected.begin(), expected.end());
            QCOMPARE(keysInOrder(list, order), expected);
            std::sort(order.begin(), order.end());
            Order every(keys.size());
            std::iota(every.begin(), every.end(), 0);
            QCOMPARE(order, every);
        }
    }

    void progressRisesFromZero()
    {
        std::vector<std::string> keys;
        for (int i = 0; i < 1000; ++i)
            keys.push_back(std::to_string((i * 7919) % 1000));
        const CalcSheet sheet = sheetWithKeys(keys);
        std::vector<int> reported;
        SortOrder(sheet.list(TimecodeFormat::NonDrop), InColumn, SortDirection::Ascending,
                  [&reported](int percent) { reported.push_back(percent); });
        QVERIFY(reported.size() > 50);
        QCOMPARE(reported.front(), 0);
        QVERIFY(std::is_sorted(reported.begin(), reported.end()));
        QVERIFY(std::adjacent_find(reported.begin(), reported.end()) == reported.end());
        QVERIFY(reported.back() <= 100);
    }

    // Every list follows the key list's order, descriptions included.
    void reorderMovesWholeRowsInEveryList()
    {
        CalcSheet sheet = sheetWithKeys({"c", "a", "b"});
        sheet.setCell(TimecodeFormat::Frames, 1, DescriptionColumn, "first");
        const Order order = SortOrder(sheet.list(TimecodeFormat::NonDrop), InColumn, SortDirection::Ascending);
        QCOMPARE(order, (Order{1, 2, 0}));
        sheet.reorder(order);
        QCOMPARE(sheet.cell(TimecodeFormat::NonDrop, 0, InColumn), std::string_view("a"));
        for (int f = 1; f < kFormatCount; ++f) {
            const std::string suffix = "f" + std::to_string(f);
            QCOMPARE(sheet.cell(FormatAt(f), 0, OutColumn), "r1" + suffix);
            QCOMPARE(sheet.cell(FormatAt(f), 1, ResultColumn), "r2" + suffix);
            QCOMPARE(sheet.cell(FormatAt(f), 2, InColumn), "r0" + suffix);
        }
        QCOMPARE(sheet.cell(TimecodeFormat::Frames, 0, DescriptionColumn), std::string_view("first"));
        QCOMPARE(sheet.cell(TimecodeFormat::Frames, 2, DescriptionColumn), std::string_view("r0f5"));
    }
};

class FindTest : public QObject {
    Q_OBJECT
private slots:
    void cellMatches_data()
    {
        QTest::addColumn<QByteArray>("cell");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("wholeWord");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<bool>("matches");
        QTest::newRow("inside") << QByteArray("00:01:00:00") << QByteArray("01:00") << false << false << true;
        QTest::newRow("whole needs all") << QByteArray("00:01:00:00") << QByteArray("01:00") << true << false << false;
        QTest::newRow("whole equal") << QByteArray("01:00") << QByteArray("01:00") << true << false << true;
        QTest::newRow("case folded") << QByteArray("xAbCx") << QByteArray("abc") << false << false << true;
        QTest::newRow("case kept") << QByteArray("xAbCx") << QByteArray("abc") << false << true << false;
        QTest::newRow("case kept, same") << QByteArray("xabcx") << QByteArray("abc") << false << true << true;
        QTest::newRow("whole, folded") << QByteArray("ABC") << QByteArray("abc") << true << false << true;
        QTest::newRow("whole, case kept") << QByteArray("ABC") << QByteArray("abc") << true << true << false;
        QTest::newRow("only a-z fold") << QByteArray("caf\xC3\xA9") << QByteArray("CAF\xC3\x89") << false << false
                                       << false;
        QTest::newRow("other bytes stay")
            << QByteArray("caf\xC3\xA9") << QByteArray("CAF\xC3\xA9") << false << false << true;
        QTest::newRow("longer than cell") << QByteArray("ab") << QByteArray("abc") << false << false << false;
        QTest::newRow("empty occurs nowhere") << QByteArray("") << QByteArray("") << false << false << false;
        QTest::newRow("empty equals empty") << QByteArray("") << QByteArray("") << true << false << true;
        QTest::newRow("at the end") << QByteArray("Reel 4") << QByteArray("L 4") << false << false << true;
    }
    void cellMatches()
    {
        QFETCH(QByteArray, cell);
        QFETCH(QByteArray, text);
        QFETCH(bool, wholeWord);
        QFETCH(bool, matchCase);
        QFETCH(bool, matches);
        QCOMPARE(CellMatches(cell.toStdString(), text.toStdString(), {wholeWord, matchCase}), matches);
    }

    // Row by row, left to right, each Find Next after the cell before; at
    // the end one "not found", then nothing until the position is reset.
    void findNextWalksTheListOnce_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("wholeWord");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<QList<QPoint>>("cells"); // x column, y row
        QTest::newRow("01:00") << QByteArray("01:00") << false << false
                               << QList<QPoint>{{0, 0}, {2, 0}, {4, 0}, {2, 2}};
        QTest::newRow("whole timecode") << QByteArray("01:00:00:00") << true << false << QList<QPoint>{{0, 0}, {2, 2}};
        QTest::newRow("abc") << QByteArray("abc") << false << false << QList<QPoint>{{6, 0}, {6, 1}, {6, 2}};
        QTest::newRow("abc, case") << QByteArray("abc") << false << true << QList<QPoint>{};
        QTest::newRow("operator") << QByteArray("%") << false << false << QList<QPoint>{{1, 2}};
        QTest::newRow("empty") << QByteArray() << false << false << QList<QPoint>{};
        QTest::newRow("empty, whole") << QByteArray() << true << false << QList<QPoint>{{5, 0}, {5, 1}, {5, 2}};
    }
    void findNextWalksTheListOnce()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, wholeWord);
        QFETCH(bool, matchCase);
        QFETCH(QList<QPoint>, cells);
        const CalculationList list = listOf({
            {"01:00:00:00", "+", "00:01:00:00", "=", "01:01:00:00", "", "ABC"},
            {"00:00:10:00", "-", "00:00:05:00", "=", "00:00:05:00", "", "xAbCx"},
            {"50", "%", "01:00:00:00", "=", "00:30:00:00", "", "Abc def"},
        });
        FindPosition position;
        const FindOptions options{wholeWord, matchCase};
        for (const QPoint& cell : cells) {
            const FindResult result = FindNext(list, position, text.toStdString(), options);
            QCOMPARE(result.outcome, FindResult::Found);
            QCOMPARE(QPoint(result.column, int(result.row)), cell);
        }
        QCOMPARE(FindNext(list, position, text.toStdString(), options).outcome, FindResult::NotFound);
        QCOMPARE(FindNext(list, position, text.toStdString(), options).outcome, FindResult::Exhausted);
        position = {};
        QCOMPARE(FindNext(list, position, text.toStdString(), options).outcome,
                 cells.isEmpty() ? FindResult::NotFound : FindResult::Found);
    }

    void anEmptyListHasNothingToSearch()
    {
        FindPosition position;
        QCOMPARE(FindNext(CalculationList(), position, "x", {}).outcome, FindResult::Exhausted);
    }
};

OMBREL_TEST_CLASS(SortOrderTest)
OMBREL_TEST_CLASS(FindTest)
#include "sheet_ops_test.moc"
