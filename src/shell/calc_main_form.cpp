#include "shell/calc_main_form.h"

#include "documents/export_form.h"
#include "documents/recovery_files.h"
#include "engine/format_info.h"
#include "entry/entry_panel.h"
#include "list/calc_grid.h"
#include "list/list_headers.h"
#include "minicalc/mini_calc_form.h"
#include "printing/print_form.h"
#include "settings/grid_layout.h"
#include "settings/settings_sections.h"
#include "shell/compact_tab_style.h"
#include "shell/function_key_bar.h"
#include "shell/recent_files_menu.h"
#include "widgets/accessible_role.h"
#include "widgets/am_edit.h"
#include "widgets/background_task.h"
#include "widgets/calc_button.h"
#include "widgets/display_font.h"
#include "widgets/icons.h"
#include "widgets/qt_text.h"
#include "widgets/status_panel.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QShowEvent>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWindow>
#include <QtMath>

#include <algorithm>
#include <iterator>
#include <utility>

namespace ombrel {

namespace {

constexpr int kClientHeight = 375;
// Client width of the window for the default column widths.
constexpr int kClientWidth = 331;

constexpr QSize kTrashPictureSize(32, 32);

QAction* addMenuItem(QMenu* menu, const char* objectName, const QString& caption, const QKeySequence& shortcut = {})
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(objectName);
    action->setShortcut(shortcut);
    // The menu's shortcuts serve every window of the program.
    action->setShortcutContext(Qt::ApplicationShortcut);
    return action;
}

QAction* addCheckable(QMenu* menu, const char* objectName, const QString& caption, bool checked,
                      const QKeySequence& shortcut = {})
{
    QAction* action = addMenuItem(menu, objectName, caption, shortcut);
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}

template <typename Field = QLineEdit> Field* makeField(QWidget* parent, const char* objectName, QRect geometry)
{
    auto* field = new Field(parent);
    field->setObjectName(objectName);
    field->setGeometry(geometry);
    return field;
}

} // namespace

TCalcMainForm::TCalcMainForm(UserDialogs& dialogs, AppSettings& settings, SettingsStore& store, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs), settings_(settings), store_(store)
{
    setObjectName("CalcMainForm");
    setAcceptDrops(true);
    setWindowTitle("Ombrel");
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    buildMenus();
    buildToolBar();
    buildFunctionKeys();
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildLists(), 1);
    layout->addWidget(buildEntryBand());
    layout->addWidget(buildCalculateBand());
    setCentralWidget(central);
    buildStatusBar();
    wireCommands();
    list(activeFormat());
    recovery_ = std::make_unique<RecoveryFiles>();
    models_.setJournal(&recovery_->journal());
    recovery_->journal().setFailureHandler([this](const std::string& error) {
        QMetaObject::invokeMethod(
            this, [this, error] { reportJournalFailure(error); }, Qt::QueuedConnection);
    });

    // Large fonts need wider columns and a taller window.
    const ColumnAllowances allowances = AllowancesFor(screen()->logicalDotsPerInch() >= 100);
    TimecodeColumnAllowance = allowances.timecode;
    NarrowColumnAllowance = allowances.narrow;
    setFixedSize(kClientWidth, kClientHeight);
    if (TimecodeColumnAllowance > 0)
        setFixedHeight(502 - (frameGeometry().height() - geometry().height()));
    FormCreate();
    followOtherPrograms();
}

TCalcMainForm::~TCalcMainForm()
{
    models_.setJournal(nullptr);
}

