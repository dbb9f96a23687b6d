#include "shell/program_style.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>

#include <optional>

namespace ombrel {
namespace {

// Stands for one of a style's standard icons and asks the style for it the
// first time the icon is measured or drawn; from then on it draws exactly
// what the style's icon draws.
class StyleIconEngine : public QIconEngine {
public:
    // The option is kept without its kind and its object: what these icons
    // depend on is the layout direction.
    StyleIconEngine(const QStyle* style, QStyle::StandardPixmap which, const QStyleOption* option,
                    const QWidget* widget)
        : style_(style), which_(which), widget_(widget)
    {
        if (option) {
            option_.emplace(*option);
            option_->styleObject = nullptr;
        }
    }

    QIconEngine* clone() const override
    {
        return new StyleIconEngine(style_, which_, option_ ? &*option_ : nullptr, widget_);
    }
    QString key() const override { return QStringLiteral("OmbrelStyleIcon"); }
    // The overflow pictures always exist; answering without the style keeps
    // the check cheap.
    bool isNull() override { return false; }

    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, 1.0, mode, state);
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }

private:
    const QIcon& icon()
    {
        if (!icon_)
            icon_ = style_ ? style_->standardIcon(which_, option_ ? &*option_ : nullptr, widget_) : QIcon();
        return *icon_;
    }

    QPointer<const QStyle> style_;
    QStyle::StandardPixmap which_;
    std::optional<QStyleOption> option_;
    QPointer<const QWidget> widget_;
    std::optional<QIcon> icon_;
};

} // namespace

ProgramStyle::ProgramStyle(QStyle* base)
    : QProxyStyle(base ? base : QStyleFactory::create(QApplication::style()->name()))
{
}

QIcon ProgramStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option, const QWidget* widget) const
{
    if (standardIcon == SP_ToolBarHorizontalExtensionButton || standardIcon == SP_ToolBarVerticalExtensionButton)
        return QIcon(new StyleIconEngine(baseStyle(), standardIcon, option, widget));
    return QProxyStyle::standardIcon(standardIcon, option, widget);
}

void ProgramStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                               const QWidget* widget) const
{
    if (element != CE_ToolBar) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    // The raster engine shares out runs of 96 pixels and more.
    constexpr int kStrip = 64;
    const QRect bar = option->rect;
    const bool across = option->state & State_Horizontal;
    const int length = across ? bar.width() : bar.height();
    for (int start = 0; start < length; start += kStrip) {
        painter->save();
        painter->setClipRect(across ? QRect(bar.left() + start, bar.top(), kStrip, bar.height())
                                    : QRect(bar.left(), bar.top() + start, bar.width(), kStrip),
                             Qt::IntersectClip);
        QProxyStyle::drawControl(element, option, painter, widget);
        painter->restore();
    }
}

void UseProgramStyle()
{
    QApplication::setStyle(new ProgramStyle);
}

} // namespace ombrel
