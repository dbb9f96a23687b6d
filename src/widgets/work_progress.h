#pragma once

#include <QProgressDialog>

#include <chrono>
#include <cstdint>

namespace ombrel {

// The progress dialog of long work the user may stop (an export, a print):
// it shows only once the work has gone on for `delay`, so short work shows
// nothing, and keeps the program answering while it shows.
class WorkProgress {
public:
    static constexpr std::chrono::milliseconds kDelay{400};

    WorkProgress(QWidget* owner, const QString& title, const QString& label, std::chrono::milliseconds delay);

    void setLabel(const QString& text) { dialog_.setLabelText(text); }
    // Moves the bar to `done` of `total`; false once the user pressed Cancel.
    bool advance(int64_t done, int64_t total);

private:
    QProgressDialog dialog_;
};

} // namespace ombrel