void TCalcMainForm::buildMenus()
{
    MainMenu1 = menuBar();
    MainMenu1->setObjectName("MainMenu1");

    QMenu* file = MainMenu1->addMenu(tr("&File"));
    New1 = addMenuItem(file, "New1", tr("&New"), QKeySequence(Qt::CTRL | Qt::Key_N));
    Open1 = addMenuItem(file, "Open1", tr("&Open..."), QKeySequence(Qt::CTRL | Qt::Key_O));
    OpenRecent1 = file->addMenu(tr("Open Recen&t"));
    OpenRecent1->setObjectName("OpenRecent1");
    recentFiles_ =
        new RecentFilesMenu(OpenRecent1, store_, dialogs_, this, [this](const QString& name) { openRecentFile(name); });
    Save1 = addMenuItem(file, "Save1", tr("&Save.."), QKeySequence(Qt::CTRL | Qt::Key_S));
    Export1 = addMenuItem(file, "Export1", tr("&Export..."), QKeySequence(Qt::CTRL | Qt::Key_E));
    file->addSeparator();
    Print1 = addMenuItem(file, "Print1", tr("&Print..."), QKeySequence(Qt::CTRL | Qt::Key_P));
    PrintPreview1 = addMenuItem(file, "PrintPreview1", tr("Print Pre&view"));
    PrintSetup1 = addMenuItem(file, "PrintSetup1", tr("P&rinter Setup..."));
    file->addSeparator();
    Preferences1 = addMenuItem(file, "Preferences1", tr("Pre&ferences..."));
    MiniCalc1 = addCheckable(file, "MiniCalc1", tr("&Mini Calc"), false, QKeySequence(Qt::CTRL | Qt::Key_M));
    file->addSeparator();
    Exit1 = addMenuItem(file, "Exit1", tr("E&xit"), QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* edit = MainMenu1->addMenu(tr("&Edit"));
    // Ctrl+Z and Ctrl+X already mean Frame Mode and Clear.
    Undo1 = addMenuItem(edit, "Undo1", tr("&Undo"), QKeySequence(Qt::ALT | Qt::Key_Backspace));
    Redo1 = addMenuItem(edit, "Redo1", tr("&Redo"), QKeySequence(Qt::SHIFT | Qt::ALT | Qt::Key_Backspace));
    edit->addSeparator();
    Copy1 = addMenuItem(edit, "Copy1", tr("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C));
    Paste1 = addMenuItem(edit, "Paste1", tr("&Paste"), QKeySequence(Qt::CTRL | Qt::Key_V));
    Clear1 = addMenuItem(edit, "Clear1", tr("C&lear"), QKeySequence(Qt::CTRL | Qt::Key_X));
    CopyDuration1 = addMenuItem(edit, "CopyDuration1", tr("Copy &Duration"), QKeySequence(Qt::CTRL | Qt::Key_B));
    edit->addSeparator();
    Sort1 = addMenuItem(edit, "Sort1", tr("Sor&t..."), QKeySequence(Qt::CTRL | Qt::Key_T));
    Find1 = addMenuItem(edit, "Find1", tr("&Find..."), QKeySequence(Qt::CTRL | Qt::Key_F));
    edit->addSeparator();
    ValidityCheck =
        addCheckable(edit, "ValidityCheck", tr("&Range Checking"), true, QKeySequence(Qt::CTRL | Qt::Key_R));

    QMenu* view = MainMenu1->addMenu(tr("&View"));
    Descriptions1 = addCheckable(view, "Descriptions1", tr("&Descriptions"), false, QKeySequence(Qt::CTRL | Qt::Key_D));
    Percentages1 = addCheckable(view, "Percentages1", tr("&Percentages"), true);
    view->addSeparator();
    FrameMode1 = addCheckable(view, "FrameMode1", tr("Fr&ame Mode"), false, QKeySequence(Qt::CTRL | Qt::Key_Z));

    QMenu* help = MainMenu1->addMenu(tr("&Help"));
    Contents1 = addMenuItem(help, "Contents1", tr("&Contents"));
    Index1 = addMenuItem(help, "Index1", tr("&Index"));
    help->addSeparator();
    Balloon1 = addCheckable(help, "Balloon1", tr("Show Balloon Help"), true);
    help->addSeparator();
    About1 = addMenuItem(help, "About1", tr("&About..."));
}

void TCalcMainForm::buildToolBar()
{
    ToolBar1 = addToolBar(tr("Commands"));
    ToolBar1->setObjectName("ToolBar1");
    ToolBar1->setMovable(false);
    ToolBar1->setIconSize(QSize(20, 20));
    ToolBar1->layout()->setSpacing(0);
    ToolBar1->layout()->setContentsMargins(2, 1, 2, 1);
    const auto button = [this](const char* objectName, const QString& hint, const char* picture) {
        auto* b = new QToolButton(ToolBar1);
        b->setObjectName(objectName);
        b->setIcon(toolbarIcon(picture));
        b->setToolTip(hint);
        b->setAccessibleName(hint);
        b->setAutoRaise(true);
        b->setFixedSize(25, 25);
        ToolBar1->addWidget(b);
        followWindowHints(b);
        return b;
    };
    NewBtn = button("NewBtn", tr("New"), "new");
    OpenBtn = button("OpenBtn", tr("Open"), "open");
    SaveBtn = button("SaveBtn", tr("Save"), "save");
    ExportBtn = button("ExportBtn", tr("Export"), "export");
    PrintBtn = button("PrintBtn", tr("Print"), "print");
    ToolBar1->addSeparator();
    ClearBtn = button("ClearBtn", tr("Clear"), "clear");
    CopyBtn = button("CopyBtn", tr("Copy"), "copy");
    PasteBtn = button("PasteBtn", tr("Paste"), "paste");
    FindBtn = button("FindBtn", tr("Find"), "find");
    SortBtn = button("SortBtn", tr("Sort"), "sort");
    ToolBar1->addSeparator();
    MiniBtn = button("MiniBtn", tr("Mini Calculator"), "mini");
    ExitBtn = button("ExitBtn", tr("Exit"), "exit");

    setHoverText(NewBtn, tr("Erase all timecode values from grids"));
    setHoverText(OpenBtn, tr("Open Ombrel file"));
    setHoverText(SaveBtn, tr("Save Ombrel file"));
    setHoverText(ExportBtn, tr("Export individual formats"));
    setHoverText(PrintBtn, tr("Print timecode"));
    setHoverText(ClearBtn, tr("Clear edit boxes"));
    setHoverText(CopyBtn, tr("Copy selection to clipboard"));
    setHoverText(PasteBtn, tr("Paste from clipboard"));
    setHoverText(FindBtn, tr("Find timecode or description"));
    setHoverText(SortBtn, tr("Toggle to sort entries, then click header"));
    setHoverText(MiniBtn, tr("Activate mini calculator"));
    setHoverText(ExitBtn, tr("Exit"));
}

void TCalcMainForm::buildFunctionKeys()
{
    addToolBarBreak();
    ToolBar2 = new FunctionKeyBar({settings_, store_, dialogs_, [this] { return EntrySeparator(activeFormat()); },
                                   [this](const QString& text) { statusPanel_[0]->setText(text); },
                                   [this] { return models_.calcCount(); }},
                                  this);
    addToolBar(ToolBar2);
    setHoverText(ToolBar2->ProgF, tr("Program Function Key or Shift + Function Key"));
    followWindowHints(ToolBar2->ProgF);
}

QWidget* TCalcMainForm::buildLists()
{
    Panel3 = new QWidget(this);
    Panel3->setObjectName("Panel3");
    auto* layout = new QVBoxLayout(Panel3);
    layout->setContentsMargins(2, 2, 2, 0);
    PageControl1 = new QTabWidget(Panel3);
    PageControl1->setObjectName("PageControl1");
    PageControl1->setUsesScrollButtons(false);
    // Captions longer than the window (a translation) shorten rather than push
    // the last tabs out of sight.
    PageControl1->setElideMode(Qt::ElideRight);
    PageControl1->setDocumentMode(true);
    // Six tabs share the narrow window: keep them compact.
    UseCompactTabs(PageControl1->tabBar());
    QFont tabFont = PageControl1->font();
    tabFont.setPointSizeF(7.5);
    PageControl1->tabBar()->setFont(tabFont);
    layout->addWidget(PageControl1);

    // The lists themselves are made when first needed: the tab bar shows
    // all six tabs, the first paint only one list.
    for (int f = 0; f < kFormatCount; ++f) {
        auto* page = new QWidget;
        page->setObjectName(QString("TabSheet%1").arg(f + 1));
        auto* pageLayout = new QVBoxLayout(page);
        pageLayout->setContentsMargins(0, 0, 0, 0);
        TabSheet[f] = page;
        page->installEventFilter(this);
        PageControl1->addTab(page, Translated(kWindowFormats[f].tabCaption));
    }
    QFont listFont = displayFont("MS Sans Serif", 11);
    listFont.setBold(true);
    listLooks_.fill({{listFont, QColor(0x00, 0x00, 0x80)}, std::nullopt});
    models_.setHeaderLabels(tr("Out"), tr("In"), tr("Duration"));
    return Panel3;
}

CalcGrid* TCalcMainForm::list(TimecodeFormat format)
{
    const int f = FormatIndex(format);
    if (!lists_[f])
        makeList(f);
    return lists_[f];
}

std::vector<CalcGrid*> TCalcMainForm::madeLists() const
{
    std::vector<CalcGrid*> made;
    std::copy_if(lists_.begin(), lists_.end(), std::back_inserter(made), [](CalcGrid* grid) { return grid; });
    return made;
}

void TCalcMainForm::makeList(int format)
{
    QWidget* page = TabSheet[format];
    auto* grid = new CalcGrid(models_.model(FormatAt(format)), dragState_, page);
    lists_[format] = grid;
    showListLook(format);

    // The list's own header is the header bar above it: one section per
    // column, and the last one toggles the descriptions. It keeps the
    // window's font whatever font the list is given: every property set on
    // it, none is taken over from the list. Being the window's font in every
    // property, the style hint too, it also shares the font already loaded.
    QFont windowFont = font();
    windowFont.setResolveMask(QFont::AllPropertiesResolved);
    QHeaderView* header = grid->horizontalHeader();
    header->setObjectName(QString("HeaderControl%1").arg(format + 1));
    header->setFont(windowFont);
    header->setToolTip(tr("Drag bars"));
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    headers_->addList(format, grid);
    setHoverText(header, tr("Slide bars to resize columns"));
    followWindowHints(header);
    setHoverText(grid->viewport(), tr("Drag timecode from grid or right click to copy"));
    connect(grid, &CalcGrid::cellCopied, this, [this, grid](const QString& text) {
        copyToClipboard(text);
        if (grid->viewport()->underMouse())
            holdStatusOn(grid->viewport());
    });
    connect(grid, &CalcGrid::pasteReported, this, [this](const QString& text) { statusPanel_[0]->setText(text); });
    connect(grid, &CalcGrid::rowDeleteRequested, this, [this](int row) {
        dragState_.DragRow = row;
        TrashCloseDragDrop();
    });
    connect(grid, &CalcGrid::leaveRequested, this, [this] { entryPanel_->focus(EntryField::In); });
    grid->setAccessibleName(PageControl1->tabText(format));
    if (descriptionEditMode_) {
        grid->setCurrentIndex(grid->model()->index(int(models_.calcCount()) - 1, DescriptionColumn));
        grid->setEditMode(true);
    }

    // Shown with its page, and placed at once when that is in sight.
    grid->show();
    page->layout()->addWidget(grid);
    page->layout()->setAlignment(grid, Qt::AlignHCenter);
    page->layout()->activate();
}

QWidget* TCalcMainForm::buildEntryBand()
{
    // The band is laid out for 96 pixels per inch. On a large-font screen
    // the fields move apart as the labels above them do (the label sets add
    // to their left positions) and widen to show a whole timecode.
    const qreal scale = std::max<qreal>(1, screen()->logicalDotsPerInch() / 96);
    const auto at = [scale](int designed) { return qRound(designed * scale); };

    Panel1 = new QWidget(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFixedHeight(at(50));

    const auto label = [this](const char* objectName, const QString& text, int left) {
        auto* l = new QLabel(text, Panel1);
        l->setObjectName(objectName);
        l->move(left, 3);
        return l;
    };
    Label1 = label("Label1", tr("Out"), 42);
    Label2 = label("Label2", tr("In"), 175);
    Label4 = label("Label4", tr("Duration"), 252);

    QFont fieldFont("DejaVu Sans Mono", 9);
    fieldFont.setStyleHint(QFont::Monospace);
    fieldFont.setBold(true);

    // The frame and the line edit's inner margins take 8 pixels.
    const int timecodeWidth = qCeil(QFontMetricsF(fieldFont).horizontalAdvance("00:00:00:00")) + 8;
    const int width = std::max(88, timecodeWidth);
    const int top = at(20);
    const int height = at(24);
    MaskEdit1 = makeField(Panel1, "MaskEdit1", {at(4), top, width, height});
    OperandCombo = new QComboBox(Panel1);
    OperandCombo->setObjectName("OperandCombo");
    OperandCombo->setGeometry(at(95), top, at(40), height);
    // The role first: a name set first makes Qt's own interface, which names
    // the list by its item.
    SetAccessibleRole(OperandCombo, QAccessible::ComboBox);
    OperandCombo->setAccessibleName(tr("Operator"));
    for (int op = 0; op < kOperatorCount; ++op)
        OperandCombo->addItem(QString::fromLatin1(OperatorText(static_cast<Operator>(op)).data(), 1));
    MaskEdit2 = makeField(Panel1, "MaskEdit2", {at(138), top, width, height});
    Label3 = new QLabel("=", Panel1);
    Label3->setObjectName("Label3");
    Label3->setGeometry(at(228), top, at(10), height);
    Label3->setAlignment(Qt::AlignCenter);
    MaskEdit3 = makeField(Panel1, "MaskEdit3", {at(239), top, width, height});
    // Typing never edits a timecode field directly: every key goes through
    // the key procedures, which rewrite the whole text.
    for (QLineEdit* field : {MaskEdit1, MaskEdit2, MaskEdit3})
        field->setReadOnly(true);

    FrameIn = makeField<TAMEdit>(Panel1, "FrameIn", MaskEdit1->geometry());
    FrameOut = makeField<TAMEdit>(Panel1, "FrameOut", MaskEdit2->geometry());
    FrameDur = makeField<TAMEdit>(Panel1, "FrameDur", MaskEdit3->geometry());
    MaskEdit4 = makeField<TAMEdit>(Panel1, "MaskEdit4", MaskEdit1->geometry());
    FrameIn->setMaxTypedLength(9);
    FrameOut->setMaxTypedLength(9);
    FrameDur->setReadOnly(true);
    MaskEdit4->setMaxTypedLength(9);
    for (QLineEdit* field :
         std::initializer_list<QLineEdit*>{MaskEdit1, MaskEdit2, MaskEdit3, FrameIn, FrameOut, FrameDur, MaskEdit4})
        field->setFont(fieldFont);
    for (TAMEdit* field : {FrameIn, FrameOut, FrameDur, MaskEdit4}) {
        field->setText("0");
        field->setTextAlignment(TAMEdit::taRightJustify);
        field->hide();
    }
    QFont boldFrameIn = FrameIn->font();
    boldFrameIn.setWeight(QFont::Black);
    FrameIn->setFont(boldFrameIn);

    setHoverText(MaskEdit1, tr("Hit 'I, O, P(D,T)' to use previous calculation."));
    setHoverText(MaskEdit2, tr("Hit 'I, O, P(D,T)' to use previous calculation."));
    setHoverText(MaskEdit4, tr("Enter percent value"));
    setHoverText(FrameIn, tr("Enter frame value"));
    setHoverText(FrameOut, tr("Enter frame value"));
    MaskEdit3->setToolTip(tr("Duration"));
    // Screen readers name each field by the caption above it, whatever
    // caption the mode gives; the frame and percent fields stand in the
    // same places.
    Label1->setBuddy(MaskEdit1);
    Label2->setBuddy(MaskEdit2);
    Label4->setBuddy(MaskEdit3);
    FrameIn->setAccessibleName(tr("Out Frames"));
    FrameOut->setAccessibleName(tr("In Frames"));
    FrameDur->setAccessibleName(tr("Duration Frames"));
    MaskEdit4->setAccessibleName(tr("Percent"));
    return Panel1;
}

QWidget* TCalcMainForm::buildCalculateBand()
{
    Panel2 = new QWidget(this);
    Panel2->setObjectName("Panel2");
    Panel2->setFixedHeight(42);

    EditBtn = new QToolButton(Panel2);
    EditBtn->setObjectName("EditBtn");
    EditBtn->setCheckable(true);
    EditBtn->setToolTip(tr("Edit Descriptions"));
    EditBtn->setAccessibleName(tr("Edit Descriptions"));
    EditBtn->setIcon(toolbarIcon("edit"));
    EditBtn->setIconSize(QSize(20, 20));
    EditBtn->setAutoRaise(true);
    EditBtn->setGeometry(8, 8, 28, 28);
    setHoverText(EditBtn, tr("Toggle to edit descriptions"));
    followWindowHints(EditBtn);

    CalculateBtn = new CalculateButton(Panel2);
    connect(CalculateBtn, &CalculateButton::clicked, this, &TCalcMainForm::CalculateBtnClick);
    connect(CalculateBtn, &CalculateButton::doubleClicked, this, &TCalcMainForm::CalculateBtnClick);
    connect(CalculateBtn, &CalculateButton::overMoved, this, &TCalcMainForm::showCalculationCount);

    // The two trash pictures lie on top of each other in one drop target,
    // so showing the open one under the pointer keeps the drag where it is.
    trash_ = new QWidget(Panel2);
    trash_->resize(34, 34);
    trash_->setAccessibleName(tr("Trash"));
    trash_->setAccessibleDescription(tr("Drag items to delete row"));
    TrashClose = new QLabel(trash_);
    TrashClose->setObjectName("TrashClose");
    TrashClose->setPixmap(picture("trash_closed", kTrashPictureSize));
    TrashOpen = new QLabel(trash_);
    TrashOpen->setObjectName("TrashOpen");
    for (QLabel* trash : {TrashClose, TrashOpen}) {
        trash->setAccessibleName(tr("Trash"));
        trash->setToolTip(tr("Drag items to delete row"));
        trash->resize(34, 34);
    }
    // Its picture is drawn when a drag first opens it.
    TrashOpen->hide();
    setHoverText(TrashClose, tr("Drag item from grid to delete item's row"));

    // The last text copied or pasted passes through here, whole; only a
    // paste is cut, to its first line and 11 characters.
    ClipStore = new QLineEdit(Panel2);
    ClipStore->setObjectName("ClipStore");
    ClipStore->hide();
    return Panel2;
}

void TCalcMainForm::buildStatusBar()
{
    StatusBar1 = statusBar();
    StatusBar1->setObjectName("StatusBar1");
    StatusBar1->setSizeGripEnabled(false);
    // Panel 1 takes the room its percentage needs, panel 0 what is left.
    statusPanel_[0] = new StatusPanel("StatusPanel0", 225, Qt::AlignLeft, StatusBar1);
    statusPanel_[1] = new StatusPanel("StatusPanel1", 50, Qt::AlignRight, StatusBar1);
    statusPanel_[1]->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    StatusBar1->addWidget(statusPanel_[0], 1);
    StatusBar1->addPermanentWidget(statusPanel_[1]);
    // Lies over the panels, outside the bar's layout.
    ProgressBar1 = new QProgressBar(StatusBar1);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->hide();
    fileTask_ = new BackgroundTask(*ProgressBar1, this);
}

void TCalcMainForm::showTrashOpen(bool open)
{
    if (open && TrashOpen->pixmap().isNull())
        TrashOpen->setPixmap(picture("trash_open", kTrashPictureSize));
    TrashOpen->setVisible(open);
    TrashClose->setVisible(!open);
}

QString TCalcMainForm::statusText(int panel) const
{
    return statusPanel_[panel]->text();
}

void TCalcMainForm::setHoverText(QWidget* widget, const QString& text)
{
    hoverTexts_.insert(widget, text);
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
}

void TCalcMainForm::holdStatusOn(const QWidget* control)
{
    statusHeldOn_ = control;
}

void TCalcMainForm::followWindowHints(QWidget* widget)
{
    windowHintWidgets_.insert(widget);
    widget->installEventFilter(this);
}

bool TCalcMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ToolTip && !Balloon1->isChecked() && windowHintWidgets_.contains(watched))
        return true;
    // A tab shown for the first time gets its list before anything looks
    // under the pointer or paints.
    if (event->type() == QEvent::Show) {
        const auto page = std::find(TabSheet.begin(), TabSheet.end(), watched);
        if (page != TabSheet.end())
            list(FormatAt(int(page - TabSheet.begin())));
    }
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
        const auto hover = hoverTexts_.constFind(watched);
        if (hover != hoverTexts_.constEnd() && statusHeldOn_ != watched) {
            ButtonNormal();
            statusPanel_[0]->setText(*hover);
        }
    }
    if (event->type() == QEvent::Leave && statusHeldOn_ == watched)
        statusHeldOn_ = nullptr;
    return QMainWindow::eventFilter(watched, event);
}

void TCalcMainForm::showCalculationCount()
{
    statusPanel_[0]->setText(tr("Total Calculations: %1").arg(models_.calcCount()));
}

void TCalcMainForm::ButtonNormal()
{
    CalculateBtn->showPicture(CalculateButton::ButNorm);
}

// The Calculate button stays centred and the trash at the right edge as
// the preferences widen or narrow the window.
void TCalcMainForm::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    CalculateBtn->move((width() - CalculateBtn->width()) / 2, 4);
    trash_->move(width() - 44, 4);
    ProgressBar1->setGeometry(StatusBar1->rect());
}

