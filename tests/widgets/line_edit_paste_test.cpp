#include "test_registry.h"
#include "widgets/line_edit_paste.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

using namespace ombrel;

// Every one-line field pastes through the application's filter as Qt's own
// paste does: at the cursor, over the selection, within the field's length
// and rules; a read-only one takes nothing. That only the start of the
// clipboard is read shows under X, in the large paste end-to-end test.
class LineEditPasteTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { qApp->installEventFilter(&filter_); }
    void cleanupTestCase() { qApp->removeEventFilter(&filter_); }

    void pastesAsQtDoes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selectFrom");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("pasted");
        QTest::newRow("at the cursor, within the length") << "ab" << -1 << false << "ab123456";
        QTest::newRow("over the selection") << "abcd" << 1 << false << "a1234567";
        QTest::newRow("read-only") << "ab" << -1 << true << "ab";
    }
    void pastesAsQtDoes()
    {
        QFETCH(QString, text);
        QFETCH(int, selectFrom);
        QFETCH(bool, readOnly);
        QGuiApplication::clipboard()->setText("1234567890");
        QLineEdit edit;
        edit.setMaxLength(8);
        edit.setText(text);
        if (selectFrom >= 0)
            edit.setSelection(selectFrom, int(text.size()) - selectFrom);
        edit.setReadOnly(readOnly);
        QTest::keySequence(&edit, QKeySequence::Paste);
        QTEST(edit.text(), "pasted");
    }

    // The pop-up menu offers Paste only for text, and its Paste is the same.
    void theMenuPastesTheSame()
    {
        QLineEdit edit;
        edit.setMaxLength(4);
        edit.show();
        QGuiApplication::clipboard()->setText("1234567890");
        QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard, QPoint(2, 2), edit.mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(&edit, &menuEvent);
        auto* menu = edit.findChild<QMenu*>("EditMenu");
        QVERIFY(menu);
        QAction* paste = nullptr;
        for (QAction* action : menu->actions())
            if (action->text().startsWith(QCoreApplication::translate("QLineEdit", "&Paste")))
                paste = action;
        QVERIFY(paste && paste->isEnabled());
        paste->trigger();
        menu->close();
        QCOMPARE(edit.text(), QString("1234"));
    }

private:
    LineEditPaste filter_;
};

OMBREL_TEST_CLASS(LineEditPasteTest)
#include "line_edit_paste_test.moc"
