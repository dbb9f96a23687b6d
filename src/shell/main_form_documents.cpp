// Saving and opening the whole work as a calculation file, the question
// that guards it, dropped files and the command line.
#include "documents/calc_file.h"
#include "documents/calc_file_io.h"
#include "documents/edl_file.h"
#include "documents/edl_sheet.h"
#include "documents/recovery_files.h"
#include "shell/calc_main_form.h"
#include "shell/command_line.h"
#include "shell/recent_files_menu.h"
#include "widgets/background_task.h"
#include "widgets/qt_text.h"
#include "widgets/user_dialogs.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QTableView>
#include <QToolButton>

#include <functional>
#include <new>
#include <optional>

namespace ombrel {

namespace {

const char* const kSaveFilter =
    QT_TRANSLATE_NOOP("ombrel::TCalcMainForm", "Ombrel File (*.obr)|*.obr|Text File (.txt)|*.txt|All Files (*.*)|*.*");
const char* const kOpenFilter =
    QT_TRANSLATE_NOOP("ombrel::TCalcMainForm", "Ombrel Files (*.obr)|*.obr|Edit decision lists (*.edl)|*.edl|Text "
                                               "File (*.txt)|*.txt|All Files (*.*)|*.*");

// Edit decision lists are known by their name: any other file opens as a
// calculation file, which says so when it is not one.
bool isEditDecisionList(const QString& name)
{
    return name.endsWith(".edl", Qt::CaseInsensitive);
}

// Runs `read`, which fills `result` (a file's contents, or why not), off the
// window's thread. True when it was read; false when the user stopped it,
// and false after telling the user why when it could not be.
template <typename Result>
bool readOffThread(BackgroundTask& task, UserDialogs& dialogs, QWidget* parent, std::optional<Result>& result,
                   const std::function<void(const BackgroundTask::Progress&)>& read)
{
    try {
        task.run(read);
    } catch (const std::bad_alloc&) {
        result.emplace().error = {OMBREL_TEXT("ombrel", "There is not enough memory to open this file."), {}};
    }
    if (!result)
        return false;
    if (!result->ok()) {
        dialogs.showError(parent, Translated(result->error));
        return false;
    }
    return true;
}

} // namespace

bool TCalcMainForm::Save1Click()
{
    // The question before replacing a file is ours: it says when the file
    // changed on disk since this window had it.
    const QString chosen =
        AskSaveFileName(dialogs_, this, tr(kSaveFilter), "obr", saveName_, recentFiles_->folder(), false);
    if (chosen.isEmpty())
        return false;
    saveName_ = chosen;
    if (!workFile_.confirmSaving(saveName_, [&] {
            std::optional<uint64_t> hash;
            fileTask_->run([&](const BackgroundTask::Progress&) { hash = HashFileContent(saveName_); });
            return hash;
        }))
        return false;
    recovery_->journal().setFileName(QFile::encodeName(saveName_).toStdString());
    SaveOutcome outcome;
    try {
        fileTask_->run([&](const BackgroundTask::Progress& progress) {
            outcome = SaveCalcFile(saveName_, sheet(), state_.rates, progress);
        });
    } catch (const std::bad_alloc&) {
        outcome.error = tr("There is not enough memory to save the work.");
    }
    if (!outcome.error.isEmpty())
        dialogs_.showError(this, outcome.error);
    if (!outcome.saved)
        return false;
    workFile_.saved(saveName_, outcome.written);
    models_.setWorkModified(false);
    recentFiles_->remember(saveName_);
    return true;
}

bool TCalcMainForm::saveCurrentWorkPrompt()
{
    if (models_.calcCount() == 0 || !models_.workModified())
        return true;
    switch (dialogs_.message(this, MessageKind::Confirm, tr("Save Current Work?"), MessageButtons::YesNoCancel)) {
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
    QString name = pendingOpenName_;
    if (name.isEmpty() && openFromCommandLine_) {
        name = commandLine_.first();
    } else if (name.isEmpty()) {
        FileDialogRequest request;
        request.title = tr("Open Ombrel File");
        request.filter = tr(kOpenFilter);
        request.defaultSuffix = "obr";
        request.folder = recentFiles_->folder();
        name = dialogs_.openFileName(this, request);
    }
    // An edit decision list becomes new work, of no file that could be locked.
    const bool editDecisionList = isEditDecisionList(name);
    if (editDecisionList && !importEditDecisionList(name))
        return;
    // Declined because another Ombrel has it: as if no file was chosen.
    if (!name.isEmpty() && !editDecisionList && !workFile_.claimForOpening(name))
        name.clear();
    if (!name.isEmpty() && !editDecisionList && !readCalculationFile(name)) {
        workFile_.dropClaim();
        return;
    }
    pendingOpenName_.clear();
    EditBtn->setChecked(false);
    ActivateDragMode();
    // Descriptions are edited only where there are rows.
    EditBtn->setEnabled(models_.calcCount() > 0);
}

// The whole file is read and checked, off the window's thread, before
// anything changes; a stopped open changes nothing either.
bool TCalcMainForm::readCalculationFile(const QString& name)
{
    std::optional<CalcFileContents> contents;
    FileFingerprint read;
    if (!readOffThread(*fileTask_, dialogs_, this, contents, [&](const BackgroundTask::Progress& progress) {
            contents = OpenCalcFile(name, progress, &read);
        }))
        return false;
    // Undo of the Open gives the file before back, with its lock; redo
    // takes the opened one again.
    models_.replaceSheet(std::move(contents->sheet), workFileSwap(workFile_.heldOpened(name, read)));
    contents.reset();
    showOpenedWork(name);
    return true;
}

std::function<void()> TCalcMainForm::workFileSwap(WorkFile::Held file)
{
    return [this, file = std::make_shared<WorkFile::Held>(std::move(file))] {
        workFile_.swap(*file);
        recovery_->journal().setFileName(QFile::encodeName(workFile_.path()).toStdString());
    };
}

// After an Open or an import: the file is remembered and the lists show
// the last rows of the new work.
void TCalcMainForm::showOpenedWork(const QString& name)
{
    recentFiles_->remember(name);
    dragState_.DragRow.reset();
    setListCommandsEnabled(true);
    scrollListsToLastRows();
    updateStatusBar();
}

// The events become rows on the active tab, off the window's thread; the
// work is then unsaved and belongs to no file, so Save asks for a name
// (offering the list's own with .obr) and never writes over the list.
bool TCalcMainForm::importEditDecisionList(const QString& name)
{
    const std::string shownName = QDir::toNativeSeparators(name).toStdString();
    const TimecodeFormat tab = activeFormat();
    const LabelStyle labels = labelStyle_;
    const Rates rates = state_.rates;
    std::optional<EdlSheet> imported;
    if (!readOffThread(*fileTask_, dialogs_, this, imported, [&](const BackgroundTask::Progress& progress) {
            std::string why;
            const std::optional<EdlContents> edl = ReadEdlFile(QFile::encodeName(name).toStdString(), why);
            if (!edl)
                imported.emplace().error = {OMBREL_TEXT("ombrel", "Cannot open %1: %2."), {shownName, why}};
            else if (!edl->ok())
                imported.emplace().error = {OMBREL_TEXT("ombrel", "%1: %2."), {shownName, edl->error}};
            else
                imported = EdlToSheet(*edl, tab, labels, rates, progress);
        }))
        return false;
    // The work before keeps its file, lock included, for an undo.
    models_.importSheet(std::move(imported->sheet), workFileSwap({}));
    const QFileInfo list(name);
    saveName_ = list.dir().filePath(list.completeBaseName() + ".obr");
    recovery_->journal().setFileName(QFile::encodeName(saveName_).toStdString());
    imported.reset();
    showOpenedWork(name);
    return true;
}

// A recent file goes through Open as a dropped one does: the save question
// first, and nothing kept for later when it is cancelled.
void TCalcMainForm::openRecentFile(const QString& name)
{
    pendingOpenName_ = name;
    Open1Click();
    pendingOpenName_.clear();
}

void TCalcMainForm::reportFilesNotOpened()
{
    if (commandLine_.size() < 2)
        return;
    std::vector<std::string> files;
    for (const QString& file : commandLine_)
        files.push_back(QDir::toNativeSeparators(file).toStdString());
    dialogs_.message(this, MessageKind::Information, Translated(FilesNotOpenedText(files)), MessageButtons::Ok);
}

bool TCalcMainForm::FormCloseQuery()
{
    if (!saveCurrentWorkPrompt())
        return false;
    // Saved, or given up: nothing is left to recover.
    recovery_->journal().discard();
    return true;
}

void TCalcMainForm::setRecoveryJournalEnabled(bool enabled)
{
    if (!enabled)
        recovery_->journal().discard();
    models_.setJournal(enabled ? &recovery_->journal() : nullptr);
}

void TCalcMainForm::reportJournalFailure(const std::string& error)
{
    dialogs_.message(this, MessageKind::Warning,
                     QString("The unsaved work can no longer be kept for recovery after a crash: %1.\n\nSave the work "
                             "to keep it safe.")
                         .arg(toQt(error)),
                     MessageButtons::Ok);
}

void TCalcMainForm::offerRecovery()
{
    for (RecoveryFiles::Left& left : recovery_->leftJournals()) {
        std::optional<RecoveredWork> work;
        try {
            fileTask_->run([&](const BackgroundTask::Progress&) {
                work = ReadRecoveryJournal(QFile::encodeName(left.path).toStdString());
            });
        } catch (const std::bad_alloc&) {
            dialogs_.showError(this, tr("There is not enough memory to recover the unsaved work."));
            continue;
        }
        if (!work || !work->readable || work->sheet.rowCount() == 0) {
            RecoveryFiles::remove(left);
            continue;
        }
        const QString when = QFileInfo(left.path).lastModified().toString("d MMM yyyy h:mm:ss AP");
        // The count in the status bar's own words, which need no plural form.
        QString text = tr("Ombrel did not end cleanly. Its unsaved work, last changed %1, can be recovered "
                          "(Total Calculations: %2).")
                           .arg(when)
                           .arg(work->sheet.rowCount());
        if (work->damaged)
            text += tr(" The end of the record is damaged: every whole change before it is recovered.");
        text += tr("\n\nRecover this work?");
        if (dialogs_.message(this, MessageKind::Confirm, text, MessageButtons::YesNo) == Answer::Yes) {
            saveName_ = QFile::decodeName(QByteArray::fromStdString(work->fileName));
            recovery_->journal().setFileName(work->fileName);
            models_.replaceSheet(std::move(work->sheet));
            models_.setWorkModified(true);
            // Ours holds the work before the old record goes.
            recovery_->journal().flush();
            RecoveryFiles::remove(left);
            showSheet();
            scrollListsToLastRows();
            return;
        }
        if (dialogs_.message(this, MessageKind::Confirm, tr("Discard the unsaved work for good?"),
                             MessageButtons::YesNo) == Answer::Yes)
            RecoveryFiles::remove(left);
    }
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
    pendingOpenName_ = urls.first().toLocalFile();
    if (!pendingOpenName_.isEmpty())
        Open1Click();
}

} // namespace ombrel
