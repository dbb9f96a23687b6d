#pragma once

#include "documents/work_file.h"
#include "engine/calculation.h"
#include "entry/entry_fields.h"
#include "list/calc_grid.h"
#include "list/calc_sheet.h"
#include "list/drag_state.h"
#include "list/list_model.h"
#include "settings/app_settings.h"
#include "settings/preferences_target.h"
#include "widgets/user_dialogs.h"

#include <QHash>
#include <QMainWindow>
#include <QSet>

#include <array>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QComboBox;
class QHeaderView;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QProgressBar;
class QStatusBar;
class QTabWidget;
class QTableView;
class QToolBar;
class QToolButton;

namespace ombrel {

class BackgroundTask;
class RecoveryFiles;
class CalculateButton;
class EntryPanel;
class FunctionKeyBar;
class ListHeaders;
class RecentFilesMenu;
class SettingsStore;
class StatusPanel;
class TAMEdit;
class TAboutBox;
class TCalcMini;
class TExportForm;
class TFindForm;
class TGridPrintForm;
class THelpForm;
class TPreferences;
class TPreviewForm;

// The three texts that name the first field, the second field and the result.
struct FieldLabels {
    QString first = "Out";
    QString second = "In";
    QString result = "Dur";
};

// The main window: owns the calculation state, the six lists and every
// entry field. Handlers are short: they read the controls, call the core
// and apply what it returns.
class TCalcMainForm : public QMainWindow, public PreferencesTarget {
    Q_OBJECT
public:
    // The settings and their store belong to main(): the window and its
    // dialogs read and change them, and keep them for the whole run.
    TCalcMainForm(UserDialogs& dialogs, AppSettings& settings, SettingsStore& store, QWidget* parent = nullptr);
    ~TCalcMainForm() override;

    const CalcState& state() const { return state_; }
    const SheetModels& models() const { return models_; }
    const CalcSheet& sheet() const { return models_.sheet(); }
    // The list row the last drag started from; a calculation or an opened
    // file forgets it.
    std::optional<int64_t> DragRow() const { return dragState_.DragRow; }
    TimecodeFormat activeFormat() const;
    // A format's list (StringGrid1..6), made when its tab is first shown or
    // something first needs it.
    CalcGrid* list(TimecodeFormat format);
    QString statusText(int panel) const;
    // The names of the two fields and the result in messages and captions.
    const FieldLabels& fieldLabels() const { return fieldLabels_; }

    // Commands.
    void CalculateBtnClick();
    // Returns whether the calculation was accepted.
    bool ComputeCalculations();
    void PageControl1Change();
    void ZeroDisable();
    void InitLoads();
    void FormCreate();
    void FormActivate();
    void Balloon1Click();
    void About1Click();
    void Export1Click();
    void Print1Click();
    void PrintPreview1Click();
    void PrintSetup1Click();
    void Contents1Click();
    void Index1Click();
    void FrameMode1Click();
    void Percentages1Click();
    void ValidityCheckClick();
    void Descriptions1Click();
    void OperandComboChange();
    void Preferences1Click();
    // Shows or hides the Mini Calc.
    void MiniCalc1Click();
    // Stores the window positions and column widths.
    void WritePosGrid();

    // Clipboard and drag and drop.
    void Copy1Click();
    void Paste1Click();
    void CopyDuration1Click();
    void Copy3Click();

    // Row operations and description editing.
    void NewBtnClick();
    // One step back or forward in the sheet's history.
    void Undo1Click();
    void Redo1Click();
    void Clear1Click();
    void EditBtnClick();
    void ActivateEditMode();
    void ActivateDragMode();

    // Sorting and finding in the lists.
    void Sort1Click();
    void FindBtnClick();
    void FindDialog1Find();
    void FindDialog1Show();

    // The calculation file.
    // Returns whether the work was saved.
    bool Save1Click();
    void Open1Click();
    // The files named when the program was started; the first activation
    // opens the first and says the others were not opened.
    void setCommandLine(const QStringList& files) { commandLine_ = files; }
    // Whether unsaved work is kept in the recovery journal (it is, unless
    // turned off here).
    void setRecoveryJournalEnabled(bool enabled);
    // A dropped file's name, kept for the next Open when its save question
    // was cancelled.
    const QString& PendingOpenName() const { return pendingOpenName_; }
    const WorkFile& workFile() const { return workFile_; }

