#include "documents/calc_file.h"

#include "documents/row_lines.h"
#include "documents/text_encoding.h"
#include "engine/calculation.h"
#include "engine/format_info.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <charconv>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <exception>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace ombrel {

namespace {

constexpr std::string_view kSheetMagic = "OmbrelSheet";
constexpr std::string_view kPriorMagic = "OmbrelPrior";
UserMessage notOurFile()
{
    return {OMBREL_TEXT("ombrel", "Not a Ombrel file!"), {}};
}

// Names the first cell of a row on `line` that is longer than its limit;
// empty when none is.
UserMessage oversizedCell(const RowView& cells, int64_t line)
{
    for (int c = 0; c < kColumnCount; ++c) {
        const size_t limit = c == DescriptionColumn ? kDescriptionLimit : kValueCellLimit;
        if (cells[c].size() > limit)
            return c == DescriptionColumn
                       ? UserMessage{OMBREL_TEXT("ombrel", "Line %1: the description is longer than %2 bytes."),
                                     {std::to_string(line), std::to_string(limit)}}
                       : UserMessage{OMBREL_TEXT("ombrel", "Line %1: cell %2 is longer than %3 bytes."),
                                     {std::to_string(line), std::to_string(c + 1), std::to_string(limit)}};
    }
    return {};
}

// Cuts a row line (without its end) into cells. False when the line has
// fewer space-terminated cells than the layout needs (found says how many
// it has).
bool splitRow(std::string_view line, bool withDescription, RowView& cells, int& found)
{
    const int tokens = withDescription ? 6 : 5;
    const char* cell = line.data();
    const char* const end = line.data() + line.size();
    for (found = 0; found < tokens; ++found) {
        const auto* space = static_cast<const char*>(std::memchr(cell, ' ', static_cast<size_t>(end - cell)));
        if (!space)
            return false;
        cells[found] = std::string_view(cell, static_cast<size_t>(space - cell));
        cell = space + 1;
    }
    cells[SpacerColumn] = {};
    if (withDescription) {
        std::string_view description(cell, static_cast<size_t>(end - cell));
        if (description.ends_with(' '))
            description.remove_suffix(1); // the separator after the last cell
        cells[DescriptionColumn] = description;
    } else {
        cells[DescriptionColumn] = {};
    }
    return true;
}

UserMessage cellCountMessage(int64_t line, int found, bool withDescription)
{
    return {OMBREL_TEXT("ombrel", "Line %1: this row has %2 of the %3 cells it needs, each followed by a space."),
            {std::to_string(line), std::to_string(found), std::to_string(withDescription ? 6 : 5)}};
}

// Only the first 11 characters of line 1 count.
bool isMagic(std::string_view firstLine)
{
    const std::string_view magic = firstLine.substr(0, kSheetMagic.size());
    return magic == kSheetMagic || magic == kPriorMagic;
}

CalcFileContents rejected(UserMessage message)
{
    CalcFileContents contents;
    contents.error = std::move(message);
    return contents;
}

} // namespace

std::optional<UserMessage> CalcFileHeadError(std::string_view head)
{
    // A byte-order mark is taken off only when the whole file is UTF-8,
    // which the head cannot tell; the file is refused here only when the
    // magic is missing either way.
    if (isMagic(head) || (head.starts_with("\xEF\xBB\xBF") && isMagic(head.substr(3))))
        return std::nullopt;
    return notOurFile();
}

UserMessage CalcFileLongLineError(int64_t line)
{
    return {OMBREL_TEXT("ombrel", "Line %1: this line is longer than any line of an Ombrel file."),
            {std::to_string(line)}};
}

std::string TitleWithRate(std::string_view title, const FormatInfo& format, const Rates& rates)
{
    std::string text(title);
    constexpr std::string_view kRate = "{rate}";
    if (const size_t at = text.find(kRate); at != std::string::npos)
        text.replace(at, kRate.size(),
                     format.frameCounts ? FormatRateText(rates.framesRate) : std::to_string(WholeRate(format, rates)));
    return text;
}

std::string FormatRateText(double rate)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, rate, std::chars_format::general, 15);
    return std::string(buffer, result.ptr);
}

CalcFileWriter::CalcFileWriter(const CalcSheet& sheet, int64_t userRate, double framesRate)
    : sheet_(sheet), rates_{userRate, framesRate}, formatter_(LineEncoding::AsciiOnly, kPieceBytes + 512)
{
}

