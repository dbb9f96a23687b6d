#include "entry/key_procedures.h"

#include "entry/entry_keys.h"

namespace ombrel {

namespace {

EntryStep step(EntryAction action)
{
    return EntryStep{action};
}

EntryStep selectOperator(Operator op)
{
    EntryStep s{EntryAction::SelectOperator};
    s.op = op;
    return s;
}

EntryStep focus(EntryField field)
{
    EntryStep s{EntryAction::Focus};
    s.field = field;
    return s;
}

EntryStep recall(EntryField field, RecallSource source, int column)
{
    EntryStep s{EntryAction::Recall};
    s.field = field;
    s.source = source;
    s.column = column;
    return s;
}

// The shared key procedure of the In and Out timecode fields.
KeyOutcome timecodeFieldKeyPress(EntryField self, const FieldState& field, char key, const EntryContext& context)
{
    KeyOutcome outcome;
    auto& steps = outcome.steps;
    steps.push_back(step(EntryAction::ZeroDuration));

    // "." is the double-zero key.
    TimecodeFieldEdit edit = EditTimecodeField(field, key == '.' ? '0' : key, context.separator);
    if (key == '.')
        edit = EditTimecodeField(edit.field, '0', context.separator);
    outcome.field = edit.field;
    steps.push_back(step(edit.loaded ? EntryAction::LoadField : EntryAction::PlaceCaret));

    if (const auto op = OperatorForKey(key)) {
        steps.push_back(selectOperator(*op));
        if (self == EntryField::Out) {
            // Chaining: the new operator applies to this calculation, and
            // its result becomes the next In operand.
            steps.push_back(step(EntryAction::Calculate));
            steps.push_back(step(EntryAction::CopyDurationToIn));
        }
        steps.push_back(focus(EntryField::Out));
    }
    if (key == '%') {
        steps.push_back(step(EntryAction::ShowPercentField));
        steps.push_back(focus(EntryField::Percent));
        steps.push_back(selectOperator(Operator::Percent));
    }
    if (IsCalculateKey(key) || (self == EntryField::Out && key == kBlankKey))
        steps.push_back(step(EntryAction::Calculate));
    if (self == EntryField::In && key == kBlankKey)
        steps.push_back(focus(EntryField::OperandCombo));
    if (IsRecallKey(key) && context.calcCount > 0) {
        if (const auto column =
                RecallColumn(key, context.labelStyle, context.lastOperator, context.framesTabActive, context.calcCount))
            steps.push_back(recall(self, RecallSource::ActiveList, *column));
        steps.push_back(focus(self));
    }
    return outcome;
}

void frameRecall(EntryField self, char key, const EntryContext& context, std::vector<EntryStep>& steps)
{
    if (!IsRecallKey(key) || context.calcCount <= 0)
        return;
    if (const auto column = FrameRecallColumn(key, context.labelStyle, context.calcCount))
        steps.push_back(recall(self, RecallSource::FramesList, *column));
    steps.push_back(focus(self));
}

} // namespace

KeyOutcome MaskEdit1KeyPress(const FieldState& field, char key, const EntryContext& context)
{
    return timecodeFieldKeyPress(EntryField::In, field, key, context);
}

KeyOutcome MaskEdit2KeyPress(const FieldState& field, char key, const EntryContext& context)
{
    return timecodeFieldKeyPress(EntryField::Out, field, key, context);
}

KeyOutcome OperandComboKeyPress(char key, const EntryContext& context)
{
    KeyOutcome outcome;
    auto& steps = outcome.steps;
    if (const auto op = OperatorForKey(key)) {
        steps.push_back(selectOperator(*op));
        steps.push_back(focus(EntryField::Out));
    } else if (IsCalculateKey(key)) {
        steps.push_back(step(EntryAction::Calculate));
        steps.push_back(focus(EntryField::In));
    } else if (key == '%') {
        steps.push_back(selectOperator(Operator::Percent));
        if (!context.percentFieldVisible) {
            steps.push_back(step(EntryAction::ShowPercentField));
            steps.push_back(focus(EntryField::Percent));
        } else {
            steps.push_back(focus(EntryField::Out));
        }
    } else {
        // Any other key picks "+" and moves on to the Out operand.
        steps.push_back(selectOperator(Operator::Plus));
        steps.push_back(focus(EntryField::Out));
    }
    return outcome;
}

KeyOutcome FrameInKeyPress(char key, const EntryContext& context)
{
    KeyOutcome outcome;
    auto& steps = outcome.steps;
    steps.push_back(step(EntryAction::ZeroFrameDur));
    const auto op = OperatorForKey(key);
    if (op || key == kBlankKey) {
        if (op)
            steps.push_back(selectOperator(*op));
        steps.push_back(step(EntryAction::HidePercentField));
        steps.push_back(focus(EntryField::FrameOut));
    }
    frameRecall(EntryField::FrameIn, key, context, steps);
    if (IsCalculateKey(key))
        steps.push_back(step(EntryAction::Calculate));
    outcome.consumed = !(IsDigitKey(key) || key == kBackspaceKey);
    return outcome;
}

KeyOutcome FrameOutKeyPress(char key, const EntryContext& context)
{
    KeyOutcome outcome;
    auto& steps = outcome.steps;
    steps.push_back(step(EntryAction::ZeroFrameDur));
    const auto op = OperatorForKey(key);
    if (op || key == kBlankKey) {
        // Unlike the Out timecode field, the pending operator applies to
        // this calculation; the key's operator applies to the next one.
        steps.push_back(step(EntryAction::Calculate));
        if (op)
            steps.push_back(selectOperator(*op));
        steps.push_back(step(EntryAction::HidePercentField));
        steps.push_back(step(EntryAction::FrameInFromLastResult));
        steps.push_back(focus(EntryField::FrameOut));
    }
    frameRecall(EntryField::FrameOut, key, context, steps);
    if (IsCalculateKey(key))
        steps.push_back(step(EntryAction::Calculate));
    outcome.consumed = !(IsDigitKey(key) || key == kBackspaceKey);
    return outcome;
}

KeyOutcome MaskEdit4KeyPress(char key, const EntryContext& context)
{
    KeyOutcome outcome;
    auto& steps = outcome.steps;
    if (const auto op = OperatorForKey(key)) {
        steps.push_back(selectOperator(*op));
        steps.push_back(step(EntryAction::HidePercentField));
        steps.push_back(focus(EntryField::In));
    }
    if (key == kBlankKey || key == '%')
        steps.push_back(focus(EntryField::Out));
    frameRecall(EntryField::Percent, key, context, steps);
    if (IsCalculateKey(key))
        steps.push_back(step(EntryAction::Calculate));
    outcome.consumed = !(IsDigitKey(key) || key == '.' || key == kBackspaceKey);
    return outcome;
}

} // namespace ombrel
