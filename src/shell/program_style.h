#pragma once

#include <QProxyStyle>

namespace ombrel {

// The program's style: the style Qt chose, except that the overflow buttons
// of menu bars and toolbars ask it for their picture only when they are
// drawn. Qt reads that picture from a file as each menu bar and toolbar is
// made, and reading a picture file of unknown kind loads every image-format
// plugin, a large part of start-up for a button rarely shown.
class ProgramStyle : public QProxyStyle {
public:
    // Wraps `base`, or a new instance of the application's current style.
    explicit ProgramStyle(QStyle* base = nullptr);
    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

// Makes ProgramStyle the application's style; call after QApplication is made.
void UseProgramStyle();

} // namespace ombrel
