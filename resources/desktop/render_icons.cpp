// Renders the program's icon at build time, with the program's own SVG
// rendering, into the PNG sizes desktops look for in the hicolor theme:
//   render_icons SVG OUTPUT_DIR SIZE...
// writes OUTPUT_DIR/SIZExSIZE/apps/NAME.png, NAME being the SVG's.
#include "widgets/svg_picture.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() < 4) {
        std::fprintf(stderr, "usage: render_icons SVG OUTPUT_DIR SIZE...\n");
        return 2;
    }
    const QString svg = arguments[1];
    const QString name = QFileInfo(svg).completeBaseName();
    for (const QString& sizeText : arguments.mid(3)) {
        bool isNumber = false;
        const int size = sizeText.toInt(&isNumber);
        if (!isNumber || size < 1 || size > 1024) {
            std::fprintf(stderr, "render_icons: not a size: %s\n", qPrintable(sizeText));
            return 2;
        }
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(arguments[2]).arg(size);
        const QString file = folder + '/' + name + ".png";
        const QImage image = ombrel::RenderSvgPicture(svg, QSize(size, size));
        QSaveFile out(file);
        if (image.isNull() || !QDir().mkpath(folder) || !out.open(QIODevice::WriteOnly) || !image.save(&out, "PNG") ||
            !out.commit()) {
            std::fprintf(stderr, "render_icons: cannot make %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
