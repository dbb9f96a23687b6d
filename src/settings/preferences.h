#pragma once

#include "settings/app_settings.h"
#include "settings/preferences_target.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace ombrel {

class ColourCombo;
class SettingsStore;
class TAMEdit;
class UserDialogs;

// The preferences dialog. It edits a copy of the program's settings: each
// opening and Cancel load it from the store; Apply, OK and Cancel hand it
// back as the settings in force and apply it to the main window through
// PreferencesTarget; OK also stores it.
class TPreferences : public QDialog {
    Q_OBJECT
public:
    TPreferences(AppSettings& settings, SettingsStore& store, PreferencesTarget& target, UserDialogs& dialogs,
                 QWidget* parent = nullptr);
    ~TPreferences() override;

    // Loads every setting into the dialog and applies it (the main window's
    // first activation, each opening of the dialog, Cancel). The first load
    // of a store applies the defaults once.
    void GetRegInfo();

    // --- Handlers and operations ---
    void FormActivate();
    void ApplyBtnClick();
    // False when a rate field is refused: the dialog stays open.
    bool OKBtnClick();
    void CancelBtnClick();
    void DefaultBtnClick();
    void ApplyAllBtnClick();
    // True when the dialog may close.
    bool FormCloseQuery();
    void FontBtnClick(int format);
    void DescriptionsCheckBoxClick();
    void StartComboChange();

    // Marks.
    bool PreferencesChanged = false;
    bool ClosedByButton = false;
    bool DefaultWidthPending = false;

    // Controls, by the names users know them by.
    QTabWidget* PageControl1 = nullptr;
    std::array<QWidget*, 7> TabSheet{}; // General, then the format pages in tab order
    QComboBox* StartCombo = nullptr;
    QComboBox* TabCombo = nullptr;
    QComboBox* LabelCombo = nullptr;
    QCheckBox* ValidityCheckBox = nullptr;
    QCheckBox* DescriptionsCheckBox = nullptr;
    QCheckBox* PercentagesCheckBox = nullptr;
    QCheckBox* FrameModeCheckBox = nullptr;
    QPushButton *BitBtn1, *BitBtn2, *BitBtn4, *BitBtn5, *BitBtn6, *BitBtn7;
    ColourCombo *NDFColorCombo, *DFColorCombo, *PALColorCombo, *FilmColorCombo, *UserColorCombo, *FramesColorCombo;
    QPushButton* ApplyAllBtn = nullptr;
    TAMEdit* FramesMask = nullptr;
    TAMEdit* UserFramesMask = nullptr;
    QPushButton* ApplyBtn = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* DefaultBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    QWidget* buildFormatPage(int format, QPushButton*& fontButton, ColourCombo*& colourCombo,
                             const char* fontButtonName, const char* comboName);
    // The copy into the controls, and back.
    void showSettings();
    void takeControls();
    // Where the dialog opens: centred on its screen.
    void centreOnScreen();

    AppSettings& settings_;
    SettingsStore& store_;
    PreferencesTarget& target_;
    UserDialogs& dialogs_;
    // The copy the dialog edits; the fonts have no control of their own.
    AppSettings edited_;
    // Per format, in tab order (NonDrop ... Frames).
    std::array<ColourCombo*, kFormatCount> colourCombos_{};
};

} // namespace ombrel
