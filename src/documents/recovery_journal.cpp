#include "documents/recovery_journal.h"

#include "documents/file_fingerprint.h"

#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace ombrel {

namespace {

using Kind = uint8_t;
constexpr Kind kInsert = 1, kRemove = 2, kOrder = 3, kCell = 4, kClear = 5, kFileName = 6;

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

void JournalRecords::wholeSheet(const CalcSheet& sheet)
{
    cleared();
    for (int64_t row = 0; row < sheet.rowCount(); ++row)
        inserted(sheet, row);
}

RecoveredWork ReadRecoveryJournalBytes(std::string_view bytes)
{
    RecoveredWork work;
    if (!bytes.starts_with(kJournalMagic))
        return work;
    work.readable = true;
    size_t at = kJournalMagic.size();
    while (at < bytes.size()) {
        if (bytes.size() - at < 4 + 1 + 8)
            break;
        const uint64_t length = getFixed(bytes.data() + at, 4);
        if (length == 0 || length > kMaxRecord || bytes.size() - at - 4 - 8 < length)
            break;
        const std::string_view body = bytes.substr(at + 4, length);
        if (getFixed(bytes.data() + at + 4 + length, 8) != checksum(body))
            break;
        if (!apply(static_cast<Kind>(body.front()), Payload{body.substr(1)}, work))
            break;
        ++work.changes;
        at += 4 + length + 8;
    }
    work.damaged = at < bytes.size();
    return work;
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
    // Mapped, not copied: the journal of a large sheet is as large as its
    // calculation file.
    const auto size = static_cast<size_t>(info.st_size);
    void* mapped = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    ::close(fd);
    if (mapped == MAP_FAILED)
        return {};
    ::madvise(mapped, size, MADV_SEQUENTIAL);
    RecoveredWork work = ReadRecoveryJournalBytes(std::string_view(static_cast<const char*>(mapped), size));
    ::munmap(mapped, size);
    return work;
}

} // namespace ombrel
