#include "list/uniform_row_table.h"
#include "test_registry.h"

#include <QHeaderView>
#include <QImage>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTest>

using namespace ombrel;

namespace {

// The same rows in the table that finds rows by arithmetic and in the
// QTableView it stands for, scrolling by rows, side by side.
struct TwoTables {
    explicit TwoTables(int rows)
    {
        for (int row = 0; row < rows; ++row)
            for (int column = 0; column < 3; ++column)
                model.setItem(row, column, new QStandardItem(QString("r%1 c%2").arg(row).arg(column)));
        qtTable.setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
        for (QTableView* table : {static_cast<QTableView*>(&ours), &qtTable}) {
            table->setModel(&model);
            table->verticalHeader()->hide();
            table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
            table->verticalHeader()->setDefaultSectionSize(18);
            table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            table->resize(300, 203);
            table->show();
        }
    }
    void forBoth(const std::function<void(QTableView*)>& change)
    {
        change(&ours);
        change(&qtTable);
        QCoreApplication::processEvents();
    }

    QStandardItemModel model;
    UniformRowTable ours;
    QTableView qtTable;
};

} // namespace

class UniformRowTableTest : public QObject {
    Q_OBJECT
private slots:
    // Same pixels, same cells under the pointer and the same rectangles as
    // QTableView, wherever the list is scrolled and whatever is selected.
    void looksAndAnswersAsQTableView_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("scrollTo");
        QTest::addColumn<bool>("grid");
        QTest::addColumn<bool>("alternate");
        QTest::addColumn<int>("selected");
        QTest::newRow("fewer rows than fit") << 4 << -1 << true << false << 2;
        QTest::newRow("at the end") << 500 << 499 << true << false << 497;
        QTest::newRow("in the middle") << 500 << 250 << true << true << 250;
        QTest::newRow("at the top, no grid") << 500 << 0 << false << true << 1;
        QTest::newRow("at the end, no grid") << 500 << 499 << false << false << -1;
    }
    void looksAndAnswersAsQTableView()
    {
        QFETCH(int, rows);
        QFETCH(int, scrollTo);
        QFETCH(bool, grid);
        QFETCH(bool, alternate);
        QFETCH(int, selected);
        TwoTables tables(rows);
        QVERIFY(QTest::qWaitForWindowExposed(&tables.ours));
        QVERIFY(QTest::qWaitForWindowExposed(&tables.qtTable));
        tables.forBoth([&](QTableView* table) {
            table->setShowGrid(grid);
            table->setAlternatingRowColors(alternate);
            if (selected >= 0)
                table->setCurrentIndex(table->model()->index(selected, 1));
            if (scrollTo >= 0)
                table->scrollTo(table->model()->index(scrollTo, 0));
        });
        QCOMPARE(tables.ours.grab().toImage(), tables.qtTable.grab().toImage());
        for (const QPoint point : {QPoint(5, 5), QPoint(150, 100), QPoint(250, 190), QPoint(299, 202)}) {
            const QModelIndex index = tables.qtTable.indexAt(point);
            QCOMPARE(tables.ours.indexAt(point), index);
            QCOMPARE(tables.ours.visualRect(index), tables.qtTable.visualRect(index));
        }
    }

    // Dragging the slider, the wheel and the page keys leave the first row
    // wholly in sight, as scrolling by rows does; the end shows the last
    // row at the bottom.
    void scrollsByWholeRows()
    {
        TwoTables tables(500);
        QVERIFY(QTest::qWaitForWindowExposed(&tables.ours));
        QScrollBar* bar = tables.ours.verticalScrollBar();
        bar->setSliderPosition(18 * 40 + 11);
        QCOMPARE(bar->value(), 18 * 41);
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(bar->value() % 18, 0);
        tables.forBoth([](QTableView* table) { table->scrollToBottom(); });
        QCOMPARE(tables.ours.grab().toImage(), tables.qtTable.grab().toImage());
        QCOMPARE(tables.ours.indexAt(QPoint(5, 5)), tables.qtTable.indexAt(QPoint(5, 5)));
        const QRect last = tables.ours.visualRect(tables.model.index(499, 0));
        QVERIFY(tables.ours.viewport()->rect().contains(last));
    }
};

OMBREL_TEST_CLASS(UniformRowTableTest)

#include "uniform_row_table_test.moc"
