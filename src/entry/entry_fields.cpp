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
            break;
        case EntryAction::LoadField:
            *fields.field(keyed) = outcome.field;
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
    for (FieldState* field : {&fields.in, &fields.out, &fields.duration})
        SetFieldText(*field, LoadEditText(kZeroDigits, separator));
}

void ClearEntryFields(EntryFields& fields, char separator, bool frameMode)
{
    ZeroTimecodeFields(fields, separator);
    for (FieldState* field : {&fields.percent, &fields.frameIn, &fields.frameOut, &fields.frameDur})
        SetFieldText(*field, "0");
    // A chosen "%" stays: the percentage field keeps its place.
    if (fields.op != Operator::Percent)
        fields.op = Operator::Plus;
    RequestFocus(fields, frameMode ? EntryField::FrameIn : EntryField::In);
}

void LoadActiveTab(EntryFields& fields, const CalcSheet& sheet, TimecodeFormat activeFormat)
{
    const char separator = EntrySeparator(activeFormat);
    ApplySeparator(fields, separator);
    if (sheet.rowCount() == 0)
        return;
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
