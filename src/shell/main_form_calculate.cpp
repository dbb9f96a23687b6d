// The Calculate command, the lists it appends to and the tab change.
#include "settings/settings_sections.h"
#include "shell/calc_main_form.h"
#include "shell/qt_text.h"
#include "widgets/am_edit.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>

namespace ombrel {

TimecodeFormat TCalcMainForm::activeFormat() const
{
    return formatAt(std::max(0, PageControl1->currentIndex()));
}

Operator TCalcMainForm::currentOperator() const
{
    return static_cast<Operator>(std::clamp(OperandCombo->currentIndex(), 0, kOperatorCount - 1));
}

void TCalcMainForm::CalculateBtnClick()
{
    ComputeCalculations();
}

bool TCalcMainForm::ComputeCalculations()
{
    bool accepted = false;
    for (QLineEdit* field : {FrameIn, FrameOut})
        if (field->text().isEmpty())
            field->setText("0");

    CalculationRequest request;
    request.inText = MaskEdit1->text().toStdString();
    request.outText = MaskEdit2->text().toStdString();
    request.percentText = MaskEdit4->text().toStdString();
    request.op = currentOperator();
    request.frameMode = FrameMode1->isChecked();
    request.frameInText = FrameIn->text().toStdString();
    request.frameOutText = FrameOut->text().toStdString();
    request.rangeCheck = ValidityCheck->isChecked();
    request.activeFormat = activeFormat();

    try {
        const Calculation calculation = ombrel::ComputeCalculations(request, state_);
        if (calculation.refusal != RangeRefusal::None) {
            const bool in = calculation.refusal == RangeRefusal::InOperand;
            QLineEdit* field = in ? MaskEdit1 : MaskEdit2;
            const QString caption = (in ? Label1 : Label2)->text();
            dialogs_.showError(this, caption + " - " + field->text() + " is not valid timecode!");
            focusAndSelect(field);
        } else {
            accepted = true;
            models_.appendCalculation(calculation.rows);
            dragRow_.reset();
            if (models_.calcCount() == 1)
                setListCommandsEnabled(true);
            for (QTableView* grid : StringGrid)
                scrollToLastRows(grid);
            if (request.frameMode)
                FrameDur->setText(toQt(calculation.frameDuration));
            PageControl1Change();
            if (request.op == Operator::Percent) {
                MaskEdit4->show();
                FrameIn->hide();
                focusAndSelect(MaskEdit4);
            } else {
                focusAndSelect(request.frameMode ? FrameIn : MaskEdit1);
            }
        }
    } catch (const ConversionError& error) {
        dialogs_.showError(this, QString::fromStdString(error.what()));
    }
    updateStatusBar();
    return accepted;
}

void TCalcMainForm::setListCommandsEnabled(bool enabled)
{
    for (QAction* item : {Save1, Export1, PrintPreview1, Print1, New1, Sort1, Find1})
        item->setEnabled(enabled);
    for (QToolButton* button : {SaveBtn, ExportBtn, PrintBtn, NewBtn, SortBtn, FindBtn, EditBtn})
        button->setEnabled(enabled);
}

void TCalcMainForm::ZeroDisable()
{
    setListCommandsEnabled(false);
    models_.setWorkModified(false);
    for (QTableView* grid : StringGrid)
        grid->clearSelection();
}

void TCalcMainForm::scrollToLastRows(QTableView* grid)
{
    if (grid->model()->rowCount() > 5)
        grid->scrollToBottom();
}

void TCalcMainForm::updateStatusBar()
{
    QString percentage;
    if (models_.calcCount() > 0 && currentOperator() != Operator::Percent && Percentages1->isChecked()) {
        const int64_t last = models_.sheet().rowCount() - 1;
        percentage =
            toQt(PercentageText(models_.sheet().cell(TimecodeFormat::Frames, last, InColumn),
                                models_.sheet().cell(TimecodeFormat::Frames, last, OutColumn), activeFormat()));
    }
    statusPanel_[1]->setText(percentage);
    statusPanel_[0]->setText(QString("Total Calculations: %1").arg(models_.calcCount()));
}

void TCalcMainForm::PageControl1Change()
{
    showEntrySeparator();
    if (models_.calcCount() > 0) {
        ActiveTab(activeFormat());
        if (activeFormat() == TimecodeFormat::Frames)
            InitLoads();
        const std::string_view lastOperator =
            models_.sheet().cell(TimecodeFormat::NonDrop, models_.sheet().rowCount() - 1, OperatorColumn);
        const int index = OperandCombo->findText(toQt(lastOperator));
        if (index >= 0)
            OperandCombo->setCurrentIndex(index);
    }
    SetMaskColor();
    focusAndSelect(MaskEdit1);
}

void TCalcMainForm::ActiveTab(TimecodeFormat format)
{
    const int64_t row = models_.calcCount() - 1;
    MaskEdit2->setText(toQt(models_.sheet().cell(format, row, OutColumn)));
    MaskEdit3->setText(toQt(models_.sheet().cell(format, row, ResultColumn)));
    const QString in = toQt(models_.sheet().cell(format, row, InColumn));
    if (models_.sheet().cell(format, row, OperatorColumn) == "%") {
        MaskEdit4->show();
        MaskEdit4->setText(in);
    } else {
        MaskEdit4->hide();
        MaskEdit1->setText(in);
    }
}

char TCalcMainForm::entrySeparator() const
{
    return EntrySeparator(activeFormat());
}

// The timecode fields take the active tab's separator, keeping their digits.
void TCalcMainForm::showEntrySeparator()
{
    const QChar separator = entrySeparator();
    for (QLineEdit* field : {MaskEdit1, MaskEdit2, MaskEdit3}) {
        QString text = field->text();
        for (int position : {2, 5, 8})
            if (position < text.size() && (text[position] == ':' || text[position] == ';'))
                text[position] = separator;
        field->setText(text);
    }
}

void TCalcMainForm::SetMaskColor()
{
    setEntryFieldColour(QColorFromStored(ListColour(settings_, activeTabIndex())));
}

void TCalcMainForm::LoadEdit(std::string_view digits, int target)
{
    QLineEdit* fields[] = {MaskEdit1, MaskEdit2, MaskEdit3};
    fields[target - 1]->setText(QString::fromStdString(LoadEditText(digits, entrySeparator())));
}

void TCalcMainForm::InitLoads()
{
    for (int target = 1; target <= 3; ++target)
        LoadEdit(kZeroDigits, target);
}

void TCalcMainForm::focusAndSelect(QLineEdit* field)
{
    field->setFocus();
    field->selectAll();
}

} // namespace ombrel