    // What the preferences do to this window.
    bool largeFonts() const override;
    int activeTabIndex() const override;
    void setEntryFieldColour(const QColor& colour) override;
    void setListFont(int format, const FontChoice& font) override;
    void setListColour(int format, const QColor& colour, bool systemColour) override;
    void setColumnWidth(int column, int width) override;
    void setWindowWidths(const WindowWidths& widths) override;
    void setTabsAtBottom(bool bottom) override;
    void setTabCaptions(const QString& userCaption, const QString& framesCaption) override;
    void setMenuCheck(MenuOption item, bool checked) override;
    void setLabels(const LabelSet& labels) override;
    void setFrameFieldsVisible(bool visible) override;
    void moveMainWindow(const WindowPosition& position) override;

    // Large-font column allowances, set when the window is created.
    int TimecodeColumnAllowance = 0;
    int NarrowColumnAllowance = 0;

    // Controls, named as the program's users name them.
    QMenuBar* MainMenu1 = nullptr;
    // File > Open Recent.
    QMenu* OpenRecent1 = nullptr;
    QAction *New1, *Open1, *Save1, *Export1, *Print1, *PrintPreview1, *PrintSetup1, *Preferences1, *MiniCalc1, *Exit1;
    QAction *Undo1, *Redo1;
    QAction *Copy1, *Paste1, *Clear1, *CopyDuration1, *Sort1, *Find1, *ValidityCheck;
    QAction *Descriptions1, *Percentages1, *FrameMode1;
    QAction *Contents1, *Index1, *Balloon1, *About1;

    QToolBar* ToolBar1 = nullptr;
    QToolButton *NewBtn, *OpenBtn, *SaveBtn, *ExportBtn, *PrintBtn, *ClearBtn, *CopyBtn, *PasteBtn, *FindBtn, *SortBtn,
        *MiniBtn, *ExitBtn;
    FunctionKeyBar* ToolBar2 = nullptr;

    QWidget* Panel3 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    std::array<QWidget*, kFormatCount> TabSheet{};

    QWidget* Panel1 = nullptr;
    QLabel *Label1, *Label2, *Label3, *Label4;
    QLineEdit *MaskEdit1, *MaskEdit2, *MaskEdit3;
    QComboBox* OperandCombo = nullptr;
    TAMEdit *FrameIn, *FrameOut, *FrameDur, *MaskEdit4;

    QWidget* Panel2 = nullptr;
    QToolButton* EditBtn = nullptr;
    // Shows the pictures ButNorm, ButOver and ButDown in turn.
    CalculateButton* CalculateBtn = nullptr;
    QLabel *TrashClose, *TrashOpen;
    QLineEdit* ClipStore = nullptr;

    QStatusBar* StatusBar1 = nullptr;
    // Over the status bar while a sort, an open or a save runs.
    QProgressBar* ProgressBar1 = nullptr;
    // The pop-up menus of the In and Out fields, and of the Duration field.
    QMenu* PopupMenu1 = nullptr;
    QMenu* PopupMenu2 = nullptr;

    // The other windows, each created on its first use so that start-up
    // builds only what the first paint shows.
    TPreferences& preferences();
    TAboutBox& aboutBox();
    TCalcMini& miniCalc();
    TGridPrintForm& gridPrintForm();
    TPreviewForm& previewForm();
    TExportForm& exportForm();
    THelpForm& helpForm();
    TFindForm& findForm();

    inline static const QString VersionText = "Version 1.65";

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TPreferences* preferences_ = nullptr;
    TAboutBox* aboutBox_ = nullptr;
    TCalcMini* miniCalc_ = nullptr;
    TGridPrintForm* gridPrintForm_ = nullptr;
    TPreviewForm* previewForm_ = nullptr;
    TExportForm* exportForm_ = nullptr;
    THelpForm* helpForm_ = nullptr;
    TFindForm* findForm_ = nullptr;

