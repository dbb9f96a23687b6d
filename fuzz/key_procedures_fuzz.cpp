// Keys typed into the entry fields, one after the other, and the
// calculation run on what they leave: the key procedures keep every field
// a valid timecode text with the caret on it, recall only operand and
// result columns, and a calculation either completes or refuses with its
// message, for any text a field may hold.
#include "engine/calculation.h"
#include "entry/key_procedures.h"
#include "fuzz_input.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace ombrel;

namespace {

// A key leaves an 11-character text with the caret and selection inside
// it; a text it rebuilt has the separators of the active tab.
void checkField(const KeyOutcome& outcome, char separator)
{
    const FieldState& field = outcome.field;
    FUZZ_CHECK(field.text.size() == static_cast<size_t>(kTimecodeTextLength));
    FUZZ_CHECK(field.caret >= 0 && field.caret <= kTimecodeTextLength);
    FUZZ_CHECK(field.selectionLength >= 0 && field.caret + field.selectionLength <= kTimecodeTextLength);
    const bool rebuilt = std::any_of(outcome.steps.begin(), outcome.steps.end(),
                                     [](const EntryStep& step) { return step.action == EntryAction::LoadField; });
    if (rebuilt)
        FUZZ_CHECK(field.text[2] == separator && field.text[5] == separator && field.text[8] == separator);
}

void checkSteps(const KeyOutcome& outcome)
{
    for (const EntryStep& step : outcome.steps)
        if (step.action == EntryAction::Recall)
            FUZZ_CHECK(step.column == InColumn || step.column == OutColumn || step.column == ResultColumn);
}

bool sameState(const CalcState& a, const CalcState& b)
{
    for (int f = 0; f < kFormatCount; ++f)
        if (a.totals[f].inCount != b.totals[f].inCount || a.totals[f].outCount != b.totals[f].outCount ||
            a.totals[f].resultCount != b.totals[f].resultCount)
            return false;
    return a.inParts == b.inParts && a.outParts == b.outParts && a.resultParts == b.resultParts;
}

// Calculates as the window does with the fields' texts; a refusal or a
// ConversionError leaves the state as it was.
void calculate(const CalculationRequest& request, CalcState& state)
{
    const CalcState before = state;
    try {
        const Calculation calculation = ComputeCalculations(request, state);
        if (calculation.refusal != RangeRefusal::None) {
            FUZZ_CHECK(sameState(state, before));
            return;
        }
        const RowCells& frames = calculation.rows[FormatIndex(TimecodeFormat::Frames)];
        for (int f = 0; f < kFormatCount; ++f)
            PercentageText(frames[InColumn], frames[OutColumn], FormatAt(f));
        for (int f = 0; f < kFormatCount - 1; ++f)
            FUZZ_CHECK(ParseTimecodeText(calculation.rows[f][ResultColumn]) == state.resultParts[f]);
    } catch (const ConversionError&) {
        FUZZ_CHECK(sameState(state, before));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::FuzzInput input(data, size);
    const uint8_t setup = input.byte();
    EntryContext context;
    context.separator = setup & 1 ? kDropSeparator : kColonSeparator;
    context.labelStyle = static_cast<LabelStyle>(setup % 3);
    context.calcCount = setup & 2 ? 1 : 0;
    context.framesTabActive = setup & 4;
    context.percentFieldVisible = setup & 8;
    context.lastOperator = input.text();

    // Fields start from any text, caret and selection, as a paste may leave them.
    FieldState fields[2];
    for (FieldState& field : fields) {
        field.text = input.text();
        field.caret = static_cast<int8_t>(input.byte());
        field.selectionLength = static_cast<int8_t>(input.byte());
    }

    CalculationRequest request;
    request.percentText = input.text();
    request.frameInText = input.text();
    request.frameOutText = input.text();
    CalcState state;
    state.rates.userRate = 1 + input.byte() % 99; // the settings hold 1-99
    state.rates.framesRate = 0.001 + input.byte() * 0.5;

    while (!input.empty()) {
        const uint8_t target = input.byte();
        const char key = static_cast<char>(input.byte());
        KeyOutcome outcome;
        switch (target % 6) {
        case 0:
        case 1: {
            FieldState& field = fields[target % 2];
            outcome = target % 2 == 0 ? MaskEdit1KeyPress(field, key, context) : MaskEdit2KeyPress(field, key, context);
            checkField(outcome, context.separator);
            field = outcome.field;
            break;
        }
        case 2:
            outcome = OperandComboKeyPress(key, context);
            break;
        case 3:
            outcome = FrameInKeyPress(key, context);
            break;
        case 4:
            outcome = FrameOutKeyPress(key, context);
            break;
        default:
            outcome = MaskEdit4KeyPress(key, context);
            break;
        }
        checkSteps(outcome);
        for (const EntryStep& step : outcome.steps)
            if (step.action == EntryAction::SelectOperator)
                request.op = step.op;
            else if (step.action == EntryAction::Calculate) {
                request.inText = fields[0].text;
                request.outText = fields[1].text;
                request.frameMode = target & 0x40;
                request.rangeCheck = target & 0x80;
                request.activeFormat = FormatAt(static_cast<uint8_t>(key) % kFormatCount);
                calculate(request, state);
            }
    }
    return 0;
}
