#include "engine/calculation.h"
#include "engine/timecode.h"
#include "entry/entry_fields.h"
#include "entry/key_procedures.h"
#include "test_registry.h"

#include <QMap>
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
// window's on the active tab, reduced to what the chains need.
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
        const EntrySurroundings around{sheet, format, labels, [this] { return calculate(); }};
        if (!PressEntryKey(fields, keyed, key, around))
            typeIntoField(*fields.field(keyed), key);
        takeFocus();
    }

    void takeFocus()
    {
        if (fields.focusRequest != EntryField::None) {
            focused = std::exchange(fields.focusRequest, EntryField::None);
            ++focusRequests;
        }
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
            ComputeCalculations(TakeCalculationRequest(fields, frameMode, true, format), state);
        if (calculation.refusal != RangeRefusal::None)
            return false;
        sheet.appendCalculation(calculation.rows);
        if (frameMode)
            SetFieldText(fields.frameDur, calculation.frameDuration);
        LoadActiveTab(fields, sheet, format);
        RequestFocus(fields, frameMode ? EntryField::FrameIn : EntryField::In);
        return true;
    }

    bool frameMode;
    TimecodeFormat format = TimecodeFormat::NonDrop;
    LabelStyle labels = LabelStyle::InOutDuration;
    EntryFields fields;
    EntryField focused = EntryField::None;
    int focusRequests = 0;
    CalcSheet sheet;
    CalcState state;
};

// The band the keys below are typed into: operands and an earlier result
// on screen (In 00:00:10:00, Out 00:00:05:00, Duration 00:00:20:00; frame
// counts 300, 150, 600; percentage 50), the keyed field focused with the
// caret after its text, over a sheet of rows with the given operators.
// Row r holds 01:00:00:0r, 02:00:00:0r and 03:00:00:0r (10r, 20r and 30r
// in the Frames list); a "%" row's first operand is the percentage 50.
void setUpBand(Entry& entry, const QString& operators, EntryField keyed, Operator op)
{
    for (int r = 0; r < operators.size(); ++r) {
        const std::string op(1, operators[r].toLatin1());
        const std::string digit = std::to_string(r);
        const std::string first = op == "%" ? "50" : "01:00:00:0" + digit;
        std::array<RowCells, kFormatCount> rows;
        for (int f = 0; f < kFormatCount; ++f)
            rows[f] = {first, op, "02:00:00:0" + digit, "=", "03:00:00:0" + digit, "", ""};
        rows[FormatIndex(TimecodeFormat::Frames)] = {
            op == "%" ? "50" : "10" + digit, op, "20" + digit, "=", "30" + digit, "", ""};
        entry.sheet.appendCalculation(rows);
    }
    EntryFields& f = entry.fields;
    SetFieldText(f.in, "00:00:10:00");
    SetFieldText(f.out, "00:00:05:00");
    SetFieldText(f.duration, "00:00:20:00");
    SetFieldText(f.frameIn, "300");
    SetFieldText(f.frameOut, "150");
    SetFieldText(f.frameDur, "600");
    SetFieldText(f.percent, "50");
    f.op = op;
    entry.focused = keyed;
    entry.focusRequests = 0;
}

// What the band shows, by name.
QMap<QString, QString> shownBand(Entry& entry)
{
    EntryFields& f = entry.fields;
    const auto text = [](const FieldState& field) { return QString::fromStdString(field.text); };
    return {{"In", text(f.in)},
            {"Out", text(f.out)},
            {"Dur", text(f.duration)},
            {"FrameIn", text(f.frameIn)},
            {"FrameOut", text(f.frameOut)},
            {"FrameDur", text(f.frameDur)},
            {"Pct", text(f.percent)},
            {"PctField", f.percentVisible ? "shown" : "hidden"},
            {"op", QString::fromLatin1(OperatorText(f.op).data(), 1)}};
}

// One key typed into the band: what changed on screen, in the order In,
// Out, Dur, the frame fields, the percentage, the operator; then the field
// that took the focus (its text selected) and the operators of the
// calculations the key made.
QString pressInBand(const QString& keyed, char key, const QString& operators,
                    TimecodeFormat tab = TimecodeFormat::NonDrop, LabelStyle labels = LabelStyle::InOutDuration,
                    bool percentShown = false, Operator op = Operator::Plus)
{
    const EntryField field = fieldNamed(keyed);
    Entry entry(field == EntryField::FrameIn || field == EntryField::FrameOut);
    entry.format = tab;
    entry.labels = labels;
    setUpBand(entry, operators, field, op);
    entry.fields.percentVisible = percentShown;
    const QMap<QString, QString> before = shownBand(entry);
    const int64_t rowsBefore = entry.sheet.rowCount();
    entry.press(key);
    const QMap<QString, QString> after = shownBand(entry);
    QStringList changes;
    for (const char* name : {"In", "Out", "Dur", "FrameIn", "FrameOut", "FrameDur", "Pct", "PctField", "op"})
        if (before[name] != after[name])
            changes << QString(name) + '=' + after[name];
    if (entry.focusRequests > 0)
        changes << "focus:" + fieldName(entry.focused);
    QString made;
    for (int64_t row = rowsBefore; row < entry.sheet.rowCount(); ++row)
        made += QString::fromStdString(std::string(entry.sheet.cell(TimecodeFormat::NonDrop, row, OperatorColumn)));
    if (!made.isEmpty())
        changes << "made:" + made;
    return changes.join(' ');
}

} // namespace

