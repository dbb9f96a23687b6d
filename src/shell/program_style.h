#pragma once

#include <QProxyStyle>

namespace ombrel {

// The program's style: the style Qt chose, drawing the same pixels, with two
// changes that keep start-up short:
// - The overflow buttons of menu bars and toolbars ask it for their picture
//   only when they are drawn. Qt reads that picture from a file as each menu
//   bar and toolbar is made, and reading a picture file of unknown kind loads
//   every image-format plugin, a large part of start-up for a button rarely
//   shown.
// - A toolbar's background is drawn in strips. Qt's raster engine hands a
//   long run of pixels drawn one at a time, as the line along a toolbar's
//   edge is, to a pool of threads, and starts the threads the first time;
//   in the first paint that took longer than drawing all the rest of both
//   toolbars. In strips no run is long enough.
class ProgramStyle : public QProxyStyle {
public:
    // Wraps `base`, or a new instance of the application's current style.
    explicit ProgramStyle(QStyle* base = nullptr);
    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
};

// Makes ProgramStyle the application's style; call after QApplication is made.
void UseProgramStyle();

} // namespace ombrel
