#include "widgets/work_progress.h"

#include <QCoreApplication>

namespace ombrel {

namespace {

constexpr int kSteps = 1000;

} // namespace

WorkProgress::WorkProgress(QWidget* owner, const QString& title, const QString& label, std::chrono::milliseconds delay)
    : dialog_(label, QCoreApplication::translate("WorkProgress", "Cancel"), 0, kSteps, owner)
{
    dialog_.setWindowTitle(title);
    dialog_.setWindowModality(Qt::ApplicationModal);
    dialog_.setMinimumDuration(static_cast<int>(delay.count()));
    // Work done in several rounds (copies of a print) goes on at the end of
    // the bar rather than start it anew.
    dialog_.setAutoReset(false);
}

bool WorkProgress::advance(int64_t done, int64_t total)
{
    if (total > 0)
        dialog_.setValue(static_cast<int>(kSteps * done / total));
    return !dialog_.wasCanceled();
}

} // namespace ombrel
