#include "documents/recovery_journal.h"

#include "documents/file_fingerprint.h"
#include "documents/line_blocks.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace ombrel {

namespace {

using Kind = uint8_t;
constexpr Kind kInsert = 1, kRemove = 2, kOrder = 3, kCell = 4, kClear = 5, kFileName = 6, kSheet = 7, kListRows = 8;

// Longer than any record the program writes (a sort's order of the
// largest sheet): a length beyond it is damage, not a reason to allocate.
constexpr uint32_t kMaxRecord = uint32_t{1} << 30;

// Tells a torn or damaged record from a whole one, with the hash the
// window already takes of the files it opens.
uint64_t checksum(std::string_view bytes)
{
    ContentHash hash;
    hash.add(bytes);
    return hash.value();
}

void putVarint(std::string& out, uint64_t value)
{
    while (value >= 0x80) {
        out.push_back(static_cast<char>((value & 0x7F) | 0x80));
        value >>= 7;
    }
    out.push_back(static_cast<char>(value));
}

void putFixed(std::string& out, uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

uint64_t getFixed(const char* in, int bytes)
{
    uint64_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= uint64_t(static_cast<unsigned char>(in[i])) << (8 * i);
    return value;
}

// Reads a record's payload; every read is checked against its end.
struct Payload {
    std::string_view rest;
    bool ok = true;

    uint64_t varint()
    {
        uint64_t value = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            if (rest.empty())
                break;
            const auto byte = static_cast<unsigned char>(rest.front());
            rest.remove_prefix(1);
            value |= uint64_t(byte & 0x7F) << shift;
            if (!(byte & 0x80))
                return value;
        }
        ok = false;
        return 0;
    }
    std::string_view text()
    {
        const uint64_t length = varint();
        if (!ok || length > rest.size()) {
            ok = false;
            return {};
        }
        const std::string_view cell = rest.substr(0, length);
        rest.remove_prefix(length);
        return cell;
    }
    uint8_t byte()
    {
        if (rest.empty()) {
            ok = false;
            return 0;
        }
        const auto value = static_cast<uint8_t>(rest.front());
        rest.remove_prefix(1);
        return value;
    }
};

// Applies one record; false when it does not fit the sheet as it stands.
bool apply(Kind kind, Payload in, RecoveredWork& work)
{
    CalcSheet& sheet = work.sheet;
    switch (kind) {
    case kInsert: {
        const uint64_t row = in.varint();
        if (!in.ok || row > static_cast<uint64_t>(sheet.rowCount()))
            return false;
        std::array<RowView, kFormatCount> rows;
        std::array<std::string_view, kFormatCount> packed;
        for (int f = 0; f < kFormatCount; ++f) {
            const char* start = in.rest.data();
            for (auto& cell : rows[f])
                cell = in.text();
            packed[f] = std::string_view(start, static_cast<size_t>(in.rest.data() - start));
        }
        if (!in.ok || !in.rest.empty())
            return false;
        if (row == static_cast<uint64_t>(sheet.rowCount())) {
            // Kept as the lists keep rows: copied whole.
            sheet.appendPackedCalculation(packed);
        } else {
            std::array<RowCells, kFormatCount> owned;
            for (int f = 0; f < kFormatCount; ++f)
                for (int c = 0; c < kColumnCount; ++c)
                    owned[f][c] = rows[f][c];
            sheet.insertCalculation(static_cast<int64_t>(row), owned);
        }
        return true;
    }
    case kRemove: {
        const uint64_t row = in.varint();
        if (!in.ok || !in.rest.empty() || row >= static_cast<uint64_t>(sheet.rowCount()))
            return false;
        sheet.removeRow(static_cast<int64_t>(row));
        return true;
    }
    case kOrder: {
        const uint64_t count = in.varint();
        if (!in.ok || count != static_cast<uint64_t>(sheet.rowCount()))
            return false;
        std::vector<int64_t> order(count);
        std::vector<bool> seen(count);
        for (auto& from : order) {
            const uint64_t row = in.varint();
            if (!in.ok || row >= count || seen[row])
                return false;
            seen[row] = true;
            from = static_cast<int64_t>(row);
        }
        if (!in.rest.empty())
            return false;
        sheet.reorder(order);
        return true;
    }
    case kCell: {
        const uint8_t format = in.byte();
        const uint8_t column = in.byte();
        const uint64_t row = in.varint();
        const std::string_view text = in.text();
        if (!in.ok || !in.rest.empty() || format >= kFormatCount || column >= kColumnCount ||
            row >= static_cast<uint64_t>(sheet.rowCount()))
            return false;
        sheet.setCell(FormatAt(format), static_cast<int64_t>(row), column, text);
        return true;
    }
    case kClear:
        if (!in.rest.empty())
            return false;
        sheet = CalcSheet();
        return true;
    case kFileName: {
        const std::string_view name = in.text();
        if (!in.ok || !in.rest.empty())
            return false;
        work.fileName = name;
        return true;
    }
    default:
        return false;
    }
}

} // namespace

