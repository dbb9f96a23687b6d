#pragma once

#include <QMainWindow>
#include <QTimer>

#include <functional>
#include <memory>

class QAbstractItemModel;
class QButtonGroup;
class QProgressBar;
class QStatusBar;
class QToolButton;

namespace ombrel {

class Report;
class ReportPageView;

// The preview window: the report's pages, a toolbar to zoom, turn pages,
// set up the printer, print and close, and a caption naming the format and
// the page. Pages are laid out a slice at a time while the window shows the
// first ones; a progress bar in the status bar runs meanwhile.
class TPreviewForm : public QMainWindow {
    Q_OBJECT
public:
    // Builds the report of the list as it is now.
    using ReportSource = std::function<std::unique_ptr<Report>()>;

    explicit TPreviewForm(QWidget* parent = nullptr);
    ~TPreviewForm() override;

    // Shows the report on its first page. `list` is the list it prints:
    // when that changes, the report is built again, so the preview never
    // shows rows the list no longer holds.
    void ShowReport(const ReportSource& source, const QAbstractItemModel* list);
    // Lets go of the report (a print is about to make its own).
    void DetachReport();

    // Set when a preview starts: "Preview  -  25 fps PAL".
    QString CaptionPrefix;

    // Controls, named as the program's users name them.
    QToolButton *ZoomToFitBtn, *ZoomTo100Btn, *ZoomToPgBtn;
    QToolButton *FirstBtn, *PreviousBtn, *NextBtn, *LastBtn;
    QToolButton *PrinterSetupBtn, *PrintBtn, *CloseBtn;
    ReportPageView* QRPreview = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QProgressBar* LayoutProgress = nullptr;
    QToolButton* LayoutCancelBtn = nullptr;

    void ZoomToFitBtnClick();
    void ZoomTo100BtnClick();
    void ZoomToPgBtnClick();
    void FirstBtnClick();
    void PreviousBtnClick();
    void NextBtnClick();
    void LastBtnClick();
    void PrinterSetupBtnClick();
    void PrintBtnClick();
    void CloseBtnClick();
    void QRPreviewPageAvailable();

    // Lays out the rest of the report now rather than a slice at a time.
    void finishLayout();

signals:
    void printRequested();
    void printerSetupRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QToolButton* toolButton(const char* name, const QString& hint, const char* picture);
    void buildToolBar();
    void buildStatusBar();
    void showPageState();
    void layOutSlice();
    void stopLayout();
    // Builds the report anew, showing `page` once it is laid out.
    void rebuild(int64_t page);

    ReportSource source_;
    std::unique_ptr<Report> report_;
    QList<QMetaObject::Connection> listWatch_;
    QTimer layoutTimer_;
    QButtonGroup* zoomButtons_ = nullptr;
    // The window it belongs to when no modal dialog opened it.
    QWidget* home_;
};

} // namespace ombrel
