#pragma once

#include "list/calc_sheet.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace ombrel {

// The recovery journal: the unsaved changes of the sheet, one record each,
// so that work survives a crash or a power cut. The file is a header
// followed by records; each record is its length (4 bytes, little-endian),
// its kind, its payload and a checksum of kind and payload (8 bytes), so a
// record cut short or damaged is known and everything before it is kept.
// A journal starts with the whole sheet: a Sheet record (the row count),
// then each list's rows, packed as the lists keep them, in records of
// about kSheetRecordBytes; the whole sheet counts as one change, taken only
// when every list is complete.

inline constexpr std::string_view kJournalMagic = "OMBRJRN1";
inline constexpr size_t kSheetRecordBytes = size_t(1) << 20;

// Records of changes, appended to a byte buffer.
class JournalRecords {
public:
    void inserted(const CalcSheet& sheet, int64_t row);
    void removed(int64_t row);
    void reordered(std::span<const int64_t> order);
    void cellSet(TimecodeFormat format, int64_t row, int column, std::string_view text);
    void cleared();
    void fileName(std::string_view name);
    // The whole sheet, in one go or piece by piece: sheetStart, then
    // listRows until it answers false.
    void wholeSheet(const CalcSheet& sheet);
    void sheetStart(const CalcSheet& sheet);
    // One record of the rows of list `list` from `row` on; both move on.
    bool listRows(const CalcSheet& sheet, int& list, int64_t& row);

    std::string& bytes() { return bytes_; }

private:
    void begin(uint8_t kind);
    void end();

    std::string bytes_;
    size_t recordStart_ = 0;
};

// What a journal gives back.
struct RecoveredWork {
    bool readable = false; // the file opened and is a journal
    CalcSheet sheet;
    std::string fileName; // the file the work belonged to, if any
    int64_t changes = 0;  // whole records taken
    bool damaged = false; // bytes after the last whole record were dropped
};

// Reads the journal a block at a time through one buffer; a record larger
// than the rest of the file is damage, not a reason to allocate.
RecoveredWork ReadRecoveryJournal(const std::string& path);
// The same over bytes in memory.
RecoveredWork ReadRecoveryJournalBytes(std::string_view bytes);

} // namespace ombrel
