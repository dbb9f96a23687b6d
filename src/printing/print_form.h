#pragma once

#include "settings/app_settings.h"
#include "widgets/work_progress.h"

#include <QDialog>
#include <QPrinter>

#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ombrel {

class HeadingFields;
class Report;
struct ReportContent;
class SettingsStore;
class SheetModels;
class TPreviewForm;
class TRadioGroup;
class UserDialogs;

// The print dialog: which format's list to print, what the page header
// shows, the print font, the heading and subheading; Setup chooses the
// printer, Preview shows the pages, Print stores the dialog's settings and
// prints (a progress bar and Cancel show while a long report prints). The
// Font button stores the print font.
class TGridPrintForm : public QDialog {
    Q_OBJECT
public:
    TGridPrintForm(const SheetModels& lists, AppSettings& settings, SettingsStore& store, UserDialogs& dialogs,
                   TPreviewForm& preview, QWidget* parent = nullptr);
    ~TGridPrintForm() override;

    // Shows the loaded settings; the controls then keep their values.
    void LoadSettings();
    // The dialog's state as the settings keep it.
    PrintSettings settings() const;
    QPrinter& printer() { return printer_; }

    // The main window's commands.
    void ShowModal();
    // Previews the format of a tab without showing the dialog.
    void PreviewFormat(TimecodeFormat format);

    // How long a print goes on before its progress shows.
    std::chrono::milliseconds progressDelay = WorkProgress::kDelay;

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

private:
    // What the report shows, and the report itself, as the dialog is set up now.
    ReportContent reportContent() const;
    std::unique_ptr<Report> buildReport() const;
    TimecodeFormat chosenFormat() const;
    // Whether the printer has somewhere to print to; asks for one if not.
    bool printerReady();
    // Prints with a progress bar; a failure is reported to the user.
    void print(Report& report);

    const SheetModels& lists_;
    AppSettings& settings_;
    SettingsStore& store_;
    UserDialogs& dialogs_;
    HeadingFields* headings_ = nullptr;
    TPreviewForm& preview_;
    QPrinter printer_;
};

} // namespace ombrel
