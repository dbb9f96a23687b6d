#pragma once

#include "list/calc_sheet.h"
#include "settings/app_settings.h"
#include "widgets/work_progress.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ombrel {

class HeadingFields;
class SettingsStore;
class TRadioGroup;
class UserDialogs;

// The export dialog: which format's list to write as a text file, with or
// without descriptions and headings. Export asks for the file, writes it
// (a progress bar and Cancel show while a long list is written), stores
// the dialog's settings when the file is complete, and closes.
class TExportForm : public QDialog {
    Q_OBJECT
public:
    TExportForm(const CalcSheet& sheet, AppSettings& settings, SettingsStore& store, UserDialogs& dialogs,
                QWidget* parent = nullptr);

    // Shows the loaded settings; the controls then keep their values.
    void LoadSettings();
    // The dialog's state as the settings keep it.
    ExportSettings settings() const;

    // How long an export goes on before its progress shows.
    std::chrono::milliseconds progressDelay = WorkProgress::kDelay;

    // Controls, named as the program's users name them.
    TRadioGroup* GridExport = nullptr;
    QCheckBox* DescriptionsChk = nullptr;
    QCheckBox* HeadingsChk = nullptr;
    QLabel *Label1, *Label2;
    QLineEdit *HeadingEdit, *SubheadingEdit;
    QPushButton *ExportBtn, *CancelBtn;

    void GridExportClick(int index);
    void GreyOutHeadings();
    void ExportBtnClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Writes the export; false when it failed (the user was told) or was
    // cancelled.
    bool writeFile(const QString& path);

    const CalcSheet& sheet_;
    AppSettings& settings_;
    SettingsStore& store_;
    UserDialogs& dialogs_;
    HeadingFields* headings_ = nullptr;
    QString lastName_;
};

} // namespace ombrel
