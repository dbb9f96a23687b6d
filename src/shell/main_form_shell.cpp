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
#include "shell/program_translations.h"
#include "widgets/calc_button.h"
#include "widgets/status_panel.h"

#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>
#include <QToolButton>
#include <QToolTip>

namespace ombrel {

TPreferences& TCalcMainForm::preferences()
{
    if (!preferences_)
        preferences_ = new TPreferences(settings_, store_, *this, dialogs_, this);
    return *preferences_;
}

TAboutBox& TCalcMainForm::aboutBox()
{
    if (!aboutBox_)
        aboutBox_ = new TAboutBox(this);
    return *aboutBox_;
}

TCalcMini& TCalcMainForm::miniCalc()
{
    if (miniCalc_)
        return *miniCalc_;
    miniCalc_ = new TCalcMini(
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
    connect(miniCalc_, &TCalcMini::closed, this, [this] { MiniCalc1->setChecked(false); });
    connect(miniCalc_->CalculateBtn, &CalculateButton::overMoved, this, &TCalcMainForm::showCalculationCount);
    ToolBar2->serveField({miniCalc_->MaskEdit1, [this] { return entry_.mini.display.text; },
                          [this](const std::string& text) {
                              LoadMiniDisplay(entry_, text);
                              entryPanel_->show();
                          }});
    // Until now it has not followed the entry fields.
    miniCalc_->showFields();
    miniCalc_->placeAtStoredPosition();
    return *miniCalc_;
}

EntryField TCalcMainForm::miniFocusedField() const
{
    return miniCalc_ ? miniCalc_->focusedField() : EntryField::None;
}

TPreviewForm& TCalcMainForm::previewForm()
{
    if (!previewForm_)
        previewForm_ = new TPreviewForm(this);
    return *previewForm_;
}

TGridPrintForm& TCalcMainForm::gridPrintForm()
{
    if (!gridPrintForm_)
        gridPrintForm_ = new TGridPrintForm(models_, settings_, store_, dialogs_, previewForm(), this);
    return *gridPrintForm_;
}

TExportForm& TCalcMainForm::exportForm()
{
    if (!exportForm_)
        exportForm_ = new TExportForm(sheet(), settings_, store_, dialogs_, this);
    return *exportForm_;
}

THelpForm& TCalcMainForm::helpForm()
{
    if (!helpForm_) {
        helpForm_ =
            new THelpForm(this, HelpPagesFolder(QLocale(), TranslationFolders(QCoreApplication::applicationDirPath())));
        helpForm_->setWindowFlag(Qt::Window);
    }
    return *helpForm_;
}

TFindForm& TCalcMainForm::findForm()
{
    if (findForm_)
        return *findForm_;
    findForm_ = new TFindForm(dialogs_, this);
    connect(findForm_, &TFindForm::findNextRequested, this, &TCalcMainForm::FindDialog1Find);
    connect(findForm_, &TFindForm::descriptionFound, this, &TCalcMainForm::showFoundDescription);
    return *findForm_;
}

void TCalcMainForm::MiniCalc1Click()
{
    miniCalc().setVisible(MiniCalc1->isChecked());
}

void TCalcMainForm::Export1Click()
{
    exportForm().exec();
}

void TCalcMainForm::Print1Click()
{
    gridPrintForm().ShowModal();
}

void TCalcMainForm::PrintPreview1Click()
{
    gridPrintForm().PreviewFormat(activeFormat());
}

void TCalcMainForm::PrintSetup1Click()
{
    gridPrintForm().SetupBtnClick();
}

void TCalcMainForm::About1Click()
{
    aboutBox().setVersionText(VersionText);
    aboutBox().exec();
}

// Our own help window stands in for the platform help viewer of old.
void TCalcMainForm::Contents1Click()
{
    helpForm().showContents();
}

void TCalcMainForm::Index1Click()
{
    helpForm().showIndex();
}

void TCalcMainForm::Balloon1Click()
{
    QToolTip::hideText();
    storeMenuOption(MenuOption::Balloon, Balloon1->isChecked());
}

} // namespace ombrel
