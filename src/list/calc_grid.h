#pragma once

#include "list/drag_state.h"
#include "list/uniform_row_table.h"

#include <optional>

class QMimeData;

namespace ombrel {

class CellDelegate;
class ListModel;
class SteadyScrollBar;

// One format's list as the user meets it (StringGrid1..6). A left press on a
// cell and a move drag that cell out; a right click copies a cell; in
// description edit mode the cells are edited instead. Tab reaches it (a
// click does not): the arrows move through the cells, Ctrl+C copies the
// current one, Delete removes its row, Escape leaves.
class CalcGrid : public UniformRowTable {
    Q_OBJECT
public:
    // The drag state is shared by the six lists.
    CalcGrid(ListModel* model, DragState& dragState, QWidget* parent = nullptr);

    TimecodeFormat format() const;

    // Description edit mode (ActivateEditMode): every cell of a calculation
    // is selected and overwritten as free text, with the editor open on the
    // current cell, and nothing drags. Leaving it (ActivateDragMode) keeps
    // what was typed and removes the selection.
    void setEditMode(bool on);
    bool editMode() const { return editMode_; }

    // scrollToBottom, with the scroll bar repainted only if it looks
    // different at the end.
    void scrollToLastRow();

signals:
    // A right click on a cell, or Ctrl+C on the current one: its whole
    // text, empty for an empty cell.
    void cellCopied(const QString& text);
    // A paste into the cell editor was cut or refused: the text telling so.
    void pasteReported(const QString& text);
    // Delete on the current row: the row goes as a drop on the trash.
    void rowDeleteRequested(int row);
    // Escape: the keyboard goes back to the entry fields.
    void leaveRequested();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void updateGeometries() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Runs the drag of the data; QDrag::exec needs a real pointer, so tests
    // take the data here instead.
    virtual void execDrag(QMimeData* data);

private:
    // Row and column under a point of the viewport; -1 outside the cells.
    std::pair<int, int> cellAt(QPoint position) const;
    // GenericStartDrag for the cell under the press, then the drag itself.
    void dragCellAt(QPoint pressedAt);

    ListModel* model_;
    DragState& dragState_;
    SteadyScrollBar* scrollBar_;
    CellDelegate* cellDelegate_;
    bool editMode_ = false;
    // Where the left button went down; the drag takes that cell whatever
    // the pointer crosses before the drag starts.
    std::optional<QPoint> pressedAt_;
};

} // namespace ombrel
