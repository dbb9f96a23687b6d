#pragma once

#include <QAbstractScrollArea>

#include <cstdint>

namespace ombrel {

class Report;

// The preview's page view: the report's laid-out pages one under the
// other on a grey ground, each drawn only while it is in sight, so a report
// of thousands of pages costs no more than the two on screen.
class ReportPageView : public QAbstractScrollArea {
    Q_OBJECT
public:
    enum class Zoom { WholePage, Percent100, PageWidth };

    explicit ReportPageView(QWidget* parent = nullptr);

    // Shows the report (nothing when null); the view does not own it.
    void setReport(const Report* report);
    const Report* report() const { return report_; }
    // The report laid out more pages: the view grows, the page in sight stays.
    void pagesAdded();

    int64_t pageCount() const;
    // The page in the middle of the view, from 1.
    int64_t currentPage() const;
    void setCurrentPage(int64_t page);

    Zoom zoom() const { return zoom_; }
    void setZoom(Zoom zoom);
    // Screen pixels per report unit at the present zoom.
    double scale() const;

signals:
    void currentPageChanged(qint64 page);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    QSizeF pagePixels() const;
    double pageStride() const;
    // Lengths of the content may pass what a scroll bar counts, so it counts
    // in steps of this many pixels.
    double verticalStep() const;
    double contentTop() const;
    void updateScrollBars();
    void noteCurrentPage();

    const Report* report_ = nullptr;
    Zoom zoom_ = Zoom::PageWidth;
    int64_t shownPage_ = 1;
};

} // namespace ombrel