void CalcFileWriter::chooseEncoding()
{
    EncodingChoice choice;
    for (int f = list_; f < kFormatCount; ++f)
        choice.considerRows(sheet_.list(FormatAt(f)), f == list_ ? row_ : 0);
    formatter_.setEncoding(choice.encoding());
}

void CalcFileWriter::next(std::string& piece, size_t bytes)
{
    formatter_.swapText(piece);
    formatter_.clear();
    if (!headWritten_) {
        formatter_.append(kSheetMagic);
        formatter_.append(kLineEnd);
        formatter_.append(std::to_string(sheet_.rowCount()));
        formatter_.append(kLineEnd);
        headWritten_ = true;
    }
    while (list_ < kFormatCount && formatter_.size() < bytes) {
        const FormatInfo& format = kWindowFormats[list_];
        if (!titleWritten_) {
            formatter_.append(TitleWithRate(format.fileSectionTitle, format, rates_));
            formatter_.append(kLineEnd);
            titleWritten_ = true;
        }
        const CalculationList& list = sheet_.list(FormatAt(list_));
        for (; row_ < list.rowCount() && formatter_.size() < bytes; ++row_) {
            const RowView cells = RowLineCells(list, row_, format.frameCounts);
            if (!formatter_.writeRow(cells)) {
                chooseEncoding(); // the row fits the chosen encoding
                formatter_.writeRow(cells);
            }
        }
        if (row_ == list.rowCount()) {
            formatter_.append(kLineEnd);
            ++list_;
            row_ = 0;
            titleWritten_ = false;
        }
    }
    formatter_.swapText(piece);
}

std::string WriteCalcFile(const CalcSheet& sheet, int64_t userRate, double framesRate)
{
    CalcFileWriter writer(sheet, userRate, framesRate);
    std::string file;
    std::string piece;
    for (writer.next(piece); !piece.empty(); writer.next(piece))
        file += piece;
    return file;
}

