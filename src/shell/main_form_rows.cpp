// Row operations: New, Clear, a row dragged onto the trash, and the
// description edit mode of the lists.
#include "entry/entry_panel.h"
#include "minicalc/mini_calc_form.h"
#include "shell/calc_main_form.h"

#include <QAction>
#include <QToolButton>

#include <algorithm>

namespace ombrel {

void TCalcMainForm::NewBtnClick()
{
    if (dialogs_.message(this, MessageKind::Confirm, tr("Clear all calculations?"), MessageButtons::YesNo) ==
        Answer::Yes)
        FormCreate();
    Clear1Click();
    EditBtn->setChecked(false);
    ActivateDragMode();
    updateStatusBar();
}

void TCalcMainForm::Undo1Click()
{
    models_.undo();
    showSheet();
}

void TCalcMainForm::Redo1Click()
{
    models_.redo();
    showSheet();
}

void TCalcMainForm::showSheet()
{
    dragState_.DragRow.reset();
    setListCommandsEnabled(models_.calcCount() > 0);
    if (models_.calcCount() == 0)
        for (CalcGrid* grid : madeLists())
            grid->clearSelection();
    updateStatusBar();
}

void TCalcMainForm::Clear1Click()
{
    // Asked first: the main window's steps take the focus.
    const bool miniFocused = miniFocusedField() == EntryField::MiniDisplay;
    ClearEntryFields(entry_, EntrySeparator(activeFormat()), FrameMode1->isChecked());
    entryPanel_->show();
    if (miniFocused)
        miniCalc_->FormActivate();
}

void TCalcMainForm::TrashCloseDragDrop()
{
    // The drag's row is used up: a second drop deletes nothing.
    const std::optional<int64_t> row = std::exchange(dragState_.DragRow, std::nullopt);
    if (!row || *row >= models_.calcCount())
        return;
    models_.removeCalculation(*row);
    if (models_.calcCount() == 0)
        ZeroDisable();
    updateStatusBar();
}

void TCalcMainForm::EditBtnClick()
{
    const int lastRow = static_cast<int>(models_.calcCount()) - 1;
    for (CalcGrid* grid : madeLists())
        grid->setCurrentIndex(grid->model()->index(lastRow, DescriptionColumn));
    if (EditBtn->isChecked())
        ActivateEditMode();
    else
        ActivateDragMode();
    models_.setWorkModified(true);
}

void TCalcMainForm::ActivateEditMode()
{
    descriptionEditMode_ = true;
    for (CalcGrid* grid : madeLists())
        grid->setEditMode(true);
    if (!Descriptions1->isChecked())
        Descriptions1->trigger();
}

void TCalcMainForm::ActivateDragMode()
{
    descriptionEditMode_ = false;
    const std::vector<CalcGrid*> lists = madeLists();
    for (CalcGrid* grid : lists)
        grid->setEditMode(false);
    // The keyboard goes back to the entry fields with the end of editing.
    if (std::any_of(lists.begin(), lists.end(), [](const CalcGrid* grid) { return grid->hasFocus(); }))
        entryPanel_->focus(EntryField::In);
}

void TCalcMainForm::wireRowOperations()
{
    connect(New1, &QAction::triggered, this, &TCalcMainForm::NewBtnClick);
    connect(NewBtn, &QToolButton::clicked, this, &TCalcMainForm::NewBtnClick);
    connect(Clear1, &QAction::triggered, this, &TCalcMainForm::Clear1Click);
    connect(ClearBtn, &QToolButton::clicked, this, &TCalcMainForm::Clear1Click);
    connect(EditBtn, &QToolButton::clicked, this, &TCalcMainForm::EditBtnClick);
    connect(Undo1, &QAction::triggered, this, &TCalcMainForm::Undo1Click);
    connect(Redo1, &QAction::triggered, this, &TCalcMainForm::Redo1Click);
    const QUndoStack& history = models_.history();
    Undo1->setEnabled(false);
    Redo1->setEnabled(false);
    connect(&history, &QUndoStack::canUndoChanged, Undo1, &QAction::setEnabled);
    connect(&history, &QUndoStack::canRedoChanged, Redo1, &QAction::setEnabled);
}

} // namespace ombrel
