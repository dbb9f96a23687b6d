#include "shell/recent_files_menu.h"

#include "settings/settings_sections.h"
#include "settings/settings_store.h"
#include "widgets/qt_text.h"
#include "widgets/user_dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace ombrel {

namespace {

const QString kSection = "Recent";
const QString kFolderKey = "Folder";

QString fileKey(size_t index)
{
    return QString("File%1").arg(index + 1);
}

std::string utf8(const QString& text)
{
    return text.toUtf8().toStdString();
}

} // namespace

RecentFilesMenu::RecentFilesMenu(QMenu* menu, SettingsStore& store, UserDialogs& dialogs, QWidget* window, Opener open)
    : QObject(menu), menu_(menu), store_(store), dialogs_(dialogs), window_(window), open_(std::move(open))
{
    showEntries();
}

void RecentFilesMenu::load()
{
    std::vector<std::string> stored;
    QString folder;
    ReportStoreErrors(dialogs_, window_, [&] {
        for (size_t i = 0; i < kRecentFileCount; ++i)
            stored.push_back(utf8(store_.ReadString(kSection, fileKey(i), QString())));
        folder = store_.ReadString(kSection, kFolderKey, QString());
    });
    recent_ = CleanRecentFiles(stored, utf8(folder));
    showEntries();
}

void RecentFilesMenu::remember(const QString& path)
{
    RememberFile(recent_, utf8(QFileInfo(path).absoluteFilePath()));
    store();
    showEntries();
}

QString RecentFilesMenu::folder() const
{
    return toQt(recent_.folder);
}

void RecentFilesMenu::choose(const QString& path)
{
    if (QFileInfo(path).isFile()) {
        open_(path);
        return;
    }
    ForgetFile(recent_, utf8(path));
    store();
    showEntries();
    dialogs_.message(
        window_, MessageKind::Warning,
        tr("%1 is no longer there, so it was taken off the recent files.").arg(QDir::toNativeSeparators(path)),
        MessageButtons::Ok);
}

void RecentFilesMenu::store()
{
    ReportStoreErrors(dialogs_, window_, [&] {
        store_.WriteTogether([&] {
            for (size_t i = 0; i < kRecentFileCount; ++i)
                store_.WriteString(kSection, fileKey(i), i < recent_.paths.size() ? toQt(recent_.paths[i]) : QString());
            store_.WriteString(kSection, kFolderKey, toQt(recent_.folder));
        });
    });
}

void RecentFilesMenu::showEntries()
{
    menu_->clear();
    for (size_t i = 0; i < recent_.paths.size(); ++i) {
        const QString path = toQt(recent_.paths[i]);
        QAction* action = menu_->addAction(toQt(RecentFileMenuText(i, recent_.paths[i])));
        action->setObjectName(QString("RecentFile%1").arg(i + 1));
        // Queued: opening the file rebuilds this menu, action included.
        connect(
            action, &QAction::triggered, this, [this, path] { choose(path); }, Qt::QueuedConnection);
    }
    menu_->menuAction()->setEnabled(!recent_.paths.empty());
}

} // namespace ombrel
