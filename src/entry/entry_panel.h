#pragma once

#include "entry/entry_fields.h"

#include <QKeySequence>
#include <QList>
#include <QObject>

#include <functional>

class QComboBox;
class QKeyEvent;
class QLineEdit;

namespace ombrel {

// The character a key types, as the key procedures know it; 0 for keys
// that type nothing (arrows, Tab, shortcuts), which keep their usual
// meaning.
char TypedCharacter(const QKeyEvent* event);
// What a widget shows, as a field's state.
FieldState ShownState(const QLineEdit* widget);
// Puts a field's state into a widget. Taken by value: the widget's change
// signals may write the field it came from.
void ShowFieldState(QLineEdit* widget, FieldState wanted);

// The widgets that show the entry fields.
struct EntryWidgets {
    QLineEdit* in;       // MaskEdit1
    QLineEdit* out;      // MaskEdit2
    QLineEdit* duration; // MaskEdit3
    QComboBox* operators;
    QLineEdit* frameIn;
    QLineEdit* frameOut;
    QLineEdit* frameDur;
    QLineEdit* percent; // MaskEdit4
};

// Binds the entry fields to a window's widgets. What the user does in the
// widgets (typing where a key is the field's own, moving the caret,
// choosing an operator, setting a text) reaches the fields at once; keys the
// key procedures handle run through PressEntryKey; show() puts the fields
// into the widgets after anything changed them.
class EntryPanel : public QObject {
    Q_OBJECT
public:
    EntryPanel(EntryFields& fields, const EntryWidgets& widgets, std::function<EntrySurroundings()> surroundings,
               QObject* parent = nullptr);

    EntryFields& fields() { return fields_; }

    // The fields into the widgets, and a requested focus carried out.
    void show();
    // The field takes the focus with its whole text selected.
    void focus(EntryField which);
    // The entry field that has the keyboard focus; None when no entry field
    // has it.
    EntryField focusedField() const;

    // Shortcuts that win over the fields' own keys: the menu's Copy, Paste
    // and Clear, frame mode's Ctrl+Z and Export's Ctrl+E would otherwise
    // copy, paste, cut, undo and move to the end inside the field.
    void setCommandShortcuts(const QList<QKeySequence>& shortcuts) { commandShortcuts_ = shortcuts; }

signals:
    // The fields changed and the widgets show them: another view of the
    // same fields (the Mini Calc) shows them too.
    void shown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void take(QLineEdit* widget);
    FieldState* fieldOf(QLineEdit* widget);
    EntryField keyedField(QObject* watched) const;
    EntryField fieldNamed(const QObject* watched) const;
    QLineEdit* widgetOf(EntryField field) const;

    EntryFields& fields_;
    EntryWidgets widgets_;
    std::function<EntrySurroundings()> surroundings_;
    QList<QKeySequence> commandShortcuts_;
};

} // namespace ombrel
