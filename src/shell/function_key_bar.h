#pragma once

#include "list/drag_state.h"
#include "settings/app_settings.h"

#include <QToolBar>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QAction;
class QToolButton;

namespace ombrel {

class SettingsStore;
class UserDialogs;

// What the bar needs of the window it sits in.
struct FunctionKeyHost {
    AppSettings& settings; // the slots are settings.functionKeys
    SettingsStore& store;
    UserDialogs& dialogs;
    std::function<char()> separator;                // of the active tab
    std::function<void(const QString&)> showStatus; // the status bar's first panel
    std::function<int64_t()> calcCount;             // the rows of the lists, for drops
};

// ToolBar2: the Program Function Key button and twelve keys that each hold
// one timecode. A key loads its timecode into the timecode field that has
// the focus, or, armed by ProgF or pressed with Shift, stores that field's
// timecode. Arming lasts for one key press. A timecode dropped on a key
// is stored in it.
class FunctionKeyBar : public QToolBar {
    Q_OBJECT
public:
    FunctionKeyBar(FunctionKeyHost host, QWidget* parent);

    // A timecode field the keys serve: while `widget` has the keyboard
    // focus, F1..F12 and the buttons load into it and Shift+F1..F12 program
    // from it.
    struct TimecodeTarget {
        QWidget* widget;
        std::function<std::string()> text;
        // Puts a loaded timecode into the field, its whole text selected.
        std::function<void(const std::string&)> load;
    };
    void serveField(TimecodeTarget target);

    // Key n's (1 to 12) timecode as a field on the active tab shows it.
    std::string loadText(int key) const;
    // Stores a timecode in key n and writes all twelve keys to the store.
    void program(int key, std::string_view source);
    // Each key tells its stored timecode again (the settings were read
    // after the keys were made).
    void showStoredKeys();

    // A key's button, its F key or its Shift+F key (which arms ProgF first).
    void F1Click(int key);
    void sf1Click(int key);
    // Loads or programs key n; a dragged text always programs.
    void FunctionKey(int key, const std::optional<std::string>& dragText);
    // A timecode dragged from a list and dropped on key n's button.
    void F1BtnDragDrop(int key, const TimecodeDrag& drag);
    // The pointer over key n's button: its timecode as hint and status text.
    void F1BtnMouseMove(int key);

    QToolButton* ProgF = nullptr;
    std::array<QToolButton*, kFunctionKeyCount> FBtn{}; // F1Btn ... F12Btn

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const TimecodeTarget* focusedField() const;

    // The keyboard shortcuts F1 ... F12 and sf1 ... sf12 (Shift), items of
    // the served fields.
    std::array<QAction*, kFunctionKeyCount> F{};
    std::array<QAction*, kFunctionKeyCount> sf{};

    FunctionKeyHost host_;
    std::vector<TimecodeTarget> fields_;
};

} // namespace ombrel
