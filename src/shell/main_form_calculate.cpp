// The Calculate command, the lists it appends to and the tab change.
#include "entry/entry_panel.h"
#include "settings/settings_sections.h"
#include "shell/calc_main_form.h"
#include "widgets/am_edit.h"
#include "widgets/qt_text.h"
#include "widgets/status_panel.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>

#include <utility>

namespace ombrel {

TimecodeFormat TCalcMainForm::activeFormat() const
{
    return FormatAt(std::max(0, PageControl1->currentIndex()));
}

void TCalcMainForm::CalculateBtnClick()
{
    ComputeCalculations();
}

bool TCalcMainForm::ComputeCalculations()
{
    bool accepted = false;
    const CalculationRequest request =
        TakeCalculationRequest(entry_, FrameMode1->isChecked(), ValidityCheck->isChecked(), activeFormat());
    entryPanel_->show();
    try {
        const Calculation calculation = ombrel::ComputeCalculations(request, state_);
        if (calculation.refusal != RangeRefusal::None) {
            const bool in = calculation.refusal == RangeRefusal::InOperand;
            const QString caption = (in ? Label1 : Label2)->text();
            const QString text = toQt(in ? entry_.in.text : entry_.out.text);
            dialogs_.showError(this, tr("%1 - %2 is not valid timecode!").arg(caption, text));
            refusedField_ = in ? EntryField::In : EntryField::Out;
            entryPanel_->focus(*refusedField_);
        } else {
            accepted = true;
            refusedField_.reset();
            models_.appendCalculation(calculation.rows);
            dragState_.DragRow.reset();
            if (models_.calcCount() == 1)
                setListCommandsEnabled(true);
            scrollListsToLastRows();
            if (request.frameMode)
                SetFieldText(entry_.frameDur, calculation.frameDuration);
            PageControl1Change();
            if (request.op == Operator::Percent) {
                entry_.percentVisible = true;
                FrameIn->hide();
                entryPanel_->focus(EntryField::Percent);
            } else {
                entryPanel_->focus(request.frameMode ? EntryField::FrameIn : EntryField::In);
            }
            ShowResultInMini(entry_, ResultTimecodeText(calculation, state_, activeFormat()));
            entry_.mini.lastOut = request.outText;
            entryPanel_->show();
        }
    } catch (const ConversionError& error) {
        dialogs_.showError(this, Translated(error.message()));
    }
    updateStatusBar();
    return accepted;
}

void TCalcMainForm::setListCommandsEnabled(bool enabled)
{
    for (QAction* item : {Save1, Export1, PrintPreview1, Print1, New1, Sort1, Find1})
        item->setEnabled(enabled);
    for (QToolButton* button : {SaveBtn, ExportBtn, PrintBtn, NewBtn, SortBtn, FindBtn})
        button->setEnabled(enabled);
    EditBtn->setEnabled(enabled && models_.calcCount() > 0);
}

void TCalcMainForm::ZeroDisable()
{
    setListCommandsEnabled(false);
    models_.setWorkModified(false);
    for (CalcGrid* grid : madeLists())
        grid->clearSelection();
}

void TCalcMainForm::scrollListsToLastRows()
{
    listBehindLastRows_.fill(true);
    scrollShownListToLastRows();
}

void TCalcMainForm::scrollShownListToLastRows()
{
    const int shown = FormatIndex(activeFormat());
    if (!std::exchange(listBehindLastRows_[shown], false))
        return;
    CalcGrid* grid = list(activeFormat());
    if (grid->model()->rowCount() > 5)
        grid->scrollToLastRow();
}

void TCalcMainForm::updateStatusBar()
{
    QString percentage;
    if (models_.calcCount() > 0 && entry_.op != Operator::Percent && Percentages1->isChecked()) {
        const int64_t last = models_.sheet().rowCount() - 1;
        percentage =
            toQt(PercentageText(models_.sheet().cell(TimecodeFormat::Frames, last, InColumn),
                                models_.sheet().cell(TimecodeFormat::Frames, last, OutColumn), activeFormat()));
    }
    statusPanel_[1]->setText(percentage);
    showCalculationCount();
}

void TCalcMainForm::PageControl1Change()
{
    scrollShownListToLastRows();
    FindDialog1Show();
    LoadActiveTab(entry_, sheet(), activeFormat());
    entryPanel_->show();
    SetMaskColor();
    entryPanel_->focus(EntryField::In);
}

void TCalcMainForm::SetMaskColor()
{
    // Every Calculate comes here, mostly with the colour the fields wear:
    // setting it again would repaint them all.
    const QColor colour = QColorFromStored(ListColour(settings_, activeTabIndex()));
    if (MaskEdit1->palette().color(QPalette::Base) != colour)
        setEntryFieldColour(colour);
}

void TCalcMainForm::InitLoads()
{
    ZeroTimecodeFields(entry_, EntrySeparator(activeFormat()));
    entryPanel_->show();
}

} // namespace ombrel
