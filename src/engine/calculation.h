#pragma once

#include "engine/calc_row.h"
#include "engine/format_info.h"
#include "engine/timecode.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace ombrel {

// The operators, by their index in the operator list.
enum class Operator { Plus = 0, Minus = 1, Times = 2, Divide = 3, Percent = 4, Difference = 5 };
inline constexpr int kOperatorCount = 6;
// "+", "-", "x", "/", "%", "~".
std::string_view OperatorText(Operator op);

// The operator applied to two frame counts; percent is used by "%" only.
// "/" and "%" round to nearest, ties to even. A result outside the signed
// 64-bit range throws ConversionError ("a x b is out of range!").
int64_t FindTotalTC(Operator op, int64_t a, int64_t b, double percent = 0);

struct FormatTotals {
    int64_t inCount = 0;
    int64_t outCount = 0;
    int64_t resultCount = 0;
};

// The latest calculation, and the rates it converts at. The rows it made
// belong to the sheet, which counts them.
struct CalcState {
    // The operands as drop-frame labels (adjusted).
    TimecodeParts inParts;
    TimecodeParts outParts;
    std::array<FormatTotals, kFormatCount> totals{};
    std::array<TimecodeParts, kFormatCount - 1> resultParts{};
    Rates rates;
};

// What the Calculate command reads from the window.
struct CalculationRequest {
    std::string inText;      // In timecode field, as shown
    std::string outText;     // Out timecode field, as shown
    std::string percentText; // percentage field
    Operator op = Operator::Plus;
    bool frameMode = false;
    std::string frameInText;
    std::string frameOutText;
    bool rangeCheck = true;
    TimecodeFormat activeFormat = TimecodeFormat::NonDrop;
};

enum class RangeRefusal { None, InOperand, OutOperand };

struct Calculation {
    RangeRefusal refusal = RangeRefusal::None;
    // Present when accepted: the new row of each list, in tab order.
    std::array<RowCells, kFormatCount> rows;
    // The direct result of the typed frame counts (frame mode only).
    std::string frameDuration;
};

// Checks and computes one calculation. A refusal or a ConversionError
// (thrown) leaves the state untouched; an accepted calculation fills the
// totals and returns the rows to append.
Calculation ComputeCalculations(const CalculationRequest& request, CalcState& state);

// The result of an accepted calculation as a timecode on the active tab:
// that list's result cell, or on the Frames tab, whose cells are counts,
// the timecode that counts to the result at the Frames rate.
std::string ResultTimecodeText(const Calculation& calculation, const CalcState& state, TimecodeFormat activeFormat);

// The percentage display of the last Frames row ("50.00%", "1,234.50%").
std::string PercentageText(std::string_view framesInCell, std::string_view framesOutCell, TimecodeFormat activeFormat);

// Parsers used for texts the user typed; both throw ConversionError.
int64_t ParseInteger(std::string_view text);
// Reads a decimal number with "." as point whatever the locale.
double ParseDecimal(std::string_view text);

// The text without its trailing blanks.
std::string_view StringSpace(std::string_view text);

} // namespace ombrel