    void buildMenus();
    void buildToolBar();
    void buildFunctionKeys();
    QWidget* buildLists();
    QWidget* buildEntryBand();
    QWidget* buildCalculateBand();
    void buildStatusBar();
    void makeList(int format);
    // Font, colours and width of a made list, from its look.
    void showListLook(int format);
    // The lists made so far.
    std::vector<CalcGrid*> madeLists() const;
    // The Mini Calc's focused field; none while it does not exist yet.
    EntryField miniFocusedField() const;
    void followOtherPrograms();
    // The rates and tab captions follow the settings in force.
    void takeRates();
    QAction* menuItem(MenuOption item) const;
    // A menu toggle: the option changes in the settings and is stored at once.
    void storeMenuOption(MenuOption option, bool value);
    // "Save Current Work?": whether the interrupted action may go on.
    bool saveCurrentWorkPrompt();
    bool readCalculationFile(const QString& name);
    // Opens an edit decision list as new, unsaved work: false when refused.
    bool importEditDecisionList(const QString& name);
    void showOpenedWork(const QString& name);
    // What a New, an Open or an import does with each swap of the sheets,
    // done, undone or redone: the work's file, lock and all, is traded
    // with `file`, and the recovery journal told.
    std::function<void()> workFileSwap(WorkFile::Held file);
    // Offers back the work of a run that did not end cleanly.
    void offerRecovery();
    // Tells the user, once, that the unsaved work is no longer kept safe.
    void reportJournalFailure(const std::string& error);
    // The window after the rows changed wholesale.
    void showSheet();
    void openRecentFile(const QString& name);
    // After the first of several files named at start was opened.
    void reportFilesNotOpened();
    bool FormCloseQuery();
    void wireCommands();
    void wireSortAndFind();
    // A column dragged wider widens the window to show it; it never
    // narrows it.
    void widenForColumns();
    // A match found in a description: it is shown, and not edited.
    void showFoundDescription();

    void setListCommandsEnabled(bool enabled);
    void wireClipboard();
    void wireRowOperations();
    // Puts a copied text on the clipboard (an empty one leaves the clipboard
    // as it was) and confirms it in the status bar.
    void copyToClipboard(const QString& text);
    // The mouse over a Calculate picture, the main window's or the Mini
    // Calc's: the count of calculations in the status bar.
    void showCalculationCount();
    // A row dragged onto the trash goes from every list.
    void TrashCloseDragDrop();
    // The open trash while a drag that it can take is over it.
    void showTrashOpen(bool open);
    void SetMaskColor();
    void updateStatusBar();
    // Scrolling a list lays out all of its rows: the shown list follows new
    // rows at once, the others when their tab is shown.
    void scrollListsToLastRows();
    void scrollShownListToLastRows();
    // The entry widgets show entry_ through the entry panel.
    void bindEntryFields();
    // What a key in an entry field works with.
    EntrySurroundings entrySurroundings();
    // The entry field with the keyboard focus, in this window or the Mini
    // Calc.
    EntryField focusedEntryField() const;

    void ButtonNormal();
    void setHoverText(QWidget* widget, const QString& text);
    // Pop-up hints of these controls follow "Show Balloon Help".
    void followWindowHints(QWidget* widget);
    // The status text just shown stays while the pointer is on the control.
    void holdStatusOn(const QWidget* control);

    UserDialogs& dialogs_;
    // The file the work came from or went to, locked while it is open here.
    WorkFile workFile_{dialogs_, this};
    AppSettings& settings_;
    SettingsStore& store_;
    CalcState state_;
    SheetModels models_;
    std::unique_ptr<RecoveryFiles> recovery_;
    DragState dragState_;
    EntryFields entry_;
    EntryPanel* entryPanel_ = nullptr;
    ListHeaders* headers_ = nullptr;
    // Opens and saves the calculation file while the window stays painted.
    BackgroundTask* fileTask_ = nullptr;
    FieldLabels fieldLabels_;
    LabelStyle labelStyle_ = LabelStyle::OutInDuration;
    bool firstActivation_ = true;
    // The field a refused calculation selected: the activation that follows
    // its message box leaves the focus there rather than in the first field.
    std::optional<EntryField> refusedField_;
    // Set while no window of the program is active, until one is again.
    bool inOtherProgram_ = false;
    QStringList commandLine_;
    RecentFilesMenu* recentFiles_ = nullptr;
    QString pendingOpenName_;
    bool openFromCommandLine_ = false;
    QString saveName_;
    std::array<bool, kFormatCount> listBehindLastRows_{};
    // What the settings give each list, kept for the lists not made yet.
    struct ListLook {
        FontChoice font;
        std::optional<QColor> background;
        bool systemBackground = true; // the palette's colour, not one the user named
    };
    std::array<CalcGrid*, kFormatCount> lists_{};
    std::array<ListLook, kFormatCount> listLooks_;
    std::optional<int> listWidth_;
    bool descriptionEditMode_ = false;
    StatusPanel* statusPanel_[2] = {nullptr, nullptr};
    QWidget* trash_ = nullptr;
    QHash<QObject*, QString> hoverTexts_;
    // The control whose hover text waits until the pointer leaves it: a
    // message a click or a drop on it showed (a copy's confirmation) stays
    // readable while the pointer rests there. Only compared, never followed.
    const QObject* statusHeldOn_ = nullptr;
    QSet<QObject*> windowHintWidgets_;
};

} // namespace ombrel
