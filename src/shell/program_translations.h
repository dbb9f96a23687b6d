#pragma once

#include <QString>
#include <QStringList>

class QCoreApplication;

namespace ombrel {

// The folders searched for "ombrel_<language>.qm", first found wins: the
// "translations" folder beside the program (a build, or a copy carried
// around), then share/ombrel/translations of the prefix the program runs
// from, then that of the prefix it was installed to.
QStringList TranslationFolders(const QString& programFolder);

// Installs the program's translation for the user's languages (LANGUAGE,
// LC_ALL, LC_MESSAGES, LANG) when one is there, and Qt's own for the
// standard dialogs. Without one every text stays English. Call after
// the application object is made and before any window.
void LoadTranslations(QCoreApplication& application);

} // namespace ombrel
