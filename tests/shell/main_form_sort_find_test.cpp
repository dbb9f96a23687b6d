#include "list/calc_grid.h"
#include "list/find_form.h"
#include "list/header_sections.h"
#include "main_window_fixture.h"
#include "test_registry.h"

#include <QCheckBox>
#include <QFile>
#include <QHeaderView>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolButton>

using namespace ombrel;
using test::MainWindow;

namespace {

// A calculation file of these rows (In, Out, Duration, description), the
// same timecodes in every list.
QByteArray calculationFile(const QList<QStringList>& rows)
{
    QByteArray file = "OmbrelSheet\r\n" + QByteArray::number(rows.size()) + "\r\n";
    const char* titles[] = {"NonDropFrame Timecode", "DropFrame Timecode",    "PAL Timecode",
                            "Film Timecode",         "User (15fps) Timecode", "Frames (30fps)"};
    for (const char* title : titles) {
        file += QByteArray(title) + "\r\n";
        for (const QStringList& row : rows) {
            QByteArray line = (row[0] + " + " + row[1] + " = " + row[2] + "  " + row[3] + " \r\n").toUtf8();
            if (QByteArray(title).startsWith("Drop"))
                line.replace(':', ';');
            file += line;
        }
        file += "\r\n";
    }
    return file;
}

QStringList column(MainWindow& w, TimecodeFormat format, int column)
{
    QStringList cells;
    for (int row = 0; row < w.form.sheet().rowCount(); ++row)
        cells << w.cell(format, row, column);
    return cells;
}

void clickSection(QHeaderView* header, int section)
{
    const QPoint middle(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                        header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, middle);
}

void dragDivider(QHeaderView* header, int section, int dx)
{
    QWidget* viewport = header->viewport();
    const QPoint start(header->sectionViewportPosition(section) + header->sectionSize(section) - 1,
                       header->height() / 2);
    QTest::mousePress(viewport, Qt::LeftButton, {}, start);
    for (int step = 1; step <= 4; ++step)
        QTest::mouseMove(viewport, start + QPoint(dx * step / 4, 0));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, start + QPoint(dx, 0));
}

} // namespace

class MainFormSortFindTest : public QObject {
    Q_OBJECT
private slots:
    void init() { dir_ = std::make_unique<QTemporaryDir>(); }

    void ctrlTThenAHeaderClickSortsEveryList()
    {
        MainWindow w({.shown = true});
        for (const char* in : {"00:00:03:00", "00:00:01:00", "00:00:02:00"})
            w.calculate(in, "+", "00:00:00:01");
        QTest::keyClick(&w.form, Qt::Key_T, Qt::ControlModifier);
        QVERIFY(w.form.SortBtn->isChecked());
        QCOMPARE(w.form.SortBtn->toolTip(), QString("Sort Ascending - Click on a header"));
        clickSection(w.header(TimecodeFormat::NonDrop), InColumn);
        QCOMPARE(column(w, TimecodeFormat::NonDrop, InColumn),
                 (QStringList{"00:00:01:00", "00:00:02:00", "00:00:03:00"}));
        QCOMPARE(column(w, TimecodeFormat::DropFrm, ResultColumn),
                 (QStringList{"00;00;01;01", "00;00;02;01", "00;00;03;01"}));
        QCOMPARE(column(w, TimecodeFormat::Frames, InColumn), (QStringList{"30", "60", "90"}));
        QVERIFY(!w.form.SortBtn->isChecked());
        QVERIFY(w.form.ProgressBar1->isHidden());

        // Twice more: descending.
        w.form.SortBtn->click();
        w.form.Sort1->trigger();
        clickSection(w.header(TimecodeFormat::NonDrop), ResultColumn);
        QCOMPARE(column(w, TimecodeFormat::PAL, InColumn), (QStringList{"00:00:03:00", "00:00:02:00", "00:00:01:00"}));
    }

