#include "list/uniform_row_table.h"

#include <QBitArray>
#include <QHeaderView>
#include <QHoverEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace ombrel {

UniformRowTable::UniformRowTable(QWidget* parent) : QTableView(parent)
{
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // Scrolling by rows would have the table ask the header where a row
    // starts; by pixels it asks nothing, and the scroll bar is kept on
    // whole rows here instead.
    setVerticalScrollMode(ScrollPerPixel);
}

int UniformRowTable::uniformRowHeight() const
{
    return std::max(1, verticalHeader()->defaultSectionSize());
}

int UniformRowTable::rowCount() const
{
    return model() ? model()->rowCount(rootIndex()) : 0;
}

int UniformRowTable::rowsInViewport() const
{
    return std::max(1, viewport()->height() / uniformRowHeight());
}

int UniformRowTable::firstShownRow() const
{
    return verticalOffset() / uniformRowHeight();
}

void UniformRowTable::updateGeometries()
{
    QTableView::updateGeometries();
    QScrollBar* bar = verticalScrollBar();
    connect(bar, &QAbstractSlider::actionTriggered, this, &UniformRowTable::snapToRow, Qt::UniqueConnection);
    // At the end the last row lies wholly in sight and the first at the top.
    const int height = uniformRowHeight();
    const int shown = rowsInViewport();
    bar->setSingleStep(height);
    bar->setPageStep(shown * height);
    bar->setRange(0, std::max(0, rowCount() - shown) * height);
}

void UniformRowTable::snapToRow(int action)
{
    if (action == QAbstractSlider::SliderNoAction)
        return;
    QScrollBar* bar = verticalScrollBar();
    const int height = uniformRowHeight();
    const int snapped = (bar->sliderPosition() + height / 2) / height * height;
    bar->setSliderPosition(std::clamp(snapped, bar->minimum(), bar->maximum()));
}

QModelIndex UniformRowTable::indexAt(const QPoint& position) const
{
    const_cast<UniformRowTable*>(this)->executeDelayedItemsLayout();
    const int y = position.y() + verticalOffset();
    const int column = columnAt(position.x());
    if (y < 0 || column < 0)
        return {};
    const int row = y / uniformRowHeight();
    if (row >= rowCount())
        return {};
    return model()->index(row, column, rootIndex());
}

QRect UniformRowTable::visualRect(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != model() || index.parent() != rootIndex() || isIndexHidden(index))
        return {};
    const_cast<UniformRowTable*>(this)->executeDelayedItemsLayout();
    const int grid = showGrid() ? 1 : 0;
    const int height = uniformRowHeight();
    return {columnViewportPosition(index.column()), index.row() * height - verticalOffset(),
            columnWidth(index.column()) - grid, height - grid};
}

// The rows only: every column of these tables is in sight.
void UniformRowTable::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    if (!index.isValid() || index.model() != model() || index.parent() != rootIndex())
        return;
    const int row = index.row();
    const int shown = rowsInViewport();
    const int first = firstShownRow();
    int top = first;
    switch (hint) {
    case PositionAtTop:
        top = row;
        break;
    case PositionAtBottom:
        top = row - shown + 1;
        break;
    case PositionAtCenter:
        top = row - (shown - 1) / 2;
        break;
    case EnsureVisible:
        if (row < first)
            top = row;
        else if (row >= first + shown)
            top = row - shown + 1;
        break;
    }
    verticalScrollBar()->setValue(std::max(0, top) * uniformRowHeight());
    update(index);
}

bool UniformRowTable::viewportEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::HoverEnter:
    case QEvent::HoverMove:
        hovered_ = indexAt(static_cast<QHoverEvent*>(event)->position().toPoint());
        break;
    case QEvent::HoverLeave:
        hovered_ = QModelIndex();
        break;
    default:
        break;
    }
    return QTableView::viewportEvent(event);
}

// A cell as QTableView draws it.
void UniformRowTable::drawCell(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem cell = option;
    if (selectionModel() && selectionModel()->isSelected(index))
        cell.state |= QStyle::State_Selected;
    if (index == hovered_)
        cell.state |= QStyle::State_MouseOver;
    if (option.state & QStyle::State_Enabled) {
        if (model()->flags(index) & Qt::ItemIsEnabled) {
            cell.palette.setCurrentColorGroup(QPalette::Normal);
        } else {
            cell.state &= ~QStyle::State_Enabled;
            cell.palette.setCurrentColorGroup(QPalette::Disabled);
        }
    }
    if (index == currentIndex() && (hasFocus() || viewport()->hasFocus()))
        cell.state |= QStyle::State_HasFocus;
    style()->drawPrimitive(QStyle::PE_PanelItemViewRow, &cell, painter, this);
    itemDelegateForIndex(index)->paint(painter, cell, index);
}

