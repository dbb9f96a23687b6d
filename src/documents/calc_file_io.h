#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ombrel {

// Replaces the file at path with bytes, all or nothing: the bytes go to a
// temporary file next to it that takes its place only once completely
// written, so a failed save (disk full, no permission, folder gone) leaves
// any existing file as it was. Returns the message to show on failure: the
// system's error text, or why a folder that takes no new files cannot be
// saved into.
std::optional<QString> SaveFileBytes(const QString& path, std::string_view bytes);
// The same for bytes given in pieces, written one after the other.
std::optional<QString> SaveFileBytes(const QString& path, const std::vector<std::string>& pieces);
// The same for bytes made while they are written: `next` gives one piece
// after another (each kept until the next call) and an empty one at the
// end. When it gives none, the save stops and leaves any existing file as
// it was.
std::optional<QString> SaveFileStream(const QString& path,
                                      const std::function<std::optional<std::string_view>()>& next);

// Reads a calculation file's bytes for ReadCalcFile. Turned down with the
// message to show, before more than needed is read: what is not a regular
// file (a named pipe would wait forever, a device never end), a file over
// kCalcFileSizeLimit, a file whose first bytes are not a calculation
// file's, and a line longer than any a calculation file holds. bytes is
// empty after a failure.
std::optional<QString> ReadCalcFileBytes(const QString& path, QByteArray& bytes);

} // namespace ombrel
