#include "list/list_headers.h"
#include "list/list_model.h"
#include "test_registry.h"

#include <QAbstractItemModelTester>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QProgressBar>
#include <QSignalSpy>
#include <QStyle>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace ombrel;

namespace {

// Six lists over one sheet side by side, the Sort button and the progress
// bar, as the main window holds them.
struct Lists {
    // The headers take the first `added` lists at once, the others when
    // the test adds them.
    explicit Lists(const std::vector<std::string>& inKeys = {}, int added = kFormatCount)
    {
        for (size_t r = 0; r < inKeys.size(); ++r) {
            std::array<RowCells, kFormatCount> rows;
            for (int f = 0; f < kFormatCount; ++f) {
                const std::string tag = "r" + std::to_string(r);
                rows[f] = {f == 0 ? inKeys[r] : tag, "+", tag, "=", tag, "", "note " + tag};
            }
            models.appendCalculation(rows);
        }
        auto* layout = new QHBoxLayout(&window);
        for (int f = 0; f < kFormatCount; ++f) {
            lists[f] = new QTableView;
            lists[f]->setModel(models.model(FormatAt(f)));
            layout->addWidget(lists[f]);
            testers.push_back(std::make_unique<QAbstractItemModelTester>(
                models.model(FormatAt(f)), QAbstractItemModelTester::FailureReportingMode::QtTest));
        }
        layout->addWidget(&sortButton);
        progressBar.setParent(&window);
        progressBar.hide();
        ColumnWidths columns;
        columns.fill(40);
        headers = std::make_unique<ListHeaders>(models, columns, sortButton, progressBar);
        for (int f = 0; f < added; ++f)
            headers->addList(f, lists[f]);
        window.resize(2400, 300);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            qWarning("window not exposed");
    }

    QHeaderView* header(int f) const { return lists[f]->horizontalHeader(); }
    QPoint sectionMiddle(int f, int section) const
    {
        return {header(f)->sectionViewportPosition(section) + header(f)->sectionSize(section) / 2,
                header(f)->height() / 2};
    }
    // Clicks a section with the mouse, as the user does.
    void click(int f, int section) const
    {
        QTest::mouseClick(header(f)->viewport(), Qt::LeftButton, {}, sectionMiddle(f, section));
    }
    // Drags the divider at the right edge of a section by dx pixels.
    void dragDivider(int f, int section, int dx) const
    {
        QWidget* viewport = header(f)->viewport();
        const QPoint start(header(f)->sectionViewportPosition(section) + header(f)->sectionSize(section) - 1,
                           header(f)->height() / 2);
        QTest::mousePress(viewport, Qt::LeftButton, {}, start);
        for (int step = 1; step <= 4; ++step)
            QTest::mouseMove(viewport, start + QPoint(dx * step / 4, 0));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, start + QPoint(dx, 0));
    }
    std::vector<std::string> column(TimecodeFormat format, int column) const
    {
        std::vector<std::string> cells;
        for (int64_t row = 0; row < models.calcCount(); ++row)
            cells.emplace_back(models.sheet().cell(format, row, column));
        return cells;
    }

    SheetModels models;
    QWidget window;
    std::array<QTableView*, kFormatCount> lists{};
    QToolButton sortButton;
    QProgressBar progressBar;
    std::unique_ptr<ListHeaders> headers;
    std::vector<std::unique_ptr<QAbstractItemModelTester>> testers;
};

using Picture = ListHeaders::SortPicture;
using Keys = std::vector<std::string>;

} // namespace

Q_DECLARE_METATYPE(Picture)

class ListHeadersTest : public QObject {
    Q_OBJECT
private slots:
    void sortCommandCycles()
    {
        Lists lists;
        const auto shows = [&](Picture picture, bool on, const QString& hint) {
            QCOMPARE(lists.headers->sortPicture(), picture);
            QCOMPARE(lists.headers->sortOn(), on);
            QCOMPARE(lists.sortButton.toolTip(), hint);
            QCOMPARE(lists.sortButton.isChecked(), picture != Picture::Sort);
            for (int f = 0; f < kFormatCount; ++f)
                QCOMPARE(lists.header(f)->viewport()->cursor().shape(),
                         picture == Picture::Sort ? Qt::ArrowCursor : Qt::PointingHandCursor);
        };
        shows(Picture::Sort, false, "Sort");
        lists.headers->Sort1Click();
        shows(Picture::Ascending, true, "Sort Ascending - Click on a header");
        lists.headers->Sort1Click();
        shows(Picture::Descending, true, "Sort Descending - Click on a header");
        lists.headers->Sort1Click();
        shows(Picture::Sort, false, "Sort");
    }

