#include "documents/work_file.h"

#include "widgets/qt_text.h"
#include "widgets/user_dialogs.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>

#include <utility>
#include <vector>

namespace ombrel {

namespace {

QString canonical(const QString& path)
{
    return QFileInfo(path).canonicalFilePath();
}

QString lockPathOf(const QString& path)
{
    const QFileInfo file(path);
    return file.absolutePath() + "/." + file.fileName() + ".lock";
}

std::string displayName(const QString& path)
{
    return QFileInfo(path).fileName().toStdString();
}

} // namespace

FileLockAttempt LockFileOf(const QString& path)
{
    const QString target = canonical(path);
    auto lock = std::make_unique<QLockFile>(lockPathOf(target.isEmpty() ? path : target));
    // Held as long as the window has the file: only a holder that no
    // longer runs makes it stale, never its age.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0))
        return {std::move(lock), 0};
    qint64 pid = 0;
    QString host;
    QString application;
    if (lock->error() != QLockFile::LockFailedError || !lock->getLockInfo(&pid, &host, &application))
        return {};
    // Left by an earlier run that had this process's number: stale too.
    if (pid == QCoreApplication::applicationPid() && host == QSysInfo::machineHostName() &&
        lock->removeStaleLockFile() && lock->tryLock(0))
        return {std::move(lock), 0};
    return {nullptr, pid};
}

std::optional<uint64_t> HashFileContent(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return std::nullopt;
    ContentHash hash;
    std::vector<char> block(1 << 20);
    for (;;) {
        const qint64 n = file.read(block.data(), static_cast<qint64>(block.size()));
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            return hash.value();
        hash.add({block.data(), static_cast<std::size_t>(n)});
    }
}

WorkFile::WorkFile(UserDialogs& dialogs, QWidget* parent) : dialogs_(dialogs), parent_(parent)
{
}

WorkFile::~WorkFile() = default;

bool WorkFile::isCurrent(const QString& path) const
{
    return !path_.isEmpty() && canonical(path) == path_;
}

bool WorkFile::claimForOpening(const QString& path)
{
    claim_.reset();
    claimedPath_ = path;
    if (isCurrent(path))
        return true; // already this window's
    FileLockAttempt attempt = LockFileOf(path);
    if (attempt.otherProcess == 0) {
        claim_ = std::move(attempt.lock);
        return true;
    }
    return dialogs_.message(parent_, MessageKind::Warning,
                            Translated(OpenElsewhereQuestion(displayName(path), attempt.otherProcess)),
                            MessageButtons::YesNo) == Answer::Yes;
}

WorkFile::Held WorkFile::heldOpened(const QString& path, const FileFingerprint& read)
{
    Held held{canonical(path), read, FileOrigin::Opened, path == claimedPath_ ? std::move(claim_) : nullptr};
    dropClaim();
    return held;
}

void WorkFile::swap(Held& other)
{
    std::swap(path_, other.path);
    std::swap(noted_, other.noted);
    std::swap(origin_, other.origin);
    std::swap(lock_, other.lock);
    // Let go first: the same file taken again must not lose its new lock
    // to the old one's removal.
    other.lock.reset();
    if (!lock_ && !path_.isEmpty())
        lock_ = LockFileOf(path_).lock;
}

void WorkFile::dropClaim()
{
    claim_.reset();
    claimedPath_.clear();
}

bool WorkFile::confirmSaving(const QString& path, const std::function<std::optional<uint64_t>()>& hashOnDisk)
{
    const QFileInfo target(path);
    if (!target.exists())
        return true;
    std::optional<FileOrigin> changedSince;
    if (isCurrent(path) && ChangedOnDisk(noted_, target.size(), target.lastModified().toMSecsSinceEpoch(), hashOnDisk))
        changedSince = origin_;
    return dialogs_.message(parent_, MessageKind::Confirm, Translated(ReplaceQuestion(displayName(path), changedSince)),
                            MessageButtons::YesNo) == Answer::Yes;
}

void WorkFile::saved(const QString& path, const FileFingerprint& written)
{
    // Another Ombrel may hold it: the save was the user's choice, and that
    // window will be asked before it saves over this work.
    take(path, written, FileOrigin::Saved, isCurrent(path) ? nullptr : LockFileOf(path).lock);
}

void WorkFile::take(const QString& path, const FileFingerprint& fingerprint, FileOrigin origin,
                    std::unique_ptr<QLockFile> lock)
{
    const QString file = canonical(path);
    if (!lock && file == path_)
        lock = std::move(lock_); // still this window's
    lock_ = std::move(lock);     // the lock of another file before goes
    path_ = file;
    noted_ = fingerprint;
    origin_ = origin;
}

void WorkFile::release()
{
    lock_.reset();
    dropClaim();
    path_.clear();
}

} // namespace ombrel
