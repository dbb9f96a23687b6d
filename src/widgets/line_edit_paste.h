#pragma once

#include <QClipboard>
#include <QObject>

#include <functional>

class QLineEdit;
class QMenu;

namespace ombrel {

// Qt's one-line fields read the whole clipboard text for a paste, and
// again for their pop-up menu to know whether to offer Paste: a text of
// hundreds of megabytes freezes the window. These read no more of it than
// the field can hold.

// The pop-up menu of `edit`: Qt's own commands, in Qt's words and keys,
// with Paste offered when the clipboard offers text (without fetching it)
// and done by `paste`. It deletes itself once closed.
QMenu* MakeEditMenu(QLineEdit* edit, std::function<void()> paste);

// Pastes into `edit` as Qt's own paste does (at the cursor, over the
// selection, within the field's rules and maxLength), reading only the
// start of the text that the field's maxLength lets in.
void PasteWithinLength(QLineEdit* edit, QClipboard::Mode mode);

// Installed on the application, it gives every one-line field a paste
// that reads no more than that: the Paste keys, the pop-up menu and a
// middle click. A field with paste rules of its own sets kOwnPaste.
class LineEditPaste : public QObject {
public:
    using QObject::QObject;
    static constexpr const char* kOwnPaste = "ombrelOwnPaste";

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace ombrel
