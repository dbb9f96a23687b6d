#include "documents/recovery_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <atomic>

namespace ombrel {

namespace {

const QString kJournalSuffix = ".journal";

QString lockPathOf(const QString& journalPath)
{
    return journalPath + ".lock";
}

// The lock is stale only when its process is gone, however old it is.
std::unique_ptr<QLockFile> makeLock(const QString& journalPath)
{
    auto lock = std::make_unique<QLockFile>(lockPathOf(journalPath));
    lock->setStaleLockTime(0);
    return lock;
}

} // namespace

RecoveryFiles::RecoveryFiles()
    : folder_(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/recovery")
{
    QDir().mkpath(folder_);
    // Several windows of one process (the tests) each have their own.
    static std::atomic<int> made = 0;
    ownPath_ =
        QString("%1/%2-%3%4").arg(folder_).arg(QCoreApplication::applicationPid()).arg(made++).arg(kJournalSuffix);
    ownLock_ = makeLock(ownPath_);
    ownLock_->tryLock(0);
    journal_ = std::make_unique<SheetJournal>(QFile::encodeName(ownPath_).toStdString());
}

RecoveryFiles::~RecoveryFiles()
{
    // Only an orderly end of the program gets here (a crash, kill -9 or a
    // lost session does not): the journal goes, and the worker has
    // finished with it before the lock is let go.
    journal_->discard();
    journal_.reset();
}

std::vector<RecoveryFiles::Left> RecoveryFiles::leftJournals() const
{
    QFileInfoList found = QDir(folder_).entryInfoList({"*" + kJournalSuffix}, QDir::Files, QDir::Time);
    std::vector<Left> left;
    for (const QFileInfo& info : found) {
        const QString path = info.absoluteFilePath();
        if (path == QFileInfo(ownPath_).absoluteFilePath())
            continue;
        auto lock = makeLock(path);
        if (lock->tryLock(0))
            left.push_back({path, std::move(lock)});
    }
    return left;
}

void RecoveryFiles::remove(Left& left)
{
    QFile::remove(left.path);
    left.lock.reset();
}

} // namespace ombrel
