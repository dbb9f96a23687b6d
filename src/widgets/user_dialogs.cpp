#include "widgets/user_dialogs.h"

#include "widgets/display_font.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace ombrel {

void setPipeFilter(QFileDialog& dialog, const QString& pipeFilter)
{
    const QStringList parts = pipeFilter.split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1];
        pattern.replace(';', ' ');
        // Qt takes the patterns from the parentheses that end a filter and,
        // with the details hidden, shows the text before them.
        filters << parts[i].trimmed() + " (" + pattern + ")";
    }
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(filters);
}

Answer QtUserDialogs::message(QWidget* parent, MessageKind kind, const QString& text, MessageButtons buttons)
{
    QMessageBox box(parent);
    switch (kind) {
    case MessageKind::Confirm:
        box.setWindowTitle(QCoreApplication::translate("UserDialogs", "Confirm"));
        box.setIcon(QMessageBox::Question);
        break;
    case MessageKind::Error:
        box.setWindowTitle(QCoreApplication::translate("UserDialogs", "Error"));
        box.setIcon(QMessageBox::Critical);
        break;
    case MessageKind::Information:
        box.setWindowTitle(QCoreApplication::translate("UserDialogs", "Information"));
        box.setIcon(QMessageBox::Information);
        break;
    case MessageKind::Warning:
        box.setWindowTitle(QCoreApplication::translate("UserDialogs", "Warning"));
        box.setIcon(QMessageBox::Warning);
        break;
    }
    box.setText(text);
    QAbstractButton* yes = nullptr;
    QAbstractButton* no = nullptr;
    QAbstractButton* cancel = nullptr;
    if (buttons == MessageButtons::Ok) {
        box.setDefaultButton(box.addButton(QCoreApplication::translate("UserDialogs", "OK"), QMessageBox::AcceptRole));
    } else {
        yes = box.addButton(QCoreApplication::translate("UserDialogs", "&Yes"), QMessageBox::YesRole);
        no = box.addButton(QCoreApplication::translate("UserDialogs", "&No"), QMessageBox::NoRole);
        box.setDefaultButton(static_cast<QPushButton*>(yes));
        if (buttons == MessageButtons::YesNoCancel) {
            cancel = box.addButton(QCoreApplication::translate("UserDialogs", "Cancel"), QMessageBox::RejectRole);
            box.setEscapeButton(cancel);
        } else {
            box.setEscapeButton(no);
        }
    }
    box.exec();
    const QAbstractButton* clicked = box.clickedButton();
    if (buttons == MessageButtons::Ok)
        return Answer::Ok;
    if (clicked == yes)
        return Answer::Yes;
    if (clicked == no)
        return Answer::No;
    return buttons == MessageButtons::YesNoCancel ? Answer::Cancel : Answer::No;
}

QString AskSaveFileName(UserDialogs& dialogs, QWidget* parent, const QString& filter, const QString& defaultSuffix,
                        const QString& previousName, const QString& folder, bool confirmOverwrite)
{
    FileDialogRequest request;
    request.folder = folder;
    request.filter = filter;
    request.defaultSuffix = defaultSuffix;
    request.fileName = previousName;
    request.confirmOverwrite = confirmOverwrite;
    const QString chosen = dialogs.saveFileName(parent, request);
    if (chosen.isEmpty() || !QFileInfo(chosen).suffix().isEmpty())
        return chosen;
    return chosen + '.' + defaultSuffix;
}

namespace {

void prepare(QFileDialog& dialog, const FileDialogRequest& request)
{
    if (!request.title.isEmpty())
        dialog.setWindowTitle(request.title);
    setPipeFilter(dialog, request.filter);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.folder.isEmpty())
        dialog.setDirectory(request.folder);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
}

} // namespace

QString QtUserDialogs::saveFileName(QWidget* parent, const FileDialogRequest& request)
{
    QFileDialog dialog(parent);
    prepare(dialog, request);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

QString QtUserDialogs::openFileName(QWidget* parent, const FileDialogRequest& request)
{
    QFileDialog dialog(parent);
    prepare(dialog, request);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

std::optional<FontChoice> QtUserDialogs::chooseFont(QWidget* parent, const FontChoice& initial)
{
    bool accepted = false;
    // The dialog offers the font the lists really draw, stand-in included.
    const QFont chosen = QFontDialog::getFont(&accepted, displayFont(initial.font), parent);
    if (!accepted)
        return std::nullopt;
    const QFont font = storedFont(chosen, initial.font);
    // Qt's font dialog has no colour; ask for it right after, as the
    // platform font dialog of the original did in one step.
    const QColor color = QColorDialog::getColor(initial.color, parent, "Font Color");
    return FontChoice{font, color.isValid() ? color : initial.color};
}

bool QtUserDialogs::printerSetup(QWidget* parent, QPrinter& printer, int firstPage, int lastPage)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle("Printer Setup");
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setMinMax(firstPage, lastPage);
    // The choices are kept for the prints to come; this button prints nothing.
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QCoreApplication::translate("UserDialogs", "OK"));
    return dialog.exec() == QDialog::Accepted;
}

} // namespace ombrel
