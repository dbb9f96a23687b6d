#include "shell/about_box.h"

#include "widgets/icons.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

namespace ombrel {

GradientLabel::GradientLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent), top_(Qt::white), bottom_(Qt::white)
{
}

void GradientLabel::setGradient(const QColor& top, const QColor& bottom)
{
    top_ = top;
    bottom_ = bottom;
    update();
}

void GradientLabel::setClickable(bool clickable)
{
    clickable_ = clickable;
    setCursor(clickable ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void GradientLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF metrics(font());
    const QRectF area = contentsRect();
    const qreal textWidth = metrics.horizontalAdvance(text());
    qreal x = area.left();
    if (alignment() & Qt::AlignRight)
        x = area.right() - textWidth;
    else if (alignment() & Qt::AlignHCenter)
        x = area.left() + (area.width() - textWidth) / 2;
    const qreal baseline = area.top() + (area.height() - metrics.height()) / 2 + metrics.ascent();

    QPainterPath path;
    path.addText(x, baseline, font(), text());

    // A soft shadow keeps light text readable where the background turns light.
    painter.fillPath(path.translated(1, 1), QColor(0, 0, 0, 110));
    QLinearGradient fill(0, baseline - metrics.ascent(), 0, baseline + metrics.descent());
    fill.setColorAt(0, top_);
    fill.setColorAt(1, bottom_);
    painter.fillPath(path, fill);
}

void GradientLabel::mousePressEvent(QMouseEvent* event)
{
    if (!clickable_) {
        event->ignore();
        return;
    }
    // A link keeps every press to itself, so a stray right click does not close the box.
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void GradientLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (!clickable_) {
        event->ignore();
        return;
    }
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click)
        emit clicked();
}

namespace {

const QColor textColor(0xe3, 0xf6, 0xf6);

QFont pixelFont(int pixels, bool bold = false, bool underline = false)
{
    QFont font;
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

QLabel* plainLabel(const QString& text, int pixels, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setFont(pixelFont(pixels));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, textColor);
    label->setPalette(palette);
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      openUrl_([](const QUrl& url) { QDesktopServices::openUrl(url); })
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(tr("About Ombrel"));
    setFixedSize(308, 165);
    setFocusPolicy(Qt::StrongFocus);

    ProgramIcon = new QLabel(this);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setGeometry(20, 18, 72, 72);
    ProgramIcon->setPixmap(ombrel::picture(QStringLiteral("ombrel"), QSize(72, 72)));
    ProgramIcon->setToolTip(tr("Click to Return"));
    ProgramIcon->setAccessibleName(QStringLiteral("Ombrel"));

    ProductName = new ombrel::GradientLabel(QStringLiteral("Ombrel"), this);
    ProductName->setObjectName(QStringLiteral("ProductName"));
    ProductName->setFont(pixelFont(32, true));
    ProductName->setGradient(QColor(0xff, 0xff, 0xff), QColor(0x3c, 0xc8, 0xca));
    ProductName->setGeometry(104, 12, 190, 44);

    Version = plainLabel(QString(), 12, this);
    Version->setObjectName(QStringLiteral("Version"));
    Version->setGeometry(106, 56, 188, 16);

    Copyright = plainLabel(QStringLiteral("\u00a9 Brontel"), 12, this);
    Copyright->setObjectName(QStringLiteral("Copyright"));
    Copyright->setGeometry(106, 74, 188, 16);

    Comments = plainLabel(tr("Timecode arithmetic for film and video"), 12, this);
    Comments->setObjectName(QStringLiteral("Comments"));
    Comments->setGeometry(20, 104, 270, 16);
    // A longer translation takes more lines, and the box grows under them.
    Comments->setWordWrap(true);
    const int moreLines = Comments->heightForWidth(Comments->width()) - Comments->heightForWidth(QWIDGETSIZE_MAX);
    Comments->resize(Comments->width(), Comments->height() + moreLines);
    setFixedSize(width(), height() + moreLines);

    Label3 = new ombrel::GradientLabel(emailAddress(), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setFont(pixelFont(12));
    Label3->setGradient(QColor(0xff, 0xff, 0xff), QColor(0xb4, 0xec, 0xed));
    Label3->setClickable(true);
    Label3->adjustSize();
    Label3->move(20, 134 + moreLines);

    GradLabel2 = new ombrel::GradientLabel(webAddress().host(), this);
    GradLabel2->setObjectName(QStringLiteral("GradLabel2"));
    GradLabel2->setFont(pixelFont(12, false, true));
    GradLabel2->setGradient(QColor(0xff, 0xff, 0xff), QColor(0x6f, 0xdf, 0xe1));
    GradLabel2->setClickable(true);
    GradLabel2->setToolTip(tr("Launch Web Browser"));
    GradLabel2->adjustSize();
    GradLabel2->move(width() - 20 - GradLabel2->width(), 134 + moreLines);

    connect(Label3, &ombrel::GradientLabel::clicked, this, &TAboutBox::Label3Click);
    connect(GradLabel2, &ombrel::GradientLabel::clicked, this, &TAboutBox::GradLabel2Click);
}

QString TAboutBox::emailAddress()
{
    return QStringLiteral("support@ombrel.example");
}

QUrl TAboutBox::webAddress()
{
    return QUrl(QStringLiteral("https://ombrel.example/"));
}

void TAboutBox::setVersionText(const QString& text)
{
    versionText_ = text;
    Version->setText(text);
}

void TAboutBox::setUrlOpener(UrlOpener opener)
{
    openUrl_ = std::move(opener);
}

void TAboutBox::Label3Click()
{
    openUrl_(QUrl(QStringLiteral("mailto:") + emailAddress()));
}

void TAboutBox::GradLabel2Click()
{
    openUrl_(webAddress());
}

void TAboutBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QLinearGradient background(0, 0, width() * 0.35, height());
    background.setColorAt(0, QColor(0x13, 0x8d, 0x90));
    background.setColorAt(1, Qt::black);
    painter.fillRect(rect(), background);

    painter.setPen(QColor(0x6f, 0xdf, 0xe1, 90));
    painter.drawLine(20, 98, width() - 20, 98);

    // Without a frame the box needs an edge of its own against dark windows.
    painter.setPen(QColor(0x0b, 0x5c, 0x5e));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TAboutBox::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    accept();
}

void TAboutBox::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    accept();
}

void TAboutBox::showEvent(QShowEvent* event)
{
    Version->setText(versionText_);
    if (QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

} // namespace ombrel
