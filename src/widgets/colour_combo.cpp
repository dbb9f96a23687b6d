#include "widgets/colour_combo.h"

#include <QPainter>
#include <QPixmap>

namespace ombrel {

namespace {

constexpr int kColourRole = Qt::UserRole;

QIcon swatch(const QColor& colour, const QSize& size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black); // white and "Window" still show an edge
    painter.setBrush(colour);
    painter.drawRect(QRect(QPoint(0, 0), size - QSize(1, 1)));
    return QIcon(pixmap);
}

} // namespace

ColourCombo::ColourCombo(QWidget* parent) : QComboBox(parent)
{
    setIconSize(QSize(20, 12));
}

void ColourCombo::addColour(const QString& name, const QColor& colour)
{
    addItem(swatch(colour, iconSize()), name, colour);
}

QColor ColourCombo::colourAt(int index) const
{
    return itemData(index, kColourRole).value<QColor>();
}

} // namespace ombrel
