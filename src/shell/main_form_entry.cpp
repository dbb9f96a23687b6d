// Keyboard entry: the entry fields' keys go through the key procedures, and
// the three switches that change how operands are entered and checked.
#include "shell/calc_main_form.h"
#include "shell/qt_text.h"
#include "widgets/am_edit.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QTabWidget>
#include <QTimer>

namespace ombrel {

namespace {

// The character a key types, as the key procedures know it; 0 for keys
// that type nothing (arrows, Tab, shortcuts), which keep their usual
// meaning.
char typedCharacter(const QKeyEvent* event)
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

FieldState fieldState(const QLineEdit* field)
{
    const bool selected = field->hasSelectedText();
    return {field->text().toStdString(), selected ? field->selectionStart() : field->cursorPosition(),
            selected ? static_cast<int>(field->selectedText().size()) : 0};
}

} // namespace

void TCalcMainForm::installEntryHandlers()
{
    for (QWidget* widget : std::initializer_list<QWidget*>{MaskEdit1, MaskEdit2, MaskEdit3, OperandCombo})
        widget->installEventFilter(this);
    // The numeric fields hand their keys over after their own Enter and
    // Escape handling.
    for (TAMEdit* field : {FrameIn, FrameOut, MaskEdit4}) {
        field->setKeyFilter(this);
        field->installEventFilter(this);
    }
    FrameDur->installEventFilter(this);
}

EntryContext TCalcMainForm::entryContext() const
{
    EntryContext context;
    context.separator = entrySeparator();
    context.labelStyle = labelStyle_;
    context.calcCount = models_.calcCount();
    context.framesTabActive = activeFormat() == TimecodeFormat::Frames;
    if (models_.calcCount() > 0)
        context.lastOperator =
            models_.sheet().cell(TimecodeFormat::NonDrop, models_.sheet().rowCount() - 1, OperatorColumn);
    context.percentFieldVisible = !MaskEdit4->isHidden();
    return context;
}

QLineEdit* TCalcMainForm::entryField(EntryField field) const
{
    switch (field) {
    case EntryField::In:
        return MaskEdit1;
    case EntryField::Out:
        return MaskEdit2;
    case EntryField::Percent:
        return MaskEdit4;
    case EntryField::FrameIn:
        return FrameIn;
    case EntryField::FrameOut:
        return FrameOut;
    default:
        return nullptr;
    }
}

bool TCalcMainForm::entryKeyPress(QObject* watched, QKeyEvent* event)
{
    const QEvent::Type type = event->type();
    // Focusing a field selects its whole text, after the click that
    // focused it has placed the caret.
    if (type == QEvent::FocusIn) {
        if (auto* field = qobject_cast<QLineEdit*>(watched); field && field != ClipStore)
            QTimer::singleShot(0, field, [field] { field->selectAll(); });
        return false;
    }
    // Frame mode's Ctrl+Z wins over the numeric fields' own undo.
    if (type == QEvent::ShortcutOverride && QKeySequence(event->keyCombination()) == FrameMode1->shortcut()) {
        event->ignore();
        return true;
    }
    if (type != QEvent::KeyPress)
        return false;
    const char key = typedCharacter(event);
    if (key == 0)
        return false;

    const EntryContext context = entryContext();
    KeyOutcome outcome;
    QLineEdit* keyed = nullptr;
    if (watched == MaskEdit1 || watched == MaskEdit2) {
        keyed = static_cast<QLineEdit*>(watched);
        outcome = keyed == MaskEdit1 ? MaskEdit1KeyPress(fieldState(keyed), key, context)
                                     : MaskEdit2KeyPress(fieldState(keyed), key, context);
    } else if (watched == OperandCombo) {
        outcome = OperandComboKeyPress(key, context);
    } else if (watched == FrameIn) {
        keyed = FrameIn;
        outcome = FrameInKeyPress(key, context);
    } else if (watched == FrameOut) {
        keyed = FrameOut;
        outcome = FrameOutKeyPress(key, context);
    } else if (watched == MaskEdit4) {
        keyed = MaskEdit4;
        outcome = MaskEdit4KeyPress(key, context);
    } else {
        return false;
    }
    applyEntrySteps(keyed, outcome);
    return outcome.consumed;
}

void TCalcMainForm::applyEntrySteps(QLineEdit* keyed, const KeyOutcome& outcome)
{
    const auto placeCaret = [&] {
        if (outcome.field.selectionLength > 0)
            keyed->setSelection(outcome.field.caret, outcome.field.selectionLength);
        else
            keyed->setCursorPosition(outcome.field.caret);
    };
    for (const EntryStep& step : outcome.steps) {
        switch (step.action) {
        case EntryAction::ZeroDuration:
            LoadEdit(kZeroDigits, 3);
            break;
        case EntryAction::LoadField:
            keyed->setText(toQt(outcome.field.text));
            placeCaret();
            break;
        case EntryAction::PlaceCaret:
            placeCaret();
            break;
        case EntryAction::ZeroFrameDur:
            FrameDur->setText("0");
            break;
        case EntryAction::SelectOperator:
            OperandCombo->setCurrentIndex(static_cast<int>(step.op));
            break;
        case EntryAction::Calculate:
            // A refused or failed calculation ends the chain: carrying its
            // zeroed Duration on would wipe the operand the user typed.
            if (!ComputeCalculations())
                return;
            break;
        case EntryAction::CopyDurationToIn:
            MaskEdit1->setText(MaskEdit3->text());
            break;
        case EntryAction::FrameInFromLastResult:
            FrameIn->setText(
                toQt(models_.sheet().cell(TimecodeFormat::Frames, models_.sheet().rowCount() - 1, ResultColumn)));
            break;
        case EntryAction::ShowPercentField:
            MaskEdit4->show();
            break;
        case EntryAction::HidePercentField:
            MaskEdit4->hide();
            break;
        case EntryAction::Recall: {
            const TimecodeFormat source =
                step.source == RecallSource::FramesList ? TimecodeFormat::Frames : activeFormat();
            entryField(step.field)->setText(toQt(models_.sheet().cell(source, models_.calcCount() - 1, step.column)));
            break;
        }
        case EntryAction::Focus:
            if (step.field == EntryField::OperandCombo)
                OperandCombo->setFocus();
            else
                focusAndSelect(entryField(step.field));
            break;
        }
    }
}

void TCalcMainForm::FrameMode1Click()
{
    const bool on = FrameMode1->isChecked();
    for (QWidget* field : std::initializer_list<QWidget*>{FrameIn, FrameOut, FrameDur})
        field->setVisible(on);
    focusAndSelect(on ? FrameIn : MaskEdit1);
    storeMenuOption(MenuOption::FrameMode, on);
}

void TCalcMainForm::Percentages1Click()
{
    statusPanel_[1]->setText(Percentages1->isChecked() ? "0.0%" : "");
    storeMenuOption(MenuOption::Percentages, Percentages1->isChecked());
}

void TCalcMainForm::ValidityCheckClick()
{
    storeMenuOption(MenuOption::Validity, ValidityCheck->isChecked());
}

void TCalcMainForm::OperandComboChange()
{
    MaskEdit4->setVisible(currentOperator() == Operator::Percent);
    FrameIn->setVisible(FrameMode1->isChecked());
}

} // namespace ombrel
