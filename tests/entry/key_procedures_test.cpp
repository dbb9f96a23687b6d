#include "engine/calculation.h"
#include "engine/timecode.h"
#include "entry/entry_fields.h"
#include "entry/key_procedures.h"
#include "test_registry.h"

#include <QStringList>
#include <QTest>

#include <string>
#include <utility>
#include <vector>

using namespace ombrel;

Q_DECLARE_METATYPE(LabelStyle)

namespace {

QString fieldName(EntryField field)
{
    switch (field) {
    case EntryField::None:
        return "None";
    case EntryField::In:
        return "In";
    case EntryField::Out:
        return "Out";
    case EntryField::OperandCombo:
        return "Combo";
    case EntryField::Percent:
        return "Pct";
    case EntryField::FrameIn:
        return "FrameIn";
    case EntryField::FrameOut:
        return "FrameOut";
    case EntryField::Duration:
        return "Duration";
    case EntryField::FrameDur:
        return "FrameDur";
    case EntryField::MiniDisplay:
        return "MiniDisplay";
    case EntryField::MiniFrame:
        return "MiniFrame";
    }
    return "?";
}

// The steps as one line, so a table row states the whole order at a glance.
QString describe(const std::vector<EntryStep>& steps)
{
    QStringList words;
    for (const EntryStep& s : steps) {
        switch (s.action) {
        case EntryAction::ZeroDuration:
            words << "zeroDur";
            break;
        case EntryAction::LoadField:
            words << "load";
            break;
        case EntryAction::PlaceCaret:
            words << "caret";
            break;
        case EntryAction::ZeroFrameDur:
            words << "zeroFrameDur";
            break;
        case EntryAction::SelectOperator:
            words << "op" + QString::fromLatin1(OperatorText(s.op).data(), 1);
            break;
        case EntryAction::Calculate:
            words << "calc";
            break;
        case EntryAction::CopyDurationToIn:
            words << "durToIn";
            break;
        case EntryAction::FrameInFromLastResult:
            words << "resultToFrameIn";
            break;
        case EntryAction::ShowPercentField:
            words << "show%";
            break;
        case EntryAction::HidePercentField:
            words << "hide%";
            break;
        case EntryAction::Recall:
            words << QString("recall:%1<-%2[%3]")
                         .arg(fieldName(s.field), s.source == RecallSource::FramesList ? "frames" : "active")
                         .arg(s.column);
            break;
        case EntryAction::Focus:
            words << "focus:" + fieldName(s.field);
            break;
        }
    }
    return words.join(' ');
}

EntryField fieldNamed(const QString& name)
{
    for (EntryField field : {EntryField::In, EntryField::Out, EntryField::OperandCombo, EntryField::Percent,
                             EntryField::FrameIn, EntryField::FrameOut})
        if (fieldName(field) == name)
            return field;
    qFatal("unknown field %s", qPrintable(name));
    return EntryField::None;
}

// The entry fields over a sheet, typed into as a window does: each key goes
// to the field that has the focus. The Calculate command is the main
// window's on the NonDrop tab, reduced to what the chains need.
struct Entry {
    explicit Entry(bool inFrameMode) : frameMode(inFrameMode)
    {
        RequestFocus(fields, frameMode ? EntryField::FrameIn : EntryField::In);
        takeFocus();
    }

    void type(const QString& keys)
    {
        for (QChar key : keys)
            press(key.toLatin1());
    }

    void press(char key)
    {
        const EntryField keyed = focused;
        const EntrySurroundings around{sheet, TimecodeFormat::NonDrop, LabelStyle::InOutDuration,
                                       [this] { return calculate(); }};
        if (!PressEntryKey(fields, keyed, key, around))
            typeIntoField(*fields.field(keyed), key);
        takeFocus();
    }

    void takeFocus()
    {
        if (fields.focusRequest != EntryField::None)
            focused = std::exchange(fields.focusRequest, EntryField::None);
    }

    // A plain line edit: typing replaces a whole selection.
    static void typeIntoField(FieldState& field, char key)
    {
        if (field.selectionLength > 0 && field.selectionLength == static_cast<int>(field.text.size()))
            field.text.clear();
        if (key == '\b') {
            if (!field.text.empty())
                field.text.pop_back();
        } else if (field.text.size() < 9) {
            field.text += key;
        }
        SetFieldText(field, field.text);
    }

