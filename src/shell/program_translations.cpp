#include "shell/program_translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace ombrel {

QStringList TranslationFolders(const QString& programFolder)
{
    const QDir program(programFolder);
    QStringList folders{program.filePath("translations"),
                        QDir::cleanPath(program.filePath("../share/ombrel/translations"))};
    const QString installed = QStringLiteral(OMBREL_INSTALLED_TRANSLATIONS);
    if (!folders.contains(installed))
        folders.append(installed);
    return folders;
}

QString HelpPagesFolder(const QLocale& locale, const QStringList& folders)
{
    for (QString language : locale.uiLanguages()) {
        language.replace('-', '_');
        while (!language.isEmpty()) {
            for (const QString& folder : folders) {
                const QString pages = QDir(folder).filePath("help_" + language);
                if (QFileInfo::exists(pages + "/index.txt"))
                    return pages;
            }
            const qsizetype region = language.lastIndexOf('_');
            language.truncate(region < 0 ? 0 : region);
        }
    }
    return QStringLiteral(":/help");
}

void LoadTranslations(QCoreApplication& application)
{
    const QLocale locale;
    auto* own = new QTranslator(&application);
    for (const QString& folder : TranslationFolders(QCoreApplication::applicationDirPath())) {
        if (own->load(locale, "ombrel", "_", folder, ".qm")) {
            QCoreApplication::installTranslator(own);
            break;
        }
    }
    auto* qt = new QTranslator(&application);
    if (qt->load(locale, "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath), ".qm"))
        QCoreApplication::installTranslator(qt);
}

} // namespace ombrel
