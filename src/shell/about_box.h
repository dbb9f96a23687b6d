#pragma once

#include <QColor>
#include <QDialog>
#include <QLabel>
#include <QString>
#include <QUrl>

#include <functional>

namespace ombrel {

// A label whose text is filled with a vertical gradient. A clickable one
// takes the mouse for itself and reports a click; any other lets presses
// through to the window behind it.
class GradientLabel : public QLabel {
    Q_OBJECT
public:
    explicit GradientLabel(const QString& text, QWidget* parent = nullptr);

    void setGradient(const QColor& top, const QColor& bottom);
    void setClickable(bool clickable);
    bool isClickable() const { return clickable_; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QColor top_;
    QColor bottom_;
    bool clickable_ = false;
    bool pressed_ = false;
};

// The About box: borderless, centred on the screen, closed by a key or a
// click anywhere except on the two addresses, which open the mail program and
// the web browser.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    using UrlOpener = std::function<void(const QUrl&)>;

    explicit TAboutBox(QWidget* parent = nullptr);

    // Shown in the `Version` label, e.g. "Version 1.65".
    void setVersionText(const QString& text);
    QString versionText() const { return versionText_; }

    // Opens the mail and web links; the platform's handler by default.
    void setUrlOpener(UrlOpener opener);

    static QString emailAddress();
    static QUrl webAddress();

    QLabel* ProgramIcon;
    ombrel::GradientLabel* ProductName;
    QLabel* Version;
    QLabel* Comments;
    QLabel* Copyright;
    ombrel::GradientLabel* Label3;
    ombrel::GradientLabel* GradLabel2;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Label3Click();
    void GradLabel2Click();

    QString versionText_;
    UrlOpener openUrl_;
};

} // namespace ombrel