    // New clears the mode but leaves the button: the cycle goes on from
    // the picture.
    void afterNewTheCycleFollowsThePicture_data()
    {
        QTest::addColumn<int>("presses");
        QTest::addColumn<Picture>("next");
        QTest::newRow("ascending shown") << 1 << Picture::Descending;
        QTest::newRow("descending shown") << 2 << Picture::Ascending;
    }
    void afterNewTheCycleFollowsThePicture()
    {
        QFETCH(int, presses);
        QFETCH(Picture, next);
        Lists lists({"b", "a"});
        for (int i = 0; i < presses; ++i)
            lists.headers->Sort1Click();
        lists.headers->clearSortMode();
        lists.click(0, InColumn);
        QCOMPARE(lists.column(TimecodeFormat::NonDrop, InColumn), (Keys{"b", "a"}));
        lists.headers->Sort1Click();
        QCOMPARE(lists.headers->sortPicture(), next);
        QVERIFY(lists.headers->sortOn());
    }

    void aClickSortsEveryListOnceThenTheModeIsOff()
    {
        Lists lists({"00:00:03:00", "00:00:01:00", "00:00:02:00"});
        lists.models.setWorkModified(false);
        lists.click(0, InColumn);
        QVERIFY(!lists.models.workModified());
        QCOMPARE(lists.column(TimecodeFormat::NonDrop, InColumn), (Keys{"00:00:03:00", "00:00:01:00", "00:00:02:00"}));

        lists.headers->Sort1Click();
        lists.click(0, InColumn);
        QVERIFY(lists.models.workModified());
        QCOMPARE(lists.column(TimecodeFormat::NonDrop, InColumn), (Keys{"00:00:01:00", "00:00:02:00", "00:00:03:00"}));
        for (int f = 1; f < kFormatCount; ++f) {
            QCOMPARE(lists.column(FormatAt(f), OutColumn), (Keys{"r1", "r2", "r0"}));
            QCOMPARE(lists.column(FormatAt(f), DescriptionColumn), (Keys{"note r1", "note r2", "note r0"}));
        }
        QCOMPARE(lists.models.model(TimecodeFormat::PAL)->index(0, OutColumn).data().toString(), QString("r1"));
        QCOMPARE(lists.headers->sortPicture(), Picture::Sort);
        QVERIFY(!lists.headers->sortOn());
        QVERIFY(lists.progressBar.isHidden());

        // One sort per switch: the next click does nothing.
        lists.click(0, OutColumn);
        QCOMPARE(lists.column(TimecodeFormat::NonDrop, InColumn), (Keys{"00:00:01:00", "00:00:02:00", "00:00:03:00"}));

        // Descending reverses it.
        lists.headers->Sort1Click();
        lists.headers->Sort1Click();
        lists.click(0, InColumn);
        QCOMPARE(lists.column(TimecodeFormat::NonDrop, InColumn), (Keys{"00:00:03:00", "00:00:02:00", "00:00:01:00"}));
        QCOMPARE(lists.column(TimecodeFormat::Frames, InColumn), (Keys{"r0", "r2", "r1"}));
    }

    void theKeyIsTheClickedColumnOfNonDrop()
    {
        Lists lists({"a", "b", "c"});
        lists.headers->Sort1Click();
        lists.headers->Sort1Click();
        lists.click(0, DescriptionColumn);
        QCOMPARE(lists.column(TimecodeFormat::NonDrop, DescriptionColumn), (Keys{"note r2", "note r1", "note r0"}));
    }

    // The spacer sections of the NonDrop header and every section of the
    // other headers ignore clicks; the last NonDrop section toggles the
    // descriptions in any mode.
    void onlySomeSectionsAnswerAClick_data()
    {
        QTest::addColumn<int>("list");
        QTest::addColumn<int>("section");
        QTest::addColumn<bool>("sorts");
        QTest::addColumn<bool>("toggles");
        QTest::newRow("NonDrop In") << 0 << 0 << true << false;
        QTest::newRow("NonDrop operator") << 0 << 1 << false << false;
        QTest::newRow("NonDrop Out") << 0 << 2 << true << false;
        QTest::newRow("NonDrop =") << 0 << 3 << false << false;
        QTest::newRow("NonDrop Duration") << 0 << 4 << true << false;
        QTest::newRow("NonDrop spacer") << 0 << 5 << false << false;
        QTest::newRow("NonDrop toggle") << 0 << 7 << false << true;
        QTest::newRow("DropFrm In") << 1 << 0 << false << false;
        QTest::newRow("DropFrm toggle") << 1 << 7 << false << false;
        QTest::newRow("Frames Duration") << 5 << 4 << false << false;
    }
    void onlySomeSectionsAnswerAClick()
    {
        QFETCH(int, list);
        QFETCH(int, section);
        QFETCH(bool, sorts);
        QFETCH(bool, toggles);
        Lists lists({"b", "a"});
        lists.models.setWorkModified(false);
        QSignalSpy toggled(lists.headers.get(), &ListHeaders::descriptionsToggled);
        QSignalSpy pressed(lists.header(list), &QHeaderView::sectionPressed);
        lists.headers->Sort1Click();
        lists.click(list, section);
        QCOMPARE(lists.models.workModified(), sorts);
        QCOMPARE(toggled.count(), toggles ? 1 : 0);
        QCOMPARE(lists.headers->sortOn(), !sorts);
        if (list == 0 && !sorts && !toggles)
            QCOMPARE(pressed.count(), 0);
    }

