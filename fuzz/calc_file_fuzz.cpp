// Any bytes as a calculation file. Reading never crashes, and a file that
// was read, written and read again gives the same cells, but for what the
// writer changes on purpose: the Frames list loses trailing blanks, and a
// line break in a description becomes a space.
#include "documents/calc_file.h"
#include "engine/calculation.h"
#include "fuzz_input.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace ombrel;

namespace {

std::string expectedAfterWriting(std::string_view cell, TimecodeFormat format, int column)
{
    std::string text(format == TimecodeFormat::Frames ? StringSpace(cell) : cell);
    if (column == DescriptionColumn)
        std::replace_if(
            text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const CalcFileContents first = ReadCalcFile(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!first.ok()) {
        FUZZ_CHECK(first.sheet.rowCount() == 0);
        return 0;
    }
    const std::string written = WriteCalcFile(first.sheet, 15, 29.97);
    const CalcFileContents second = ReadCalcFile(written);
    if (!second.ok())
        std::fprintf(stderr, "written file refused: %s\n", EnglishText(second.error).c_str());
    FUZZ_CHECK(second.ok());
    FUZZ_CHECK(second.magic == CalcFileMagic::OmbrelSheet);
    FUZZ_CHECK(second.sheet.rowCount() == first.sheet.rowCount());
    for (int f = 0; f < kFormatCount; ++f)
        for (int64_t row = 0; row < first.sheet.rowCount(); ++row)
            for (int column = 0; column < kColumnCount; ++column) {
                const TimecodeFormat format = FormatAt(f);
                FUZZ_CHECK(second.sheet.cell(format, row, column) ==
                           expectedAfterWriting(first.sheet.cell(format, row, column), format, column));
            }
    return 0;
}
