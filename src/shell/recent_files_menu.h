#pragma once

#include "shell/recent_files.h"

#include <QObject>
#include <QString>

#include <functional>

class QMenu;
class QWidget;

namespace ombrel {

class SettingsStore;
class UserDialogs;

// File > Open Recent: the files last opened or saved, kept in the settings
// section "Recent" ("File1".."File6", and "Folder", where the file dialogs
// start). A file that is gone when chosen is taken off with a message.
class RecentFilesMenu : public QObject {
    Q_OBJECT
public:
    using Opener = std::function<void(const QString& path)>;
    RecentFilesMenu(QMenu* menu, SettingsStore& store, UserDialogs& dialogs, QWidget* window, Opener open);

    // Reads the stored list; an unreadable store shows its error and leaves
    // the list empty.
    void load();
    // A file just opened or saved goes first; stored at once.
    void remember(const QString& path);
    // Where the next file dialog starts; empty for the dialog's own choice.
    QString folder() const;
    const RecentFiles& files() const { return recent_; }

private:
    void choose(const QString& path);
    void store();
    void showEntries();

    QMenu* menu_;
    SettingsStore& store_;
    UserDialogs& dialogs_;
    QWidget* window_;
    Opener open_;
    RecentFiles recent_;
};

} // namespace ombrel
