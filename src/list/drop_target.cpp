#include "list/drop_target.h"

#include "list/timecode_mime.h"

#include <QDropEvent>
#include <QWidget>

namespace ombrel {

namespace {

class DropTargetFilter : public QObject {
public:
    DropTargetFilter(QWidget* widget, DropTarget target, DropHandlers handlers)
        : QObject(widget), target_(target), handlers_(std::move(handlers))
    {
        widget->setAcceptDrops(true);
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* move = static_cast<QDragMoveEvent*>(event);
            if (!take(move))
                return true;
            if (event->type() == QEvent::DragEnter && handlers_.hovered)
                handlers_.hovered(true);
            return true;
        }
        case QEvent::DragLeave:
            if (handlers_.hovered)
                handlers_.hovered(false);
            return true;
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const std::optional<TimecodeDrag> drag = take(drop);
            if (handlers_.hovered)
                handlers_.hovered(false);
            if (drag)
                handlers_.dropped(*drag);
            return true;
        }
        default:
            return false;
        }
    }

private:
    std::optional<TimecodeDrag> take(QDropEvent* event) const
    {
        std::optional<TimecodeDrag> drag = acceptedDrag(event->mimeData(), target_, handlers_.calcCount());
        if (drag)
            event->acceptProposedAction();
        else
            event->ignore();
        return drag;
    }

    DropTarget target_;
    DropHandlers handlers_;
};

} // namespace

void makeDropTarget(QWidget* widget, DropTarget target, DropHandlers handlers)
{
    new DropTargetFilter(widget, target, std::move(handlers));
}

} // namespace ombrel
