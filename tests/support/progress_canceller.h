#pragma once

#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace ombrel::test {

// Clicks Cancel on the first progress dialog that shows while it lives,
// as a user stopping long work would.
class ProgressCanceller {
public:
    ProgressCanceller()
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                auto* progress = qobject_cast<QProgressDialog*>(window);
                if (progress && progress->isVisible() && !clicked_) {
                    clicked_ = true;
                    QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
                }
            }
        });
        timer_.start(0);
    }
    bool clicked() const { return clicked_; }

private:
    QTimer timer_;
    bool clicked_ = false;
};

} // namespace ombrel::test
