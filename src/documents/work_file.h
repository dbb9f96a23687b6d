#pragma once

#include "documents/file_fingerprint.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QLockFile;
class QWidget;

namespace ombrel {

class UserDialogs;

// The lock that tells other Ombrel windows a file is open here: a hidden
// file next to it (".shared.obr.lock"). A lock left by an Ombrel that no
// longer runs is taken over.
struct FileLockAttempt {
    std::unique_ptr<QLockFile> lock; // empty when not taken
    int64_t otherProcess = 0;        // the running Ombrel that has it, if any
};
FileLockAttempt LockFileOf(const QString& path);

// The content hash of the file at path as it is now; nothing when it
// cannot be read.
std::optional<uint64_t> HashFileContent(const QString& path);

// The file the window's work came from or last went to, locked while the
// work is its, with what it was like then; so that opening a file another
// Ombrel has warns first and saving over a file someone changed since asks
// first. A lock that cannot be made (read-only folder) never stops anything.
class WorkFile {
public:
    WorkFile(UserDialogs& dialogs, QWidget* parent);
    ~WorkFile();

    // Before opening path: false when another running Ombrel has it open
    // and the user, warned, chose not to open it.
    bool claimForOpening(const QString& path);
    // The file of a work, put aside: an Open takes it, its undo puts the
    // file before back. Only the window's own file is locked.
    struct Held {
        QString path;
        FileFingerprint noted;
        FileOrigin origin = FileOrigin::Opened;
        std::unique_ptr<QLockFile> lock;
    };
    // The file path just read, with the claim taken for it, to swap in.
    Held heldOpened(const QString& path, const FileFingerprint& read);
    // Trades the window's file for `other`: the lock of the file put aside
    // goes, the other's is taken (again, unless another Ombrel has it now).
    void swap(Held& other);
    // An open that did not happen lets go of its claim.
    void dropClaim();
    // Before saving to path: asks before replacing a file that exists, and
    // says so when it is this window's file changed on disk since it was
    // opened or saved here. `hashOnDisk` hashes the file, the long part.
    bool confirmSaving(const QString& path, const std::function<std::optional<uint64_t>()>& hashOnDisk);
    // The work went to path, written as `written`.
    void saved(const QString& path, const FileFingerprint& written);
    // New: the work belongs to no file.
    void release();

    QString path() const { return path_; }
    bool locked() const { return lock_ != nullptr; }

private:
    bool isCurrent(const QString& path) const;
    void take(const QString& path, const FileFingerprint& fingerprint, FileOrigin origin,
              std::unique_ptr<QLockFile> lock);

    UserDialogs& dialogs_;
    QWidget* parent_;
    QString path_; // canonical; empty when the work has no file
    FileFingerprint noted_;
    FileOrigin origin_ = FileOrigin::Opened;
    std::unique_ptr<QLockFile> lock_;
    QString claimedPath_;
    std::unique_ptr<QLockFile> claim_;
};

} // namespace ombrel
