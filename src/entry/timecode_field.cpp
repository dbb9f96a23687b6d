#include "entry/timecode_field.h"

#include "engine/format_info.h"
#include "entry/entry_keys.h"

#include <algorithm>

namespace ombrel {

namespace {

// The digit whose text position is the caret; -1 on a separator or at the end.
int digitAtCaret(int caret)
{
    const auto found = std::find(kTimecodeDigitPositions.begin(), kTimecodeDigitPositions.end(), caret);
    return found == kTimecodeDigitPositions.end() ? -1 : static_cast<int>(found - kTimecodeDigitPositions.begin());
}

bool isAnySeparator(char c, char separator)
{
    return c == separator || c == kColonSeparator || c == kDropSeparator;
}

} // namespace

char EntrySeparator(TimecodeFormat activeFormat)
{
    return FormatInfoOf(activeFormat).separator;
}

std::string EntryDigits(std::string_view text, char separator)
{
    if (text.size() == static_cast<size_t>(kTimecodeTextLength))
        return TimecodeTextDigits(text, '0');
    std::string digits;
    for (char c : text) {
        if (!isAnySeparator(c, separator))
            digits += c;
    }
    if (digits.size() > kTimecodeDigitCount)
        return digits.substr(digits.size() - kTimecodeDigitCount);
    return std::string(kTimecodeDigitCount - digits.size(), '0') + digits;
}

std::string LoadEditText(std::string_view digits, char separator)
{
    return LayOutTimecodeText(digits, separator);
}

FieldState NormalizedTimecodeField(FieldState field, char separator)
{
    if (field.text.size() != static_cast<size_t>(kTimecodeTextLength))
        field.text = LoadEditText(EntryDigits(field.text, separator), separator);
    field.caret = std::clamp(field.caret, 0, kTimecodeTextLength);
    field.selectionLength = std::clamp(field.selectionLength, 0, kTimecodeTextLength - field.caret);
    return field;
}

TimecodeFieldEdit EditTimecodeField(const FieldState& original, char key, char separator)
{
    TimecodeFieldEdit edit{NormalizedTimecodeField(original, separator), false};
    FieldState& field = edit.field;

    if (IsDigitKey(key)) {
        const bool wholeSelected = field.selectionLength == kTimecodeTextLength;
        if (wholeSelected) {
            field.text = LoadEditText(kZeroDigits, separator);
            field.caret = kTimecodeTextLength;
        }
        std::string digits = EntryDigits(field.text, separator);
        if (wholeSelected || field.caret == kTimecodeTextLength) {
            // Calculator entry: everything moves left, the key enters at the right.
            digits = digits.substr(1) + key;
            field.caret = kTimecodeTextLength;
        } else {
            const int digit = digitAtCaret(field.caret);
            if (digit >= 0)
                digits[digit] = key;
            ++field.caret;
        }
        field.text = LoadEditText(digits, separator);
        edit.loaded = true;
    } else if (key == kBackspaceKey) {
        std::string digits = EntryDigits(field.text, separator);
        if (field.selectionLength <= 1) {
            // A caret at the end removes the last digit.
            const int digit = field.caret == kTimecodeTextLength ? kTimecodeDigitCount - 1 : digitAtCaret(field.caret);
            if (digit >= 0) {
                digits.erase(digit, 1);
                digits.insert(0, 1, '0');
            } else {
                digits[0] = '0';
            }
        } else {
            for (int position = field.caret; position < field.caret + field.selectionLength; ++position) {
                const int digit = digitAtCaret(position);
                if (digit >= 0)
                    digits[digit] = '0';
            }
        }
        field.text = LoadEditText(digits, separator);
        edit.loaded = true;
    }

    // The caret never rests on a separator, and the character under it is
    // selected so the next digit visibly overwrites it.
    if (IsTimecodeSeparatorPosition(field.caret))
        ++field.caret;
    field.selectionLength = std::min(1, kTimecodeTextLength - field.caret);
    return edit;
}

} // namespace ombrel
