#include "list/cell_delegate.h"

#include "list/clipboard_text.h"
#include "list/list_model.h"
#include "widgets/clipboard_bytes.h"
#include "widgets/line_edit_paste.h"
#include "widgets/qt_text.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPaintEngine>
#include <QPainter>
#include <QToolTip>
#include <QValidator>

#include <cmath>
#include <memory>
#include <optional>

namespace ombrel {

namespace {

class CellTextValidator : public QValidator {
public:
    CellTextValidator(int column, QObject* parent) : QValidator(parent), column_(column) {}
    State validate(QString& text, int&) const override
    {
        return EditableCellText(column_, text.toStdString()) ? Acceptable : Invalid;
    }

private:
    int column_;
};

// The cell's editor. Its pastes (the Paste key, the pop-up menu's Paste, a
// middle click) read only the start of the clipboard text, as much as the
// cell can take, and tell the user what they cut or refused.
class CellEditor : public QLineEdit {
    Q_OBJECT
public:
    CellEditor(int column, QWidget* parent) : QLineEdit(parent), column_(column)
    {
        setFrame(false);
        setValidator(new CellTextValidator(column, this));
        setProperty(LineEditPaste::kOwnPaste, true);
    }

signals:
    void pasteReported(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->matches(QKeySequence::Paste) && !isReadOnly())
            pasteFrom(QClipboard::Clipboard);
        else
            QLineEdit::keyPressEvent(event);
    }

    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::MiddleButton && !isReadOnly() && QGuiApplication::clipboard()->supportsSelection()) {
            deselect();
            pasteFrom(QClipboard::Selection);
            return;
        }
        QLineEdit::mouseReleaseEvent(event);
    }

    void contextMenuEvent(QContextMenuEvent* event) override
    {
        MakeEditMenu(this, [this] { pasteFrom(QClipboard::Clipboard); })->popup(event->globalPos());
    }

private:
    void pasteFrom(QClipboard::Mode mode)
    {
        const auto room =
            static_cast<size_t>(std::max<qsizetype>(maxLength() - text().size() + selectedText().size(), 0));
        const ClipboardPaste paste =
            CellPasteText(column_, ViewOf(ClipboardTextBytes(mode, ClipboardBytesFor(room))), room);
        if (!paste.text.empty())
            insert(toQt(paste.text));
        if (paste.report)
            emit pasteReported(Translated(*paste.report));
    }

    int column_;
};

// What lies under a cell before it is drawn: the view's background, when
// that is one opaque colour (nothing else can be kept in a picture).
std::optional<QColor> solidBackground(const QStyleOptionViewItem& cell)
{
    const auto* view = qobject_cast<const QAbstractItemView*>(cell.widget);
    if (!view || !view->viewport()->autoFillBackground())
        return std::nullopt;
    const QBrush brush = view->viewport()->palette().brush(view->viewport()->backgroundRole());
    if (brush.style() != Qt::SolidPattern || !brush.isOpaque())
        return std::nullopt;
    return brush.color();
}

// The image the painter really draws on (a widget paints into its window's
// backing store), if it is one.
const QImage* targetImage(QPainter* painter)
{
    const QPaintEngine* engine = painter->paintEngine();
    const QPaintDevice* device = engine ? engine->paintDevice() : nullptr;
    if (!device || device->devType() != QInternal::Image)
        return nullptr;
    return static_cast<const QImage*>(device);
}

} // namespace

CellDelegate::CellDelegate(QObject* parent) : QStyledItemDelegate(parent)
{
}

QWidget* CellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const
{
    auto* editor = new CellEditor(index.column(), parent);
    connect(editor, &CellEditor::pasteReported, this, &CellDelegate::pasteReported);
    return editor;
}

void CellDelegate::forgetPictures()
{
    pictures_.clear();
}

void CellDelegate::draw(QPainter* painter, const QStyleOptionViewItem& cell) const
{
    QStyle* style = cell.widget ? cell.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, cell.widget);
}

bool CellDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                             const QModelIndex& index)
{
    if (event->type() == QEvent::ToolTip && index.isValid()) {
        QStyleOptionViewItem cell = option;
        initStyleOption(&cell, index);
        const QStyle* style = view->style();
        const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &cell, view);
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
        if (cell.fontMetrics.horizontalAdvance(cell.text) > textRect.width() - 2 * margin) {
            QToolTip::showText(event->globalPos(), cell.text, view->viewport(), option.rect);
            return true;
        }
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}

void CellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QImage* target = targetImage(painter);
    const std::optional<QColor> background = solidBackground(cell);
    // A selected or alternate row lies on another background, and a look
    // the model gave this one cell would not be in the key.
    const bool plain = target && background && painter->worldTransform().type() == QTransform::TxNone &&
                       !(cell.state & QStyle::State_Selected) &&
                       !(cell.features & (QStyleOptionViewItem::Alternate | QStyleOptionViewItem::HasCheckIndicator |
                                          QStyleOptionViewItem::HasDecoration)) &&
                       cell.backgroundBrush.style() == Qt::NoBrush && cell.font == option.font &&
                       cell.palette.cacheKey() == option.palette.cacheKey();
    // A cell on a fractional pixel grid would be drawn differently.
    const qreal ratio = target ? target->devicePixelRatio() : 1;
    if (!plain || ratio != std::floor(ratio)) {
        draw(painter, cell);
        return;
    }
    const PictureKey key{cell.text,
                         cell.rect.size(),
                         int(cell.state),
                         int(cell.features),
                         int(cell.displayAlignment) | int(cell.textElideMode) << 16,
                         int(cell.direction),
                         background->rgba(),
                         target->format(),
                         ratio};
    // Pictures for four screens of the list: the cells a repaint draws again
    // (whole cells, also where the edges cut them) and room for a change of
    // state, so that the least recently drawn, which go first, are old ones.
    const QSize viewport = qobject_cast<const QAbstractItemView*>(cell.widget)->viewport()->size() * ratio;
    pictures_.setMaxCost(4 * qsizetype(viewport.width()) * viewport.height() * target->depth() / 8);
    if (const QImage* kept = pictures_.object(key)) {
        painter->drawImage(cell.rect.topLeft(), *kept);
        return;
    }
    auto picture = std::make_unique<QImage>(cell.rect.size() * ratio, target->format());
    const qsizetype bytes = picture->sizeInBytes();
    if (picture->isNull() || bytes > pictures_.maxCost()) {
        draw(painter, cell);
        return;
    }
    picture->setDevicePixelRatio(ratio);
    picture->fill(*background);
    QPainter cellPainter(picture.get());
    cellPainter.setRenderHints(painter->renderHints());
    cellPainter.setFont(painter->font());
    cellPainter.setPen(painter->pen());
    cellPainter.setBrush(painter->brush());
    cellPainter.setLayoutDirection(painter->layoutDirection());
    cellPainter.translate(-cell.rect.topLeft());
    draw(&cellPainter, cell);
    cellPainter.end();
    painter->drawImage(cell.rect.topLeft(), *picture);
    pictures_.insert(key, picture.release(), bytes);
}

size_t qHash(const CellDelegate::PictureKey& key, size_t seed)
{
    return qHashMulti(seed, key.text, key.size.width(), key.size.height(), key.state, key.features, key.alignment,
                      key.direction, key.background, int(key.format), key.pixelRatio);
}

} // namespace ombrel

#include "cell_delegate.moc"
