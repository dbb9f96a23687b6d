#include "documents/sheet_journal.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace ombrel {

namespace {

// At most this much work is lost to a crash or a power cut.
constexpr auto kSyncInterval = std::chrono::seconds(1);

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t wrote = ::write(fd, bytes.data(), bytes.size());
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return false;
        bytes.remove_prefix(static_cast<size_t>(wrote));
    }
    return true;
}

// The whole sheet, written a record at a time.
bool writeSheet(int fd, const CalcSheet& sheet)
{
    JournalRecords records;
    records.sheetStart(sheet);
    int list = 0;
    int64_t row = 0;
    do {
        if (!writeAll(fd, records.bytes()))
            return false;
        records.bytes().clear();
    } while (records.listRows(sheet, list, row));
    return true;
}

} // namespace

SheetJournal::SheetJournal(std::string path) : path_(std::move(path)), worker_([this] { run(); })
{
}

SheetJournal::~SheetJournal()
{
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_one();
    worker_.join();
}

void SheetJournal::start(const CalcSheet& sheet)
{
    if (started_)
        return;
    started_ = true;
    JournalRecords start;
    start.bytes().assign(kJournalMagic);
    if (!fileName_.empty())
        start.fileName(fileName_);
    queueSheet(JobKind::Start, std::move(start.bytes()), sheet);
}

void SheetJournal::queueSheet(JobKind kind, std::string bytes, const CalcSheet& sheet)
{
    auto frozen = std::make_shared<const CalcSheet>(sheet.frozenCopy());
    std::lock_guard lock(mutex_);
    jobs_.push_back({kind, std::move(bytes), std::move(frozen)});
    ++sent_;
}

void SheetJournal::send(JournalRecords& records)
{
    std::lock_guard lock(mutex_);
    if (!jobs_.empty() && jobs_.back().kind != JobKind::Remove && !jobs_.back().sheet)
        jobs_.back().bytes += records.bytes();
    else
        jobs_.push_back({JobKind::Append, records.bytes(), nullptr});
    ++sent_;
    records.bytes().clear();
}

void SheetJournal::inserted(const CalcSheet& sheet, int64_t row)
{
    if (!started_)
        return;
    records_.inserted(sheet, row);
    send(records_);
}

void SheetJournal::removed(int64_t row)
{
    if (!started_)
        return;
    records_.removed(row);
    send(records_);
}

void SheetJournal::reordered(std::span<const int64_t> order)
{
    if (!started_)
        return;
    records_.reordered(order);
    send(records_);
}

void SheetJournal::cellSet(TimecodeFormat format, int64_t row, int column, std::string_view text)
{
    if (!started_)
        return;
    records_.cellSet(format, row, column, text);
    send(records_);
}

void SheetJournal::replaced(const CalcSheet& sheet)
{
    if (!started_)
        return;
    queueSheet(JobKind::Append, {}, sheet);
}

void SheetJournal::discard()
{
    if (!started_)
        return;
    started_ = false;
    std::lock_guard lock(mutex_);
    jobs_.push_back({JobKind::Remove, {}, nullptr});
    ++sent_;
}

void SheetJournal::flush()
{
    std::unique_lock lock(mutex_);
    const uint64_t target = sent_;
    flushNow_ = true;
    wake_.notify_one();
    done_.wait(lock, [&] { return written_ >= target; });
}

std::string SheetJournal::error() const
{
    std::lock_guard lock(mutex_);
    return error_;
}

void SheetJournal::run()
{
    int fd = -1;
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait_for(lock, kSyncInterval, [&] { return stop_ || flushNow_; });
        flushNow_ = false;
        std::vector<Job> jobs = std::move(jobs_);
        jobs_.clear();
        const uint64_t target = sent_;
        const bool stopping = stop_;
        lock.unlock();

        std::string failure;
        bool wrote = false;
        for (Job& job : jobs) {
            switch (job.kind) {
            case JobKind::Start:
                if (fd >= 0)
                    ::close(fd);
                fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
                if (fd < 0)
                    failure = std::strerror(errno);
                [[fallthrough]];
            case JobKind::Append:
                if (fd >= 0 && !writeAll(fd, job.bytes))
                    failure = std::strerror(errno);
                if (job.sheet && fd >= 0 && !writeSheet(fd, *job.sheet))
                    failure = std::strerror(errno);
                wrote = true;
                break;
            case JobKind::Remove:
                if (fd >= 0)
                    ::close(fd);
                fd = -1;
                ::unlink(path_.c_str());
                wrote = false;
                break;
            }
        }
        if (wrote && fd >= 0 && ::fdatasync(fd) != 0)
            failure = std::strerror(errno);

        const bool newFailure = !failure.empty() && !std::exchange(failing_, true);
        if (failure.empty() && wrote)
            failing_ = false;
        if (newFailure && onFailure_)
            onFailure_(failure);
        lock.lock();
        if (!failure.empty())
            error_ = failure;
        written_ = target;
        done_.notify_all();
        if (stopping)
            break;
    }
    lock.unlock();
    if (fd >= 0)
        ::close(fd);
}

} // namespace ombrel