    bool calculate()
    {
        const Calculation calculation =
            ComputeCalculations(TakeCalculationRequest(fields, frameMode, true, TimecodeFormat::NonDrop), state);
        if (calculation.refusal != RangeRefusal::None)
            return false;
        sheet.appendCalculation(calculation.rows);
        if (frameMode)
            SetFieldText(fields.frameDur, calculation.frameDuration);
        LoadActiveTab(fields, sheet, TimecodeFormat::NonDrop);
        RequestFocus(fields, frameMode ? EntryField::FrameIn : EntryField::In);
        return true;
    }

    bool frameMode;
    EntryFields fields;
    EntryField focused = EntryField::None;
    CalcSheet sheet;
    CalcState state;
};

} // namespace

class KeyProceduresTest : public QObject {
    Q_OBJECT

private slots:
    void timecodeFieldSteps_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<char>("key");
        QTest::addColumn<qint64>("calcCount");
        QTest::addColumn<QString>("lastOperator");
        QTest::addColumn<bool>("framesTab");
        QTest::addColumn<QString>("steps");

        QTest::newRow("In digit") << "In" << '5' << qint64(0) << "" << false << "zeroDur load";
        QTest::newRow("In dot") << "In" << '.' << qint64(0) << "" << false << "zeroDur load";
        QTest::newRow("In backspace") << "In" << '\b' << qint64(0) << "" << false << "zeroDur load";
        QTest::newRow("In +") << "In" << '+' << qint64(0) << "" << false << "zeroDur caret op+ focus:Out";
        QTest::newRow("In -") << "In" << '-' << qint64(0) << "" << false << "zeroDur caret op- focus:Out";
        QTest::newRow("In *") << "In" << '*' << qint64(0) << "" << false << "zeroDur caret opx focus:Out";
        QTest::newRow("In /") << "In" << '/' << qint64(0) << "" << false << "zeroDur caret op/ focus:Out";
        QTest::newRow("In backquote") << "In" << '`' << qint64(0) << "" << false << "zeroDur caret op~ focus:Out";
        QTest::newRow("In ~") << "In" << '~' << qint64(0) << "" << false << "zeroDur caret op~ focus:Out";
        QTest::newRow("Out - selects, calculates, chains")
            << "Out" << '-' << qint64(0) << "" << false << "zeroDur caret op- calc durToIn focus:Out";
        QTest::newRow("Out *") << "Out" << '*' << qint64(2) << "+" << false
                               << "zeroDur caret opx calc durToIn focus:Out";
        QTest::newRow("In %") << "In" << '%' << qint64(0) << "" << false << "zeroDur caret show% focus:Pct op%";
        QTest::newRow("Out %") << "Out" << '%' << qint64(0) << "" << false << "zeroDur caret show% focus:Pct op%";
        QTest::newRow("In Enter") << "In" << '\r' << qint64(0) << "" << false << "zeroDur caret calc";
        QTest::newRow("Out =") << "Out" << '=' << qint64(0) << "" << false << "zeroDur caret calc";
        QTest::newRow("In blank goes to the operator list")
            << "In" << ' ' << qint64(0) << "" << false << "zeroDur caret focus:Combo";
        QTest::newRow("Out blank calculates") << "Out" << ' ' << qint64(0) << "" << false << "zeroDur caret calc";
        QTest::newRow("In recall before any calculation") << "In" << 'I' << qint64(0) << "" << false << "zeroDur caret";
        QTest::newRow("In recall I") << "In" << 'I' << qint64(3) << "+" << false
                                     << "zeroDur caret recall:In<-active[0] focus:In";
        QTest::newRow("Out recall d") << "Out" << 'd' << qint64(1) << "+" << false
                                      << "zeroDur caret recall:Out<-active[4] focus:Out";
        QTest::newRow("recall of a percentage only selects")
            << "Out" << 'I' << qint64(1) << "%" << false << "zeroDur caret focus:Out";
        QTest::newRow("recall on the Frames tab only selects")
            << "In" << 'O' << qint64(1) << "+" << true << "zeroDur caret focus:In";
        QTest::newRow("other letter") << "In" << 'x' << qint64(1) << "+" << false << "zeroDur caret";
    }

    void timecodeFieldSteps()
    {
        QFETCH(QString, field);
        QFETCH(char, key);
        QFETCH(qint64, calcCount);
        QFETCH(QString, lastOperator);
        QFETCH(bool, framesTab);
        QFETCH(QString, steps);

        EntryContext context;
        context.calcCount = calcCount;
        context.lastOperator = lastOperator.toStdString();
        context.framesTabActive = framesTab;
        const KeyOutcome outcome = EntryKeyPress(fieldNamed(field), {"01:23:45:67", 11, 0}, key, context);
        QCOMPARE(describe(outcome.steps), steps);
        // The fields are read-only to ordinary editing: nothing reaches them.
        QVERIFY(outcome.consumed);
    }

    void operandComboSteps_data()
    {
        QTest::addColumn<char>("key");
        QTest::addColumn<bool>("percentVisible");
        QTest::addColumn<QString>("steps");

        QTest::newRow("+") << '+' << false << "op+ focus:Out";
        QTest::newRow("*") << '*' << false << "opx focus:Out";
        QTest::newRow("backquote") << '`' << false << "op~ focus:Out";
        QTest::newRow("Enter") << '\r' << false << "calc focus:In";
        QTest::newRow("=") << '=' << true << "calc focus:In";
        QTest::newRow("% shows the percentage field") << '%' << false << "op% show% focus:Pct";
        QTest::newRow("% with the field shown") << '%' << true << "op% focus:Out";
        QTest::newRow("letter picks +") << 'a' << false << "op+ focus:Out";
        QTest::newRow("blank picks +") << ' ' << false << "op+ focus:Out";
    }

    void operandComboSteps()
    {
        QFETCH(char, key);
        QFETCH(bool, percentVisible);
        QFETCH(QString, steps);

        EntryContext context;
        context.percentFieldVisible = percentVisible;
        const KeyOutcome outcome = OperandComboKeyPress(key, context);
        QCOMPARE(describe(outcome.steps), steps);
        QVERIFY(outcome.consumed);
    }

    void numberFieldSteps_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<char>("key");
        QTest::addColumn<qint64>("calcCount");
        QTest::addColumn<LabelStyle>("style");
        QTest::addColumn<QString>("steps");

        const auto in = LabelStyle::InOutDuration;
        QTest::newRow("FrameIn digit") << "FrameIn" << '7' << qint64(0) << in << "zeroFrameDur";
        QTest::newRow("FrameIn +") << "FrameIn" << '+' << qint64(0) << in << "zeroFrameDur op+ hide% focus:FrameOut";
        QTest::newRow("FrameIn blank keeps the operator")
            << "FrameIn" << ' ' << qint64(0) << in << "zeroFrameDur hide% focus:FrameOut";
        QTest::newRow("FrameIn % is no operator") << "FrameIn" << '%' << qint64(0) << in << "zeroFrameDur";
        QTest::newRow("FrameIn Enter") << "FrameIn" << '\r' << qint64(0) << in << "zeroFrameDur calc";
        QTest::newRow("FrameIn recall before any calculation") << "FrameIn" << 'I' << qint64(0) << in << "zeroFrameDur";
        QTest::newRow("FrameIn recall, Out-In labels") << "FrameIn" << 'I' << qint64(2) << LabelStyle::OutInDuration
                                                       << "zeroFrameDur recall:FrameIn<-frames[2] focus:FrameIn";

        QTest::newRow("FrameOut - calculates, then selects")
            << "FrameOut" << '-' << qint64(1) << in << "zeroFrameDur calc op- hide% resultToFrameIn focus:FrameOut";
        QTest::newRow("FrameOut blank calculates and chains")
            << "FrameOut" << ' ' << qint64(1) << in << "zeroFrameDur calc hide% resultToFrameIn focus:FrameOut";
        QTest::newRow("FrameOut =") << "FrameOut" << '=' << qint64(1) << in << "zeroFrameDur calc";
        QTest::newRow("FrameOut recall T")
            << "FrameOut" << 't' << qint64(1) << in << "zeroFrameDur recall:FrameOut<-frames[4] focus:FrameOut";

        QTest::newRow("Pct operator returns to In") << "Pct" << '/' << qint64(0) << in << "op/ hide% focus:In";
        QTest::newRow("Pct blank") << "Pct" << ' ' << qint64(0) << in << "focus:Out";
        QTest::newRow("Pct %") << "Pct" << '%' << qint64(0) << in << "focus:Out";
        QTest::newRow("Pct Enter") << "Pct" << '\r' << qint64(0) << in << "calc";
        QTest::newRow("Pct recall O") << "Pct" << 'O' << qint64(4) << in << "recall:Pct<-frames[2] focus:Pct";
        QTest::newRow("Pct dot") << "Pct" << '.' << qint64(0) << in << "";
    }

    void numberFieldSteps()
    {
        QFETCH(QString, field);
        QFETCH(char, key);
        QFETCH(qint64, calcCount);
        QFETCH(LabelStyle, style);
        QFETCH(QString, steps);

        EntryContext context;
        context.calcCount = calcCount;
        context.labelStyle = style;
        // The last operator does not matter to the frame fields.
        context.lastOperator = "%";
        QCOMPARE(describe(EntryKeyPress(fieldNamed(field), {}, key, context).steps), steps);
    }

    void numberFieldFilter_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("framePasses");   // reach FrameIn and FrameOut
        QTest::addColumn<QString>("percentPasses"); // reach MaskEdit4

        QTest::newRow("digits") << "0123456789"
                                << "0123456789"
                                << "0123456789";
        QTest::newRow("backspace") << "\b"
                                   << "\b"
                                   << "\b";
        QTest::newRow("decimal point") << "."
                                       << ""
                                       << ".";
        QTest::newRow("operators and keys that act") << "+-*/`~% =\r"
                                                     << ""
                                                     << "";
        QTest::newRow("letters") << "aIoDPtz"
                                 << ""
                                 << "";
        QTest::newRow("other characters") << ",:;#e\x1b"
                                          << ""
                                          << "";
    }

    void numberFieldFilter()
    {
        QFETCH(QString, keys);
        QFETCH(QString, framePasses);
        QFETCH(QString, percentPasses);

        EntryContext context;
        context.calcCount = 1;
        QString frameIn, frameOut, percent;
        for (QChar key : keys) {
            const char c = key.toLatin1();
            if (!FrameInKeyPress(c, context).consumed)
                frameIn += key;
            if (!FrameOutKeyPress(c, context).consumed)
                frameOut += key;
            if (!MaskEdit4KeyPress(c, context).consumed)
                percent += key;
        }
        QCOMPARE(frameIn, framePasses);
        QCOMPARE(frameOut, framePasses);
        QCOMPARE(percent, percentPasses);
    }

    // Chains typed through the key procedures into the entry fields, which
    // apply their steps: the order of selecting and calculating decides which
    // operator each calculation uses.
    void chains_data()
    {
        QTest::addColumn<bool>("frameMode");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("operators"); // of the calculations made, in order
        QTest::addColumn<QString>("result");    // Duration, or FrameDur in frame mode
        QTest::addColumn<QString>("nextIn");    // In operand afterwards (FrameIn in frame mode)

        QTest::newRow("Out field operator selects, then calculates") << false << "10+5-"
                                                                     << "-"
                                                                     << "00:00:00:05"
                                                                     << "00:00:00:05";
        QTest::newRow("timecode chain ends with Enter") << false << "10+5-3\r"
                                                        << "--"
                                                        << "00:00:00:02"
                                                        << "00:00:00:05";
        QTest::newRow("blank in the Out field calculates without chaining") << false << "10+5 "
                                                                            << "+"
                                                                            << "00:00:00:15"
                                                                            << "00:00:00:10";
        QTest::newRow("recalled result as operand") << false << "10+5\rD+1\r"
                                                    << "++"
                                                    << "00:00:00:16"
                                                    << "00:00:00:15";
        QTest::newRow("frame chain calculates with the pending operator") << true << "1800+900-"
                                                                          << "+"
                                                                          << "2700"
                                                                          << "2700";
        QTest::newRow("frame chain ends with Enter") << true << "1800+900-300\r"
                                                     << "+-"
                                                     << "2400"
                                                     << "2700";
        QTest::newRow("blank in FrameOut chains and keeps the operator") << true << "1800-900 100\r"
                                                                         << "--"
                                                                         << "800"
                                                                         << "900";
        QTest::newRow("FrameIn ignores what is not a digit") << true << "18.a%00+1\r"
                                                             << "+"
                                                             << "1801"
                                                             << "1800";
    }

    void chains()
    {
        QFETCH(bool, frameMode);
        QFETCH(QString, keys);
        QFETCH(QString, operators);
        QFETCH(QString, result);
        QFETCH(QString, nextIn);

        Entry entry(frameMode);
        entry.type(keys);

        QString made;
        for (int64_t row = 0; row < entry.sheet.rowCount(); ++row)
            made += QString::fromStdString(std::string(entry.sheet.cell(TimecodeFormat::NonDrop, row, OperatorColumn)));
        QCOMPARE(made, operators);
        QCOMPARE(QString::fromStdString(frameMode ? entry.fields.frameDur.text : entry.fields.duration.text), result);
        QCOMPARE(QString::fromStdString(entry.fields.field(frameMode ? EntryField::FrameIn : EntryField::In)->text),
                 nextIn);
    }
};

OMBREL_TEST_CLASS(KeyProceduresTest)

#include "key_procedures_test.moc"
