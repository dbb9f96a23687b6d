// Export and printing: the commands hand over to their windows.
#include "documents/export_form.h"
#include "printing/print_form.h"
#include "shell/calc_main_form.h"

namespace ombrel {

void TCalcMainForm::Export1Click()
{
    ExportForm->exec();
}

void TCalcMainForm::Print1Click()
{
    GridPrintForm->ShowModal();
}

void TCalcMainForm::PrintPreview1Click()
{
    GridPrintForm->PreviewFormat(activeFormat());
}

void TCalcMainForm::PrintSetup1Click()
{
    GridPrintForm->SetupBtnClick();
}

} // namespace ombrel