// The activation steps move the focus into the first field. They serve the
// return from another window of this program (a dialog closing, the Mini
// Calc); coming back from another program leaves the focus where it was.
void TCalcMainForm::followOtherPrograms()
{
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive)
            inOtherProgram_ = true;
    });
    // Emitted after the window that comes back has had its activation.
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* window) {
        if (window)
            inOtherProgram_ = false;
    });
}

bool TCalcMainForm::event(QEvent* event)
{
    // The Mini Calc's activation counts as this window's too (it belongs to
    // this window); its own activation steps serve it.
    if (event->type() == QEvent::WindowActivate && (firstActivation_ || !inOtherProgram_) &&
        (firstActivation_ || QApplication::activeWindow() == this))
        FormActivate();
    return QMainWindow::event(event);
}

void TCalcMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // Without a window manager nothing activates the window; ask for it, and
    // make sure the start steps run once the window is up.
    activateWindow();
    QTimer::singleShot(0, this, [this] {
        if (firstActivation_)
            FormActivate();
    });
}

void TCalcMainForm::wireCommands()
{
    connect(Exit1, &QAction::triggered, this, &QWidget::close);
    connect(ExitBtn, &QToolButton::clicked, this, &QWidget::close);
    connect(About1, &QAction::triggered, this, &TCalcMainForm::About1Click);
    connect(Contents1, &QAction::triggered, this, &TCalcMainForm::Contents1Click);
    connect(Index1, &QAction::triggered, this, &TCalcMainForm::Index1Click);
    connect(PageControl1, &QTabWidget::currentChanged, this, [this] { PageControl1Change(); });
    connect(Balloon1, &QAction::triggered, this, &TCalcMainForm::Balloon1Click);
    connect(Descriptions1, &QAction::triggered, this, &TCalcMainForm::Descriptions1Click);
    connect(Preferences1, &QAction::triggered, this, &TCalcMainForm::Preferences1Click);
    connect(Save1, &QAction::triggered, this, &TCalcMainForm::Save1Click);
    connect(SaveBtn, &QToolButton::clicked, this, &TCalcMainForm::Save1Click);
    connect(Open1, &QAction::triggered, this, &TCalcMainForm::Open1Click);
    connect(Export1, &QAction::triggered, this, &TCalcMainForm::Export1Click);
    connect(ExportBtn, &QToolButton::clicked, this, &TCalcMainForm::Export1Click);
    connect(Print1, &QAction::triggered, this, &TCalcMainForm::Print1Click);
    connect(PrintBtn, &QToolButton::clicked, this, &TCalcMainForm::Print1Click);
    connect(PrintPreview1, &QAction::triggered, this, &TCalcMainForm::PrintPreview1Click);
    connect(PrintSetup1, &QAction::triggered, this, &TCalcMainForm::PrintSetup1Click);
    connect(OpenBtn, &QToolButton::clicked, this, &TCalcMainForm::Open1Click);
    connect(FrameMode1, &QAction::triggered, this, &TCalcMainForm::FrameMode1Click);
    connect(Percentages1, &QAction::triggered, this, &TCalcMainForm::Percentages1Click);
    connect(ValidityCheck, &QAction::triggered, this, &TCalcMainForm::ValidityCheckClick);
    connect(OperandCombo, &QComboBox::activated, this, &TCalcMainForm::OperandComboChange);
    connect(MiniCalc1, &QAction::triggered, this, &TCalcMainForm::MiniCalc1Click);
    connect(MiniBtn, &QToolButton::clicked, MiniCalc1, &QAction::trigger);
    wireSortAndFind();
    bindEntryFields();
    wireClipboard();
    wireRowOperations();
}