void JournalRecords::begin(uint8_t kind)
{
    recordStart_ = bytes_.size();
    putFixed(bytes_, 0, 4);
    bytes_.push_back(static_cast<char>(kind));
}

void JournalRecords::end()
{
    const size_t body = recordStart_ + 4;
    const size_t length = bytes_.size() - body;
    for (int i = 0; i < 4; ++i)
        bytes_[recordStart_ + i] = static_cast<char>((length >> (8 * i)) & 0xFF);
    putFixed(bytes_, checksum(std::string_view(bytes_).substr(body)), 8);
}

void JournalRecords::inserted(const CalcSheet& sheet, int64_t row)
{
    begin(kInsert);
    putVarint(bytes_, static_cast<uint64_t>(row));
    // The lists keep each row as the journal does: each cell after its
    // length.
    for (int f = 0; f < kFormatCount; ++f)
        bytes_ += sheet.list(FormatAt(f)).packedRow(row);
    end();
}

void JournalRecords::removed(int64_t row)
{
    begin(kRemove);
    putVarint(bytes_, static_cast<uint64_t>(row));
    end();
}

void JournalRecords::reordered(std::span<const int64_t> order)
{
    begin(kOrder);
    putVarint(bytes_, order.size());
    for (const int64_t from : order)
        putVarint(bytes_, static_cast<uint64_t>(from));
    end();
}

void JournalRecords::cellSet(TimecodeFormat format, int64_t row, int column, std::string_view text)
{
    begin(kCell);
    bytes_.push_back(static_cast<char>(FormatIndex(format)));
    bytes_.push_back(static_cast<char>(column));
    putVarint(bytes_, static_cast<uint64_t>(row));
    putVarint(bytes_, text.size());
    bytes_ += text;
    end();
}

void JournalRecords::cleared()
{
    begin(kClear);
    end();
}

void JournalRecords::fileName(std::string_view name)
{
    begin(kFileName);
    putVarint(bytes_, name.size());
    bytes_ += name;
    end();
}

void JournalRecords::sheetStart(const CalcSheet& sheet)
{
    begin(kSheet);
    putVarint(bytes_, static_cast<uint64_t>(sheet.rowCount()));
    end();
}

bool JournalRecords::listRows(const CalcSheet& sheet, int& list, int64_t& row)
{
    if (list >= kFormatCount || row >= sheet.rowCount())
        return false;
    const CalculationList& rows = sheet.list(FormatAt(list));
    begin(kListRows);
    bytes_.push_back(static_cast<char>(list));
    const size_t start = bytes_.size();
    do
        bytes_ += rows.packedRow(row++);
    while (row < rows.rowCount() && bytes_.size() - start < kSheetRecordBytes);
    end();
    if (row == rows.rowCount()) {
        ++list;
        row = 0;
    }
    return true;
}

void JournalRecords::wholeSheet(const CalcSheet& sheet)
{
    sheetStart(sheet);
    int list = 0;
    int64_t row = 0;
    while (listRows(sheet, list, row)) {
    }
}