// QTableView's picture of rows without spans or hidden rows.
void UniformRowTable::paintEvent(QPaintEvent* event)
{
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const int gridSize = showGrid() ? 1 : 0;
    const auto gridColor =
        QColor::fromRgba(static_cast<QRgb>(style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this)));
    const QPen gridPen(gridColor, 1, gridStyle());
    const QHeaderView* columns = horizontalHeader();
    const bool rightToLeft = isRightToLeft();
    const bool alternate = alternatingRowColors();

    QPainter painter(viewport());
    const int rows = rowCount();
    if (columns->count() == 0 || rows == 0 || !itemDelegate())
        return;
    const int height = uniformRowHeight();
    const int offset = verticalOffset();
    const int lastX = columns->length() - columns->offset() - (rightToLeft ? 0 : 1);
    const int lastY = rows * height - offset - 1;

    // Each cell is drawn once, however many of the dirty rectangles it meets.
    const int firstRow = firstShownRow();
    const int lastRow = std::min(rows - 1, (viewport()->height() + offset) / height);
    int firstColumn = columns->visualIndexAt(0);
    int lastColumn = columns->visualIndexAt(columns->width());
    if (rightToLeft)
        std::swap(firstColumn, lastColumn);
    if (firstColumn == -1)
        firstColumn = 0;
    if (lastColumn == -1)
        lastColumn = columns->count() - 1;
    const int columnsShown = lastColumn - firstColumn + 1;
    QBitArray drawn(std::max(0, (lastRow - firstRow + 1) * columnsShown));

    for (QRect dirty : event->region()) {
        dirty.setBottom(std::min(dirty.bottom(), lastY));
        if (rightToLeft)
            dirty.setLeft(std::max(dirty.left(), viewport()->width() - lastX));
        else
            dirty.setRight(std::min(dirty.right(), lastX));
        if (!dirty.isValid())
            continue;
        int left = columns->visualIndexAt(dirty.left());
        int right = columns->visualIndexAt(dirty.right());
        if (rightToLeft)
            std::swap(left, right);
        if (left == -1)
            left = 0;
        if (right == -1)
            right = columns->count() - 1;
        const int top = (dirty.top() + offset) / height;
        const int bottom = std::min(rows - 1, (dirty.bottom() + offset) / height);
        if (top > bottom)
            continue;

        for (int row = top; row <= bottom; ++row) {
            const int rowY = row * height - offset;
            for (int visual = left; visual <= right; ++visual) {
                const int bit = (row - firstRow) * columnsShown + visual - firstColumn;
                if (bit < 0 || bit >= drawn.size() || drawn.testBit(bit))
                    continue;
                drawn.setBit(bit);
                const int column = columns->logicalIndex(visual);
                if (columns->isSectionHidden(column))
                    continue;
                const QModelIndex index = model()->index(row, column, rootIndex());
                if (!index.isValid())
                    continue;
                option.rect = QRect(columnViewportPosition(column) + (gridSize && rightToLeft ? 1 : 0), rowY,
                                    columnWidth(column) - gridSize, height - gridSize);
                if (alternate)
                    option.features.setFlag(QStyleOptionViewItem::Alternate, row & 1);
                drawCell(&painter, option, index);
            }
        }

        if (gridSize) {
            const QPen old = painter.pen();
            painter.setPen(gridPen);
            for (int row = top; row <= bottom; ++row) {
                const int lineY = row * height - offset + height - gridSize;
                painter.drawLine(dirty.left(), lineY, dirty.right(), lineY);
            }
            for (int visual = left; visual <= right; ++visual) {
                const int column = columns->logicalIndex(visual);
                if (columns->isSectionHidden(column))
                    continue;
                int lineX = columnViewportPosition(column);
                if (!rightToLeft)
                    lineX += columnWidth(column) - gridSize;
                painter.drawLine(lineX, dirty.top(), lineX, dirty.bottom());
            }
            painter.setPen(old);
        }
    }
}

} // namespace ombrel
