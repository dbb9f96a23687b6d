#pragma once

#include <QCache>
#include <QImage>
#include <QStyledItemDelegate>

namespace ombrel {

// Draws and edits the cells of a list. A Calculate moves every row of the
// list up by one, and laying out the text of every cell again is most of
// the cost of the repaint; so a plain cell (not selected, the list's own
// look) is drawn once by the style into a picture kept by its text, size
// and state, and drawn again from the picture. The list drops the pictures
// when its font, colours or style change.
class CellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit CellDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // The editor refuses, key by key, what the cell may not hold; a paste
    // takes from the clipboard only what the cell can hold.
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // A value the column cuts (drawn with an ellipsis) shows whole as the
    // cell's tooltip.
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

    void forgetPictures();

    struct PictureKey {
        QString text;
        QSize size;
        int state;
        int features;
        int alignment;
        int direction;
        QRgb background;
        QImage::Format format;
        qreal pixelRatio;
        bool operator==(const PictureKey&) const = default;
    };

signals:
    // A paste into an editor was cut or refused: the status text telling so.
    void pasteReported(const QString& text);

private:
    void draw(QPainter* painter, const QStyleOptionViewItem& cell) const;

    mutable QCache<PictureKey, QImage> pictures_;
};

size_t qHash(const CellDelegate::PictureKey& key, size_t seed = 0);

} // namespace ombrel
