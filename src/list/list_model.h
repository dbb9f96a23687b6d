#pragma once

#include "list/calc_sheet.h"

#include <QAbstractTableModel>
#include <QUndoStack>

#include <array>
#include <functional>
#include <memory>
#include <vector>

namespace ombrel {

class SheetModels;
class SheetJournal;

// One format's list as a table: reads the sheet, copies nothing. A list
// with no calculation shows one empty row. After the seven cell columns
// comes one narrow column without cells, under the header section that
// shows or hides the descriptions.
class ListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    ListModel(const CalcSheet& sheet, TimecodeFormat format, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Typed text in description edit mode; refused when the cell may not
    // hold it (EditableCellText).
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void setHeaderText(int section, const QString& text);

    const CalcSheet& sheet() const { return sheet_; }
    TimecodeFormat format() const { return format_; }
    // In description edit mode every cell of a calculation is free text.
    void setEditable(bool editable) { editable_ = editable; }

    static constexpr int kToggleColumn = kColumnCount;

private:
    friend class SheetModels;
    const CalcSheet& sheet_;
    SheetModels* owner_ = nullptr;
    TimecodeFormat format_;
    bool editable_ = false;
    std::array<QString, kColumnCount + 1> headerTexts_;
};

// The sheet and its six list models: the one owner of the sheet. Every
// change of the rows goes through here, so the views hear of it, the count
// of calculations is the sheet's own row count, each change is a step that
// can be undone, and the recovery journal (when there is one) records it.
class SheetModels : public QObject {
    Q_OBJECT
public:
    explicit SheetModels(QObject* parent = nullptr);

    const CalcSheet& sheet() const { return sheet_; }
    int64_t calcCount() const { return sheet_.rowCount(); }
    ListModel* model(TimecodeFormat format) const { return models_[FormatIndex(format)].get(); }

    // The rows changed since they were last saved, opened or cleared.
    // Appending and removing set it; a new order alone does not. Clearing
    // it marks this point of the history as the saved one, so undoing or
    // redoing back to it clears it again.
    bool workModified() const { return workModified_; }
    void setWorkModified(bool modified);

    void appendCalculation(const std::array<RowCells, kFormatCount>& rows);
    void removeCalculation(int64_t row);
    // Row i becomes the old row order[i] (a sort); order is a permutation.
    void reorder(const std::vector<int64_t>& order);
    // One cell of one list; the other lists keep theirs.
    void setCell(TimecodeFormat format, int64_t row, int column, std::string_view text);
    // An opened file's sheet replaces the rows. `alongside`, when given,
    // runs with the swap of the sheets each time the step is done, undone
    // or redone: what belongs to the sheet (its file) follows it.
    void replaceSheet(CalcSheet&& sheet, std::function<void()> alongside = {});
    // A sheet made from another kind of file (an edit decision list)
    // replaces the rows as unsaved work; undone, the rows before come back
    // as after an Open, and `alongside` runs as with replaceSheet.
    void importSheet(CalcSheet&& sheet, std::function<void()> alongside = {});
    // New: no rows, nothing unsaved; `alongside` as with replaceSheet.
    void clear(std::function<void()> alongside = {});

    // The history of changes. Undo and redo step through it; the steps
    // kept are bounded (kHistorySteps, of which at most kHistorySheets
    // hold a whole sheet put aside by New or Open).
    const QUndoStack& history() const { return history_; }
    void undo();
    void redo();
    static constexpr int kHistorySteps = 100;
    static constexpr int kHistorySheets = 3;

    // Where each change is also recorded; null records nothing.
    void setJournal(SheetJournal* journal) { journal_ = journal; }

    // Texts of the In, Out and result sections, in every list.
    void setHeaderLabels(const QString& first, const QString& second, const QString& result);

signals:
    // After every change of the rows, done, undone or redone.
    void sheetChanged();

private:
    void push(const QString& text, bool modifies, bool keepsSheet, std::function<void()> redo,
              std::function<void()> undo);
    // Puts `sheet` in place as one undoable step named `text`, `alongside`
    // run with each swap.
    void pushSheetSwap(const QString& text, CalcSheet&& sheet, std::function<void()> alongside);
    void insertRow(int64_t row, const std::array<RowCells, kFormatCount>& rows);
    void removeRow(int64_t row);
    void applyOrder(const std::vector<int64_t>& order);
    void writeCell(TimecodeFormat format, int64_t row, int column, std::string_view text);
    void swapSheet(CalcSheet& other);
    // WorkModified after moving through the history: whether a step that
    // changes the rows lies between here and the saved point.
    void followHistory();
    // The journal exists while the work is unsaved.
    void followJournal();

    CalcSheet sheet_;
    bool workModified_ = false;
    QUndoStack history_;
    SheetJournal* journal_ = nullptr;
    std::array<std::unique_ptr<ListModel>, kFormatCount> models_;
};

} // namespace ombrel
