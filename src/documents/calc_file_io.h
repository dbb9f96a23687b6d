#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ombrel {

// Replaces the file at path with bytes, all or nothing: the bytes go to a
// temporary file next to it that takes its place only once completely
// written, so a failed save (disk full, no permission, folder gone) leaves
// any existing file as it was. Returns the system's error text on failure.
std::optional<QString> SaveFileBytes(const QString& path, std::string_view bytes);
// The same for bytes given in pieces, written one after the other.
std::optional<QString> SaveFileBytes(const QString& path, const std::vector<std::string>& pieces);

// Reads the whole file into bytes. Returns the system's error text on
// failure, bytes then being empty.
std::optional<QString> ReadFileBytes(const QString& path, QByteArray& bytes);

} // namespace ombrel
