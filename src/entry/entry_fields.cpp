#include "entry/entry_fields.h"

#include "engine/format_info.h"

#include <optional>

namespace ombrel {

namespace {

std::optional<Operator> operatorOfText(std::string_view text)
{
    for (int op = 0; op < kOperatorCount; ++op)
        if (OperatorText(static_cast<Operator>(op)) == text)
            return static_cast<Operator>(op);
    return std::nullopt;
}

std::string_view lastCell(const CalcSheet& sheet, TimecodeFormat list, int column)
{
    return sheet.cell(list, sheet.rowCount() - 1, column);
}

EntryContext contextOf(const EntryFields& fields, const EntrySurroundings& around)
{
    EntryContext context;
    context.separator = EntrySeparator(around.activeFormat);
    context.labelStyle = around.labelStyle;
    context.calcCount = around.sheet.rowCount();
    context.framesTabActive = FormatInfoOf(around.activeFormat).frameCounts;
    if (context.calcCount > 0)
        context.lastOperator = lastCell(around.sheet, TimecodeFormat::NonDrop, OperatorColumn);
    context.percentFieldVisible = fields.percentVisible;
    return context;
}

void placeCaret(FieldState& field, const FieldState& from)
{
    field.caret = from.caret;
    field.selectionLength = from.selectionLength;
}

void applySteps(EntryFields& fields, EntryField keyed, const KeyOutcome& outcome, const EntrySurroundings& around)
{
    const char separator = EntrySeparator(around.activeFormat);
    for (const EntryStep& step : outcome.steps) {
        switch (step.action) {
        case EntryAction::ZeroDuration:
            SetFieldText(fields.duration, LoadEditText(kZeroDigits, separator));
            SetFieldText(fields.mini.display, fields.duration.text);
            break;
        case EntryAction::LoadField:
            *fields.field(keyed) = outcome.field;
            SetFieldText(fields.mini.display, outcome.field.text);
            break;
        case EntryAction::PlaceCaret:
            placeCaret(*fields.field(keyed), outcome.field);
            break;
        case EntryAction::ZeroFrameDur:
            SetFieldText(fields.frameDur, "0");
            break;
        case EntryAction::SelectOperator:
            fields.op = step.op;
            break;
        case EntryAction::Calculate:
            // A refused or failed calculation ends the chain: carrying its
            // zeroed Duration on would wipe the operand the user typed.
            if (!around.calculate())
                return;
            break;
        case EntryAction::CopyDurationToIn:
            SetFieldText(fields.in, fields.duration.text);
            break;
        case EntryAction::FrameInFromLastResult:
            SetFieldText(fields.frameIn, std::string(lastCell(around.sheet, TimecodeFormat::Frames, ResultColumn)));
            break;
        case EntryAction::ShowPercentField:
            fields.percentVisible = true;
            break;
        case EntryAction::HidePercentField:
            fields.percentVisible = false;
            break;
        case EntryAction::Recall: {
            const TimecodeFormat list =
                step.source == RecallSource::FramesList ? TimecodeFormat::Frames : around.activeFormat;
            SetFieldText(*fields.field(step.field), std::string(lastCell(around.sheet, list, step.column)));
            break;
        }
        case EntryAction::Focus:
            RequestFocus(fields, step.field);
            break;
        }
    }
}

} // namespace

FieldState* EntryFields::field(EntryField which)
{
    switch (which) {
    case EntryField::In:
        return &in;
    case EntryField::Out:
        return &out;
    case EntryField::Percent:
        return &percent;
    case EntryField::FrameIn:
        return &frameIn;
    case EntryField::FrameOut:
        return &frameOut;
    case EntryField::Duration:
        return &duration;
    case EntryField::FrameDur:
        return &frameDur;
    case EntryField::MiniDisplay:
        return &mini.display;
    case EntryField::MiniFrame:
        return &mini.frame;
    case EntryField::OperandCombo:
    case EntryField::None:
        break;
    }
    return nullptr;
}

KeyOutcome EntryKeyPress(EntryField keyed, const FieldState& field, char key, const EntryContext& context)
{
    switch (keyed) {
    case EntryField::In:
        return MaskEdit1KeyPress(field, key, context);
    case EntryField::Out:
        return MaskEdit2KeyPress(field, key, context);
    case EntryField::OperandCombo:
        return OperandComboKeyPress(key, context);
    case EntryField::Percent:
        return MaskEdit4KeyPress(key, context);
    case EntryField::FrameIn:
        return FrameInKeyPress(key, context);
    case EntryField::FrameOut:
        return FrameOutKeyPress(key, context);
    case EntryField::Duration:
    case EntryField::FrameDur:
    case EntryField::MiniDisplay:
    case EntryField::MiniFrame:
    case EntryField::None:
        break;
    }
    return {};
}

bool PressEntryKey(EntryFields& fields, EntryField keyed, char key, const EntrySurroundings& around)
{
    const FieldState* field = fields.field(keyed);
    const KeyOutcome outcome = EntryKeyPress(keyed, field ? *field : FieldState{}, key, contextOf(fields, around));
    applySteps(fields, keyed, outcome, around);
    return outcome.consumed;
}

void SetFieldText(FieldState& field, std::string text)
{
    field.caret = static_cast<int>(text.size());
    field.selectionLength = 0;
    field.text = std::move(text);
}

void RequestFocus(EntryFields& fields, EntryField which)
{
    if (FieldState* field = fields.field(which)) {
        field->caret = 0;
        field->selectionLength = static_cast<int>(field->text.size());
    }
    fields.focusRequest = which;
    FollowFocus(fields, which);
}

void FollowFocus(EntryFields& fields, EntryField focused)
{
    MiniEntry& mini = fields.mini;
    const auto follow = [&mini](MiniEntryState state, std::string sign) {
        mini.state = state;
        mini.sign = std::move(sign);
    };
    const std::string pending(OperatorText(fields.op));
    switch (focused) {
    case EntryField::In:
    case EntryField::Percent:
        follow(MiniEntryState::EnterFirst, "");
        break;
    case EntryField::Out:
        follow(MiniEntryState::EnterSecond, pending);
        break;
    case EntryField::Duration:
        follow(MiniEntryState::ShowResult, "=");
        SetFieldText(mini.display, fields.duration.text);
        break;
    case EntryField::FrameIn:
        follow(MiniEntryState::EnterFirst, " ");
        FollowFrameField(fields, focused);
        break;
    case EntryField::FrameOut:
        follow(MiniEntryState::EnterSecond, pending);
        FollowFrameField(fields, focused);
        break;
    case EntryField::FrameDur:
        follow(MiniEntryState::ShowResult, "=");
        FollowFrameField(fields, focused);
        break;
    case EntryField::OperandCombo:
    case EntryField::MiniDisplay:
    case EntryField::MiniFrame:
    case EntryField::None:
        break;
    }
}

void ShowResultInMini(EntryFields& fields, std::string resultTimecode)
{
    MiniEntry& mini = fields.mini;
    SetFieldText(mini.display, std::move(resultTimecode));
    SetFieldText(mini.frame, fields.frameDur.text);
    mini.state = MiniEntryState::ShowResult;
    mini.sign = "=";
}

void FollowFrameField(EntryFields& fields, EntryField changed)
{
    const std::string& text = fields.field(changed)->text;
    if (fields.mini.frame.text != text)
        SetFieldText(fields.mini.frame, text);
}

void LoadMiniDisplay(EntryFields& fields, const std::string& timecode)
{
    MiniEntry& mini = fields.mini;
    if (mini.state == MiniEntryState::ShowResult) {
        mini.state = MiniEntryState::EnterFirst;
        mini.sign.clear();
    }
    SetFieldText(mini.display, timecode);
    SetFieldText(mini.state == MiniEntryState::EnterSecond ? fields.out : fields.in, timecode);
    RequestFocus(fields, EntryField::MiniDisplay);
}

void MiniFrameChanged(EntryFields& fields)
{
    const MiniEntry& mini = fields.mini;
    if (mini.state == MiniEntryState::EnterFirst && fields.frameIn.text != mini.frame.text)
        SetFieldText(fields.frameIn, mini.frame.text);
    else if (mini.state == MiniEntryState::EnterSecond && fields.frameOut.text != mini.frame.text)
        SetFieldText(fields.frameOut, mini.frame.text);
}

void LoadMiniFrame(EntryFields& fields, const std::string& frames)
{
    SetFieldText(fields.mini.frame, frames);
    MiniFrameChanged(fields);
}

void ApplySeparator(EntryFields& fields, char separator)
{
    for (FieldState* field : {&fields.in, &fields.out, &fields.duration}) {
        std::string text = field->text;
        for (int position = 0; position < static_cast<int>(text.size()); ++position)
            if (IsTimecodeSeparatorPosition(position) && (text[position] == ':' || text[position] == ';'))
                text[position] = separator;
        SetFieldText(*field, std::move(text));
    }
}

void ZeroTimecodeFields(EntryFields& fields, char separator)
{
    for (FieldState* field : {&fields.in, &fields.out, &fields.duration, &fields.mini.display})
        SetFieldText(*field, LoadEditText(kZeroDigits, separator));
}

void ClearEntryFields(EntryFields& fields, char separator, bool frameMode)
{
    ZeroTimecodeFields(fields, separator);
    for (FieldState* field : {&fields.percent, &fields.frameIn, &fields.frameOut, &fields.frameDur, &fields.mini.frame})
        SetFieldText(*field, "0");
    // A chosen "%" stays: the percentage field keeps its place.
    if (fields.op != Operator::Percent)
        fields.op = Operator::Plus;
    fields.percentVisible = fields.op == Operator::Percent;
    RequestFocus(fields, frameMode ? EntryField::FrameIn : EntryField::In);
}

void LoadActiveTab(EntryFields& fields, const CalcSheet& sheet, TimecodeFormat activeFormat)
{
    const char separator = EntrySeparator(activeFormat);
    ApplySeparator(fields, separator);
    if (sheet.rowCount() > 0) {
        SetFieldText(fields.out, std::string(lastCell(sheet, activeFormat, OutColumn)));
        SetFieldText(fields.duration, std::string(lastCell(sheet, activeFormat, ResultColumn)));
        // The In cell of a "%" calculation holds the percentage.
        const bool percentRow = lastCell(sheet, activeFormat, OperatorColumn) == "%";
        fields.percentVisible = percentRow;
        SetFieldText(percentRow ? fields.percent : fields.in, std::string(lastCell(sheet, activeFormat, InColumn)));
        if (FormatInfoOf(activeFormat).frameCounts)
            ZeroTimecodeFields(fields, separator);
        if (const auto op = operatorOfText(lastCell(sheet, TimecodeFormat::NonDrop, OperatorColumn)))
            fields.op = *op;
    }
    SetFieldText(fields.mini.display, fields.duration.text);
}

CalculationRequest TakeCalculationRequest(EntryFields& fields, bool frameMode, bool rangeCheck,
                                          TimecodeFormat activeFormat)
{
    for (FieldState* field : {&fields.frameIn, &fields.frameOut})
        if (field->text.empty())
            SetFieldText(*field, "0");
    CalculationRequest request;
    request.inText = fields.in.text;
    request.outText = fields.out.text;
    request.percentText = fields.percent.text;
    request.op = fields.op;
    request.frameMode = frameMode;
    request.frameInText = fields.frameIn.text;
    request.frameOutText = fields.frameOut.text;
    request.rangeCheck = rangeCheck;
    request.activeFormat = activeFormat;
    return request;
}

} // namespace ombrel
