#include "cli/sheet_report.h"

#include "cli/output_buffer.h"
#include "cli/report_fields.h"
#include "engine/calculation.h"

#include <array>

namespace ombrel {

namespace {

constexpr std::array<int, 5> kReportColumns = {InColumn, OperatorColumn, OutColumn, ResultColumn, DescriptionColumn};
constexpr std::array<std::string_view, 5> kReportKeys = {"in", "op", "out", "duration", "description"};

} // namespace

void WriteSheetRows(const CalcSheet& sheet, TimecodeFormat list, bool json, OutputBuffer& out)
{
    if (!json)
        out.append("in,op,out,duration,description\n");
    const CalculationList& rows = sheet.list(list);
    for (int64_t r = 0; r < rows.rowCount(); ++r) {
        const RowView cells = rows.rowView(r);
        out.append(json ? "{" : "");
        for (size_t c = 0; c < kReportColumns.size(); ++c) {
            const std::string_view cell = cells[kReportColumns[c]];
            if (json) {
                out.append(c > 0 ? ",\"" : "\"");
                out.append(kReportKeys[c]);
                out.append("\":");
                AppendJsonString(cell, out);
            } else {
                out.append(c > 0 ? "," : "");
                AppendCsvField(cell, out);
            }
        }
        out.append(json ? "}\n" : "\n");
    }
}

std::optional<FrameRate> ListRate(TimecodeFormat list, int64_t userRate)
{
    switch (list) {
    case TimecodeFormat::NonDrop:
        return FrameRate{30};
    case TimecodeFormat::DropFrm:
        return FrameRate{30, true, true};
    case TimecodeFormat::PAL:
        return FrameRate{25};
    case TimecodeFormat::Film:
        return FrameRate{24};
    case TimecodeFormat::User:
        return FrameRate{userRate};
    case TimecodeFormat::Frames:
        break;
    }
    return std::nullopt;
}

int64_t SumDurations(const CalcSheet& sheet, TimecodeFormat list, int64_t userRate)
{
    const std::optional<FrameRate> rate = ListRate(list, userRate);
    const CalculationList& rows = sheet.list(list);
    int64_t sum = 0;
    for (int64_t r = 0; r < rows.rowCount(); ++r) {
        const std::string_view cell = StringSpace(rows.cell(r, ResultColumn));
        try {
            const int64_t count = rate ? LabelToFrame(ParseLabel(cell, *rate), *rate) : ParseInteger(cell);
            if (__builtin_add_overflow(sum, count, &sum))
                throw ConversionError("the sum is too large");
        } catch (const ConversionError& error) {
            throw ConversionError("row " + std::to_string(r + 1) + ": " + error.what());
        }
    }
    return sum;
}

std::string SumText(int64_t count, TimecodeFormat list, int64_t userRate)
{
    const std::optional<FrameRate> rate = ListRate(list, userRate);
    if (!rate || count < 0)
        return std::to_string(count);
    char text[kLongestLabelPastDay];
    return std::string(text, WriteLabelPastDay(count, *rate, text));
}

} // namespace ombrel
