#pragma once

#include "entry/entry_fields.h"

#include <QKeySequence>
#include <QList>
#include <QWidget>

#include <array>
#include <functional>

class QLabel;
class QLineEdit;
class QTimer;
class QToolButton;

namespace ombrel {

class CalculateButton;
class EntryPanel;
class SettingsStore;
class TAMEdit;
class UserDialogs;
struct AppSettings;
struct WindowPosition;

// What the Mini Calc needs of the main window.
struct MiniCalcHost {
    // The main window's entry fields and the panel that shows them; the
    // Mini Calc is a second view of the same fields.
    EntryFields& fields;
    EntryPanel& mainPanel;
    // The main window's surroundings of a key, its Calculate command among
    // them.
    std::function<EntrySurroundings()> surroundings;
    // The main window's Clear command.
    std::function<void()> clear;
    // The first panel of the main window's status bar.
    std::function<void(const QString&)> showStatus;
    // The menu shortcuts that win over the fields' own keys.
    QList<QKeySequence> commandShortcuts;
    AppSettings& settings; // settings.miniCalc is the window's place
    SettingsStore& store;
    UserDialogs& dialogs;
};

// The Mini Calc: a pocket-calculator keypad and one display that drive the
// main window's entry fields and Calculate command.
class TCalcMini : public QWidget {
    Q_OBJECT
public:
    TCalcMini(MiniCalcHost host, QWidget* parent);

    void FormKeyPress(char key);
    void DoubleZeroBtnClick();
    void PressButtonDown(char key);
    void CalculateClick();
    void ClearBtnClick();
    void Panel1Click();
    void FormActivate();
    // Releases the buttons shown pressed; the Calculate picture goes back
    // to normal after a key.
    void Timer1Timer();

    // The Mini Calc's field that has the keyboard focus; None otherwise.
    EntryField focusedField() const;
    // The fields into the widgets, and a requested focus carried out.
    void showFields();
    // Placed where the settings say, or beside the main window while they
    // hold no place; the settings take its place when it closes.
    void placeAtStoredPosition();
    WindowPosition position() const;

    QToolButton* Panel1 = nullptr;
    QLineEdit* MaskEdit1 = nullptr;
    TAMEdit* FrameMini = nullptr;
    QLabel* Panel2 = nullptr;
    // SpeedButton1 ... SpeedButton10 ("1" ... "9", "0").
    std::array<QToolButton*, 10> SpeedButton{};
    QToolButton *DoubleZeroBtn, *DivideBtn, *MultiplyBtn, *MinusBtn, *PlusBtn, *TildBtn, *ClearBtn;
    // The pictures ButNorm, ButOver and ButDown.
    CalculateButton* CalculateBtn = nullptr;
    QTimer* Timer1 = nullptr;

    bool DoubleZeroActive = false;
    bool KeyFlashPending = false;

signals:
    // The window was closed by the user (FormClose).
    void closed();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildKeypad();
    QToolButton* keypadButton(const char* objectName, const QString& caption, QRect geometry, char key);
    QToolButton* buttonOfKey(char key) const;
    void wireDrops();
    // The main window's fields and then this window show what changed.
    void showAll();
    bool frameKey(char key);

    MiniCalcHost host_;
};

} // namespace ombrel
