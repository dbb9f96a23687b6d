#pragma once

#include "engine/calculation.h"
#include "settings/grid_layout.h"
#include "settings/preferences_target.h"
#include "settings/settings_data.h"
#include "settings/settings_store.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace ombrel {

class ColourCombo;
class TAMEdit;
class UserDialogs;

// The preferences dialog. It owns the settings store of the run, keeps the
// loaded options in its controls (and the list fonts beside them), applies
// them to the main window through PreferencesTarget and stores them on OK.
class TPreferences : public QDialog {
    Q_OBJECT
public:
    // Without a store of its own the dialog opens the user's settings.
    TPreferences(PreferencesTarget& target, UserDialogs& dialogs, QWidget* parent = nullptr,
                 std::unique_ptr<SettingsStore> store = nullptr);
    ~TPreferences() override;

    // --- What the main window calls ---
    // Loads every setting into the dialog and applies it (first activation).
    void GetRegInfo();
    // Saves window positions and column widths.
    void WritePosGrid();
    // File > Preferences...: saves positions, takes the NonDrop list's font,
    // shows the dialog modally (which reloads the store) and returns its
    // result. The caller then takes CurrentRates() and the tab captions.
    int ShowModal();
    // The menu toggles: each writes its value at once; all but the balloon
    // help also set the dialog's check box (the menu mark is the caller's).
    void WriteValidity(bool checked);
    void WriteDescriptions(bool checked);
    void WritePercentages(bool checked);
    void WriteFrameMode(bool checked);
    void WriteBalloon(bool checked);
    // Flushes the store; the main window calls it last as it closes.
    void CloseStore();

    // The rates of the two rate fields (a field without a usable rate gives
    // the default rate) and the captions of the User and Frames tabs.
    Rates CurrentRates() const;
    QString UserTabCaption() const;
    QString FramesTabCaption() const;
    // Format to start with, -1 when none is selected.
    int StartFormat() const;
    // Background colour of a format's list ("Window" when none is chosen).
    QColor ListColour(int format) const;
    const StoredFont& ListFont(int format) const { return fonts_[format]; }
    const FunctionKeySlots& FunctionKeys() const { return functionKeys_; }
    const PrintSettings& LoadedPrintSettings() const { return printSettings_; }
    const ExportSettings& LoadedExportSettings() const { return exportSettings_; }
    const StoredFont& PrintFont() const { return printFont_; }

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
    void SetGrid();
    void GridSize(int column, int width);
    void SetLabels();

    // Marks.
    bool PreferencesChanged = false;
    bool ClosedByButton = false;
    bool DefaultWidthPending = false;
    ColumnWidths ColumnBaseWidths = kDefaultColumnBaseWidths;

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
    void loadFromStore();
    void writeToStore();
    void writeOption(const char* name, bool value);
    // Runs a store operation; an error is shown and ends it.
    bool guarded(const std::function<void()>& operation);
    void copyChecksToMenu();

    PreferencesTarget& target_;
    UserDialogs& dialogs_;
    std::unique_ptr<SettingsStore> store_;
    // Per format, in tab order (NonDrop ... Frames).
    std::array<StoredFont, kFormatCount> fonts_;
    std::array<ColourCombo*, kFormatCount> colourCombos_{};
    StoredFont printFont_ = kDefaultPrintFont;
    FunctionKeySlots functionKeys_ = DefaultFunctionKeySlots();
    PrintSettings printSettings_;
    ExportSettings exportSettings_;
};

} // namespace ombrel
