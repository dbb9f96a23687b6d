#pragma once

#include "documents/sheet_journal.h"

#include <QLockFile>
#include <QString>

#include <memory>
#include <vector>

namespace ombrel {

// The recovery journals in the program's data folder. Each running window
// keeps its own journal next to a lock naming its process; a journal whose
// process is gone was left by a run that did not end cleanly.
class RecoveryFiles {
public:
    RecoveryFiles();
    ~RecoveryFiles();

    // This run's journal.
    SheetJournal& journal() { return *journal_; }

    // A journal left behind, held (its lock taken) until dropped.
    struct Left {
        QString path;
        std::unique_ptr<QLockFile> lock;
    };
    // The journals of runs that ended without cleaning up, newest first;
    // those of running programs are never among them.
    std::vector<Left> leftJournals() const;
    // Removes a left journal and its lock.
    static void remove(Left& left);

private:
    QString folder_;
    QString ownPath_;
    std::unique_ptr<QLockFile> ownLock_;
    std::unique_ptr<SheetJournal> journal_;
};

} // namespace ombrel
