#include "printing/preview_form.h"

#include "printing/report_page_view.h"
#include "printing/report_painter.h"
#include "widgets/icons.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QButtonGroup>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace ombrel {

namespace {

// Each slice of layout keeps the window answering.
constexpr int kSliceMilliseconds = 30;

QWidget* gap(QWidget* parent, int width)
{
    auto* spacer = new QWidget(parent);
    spacer->setFixedWidth(width);
    return spacer;
}

} // namespace

TPreviewForm::TPreviewForm(QWidget* parent) : QMainWindow(parent, Qt::Window), home_(parent)
{
    setObjectName("PreviewForm");
    setWindowTitle(tr("Preview - Page 1 of 1"));
    setWindowIcon(programIcon());
    QRPreview = new ReportPageView(this);
    QRPreview->setObjectName("QRPreview");
    QRPreview->setAccessibleName(tr("Preview"));
    setCentralWidget(QRPreview);
    buildToolBar();
    buildStatusBar();
    // Restored from maximized, the window stands in the middle of the screen.
    resize(800, 600);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    layoutTimer_.setInterval(0);
    connect(&layoutTimer_, &QTimer::timeout, this, &TPreviewForm::layOutSlice);
    connect(QRPreview, &ReportPageView::currentPageChanged, this, &TPreviewForm::showPageState);
    showPageState();
}

TPreviewForm::~TPreviewForm() = default;

QToolButton* TPreviewForm::toolButton(const char* name, const QString& hint, const char* picture)
{
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setAccessibleName(hint);
    button->setIcon(toolbarIcon(picture));
    button->setAutoRaise(true);
    button->setFixedSize(25, 25);
    return button;
}

void TPreviewForm::buildToolBar()
{
    QToolBar* bar = addToolBar(tr("Preview"));
    bar->setObjectName("ToolBar1");
    bar->setMovable(false);
    bar->setIconSize(QSize(20, 20));
    ZoomToFitBtn = toolButton("ZoomToFitBtn", tr("Zoom to Fit"), "zoom_fit");
    ZoomTo100Btn = toolButton("ZoomTo100Btn", tr("Zoom to 100%"), "zoom_100");
    ZoomToPgBtn = toolButton("ZoomToPgBtn", tr("Zoom to Page Width"), "zoom_width");
    FirstBtn = toolButton("FirstBtn", tr("First Page"), "first_page");
    PreviousBtn = toolButton("PreviousBtn", tr("Previous Page"), "previous_page");
    NextBtn = toolButton("NextBtn", tr("Next Page"), "next_page");
    LastBtn = toolButton("LastBtn", tr("Last Page"), "last_page");
    PrinterSetupBtn = toolButton("PrinterSetupBtn", tr("Printer Setup"), "printer_setup");
    PrintBtn = toolButton("PrintBtn", tr("Print"), "print");
    CloseBtn = toolButton("CloseBtn", tr("Close Window"), "close_window");

    zoomButtons_ = new QButtonGroup(this);
    for (QToolButton* zoom : {ZoomToFitBtn, ZoomTo100Btn, ZoomToPgBtn}) {
        zoom->setCheckable(true);
        zoomButtons_->addButton(zoom);
    }
    ZoomToPgBtn->setChecked(true);

    bar->addWidget(gap(bar, 8));
    for (QToolButton* button : {ZoomToFitBtn, ZoomTo100Btn, ZoomToPgBtn})
        bar->addWidget(button);
    bar->addWidget(gap(bar, 30));
    for (QToolButton* button : {FirstBtn, PreviousBtn, NextBtn, LastBtn})
        bar->addWidget(button);
    bar->addWidget(gap(bar, 30));
    bar->addWidget(PrinterSetupBtn);
    bar->addWidget(PrintBtn);
    bar->addWidget(gap(bar, 30));
    bar->addWidget(CloseBtn);

    connect(ZoomToFitBtn, &QToolButton::clicked, this, &TPreviewForm::ZoomToFitBtnClick);
    connect(ZoomTo100Btn, &QToolButton::clicked, this, &TPreviewForm::ZoomTo100BtnClick);
    connect(ZoomToPgBtn, &QToolButton::clicked, this, &TPreviewForm::ZoomToPgBtnClick);
    connect(FirstBtn, &QToolButton::clicked, this, &TPreviewForm::FirstBtnClick);
    connect(PreviousBtn, &QToolButton::clicked, this, &TPreviewForm::PreviousBtnClick);
    connect(NextBtn, &QToolButton::clicked, this, &TPreviewForm::NextBtnClick);
    connect(LastBtn, &QToolButton::clicked, this, &TPreviewForm::LastBtnClick);
    connect(PrinterSetupBtn, &QToolButton::clicked, this, &TPreviewForm::PrinterSetupBtnClick);
    connect(PrintBtn, &QToolButton::clicked, this, &TPreviewForm::PrintBtnClick);
    connect(CloseBtn, &QToolButton::clicked, this, &TPreviewForm::CloseBtnClick);
}

