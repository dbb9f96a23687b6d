#pragma once

#include "list/calc_sheet.h"

#include <QAbstractTableModel>

#include <array>
#include <memory>

namespace ombrel {

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
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void setHeaderText(int section, const QString& text);

    static constexpr int kToggleColumn = kColumnCount;

private:
    friend class SheetModels;
    const CalcSheet& sheet_;
    TimecodeFormat format_;
    std::array<QString, kColumnCount + 1> headerTexts_;
};

// The six list models over one sheet. Every change of the sheet goes
// through here, so that the views hear of it.
class SheetModels : public QObject {
    Q_OBJECT
public:
    explicit SheetModels(CalcSheet& sheet, QObject* parent = nullptr);

    const CalcSheet& sheet() const { return sheet_; }
    ListModel* model(TimecodeFormat format) const { return models_[formatIndex(format)].get(); }

    void appendCalculation(const std::array<RowCells, kFormatCount>& rows);
    void replaceSheet(CalcSheet&& sheet);
    void clear();
    // Texts of the In, Out and result sections, in every list.
    void setHeaderLabels(const QString& first, const QString& second, const QString& result);

private:
    CalcSheet& sheet_;
    std::array<std::unique_ptr<ListModel>, kFormatCount> models_;
};

} // namespace ombrel
