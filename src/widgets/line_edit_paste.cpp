#include "widgets/line_edit_paste.h"

#include "list/clipboard_text.h"
#include "widgets/clipboard_bytes.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>

namespace ombrel {

namespace {

// A command of the pop-up menu, captioned as Qt's own menu captions it
// (Qt's text in Qt's translation, not one of ours), with its key.
void addCommand(QMenu* menu, const char* qtCaption, QKeySequence::StandardKey key, bool enabled,
                std::function<void()> command)
{
    QString caption = QCoreApplication::translate("QLineEdit", qtCaption);
    if (key != QKeySequence::UnknownKey)
        caption += '\t' + QKeySequence(key).toString(QKeySequence::NativeText);
    QAction* action = menu->addAction(caption);
    action->setEnabled(enabled);
    QObject::connect(action, &QAction::triggered, menu, std::move(command));
}

} // namespace

QMenu* MakeEditMenu(QLineEdit* edit, std::function<void()> paste)
{
    auto* menu = new QMenu(edit);
    menu->setObjectName("EditMenu");
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const bool editable = !edit->isReadOnly();
    const bool selected = edit->hasSelectedText();
    addCommand(menu, "&Undo", QKeySequence::Undo, editable && edit->isUndoAvailable(), [edit] { edit->undo(); });
    addCommand(menu, "&Redo", QKeySequence::Redo, editable && edit->isRedoAvailable(), [edit] { edit->redo(); });
    menu->addSeparator();
    addCommand(menu, "Cu&t", QKeySequence::Cut, editable && selected, [edit] { edit->cut(); });
    addCommand(menu, "&Copy", QKeySequence::Copy, selected, [edit] { edit->copy(); });
    addCommand(menu, "&Paste", QKeySequence::Paste, editable && ClipboardOffersText(QClipboard::Clipboard),
               std::move(paste));
    addCommand(menu, "Delete", QKeySequence::UnknownKey, editable && selected, [edit] { edit->del(); });
    menu->addSeparator();
    addCommand(menu, "Select All", QKeySequence::SelectAll,
               !edit->text().isEmpty() && edit->selectedText() != edit->text(), [edit] { edit->selectAll(); });
    return menu;
}

void PasteWithinLength(QLineEdit* edit, QClipboard::Mode mode)
{
    const QByteArray start = ClipboardTextBytes(mode, ClipboardBytesFor(static_cast<size_t>(edit->maxLength())));
    if (!start.isEmpty() || edit->hasSelectedText())
        edit->insert(QString::fromUtf8(start));
}

bool LineEditPaste::eventFilter(QObject* watched, QEvent* event)
{
    // Every event of the program comes here: the few that paste go on.
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::ContextMenu && type != QEvent::MouseButtonRelease)
        return false;
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (!edit || edit->property(kOwnPaste).toBool())
        return false;
    switch (type) {
    case QEvent::KeyPress:
        if (!static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste) || edit->isReadOnly())
            return false;
        PasteWithinLength(edit, QClipboard::Clipboard);
        return true;
    case QEvent::ContextMenu:
        if (edit->contextMenuPolicy() != Qt::DefaultContextMenu)
            return false;
        MakeEditMenu(edit, [edit] {
            PasteWithinLength(edit, QClipboard::Clipboard);
        })->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::MiddleButton || edit->isReadOnly() ||
            !QGuiApplication::clipboard()->supportsSelection())
            return false;
        // Where the middle button was let go, as Qt's own field pastes.
        edit->deselect();
        edit->setCursorPosition(edit->cursorPositionAt(mouse->position().toPoint()));
        PasteWithinLength(edit, QClipboard::Selection);
        return true;
    }
    default:
        return false;
    }
}

} // namespace ombrel
