#include "list/find_form.h"
#include "calc_lists.h"
#include "scripted_dialogs.h"
#include "test_registry.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

using namespace ombrel;

using ombrel::test::listOf;

namespace {

// The Find window over one list and its view, searching on every request
// as the main window wires it.
struct FindWindow {
    explicit FindWindow(CalculationList&& rows) : list(std::move(rows)), form(dialogs), model(int(list.rowCount()), 8)
    {
        view.setModel(&model);
        view.resize(300, 5 * view.verticalHeader()->defaultSectionSize() + 4);
        view.show();
        QObject::connect(&form, &TFindForm::findNextRequested, [this] { form.FindDialog1Find(list, view); });
    }

    void type(const QString& text) { QTest::keyClicks(form.FindEdit, text); }
    void enter() { QTest::keyClick(form.FindEdit, Qt::Key_Return); }
    QPoint selected() const { return {view.currentIndex().column(), view.currentIndex().row()}; }
    QStringList messages() const
    {
        QStringList texts;
        for (const auto& asked : dialogs.messages)
            texts << asked.text;
        return texts;
    }

    CalculationList list;
    test::ScriptedDialogs dialogs;
    TFindForm form;
    QStandardItemModel model;
    QTableView view;
};

CalculationList threeRows()
{
    return listOf({
        {"01:00:00:00", "+", "00:01:00:00", "=", "01:01:00:00", "", "ABC"},
        {"00:00:10:00", "-", "00:00:05:00", "=", "00:00:05:00", "", "xAbCx"},
        {"50", "%", "01:00:00:00", "=", "00:30:00:00", "", "Abc def"},
    });
}

} // namespace

class FindFormTest : public QObject {
    Q_OBJECT
private slots:
    void theWindowAsTheUserSeesIt()
    {
        test::ScriptedDialogs dialogs;
        TFindForm form(dialogs);
        QCOMPARE(form.windowTitle(), QString("Find"));
        QCOMPARE(form.Label1->text(), QString("Find What"));
        QCOMPARE(form.Next->text(), QString("Find Next"));
        QCOMPARE(form.BitBtn2->text(), QString("Cancel"));
        QCOMPARE(form.WholeWordsCheck->text(), QString("Match whole word only"));
        QCOMPARE(form.CaseCheck->text(), QString("Match case"));
        QVERIFY(!form.WholeWordsCheck->isChecked());
        QVERIFY(!form.CaseCheck->isChecked());
        QVERIFY(!form.isModal());
        QVERIFY(!form.Next->isEnabled());
        QTest::keyClicks(form.FindEdit, "a");
        QVERIFY(form.Next->isEnabled());
        QTest::keyClick(form.FindEdit, Qt::Key_Backspace);
        QVERIFY(!form.Next->isEnabled());
    }

    void cancelAndEscapeClose()
    {
        test::ScriptedDialogs dialogs;
        TFindForm form(dialogs);
        form.show();
        QTest::mouseClick(form.BitBtn2, Qt::LeftButton);
        QVERIFY(form.isHidden());
        form.show();
        QTest::keyClick(form.FindEdit, Qt::Key_Escape);
        QVERIFY(form.isHidden());
    }

    // One cell per Find Next, row by row and left to right; then the
    // message once, and nothing until the search starts again.
    void findNextWalksTheListThenSaysNotFound()
    {
        FindWindow find(threeRows());
        find.type("01:00");
        const QList<QPoint> expected{{0, 0}, {2, 0}, {4, 0}, {2, 2}};
        for (const QPoint& cell : expected) {
            QTest::mouseClick(find.form.Next, Qt::LeftButton);
            QCOMPARE(find.selected(), cell);
        }
        QVERIFY(find.messages().isEmpty());
        find.enter();
        QCOMPARE(find.messages(), QStringList{"'01:00' not found"});
        QCOMPARE(find.dialogs.messages[0].kind, MessageKind::Error);
        find.enter();
        QCOMPARE(find.messages().size(), 1);

        // A check box click starts again at the first cell.
        find.form.CaseCheck->click();
        find.enter();
        QCOMPARE(find.selected(), QPoint(0, 0));
        // So does a new text.
        find.enter();
        QCOMPARE(find.selected(), QPoint(2, 0));
        find.type("0");
        find.enter();
        QCOMPARE(find.selected(), QPoint(2, 0));
    }

    void enterSearchesEvenForAnEmptyText_data()
    {
        QTest::addColumn<bool>("wholeWord");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QPoint>("selected");
        QTest::newRow("occurs nowhere") << false << QStringList{"'' not found"} << QPoint(-1, -1);
        QTest::newRow("whole word: the first empty cell") << true << QStringList{} << QPoint(5, 0);
    }
    void enterSearchesEvenForAnEmptyText()
    {
        QFETCH(bool, wholeWord);
        QFETCH(QStringList, messages);
        QFETCH(QPoint, selected);
        FindWindow find(threeRows());
        find.form.WholeWordsCheck->setChecked(wholeWord);
        find.enter();
        QCOMPARE(find.messages(), messages);
        QCOMPARE(find.selected(), selected);
    }

    void caseAndWholeWordRulesReachTheSearch()
    {
        FindWindow find(threeRows());
        QSignalSpy described(&find.form, &TFindForm::descriptionFound);
        find.type("abc");
        find.enter();
        QCOMPARE(find.selected(), QPoint(6, 0));
        QCOMPARE(described.count(), 1);
        find.form.WholeWordsCheck->click();
        find.enter();
        QCOMPARE(find.selected(), QPoint(6, 0));
        find.enter();
        QCOMPARE(find.messages(), QStringList{"'abc' not found"});
        find.form.CaseCheck->click();
        find.enter();
        QCOMPARE(find.messages(), (QStringList{"'abc' not found", "'abc' not found"}));
    }

    // A match in row 10 shows rows 7 on; one near the top scrolls to row 0.
    void theMatchShowsThreeRowsAboveIt_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("top");
        QTest::newRow("row 10") << 10 << 7;
        QTest::newRow("row 3") << 3 << 0;
        QTest::newRow("row 2") << 2 << 0;
        QTest::newRow("row 25") << 25 << 22;
    }
    void theMatchShowsThreeRowsAboveIt()
    {
        QFETCH(int, row);
        QFETCH(int, top);
        std::vector<RowCells> rows(40, RowCells{"00:00:00:00", "+", "00:00:00:00", "=", "00:00:00:00", "", ""});
        rows[static_cast<size_t>(row)][DescriptionColumn] = "here";
        FindWindow find(listOf(rows));
        find.view.scrollToBottom();
        find.type("here");
        find.enter();
        QCOMPARE(find.selected(), QPoint(DescriptionColumn, row));
        QCOMPARE(find.view.rowAt(0), top);
    }
};

OMBREL_TEST_CLASS(FindFormTest)
#include "find_form_test.moc"
