// A small window of another program, for tests that switch away from
// Ombrel and back as a user does, or that drag into it from elsewhere:
//   e2e_other_client                  a text field
//   e2e_other_client --drag-file F    a label that drags the file F (a URL)
//   e2e_other_client --drag-text T    a label that drags the plain text T
#include <QApplication>
#include <QDrag>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

namespace {

class DragSource : public QLabel {
public:
    DragSource(const QString& option, const QString& value) : QLabel(value), option_(option), value_(value) {}

protected:
    void mousePressEvent(QMouseEvent* event) override { pressedAt_ = event->position().toPoint(); }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        if (!(event->buttons() & Qt::LeftButton) ||
            (event->position().toPoint() - pressedAt_).manhattanLength() < QApplication::startDragDistance())
            return;
        auto* data = new QMimeData;
        if (option_ == "--drag-file")
            data->setUrls({QUrl::fromLocalFile(value_)});
        else
            data->setText(value_);
        auto* drag = new QDrag(this);
        drag->setMimeData(data);
        drag->exec(Qt::CopyAction);
    }

private:
    QString option_;
    QString value_;
    QPoint pressedAt_;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() == 3) {
        DragSource source(arguments[1], arguments[2]);
        source.setWindowTitle("Other client");
        source.setGeometry(600, 560, 300, 60);
        source.show();
        return app.exec();
    }
    QLineEdit field;
    field.setWindowTitle("Other client");
    field.setGeometry(600, 100, 200, 30);
    field.show();
    return app.exec();
}
