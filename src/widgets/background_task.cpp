#include "widgets/background_task.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QProgressBar>
#include <QTimer>
#include <QToolButton>

#include <exception>
#include <thread>

namespace ombrel {

namespace {

// Work shorter than this ends before the bar would be worth showing.
constexpr int kShowAfterMs = 300;
constexpr int kRefreshMs = 50;

bool isUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::Close:
        return true;
    default:
        return false;
    }
}

} // namespace

BackgroundTask::BackgroundTask(QProgressBar& bar, QObject* parent)
    : QObject(parent), bar_(bar), cancel_(new QToolButton(bar.parentWidget()))
{
    cancel_->setObjectName("ProgressCancel");
    cancel_->setText(tr("Cancel"));
    cancel_->setToolTip(tr("Stop (Esc)"));
    cancel_->hide();
    connect(cancel_, &QToolButton::clicked, this, [this] { stop_ = true; });
}

void BackgroundTask::showProgress()
{
    bar_.setRange(0, 1000);
    bar_.setValue(permille_);
    bar_.show();
    bar_.raise();
    const QRect area = bar_.geometry();
    const int width = cancel_->sizeHint().width();
    cancel_->setGeometry(area.right() - width + 1, area.top(), width, area.height());
    cancel_->show();
    cancel_->raise();
}

void BackgroundTask::run(const std::function<void(const Progress&)>& work)
{
    permille_ = 0;
    stop_ = false;
    running_ = true;
    qApp->installEventFilter(this);

    QEventLoop loop;
    QTimer show;
    show.setSingleShot(true);
    connect(&show, &QTimer::timeout, this, &BackgroundTask::showProgress);
    show.start(kShowAfterMs);
    QTimer refresh;
    connect(&refresh, &QTimer::timeout, this, [this] { bar_.setValue(permille_); });
    refresh.start(kRefreshMs);

    std::exception_ptr failure;
    {
        std::jthread worker([&] {
            try {
                work([this](int permille) {
                    permille_ = permille;
                    return !stop_;
                });
            } catch (...) {
                failure = std::current_exception();
            }
            QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
        });
        loop.exec();
    }

    qApp->removeEventFilter(this);
    running_ = false;
    cancel_->hide();
    bar_.hide();
    bar_.setRange(0, 100);
    if (failure)
        std::rethrow_exception(failure);
}

bool BackgroundTask::eventFilter(QObject* watched, QEvent* event)
{
    if (!running_ || !watched->isWidgetType() || !isUserInput(event->type()))
        return false;
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        stop_ = true;
        return true;
    }
    if (watched == cancel_ && event->type() != QEvent::Close)
        return false;
    event->ignore();
    return true;
}

} // namespace ombrel
