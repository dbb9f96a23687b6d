#include "list/list_model.h"

#include "widgets/qt_text.h"

namespace ombrel {

namespace {

// A cell is drawn from at most this many bytes of its text: no column shows
// more, and the longest description then costs no more to draw than a
// short one. Editing reads the whole text.
constexpr size_t kShownBytes = 1024;

QString shownText(std::string_view text)
{
    if (text.size() <= kShownBytes)
        return toQt(text);
    size_t cut = kShownBytes;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut; // not inside a character
    return toQt(text.substr(0, cut)) + QChar(0x2026);
}

} // namespace

ListModel::ListModel(const CalcSheet& sheet, TimecodeFormat format, QObject* parent)
    : QAbstractTableModel(parent), sheet_(sheet), format_(format)
{
}

int ListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(std::max<int64_t>(1, sheet_.rowCount()));
}

int ListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumnCount + 1;
}

QVariant ListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    if (index.row() >= sheet_.rowCount() || index.column() == kToggleColumn)
        return QString();
    const std::string_view text = sheet_.cell(format_, index.row(), index.column());
    if (role == Qt::DisplayRole)
        return shownText(text);
    return toQt(text);
}

Qt::ItemFlags ListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid() || index.column() == kToggleColumn)
        return Qt::NoItemFlags;
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    return editable_ && index.row() < sheet_.rowCount() ? flags | Qt::ItemIsEditable : flags;
}

bool ListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable) || !owner_)
        return false;
    const std::string text = value.toString().toStdString();
    if (!EditableCellText(index.column(), text))
        return false;
    owner_->setCell(format_, index.row(), index.column(), text);
    return true;
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section > kToggleColumn)
        return {};
    if (role == Qt::DisplayRole)
        return headerTexts_[section];
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignCenter);
    return {};
}

void ListModel::setHeaderText(int section, const QString& text)
{
    headerTexts_[section] = text;
    emit headerDataChanged(Qt::Horizontal, section, section);
}

SheetModels::SheetModels(QObject* parent) : QObject(parent)
{
    for (int f = 0; f < kFormatCount; ++f) {
        models_[f] = std::make_unique<ListModel>(sheet_, FormatAt(f));
        models_[f]->owner_ = this;
        models_[f]->setHeaderText(DescriptionColumn, "Descriptions");
    }
    // The description toggle reads "-" on the NonDrop list, "<" on DropFrm.
    models_[FormatIndex(TimecodeFormat::NonDrop)]->setHeaderText(ListModel::kToggleColumn, "-");
    models_[FormatIndex(TimecodeFormat::DropFrm)]->setHeaderText(ListModel::kToggleColumn, "<");
}

void SheetModels::setHeaderLabels(const QString& first, const QString& second, const QString& result)
{
    for (auto& model : models_) {
        model->setHeaderText(InColumn, first);
        model->setHeaderText(OutColumn, second);
        model->setHeaderText(ResultColumn, result);
    }
}

void SheetModels::appendCalculation(const std::array<RowCells, kFormatCount>& rows)
{
    workModified_ = true;
    const int newRow = static_cast<int>(sheet_.rowCount());
    if (newRow == 0) {
        // The empty row every list shows becomes the first calculation.
        sheet_.appendCalculation(rows);
        for (auto& model : models_)
            emit model->dataChanged(model->index(0, 0), model->index(0, kColumnCount - 1));
        return;
    }
    for (auto& model : models_)
        model->beginInsertRows({}, newRow, newRow);
    sheet_.appendCalculation(rows);
    for (auto& model : models_)
        model->endInsertRows();
}

void SheetModels::removeCalculation(int64_t row)
{
    workModified_ = true;
    const int r = static_cast<int>(row);
    if (sheet_.rowCount() == 1) {
        // The last calculation leaves the empty row every list shows.
        sheet_.removeRow(row);
        for (auto& model : models_)
            emit model->dataChanged(model->index(0, 0), model->index(0, kColumnCount - 1));
        return;
    }
    for (auto& model : models_)
        model->beginRemoveRows({}, r, r);
    sheet_.removeRow(row);
    for (auto& model : models_)
        model->endRemoveRows();
}

void SheetModels::reorder(const std::vector<int64_t>& order)
{
    if (order.empty())
        return;
    for (auto& model : models_)
        emit model->layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    sheet_.reorder(order);
    // Selections and other kept indexes follow their rows.
    std::vector<int> newRowOf(order.size());
    for (size_t to = 0; to < order.size(); ++to)
        newRowOf[static_cast<size_t>(order[to])] = static_cast<int>(to);
    for (auto& model : models_) {
        const QModelIndexList kept = model->persistentIndexList();
        QModelIndexList moved;
        for (const QModelIndex& index : kept)
            moved << model->index(newRowOf[static_cast<size_t>(index.row())], index.column());
        model->changePersistentIndexList(kept, moved);
        emit model->layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    }
}

void SheetModels::setCell(TimecodeFormat format, int64_t row, int column, std::string_view text)
{
    workModified_ = true;
    sheet_.setCell(format, row, column, text);
    ListModel* changed = model(format);
    const QModelIndex index = changed->index(static_cast<int>(row), column);
    emit changed->dataChanged(index, index);
}

void SheetModels::replaceSheet(CalcSheet&& sheet)
{
    for (auto& model : models_)
        model->beginResetModel();
    sheet_ = std::move(sheet);
    workModified_ = false;
    for (auto& model : models_)
        model->endResetModel();
}

void SheetModels::clear()
{
    replaceSheet(CalcSheet());
}

} // namespace ombrel