void TPreviewForm::buildStatusBar()
{
    StatusBar1 = statusBar();
    StatusBar1->setObjectName("StatusBar1");
    LayoutProgress = new QProgressBar(StatusBar1);
    LayoutProgress->setObjectName("LayoutProgress");
    LayoutProgress->setFormat(tr("Laying out pages: %p%"));
    LayoutProgress->setMaximumWidth(260);
    LayoutCancelBtn = new QToolButton(StatusBar1);
    LayoutCancelBtn->setObjectName("LayoutCancelBtn");
    LayoutCancelBtn->setText(tr("Cancel"));
    LayoutCancelBtn->setToolTip(tr("Stop laying out pages; the pages so far stay"));
    StatusBar1->addWidget(LayoutProgress);
    StatusBar1->addWidget(LayoutCancelBtn);
    LayoutProgress->hide();
    LayoutCancelBtn->hide();
    connect(LayoutCancelBtn, &QToolButton::clicked, this, &TPreviewForm::stopLayout);
}

void TPreviewForm::ShowReport(const ReportSource& source, const QAbstractItemModel* list)
{
    for (const auto& connection : listWatch_)
        disconnect(connection);
    listWatch_.clear();
    if (list) {
        // Hidden, the preview has nothing to keep up to date: the next one
        // builds its own report.
        const auto changed = [this] { isVisible() ? rebuild(QRPreview->currentPage()) : DetachReport(); };
        listWatch_ = {connect(list, &QAbstractItemModel::modelReset, this, changed),
                      connect(list, &QAbstractItemModel::rowsInserted, this, changed),
                      connect(list, &QAbstractItemModel::rowsRemoved, this, changed),
                      connect(list, &QAbstractItemModel::rowsMoved, this, changed),
                      connect(list, &QAbstractItemModel::dataChanged, this, changed),
                      connect(list, &QAbstractItemModel::layoutChanged, this, changed)};
    }
    source_ = source;
    rebuild(1);
    // Never modal. Opened from a modal dialog, it belongs to that dialog:
    // Qt lets the windows a modal dialog owns take input, and the window
    // manager keeps them above it; the dialog stays usable behind it.
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner)
        owner = home_;
    if (parentWidget() != owner)
        setParent(owner, windowFlags());
    showMaximized();
    raise();
    activateWindow();
    QRPreview->setFocus();
}

void TPreviewForm::rebuild(int64_t page)
{
    QRPreview->setReport(nullptr);
    report_ = source_();
    // The first pages show at once; the page in sight before stays in sight.
    report_->pagination().layOut(std::max<int64_t>(2, page + 1));
    QRPreview->setReport(report_.get());
    QRPreview->setCurrentPage(page);
    LayoutProgress->setRange(0, 1000);
    LayoutProgress->setValue(0);
    const bool more = !report_->pagination().complete();
    LayoutProgress->setVisible(more);
    LayoutCancelBtn->setVisible(more);
    if (more)
        layoutTimer_.start();
    showPageState();
}

