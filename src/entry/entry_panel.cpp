#include "entry/entry_panel.h"

#include "widgets/fitted_text.h"
#include "widgets/qt_text.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace ombrel {

FieldState ShownState(const QLineEdit* widget)
{
    const bool selected = widget->hasSelectedText();
    return {widget->text().toStdString(), selected ? widget->selectionStart() : widget->cursorPosition(),
            selected ? static_cast<int>(widget->selectedText().size()) : 0};
}

void ShowFieldState(QLineEdit* widget, FieldState wanted)
{
    if (widget->text() != toQt(wanted.text)) {
        widget->setText(toQt(wanted.text));
        FitTextToField(widget);
    }
    if (ShownState(widget) == wanted)
        return;
    if (wanted.selectionLength > 0)
        widget->setSelection(wanted.caret, wanted.selectionLength);
    else
        widget->setCursorPosition(wanted.caret);
}

char TypedCharacter(const QKeyEvent* event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return 0;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return '\r';
    case Qt::Key_Backspace:
        return '\b';
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 0;
    default:
        break;
    }
    const QString text = event->text();
    if (text.size() != 1)
        return 0;
    const char16_t c = text[0].unicode();
    // Anything outside ASCII is a key with no meaning to the procedures.
    return c >= 32 && c < 127 ? static_cast<char>(c) : '\x01';
}

EntryPanel::EntryPanel(EntryFields& fields, const EntryWidgets& widgets,
                       std::function<EntrySurroundings()> surroundings, QObject* parent)
    : QObject(parent), fields_(fields), widgets_(widgets), surroundings_(std::move(surroundings))
{
    for (QLineEdit* widget : {widgets_.in, widgets_.out, widgets_.duration, widgets_.frameIn, widgets_.frameOut,
                              widgets_.frameDur, widgets_.percent}) {
        take(widget);
        const auto follow = [this, widget] { take(widget); };
        connect(widget, &QLineEdit::textChanged, this, follow);
        if (widget == widgets_.frameIn || widget == widgets_.frameOut)
            connect(widget, &QLineEdit::textChanged, this, [this, widget] {
                FollowFrameField(fields_, fieldNamed(widget));
                emit shown();
            });
        connect(widget, &QLineEdit::cursorPositionChanged, this, follow);
        connect(widget, &QLineEdit::selectionChanged, this, follow);
        widget->installEventFilter(this);
    }
    fields_.percentVisible = !widgets_.percent->isHidden();
    fields_.op = static_cast<Operator>(std::max(0, widgets_.operators->currentIndex()));
    connect(widgets_.operators, &QComboBox::currentIndexChanged, this,
            [this](int index) { fields_.op = static_cast<Operator>(std::clamp(index, 0, kOperatorCount - 1)); });
    widgets_.operators->installEventFilter(this);
}

FieldState* EntryPanel::fieldOf(QLineEdit* widget)
{
    return fields_.field(fieldNamed(widget));
}

EntryField EntryPanel::keyedField(QObject* watched) const
{
    const EntryField field = fieldNamed(watched);
    // The result fields have no key procedure: their keys are their own.
    return field == EntryField::Duration || field == EntryField::FrameDur ? EntryField::None : field;
}

EntryField EntryPanel::focusedField() const
{
    return fieldNamed(QApplication::focusWidget());
}

EntryField EntryPanel::fieldNamed(const QObject* watched) const
{
    if (!watched)
        return EntryField::None;
    if (watched == widgets_.in)
        return EntryField::In;
    if (watched == widgets_.out)
        return EntryField::Out;
    if (watched == widgets_.operators)
        return EntryField::OperandCombo;
    if (watched == widgets_.percent)
        return EntryField::Percent;
    if (watched == widgets_.frameIn)
        return EntryField::FrameIn;
    if (watched == widgets_.frameOut)
        return EntryField::FrameOut;
    if (watched == widgets_.duration)
        return EntryField::Duration;
    if (watched == widgets_.frameDur)
        return EntryField::FrameDur;
    return EntryField::None;
}