class KeyProceduresTest : public QObject {
    Q_OBJECT

private slots:
    // Each key typed into a timecode field, and what the band shows after
    // it. Every key first zeroes the Duration.
    void timecodeFieldKeys_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<char>("key");
        QTest::addColumn<QString>("rows"); // operators of the calculations so far
        QTest::addColumn<bool>("framesTab");
        QTest::addColumn<QString>("changes");

        QTest::newRow("In digit") << "In" << '5' << "" << false << "In=00:01:00:05 Dur=00:00:00:00";
        QTest::newRow("In dot") << "In" << '.' << "" << false << "In=00:10:00:00 Dur=00:00:00:00";
        QTest::newRow("In backspace") << "In" << '\b' << "" << false << "In=00:00:01:00 Dur=00:00:00:00";
        QTest::newRow("In +") << "In" << '+' << "" << false << "Dur=00:00:00:00 focus:Out";
        QTest::newRow("In -") << "In" << '-' << "" << false << "Dur=00:00:00:00 op=- focus:Out";
        QTest::newRow("In *") << "In" << '*' << "" << false << "Dur=00:00:00:00 op=x focus:Out";
        QTest::newRow("In /") << "In" << '/' << "" << false << "Dur=00:00:00:00 op=/ focus:Out";
        QTest::newRow("In backquote") << "In" << '`' << "" << false << "Dur=00:00:00:00 op=~ focus:Out";
        QTest::newRow("In ~") << "In" << '~' << "" << false << "Dur=00:00:00:00 op=~ focus:Out";
        QTest::newRow("Out - selects, calculates, chains")
            << "Out" << '-' << "" << false << "In=00:00:05:00 Dur=00:00:05:00 op=- focus:Out made:-";
        QTest::newRow("Out *") << "Out" << '*' << "++" << false
                               << "In=00:25:00:00 Dur=00:25:00:00 op=x focus:Out made:x";
        QTest::newRow("In %") << "In" << '%' << "" << false << "Dur=00:00:00:00 PctField=shown op=% focus:Pct";
        QTest::newRow("Out %") << "Out" << '%' << "" << false << "Dur=00:00:00:00 PctField=shown op=% focus:Pct";
        QTest::newRow("In Enter") << "In" << '\r' << "" << false << "Dur=00:00:15:00 focus:In made:+";
        QTest::newRow("Out =") << "Out" << '=' << "" << false << "Dur=00:00:15:00 focus:In made:+";
        QTest::newRow("In blank goes to the operator list")
            << "In" << ' ' << "" << false << "Dur=00:00:00:00 focus:Combo";
        QTest::newRow("Out blank calculates") << "Out" << ' ' << "" << false << "Dur=00:00:15:00 focus:In made:+";
        QTest::newRow("In recall before any calculation") << "In" << 'I' << "" << false << "Dur=00:00:00:00";
        QTest::newRow("In recall I") << "In" << 'I' << "+++" << false << "In=01:00:00:02 Dur=00:00:00:00 focus:In";
        QTest::newRow("Out recall d") << "Out" << 'd' << "+" << false << "Out=03:00:00:00 Dur=00:00:00:00 focus:Out";
        QTest::newRow("recall of a percentage only selects")
            << "Out" << 'I' << "%" << false << "Dur=00:00:00:00 focus:Out";
        QTest::newRow("recall on the Frames tab only selects")
            << "In" << 'O' << "+" << true << "Dur=00:00:00:00 focus:In";
        QTest::newRow("other letter") << "In" << 'x' << "+" << false << "Dur=00:00:00:00";
    }

    void timecodeFieldKeys()
    {
        QFETCH(QString, field);
        QFETCH(char, key);
        QFETCH(QString, rows);
        QFETCH(bool, framesTab);
        QFETCH(QString, changes);
        QCOMPARE(pressInBand(field, key, rows, framesTab ? TimecodeFormat::Frames : TimecodeFormat::NonDrop), changes);
        // The fields are read-only to ordinary editing: nothing reaches them.
        EntryContext context;
        QVERIFY(EntryKeyPress(fieldNamed(field), {"00:00:10:00", 11, 0}, key, context).consumed);
    }

    void operandComboKeys_data()
    {
        QTest::addColumn<char>("key");
        QTest::addColumn<bool>("percentShown");
        QTest::addColumn<QString>("changes");

        QTest::newRow("+") << '+' << false << "op=+ focus:Out";
        QTest::newRow("*") << '*' << false << "op=x focus:Out";
        QTest::newRow("backquote") << '`' << false << "op=~ focus:Out";
        QTest::newRow("Enter") << '\r' << false << "Dur=00:00:05:00 focus:In made:-";
        QTest::newRow("=") << '=' << true << "Dur=00:00:05:00 PctField=hidden focus:In made:-";
        QTest::newRow("% shows the percentage field") << '%' << false << "PctField=shown op=% focus:Pct";
        QTest::newRow("% with the field shown") << '%' << true << "op=% focus:Out";
        QTest::newRow("letter picks +") << 'a' << false << "op=+ focus:Out";
        QTest::newRow("blank picks +") << ' ' << false << "op=+ focus:Out";
    }

    void operandComboKeys()
    {
        QFETCH(char, key);
        QFETCH(bool, percentShown);
        QFETCH(QString, changes);
        // "-" chosen before, so that choosing "+" shows.
        QCOMPARE(pressInBand("Combo", key, "", TimecodeFormat::NonDrop, LabelStyle::InOutDuration, percentShown,
                             Operator::Minus),
                 changes);
        QVERIFY(OperandComboKeyPress(key, EntryContext{}).consumed);
    }

    void numberFieldKeys_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<char>("key");
        QTest::addColumn<QString>("rows");
        QTest::addColumn<LabelStyle>("labels");
        QTest::addColumn<QString>("changes");

        const auto in = LabelStyle::InOutDuration;
        QTest::newRow("FrameIn digit") << "FrameIn" << '7' << "" << in << "FrameIn=3007 FrameDur=0";
        QTest::newRow("FrameIn -") << "FrameIn" << '-' << "" << in << "FrameDur=0 PctField=hidden op=- focus:FrameOut";
        QTest::newRow("FrameIn blank keeps the operator")
            << "FrameIn" << ' ' << "" << in << "FrameDur=0 PctField=hidden focus:FrameOut";
        QTest::newRow("FrameIn % is no operator") << "FrameIn" << '%' << "" << in << "FrameDur=0";
        QTest::newRow("FrameIn Enter") << "FrameIn" << '\r' << "" << in
                                       << "Dur=00:00:15:00 FrameDur=450 PctField=hidden focus:FrameIn made:+";
        QTest::newRow("FrameIn recall before any calculation") << "FrameIn" << 'I' << "" << in << "FrameDur=0";
        QTest::newRow("FrameIn recall, Out-In labels")
            << "FrameIn" << 'I' << "++" << LabelStyle::OutInDuration << "FrameIn=201 FrameDur=0 focus:FrameIn";

        QTest::newRow("FrameOut - calculates, then selects")
            << "FrameOut" << '-' << "+" << in
            << "Dur=00:00:15:00 FrameIn=450 FrameDur=450 PctField=hidden op=- focus:FrameOut made:+";
        QTest::newRow("FrameOut blank calculates and chains")
            << "FrameOut" << ' ' << "+" << in
            << "Dur=00:00:15:00 FrameIn=450 FrameDur=450 PctField=hidden focus:FrameOut made:+";
        QTest::newRow("FrameOut =") << "FrameOut" << '=' << "+" << in
                                    << "Dur=00:00:15:00 FrameDur=450 PctField=hidden focus:FrameIn made:+";
        QTest::newRow("FrameOut recall T")
            << "FrameOut" << 't' << "+" << in << "FrameOut=300 FrameDur=0 focus:FrameOut";

        QTest::newRow("Pct operator returns to In") << "Pct" << '/' << "" << in << "PctField=hidden op=/ focus:In";
        QTest::newRow("Pct blank") << "Pct" << ' ' << "" << in << "focus:Out";
        QTest::newRow("Pct %") << "Pct" << '%' << "" << in << "focus:Out";
        QTest::newRow("Pct Enter") << "Pct" << '\r' << "" << in << "Dur=00:00:15:00 PctField=hidden focus:In made:+";
        QTest::newRow("Pct recall O") << "Pct" << 'O' << "++++" << in << "Pct=203 focus:Pct";
        QTest::newRow("Pct dot") << "Pct" << '.' << "" << in << "Pct=50.";
    }

    void numberFieldKeys()
    {
        QFETCH(QString, field);
        QFETCH(char, key);
        QFETCH(QString, rows);
        QFETCH(LabelStyle, labels);
        QFETCH(QString, changes);
        // With the percentage field shown, so that hiding it shows.
        QCOMPARE(pressInBand(field, key, rows, TimecodeFormat::NonDrop, labels, true), changes);
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
