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
// A journal starts with the whole sheet (Clear, then one Insert per row).

inline constexpr std::string_view kJournalMagic = "OMBRJRN1";

// Records of changes, appended to a byte buffer.
class JournalRecords {
public:
    void inserted(const CalcSheet& sheet, int64_t row);
    void removed(int64_t row);
    void reordered(std::span<const int64_t> order);
    void cellSet(TimecodeFormat format, int64_t row, int column, std::string_view text);
    void cleared();
    void fileName(std::string_view name);
    // The whole sheet: Clear and one Insert per row.
    void wholeSheet(const CalcSheet& sheet);

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

RecoveredWork ReadRecoveryJournal(const std::string& path);
// The same over bytes in memory.
RecoveredWork ReadRecoveryJournalBytes(std::string_view bytes);

} // namespace ombrel
