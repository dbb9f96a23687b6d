#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

class QCoreApplication;

namespace ombrel {

// The folders searched for "ombrel_<language>.qm", first found wins: the
// "translations" folder beside the program (a build, or a copy carried
// around), then share/ombrel/translations of the prefix the program runs
// from, then that of the prefix it was installed to.
QStringList TranslationFolders(const QString& programFolder);

// The folder of the help pages (index.txt and the pages it names) in the
// user's language: "help_<language>" in the first of `folders` that holds
// one, the most specific language first ("help_pt_BR", then "help_pt");
// else the built-in English pages.
QString HelpPagesFolder(const QLocale& locale, const QStringList& folders);

// Installs the program's translation for the user's languages (LANGUAGE,
// LC_ALL, LC_MESSAGES, LANG) when one is there, and Qt's own for the
// standard dialogs. Without one every text stays English. Call after
// the application object is made and before any window.
void LoadTranslations(QCoreApplication& application);

} // namespace ombrel
