#pragma once

#include "engine/calculation.h"
#include "settings/settings_data.h"

#include <QDialog>
#include <QPrinter>

#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ombrel {

class Report;
struct ReportContent;
class SheetModels;
class TPreviewForm;
class TRadioGroup;
class UserDialogs;

// The print dialog: which format's list to print, what the page header
// shows, the print font, the heading and subheading; Setup chooses the
// printer, Preview shows the pages, Print prints them (a progress bar and
// Cancel show while a long report prints).
class TGridPrintForm : public QDialog {
    Q_OBJECT
public:
    TGridPrintForm(const SheetModels& lists, UserDialogs& dialogs, TPreviewForm& preview, QWidget* parent = nullptr);
    ~TGridPrintForm() override;

    // The dialog's state as the settings keep it.
    void setSettings(const PrintSettings& settings);
    PrintSettings settings() const;
    void setPrintFont(const StoredFont& font) { printFont_ = font; }
    const StoredFont& printFont() const { return printFont_; }
    // The rates the User and Frames subheadings name.
    void setRates(const Rates& rates) { rates_ = rates; }
    QPrinter& printer() { return printer_; }

    // The main window's commands.
    void ShowModal();
    // Previews the format of a tab without showing the dialog.
    void PreviewFormat(TimecodeFormat format);

    // Controls, named as the program's users name them.
    TRadioGroup* GridRadio = nullptr;
    QCheckBox *PageChk, *DateChk, *TimeChk, *DescChk;
    QPushButton* FontBtn = nullptr;
    QLabel *Label1, *Label2;
    QLineEdit *HeadingEdit, *SubheadingEdit;
    QPushButton *SetupBtn, *PreviewBtn, *PrintBtn, *CancelBtn;

    void GridRadioClick(int index);
    void FontBtnClick();
    // Returns whether the user confirmed the setup.
    bool SetupBtnClick();
    void PreviewBtnClick();
    void PrintBtnClick();
    void CancelBtnClick();

signals:
    // The seven print settings, as printing stores them.
    void printSettingsToStore(const PrintSettings& settings);
    // The print font, as the Font button stores it.
    void printFontToStore(const StoredFont& font);

private:
    // What the report shows, and the report itself, as the dialog is set up now.
    ReportContent reportContent() const;
    std::unique_ptr<Report> buildReport() const;
    TimecodeFormat chosenFormat() const;
    // Whether the printer has somewhere to print to; asks for one if not.
    bool printerReady();
    bool print(Report& report);

    const SheetModels& lists_;
    UserDialogs& dialogs_;
    TPreviewForm& preview_;
    QPrinter printer_;
    StoredFont printFont_ = kDefaultPrintFont;
    Rates rates_;
    int shownFormat_ = 0;
};

} // namespace ombrel
