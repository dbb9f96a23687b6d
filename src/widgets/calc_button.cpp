#include "widgets/calc_button.h"

#include "widgets/accessible_role.h"
#include "widgets/icons.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <utility>

namespace ombrel {

CalculateButton::CalculateButton(QWidget* parent) : QLabel(parent)
{
    setObjectName("CalculateBtn");
    setFixedSize(90, 33);
    setPixmap(pictureOf(ButNorm));
    setMouseTracking(true);
    // A button to screen readers and the keyboard; the mouse sees the pictures.
    SetAccessibleRole(this, QAccessible::Button);
    setAccessibleName(tr("Calculate"));
    setFocusPolicy(Qt::TabFocus);
}

void CalculateButton::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        showPicture(ButDown);
        emit clicked();
        showPicture(ButNorm);
        return;
    }
    QLabel::keyPressEvent(event);
}

// Drawn when first shown: start-up needs only the normal picture.
const QPixmap& CalculateButton::pictureOf(Picture picture)
{
    static constexpr std::array names{"calc_normal", "calc_over", "calc_down"};
    QPixmap& shown = pictures_[picture];
    if (shown.isNull())
        shown = ombrel::picture(names[picture], size());
    return shown;
}

void CalculateButton::showPicture(Picture picture)
{
    if (picture == picture_)
        return;
    picture_ = picture;
    setPixmap(pictureOf(picture));
}

void CalculateButton::mouseMoveEvent(QMouseEvent* event)
{
    if (picture_ == ButNorm)
        showPicture(ButOver);
    else if (picture_ == ButOver)
        emit overMoved();
    // The move is the button's own: passed on, it would reach the window
    // under it, which puts the normal picture back on a move over itself.
    event->accept();
}

void CalculateButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        showPicture(ButDown);
}

void CalculateButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const bool over = rect().contains(event->position().toPoint());
    showPicture(over ? ButOver : ButNorm);
    // The release that ends a double-click is not a further click.
    const bool endsDoubleClick = std::exchange(inDoubleClick_, false);
    if (over && !endsDoubleClick)
        emit clicked();
}

void CalculateButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    inDoubleClick_ = true;
    showPicture(ButDown);
    emit doubleClicked();
}

} // namespace ombrel
