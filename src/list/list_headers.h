#pragma once

#include "list/header_sections.h"
#include "list/sheet_ops.h"

#include <QObject>

#include <array>

class QHeaderView;
class QProgressBar;
class QTableView;
class QToolButton;

namespace ombrel {

class SheetModels;

// The header bars over the six lists. A click on a section of the NonDrop
// header sorts all six lists by that column while the sort mode is on (the
// Sort command turns it on, each sort turns it off); dragging a divider of
// any header sizes that column in all six lists. It keeps the column widths
// itself, so a list made later takes those of the others.
class ListHeaders : public QObject {
    Q_OBJECT
public:
    // The sort mode as the Sort button shows it.
    enum class SortPicture { Sort, Ascending, Descending };

    ListHeaders(SheetModels& models, const ColumnWidths& columns, QToolButton& sortButton, QProgressBar& progressBar,
                QObject* parent = nullptr);

    // A format's list, once it is made: its header follows the others.
    void addList(int format, QTableView* list);

    // The Sort command: Off, then Ascending, then Descending, then Off.
    void Sort1Click();
    // New turns the sort mode off but leaves the button as it looks; the
    // next Sort command goes on from the picture.
    void clearSortMode() { sortOn_ = false; }
    bool sortOn() const { return sortOn_; }
    SortPicture sortPicture() const { return picture_; }

    void HeaderControl1SectionClick(int section);
    // Sorts all six lists by `column` of the NonDrop list, showing the
    // progress bar while it runs.
    void SortSection(int column, SortDirection direction);

    ColumnWidths columnWidths() const;
    // A column's width in all six lists, as the settings give it.
    void setColumnWidth(int column, int width);

signals:
    void descriptionsToggled();
    // A divider drag changed the columns, and when it ended.
    void columnsResized();
    void columnDragEnded();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showSortMode(SortPicture picture, bool on);
    void showSortCursor(QHeaderView* header) const;
    void HeaderControl1SectionTrack(QHeaderView* header, int section, int width);
    int headerIndex(const QObject* viewport) const;
    bool onResizeHandle(const QHeaderView* header, int x) const;

    SheetModels& models_;
    // Null until their list is made.
    std::array<QTableView*, kFormatCount> lists_{};
    std::array<QHeaderView*, kFormatCount> headers_{};
    std::array<int, kSectionCount> sectionWidths_{};
    QToolButton& sortButton_;
    QProgressBar& progressBar_;
    SortPicture picture_ = SortPicture::Sort;
    bool sortOn_ = false;
    // The header whose divider the mouse holds, and whether it moved.
    QHeaderView* dragging_ = nullptr;
    bool dragResized_ = false;
    bool adjusting_ = false;
};

} // namespace ombrel
