#pragma once

#include "list/calc_grid.h"
#include "list/timecode_mime.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>

#include <memory>

namespace ombrel::test {

// A left press on a cell of a shown list and a move past the drag distance:
// the list starts a drag of that cell (offscreen, the drag ends at once).
inline void pressAndMove(CalcGrid* grid, int row, int column)
{
    const QPoint cell = grid->visualRect(grid->model()->index(row, column)).center();
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseMove(grid->viewport(), cell + QPoint(0, QApplication::startDragDistance() + 2));
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, cell);
}

// QDrag::exec cannot run inside a test: the drop target gets the events a
// real drag sends. Returns whether the target took the drop; with `drop`
// false the drag only comes over the target and stays there.
inline bool dragOnto(QWidget* target, const TimecodeDrag& drag, bool drop = true)
{
    const std::unique_ptr<QMimeData> data(encodeTimecodeDrag(drag));
    const QPointF at = target->rect().center();
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(target, &enter);
    if (!drop || !enter.isAccepted()) {
        if (drop) {
            QDragLeaveEvent leave;
            QApplication::sendEvent(target, &leave);
        }
        return enter.isAccepted();
    }
    QDropEvent dropped(at, Qt::CopyAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(target, &dropped);
    return dropped.isAccepted();
}

} // namespace ombrel::test
