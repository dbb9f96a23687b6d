#include "entry/recall.h"

#include "engine/calc_row.h"
#include "entry/entry_keys.h"

#include <cctype>

namespace ombrel {

namespace {

enum class Recalled { FirstOperand, SecondOperand, Result };

// "I" and "O" follow the captions: with "Out - In - Duration" the first
// operand is shown under "Out".
std::optional<Recalled> recalledFor(char key, LabelStyle style)
{
    if (!IsRecallKey(key))
        return std::nullopt;
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(key)));
    const bool swapped = style == LabelStyle::OutInDuration;
    if (upper == 'I')
        return swapped ? Recalled::SecondOperand : Recalled::FirstOperand;
    if (upper == 'O')
        return swapped ? Recalled::FirstOperand : Recalled::SecondOperand;
    return Recalled::Result;
}

int columnOf(Recalled recalled)
{
    switch (recalled) {
    case Recalled::FirstOperand:
        return InColumn;
    case Recalled::SecondOperand:
        return OutColumn;
    case Recalled::Result:
        break;
    }
    return ResultColumn;
}

} // namespace

std::optional<int> RecallColumn(char key, LabelStyle style, std::string_view lastOperator, bool framesTabActive,
                                int64_t calcCount)
{
    if (calcCount <= 0 || framesTabActive)
        return std::nullopt;
    const auto recalled = recalledFor(key, style);
    if (!recalled)
        return std::nullopt;
    if (*recalled == Recalled::FirstOperand && lastOperator == "%")
        return std::nullopt;
    return columnOf(*recalled);
}

std::optional<int> FrameRecallColumn(char key, LabelStyle style, int64_t calcCount)
{
    if (calcCount <= 0)
        return std::nullopt;
    const auto recalled = recalledFor(key, style);
    if (!recalled)
        return std::nullopt;
    return columnOf(*recalled);
}

} // namespace ombrel