    void aSortOfOneRowOrNoneChangesNothing()
    {
        Lists one({"x"});
        one.headers->Sort1Click();
        one.click(0, InColumn);
        QCOMPARE(one.column(TimecodeFormat::NonDrop, InColumn), (Keys{"x"}));
        QVERIFY(one.progressBar.isHidden());
        Lists none;
        none.headers->Sort1Click();
        none.click(0, InColumn);
        QCOMPARE(none.models.calcCount(), 0);
        QVERIFY(none.progressBar.isHidden());
    }

    // A divider dragged on any header sizes that column in all six lists,
    // within the section's limits less its margin.
    void dividerDragsSizeEveryList_data()
    {
        QTest::addColumn<int>("list");
        QTest::addColumn<int>("section");
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("width");
        QTest::newRow("In to 300 stops at 200") << 2 << 0 << 260 << 196;
        QTest::newRow("In narrowed") << 0 << 0 << -10 << 30;
        QTest::newRow("In to its minimum") << 0 << 0 << -60 << 16;
        QTest::newRow("operator to its maximum") << 3 << 1 << 100 << 29;
        QTest::newRow("Duration") << 5 << 4 << 200 << 197;
        QTest::newRow("spacer on DropFrm") << 1 << 5 << 100 << 28;
        QTest::newRow("spacer on DropFrm, narrow") << 1 << 5 << -60 << 3;
        QTest::newRow("description to 300") << 0 << 6 << 400 << 298;
    }
    void dividerDragsSizeEveryList()
    {
        QFETCH(int, list);
        QFETCH(int, section);
        QFETCH(int, dx);
        QFETCH(int, width);
        Lists lists({"a"});
        QSignalSpy resized(lists.headers.get(), &ListHeaders::columnsResized);
        QSignalSpy ended(lists.headers.get(), &ListHeaders::columnDragEnded);
        lists.dragDivider(list, section, dx);
        for (int f = 0; f < kFormatCount; ++f)
            QCOMPARE(lists.lists[f]->columnWidth(section), width);
        QVERIFY(resized.count() > 0);
        QCOMPARE(ended.count(), 1);
        QCOMPARE(lists.headers->columnWidths()[static_cast<size_t>(section)], width);
    }

    // The NonDrop spacer and every toggle section keep their widths; the
    // press is then an ordinary press, and nothing is saved.
    void fixedSectionsDoNotDrag_data()
    {
        QTest::addColumn<int>("list");
        QTest::addColumn<int>("section");
        QTest::newRow("NonDrop spacer") << 0 << 5;
        QTest::newRow("NonDrop toggle") << 0 << 7;
        QTest::newRow("PAL toggle") << 2 << 7;
    }
    void fixedSectionsDoNotDrag()
    {
        QFETCH(int, list);
        QFETCH(int, section);
        Lists lists({"a"});
        QSignalSpy ended(lists.headers.get(), &ListHeaders::columnDragEnded);
        const int before = lists.lists[list]->columnWidth(section);
        lists.dragDivider(list, section, 50);
        QCOMPARE(lists.lists[list]->columnWidth(section), before);
        QCOMPARE(ended.count(), 0);
    }

    // Widths set by the program (the preferences) are not held to the
    // drag limits and are not saved as a drag.
    void widthsSetByTheProgramStayAsSet()
    {
        Lists lists({"a"});
        QSignalSpy resized(lists.headers.get(), &ListHeaders::columnsResized);
        lists.headers->setColumnWidth(InColumn, 250);
        for (QTableView* list : lists.lists)
            QCOMPARE(list->columnWidth(InColumn), 250);
        QCOMPARE(lists.headers->columnWidths()[InColumn], 250);
        QCOMPARE(resized.count(), 0);
    }

    // A list added after widths were dragged and set and the sort mode
    // turned on looks and answers like the others.
    void aListAddedLaterFollowsTheOthers()
    {
        Lists lists({"b", "a"}, 1);
        lists.dragDivider(0, InColumn, -10);
        lists.headers->setColumnWidth(ResultColumn, 120);
        lists.headers->Sort1Click();
        for (int f = 1; f < kFormatCount; ++f)
            lists.headers->addList(f, lists.lists[f]);
        for (QTableView* list : lists.lists) {
            QCOMPARE(list->columnWidth(InColumn), 30);
            QCOMPARE(list->columnWidth(ResultColumn), 120);
            QCOMPARE(list->columnWidth(kToggleSection), lists.lists[0]->columnWidth(kToggleSection));
            QCOMPARE(list->horizontalHeader()->viewport()->cursor().shape(), Qt::PointingHandCursor);
        }
        QVERIFY(!lists.header(2)->sectionsClickable());
        lists.dragDivider(2, OutColumn, 20);
        QCOMPARE(lists.lists[0]->columnWidth(OutColumn), 60);
        lists.click(0, InColumn);
        QCOMPARE(lists.column(TimecodeFormat::NonDrop, InColumn), (Keys{"a", "b"}));
    }
};

OMBREL_TEST_CLASS(ListHeadersTest)
#include "list_headers_test.moc"
