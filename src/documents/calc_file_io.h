#pragma once

#include "documents/calc_file.h"
#include "documents/file_fingerprint.h"
#include "engine/format_info.h"

#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace ombrel {

// Replaces the file at path with bytes, all or nothing: the bytes go to a
// temporary file next to it that takes its place only once completely
// written, so a failed save (disk full, no permission, folder gone) leaves
// any existing file as it was. Returns the message to show on failure: the
// system's error text, or why a folder that takes no new files cannot be
// saved into.
std::optional<QString> SaveFileBytes(const QString& path, std::string_view bytes);
// The same for bytes made while they are written: `next` gives one piece
// after another (each kept until the next call) and an empty one at the
// end. When it gives none, the save stops and leaves any existing file as
// it was.
std::optional<QString> SaveFileStream(const QString& path,
                                      const std::function<std::optional<std::string_view>()>& next);

// How far a long save or open has come, in thousandths, now and then;
// answering false stops it.
using FileProgress = std::function<bool(int permille)>;

// What became of a save: done (and the file as written), stopped, or
// failed with the message to show.
struct SaveOutcome {
    bool saved = false;
    QString error;
    FileFingerprint written;
};

// Saves the sheet as a calculation file through SaveFileStream, formatted a
// piece at a time as it is written. A stopped or failed save leaves any
// existing file as it was. A sheet larger than a calculation file may be is
// refused, as it could not be opened again.
SaveOutcome SaveCalcFile(const QString& path, const CalcSheet& sheet, const Rates& rates,
                         const FileProgress& progress = {});

// Reads a calculation file a block at a time into a new sheet
// (CalcFileReader); nothing when the progress stopped it. Turned down with
// the message to show, before more than needed is read: what is not a
// regular file (a named pipe would wait forever, a device never end), a
// file over kCalcFileSizeLimit, a file whose first bytes are not a
// calculation file's, and a line longer than any a calculation file holds.
// `read`, when given, receives what the file read was like.
std::optional<CalcFileContents> OpenCalcFile(const QString& path, const FileProgress& progress = {},
                                             FileFingerprint* read = nullptr);

} // namespace ombrel
