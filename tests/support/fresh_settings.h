#pragma once

#include <QSettings>
#include <QString>

namespace ombrel::test {

// Empties the user's settings (a test folder, see tests/CMakeLists.txt), so
// each window starts from the defaults; declare it before the window.
struct FreshSettings {
    FreshSettings() { QSettings("Brontel", "Ombrel").clear(); }

    static QString value(const QString& key) { return QSettings("Brontel", "Ombrel").value(key).toString(); }
};

} // namespace ombrel::test
