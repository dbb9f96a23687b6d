// The shell around the calculator: the other windows (export, print and
// preview among them), help, About and the pop-up hints switch.
#include "documents/export_form.h"
#include "entry/entry_panel.h"
#include "list/find_form.h"
#include "minicalc/mini_calc_form.h"
#include "printing/preview_form.h"
#include "printing/print_form.h"
#include "settings/preferences.h"
#include "shell/about_box.h"
#include "shell/calc_main_form.h"
#include "shell/function_key_bar.h"
#include "shell/help_window.h"
#include "widgets/status_panel.h"

#include <QAction>
#include <QLineEdit>
#include <QToolButton>
#include <QToolTip>

namespace ombrel {

void TCalcMainForm::createOtherWindows()
{
    Preferences = new TPreferences(settings_, store_, *this, dialogs_, this);
    AboutBox = new TAboutBox(this);
    CalcMini = new TCalcMini(
        {entry_,
         *entryPanel_,
         [this] { return entrySurroundings(); },
         [this] { Clear1Click(); },
         [this](const QString& text) { statusPanel_[0]->setText(text); },
         {Copy1->shortcut(), Paste1->shortcut(), Clear1->shortcut(), FrameMode1->shortcut(), Export1->shortcut()},
         settings_,
         store_,
         dialogs_},
        this);
    connect(CalcMini, &TCalcMini::closed, this, [this] { MiniCalc1->setChecked(false); });
    ToolBar2->serveField({CalcMini->MaskEdit1, [this] { return entry_.mini.display.text; },
                          [this](const std::string& text) {
                              LoadMiniDisplay(entry_, text);
                              entryPanel_->show();
                          }});
    connect(MiniCalc1, &QAction::triggered, this, &TCalcMainForm::MiniCalc1Click);
    connect(MiniBtn, &QToolButton::clicked, MiniCalc1, &QAction::trigger);
    PreviewForm = new TPreviewForm(this);
    GridPrintForm = new TGridPrintForm(models_, settings_, store_, dialogs_, *PreviewForm, this);
    ExportForm = new TExportForm(sheet(), settings_, store_, dialogs_, this);
    HelpForm = new THelpForm(this);
    HelpForm->setWindowFlag(Qt::Window);
    FindForm = new TFindForm(dialogs_, this);
    connect(FindForm, &TFindForm::findNextRequested, this, &TCalcMainForm::FindDialog1Find);
    connect(FindForm, &TFindForm::descriptionFound, this, &TCalcMainForm::showFoundDescription);
}

void TCalcMainForm::MiniCalc1Click()
{
    CalcMini->setVisible(MiniCalc1->isChecked());
}

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

void TCalcMainForm::About1Click()
{
    AboutBox->setVersionText(VersionText);
    AboutBox->exec();
}

// Our own help window stands in for the platform help viewer of old.
void TCalcMainForm::Contents1Click()
{
    HelpForm->showContents();
}

void TCalcMainForm::Index1Click()
{
    HelpForm->showIndex();
}

void TCalcMainForm::Balloon1Click()
{
    QToolTip::hideText();
    storeMenuOption(MenuOption::Balloon, Balloon1->isChecked());
}

} // namespace ombrel
