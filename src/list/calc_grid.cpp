#include "list/calc_grid.h"

#include "list/cell_delegate.h"
#include "list/list_model.h"
#include "list/timecode_mime.h"
#include "widgets/steady_scroll_bar.h"

#include <QApplication>
#include <QDrag>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

#include <utility>

namespace ombrel {

CalcGrid::CalcGrid(ListModel* model, DragState& dragState, QWidget* parent)
    : UniformRowTable(parent), model_(model), dragState_(dragState)
{
    setModel(model);
    setObjectName(QString("StringGrid%1").arg(FormatIndex(format()) + 1));
    verticalHeader()->hide();
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollBar_ = new SteadyScrollBar(Qt::Vertical, this);
    setVerticalScrollBar(scrollBar_);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    // A press on a cell or the header leaves the keyboard in the entry
    // fields; only Tab and the description editing bring it here.
    setFocusPolicy(Qt::TabFocus);
    setMouseTracking(true);
    cellDelegate_ = new CellDelegate(this);
    setItemDelegate(cellDelegate_);
    connect(cellDelegate_, &CellDelegate::pasteReported, this, &CalcGrid::pasteReported);
}

void CalcGrid::scrollToLastRow()
{
    scrollBar_->changeAtOnce([this] { scrollToBottom(); });
}

namespace {

// The keys the list answers itself while it has the keyboard, before the
// window's menu shortcuts (Ctrl+C is also Copy of the entry fields).
bool isListKey(const QKeyEvent* key)
{
    return key->matches(QKeySequence::Copy) || key->key() == Qt::Key_Delete || key->key() == Qt::Key_Escape;
}

} // namespace

bool CalcGrid::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && !editMode_ && isListKey(static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QTableView::event(event);
}

void CalcGrid::keyPressEvent(QKeyEvent* event)
{
    if (editMode_ || !isListKey(event)) {
        QTableView::keyPressEvent(event);
        return;
    }
    const QModelIndex current = currentIndex();
    if (event->key() == Qt::Key_Escape)
        emit leaveRequested();
    else if (!current.isValid())
        return;
    else if (event->key() == Qt::Key_Delete)
        emit rowDeleteRequested(current.row());
    else
        emit cellCopied(current.data().toString());
}

void CalcGrid::focusInEvent(QFocusEvent* event)
{
    // Reached by Tab: the reader starts on the last calculation.
    const bool byTab = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    if (byTab && !currentIndex().isValid() && model_->rowCount() > 0)
        setCurrentIndex(model_->index(model_->rowCount() - 1, 0));
    QTableView::focusInEvent(event);
}

void CalcGrid::changeEvent(QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::FontChange || type == QEvent::PaletteChange || type == QEvent::StyleChange)
        cellDelegate_->forgetPictures();
    QTableView::changeEvent(event);
}

void CalcGrid::hideEvent(QHideEvent* event)
{
    // A hidden list keeps no pictures.
    cellDelegate_->forgetPictures();
    QTableView::hideEvent(event);
}

void CalcGrid::updateGeometries()
{
    UniformRowTable::updateGeometries();
    // The list never scrolls sideways: with no scroll bar to bring it back,
    // bringing a cell into sight (the editor opening on a description of a
    // list still too narrow for it) would leave the columns cut at the left.
    horizontalScrollBar()->setRange(0, 0);
}

void CalcGrid::setEditMode(bool on)
{
    editMode_ = on;
    pressedAt_.reset();
    if (on) {
        setFocusPolicy(Qt::StrongFocus);
        model_->setEditable(true);
        setEditTriggers(QAbstractItemView::AllEditTriggers);
        // Only the list in sight opens its editor: one opened in a hidden
        // list would take the keyboard from it.
        if (isVisible() && currentIndex().flags() & Qt::ItemIsEditable)
            edit(currentIndex());
        return;
    }
    // Moving the current cell away commits and closes an open editor.
    setCurrentIndex({});
    clearSelection();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFocusPolicy(Qt::TabFocus);
    model_->setEditable(false);
}

TimecodeFormat CalcGrid::format() const
{
    return model_->format();
}

std::pair<int, int> CalcGrid::cellAt(QPoint position) const
{
    // Rows are found by arithmetic: the hidden header knows no positions.
    const QModelIndex index = indexAt(position);
    // The narrow last column under the descriptions toggle has no cells.
    if (!index.isValid() || index.column() >= kColumnCount)
        return {-1, -1};
    return {index.row(), index.column()};
}

void CalcGrid::mousePressEvent(QMouseEvent* event)
{
    if (editMode_ && event->button() != Qt::RightButton) {
        QTableView::mousePressEvent(event);
        return;
    }
    // A press only marks where a drag would start: the cell is not
    // selected and the focus stays in the entry field.
    if (event->button() == Qt::RightButton) {
        const auto [row, column] = cellAt(event->position().toPoint());
        if (row >= 0)
            emit cellCopied(model_->index(row, column).data().toString());
        return;
    }
    if (event->button() == Qt::LeftButton)
        pressedAt_ = event->position().toPoint();
}

void CalcGrid::mouseMoveEvent(QMouseEvent* event)
{
    if (editMode_ || !(event->buttons() & Qt::LeftButton)) {
        QTableView::mouseMoveEvent(event);
        return;
    }
    if (pressedAt_ &&
        (event->position().toPoint() - *pressedAt_).manhattanLength() >= QApplication::startDragDistance())
        dragCellAt(*std::exchange(pressedAt_, std::nullopt));
}

void CalcGrid::mouseReleaseEvent(QMouseEvent* event)
{
    if (editMode_)
        QTableView::mouseReleaseEvent(event);
    else if (event->button() == Qt::LeftButton)
        pressedAt_.reset();
}

void CalcGrid::dragCellAt(QPoint pressedAt)
{
    const auto [row, column] = cellAt(pressedAt);
    const TimecodeDrag drag = GenericStartDrag(dragState_, model_->sheet(), format(), row, column);
    execDrag(encodeTimecodeDrag(drag));
}

void CalcGrid::execDrag(QMimeData* data)
{
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    drag->exec(Qt::CopyAction);
}

} // namespace ombrel
