#include "widgets/icons.h"

#include "widgets/svg_picture.h"

#include <QFile>
#include <QGuiApplication>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmapCache>
#include <QResource>

#include <cmath>
#include <cstring>
#include <optional>

// Q_INIT_RESOURCE declares a global function, so it is used outside the namespace.
static void registerOmbrelResources()
{
    Q_INIT_RESOURCE(icons);
    Q_INIT_RESOURCE(help);
}

namespace ombrel {
namespace {

// The teal of the toolbar's hot tile; it matches the accent of the pictures.
const QColor hotTileFill(0xd2, 0xf1, 0xf1);
const QColor hotTileBorder(0x14, 0x99, 0x9b);

// The pictures the window shows at start are also built in as raw pixels at
// the sizes drawn there, so starting parses no SVG and decodes no file (an
// image reader would load every image-format plugin); other sizes render from
// the SVG. Both give the same pixels.
QImage renderImage(const QString& name, QSize pixelSize)
{
    initResources();
    const QResource prerendered(
        QStringLiteral(":/icons/prerendered/%1-%2x%3.argb").arg(name).arg(pixelSize.width()).arg(pixelSize.height()));
    // Stored uncompressed, so this reads the program's own memory in place.
    const QByteArray pixels = prerendered.uncompressedData();
    QImage image(pixelSize, QImage::Format_ARGB32_Premultiplied);
    if (!image.isNull() && pixels.size() == image.sizeInBytes()) {
        std::memcpy(image.bits(), pixels.constData(), pixels.size());
        return image;
    }
    return RenderSvgPicture(picturePath(name), pixelSize);
}

// Grey, lighter and half transparent, so a disabled button reads as "not now"
// without losing its shape.
QImage disabledImage(QImage image)
{
    image = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = line[x];
            const int grey = 110 + qGray(pixel) * 120 / 255;
            line[x] = qRgba(grey, grey, grey, qAlpha(pixel) * 55 / 100);
        }
    }
    return image;
}

QImage hotImage(const QImage& glyph)
{
    QImage image(glyph.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal pen = std::max<qreal>(1.0, image.width() / 20.0);
    const QRectF tile = QRectF(image.rect()).adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2);
    const qreal radius = image.width() / 6.0;
    painter.setPen(QPen(hotTileBorder, pen));
    painter.setBrush(hotTileFill);
    painter.drawRoundedRect(tile, radius, radius);
    painter.drawImage(0, 0, glyph);
    return image;
}

class ToolbarIconEngine : public QIconEngine {
public:
    explicit ToolbarIconEngine(QString name) : name_(std::move(name)) {}

    QIconEngine* clone() const override { return new ToolbarIconEngine(name_); }
    QString key() const override { return QStringLiteral("OmbrelToolbarIcon"); }
    QString iconName() override { return name_; }
    // Asked again and again as a button is laid out and drawn; the built-in
    // pictures do not come and go, so the first answer stands.
    bool isNull() override
    {
        if (!exists_)
            exists_ = QFile::exists(picturePath(name_));
        return !*exists_;
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override
    {
        const QString cacheKey =
            QStringLiteral("ombrel-tb-%1-%2x%3-%4").arg(name_).arg(size.width()).arg(size.height()).arg(int(mode));
        QPixmap cached;
        if (QPixmapCache::find(cacheKey, &cached))
            return cached;
        QImage image = renderImage(name_, size);
        if (image.isNull())
            return {};
        if (mode == QIcon::Disabled)
            image = disabledImage(image);
        else if (mode == QIcon::Active)
            image = hotImage(image);
        cached = QPixmap::fromImage(image);
        QPixmapCache::insert(cacheKey, cached);
        return cached;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        const QSize pixels(std::lround(rect.width() * ratio), std::lround(rect.height() * ratio));
        painter->drawPixmap(rect, pixmap(pixels, mode, state));
    }

private:
    QString name_;
    std::optional<bool> exists_;
};

} // namespace

void initResources()
{
    static const bool registered = (registerOmbrelResources(), true);
    Q_UNUSED(registered);
}

QString picturePath(const QString& name)
{
    initResources();
    return QStringLiteral(":/icons/%1.svg").arg(name);
}

QPixmap picture(const QString& name, QSize size)
{
    return picture(name, size, qApp ? qApp->devicePixelRatio() : 1.0);
}

QPixmap picture(const QString& name, QSize size, qreal devicePixelRatio)
{
    const QSize pixels(std::lround(size.width() * devicePixelRatio), std::lround(size.height() * devicePixelRatio));
    const QImage image = renderImage(name, pixels);
    if (image.isNull())
        return {};
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

QIcon toolbarIcon(const QString& name)
{
    return QIcon(new ToolbarIconEngine(name));
}

QIcon programIcon()
{
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(picture(QStringLiteral("ombrel"), QSize(side, side), 1.0));
    return icon;
}

} // namespace ombrel
