#pragma once

#include <QString>
#include <QWidget>

namespace ombrel {

// One panel of a status bar. It asks for room for its whole text (never
// less than its least width); where the bar cannot give that room, it
// shows what fits, ended by "...", and the whole text as its tooltip.
class StatusPanel : public QWidget {
    Q_OBJECT
public:
    StatusPanel(const QString& objectName, int leastWidth, Qt::Alignment alignment, QWidget* parent);

    QString text() const { return text_; }
    void setText(const QString& text);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int measureText() const;
    void updateToolTip();

    QString text_;
    int textWidth_ = measureText(); // with the margins
    int leastWidth_;
    Qt::Alignment alignment_;
};

} // namespace ombrel
