#include "entry/entry_clipboard.h"
#include "test_registry.h"

#include <QTest>

using namespace ombrel;

Q_DECLARE_METATYPE(EntryField)
Q_DECLARE_METATYPE(Operator)

namespace {

// Every field with a text of its own.
EntryFields filledFields()
{
    EntryFields fields;
    SetFieldText(fields.in, "01:00:00:00");
    SetFieldText(fields.out, "00:30:00:00");
    SetFieldText(fields.duration, "01:30:00:00");
    SetFieldText(fields.percent, "12.5");
    SetFieldText(fields.frameIn, "108000");
    SetFieldText(fields.frameOut, "54000");
    SetFieldText(fields.frameDur, "162000");
    return fields;
}

QStringList texts(const EntryFields& fields)
{
    QStringList all;
    for (const FieldState* field : {&fields.in, &fields.out, &fields.duration, &fields.percent, &fields.frameIn,
                                    &fields.frameOut, &fields.frameDur})
        all << QString::fromStdString(field->text);
    return all;
}

} // namespace

class EntryClipboardTest : public QObject {
    Q_OBJECT
private slots:
    void copyTakesTheFocusedFieldWhole_data()
    {
        QTest::addColumn<EntryField>("focused");
        QTest::addColumn<QString>("copied"); // empty: nothing copied
        QTest::newRow("In") << EntryField::In << "01:00:00:00";
        QTest::newRow("Out") << EntryField::Out << "00:30:00:00";
        QTest::newRow("Duration") << EntryField::Duration << "01:30:00:00";
        QTest::newRow("percentage") << EntryField::Percent << "12.5";
        QTest::newRow("FrameIn") << EntryField::FrameIn << "108000";
        QTest::newRow("FrameOut") << EntryField::FrameOut << "54000";
        QTest::newRow("FrameDur") << EntryField::FrameDur << "162000";
        QTest::newRow("operator list") << EntryField::OperandCombo << "";
        QTest::newRow("no field") << EntryField::None << "";
    }
    void copyTakesTheFocusedFieldWhole()
    {
        QFETCH(EntryField, focused);
        QFETCH(QString, copied);
        EntryFields fields = filledFields();
        const std::optional<std::string> text = CopyField(fields, focused);
        QCOMPARE(text.has_value(), !copied.isEmpty());
        if (!text)
            return;
        QCOMPARE(QString::fromStdString(*text), copied);
        const FieldState* field = fields.field(focused);
        QCOMPARE(field->caret, 0);
        QCOMPARE(field->selectionLength, int(copied.size()));
    }

    void pasteFillsTheFocusedField_data()
    {
        QTest::addColumn<EntryField>("focused");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("separator");
        // In, Out, Duration, percentage, FrameIn, FrameOut, FrameDur after.
        QTest::addColumn<QStringList>("after");
        const QStringList before = texts(filledFields());
        const auto with = [&](int index, const QString& text) {
            QStringList changed = before;
            changed[index] = text;
            return changed;
        };
        QTest::newRow("drop frame into In on NonDrop") << EntryField::In << "01;02;03;04"
                                                       << ":" << with(0, "01:02:03:04");
        QTest::newRow("into Out on DropFrm") << EntryField::Out << "01:02:03:04"
                                             << ";" << with(1, "01;02;03;04");
        QTest::newRow("not a timecode") << EntryField::In << "1:02:03:04"
                                        << ":" << with(0, "00:00:00:00");
        QTest::newRow("empty clipboard") << EntryField::Out << ""
                                         << ":" << with(1, "00:00:00:00");
        QTest::newRow("percentage unchanged") << EntryField::Percent << "half"
                                              << ":" << with(3, "half");
        QTest::newRow("frame count unchanged") << EntryField::FrameIn << "99999999999"
                                               << ":" << with(4, "99999999999");
        QTest::newRow("FrameOut") << EntryField::FrameOut << "01:02:03:04"
                                  << ":" << with(5, "01:02:03:04");
    }
    void pasteFillsTheFocusedField()
    {
        QFETCH(EntryField, focused);
        QFETCH(QString, text);
        QFETCH(QString, separator);
        QFETCH(QStringList, after);
        EntryFields fields = filledFields();
        QVERIFY(PasteIntoField(fields, focused, text.toStdString(), separator.toLatin1()[0]));
        QCOMPARE(texts(fields), after);
        QCOMPARE(fields.field(focused)->selectionLength, int(fields.field(focused)->text.size()));
    }

    void pasteWithoutAnEditableFieldChangesNothing_data()
    {
        QTest::addColumn<EntryField>("focused");
        QTest::newRow("no field") << EntryField::None;
        QTest::newRow("operator list") << EntryField::OperandCombo;
        QTest::newRow("Duration") << EntryField::Duration;
        QTest::newRow("FrameDur") << EntryField::FrameDur;
    }
    void pasteWithoutAnEditableFieldChangesNothing()
    {
        QFETCH(EntryField, focused);
        EntryFields fields = filledFields();
        QVERIFY(!PasteIntoField(fields, focused, "01:02:03:04", ':'));
        QCOMPARE(texts(fields), texts(filledFields()));
    }

    void clearZeroesEveryFieldAndKeepsPercent_data()
    {
        QTest::addColumn<Operator>("op");
        QTest::addColumn<bool>("frameMode");
        QTest::addColumn<Operator>("opAfter");
        QTest::addColumn<EntryField>("focus");
        QTest::newRow("minus") << Operator::Minus << false << Operator::Plus << EntryField::In;
        QTest::newRow("percent stays") << Operator::Percent << false << Operator::Percent << EntryField::In;
        QTest::newRow("frame mode") << Operator::Times << true << Operator::Plus << EntryField::FrameIn;
    }
    void clearZeroesEveryFieldAndKeepsPercent()
    {
        QFETCH(Operator, op);
        QFETCH(bool, frameMode);
        QFETCH(Operator, opAfter);
        QFETCH(EntryField, focus);
        EntryFields fields = filledFields();
        fields.op = op;
        ClearEntryFields(fields, ';', frameMode);
        QCOMPARE(texts(fields), QStringList({"00;00;00;00", "00;00;00;00", "00;00;00;00", "0", "0", "0", "0"}));
        QCOMPARE(fields.op, opAfter);
        QCOMPARE(fields.focusRequest, focus);
        QCOMPARE(fields.field(focus)->selectionLength, int(fields.field(focus)->text.size()));
    }
};

OMBREL_TEST_CLASS(EntryClipboardTest)

#include "entry_clipboard_test.moc"
