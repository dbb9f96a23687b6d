// Keyboard entry: the entry fields' keys go through the entry panel, and
// the three switches that change how operands are entered and checked.
#include "entry/entry_panel.h"
#include "minicalc/mini_calc_form.h"
#include "shell/calc_main_form.h"
#include "shell/function_key_bar.h"
#include "widgets/am_edit.h"
#include "widgets/status_panel.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>

namespace ombrel {

void TCalcMainForm::bindEntryFields()
{
    const EntryWidgets widgets{MaskEdit1, MaskEdit2, MaskEdit3, OperandCombo, FrameIn, FrameOut, FrameDur, MaskEdit4};
    entryPanel_ = new EntryPanel(
        entry_, widgets, [this] { return entrySurroundings(); }, this);
    // The percentage field lies over FrameIn: once it is hidden in frame
    // mode, FrameIn is there to be typed into.
    connect(entryPanel_, &EntryPanel::shown, this, [this] {
        if (FrameMode1->isChecked() && !entry_.percentVisible)
            FrameIn->show();
    });
    // The menu's Copy, Paste, Clear, Frame Mode and Export win over the
    // fields' own copy, paste, cut, undo and move to the end.
    entryPanel_->setCommandShortcuts(
        {Copy1->shortcut(), Paste1->shortcut(), Clear1->shortcut(), FrameMode1->shortcut(), Export1->shortcut()});

    // The function keys load into and program from the In and Out fields.
    for (const auto& [widget, which] : {std::pair{MaskEdit1, EntryField::In}, std::pair{MaskEdit2, EntryField::Out}}) {
        const auto load = [this, which](const std::string& text) {
            SetFieldText(*entry_.field(which), text);
            entryPanel_->focus(which);
        };
        ToolBar2->serveField({widget, [this, which] { return entry_.field(which)->text; }, load});
    }
}

EntrySurroundings TCalcMainForm::entrySurroundings()
{
    return {sheet(), activeFormat(), labelStyle_, [this] { return ComputeCalculations(); }, FrameMode1->isChecked()};
}

EntryField TCalcMainForm::focusedEntryField() const
{
    const EntryField mini = miniFocusedField();
    return mini != EntryField::None ? mini : entryPanel_->focusedField();
}

void TCalcMainForm::FrameMode1Click()
{
    const bool on = FrameMode1->isChecked();
    for (QWidget* field : std::initializer_list<QWidget*>{FrameIn, FrameOut, FrameDur})
        field->setVisible(on);
    entryPanel_->focus(on ? EntryField::FrameIn : EntryField::In);
    storeMenuOption(MenuOption::FrameMode, on);
}

void TCalcMainForm::Percentages1Click()
{
    statusPanel_[1]->setText(Percentages1->isChecked() ? "0.0%" : "");
    storeMenuOption(MenuOption::Percentages, Percentages1->isChecked());
}

void TCalcMainForm::ValidityCheckClick()
{
    storeMenuOption(MenuOption::Validity, ValidityCheck->isChecked());
}

void TCalcMainForm::OperandComboChange()
{
    entry_.percentVisible = entry_.op == Operator::Percent;
    entryPanel_->show();
    FrameIn->setVisible(FrameMode1->isChecked());
}

} // namespace ombrel
