#include "entry/key_procedures.h"
#include "test_registry.h"

#include <QTest>

using namespace ombrel;

namespace {

// Types the keys one after another into the In field, each key seeing the
// field as the one before left it.
FieldState typeInto(FieldState field, const QString& keys, char separator)
{
    EntryContext context;
    context.separator = separator;
    for (QChar key : keys) {
        field = MaskEdit1KeyPress(field, key.toLatin1(), context).field;
        if (field.text.size() != 11)
            qFatal("field lost its 11 characters: '%s'", field.text.c_str());
    }
    return field;
}

} // namespace

class TimecodeEntryTest : public QObject {
    Q_OBJECT

private slots:
    void typing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<int>("selection");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<char>("separator");
        QTest::addColumn<QString>("expectedText");
        QTest::addColumn<int>("expectedCaret");
        QTest::addColumn<int>("expectedSelection");

        // Shift entry at the end.
        QTest::newRow("whole selection cleared by first digit")
            << "12:34:56:78" << 0 << 11 << "5" << ':' << "00:00:00:05" << 11 << 0;
        QTest::newRow("digits shift in from the right")
            << "00:00:00:00" << 11 << 0 << "1234" << ':' << "00:00:12:34" << 11 << 0;
        QTest::newRow("eight digits fill the field")
            << "00:00:00:00" << 0 << 11 << "12345678" << ':' << "12:34:56:78" << 11 << 0;
        QTest::newRow("ninth digit pushes the first out")
            << "00:00:00:00" << 0 << 11 << "123456789" << ':' << "23:45:67:89" << 11 << 0;
        QTest::newRow("dot enters two zeros") << "00:00:00:12" << 11 << 0 << "." << ':' << "00:00:12:00" << 11 << 0;
        QTest::newRow("dot on a whole selection")
            << "12:34:56:78" << 0 << 11 << ".5" << ':' << "00:00:00:05" << 11 << 0;

        // Overwrite inside the text.
        QTest::newRow("overwrite at caret 3") << "01:23:45:67" << 3 << 1 << "9" << ':' << "01:93:45:67" << 4 << 1;
        QTest::newRow("overwrite steps over the separator")
            << "01:23:45:67" << 4 << 1 << "98" << ':' << "01:29:85:67" << 7 << 1;
        QTest::newRow("digit on a separator only moves the caret")
            << "01:23:45:67" << 5 << 0 << "9" << ':' << "01:23:45:67" << 6 << 1;
        QTest::newRow("overwrite of the last digit reaches the end, then shifts")
            << "01:23:45:67" << 10 << 1 << "98" << ':' << "12:34:56:98" << 11 << 0;
        QTest::newRow("longer selection overwrites at its start")
            << "01:23:45:67" << 0 << 5 << "9" << ':' << "91:23:45:67" << 1 << 1;

        // Backspace.
        QTest::newRow("backspace at caret 4") << "01:23:45:67" << 4 << 1 << "\b" << ':' << "00:12:45:67" << 4 << 1;
        QTest::newRow("backspace at the end") << "00:00:12:34" << 11 << 0 << "\b" << ':' << "00:00:01:23" << 11 << 0;
        QTest::newRow("backspace at caret 0") << "91:23:45:67" << 0 << 1 << "\b" << ':' << "01:23:45:67" << 0 << 1;
        QTest::newRow("backspace at caret 10") << "01:23:45:67" << 10 << 1 << "\b" << ':' << "00:12:34:56" << 10 << 1;
        QTest::newRow("backspace on a separator zeroes the first digit")
            << "12:34:56:78" << 5 << 0 << "\b" << ':' << "02:34:56:78" << 6 << 1;
        QTest::newRow("backspace zeroes a selected range")
            << "12:34:56:78" << 3 << 5 << "\b" << ':' << "12:00:00:78" << 3 << 1;
        QTest::newRow("backspace zeroes a whole selection")
            << "12:34:56:78" << 0 << 11 << "\b" << ':' << "00:00:00:00" << 0 << 1;

        // Keys that do not edit still tidy the caret.
        QTest::newRow("other key moves the caret off a separator")
            << "01:23:45:67" << 8 << 0 << "q" << ':' << "01:23:45:67" << 9 << 1;

        // Drop frame.
        QTest::newRow("semicolon shift entry") << "00;00;00;00" << 11 << 0 << "1234" << ';' << "00;00;12;34" << 11 << 0;
        QTest::newRow("semicolon overwrite") << "01;23;45;67" << 3 << 1 << "9" << ';' << "01;93;45;67" << 4 << 1;
        QTest::newRow("semicolon backspace") << "01;23;45;67" << 4 << 1 << "\b" << ';' << "00;12;45;67" << 4 << 1;

        // Fields in an unexpected state still come out whole.
        QTest::newRow("colon text on the drop-frame tab is rebuilt")
            << "12:34:56:78" << 11 << 0 << "1" << ';' << "23;45;67;81" << 11 << 0;
        QTest::newRow("empty field") << "" << 0 << 0 << "5" << ':' << "50:00:00:00" << 1 << 1;
        QTest::newRow("emptied masked field") << ":::" << 3 << 0 << "5" << ':' << "00:50:00:00" << 4 << 1;
        QTest::newRow("key that does not edit an emptied field")
            << ":::" << 3 << 0 << "q" << ':' << "00:00:00:00" << 3 << 1;
        QTest::newRow("short text keeps its digits at the right")
            << "12:34" << 11 << 0 << "5" << ':' << "00:01:23:45" << 11 << 0;
        QTest::newRow("caret beyond the end") << "00:00:00:00" << 40 << 3 << "7" << ':' << "00:00:00:07" << 11 << 0;
        QTest::newRow("negative caret and selection")
            << "01:23:45:67" << -3 << -1 << "9" << ':' << "91:23:45:67" << 1 << 1;
        QTest::newRow("selection beyond the text")
            << "01:23:45:67" << 9 << 20 << "\b" << ':' << "01:23:45:00" << 9 << 1;
    }

    void typing()
    {
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(int, selection);
        QFETCH(QString, keys);
        QFETCH(char, separator);
        QFETCH(QString, expectedText);
        QFETCH(int, expectedCaret);
        QFETCH(int, expectedSelection);

        const FieldState field = typeInto(FieldState{text.toStdString(), caret, selection}, keys, separator);
        QCOMPARE(QString::fromStdString(field.text), expectedText);
        QCOMPARE(field.caret, expectedCaret);
        QCOMPARE(field.selectionLength, expectedSelection);
    }
};

OMBREL_TEST_CLASS(TimecodeEntryTest)

#include "timecode_entry_test.moc"
