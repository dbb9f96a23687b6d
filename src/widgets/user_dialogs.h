#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <optional>

class QFileDialog;
class QWidget;
class QPrinter;

namespace ombrel {

enum class MessageKind { Confirm, Error, Information, Warning };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class Answer { Ok, Yes, No, Cancel };

// A file dialog as the program describes it. The filter uses the "Display|
// pattern|Display|pattern" pairs of the program's dialogs.
struct FileDialogRequest {
    QString title;
    QString filter;
    QString defaultSuffix;
    QString fileName;
    // Where the dialog starts when no file name says; empty for its own choice.
    QString folder;
    bool confirmOverwrite = false;
};

struct FontChoice {
    QFont font;
    QColor color;
};

// Every modal question the program asks goes through here, so tests can
// answer them without a dialog on screen.
class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    virtual Answer message(QWidget* parent, MessageKind kind, const QString& text, MessageButtons buttons) = 0;
    // An empty name means the user cancelled.
    virtual QString saveFileName(QWidget* parent, const FileDialogRequest& request) = 0;
    virtual QString openFileName(QWidget* parent, const FileDialogRequest& request) = 0;
    virtual std::optional<FontChoice> chooseFont(QWidget* parent, const FontChoice& initial) = 0;
    // Printer, copies, orientation and page range (offering the pages
    // firstPage to lastPage), kept in the printer when confirmed.
    virtual bool printerSetup(QWidget* parent, QPrinter& printer, int firstPage, int lastPage) = 0;

    void showError(QWidget* parent, const QString& text)
    {
        message(parent, MessageKind::Error, text, MessageButtons::Ok);
    }
};

// Asks where to save, starting from `previousName` (else in `folder`) and,
// unless the caller asks its own question, confirming an overwrite; a name
// typed without an extension gets `defaultSuffix`. Empty when the user cancels.
QString AskSaveFileName(UserDialogs& dialogs, QWidget* parent, const QString& filter, const QString& defaultSuffix,
                        const QString& previousName, const QString& folder = {}, bool confirmOverwrite = true);

// The real dialogs.
class QtUserDialogs : public UserDialogs {
public:
    Answer message(QWidget* parent, MessageKind kind, const QString& text, MessageButtons buttons) override;
    QString saveFileName(QWidget* parent, const FileDialogRequest& request) override;
    QString openFileName(QWidget* parent, const FileDialogRequest& request) override;
    std::optional<FontChoice> chooseFont(QWidget* parent, const FontChoice& initial) override;
    bool printerSetup(QWidget* parent, QPrinter& printer, int firstPage, int lastPage) override;
};

// Gives the dialog the filters of a "display|pattern|display|pattern" text
// such as "Ombrel File (*.obr)|*.obr|All Files (*.*)|*.*"; its list shows
// each display text exactly as written.
void setPipeFilter(QFileDialog& dialog, const QString& pipeFilter);

} // namespace ombrel
