// Renders pictures at build time into PNG files, with the program's own SVG
// rendering, so that the pictures the window shows at start need no SVG
// parsing then:
//   prerender_pictures OUTPUT_DIR SVG_DIR NAME:WIDTHxHEIGHT...
// writes OUTPUT_DIR/NAME-WIDTHxHEIGHT.png from SVG_DIR/NAME.svg.
#include "shell/svg_picture.h"

#include <QDir>
#include <QGuiApplication>
#include <QRegularExpression>

#include <cstdio>

int main(int argc, char** argv)
{
    // The Calculate picture holds text, so the fonts must be there.
    QGuiApplication app(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() < 3) {
        std::fprintf(stderr, "usage: prerender_pictures OUTPUT_DIR SVG_DIR NAME:WIDTHxHEIGHT...\n");
        return 2;
    }
    const QDir output(arguments[1]);
    const QDir sources(arguments[2]);
    const QRegularExpression pattern(QStringLiteral("^(\\w+):(\\d+)x(\\d+)$"));
    for (const QString& request : arguments.mid(3)) {
        const QRegularExpressionMatch match = pattern.match(request);
        if (!match.hasMatch()) {
            std::fprintf(stderr, "prerender_pictures: not NAME:WIDTHxHEIGHT: %s\n", qPrintable(request));
            return 2;
        }
        const QString name = match.captured(1);
        const QSize size(match.captured(2).toInt(), match.captured(3).toInt());
        const QImage image = ombrel::RenderSvgPicture(sources.filePath(name + ".svg"), size);
        const QString file =
            output.filePath(QStringLiteral("%1-%2x%3.png").arg(name).arg(size.width()).arg(size.height()));
        if (image.isNull() || !image.save(file, "PNG")) {
            std::fprintf(stderr, "prerender_pictures: cannot make %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