namespace {

// Below this a file is read in one thread: starting six costs more.
constexpr int64_t kParallelBytes = int64_t(1) << 20;

std::string_view withoutCr(std::string_view line)
{
    return line.ends_with('\r') ? line.substr(0, line.size() - 1) : line;
}

// Where the lists' rows lie, from the first pass over the file.
struct CalcFileLayout {
    UserMessage error; // why the file was turned down
    bool withDescription = true;
    bool utf8 = true;
    int64_t count = 0;
    std::array<int64_t, kFormatCount> rowStart{}; // byte offset of the first row
    std::array<int64_t, kFormatCount> rowLine{};  // its line number
};

// Counts the lines: the magic, the count, and for each list an empty line
// (not before the first), a title and `count` row lines. Row lines are
// only counted, a block at a time; the other lines are read one by one.
std::optional<CalcFileLayout> findLayout(int64_t size, const ReadAt& readAt, const ReadProgress& progress)
{
    enum class Stage { Magic, Count, SectionGap, Title, Rows, Done };
    CalcFileLayout layout;
    Stage stage = Stage::Magic;
    bool byteOrderMark = false;
    bool longLine = false;
    int list = 0;
    int64_t row = 0;
    int64_t line = 0;
    auto nextSection = [&] {
        ++list;
        row = 0;
        stage = list == kFormatCount ? Stage::Done : Stage::SectionGap;
    };
    // Every line but the rows; false ends the reading.
    auto onLine = [&](std::string_view text, int64_t after) {
        ++line;
        if (text.size() > kLongestCalcFileLine) {
            longLine = true;
            --line;
            return false;
        }
        if (layout.utf8 && !IsAscii(text) && !IsValidUtf8(text))
            layout.utf8 = false;
        switch (stage) {
        case Stage::Magic: {
            // A byte-order mark counts only when the whole file is UTF-8.
            if (text.starts_with("\xEF\xBB\xBF")) {
                byteOrderMark = true;
                text.remove_prefix(3);
            }
            const std::string_view magic = text.substr(0, kSheetMagic.size());
            if (!isMagic(magic)) {
                layout.error = notOurFile();
                return false;
            }
            layout.withDescription = magic == kSheetMagic;
            stage = Stage::Count;
            return true;
        }
        case Stage::Count: {
            const std::string countText = IsValidUtf8(text) ? std::string(text) : Windows1252ToUtf8(text);
            try {
                layout.count = ParseInteger(countText);
            } catch (const ConversionError& error) {
                layout.error = error.message();
                return false;
            }
            if (layout.count < 0) {
                layout.error = {OMBREL_TEXT("ombrel", "Line %1: the number of calculations (%2) cannot be negative."),
                                {"2", countText}};
                return false;
            }
            stage = Stage::Title;
            return true;
        }
        case Stage::SectionGap:
            stage = Stage::Title;
            return true;
        case Stage::Title:
            layout.rowStart[list] = after;
            layout.rowLine[list] = line + 1;
            stage = Stage::Rows;
            if (layout.count == 0)
                nextSection();
            return stage != Stage::Done;
        case Stage::Rows:
        case Stage::Done:
            return false;
        }
        return false;
    };
    // Counts the row lines at the start of `lines`, up to the rows the
    // section still needs; the bytes taken.
    auto countRows = [&](std::string_view lines, bool fileEnds) {
        const int64_t wanted = layout.count - row;
        bool ascii = true;
        int64_t found = CountLineFeeds(lines, ascii);
        if (fileEnds && !lines.ends_with('\n'))
            ++found; // the last line of the file lacks its end
        size_t taken = lines.size();
        if (found > wanted) {
            // The section ends in this block: find the end of its last row.
            const char* in = lines.data();
            for (int64_t n = 0; n < wanted; ++n)
                in = static_cast<const char*>(std::memchr(in, '\n', lines.size() - (in - lines.data()))) + 1;
            taken = static_cast<size_t>(in - lines.data());
            found = wanted;
            ascii = IsAscii(lines.substr(0, taken));
        }
        if (layout.utf8 && !ascii && !IsValidUtf8(lines.substr(0, taken)))
            layout.utf8 = false;
        row += found;
        line += found;
        if (row == layout.count)
            nextSection();
        return taken;
    };

    LineBlocks blocks(readAt, 0, size);
    std::string_view lines;
    bool stopped = false;
    bool failed = false;
    while (!stopped && stage != Stage::Done) {
        const int64_t blockStart = blocks.offset();
        const LineBlocks::Next next = blocks.next(lines);
        if (next == LineBlocks::Next::Ended)
            break;
        if (next == LineBlocks::Next::Failed) {
            failed = true;
            break;
        }
        if (next == LineBlocks::Next::LongLine) {
            longLine = true;
            break;
        }
        size_t at = 0;
        while (at < lines.size() && stage != Stage::Done) {
            if (stage == Stage::Rows) {
                at += countRows(lines.substr(at), blocks.atEnd());
                continue;
            }
            const auto* feed = static_cast<const char*>(std::memchr(lines.data() + at, '\n', lines.size() - at));
            const size_t lineEnd = feed ? static_cast<size_t>(feed - lines.data()) : lines.size();
            const size_t after = feed ? lineEnd + 1 : lineEnd;
            if (!onLine(withoutCr(lines.substr(at, lineEnd - at)), blockStart + static_cast<int64_t>(after))) {
                stopped = true;
                break;
            }
            at = after;
        }
        if (!stopped && progress && !progress(static_cast<int>(100 * blocks.offset() / size)))
            return std::nullopt;
    }
    if (failed) {
        layout.error = {std::string(kCalcFileReadFailed), {}};
        return layout;
    }
    if (longLine) {
        layout.error = CalcFileLongLineError(line + 1);
        return layout;
    }
    if (stage == Stage::Count && layout.error.text.empty())
        onLine("", size); // no count line
    // A file that is not UTF-8 has no byte-order mark: its first line is
    // not the magic.
    if (byteOrderMark && !layout.utf8)
        layout.error = notOurFile();
    if (!layout.error.text.empty())
        return layout;
    const std::string section = list < kFormatCount ? std::string(kWindowFormats[list].name) : std::string();
    if (stage == Stage::Magic)
        layout.error = notOurFile();
    else if (stage == Stage::SectionGap || stage == Stage::Title)
        layout.error = {OMBREL_TEXT("ombrel", "Line %1: the file ends before the %2 section."),
                        {std::to_string(line + 1), section}};
    else if (stage == Stage::Rows)
        layout.error = {OMBREL_TEXT("ombrel", "Line %1: the file ends after %2 of the %3 rows of the %4 section."),
                        {std::to_string(line + 1), std::to_string(row), std::to_string(layout.count), section}};
    return layout;
}

// The high bit of each byte of `word` that is zero, and of no other.
uint64_t zeroBytes(uint64_t word)
{
    constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    return ~(((word & kLow7) + kLow7) | word | kLow7);
}

uint64_t loadWord(const char* in)
{
    uint64_t word;
    std::memcpy(&word, in, 8);
    if constexpr (std::endian::native == std::endian::big)
        word = __builtin_bswap64(word);
    return word; // byte i of the text is byte i of the word
}

// The blanks of a row line before its line feed (at most `wanted` of them)
// and the feed itself, found eight bytes at a time. Bytes up to 8 past
// `end` must be readable.
struct LineCuts {
    std::array<const char*, 6> blanks;
    int found = 0;
    const char* feed = nullptr; // or `end` when the line has none
};

void cutLine(const char* in, const char* end, int wanted, LineCuts& cuts)
{
    constexpr uint64_t kBlanks = 0x2020202020202020ull;
    constexpr uint64_t kFeeds = 0x0A0A0A0A0A0A0A0Aull;
    cuts.found = 0;
    for (const char* at = in;; at += 8) {
        if (at >= end) {
            cuts.feed = end;
            return;
        }
        const uint64_t word = loadWord(at);
        uint64_t feeds = zeroBytes(word ^ kFeeds);
        uint64_t blanks = cuts.found < wanted ? zeroBytes(word ^ kBlanks) : 0;
        if (end - at < 8) {
            const uint64_t inside = (uint64_t(1) << (8 * (end - at))) - 1;
            feeds &= inside;
            blanks &= inside;
        }
        if (feeds)
            blanks &= (feeds & (0 - feeds)) - 1; // blanks before the feed only
        while (blanks && cuts.found < wanted) {
            cuts.blanks[cuts.found++] = at + std::countr_zero(blanks) / 8;
            blanks &= blanks - 1;
        }
        if (feeds) {
            cuts.feed = at + std::countr_zero(feeds) / 8;
            return;
        }
    }
}

// Builds the row of a line with a description whose cells are all short
// (every length fits one byte), straight into the list: the line's bytes
// are the packed row's, shifted by one, with each blank turned into the
// length of the cell after it. False when the line needs the general way.
bool appendShortRow(const char* in, const LineCuts& cuts, const char* lineEnd, CalculationList& list)
{
    const auto& blank = cuts.blanks;
    if (cuts.found < 6 || blank[5] != blank[4] + 1) // the spacer cell is empty
        return false;
    const char* description = blank[5] + 1;
    size_t descriptionSize = static_cast<size_t>(lineEnd - description);
    if (descriptionSize > 0 && lineEnd[-1] == ' ')
        --descriptionSize; // the separator after the last cell
    if (descriptionSize >= 0x80)
        return false;
    const std::array<size_t, 5> values{static_cast<size_t>(blank[0] - in), static_cast<size_t>(blank[1] - blank[0] - 1),
                                       static_cast<size_t>(blank[2] - blank[1] - 1),
                                       static_cast<size_t>(blank[3] - blank[2] - 1),
                                       static_cast<size_t>(blank[4] - blank[3] - 1)};
    for (const size_t value : values)
        if (value > kValueCellLimit)
            return false;
    const size_t lineBytes = static_cast<size_t>(description - in) + descriptionSize;
    char* out = list.appendPackedRowSpace(lineBytes + 1);
    std::memcpy(out + 1, in, lineBytes);
    out[0] = static_cast<char>(values[0]);
    for (int c = 1; c < 5; ++c)
        out[1 + (blank[c - 1] - in)] = static_cast<char>(values[c]);
    out[1 + (blank[4] - in)] = 0;
    out[1 + (blank[5] - in)] = static_cast<char>(descriptionSize);
    return true;
}

// Reads one list's rows; the message naming the first bad line, or nothing.
UserMessage readSection(const ReadAt& readAt, int64_t size, const CalcFileLayout& layout, int f, CalculationList& list,
                        std::atomic<int64_t>& rowsRead, const std::atomic<bool>& stop)
{
    if (layout.count == 0)
        return {};
    // The first pass found every row line. Room for more spares the first
    // calculations after an open from moving the whole list.
    list.reserve(layout.count + layout.count / 8 + 1024);
    std::string converted;
    int64_t row = 0;
    // Any row line: cut into cells, checked and packed.
    auto generalRow = [&](std::string_view line) -> UserMessage {
        const int64_t lineNumber = layout.rowLine[f] + row;
        if (!layout.utf8 && !IsAscii(line)) {
            // The rare Windows-1252 line with other than ASCII is read from
            // its UTF-8 form; its separators stay where they were.
            converted = Windows1252ToUtf8(line);
            line = converted;
        }
        RowView cells;
        int found = 0;
        if (!splitRow(line, layout.withDescription, cells, found))
            return cellCountMessage(lineNumber, found, layout.withDescription);
        if (UserMessage oversized = oversizedCell(cells, lineNumber); !oversized.text.empty())
            return oversized;
        list.appendRow(cells);
        return {};
    };
    LineBlocks blocks(readAt, layout.rowStart[f], size);
    std::string_view lines;
    LineCuts cuts;
    while (row < layout.count && !stop.load()) {
        switch (blocks.next(lines)) {
        case LineBlocks::Next::Lines:
            break;
        case LineBlocks::Next::Failed:
            return {std::string(kCalcFileReadFailed), {}};
        default:
            // The first pass saw every row line: the file changed since.
            return {std::string(kCalcFileReadFailed), {}};
        }
        const char* in = lines.data();
        const char* const end = in + lines.size();
        const int64_t blockRow = row;
        while (in < end && row < layout.count) {
            cutLine(in, end, layout.withDescription ? 6 : 0, cuts);
            const char* lineEnd = cuts.feed > in && cuts.feed[-1] == '\r' ? cuts.feed - 1 : cuts.feed;
            const bool fast = layout.withDescription && (layout.utf8 || IsAscii({in, size_t(lineEnd - in)})) &&
                              appendShortRow(in, cuts, lineEnd, list);
            if (!fast)
                if (UserMessage error = generalRow({in, size_t(lineEnd - in)}); !error.text.empty())
                    return error;
            ++row;
            in = cuts.feed + 1;
        }
        rowsRead += row - blockRow;
    }
    return {};
}

} // namespace

