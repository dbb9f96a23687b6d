// Renders pictures at build time, with the program's own SVG rendering, into
// raw premultiplied ARGB32 pixels in this machine's byte order, so that the
// pictures the window shows at start need no parsing or decoding then:
//   prerender_pictures OUTPUT_DIR SVG_DIR NAME:WIDTHxHEIGHT...
// writes OUTPUT_DIR/NAME-WIDTHxHEIGHT.argb from SVG_DIR/NAME.svg.
#include "widgets/svg_picture.h"

#include <QDir>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QSaveFile>

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
            output.filePath(QStringLiteral("%1-%2x%3.argb").arg(name).arg(size.width()).arg(size.height()));
        QSaveFile out(file);
        if (image.isNull() || !out.open(QIODevice::WriteOnly) ||
            out.write(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()) != image.sizeInBytes() ||
            !out.commit()) {
            std::fprintf(stderr, "prerender_pictures: cannot make %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
