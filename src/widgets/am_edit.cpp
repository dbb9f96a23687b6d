#include "widgets/am_edit.h"

#include <QKeyEvent>

namespace ombrel {

namespace {

Qt::Alignment qtAlignment(TAMEdit::Alignment alignment)
{
    switch (alignment) {
    case TAMEdit::taRightJustify:
        return Qt::AlignRight | Qt::AlignVCenter;
    case TAMEdit::taCenter:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case TAMEdit::taLeftJustify:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

bool isEnter(const QKeyEvent* event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

} // namespace

TAMEdit::TAMEdit(QWidget* parent) : QLineEdit(parent)
{
    setAlignment(qtAlignment(textAlignment_));
}

void TAMEdit::setTextAlignment(Alignment alignment)
{
    if (alignment == textAlignment_)
        return;
    textAlignment_ = alignment;
    setAlignment(qtAlignment(alignment));
    emit textAlignmentChanged(alignment);
}

void TAMEdit::keyPressEvent(QKeyEvent* event)
{
    // Enter and Escape turned into focus moves come before the owner's
    // filter, which therefore never sees them.
    if (keys_.testFlag(ksReturn) && isEnter(event)) {
        event->accept();
        focusNextChild();
        return;
    }
    if (keys_.testFlag(ksEscape) && event->key() == Qt::Key_Escape) {
        event->accept();
        focusPreviousChild();
        return;
    }
    if (keyFilter_ && keyFilter_->eventFilter(this, event)) {
        event->accept();
        return;
    }
    if (typesPastLimit(event)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

bool TAMEdit::typesPastLimit(const QKeyEvent* event) const
{
    const QString typed = event->text();
    if (typed.isEmpty() || !typed.front().isPrint())
        return false;
    return text().size() - selectedText().size() + typed.size() > maxTypedLength_;
}

} // namespace ombrel
