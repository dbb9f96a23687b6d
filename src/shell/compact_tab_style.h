#pragma once

#include <QProxyStyle>

#include <memory>

class QTabBar;

namespace ombrel {

// The main window's compact tabs, so that six of them share the narrow
// window: each tab is its text with 4 pixels on either side and 3 above and
// below; the current tab lies on the base colour over a 2-pixel line, the
// others keep the bevelled look of Qt's classic tabs. Everything else is
// the style Qt chose, as for the rest of the program.
class CompactTabStyle : public QProxyStyle {
public:
    CompactTabStyle();

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& contentsSize,
                           const QWidget* widget = nullptr) const override;
    QRect subElementRect(SubElement element, const QStyleOption* option,
                         const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;

private:
    std::unique_ptr<QStyle> classicTabs_;
};

// Gives `bar` the compact tabs; the style lives as long as the bar.
void UseCompactTabs(QTabBar* bar);

} // namespace ombrel