std::optional<CalcFileContents> ReadCalcFile(int64_t size, const ReadAt& readAt, const ReadProgress& progress)
{
    const std::optional<CalcFileLayout> layout = findLayout(size, readAt, progress);
    if (!layout)
        return std::nullopt;
    if (!layout->error.text.empty())
        return rejected(layout->error);

    std::array<CalculationList, kFormatCount> lists;
    std::array<UserMessage, kFormatCount> errors;
    std::atomic<int64_t> rowsRead{0};
    std::atomic<bool> stop{false};
    auto read = [&](int f) { errors[f] = readSection(readAt, size, *layout, f, lists[f], rowsRead, stop); };
    if (size < kParallelBytes) {
        for (int f = 0; f < kFormatCount; ++f)
            read(f);
    } else {
        // The six lists are independent: each is read on a thread of its
        // own, while this one reports the progress.
        std::mutex mutex;
        std::condition_variable ended;
        int running = kFormatCount;
        std::array<std::exception_ptr, kFormatCount> failures;
        std::vector<std::jthread> workers;
        for (int f = 0; f < kFormatCount; ++f)
            workers.emplace_back([&, f] {
                try {
                    read(f);
                } catch (...) {
                    failures[f] = std::current_exception(); // out of memory
                    stop = true;
                }
                std::lock_guard lock(mutex);
                --running;
                ended.notify_all();
            });
        const int64_t total = std::max<int64_t>(1, kFormatCount * layout->count);
        std::unique_lock lock(mutex);
        while (!ended.wait_for(lock, std::chrono::milliseconds(50), [&] { return running == 0; }))
            if (progress && !progress(100 + static_cast<int>(900 * rowsRead.load() / total)))
                stop = true;
        lock.unlock();
        workers.clear();
        for (const auto& failure : failures)
            if (failure)
                std::rethrow_exception(failure);
    }
    if (stop)
        return std::nullopt;
    // Sections lie in file order, so the first error names the first bad line.
    for (const UserMessage& error : errors)
        if (!error.text.empty())
            return rejected(error);

    CalcFileContents contents;
    contents.magic = layout->withDescription ? CalcFileMagic::OmbrelSheet : CalcFileMagic::OmbrelPrior;
    contents.sheet = CalcSheet(std::move(lists));
    return contents;
}

CalcFileContents ReadCalcFile(std::string_view bytes)
{
    const auto readAt = [bytes](int64_t offset, char* into, size_t size) -> int64_t {
        const std::string_view part = bytes.substr(static_cast<size_t>(offset), size);
        std::memcpy(into, part.data(), part.size());
        return static_cast<int64_t>(part.size());
    };
    return *ReadCalcFile(static_cast<int64_t>(bytes.size()), readAt);
}

} // namespace ombrel
