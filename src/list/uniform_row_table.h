#pragma once

#include <QPersistentModelIndex>
#include <QTableView>

namespace ombrel {

// A table whose rows all have the vertical header's default height, found
// by arithmetic rather than through the header. QHeaderView recomputes the
// position of every section after a row is added and something asks for a
// position; here painting, scrolling and finding a cell cost the same at a
// million rows as at ten. It looks and scrolls as a QTableView scrolling by
// whole rows.
class UniformRowTable : public QTableView {
    Q_OBJECT
public:
    explicit UniformRowTable(QWidget* parent = nullptr);

    QModelIndex indexAt(const QPoint& position) const override;
    QRect visualRect(const QModelIndex& index) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void updateGeometries() override;
    bool viewportEvent(QEvent* event) override;

private:
    int uniformRowHeight() const;
    int rowCount() const;
    // Whole rows the viewport shows.
    int rowsInViewport() const;
    // The first row the viewport shows.
    int firstShownRow() const;
    void drawCell(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const;
    // Keeps the scroll bar on whole rows, as scrolling by rows does.
    void snapToRow(int action);

    QPersistentModelIndex hovered_;
};

} // namespace ombrel
