#pragma once

#include <QLabel>
#include <QPixmap>

#include <array>

namespace ombrel {

// The Calculate button: one widget that shows one of three pictures, normal
// (ButNorm), hot (ButOver) or pressed (ButDown). Only its picture changes,
// never which widget lies under the mouse, so the widget keeps the mouse
// from press to release and no click is lost.
class CalculateButton : public QLabel {
    Q_OBJECT
public:
    enum Picture { ButNorm, ButOver, ButDown };
    Q_ENUM(Picture)

    explicit CalculateButton(QWidget* parent);

    Picture picture() const { return picture_; }
    void showPicture(Picture picture);

signals:
    // The mouse moved over the hot picture.
    void overMoved();
    void clicked();
    void doubleClicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    const QPixmap& pictureOf(Picture picture);

    std::array<QPixmap, 3> pictures_;
    Picture picture_ = ButNorm;
    bool inDoubleClick_ = false;
};

} // namespace ombrel