    void aSortMarksTheWorkChanged()
    {
        MainWindow w({.shown = true});
        QFile file(dir_->filePath("two.obr"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(calculationFile(
            {{"00:00:02:00", "00:00:01:00", "00:00:03:00", ""}, {"00:00:01:00", "00:00:01:00", "00:00:02:00", ""}}));
        file.close();
        w.dialogs.openNames.push_back(file.fileName());
        w.form.Open1Click();
        QVERIFY(!w.form.models().workModified());
        w.form.Sort1Click();
        clickSection(w.header(TimecodeFormat::NonDrop), OutColumn);
        QVERIFY(w.form.models().workModified());
    }

    // New clears the sort mode and leaves the button as it looks.
    void theInitialStateEndsTheSortMode()
    {
        MainWindow w({.shown = true});
        w.calculate("00:00:02:00", "+", "00:00:00:01");
        w.calculate("00:00:01:00", "+", "00:00:00:01");
        w.form.Sort1Click();
        w.form.FormCreate();
        w.calculate("00:00:02:00", "+", "00:00:00:01");
        w.calculate("00:00:01:00", "+", "00:00:00:01");
        QVERIFY(w.form.SortBtn->isChecked());
        clickSection(w.header(TimecodeFormat::NonDrop), InColumn);
        QCOMPARE(column(w, TimecodeFormat::NonDrop, InColumn), (QStringList{"00:00:02:00", "00:00:01:00"}));
    }

    void theProgressBarLiesOverTheStatusBar()
    {
        MainWindow w({.shown = true});
        QCOMPARE(w.form.ProgressBar1->parentWidget(), w.form.StatusBar1);
        QCOMPARE(w.form.ProgressBar1->geometry(), w.form.StatusBar1->rect());
        QVERIFY(w.form.ProgressBar1->isHidden());
    }

    // Dragged on any tab, a column widens in all six lists, the window with
    // it, and the widths are stored when the drag ends; a narrower column
    // leaves the window as it is.
    void aDividerDragSizesEveryListAndTheWindow()
    {
        MainWindow w({.shown = true});
        w.showTab(TimecodeFormat::PAL);
        const int before = w.form.width();
        dragDivider(w.header(TimecodeFormat::PAL), InColumn, 300);
        for (QTableView* list : w.lists())
            QCOMPARE(list->columnWidth(InColumn), 196);
        QCOMPARE(test::StoredSettings::value("Grid/1A"), QString("196"));
        ColumnWidths columns{};
        for (int c = 0; c < kColumnCount; ++c)
            columns[static_cast<size_t>(c)] = w.form.list(TimecodeFormat::NonDrop)->columnWidth(c);
        const int lists = NeededListWidth(columns, w.form.Descriptions1->isChecked()).value_or(0);
        QVERIFY(lists > 0);
        QCOMPARE(w.form.width(), lists + 24);
        QVERIFY(w.form.width() > before);
        for (QTableView* list : w.lists())
            QCOMPARE(list->width(), lists);

        const int wide = w.form.width();
        dragDivider(w.header(TimecodeFormat::NonDrop), InColumn, -150);
        QCOMPARE(w.form.list(TimecodeFormat::Frames)->columnWidth(InColumn), 46);
        QCOMPARE(w.form.width(), wide);
        QCOMPARE(test::StoredSettings::value("Grid/1A"), QString("46"));
    }

    void findNextSearchesTheActiveTabFromItsFirstCell()
    {
        MainWindow w({.shown = true});
        w.calculate("00:00:01:00", "+", "00:00:01:00");
        w.calculate("00:00:03:00", "-", "00:00:01:00");
        QTest::keyClick(&w.form, Qt::Key_F, Qt::ControlModifier);
        TFindForm* find = &w.form.findForm();
        QVERIFY(find->isVisible());
        QTest::keyClicks(find->FindEdit, "00:00:02");
        QTest::keyClick(find->FindEdit, Qt::Key_Return);
        QCOMPARE(w.form.list(TimecodeFormat::NonDrop)->currentIndex(),
                 w.form.list(TimecodeFormat::NonDrop)->model()->index(0, ResultColumn));
        QTest::mouseClick(find->Next, Qt::LeftButton);
        QCOMPARE(w.form.list(TimecodeFormat::NonDrop)->currentIndex(),
                 w.form.list(TimecodeFormat::NonDrop)->model()->index(1, ResultColumn));

        // Another tab: the search starts again at its first cell.
        w.showTab(TimecodeFormat::PAL);
        QTest::mouseClick(find->Next, Qt::LeftButton);
        QCOMPARE(w.form.list(TimecodeFormat::PAL)->currentIndex(),
                 w.form.list(TimecodeFormat::PAL)->model()->index(0, ResultColumn));
        QTest::mouseClick(find->Next, Qt::LeftButton);
        QTest::mouseClick(find->Next, Qt::LeftButton);
        QCOMPARE(w.dialogs.messages.size(), 1);
        QCOMPARE(w.dialogs.messages[0].text, QString("'00:00:02' not found"));
    }

    // A description found is shown, and not left open for editing.
    void aFoundDescriptionIsShownNotEdited_data()
    {
        QTest::addColumn<bool>("editing");
        QTest::newRow("descriptions hidden") << false;
        QTest::newRow("descriptions edited") << true;
    }
    void aFoundDescriptionIsShownNotEdited()
    {
        QFETCH(bool, editing);
        MainWindow w({.shown = true});
        QFile file(dir_->filePath("described.obr"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(calculationFile({{"00:00:02:00", "00:00:01:00", "00:00:03:00", "Reel 4 insert"}}));
        file.close();
        w.dialogs.openNames.push_back(file.fileName());
        w.form.Open1Click();
        QVERIFY(!w.form.Descriptions1->isChecked());
        if (editing) {
            QTest::mouseClick(w.form.EditBtn, Qt::LeftButton);
            QVERIFY(w.form.list(TimecodeFormat::NonDrop)->editMode());
        }
        w.form.FindBtnClick();
        QTest::keyClicks(w.form.findForm().FindEdit, "REEL");
        QTest::keyClick(w.form.findForm().FindEdit, Qt::Key_Return);
        QCOMPARE(w.form.list(TimecodeFormat::NonDrop)->currentIndex(),
                 w.form.list(TimecodeFormat::NonDrop)->model()->index(0, DescriptionColumn));
        QVERIFY(w.form.Descriptions1->isChecked());
        QVERIFY(!w.form.EditBtn->isChecked());
        for (const CalcGrid* list : w.lists())
            QVERIFY(!list->editMode());
    }

private:
    std::unique_ptr<QTemporaryDir> dir_;
};

OMBREL_TEST_CLASS(MainFormSortFindTest)
#include "main_form_sort_find_test.moc"
