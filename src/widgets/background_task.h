#pragma once

#include <QObject>

#include <atomic>
#include <functional>

class QProgressBar;
class QToolButton;

namespace ombrel {

// Runs long work (a big file's open or save) on a thread of its own while
// the window stays painted and follows moves and resizes. Once the work
// lasts longer than a blink the progress bar shows over the status bar
// with a Cancel button; Cancel or Escape asks the work to stop. Every other
// key, click, drop and close meanwhile is turned away, so nothing changes
// the work under it.
class BackgroundTask : public QObject {
    Q_OBJECT
public:
    // How far the work has come, in thousandths; answers false once the
    // user asked it to stop.
    using Progress = std::function<bool(int permille)>;

    // The bar lies over its parent (the status bar); the Cancel button
    // joins it there.
    explicit BackgroundTask(QProgressBar& bar, QObject* parent = nullptr);

    // Runs work on another thread and returns when it has ended. An
    // exception it throws is thrown again here.
    void run(const std::function<void(const Progress&)>& work);

    QToolButton* cancelButton() const { return cancel_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showProgress();

    QProgressBar& bar_;
    QToolButton* cancel_;
    std::atomic<int> permille_{0};
    std::atomic<bool> stop_{false};
    bool running_ = false;
};

} // namespace ombrel
