#include "list/list_headers.h"

#include "list/list_model.h"
#include "widgets/icons.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QMouseEvent>
#include <QProgressBar>
#include <QStyle>
#include <QTableView>
#include <QToolButton>

#include <algorithm>
#include <utility>

namespace ombrel {

namespace {

// While a long sort runs, the window repaints (and the progress bar moves)
// this often; what the user types or clicks meanwhile waits for the end.
constexpr int kRepaintIntervalMs = 50;

bool sortsByClick(int section)
{
    return section == InColumn || section == OutColumn || section == ResultColumn || section == DescriptionColumn;
}

} // namespace

ListHeaders::ListHeaders(SheetModels& models, const ColumnWidths& columns, QToolButton& sortButton,
                         QProgressBar& progressBar, QObject* parent)
    : QObject(parent), models_(models), sortButton_(sortButton), progressBar_(progressBar)
{
    std::copy(columns.begin(), columns.end(), sectionWidths_.begin());
    sectionWidths_[kToggleSection] = kToggleSectionWidth;
    sortButton_.setCheckable(true);
    showSortMode(SortPicture::Sort, false);
}

void ListHeaders::addList(int format, QTableView* list)
{
    QHeaderView* header = list->horizontalHeader();
    lists_[format] = list;
    headers_[format] = header;
    const bool nonDrop = format == 0;
    header->setSectionsClickable(nonDrop);
    // Sized before the smallest section size is lowered, the toggle section
    // keeps the style's smallest size when that is wider, as it always has.
    list->setColumnWidth(kToggleSection, sectionWidths_[kToggleSection]);
    header->setMinimumSectionSize(1);
    for (int section = 0; section < kSectionCount; ++section)
        header->setSectionResizeMode(section, SectionResizable(nonDrop, section) ? QHeaderView::Interactive
                                                                                 : QHeaderView::Fixed);
    for (int column = 0; column < kColumnCount; ++column)
        list->setColumnWidth(column, sectionWidths_[column]);
    showSortCursor(header);
    header->viewport()->installEventFilter(this);
    connect(header, &QHeaderView::sectionResized, this,
            [this, header](int section, int, int width) { HeaderControl1SectionTrack(header, section, width); });
    if (nonDrop)
        connect(header, &QHeaderView::sectionClicked, this, &ListHeaders::HeaderControl1SectionClick);
}

void ListHeaders::Sort1Click()
{
    if (picture_ == SortPicture::Ascending)
        showSortMode(SortPicture::Descending, true);
    else if (!sortOn_)
        showSortMode(SortPicture::Ascending, true);
    else
        showSortMode(SortPicture::Sort, false);
}

void ListHeaders::showSortMode(SortPicture picture, bool on)
{
    static const char* const pictures[] = {"sort", "sort_ascending", "sort_descending"};
    static const char* const hints[] = {QT_TR_NOOP("Sort"), QT_TR_NOOP("Sort Ascending - Click on a header"),
                                        QT_TR_NOOP("Sort Descending - Click on a header")};
    picture_ = picture;
    sortOn_ = on;
    const auto index = static_cast<size_t>(picture);
    sortButton_.setIcon(toolbarIcon(pictures[index]));
    sortButton_.setToolTip(tr(hints[index]));
    sortButton_.setChecked(picture != SortPicture::Sort);
    for (QHeaderView* header : headers_)
        if (header)
            showSortCursor(header);
}

void ListHeaders::showSortCursor(QHeaderView* header) const
{
    if (picture_ == SortPicture::Sort)
        header->viewport()->unsetCursor();
    else
        header->viewport()->setCursor(Qt::PointingHandCursor);
}

void ListHeaders::HeaderControl1SectionClick(int section)
{
    if (section == kToggleSection) {
        emit descriptionsToggled();
        return;
    }
    if (!sortOn_ || !sortsByClick(section))
        return;
    SortSection(section, picture_ == SortPicture::Descending ? SortDirection::Descending : SortDirection::Ascending);
    showSortMode(SortPicture::Sort, false);
    models_.setWorkModified(true);
}

void ListHeaders::SortSection(int column, SortDirection direction)
{
    progressBar_.setValue(0);
    progressBar_.show();
    progressBar_.raise();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QElapsedTimer sinceRepaint;
    sinceRepaint.start();
    // The bar paints itself at once on every new value: the sort hands it
    // one only when the window repaints anyway.
    const auto progress = [this, &sinceRepaint](int percent) {
        if (sinceRepaint.elapsed() < kRepaintIntervalMs)
            return;
        progressBar_.setValue(percent);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        sinceRepaint.restart();
    };
    models_.reorder(SortOrder(models_.sheet().list(TimecodeFormat::NonDrop), column, direction, progress));
    QApplication::restoreOverrideCursor();
    progressBar_.hide();
}

ColumnWidths ListHeaders::columnWidths() const
{
    ColumnWidths widths{};
    std::copy_n(sectionWidths_.begin(), kColumnCount, widths.begin());
    return widths;
}

void ListHeaders::setColumnWidth(int column, int width)
{
    sectionWidths_[column] = width;
    for (QTableView* list : lists_)
        if (list)
            list->setColumnWidth(column, width);
}

void ListHeaders::HeaderControl1SectionTrack(QHeaderView* header, int section, int width)
{
    // Only the user's drags are held to the limits; the preferences size
    // the columns as they were saved.
    if (adjusting_ || header != dragging_ || section >= kColumnCount)
        return;
    adjusting_ = true;
    setColumnWidth(section, TrackedColumnWidth(header == headers_[0], section, width));
    adjusting_ = false;
    dragResized_ = true;
    emit columnsResized();
}

int ListHeaders::headerIndex(const QObject* viewport) const
{
    for (int f = 0; f < kFormatCount; ++f)
        if (headers_[f] && headers_[f]->viewport() == viewport)
            return f;
    return -1;
}

// Where the header itself starts a divider drag: near the edge of a
// section that may be resized. The sections never move or hide.
bool ListHeaders::onResizeHandle(const QHeaderView* header, int x) const
{
    const int section = header->logicalIndexAt(x);
    if (section < 0)
        return false;
    const int grip = header->style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, header);
    const int start = header->sectionViewportPosition(section);
    int handle = -1;
    if (x < start + grip)
        handle = section - 1;
    else if (x > start + header->sectionSize(section) - grip)
        handle = section;
    return handle >= 0 && header->sectionResizeMode(handle) == QHeaderView::Interactive;
}

bool ListHeaders::eventFilter(QObject* watched, QEvent* event)
{
    const int index = headerIndex(watched);
    const auto type = event->type();
    if (index < 0 ||
        (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease && type != QEvent::MouseButtonDblClick))
        return false;
    QHeaderView* header = headers_[index];
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const int x = mouse->position().toPoint().x();
    if (type == QEvent::MouseButtonRelease) {
        if (header == dragging_ && mouse->button() == Qt::LeftButton) {
            dragging_ = nullptr;
            if (std::exchange(dragResized_, false))
                emit columnDragEnded();
        }
        return false;
    }
    if (onResizeHandle(header, x)) {
        if (type == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
            dragging_ = header;
            dragResized_ = false;
        }
        // A double click on a divider would fit one list's column alone.
        return type == QEvent::MouseButtonDblClick;
    }
    // Of the NonDrop header only the In, Out, Duration, description and
    // toggle sections answer a press; the spacers between them do not.
    const int section = header->logicalIndexAt(x);
    return index == 0 && section >= 0 && section != kToggleSection && !sortsByClick(section);
}

} // namespace ombrel
