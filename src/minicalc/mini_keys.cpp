#include "minicalc/mini_keys.h"

#include "engine/format_info.h"
#include "entry/entry_keys.h"
#include "settings/grid_layout.h"

namespace ombrel {

namespace {

EntryField shownDisplay(const EntrySurroundings& around)
{
    return around.frameMode ? EntryField::MiniFrame : EntryField::MiniDisplay;
}

void selectAll(FieldState& field)
{
    field.caret = 0;
    field.selectionLength = static_cast<int>(field.text.size());
}

bool wholeSelected(const FieldState& field)
{
    return field.selectionLength == static_cast<int>(field.text.size());
}

// The main field the display feeds in the present state.
FieldState& fedTimecodeField(EntryFields& fields)
{
    switch (fields.mini.state) {
    case MiniEntryState::EnterFirst:
        return fields.in;
    case MiniEntryState::EnterSecond:
        return fields.out;
    case MiniEntryState::ShowResult:
        break;
    }
    return fields.duration;
}

// The shown operands go to the main fields of the state.
void feedMain(EntryFields& fields)
{
    const MiniEntry& mini = fields.mini;
    if (mini.state == MiniEntryState::ShowResult)
        return;
    SetFieldText(fedTimecodeField(fields), mini.display.text);
    SetFieldText(mini.state == MiniEntryState::EnterFirst ? fields.frameIn : fields.frameOut, mini.frame.text);
}

// Frame mode's part of a key: a wholly selected FrameMini starts again from
// "0" (an operator keeps it), and a digit replaces a lone "0" or is added
// while there is room.
void frameKey(EntryFields& fields, char key, bool isOperator)
{
    FieldState& frame = fields.mini.frame;
    if (wholeSelected(frame) && !isOperator)
        LoadMiniFrame(fields, "0");
    if (IsDigitKey(key)) {
        if (frame.text == "0")
            LoadMiniFrame(fields, std::string(1, key));
        else if (static_cast<int>(frame.text.size()) < kMiniFrameTypedLength)
            LoadMiniFrame(fields, frame.text + key);
    }
    SetFieldText(frame, frame.text);
}

void showRefusal(EntryFields& fields, const EntrySurroundings& around)
{
    ShowResultInMini(fields, fields.duration.text);
    RequestFocus(fields, shownDisplay(around));
}

void operatorKey(EntryFields& fields, char key, Operator op, const EntrySurroundings& around)
{
    MiniEntry& mini = fields.mini;
    if (mini.state == MiniEntryState::EnterSecond) {
        // Chaining: the pending operator works on the two operands first.
        feedMain(fields);
        if (!around.calculate()) {
            // Nothing is carried on from a refused calculation.
            showRefusal(fields, around);
            return;
        }
    }
    // The shown value is the first operand: after a calculation that is
    // its result itself, which the Frames tab's zeroed Duration is not.
    SetFieldText(fields.in, mini.display.text);
    SetFieldText(fields.frameIn, mini.frame.text);
    fields.op = op;
    mini.state = MiniEntryState::EnterSecond;
    mini.sign = key == '*' ? std::string(OperatorText(Operator::Times)) : std::string(1, key);
    selectAll(mini.display);
    selectAll(mini.frame);
    RequestFocus(fields, shownDisplay(around));
}

void recall(EntryFields& fields, char key, const EntrySurroundings& around)
{
    const CalcSheet& sheet = around.sheet;
    const int64_t count = sheet.rowCount();
    const int64_t last = count - 1;
    const std::string_view lastOperator = sheet.cell(TimecodeFormat::NonDrop, last, OperatorColumn);
    if (const auto column =
            RecallColumn(key, around.labelStyle, lastOperator, FormatInfoOf(around.activeFormat).frameCounts, count))
        SetFieldText(fields.mini.display, std::string(sheet.cell(around.activeFormat, last, *column)));
    RequestFocus(fields, shownDisplay(around));
}

bool isArithmeticKey(char key)
{
    return key == '*' || key == '+' || key == '-' || key == '/';
}

} // namespace

void MiniKeyPress(EntryFields& fields, char key, const EntrySurroundings& around)
{
    MiniEntry& mini = fields.mini;
    const std::optional<Operator> op = OperatorForKey(key);
    if (around.frameMode)
        frameKey(fields, key, op.has_value());
    if (mini.state == MiniEntryState::ShowResult && !op) {
        mini.state = MiniEntryState::EnterFirst;
        mini.sign.clear();
        selectAll(mini.display);
    }
    const TimecodeFieldEdit edit = EditTimecodeField(mini.display, key, EntrySeparator(around.activeFormat));
    mini.display = edit.field;
    if (edit.loaded)
        SetFieldText(fedTimecodeField(fields), mini.display.text);

    if (op)
        operatorKey(fields, key, *op, around);
    else if (IsCalculateKey(key))
        MiniCalculate(fields, around);
    else if (key == '.') {
        MiniKeyPress(fields, '0', around);
        MiniKeyPress(fields, '0', around);
    } else if (IsRecallKey(key) && key != 'T' && key != 't' && around.sheet.rowCount() > 0)
        recall(fields, key, around);
}

std::optional<char> MiniFrameKeyPress(EntryFields& fields, char key, const EntrySurroundings& around)
{
    MiniEntry& mini = fields.mini;
    SetFieldText(fields.frameDur, "0");
    if (mini.state == MiniEntryState::ShowResult && !isArithmeticKey(key)) {
        mini.state = MiniEntryState::EnterFirst;
        mini.sign.clear();
    }
    if (key == kBlankKey || isArithmeticKey(key)) {
        MiniKeyPress(fields, key, around);
    } else if (IsCalculateKey(key)) {
        MiniCalculate(fields, around);
    } else if (key == '.') {
        if (mini.frame.text.size() >= 8)
            return '0';
        MiniKeyPress(fields, '.', around);
    } else if (IsRecallKey(key) && around.sheet.rowCount() > 0) {
        if (const auto column = FrameRecallColumn(key, around.labelStyle, around.sheet.rowCount()))
            LoadMiniFrame(fields,
                          std::string(around.sheet.cell(TimecodeFormat::Frames, around.sheet.rowCount() - 1, *column)));
        RequestFocus(fields, EntryField::MiniFrame);
    }
    if (IsDigitKey(key) || key == kBackspaceKey)
        return key;
    return std::nullopt;
}

bool MiniCalculate(EntryFields& fields, const EntrySurroundings& around)
{
    feedMain(fields);
    // The second operand stands as the last calculation left it, also
    // where the tab shows it as zero.
    if (fields.mini.state == MiniEntryState::EnterFirst && FormatInfoOf(around.activeFormat).frameCounts &&
        !fields.mini.lastOut.empty())
        SetFieldText(fields.out, fields.mini.lastOut);
    // An accepted calculation shows its result in the Mini Calc by itself.
    const bool accepted = around.calculate();
    if (!accepted)
        showRefusal(fields, around);
    else
        RequestFocus(fields, shownDisplay(around));
    return accepted;
}

void MiniClear(EntryFields& fields, char separator)
{
    fields.mini.state = MiniEntryState::EnterFirst;
    SetFieldText(fields.mini.display, LoadEditText(kZeroDigits, separator));
    SetFieldText(fields.in, fields.mini.display.text);
}

void MiniActivate(EntryFields& fields, bool frameMode)
{
    if (fields.percentVisible)
        fields.op = Operator::Plus;
    fields.percentVisible = false;
    RequestFocus(fields, frameMode ? EntryField::MiniFrame : EntryField::MiniDisplay);
}

void MiniSwitchOperand(EntryFields& fields)
{
    MiniEntry& mini = fields.mini;
    if (mini.state == MiniEntryState::EnterFirst) {
        mini.state = MiniEntryState::EnterSecond;
        mini.sign = OperatorText(fields.op);
    } else if (mini.state == MiniEntryState::EnterSecond) {
        mini.state = MiniEntryState::EnterFirst;
        mini.sign.clear();
    }
}

std::string MiniCaption(MiniEntryState state, LabelStyle style)
{
    const std::optional<LabelSet> labels = LabelSetFor(static_cast<int>(style), false);
    return labels ? labels->fieldLabels[static_cast<size_t>(state)] : std::string();
}

} // namespace ombrel