// Puts the window into its start state; New runs it again.
void TCalcMainForm::FormCreate()
{
    models_.clear(workFileSwap({}));
    dragState_.DragRow.reset();
    ZeroDisable();
    OperandCombo->setCurrentIndex(0);
    OperandComboChange(); // the fields shown follow the operator
    pendingOpenName_.clear();
    headers_->clearSortMode();
}

void TCalcMainForm::FormActivate()
{
    // Cleared first: a message box shown by these steps activates the
    // window again when it closes.
    if (std::exchange(firstActivation_, false)) {
        // The preferences dialog is made when the user opens it.
        const StoredSettingsLoad load = LoadStoredSettings(store_, settings_);
        ApplyLoadedSettings(settings_, *this, load.defaultWidthPending);
        ToolBar2->showStoredKeys();
        // Windows made before this take the settings just read; the others
        // read them when they are made.
        if (gridPrintForm_)
            gridPrintForm_->LoadSettings();
        if (exportForm_)
            exportForm_->LoadSettings();
        if (miniCalc_)
            miniCalc_->placeAtStoredPosition();
        takeRates();
        if (const int start = settings_.options.startFormat; start >= 0)
            PageControl1->setCurrentIndex(start);
        InitLoads();
        updateStatusBar();
        // Told once the window is complete: a box now would interrupt it.
        if (!load.error.isEmpty())
            dialogs_.showError(this, load.error);
        recentFiles_->load();
        offerRecovery();
        if (!commandLine_.isEmpty()) {
            openFromCommandLine_ = true;
            Open1Click();
            openFromCommandLine_ = false;
            reportFilesNotOpened();
        }
    }
    const EntryField first = FrameMode1->isChecked() ? EntryField::FrameIn : EntryField::In;
    entryPanel_->focus(std::exchange(refusedField_, std::nullopt).value_or(first));
}

} // namespace ombrel
