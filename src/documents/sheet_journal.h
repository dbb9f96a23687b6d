#pragma once

#include "documents/recovery_journal.h"

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace ombrel {

// The live recovery journal of one running program. The sheet's owner
// tells it of every change; the records are made at once (a copy of the
// changed cells; a whole sheet is handed over as a frozen copy and encoded
// by the worker) and a worker writes them and syncs them to the disk at
// most a second later, so the window never waits for the disk. The file
// exists only while there is unsaved work: the first change after a clean
// point starts it with the whole sheet, discard() removes it.
class SheetJournal {
public:
    explicit SheetJournal(std::string path);
    ~SheetJournal();
    SheetJournal(const SheetJournal&) = delete;
    SheetJournal& operator=(const SheetJournal&) = delete;

    // The file the work belongs to, recorded when a journal starts.
    void setFileName(std::string name) { fileName_ = std::move(name); }

    // Starts the file with the whole sheet, when not started yet.
    void start(const CalcSheet& sheet);
    // The changes after the start; each is told the sheet as it is after
    // the change.
    void inserted(const CalcSheet& sheet, int64_t row);
    void removed(int64_t row);
    void reordered(std::span<const int64_t> order);
    void cellSet(TimecodeFormat format, int64_t row, int column, std::string_view text);
    void replaced(const CalcSheet& sheet);

    // The work is saved or given up: the file goes.
    void discard();
    // Waits until everything recorded so far is on the disk.
    void flush();
    bool started() const { return started_; }
    // The last failed write or sync, empty when all went well.
    std::string error() const;
    // Told on the worker's thread, with the system's reason, when writing
    // starts to fail; once, until a write succeeds again. Set before the
    // first change.
    void setFailureHandler(std::function<void(const std::string&)> handler) { onFailure_ = std::move(handler); }

private:
    void send(JournalRecords& records);
    void run();

    enum class JobKind { Start, Append, Remove };
    struct Job {
        JobKind kind;
        std::string bytes;
        // A whole sheet to record after the bytes, encoded by the worker.
        std::shared_ptr<const CalcSheet> sheet;
    };
    void queueSheet(JobKind kind, std::string bytes, const CalcSheet& sheet);

    const std::string path_;
    std::string fileName_;
    bool started_ = false;
    JournalRecords records_;

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    std::vector<Job> jobs_;
    uint64_t sent_ = 0;
    uint64_t written_ = 0;
    bool flushNow_ = false;
    bool stop_ = false;
    std::string error_;
    bool failing_ = false;
    std::function<void(const std::string&)> onFailure_;
    std::thread worker_;
};

} // namespace ombrel
