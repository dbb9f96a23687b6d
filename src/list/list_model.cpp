#include "list/list_model.h"

#include "documents/sheet_journal.h"
#include "widgets/qt_text.h"

#include <algorithm>

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
    // A sign stands in the middle of its narrow column: from the left
    // margin a wide one ("%") would run over the column's end and be cut.
    if (role == Qt::TextAlignmentRole && (index.column() == OperatorColumn || index.column() == EqualsColumn))
        return QVariant::fromValue(Qt::AlignCenter);
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
    history_.setUndoLimit(kHistorySteps);
    for (int f = 0; f < kFormatCount; ++f) {
        models_[f] = std::make_unique<ListModel>(sheet_, FormatAt(f));
        models_[f]->owner_ = this;
        models_[f]->setHeaderText(DescriptionColumn, tr("Descriptions"));
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

namespace {

// One step of the history: what it does and what takes it back, and
// whether it changes the rows (a new order alone does not).
class SheetStep : public QUndoCommand {
public:
    SheetStep(const QString& text, bool modifies, bool keepsSheet, std::function<void()> redo,
              std::function<void()> undo)
        : QUndoCommand(text), redo_(std::move(redo)), undo_(std::move(undo)), modifies_(modifies),
          keepsSheet_(keepsSheet)
    {
    }
    void redo() override { redo_(); }
    void undo() override { undo_(); }
    bool modifies() const { return modifies_; }
    bool keepsSheet() const { return keepsSheet_; }

private:
    std::function<void()> redo_;
    std::function<void()> undo_;
    bool modifies_;
    bool keepsSheet_;
};

const SheetStep* stepAt(const QUndoStack& history, int index)
{
    return static_cast<const SheetStep*>(history.command(index));
}

} // namespace

void SheetModels::setWorkModified(bool modified)
{
    workModified_ = modified;
    if (!modified)
        history_.setClean();
    followJournal();
}

void SheetModels::followJournal()
{
    if (!journal_)
        return;
    if (!workModified_)
        journal_->discard();
    else
        journal_->start(sheet_);
}

void SheetModels::push(const QString& text, bool modifies, bool keepsSheet, std::function<void()> redo,
                       std::function<void()> undo)
{
    if (keepsSheet) {
        int kept = 0;
        for (int i = 0; i < history_.count(); ++i)
            kept += stepAt(history_, i)->keepsSheet();
        // Whole sheets are what makes the history large: past the bound,
        // the older steps are forgotten.
        if (kept >= kHistorySheets) {
            history_.clear();
            // The empty history counts as the saved point; unsaved work
            // has none left.
            if (workModified_)
                history_.resetClean();
        }
    }
    history_.push(new SheetStep(text, modifies, keepsSheet, std::move(redo), std::move(undo)));
    workModified_ = workModified_ || modifies;
    // New and Open end on a saved point of their own (they clear
    // WorkModified next), so they start no journal.
    if (!keepsSheet)
        followJournal();
    emit sheetChanged();
}

void SheetModels::undo()
{
    if (!history_.canUndo())
        return;
    history_.undo();
    followHistory();
    followJournal();
    emit sheetChanged();
}

void SheetModels::redo()
{
    if (!history_.canRedo())
        return;
    history_.redo();
    followHistory();
    followJournal();
    emit sheetChanged();
}

void SheetModels::followHistory()
{
    const int saved = history_.cleanIndex();
    const int here = history_.index();
    if (saved < 0) {
        workModified_ = true;
        return;
    }
    bool modified = false;
    for (int i = std::min(saved, here); i < std::max(saved, here); ++i)
        modified = modified || stepAt(history_, i)->modifies();
    workModified_ = modified;
}

void SheetModels::appendCalculation(const std::array<RowCells, kFormatCount>& rows)
{
    const int64_t row = sheet_.rowCount();
    push(
        "Calculate", true, false, [this, row, rows] { insertRow(row, rows); }, [this, row] { removeRow(row); });
}

void SheetModels::removeCalculation(int64_t row)
{
    push(
        "Delete", true, false, [this, row] { removeRow(row); },
        [this, row, rows = sheet_.calculation(row)] { insertRow(row, rows); });
}

void SheetModels::reorder(const std::vector<int64_t>& order)
{
    if (order.empty())
        return;
    std::vector<int64_t> back(order.size());
    for (size_t to = 0; to < order.size(); ++to)
        back[static_cast<size_t>(order[to])] = static_cast<int64_t>(to);
    push(
        "Sort", false, false, [this, order] { applyOrder(order); },
        [this, back = std::move(back)] { applyOrder(back); });
}

void SheetModels::setCell(TimecodeFormat format, int64_t row, int column, std::string_view text)
{
    push(
        "Edit", true, false,
        [this, format, row, column, now = std::string(text)] { writeCell(format, row, column, now); },
        [this, format, row, column, was = std::string(sheet_.cell(format, row, column))] {
            writeCell(format, row, column, was);
        });
}

void SheetModels::pushSheetSwap(const QString& text, CalcSheet&& sheet, std::function<void()> alongside)
{
    // The sheet put aside is kept whole by the step: undoing swaps it back
    // without a copy.
    auto other = std::make_shared<CalcSheet>(std::move(sheet));
    auto swap = [this, other, alongside = std::move(alongside)] {
        if (alongside)
            alongside();
        swapSheet(*other);
    };
    push(text, true, true, swap, swap);
}

void SheetModels::replaceSheet(CalcSheet&& sheet, std::function<void()> alongside)
{
    pushSheetSwap("Open", std::move(sheet), std::move(alongside));
    setWorkModified(false);
}

void SheetModels::importSheet(CalcSheet&& sheet, std::function<void()> alongside)
{
    pushSheetSwap("Open", std::move(sheet), std::move(alongside));
    followJournal();
}

void SheetModels::clear(std::function<void()> alongside)
{
    if (sheet_.rowCount() == 0) {
        if (alongside)
            alongside();
    } else {
        pushSheetSwap("New", CalcSheet{}, std::move(alongside));
    }
    setWorkModified(false);
}

void SheetModels::insertRow(int64_t row, const std::array<RowCells, kFormatCount>& rows)
{
    const int r = static_cast<int>(row);
    if (sheet_.rowCount() == 0) {
        // The empty row every list shows becomes the first calculation.
        sheet_.insertCalculation(row, rows);
        for (auto& model : models_)
            emit model->dataChanged(model->index(0, 0), model->index(0, kColumnCount - 1));
    } else {
        for (auto& model : models_)
            model->beginInsertRows({}, r, r);
        sheet_.insertCalculation(row, rows);
        for (auto& model : models_)
            model->endInsertRows();
    }
    if (journal_)
        journal_->inserted(sheet_, row);
}

void SheetModels::removeRow(int64_t row)
{
    const int r = static_cast<int>(row);
    if (sheet_.rowCount() == 1) {
        // The last calculation leaves the empty row every list shows.
        sheet_.removeRow(row);
        for (auto& model : models_)
            emit model->dataChanged(model->index(0, 0), model->index(0, kColumnCount - 1));
    } else {
        for (auto& model : models_)
            model->beginRemoveRows({}, r, r);
        sheet_.removeRow(row);
        for (auto& model : models_)
            model->endRemoveRows();
    }
    if (journal_)
        journal_->removed(row);
}

void SheetModels::applyOrder(const std::vector<int64_t>& order)
{
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
    if (journal_)
        journal_->reordered(order);
}

void SheetModels::writeCell(TimecodeFormat format, int64_t row, int column, std::string_view text)
{
    sheet_.setCell(format, row, column, text);
    ListModel* changed = model(format);
    const QModelIndex index = changed->index(static_cast<int>(row), column);
    emit changed->dataChanged(index, index);
    if (journal_)
        journal_->cellSet(format, row, column, text);
}

void SheetModels::swapSheet(CalcSheet& other)
{
    for (auto& model : models_)
        model->beginResetModel();
    std::swap(sheet_, other);
    for (auto& model : models_)
        model->endResetModel();
    if (journal_)
        journal_->replaced(sheet_);
}

} // namespace ombrel
