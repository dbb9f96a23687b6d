#include "settings/settings_store.h"

#include "settings/settings_codec.h"
#include "widgets/qt_text.h"

#include <QCoreApplication>
#include <QSettings>

#include <utility>

namespace ombrel {

namespace {

QString key(const QString& section, const QString& name)
{
    return section + '/' + name;
}

SettingsError errorFor(const char* format, const QString& name)
{
    return SettingsError(QCoreApplication::translate("SettingsStore", format).arg(name).toStdString());
}

} // namespace

SettingsStore::SettingsStore()
{
    open();
}

SettingsStore::SettingsStore(const QString& iniFile) : iniFile_(iniFile)
{
    open();
}

SettingsStore::~SettingsStore() = default;

void SettingsStore::open()
{
    settings_.reset(); // one object per file at a time
    if (iniFile_.isEmpty())
        settings_ = std::make_unique<QSettings>("Brontel", "Ombrel");
    else
        settings_ = std::make_unique<QSettings>(iniFile_, QSettings::IniFormat);
}

QString SettingsStore::fileName() const
{
    return settings_->fileName();
}

std::optional<QString> SettingsStore::readText(const QString& section, const QString& name)
{
    const QString path = key(section, name);
    if (!settings_->contains(path))
        return std::nullopt;
    const QVariant value = settings_->value(path);
    // The program writes only text; a list ("a, b" unquoted) or a typed
    // "@Variant" value came from elsewhere.
    if (value.typeId() != QMetaType::QString) {
        unreadable_.insert(path);
        return std::nullopt;
    }
    unreadable_.remove(path);
    return value.toString();
}

void SettingsStore::writeText(const QString& section, const QString& name, const QString& text)
{
    if (firstUnsaved_.isEmpty()) {
        // QSettings keeps its first error for good: after one, start afresh
        // so that this write is judged on its own.
        if (settings_->status() != QSettings::NoError)
            open();
        firstUnsaved_ = name;
    }
    settings_->setValue(key(section, name), text);
    unreadable_.remove(key(section, name));
    if (groupDepth_ == 0)
        save();
}

void SettingsStore::WriteTogether(const std::function<void()>& writes)
{
    ++groupDepth_;
    try {
        writes();
    } catch (...) {
        --groupDepth_;
        throw;
    }
    if (--groupDepth_ == 0 && !firstUnsaved_.isEmpty())
        save();
}

void SettingsStore::save()
{
    const QString name = std::exchange(firstUnsaved_, QString());
    settings_->sync();
    if (settings_->status() != QSettings::NoError)
        throw errorFor(QT_TRANSLATE_NOOP("SettingsStore", "Failed to set data for '%1'"), name);
}

int SettingsStore::ReadInteger(const QString& section, const QString& name, int defaultValue)
{
    const auto text = readText(section, name);
    return text ? ParseStoredInteger(text->toStdString(), defaultValue) : defaultValue;
}

bool SettingsStore::ReadBool(const QString& section, const QString& name, bool defaultValue)
{
    return ReadInteger(section, name, defaultValue ? 1 : 0) != 0;
}

QString SettingsStore::ReadString(const QString& section, const QString& name, const QString& defaultValue)
{
    return readText(section, name).value_or(defaultValue);
}

void SettingsStore::WriteInteger(const QString& section, const QString& name, int value)
{
    writeText(section, name, QString::number(value));
}

void SettingsStore::WriteBool(const QString& section, const QString& name, bool value)
{
    writeText(section, name, toQt(BoolText(value)));
}

void SettingsStore::WriteString(const QString& section, const QString& name, const QString& value)
{
    writeText(section, name, value);
}

bool SettingsStore::IsUnreadable(const QString& section, const QString& name) const
{
    return unreadable_.contains(key(section, name));
}

void SettingsStore::Close()
{
    settings_->sync();
}

} // namespace ombrel