QLineEdit* EntryPanel::widgetOf(EntryField field) const
{
    switch (field) {
    case EntryField::In:
        return widgets_.in;
    case EntryField::Out:
        return widgets_.out;
    case EntryField::Percent:
        return widgets_.percent;
    case EntryField::FrameIn:
        return widgets_.frameIn;
    case EntryField::FrameOut:
        return widgets_.frameOut;
    case EntryField::Duration:
        return widgets_.duration;
    case EntryField::FrameDur:
        return widgets_.frameDur;
    case EntryField::OperandCombo:
    case EntryField::MiniDisplay:
    case EntryField::MiniFrame:
    case EntryField::None:
        break;
    }
    return nullptr;
}

void EntryPanel::take(QLineEdit* widget)
{
    *fieldOf(widget) = ShownState(widget);
}

void EntryPanel::show()
{
    // Each change a widget makes is taken back into the fields, so the
    // fields end up as the widgets really show them.
    for (QLineEdit* widget : {widgets_.in, widgets_.out, widgets_.duration, widgets_.frameIn, widgets_.frameOut,
                              widgets_.frameDur, widgets_.percent})
        ShowFieldState(widget, *fieldOf(widget));
    if (widgets_.operators->currentIndex() != static_cast<int>(fields_.op))
        widgets_.operators->setCurrentIndex(static_cast<int>(fields_.op));
    if (widgets_.percent->isHidden() == fields_.percentVisible)
        widgets_.percent->setVisible(fields_.percentVisible);
    // A request for another view's field is that view's to carry out. While
    // another window of the program is active (the Mini Calc, a dialog) the
    // request waits: taking the focus from it would send its keys here.
    const QWidget* active = QApplication::activeWindow();
    if (active && active != widgets_.in->window()) {
        emit shown();
        return;
    }
    if (fields_.focusRequest == EntryField::OperandCombo) {
        fields_.focusRequest = EntryField::None;
        widgets_.operators->setFocus();
    } else if (QLineEdit* widget = widgetOf(fields_.focusRequest)) {
        fields_.focusRequest = EntryField::None;
        widget->setFocus();
    }
    emit shown();
}

void EntryPanel::focus(EntryField which)
{
    RequestFocus(fields_, which);
    show();
}

bool EntryPanel::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::FocusIn: {
        // Focusing a field selects its whole text, after the click that
        // focused it has placed the caret. A field that gets the focus back
        // with its window, or after a menu, stays as the user left it.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        const bool returning = reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
        if (!returning) {
            FollowFocus(fields_, fieldNamed(watched));
            emit shown();
        }
        if (auto* field = qobject_cast<QLineEdit*>(watched); field && !returning)
            QTimer::singleShot(0, field, [field] {
                // A field that only passed the focus on (hidden while it had
                // it) keeps no selection: one highlighted field at a time.
                if (field->hasFocus())
                    field->selectAll();
            });
        return false;
    }
    case QEvent::ShortcutOverride: {
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        if (!commandShortcuts_.contains(QKeySequence(keyEvent->keyCombination())))
            return false;
        keyEvent->ignore();
        return true;
    }
    case QEvent::KeyPress:
        break;
    default:
        return false;
    }
    const EntryField keyed = keyedField(watched);
    const char key = TypedCharacter(static_cast<QKeyEvent*>(event));
    if (keyed == EntryField::None || key == 0)
        return false;
    EntrySurroundings around = surroundings_();
    // The Calculate command reads the widgets as the steps so far left them.
    around.calculate = [this, calculate = std::move(around.calculate)] {
        show();
        return calculate();
    };
    const bool consumed = PressEntryKey(fields_, keyed, key, around);
    show();
    return consumed;
}

} // namespace ombrel
