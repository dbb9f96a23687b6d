#pragma once

#include <QLabel>

namespace ombrel {

// One of the three Calculate pictures (normal, hot, pressed). They lie on
// top of each other; the main window shows exactly one and reacts to the
// mouse on each.
class CalculatePicture : public QLabel {
    Q_OBJECT
public:
    CalculatePicture(const QString& objectName, const QString& pictureName, QWidget* parent);

signals:
    void mouseMoved();
    void leftPressed();
    void leftReleased();
    void clicked();
    void doubleClicked();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool inDoubleClick_ = false;
};

} // namespace ombrel
