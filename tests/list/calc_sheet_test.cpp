#include "list/calc_sheet.h"
#include "test_registry.h"

#include <QTest>

using namespace ombrel;

namespace {

std::array<RowCells, kFormatCount> rowsFor(const std::string& tag)
{
    std::array<RowCells, kFormatCount> rows;
    for (int f = 0; f < kFormatCount; ++f)
        rows[f] = {tag + "-in-" + std::to_string(f), "+", tag + "-out", "=", tag + "-result", "", ""};
    return rows;
}

} // namespace

class CalcSheetTest : public QObject {
    Q_OBJECT
private slots:
    void listsStayAlignedThroughRowOperations()
    {
        CalcSheet sheet;
        for (const char* tag : {"a", "b", "c", "d"})
            sheet.appendCalculation(rowsFor(tag));
        sheet.swapRows(0, 3);
        sheet.reorder(std::vector<int64_t>{0, 2, 1, 3});
        sheet.removeRow(2);
        QCOMPARE(sheet.rowCount(), 3);
        for (int f = 0; f < kFormatCount; ++f) {
            QCOMPARE(sheet.list(FormatAt(f)).rowCount(), 3);
            QCOMPARE(sheet.cell(FormatAt(f), 0, InColumn), "d-in-" + std::to_string(f));
            QCOMPARE(sheet.cell(FormatAt(f), 1, OutColumn), std::string_view("c-out"));
            QCOMPARE(sheet.cell(FormatAt(f), 2, ResultColumn), std::string_view("a-result"));
        }
        sheet.clear();
        QCOMPARE(sheet.rowCount(), 0);
    }

    void cellsHoldAnyText_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("spaces") << QByteArray("  Scene 1  ");
        QTest::newRow("127 characters") << QByteArray(127, 'x');
        QTest::newRow("128 characters") << QByteArray(128, 'y');
        QTest::newRow("control and high bytes") << QByteArray("\x01\x1f\x7f\xc3\xa9\x00z", 7);
        QTest::newRow("larger than a chunk") << QByteArray(3 << 20, 'L');
    }
    void cellsHoldAnyText()
    {
        QFETCH(QByteArray, text);
        CalcSheet sheet;
        sheet.appendCalculation(rowsFor("a"));
        sheet.appendCalculation(rowsFor("b"));
        const std::string_view value(text.constData(), static_cast<size_t>(text.size()));
        sheet.setCell(TimecodeFormat::PAL, 0, DescriptionColumn, value);
        QCOMPARE(sheet.cell(TimecodeFormat::PAL, 0, DescriptionColumn), value);
        // The rest of the row and the other rows are untouched.
        QCOMPARE(sheet.cell(TimecodeFormat::PAL, 0, InColumn), std::string_view("a-in-2"));
        QCOMPARE(sheet.cell(TimecodeFormat::PAL, 1, DescriptionColumn), std::string_view(""));
        QCOMPARE(sheet.cell(TimecodeFormat::NonDrop, 0, DescriptionColumn), std::string_view(""));
        sheet.appendCalculation(rowsFor("c"));
        QCOMPARE(sheet.cell(TimecodeFormat::PAL, 2, ResultColumn), std::string_view("c-result"));
    }

    void manyRowsSpanChunks()
    {
        CalcSheet sheet;
        for (int i = 0; i < 50000; ++i)
            sheet.appendCalculation(rowsFor(std::to_string(i)));
        QCOMPARE(sheet.rowCount(), 50000);
        QCOMPARE(sheet.cell(TimecodeFormat::Frames, 49999, InColumn), std::string_view("49999-in-5"));
        QCOMPARE(sheet.cell(TimecodeFormat::NonDrop, 31234, OutColumn), std::string_view("31234-out"));
    }

    // Rows on both sides of the blocks the references are kept in move
    // through every row operation; a frozen copy taken before keeps the
    // rows as they were, and one taken after sees them as they are.
    void frozenCopiesKeepTheirRowsAcrossBlocks()
    {
        CalcSheet sheet;
        std::vector<int> tags; // the tag of each row, as the sheet should hold them
        for (int i = 0; i < 10000; ++i) {
            sheet.appendCalculation(rowsFor(std::to_string(i)));
            tags.push_back(i);
        }
        const CalcSheet frozen = sheet.frozenCopy();
        const std::vector<int> frozenTags = tags;
        for (const int64_t at : {int64_t(0), int64_t(4095), int64_t(4096), int64_t(8191), int64_t(9995)}) {
            sheet.removeRow(at);
            tags.erase(tags.begin() + at);
        }
        for (const int64_t at : {int64_t(4095), int64_t(0), int64_t(8192), int64_t(9995)}) {
            sheet.insertCalculation(at, rowsFor("new" + std::to_string(at)));
            tags.insert(tags.begin() + at, -static_cast<int>(at) - 1);
        }
        sheet.swapRows(1, 9000);
        std::swap(tags[1], tags[9000]);
        sheet.appendCalculation(rowsFor("last"));
        tags.push_back(-100000);
        auto tagOf = [](int tag) {
            return tag == -100000 ? std::string("last")
                   : tag < 0      ? "new" + std::to_string(-tag - 1)
                                  : std::to_string(tag);
        };
        auto check = [&](const CalcSheet& checked, const std::vector<int>& expected) {
            QCOMPARE(checked.rowCount(), static_cast<int64_t>(expected.size()));
            for (size_t r = 0; r < expected.size(); ++r)
                for (int f = 0; f < kFormatCount; ++f)
                    if (checked.cell(FormatAt(f), int64_t(r), InColumn) !=
                        tagOf(expected[r]) + "-in-" + std::to_string(f))
                        QFAIL(qPrintable(QString("row %1 of list %2: %3, not %4")
                                             .arg(r)
                                             .arg(f)
                                             .arg(QString::fromStdString(
                                                 std::string(checked.cell(FormatAt(f), int64_t(r), InColumn))))
                                             .arg(QString::fromStdString(tagOf(expected[r])))));
        };
        check(sheet, tags);
        check(frozen, frozenTags);
        const CalcSheet later = sheet.frozenCopy();
        sheet.removeRow(5000);
        check(later, tags);
    }
};

OMBREL_TEST_CLASS(CalcSheetTest)
#include "calc_sheet_test.moc"
