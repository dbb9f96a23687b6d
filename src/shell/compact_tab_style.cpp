#include "shell/compact_tab_style.h"

#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTabBar>

namespace ombrel {
namespace {

constexpr int kSidePadding = 4;
constexpr int kEndPadding = 3;
constexpr int kCurrentLineWidth = 2;
const QColor kCurrentLineColour(0x2f, 0x6f, 0x73);

bool isCurrent(const QStyleOption& option)
{
    return option.state & QStyle::State_Selected;
}

// Where a tab's text goes: inside the padding, and above the current tab's
// line.
QRect textArea(const QRect& tab, bool current)
{
    return tab.adjusted(kSidePadding, kEndPadding, -kSidePadding, -kEndPadding - (current ? kCurrentLineWidth : 0));
}

// Qt's classic style, which draws the bevelled tabs; the measures it asks
// for come from the compact style, and so from the style Qt chose.
class ClassicTabs : public QProxyStyle {
public:
    explicit ClassicTabs(const QStyle& measures) : QProxyStyle(QStyleFactory::create("windows")), measures_(measures) {}

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        return measures_.pixelMetric(metric, option, widget);
    }
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* answer) const override
    {
        return measures_.styleHint(hint, option, widget, answer);
    }

private:
    const QStyle& measures_;
};

} // namespace

CompactTabStyle::CompactTabStyle() : classicTabs_(std::make_unique<ClassicTabs>(*this))
{
}

int CompactTabStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    switch (metric) {
    // The padding is all the room a tab has, and no tab's text moves
    // when it becomes current.
    case PM_TabBarTabHSpace:
    case PM_TabBarTabVSpace:
    case PM_TabBarTabShiftHorizontal:
    case PM_TabBarTabShiftVertical:
        return 0;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

QSize CompactTabStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& contentsSize,
                                        const QWidget* widget) const
{
    if (type != CT_TabBarTab)
        return QProxyStyle::sizeFromContents(type, option, contentsSize, widget);
    return contentsSize + QSize(2 * kSidePadding, 2 * kEndPadding + (isCurrent(*option) ? kCurrentLineWidth : 0));
}

QRect CompactTabStyle::subElementRect(SubElement element, const QStyleOption* option, const QWidget* widget) const
{
    const auto* tab = qstyleoption_cast<const QStyleOptionTab*>(option);
    if (element != SE_TabBarTabText || !tab)
        return QProxyStyle::subElementRect(element, option, widget);
    // Measured from the whole tab, whether the option holds the whole tab
    // or, while the label is drawn, its text area. The text area is ours
    // alone: a platform theme that wraps the style in a proxy of its own
    // (qt6ct) would otherwise take the base style's tab padding off again.
    const auto* bar = qobject_cast<const QTabBar*>(widget);
    return textArea(bar && tab->tabIndex != -1 ? bar->tabRect(tab->tabIndex) : tab->rect, isCurrent(*tab));
}

void CompactTabStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                  const QWidget* widget) const
{
    const auto* tab = qstyleoption_cast<const QStyleOptionTab*>(option);
    if (!tab || (element != CE_TabBarTabShape && element != CE_TabBarTabLabel)) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    const bool current = isCurrent(*tab);
    if (element == CE_TabBarTabLabel) {
        // Drawn here for the same reason: the base style's label takes its padding off the text.
        int alignment = Qt::AlignCenter | Qt::TextShowMnemonic;
        if (!proxy()->styleHint(SH_UnderlineShortcut, tab, widget))
            alignment |= Qt::TextHideMnemonic;
        const QRect area = textArea(tab->rect, current);
        proxy()->drawItemText(painter, area, alignment, tab->palette, tab->state & State_Enabled, tab->text,
                              QPalette::WindowText);
        if (tab->state & State_HasFocus) {
            // Where Qt's own label draws the keyboard's frame.
            const int offset = 1 + proxy()->pixelMetric(PM_DefaultFrameWidth, tab, widget);
            QStyleOptionFocusRect frame;
            frame.QStyleOption::operator=(*tab);
            frame.rect.setRect(area.left() + 1 + offset, area.y() + offset, area.width() - 2 - 2 * offset,
                               area.height() - 2 * offset);
            proxy()->drawPrimitive(PE_FrameFocusRect, &frame, painter, widget);
        }
    } else if (current) {
        const QRect& r = tab->rect;
        painter->fillRect(r, tab->palette.base());
        painter->fillRect(r.x(), r.bottom() + 1 - kCurrentLineWidth, r.width(), kCurrentLineWidth, kCurrentLineColour);
    } else {
        classicTabs_->drawControl(element, tab, painter, widget);
    }
}

void UseCompactTabs(QTabBar* bar)
{
    auto* style = new CompactTabStyle;
    style->setParent(bar);
    bar->setStyle(style);
}

} // namespace ombrel
