#pragma once

#include <QSet>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>

class QSettings;

namespace ombrel {

// A value that could not be read or written; the text is the one shown.
class SettingsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The program's settings: named values in sections, every one kept as text
// ("15", "1", "MS Sans Serif") so the file stays readable and matches what
// older versions stored. A missing value, a number that does not parse, or
// a value that is not text at all (an unquoted comma makes a list, an
// "@Variant" a typed value) reads as the default: reading never fails, and
// one bad value costs that value only. Writes reach the disk at once (a
// group of them together, see WriteTogether); one that cannot be saved
// throws SettingsError.
class SettingsStore {
public:
    // The user's settings of Brontel's Ombrel.
    SettingsStore();
    // A settings file of the given path (INI format).
    explicit SettingsStore(const QString& iniFile);
    virtual ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    int ReadInteger(const QString& section, const QString& name, int defaultValue);
    bool ReadBool(const QString& section, const QString& name, bool defaultValue);
    QString ReadString(const QString& section, const QString& name, const QString& defaultValue);

    void WriteInteger(const QString& section, const QString& name, int value);
    void WriteBool(const QString& section, const QString& name, bool value);
    void WriteString(const QString& section, const QString& name, const QString& value);

    // Runs the writes and saves them in one go: saving the file once per
    // value makes OK crawl. If the file cannot be saved, the error names the
    // group's first value, and none of the group is saved.
    void WriteTogether(const std::function<void()>& writes);

    // Whether the value is stored but was not text when last read, so it
    // read as its default; writing it clears the mark. Writers that store
    // a whole section use it not to replace what the user never saw.
    bool IsUnreadable(const QString& section, const QString& name) const;

    // Flushes what is pending; the program calls it as it ends.
    void Close();
    QString fileName() const;

protected:
    // The stored text, or nothing when the value does not exist or is not
    // text (then marked unreadable).
    virtual std::optional<QString> readText(const QString& section, const QString& name);
    virtual void writeText(const QString& section, const QString& name, const QString& text);

private:
    void open();
    void save();

    QString iniFile_;
    std::unique_ptr<QSettings> settings_;
    int groupDepth_ = 0;
    QString firstUnsaved_;
    QSet<QString> unreadable_; // section/name
};

} // namespace ombrel