namespace {

// The whole sheet a Sheet record starts, complete once every list has its
// rows.
struct PendingSheet {
    int64_t rows = 0;
    int list = 0; // lists before it are complete
    std::array<CalculationList, kFormatCount> lists;
};

// Applies one record of a whole sheet; false when it does not fit.
bool applyListRows(Payload in, PendingSheet& pending)
{
    const uint8_t list = in.byte();
    if (!in.ok || list != pending.list)
        return false;
    CalculationList& rows = pending.lists[list];
    const int64_t before = rows.rowCount();
    if (!rows.appendPackedRows(in.rest) || rows.rowCount() > pending.rows || rows.rowCount() == before)
        return false;
    while (pending.list < kFormatCount && pending.lists[pending.list].rowCount() == pending.rows)
        ++pending.list;
    return true;
}

// Reads the records of a journal of `size` bytes through one buffer.
RecoveredWork readJournal(int64_t size, const ReadAt& readAt)
{
    RecoveredWork work;
    std::string buffer(static_cast<size_t>(std::clamp<int64_t>(size, 1, int64_t(2) * kSheetRecordBytes)), '\0');
    int64_t bufferStart = 0;
    size_t buffered = 0;
    // The bytes [at, at + count) of the file, or nothing at its end.
    auto view = [&](int64_t at, size_t count) -> std::optional<std::string_view> {
        if (at < bufferStart || at + int64_t(count) > bufferStart + int64_t(buffered)) {
            if (int64_t(count) > size - at)
                return std::nullopt;
            if (count > buffer.size())
                buffer.resize(count);
            // What is already read of the bytes wanted moves to the front.
            size_t have = 0;
            if (at >= bufferStart && at < bufferStart + int64_t(buffered)) {
                have = buffered - static_cast<size_t>(at - bufferStart);
                std::memmove(buffer.data(), buffer.data() + (at - bufferStart), have);
            }
            const size_t want = static_cast<size_t>(std::min<int64_t>(int64_t(buffer.size()), size - at));
            while (have < want) {
                const int64_t n = readAt(at + int64_t(have), buffer.data() + have, want - have);
                if (n <= 0)
                    break;
                have += static_cast<size_t>(n);
            }
            bufferStart = at;
            buffered = have;
            if (have < count)
                return std::nullopt;
        }
        return std::string_view(buffer.data() + (at - bufferStart), count);
    };
    const std::optional<std::string_view> magic = view(0, kJournalMagic.size());
    if (!magic || *magic != kJournalMagic)
        return work;
    work.readable = true;
    std::optional<PendingSheet> pending;
    int64_t at = static_cast<int64_t>(kJournalMagic.size());
    int64_t whole = at; // the end of the last change taken
    while (at < size) {
        const std::optional<std::string_view> head = view(at, 4);
        if (!head)
            break;
        const uint64_t length = getFixed(head->data(), 4);
        if (length == 0 || length > kMaxRecord)
            break;
        const std::optional<std::string_view> record = view(at, 4 + length + 8);
        if (!record)
            break;
        const std::string_view body = record->substr(4, length);
        if (getFixed(record->data() + 4 + length, 8) != checksum(body))
            break;
        const auto kind = static_cast<Kind>(body.front());
        const Payload payload{body.substr(1)};
        if (pending) {
            if (kind != kListRows || !applyListRows(payload, *pending))
                break;
        } else if (kind == kSheet) {
            Payload in = payload;
            pending.emplace();
            pending->rows = static_cast<int64_t>(in.varint());
            if (!in.ok || !in.rest.empty() || pending->rows < 0)
                break;
            if (pending->rows == 0)
                pending->list = kFormatCount;
            // Each row takes at least a byte per cell in every list: room
            // for the rows the file can hold, never more, and as after an
            // Open for some calculations to come.
            const int64_t fits = size / (kColumnCount * kFormatCount);
            for (CalculationList& list : pending->lists)
                list.reserve(std::min(pending->rows, fits) * 9 / 8 + 1024);
        } else if (!apply(kind, payload, work)) {
            break;
        }
        at += static_cast<int64_t>(4 + length + 8);
        if (pending && pending->list == kFormatCount) {
            work.sheet = CalcSheet(std::move(pending->lists));
            pending.reset();
        }
        if (!pending) {
            ++work.changes;
            whole = at;
        }
    }
    work.damaged = whole < size;
    return work;
}

} // namespace

RecoveredWork ReadRecoveryJournalBytes(std::string_view bytes)
{
    return readJournal(static_cast<int64_t>(bytes.size()), [bytes](int64_t offset, char* into, size_t size) {
        const std::string_view part = bytes.substr(static_cast<size_t>(offset), size);
        std::memcpy(into, part.data(), part.size());
        return static_cast<int64_t>(part.size());
    });
}

RecoveredWork ReadRecoveryJournal(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    struct stat info {};
    if (::fstat(fd, &info) != 0 || info.st_size <= 0) {
        ::close(fd);
        return {};
    }
    RecoveredWork work = readJournal(info.st_size, [fd](int64_t offset, char* into, size_t size) {
        ssize_t n;
        do
            n = ::pread(fd, into, size, offset);
        while (n < 0 && errno == EINTR);
        return static_cast<int64_t>(n);
    });
    ::close(fd);
    return work;
}

} // namespace ombrel
