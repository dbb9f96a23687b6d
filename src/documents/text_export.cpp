#include "documents/text_export.h"

#include "documents/calc_file.h"
#include "documents/text_encoding.h"

#include <algorithm>

namespace ombrel {

namespace {

constexpr int kColumnsWithoutDescription = ResultColumn + 1;

} // namespace

TextExportWriter::TextExportWriter(const CalcSheet& sheet, TextExportOptions options)
    : list_(sheet.list(options.format)), options_(std::move(options)),
      columns_(options_.descriptions ? kColumnCount : kColumnsWithoutDescription),
      trim_(options_.format == TimecodeFormat::Frames), formatter_(LineEncoding::AsciiOnly, kPieceBytes + 512)
{
    // A heading line must stay one line.
    for (std::string* text : {&options_.heading, &options_.subheading})
        std::replace_if(
            text->begin(), text->end(), [](char ch) { return ch == '\r' || ch == '\n'; }, ' ');
}

void TextExportWriter::chooseEncoding()
{
    EncodingChoice choice;
    if (!headingsWritten_ && options_.headings) {
        choice.consider(options_.heading);
        choice.consider(options_.subheading);
    }
    choice.considerRows(list_, row_, columns_);
    formatter_.setEncoding(choice.encoding());
}

void TextExportWriter::writeHeadings()
{
    if (options_.headings)
        for (const std::string& text : {options_.heading, options_.subheading})
            if (!text.empty() && !formatter_.appendLine(text)) {
                chooseEncoding(); // the text fits the chosen encoding
                formatter_.appendLine(text);
            }
    headingsWritten_ = true;
}

std::string_view TextExportWriter::next(size_t bytes)
{
    formatter_.clear();
    if (!headingsWritten_)
        writeHeadings();
    while (row_ < list_.rowCount() && formatter_.size() < bytes) {
        const RowView cells = RowLineCells(list_, row_, trim_);
        if (!formatter_.writeRow(cells, columns_)) {
            chooseEncoding(); // the row fits the chosen encoding
            formatter_.writeRow(cells, columns_);
        }
        ++row_;
    }
    return formatter_.text();
}

std::string WriteTextExport(const CalcSheet& sheet, const TextExportOptions& options)
{
    TextExportWriter writer(sheet, options);
    std::string file;
    for (std::string_view piece = writer.next(); !piece.empty(); piece = writer.next())
        file += piece;
    return file;
}

std::string FormatSubheading(TimecodeFormat format, const Rates& rates)
{
    const FormatInfo& info = FormatInfoOf(format);
    return TitleWithRate(info.reportTitle, info, rates);
}

} // namespace ombrel
