#pragma once

#include "list/calc_sheet.h"

#include <QAbstractTableModel>

#include <array>
#include <memory>
#include <vector>

namespace ombrel {

class SheetModels;

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
// change of the rows goes through here, so the views hear of it and the
// count of calculations is the sheet's own row count.
class SheetModels : public QObject {
    Q_OBJECT
public:
    explicit SheetModels(QObject* parent = nullptr);

    const CalcSheet& sheet() const { return sheet_; }
    int64_t calcCount() const { return sheet_.rowCount(); }
    ListModel* model(TimecodeFormat format) const { return models_[FormatIndex(format)].get(); }

    // The rows changed since they were last saved, opened or cleared.
    // Appending and removing set it; a new order alone does not.
    bool workModified() const { return workModified_; }
    void setWorkModified(bool modified) { workModified_ = modified; }

    void appendCalculation(const std::array<RowCells, kFormatCount>& rows);
    void removeCalculation(int64_t row);
    // Row i becomes the old row order[i] (a sort); order is a permutation.
    void reorder(const std::vector<int64_t>& order);
    // An opened file's sheet replaces the rows.
    // One cell of one list; the other lists keep theirs.
    void setCell(TimecodeFormat format, int64_t row, int column, std::string_view text);
    void replaceSheet(CalcSheet&& sheet);
    void clear();

    // Texts of the In, Out and result sections, in every list.
    void setHeaderLabels(const QString& first, const QString& second, const QString& result);

private:
    CalcSheet sheet_;
    bool workModified_ = false;
    std::array<std::unique_ptr<ListModel>, kFormatCount> models_;
};

} // namespace ombrel
