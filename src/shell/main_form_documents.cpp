// Saving and opening the whole work as a calculation file, the question
// that guards it, dropped files and the command line.
#include "documents/calc_file.h"
#include "documents/calc_file_io.h"
#include "shell/calc_main_form.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTableView>
#include <QToolButton>

namespace ombrel {

namespace {

const QString kSaveFilter = "Ombrel File (*.obr)|*.obr|Text File (.txt)|*.txt|All Files (*.*)|*.*";
const QString kOpenFilter = "Ombrel Files (*.obr)|*.obr|Text File (*.txt)|*.txt|All Files (*.*)|*.*";

QString withDefaultExtension(const QString& name)
{
    return QFileInfo(name).suffix().isEmpty() ? name + ".obr" : name;
}

} // namespace

bool TCalcMainForm::Save1Click()
{
    FileDialogRequest request;
    request.filter = kSaveFilter;
    request.defaultSuffix = "obr";
    request.fileName = saveName_;
    request.confirmOverwrite = true;
    const QString chosen = dialogs_.saveFileName(this, request);
    if (chosen.isEmpty())
        return false;
    saveName_ = withDefaultExtension(chosen);
    const auto pieces = WriteCalcFilePieces(sheet_, state_.rates.userRate, state_.rates.framesRate);
    if (const auto error = SaveFileBytes(saveName_, pieces)) {
        dialogs_.showError(this, *error);
        return false;
    }
    state_.WorkModified = false;
    return true;
}

bool TCalcMainForm::saveCurrentWorkPrompt()
{
    if (state_.CalcCount == 0 || !state_.WorkModified)
        return true;
    switch (dialogs_.message(this, MessageKind::Confirm, "Save Current Work?", MessageButtons::YesNoCancel)) {
    case Answer::Yes:
        // The user asked to keep the work: without a completed save, nothing
        // goes on that would throw it away.
        return Save1Click();
    case Answer::No:
        return true;
    default:
        return false;
    }
}

void TCalcMainForm::Open1Click()
{
    if (!saveCurrentWorkPrompt())
        return;
    QString name = PendingOpenName;
    if (name.isEmpty() && openFromCommandLine_) {
        name = commandLine_.join(' ');
    } else if (name.isEmpty()) {
        FileDialogRequest request;
        request.title = "Open Ombrel File";
        request.filter = kOpenFilter;
        request.defaultSuffix = "obr";
        name = dialogs_.openFileName(this, request);
    }
    if (!name.isEmpty() && !readCalculationFile(name))
        return;
    PendingOpenName.clear();
    EditBtn->setChecked(false);
    for (QTableView* grid : StringGrid)
        grid->clearSelection();
    EditBtn->setEnabled(true);
}

// The whole file is read and checked before anything changes.
bool TCalcMainForm::readCalculationFile(const QString& name)
{
    QByteArray bytes;
    if (const auto error = ReadFileBytes(name, bytes)) {
        dialogs_.showError(this, *error);
        return false;
    }
    CalcFileContents contents = ReadCalcFile(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    if (!contents.ok()) {
        dialogs_.showError(this, QString::fromStdString(contents.error));
        return false;
    }
    models_.replaceSheet(std::move(contents.sheet));
    state_.CalcCount = sheet_.rowCount();
    state_.DragRow = state_.CalcCount + 1;
    state_.WorkModified = false;
    setListCommandsEnabled(true);
    for (QTableView* grid : StringGrid)
        scrollToLastRows(grid);
    return true;
}

bool TCalcMainForm::FormCloseQuery()
{
    return saveCurrentWorkPrompt();
}

void TCalcMainForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls() && event->mimeData()->urls().first().isLocalFile())
        event->acceptProposedAction();
}

// Only the first of several dropped files is opened.
void TCalcMainForm::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty())
        return;
    event->acceptProposedAction();
    PendingOpenName = urls.first().toLocalFile();
    if (!PendingOpenName.isEmpty())
        Open1Click();
}

} // namespace ombrel