void TPreviewForm::DetachReport()
{
    stopLayout();
    source_ = nullptr;
    for (const auto& connection : listWatch_)
        disconnect(connection);
    listWatch_.clear();
    QRPreview->setReport(nullptr);
    report_.reset();
}

void TPreviewForm::layOutSlice()
{
    if (!report_) {
        stopLayout();
        return;
    }
    ReportPagination& pages = report_->pagination();
    QElapsedTimer slice;
    slice.start();
    while (!pages.complete() && slice.elapsed() < kSliceMilliseconds)
        pages.layOut(16);
    if (report_->rowCount() > 0)
        LayoutProgress->setValue(static_cast<int>(1000 * pages.rowsLaidOut() / report_->rowCount()));
    QRPreviewPageAvailable();
    if (pages.complete())
        stopLayout();
}

void TPreviewForm::hideEvent(QHideEvent* event)
{
    stopLayout();
    QMainWindow::hideEvent(event);
}

void TPreviewForm::finishLayout()
{
    while (layoutTimer_.isActive())
        layOutSlice();
}

void TPreviewForm::stopLayout()
{
    layoutTimer_.stop();
    LayoutProgress->hide();
    LayoutCancelBtn->hide();
}

// New pages leave the page in sight where it is.
void TPreviewForm::QRPreviewPageAvailable()
{
    QRPreview->pagesAdded();
    showPageState();
}

// The caption and the page buttons follow the page shown and the pages
// there are.
void TPreviewForm::showPageState()
{
    const int64_t pages = std::max<int64_t>(1, QRPreview->pageCount());
    const int64_t page = std::min(QRPreview->currentPage(), pages);
    FirstBtn->setEnabled(page > 1);
    PreviousBtn->setEnabled(page > 1);
    NextBtn->setEnabled(page < pages);
    LastBtn->setEnabled(page < pages);
    if (!CaptionPrefix.isEmpty())
        setWindowTitle(tr("%1  -  Page %2 of %3").arg(CaptionPrefix).arg(page).arg(pages));
}

void TPreviewForm::ZoomToFitBtnClick()
{
    ZoomToFitBtn->setChecked(true);
    QRPreview->setZoom(ReportPageView::Zoom::WholePage);
}

void TPreviewForm::ZoomTo100BtnClick()
{
    ZoomTo100Btn->setChecked(true);
    QRPreview->setZoom(ReportPageView::Zoom::Percent100);
}

void TPreviewForm::ZoomToPgBtnClick()
{
    ZoomToPgBtn->setChecked(true);
    QRPreview->setZoom(ReportPageView::Zoom::PageWidth);
}

void TPreviewForm::FirstBtnClick()
{
    QRPreview->setCurrentPage(1);
}

void TPreviewForm::PreviousBtnClick()
{
    QRPreview->setCurrentPage(QRPreview->currentPage() - 1);
}

void TPreviewForm::NextBtnClick()
{
    QRPreview->setCurrentPage(QRPreview->currentPage() + 1);
}

void TPreviewForm::LastBtnClick()
{
    QRPreview->setCurrentPage(QRPreview->pageCount());
}

void TPreviewForm::PrinterSetupBtnClick()
{
    emit printerSetupRequested();
}

void TPreviewForm::PrintBtnClick()
{
    hide();
    emit printRequested();
}

void TPreviewForm::CloseBtnClick()
{
    hide();
}

// Enter, Escape and Ctrl+X close; "p", "P" and Ctrl+P print.
void TPreviewForm::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    const int key = event->key();
    if (modifiers == Qt::NoModifier && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape)) {
        CloseBtnClick();
    } else if (modifiers == Qt::ControlModifier && key == Qt::Key_X) {
        CloseBtnClick();
    } else if ((modifiers == Qt::NoModifier || modifiers == Qt::ControlModifier) && key == Qt::Key_P) {
        PrintBtnClick();
    } else {
        QMainWindow::keyPressEvent(event);
    }
}

} // namespace ombrel
