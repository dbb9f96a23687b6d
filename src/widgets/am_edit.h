#pragma once

#include <QFlags>
#include <QLineEdit>
#include <QPointer>

namespace ombrel {

// The one-line field for plain numbers (frame counts, the percentage, the
// frame rates): a QLineEdit whose text can be aligned left, right or centre,
// and in which Enter or Escape can move the focus to the next or previous
// control.
//
// Owners decide which characters the field accepts. They hook in with
// setKeyFilter(owner) rather than installEventFilter(): the owner's
// eventFilter(field, event) is then called for every key press after the
// field has handled Enter and Escape, so with ksReturn set the owner never
// sees Enter. Returning true consumes the key; returning false lets the
// field edit its text as usual (within maxTypedLength). An owner that wants
// a different character typed inserts it itself and returns true.
//
// The length limit holds for typing only: text the program sets (results,
// recalls, loaded settings) keeps every character. Use setMaxTypedLength,
// never QLineEdit::setMaxLength, which also cuts setText.
class TAMEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(Alignment textAlignment READ textAlignment WRITE setTextAlignment NOTIFY textAlignmentChanged)
    Q_PROPERTY(KeySets keys READ keys WRITE setKeys)

public:
    enum Alignment { taLeftJustify, taRightJustify, taCenter };
    Q_ENUM(Alignment)
    enum KeySet { ksReturn = 0x1, ksEscape = 0x2 };
    Q_DECLARE_FLAGS(KeySets, KeySet)
    Q_FLAG(KeySets)

    explicit TAMEdit(QWidget* parent = nullptr);

    Alignment textAlignment() const { return textAlignment_; }
    // Setting the alignment the field already has does nothing.
    void setTextAlignment(Alignment alignment);

    KeySets keys() const { return keys_; }
    void setKeys(KeySets keys) { keys_ = keys; }

    int maxTypedLength() const { return maxTypedLength_; }
    void setMaxTypedLength(int length) { maxTypedLength_ = length; }

    QObject* keyFilter() const { return keyFilter_; }
    void setKeyFilter(QObject* filter) { keyFilter_ = filter; }

signals:
    void textAlignmentChanged(ombrel::TAMEdit::Alignment alignment);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool typesPastLimit(const QKeyEvent* event) const;

    Alignment textAlignment_ = taLeftJustify;
    int maxTypedLength_ = 32767;
    KeySets keys_;
    QPointer<QObject> keyFilter_;
};

} // namespace ombrel

Q_DECLARE_OPERATORS_FOR_FLAGS(ombrel::TAMEdit::KeySets)
