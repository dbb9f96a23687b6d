#include "printing/report_page_view.h"

#include "printing/report_painter.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <climits>
#include <cmath>

namespace ombrel {

namespace {

// Pixels around and between the pages.
constexpr double kGap = 12;
// Scroll bars count in ints; longer content is counted in coarser steps.
constexpr double kLongestScroll = INT_MAX / 2;

} // namespace

ReportPageView::ReportPageView(QWidget* parent) : QAbstractScrollArea(parent)
{
    // Always there, so fitting the page width cannot make it come and go.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Dark);
}

void ReportPageView::setReport(const Report* report)
{
    report_ = report;
    shownPage_ = 1;
    updateScrollBars();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    viewport()->update();
}

void ReportPageView::pagesAdded()
{
    updateScrollBars();
    viewport()->update();
}

int64_t ReportPageView::pageCount() const
{
    return report_ ? report_->pagination().pageCount() : 0;
}

int64_t ReportPageView::currentPage() const
{
    return shownPage_;
}

double ReportPageView::scale() const
{
    if (!report_)
        return 1;
    const QSizeF paper = report_->paperSize();
    const double fullWidth = std::max(1.0, viewport()->width() - 2 * kGap) / paper.width();
    const double fullHeight = std::max(1.0, viewport()->height() - 2 * kGap) / paper.height();
    switch (zoom_) {
    case Zoom::WholePage:
        return std::min(fullWidth, fullHeight);
    case Zoom::Percent100:
        return logicalDpiX() / kReportUnitsPerInch;
    case Zoom::PageWidth:
        break;
    }
    return fullWidth;
}

QSizeF ReportPageView::pagePixels() const
{
    return report_ ? report_->paperSize() * scale() : QSizeF();
}

double ReportPageView::pageStride() const
{
    return pagePixels().height() + kGap;
}

double ReportPageView::verticalStep() const
{
    const double content = kGap + static_cast<double>(pageCount()) * pageStride();
    return std::max(1.0, std::ceil(content / kLongestScroll));
}

double ReportPageView::contentTop() const
{
    return verticalScrollBar()->value() * verticalStep();
}

void ReportPageView::updateScrollBars()
{
    const QSizeF page = pagePixels();
    const double step = verticalStep();
    const double height = kGap + static_cast<double>(pageCount()) * pageStride();
    verticalScrollBar()->setRange(0, static_cast<int>(std::max(0.0, (height - viewport()->height()) / step)));
    verticalScrollBar()->setPageStep(std::max(1, static_cast<int>(viewport()->height() / step)));
    verticalScrollBar()->setSingleStep(std::max(1, static_cast<int>(40 / step)));
    const double width = page.width() + 2 * kGap;
    horizontalScrollBar()->setRange(0, static_cast<int>(std::max(0.0, width - viewport()->width())));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(40);
}

void ReportPageView::setCurrentPage(int64_t page)
{
    shownPage_ = std::clamp<int64_t>(page, 1, std::max<int64_t>(1, pageCount()));
    const double top = static_cast<double>(shownPage_ - 1) * pageStride();
    const QSignalBlocker quiet(verticalScrollBar());
    verticalScrollBar()->setValue(static_cast<int>(std::lround(top / verticalStep())));
    viewport()->update();
    emit currentPageChanged(shownPage_);
}

void ReportPageView::setZoom(Zoom zoom)
{
    zoom_ = zoom;
    updateScrollBars();
    setCurrentPage(shownPage_);
}

void ReportPageView::noteCurrentPage()
{
    if (pageCount() == 0)
        return;
    const double middle = contentTop() + viewport()->height() / 2.0;
    const auto page = std::clamp<int64_t>(static_cast<int64_t>(std::floor(middle / pageStride())) + 1, 1, pageCount());
    if (page == shownPage_)
        return;
    shownPage_ = page;
    emit currentPageChanged(shownPage_);
}

void ReportPageView::scrollContentsBy(int, int)
{
    viewport()->update();
    noteCurrentPage();
}

void ReportPageView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
    if (zoom_ != Zoom::Percent100)
        setCurrentPage(shownPage_);
}

void ReportPageView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), palette().color(QPalette::Dark));
    if (!report_ || pageCount() == 0)
        return;
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    const QSizeF page = pagePixels();
    const double stride = pageStride();
    const double top = contentTop();
    const double left = page.width() + 2 * kGap <= viewport()->width() ? (viewport()->width() - page.width()) / 2
                                                                       : kGap - horizontalScrollBar()->value();
    const auto first = std::max<int64_t>(1, static_cast<int64_t>(std::floor((top - kGap) / stride)) + 1);
    const auto last = std::min<int64_t>(pageCount(), static_cast<int64_t>(std::floor((top + height()) / stride)) + 1);
    for (int64_t k = first; k <= last; ++k) {
        const QRectF sheet(left, kGap + static_cast<double>(k - 1) * stride - top, page.width(), page.height());
        painter.fillRect(sheet.translated(3, 3), palette().color(QPalette::Shadow));
        painter.fillRect(sheet, Qt::white);
        painter.save();
        painter.setClipRect(sheet);
        MapReportOnto(painter, sheet, report_->paperSize());
        report_->paintPage(painter, k);
        painter.restore();
    }
}

} // namespace ombrel
