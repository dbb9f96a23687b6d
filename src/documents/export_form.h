#pragma once

#include "engine/calculation.h"
#include "list/calc_sheet.h"
#include "settings/settings_data.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ombrel {

class TRadioGroup;
class UserDialogs;

// The export dialog: which format's list to write as a text file, with or
// without descriptions and headings. Export asks for the file, writes it
// (a progress bar and Cancel show while a long list is written) and closes.
class TExportForm : public QDialog {
    Q_OBJECT
public:
    TExportForm(const CalcSheet& sheet, UserDialogs& dialogs, QWidget* parent = nullptr);

    // The dialog's state as the settings keep it.
    void setSettings(const ExportSettings& settings);
    ExportSettings settings() const;
    // The rates the User and Frames subheadings name.
    void setRates(const Rates& rates) { rates_ = rates; }

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

signals:
    // A file was written; the dialog's settings are to be stored.
    void exported(const ExportSettings& settings);

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Writes the export; false when it failed (the user was told) or was
    // cancelled.
    bool writeFile(const QString& path);

    const CalcSheet& sheet_;
    UserDialogs& dialogs_;
    Rates rates_;
    int shownFormat_ = 0;
    QString lastName_;
};

} // namespace ombrel
