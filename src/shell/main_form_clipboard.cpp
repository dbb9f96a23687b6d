// Copy and Paste through the system clipboard, the pop-up menus of the
// timecode fields, and the drop targets of drags from the lists.
#include "entry/entry_clipboard.h"
#include "entry/entry_panel.h"
#include "list/clipboard_text.h"
#include "list/drop_target.h"
#include "shell/calc_main_form.h"
#include "widgets/am_edit.h"
#include "widgets/clipboard_bytes.h"
#include "widgets/qt_text.h"
#include "widgets/status_panel.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

namespace ombrel {

void TCalcMainForm::Copy1Click()
{
    if (const auto text = CopyField(entry_, focusedEntryField()))
        copyToClipboard(toQt(*text));
    entryPanel_->show();
}

void TCalcMainForm::CopyDuration1Click()
{
    copyToClipboard(toQt(*CopyField(entry_, FrameMode1->isChecked() ? EntryField::FrameDur : EntryField::Duration)));
    entryPanel_->show();
}

void TCalcMainForm::Copy3Click()
{
    copyToClipboard(toQt(*CopyField(entry_, EntryField::Duration)));
    entryPanel_->show();
}

void TCalcMainForm::Paste1Click()
{
    const ClipboardPaste paste =
        ClipStoreText(ViewOf(ClipboardTextBytes(QClipboard::Clipboard, ClipboardBytesFor(kClipStoreLength))));
    ClipStore->setText(toQt(paste.text));
    if (PasteIntoField(entry_, focusedEntryField(), paste.text, EntrySeparator(activeFormat())) && paste.report)
        statusPanel_[0]->setText(Translated(*paste.report));
    entryPanel_->show();
}

void TCalcMainForm::copyToClipboard(const QString& text)
{
    ClipStore->setText(text);
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
    statusPanel_[0]->setText(Translated(CopyConfirmation(text.toStdString())));
}

void TCalcMainForm::wireClipboard()
{
    connect(Copy1, &QAction::triggered, this, &TCalcMainForm::Copy1Click);
    connect(CopyBtn, &QToolButton::clicked, this, [this] {
        Copy1Click();
        holdStatusOn(CopyBtn);
    });
    connect(Paste1, &QAction::triggered, this, &TCalcMainForm::Paste1Click);
    connect(PasteBtn, &QToolButton::clicked, this, &TCalcMainForm::Paste1Click);
    connect(CopyDuration1, &QAction::triggered, this, &TCalcMainForm::CopyDuration1Click);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    connect(PopupMenu1->addAction(tr("&Copy")), &QAction::triggered, this, &TCalcMainForm::Copy1Click);
    connect(PopupMenu1->addAction(tr("&Paste")), &QAction::triggered, this, &TCalcMainForm::Paste1Click);
    connect(PopupMenu1->addAction(tr("Clear")), &QAction::triggered, this, &TCalcMainForm::Clear1Click);
    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName("PopupMenu2");
    connect(PopupMenu2->addAction(tr("&Copy")), &QAction::triggered, this, &TCalcMainForm::Copy3Click);
    const auto popUp = [this](QLineEdit* field, QMenu* menu) {
        field->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(field, &QWidget::customContextMenuRequested, menu,
                [field, menu](QPoint at) { menu->popup(field->mapToGlobal(at)); });
    };
    popUp(MaskEdit1, PopupMenu1);
    popUp(MaskEdit2, PopupMenu1);
    popUp(MaskEdit3, PopupMenu2);

    const auto calcCount = [this] { return models_.calcCount(); };
    // A timecode dropped on the In or Out field is the new operand; the
    // drag's row is used up, so the trash cannot take it afterwards.
    const auto timecodeDrop = [this](EntryField field) {
        return [this, field](const TimecodeDrag& drag) {
            SetFieldText(*entry_.field(field), drag.DragText);
            SetFieldText(entry_.mini.display, drag.DragText);
            entryPanel_->focus(field);
            dragState_.DragRow.reset();
        };
    };
    makeDropTarget(MaskEdit1, DropTarget::TimecodeField, {calcCount, timecodeDrop(EntryField::In)});
    makeDropTarget(MaskEdit2, DropTarget::TimecodeField, {calcCount, timecodeDrop(EntryField::Out)});
    // Numbers go into the frame and percentage fields as they are.
    const auto numberDrop = [this](EntryField field) {
        return [this, field](const TimecodeDrag& drag) {
            SetFieldText(*entry_.field(field), drag.DragText);
            entryPanel_->show();
        };
    };
    makeDropTarget(FrameIn, DropTarget::NumberField, {calcCount, numberDrop(EntryField::FrameIn)});
    makeDropTarget(FrameOut, DropTarget::NumberField, {calcCount, [this, numberDrop](const TimecodeDrag& drag) {
                                                           // The Mini Calc goes on to the second operand.
                                                           FollowFocus(entry_, EntryField::FrameOut);
                                                           numberDrop(EntryField::FrameOut)(drag);
                                                       }});
    makeDropTarget(MaskEdit4, DropTarget::NumberField, {calcCount, numberDrop(EntryField::Percent)});
    makeDropTarget(CopyBtn, DropTarget::CopyButton, {calcCount, [this](const TimecodeDrag& drag) {
                                                         copyToClipboard(toQt(drag.DragText));
                                                         holdStatusOn(CopyBtn);
                                                     }});
    makeDropTarget(
        trash_, DropTarget::Trash,
        {calcCount, [this](const TimecodeDrag&) { TrashCloseDragDrop(); }, [this](bool over) { showTrashOpen(over); }});
}

} // namespace ombrel
