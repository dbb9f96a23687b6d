#include "test_registry.h"
#include "widgets/am_edit.h"

#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <memory>

using namespace ombrel;

Q_DECLARE_METATYPE(TAMEdit::KeySets)
Q_DECLARE_METATYPE(Qt::Key)

namespace {

// An owner that watches the field's keys and optionally swallows some.
class KeyOwner : public QObject {
public:
    QList<int> seenKeys;
    QString swallowed; // characters to consume

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        seenKeys << key->key();
        return !key->text().isEmpty() && swallowed.contains(key->text().at(0));
    }
};

// Three fields in focus order; the middle one is under test.
struct Form {
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    QLineEdit* before = new QLineEdit(window.get());
    TAMEdit* field = new TAMEdit(window.get());
    QLineEdit* after = new QLineEdit(window.get());
    KeyOwner owner;

    Form()
    {
        auto* layout = new QVBoxLayout(window.get());
        layout->addWidget(before);
        layout->addWidget(field);
        layout->addWidget(after);
        field->setKeyFilter(&owner);
        window->show();
        window->activateWindow();
        field->setFocus();
    }
};

} // namespace

class AMEditTest : public QObject {
    Q_OBJECT

private slots:
    void enterAndEscape_data()
    {
        QTest::addColumn<TAMEdit::KeySets>("keys");
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<bool>("ownerSees");
        QTest::addColumn<QString>("focusedAfter"); // before, field or after

        const TAMEdit::KeySets none;
        QTest::newRow("no keys: Enter reaches the owner") << none << Qt::Key_Return << true << "field";
        QTest::newRow("no keys: keypad Enter reaches the owner") << none << Qt::Key_Enter << true << "field";
        QTest::newRow("no keys: Escape reaches the owner") << none << Qt::Key_Escape << true << "field";
        QTest::newRow("ksReturn: Enter moves on")
            << TAMEdit::KeySets(TAMEdit::ksReturn) << Qt::Key_Return << false << "after";
        QTest::newRow("ksReturn: keypad Enter moves on")
            << TAMEdit::KeySets(TAMEdit::ksReturn) << Qt::Key_Enter << false << "after";
        QTest::newRow("ksReturn: Escape still reaches the owner")
            << TAMEdit::KeySets(TAMEdit::ksReturn) << Qt::Key_Escape << true << "field";
        QTest::newRow("ksEscape: Escape moves back")
            << TAMEdit::KeySets(TAMEdit::ksEscape) << Qt::Key_Escape << false << "before";
        QTest::newRow("both: Enter moves on")
            << (TAMEdit::ksReturn | TAMEdit::ksEscape) << Qt::Key_Return << false << "after";
    }

    void enterAndEscape()
    {
        QFETCH(TAMEdit::KeySets, keys);
        QFETCH(Qt::Key, key);
        QFETCH(bool, ownerSees);
        QFETCH(QString, focusedAfter);

        Form form;
        QVERIFY(QTest::qWaitForWindowActive(form.window.get()));
        QCOMPARE(QApplication::focusWidget(), form.field);
        form.field->setKeys(keys);

        QTest::keyClick(form.field, key);

        QCOMPARE(form.owner.seenKeys.contains(key), ownerSees);
        QWidget* expected = focusedAfter == "before"  ? form.before
                            : focusedAfter == "after" ? static_cast<QWidget*>(form.after)
                                                      : form.field;
        QCOMPARE(QApplication::focusWidget(), expected);
    }

    // The owner decides what is typed; what it lets through is edited as in
    // any line edit, within the maximum length.
    void ownerFiltersTyping()
    {
        Form form;
        form.field->setMaxTypedLength(3);
        form.owner.swallowed = "a.";
        QTest::keyClicks(form.field, "1a2.34");
        QCOMPARE(form.field->text(), QString("123"));
        QTest::keyClick(form.field, Qt::Key_Backspace);
        QCOMPARE(form.field->text(), QString("12"));
        QCOMPARE(form.owner.seenKeys.size(), 7);
    }

    // The limit stops typing only: text the program sets keeps every
    // character, and typing over a selection stays possible.
    void lengthLimitIsForTypingOnly()
    {
        Form form;
        form.field->setMaxTypedLength(9);
        form.field->setText("999999998000000001");
        QCOMPARE(form.field->text(), QString("999999998000000001"));
        form.field->end(false);
        QTest::keyClick(form.field, Qt::Key_5);
        QCOMPARE(form.field->text(), QString("999999998000000001"));
        QTest::keyClick(form.field, Qt::Key_Backspace);
        QCOMPARE(form.field->text(), QString("99999999800000000"));
        form.field->setText("12345678");
        form.field->end(false);
        QTest::keyClicks(form.field, "90");
        QCOMPARE(form.field->text(), QString("123456789"));
        form.field->setSelection(0, 2);
        QTest::keyClick(form.field, Qt::Key_7);
        QCOMPARE(form.field->text(), QString("73456789"));
    }

    // A right-aligned "0" sits at the right edge, and typing follows the caret.
    void rightAlignedText()
    {
        struct Probe : TAMEdit {
            using QLineEdit::cursorRect;
        } field;
        field.setTextAlignment(TAMEdit::taRightJustify);
        field.resize(200, field.sizeHint().height());
        field.setText("0");
        field.show();
        QVERIFY(QTest::qWaitForWindowExposed(&field));
        QVERIFY(field.cursorRect().center().x() > field.width() / 2);

        field.setCursorPosition(1);
        QVERIFY(field.cursorRect().center().x() > field.width() * 3 / 4);
        field.setCursorPosition(0);
        QTest::keyClick(&field, Qt::Key_5);
        QCOMPARE(field.text(), QString("50"));
        QCOMPARE(field.cursorPosition(), 1);
    }
};

OMBREL_TEST_CLASS(AMEditTest)

#include "am_edit_test.moc"
