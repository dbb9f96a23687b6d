#include "test_registry.h"
#include "widgets/calc_button.h"
#include "widgets/icons.h"
#include "widgets/svg_picture.h"

#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTest>
#include <QWidget>

namespace {

int opaquePixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 128)
                ++count;
    return count;
}

bool isGreyOnly(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour = QColor::fromRgba(image.pixel(x, y));
            if (colour.alpha() > 0 && (colour.red() != colour.green() || colour.green() != colour.blue()))
                return false;
        }
    }
    return true;
}

QImage iconImage(const QIcon& icon, QIcon::Mode mode)
{
    return icon.pixmap(QSize(20, 20), 1.0, mode).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class IconsTest : public QObject {
    Q_OBJECT
private slots:
    void everyPictureRenders_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        const QSize toolbar(20, 20);
        for (const char* name : {"new", "open", "save", "export", "print", "clear", "copy", "paste", "find", "sort",
                                 "sort_ascending", "sort_descending", "mini", "exit", "edit", "prog_f", "prog_f_armed"})
            QTest::newRow(name) << QString::fromLatin1(name) << toolbar;
        for (int key = 1; key <= 12; ++key)
            QTest::newRow(qPrintable(QStringLiteral("f%1").arg(key))) << QStringLiteral("f%1").arg(key) << toolbar;
        QTest::newRow("trash_closed") << QStringLiteral("trash_closed") << QSize(32, 32);
        QTest::newRow("trash_open") << QStringLiteral("trash_open") << QSize(32, 32);
        QTest::newRow("ombrel") << QStringLiteral("ombrel") << QSize(64, 64);
        QTest::newRow("calc_normal") << QStringLiteral("calc_normal") << QSize(90, 33);
        QTest::newRow("calc_over") << QStringLiteral("calc_over") << QSize(90, 33);
        QTest::newRow("calc_down") << QStringLiteral("calc_down") << QSize(90, 33);
    }
    void everyPictureRenders()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        const QPixmap pixmap = ombrel::picture(name, size, 1.0);
        QVERIFY2(!pixmap.isNull(), qPrintable(name));
        QCOMPARE(pixmap.size(), size);
        // A picture that parses but draws nothing is as broken as a missing one.
        QVERIFY(opaquePixels(pixmap.toImage()) > size.width() * size.height() / 10);
    }

    // Each picture fills the control that shows it: the Calculate button is
    // 90 by 33 pixels and each of its three pictures reaches all four of its
    // edges; the trash and the program icon are drawn square, not
    // squeezed into a band of their square.
    void picturesFillTheirControls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("reaches"); // the drawing covers at least this box
        const QRect button(0, 0, 90, 33);
        QTest::newRow("calc_normal") << QStringLiteral("calc_normal") << QSize(90, 33) << button;
        QTest::newRow("calc_over") << QStringLiteral("calc_over") << QSize(90, 33) << button;
        QTest::newRow("calc_down") << QStringLiteral("calc_down") << QSize(90, 33) << button;
        QTest::newRow("trash_closed") << QStringLiteral("trash_closed") << QSize(32, 32) << QRect(8, 5, 16, 23);
        QTest::newRow("trash_open") << QStringLiteral("trash_open") << QSize(32, 32) << QRect(8, 5, 16, 23);
        QTest::newRow("ombrel") << QStringLiteral("ombrel") << QSize(256, 256) << QRect(16, 16, 224, 224);
    }
    void picturesFillTheirControls()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        QFETCH(QRect, reaches);
        const QImage image = ombrel::picture(name, size, 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
        QRect drawn;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qAlpha(image.pixel(x, y)) > 128)
                    drawn |= QRect(x, y, 1, 1);
        QVERIFY2(drawn.contains(reaches), qPrintable(QStringLiteral("%1: drawn over %2,%3 %4x%5")
                                                         .arg(name)
                                                         .arg(drawn.x())
                                                         .arg(drawn.y())
                                                         .arg(drawn.width())
                                                         .arg(drawn.height())));
    }

    void calculateButtonShowsEachPictureWhole_data()
    {
        QTest::addColumn<int>("picture");
        QTest::newRow("normal") << int(ombrel::CalculateButton::ButNorm);
        QTest::newRow("hot") << int(ombrel::CalculateButton::ButOver);
        QTest::newRow("pressed") << int(ombrel::CalculateButton::ButDown);
    }
    void calculateButtonShowsEachPictureWhole()
    {
        QFETCH(int, picture);
        QWidget window;
        ombrel::CalculateButton button(&window);
        button.showPicture(ombrel::CalculateButton::Picture(picture));
        QCOMPARE(button.size(), QSize(90, 33));
        const QPixmap shown = button.pixmap();
        QCOMPARE(shown.deviceIndependentSize().toSize(), QSize(90, 33));
        // The picture's own edges are on the button's edges: nothing is cut
        // off and no band of the window shows through.
        const QImage image = shown.toImage().convertToFormat(QImage::Format_ARGB32);
        const int w = image.width(), h = image.height();
        for (const QPoint at : {QPoint(w / 2, 0), QPoint(w / 2, h - 1), QPoint(0, h / 2), QPoint(w - 1, h / 2)})
            QVERIFY2(qAlpha(image.pixel(at)) > 128, qPrintable(QStringLiteral("%1,%2").arg(at.x()).arg(at.y())));
    }

    void everyBuiltInPictureIsValid()
    {
        ombrel::initResources();
        const QStringList files = QDir(QStringLiteral(":/icons")).entryList({QStringLiteral("*.svg")});
        QVERIFY(!files.isEmpty());
        for (const QString& file : files)
            QVERIFY2(QSvgRenderer(QStringLiteral(":/icons/") + file).isValid(), qPrintable(file));
    }

    // The pictures built in as raw pixels for the start must draw exactly what their
    // SVG draws at that size.
    void prerenderedPicturesMatchTheirSvg()
    {
        ombrel::initResources();
        const QStringList files = QDir(QStringLiteral(":/icons/prerendered")).entryList({QStringLiteral("*.argb")});
        QVERIFY(files.contains(QStringLiteral("calc_normal-90x33.argb")));
        QVERIFY(files.contains(QStringLiteral("new-20x20.argb")));
        const QRegularExpression pattern(QStringLiteral("^(\\w+)-(\\d+)x(\\d+)\\.argb$"));
        for (const QString& file : files) {
            const QRegularExpressionMatch match = pattern.match(file);
            QVERIFY2(match.hasMatch(), qPrintable(file));
            const QString name = match.captured(1);
            const QSize size(match.captured(2).toInt(), match.captured(3).toInt());
            const QImage shown = ombrel::picture(name, size, 1.0).toImage();
            const QImage drawn = ombrel::RenderSvgPicture(ombrel::picturePath(name), size);
            QVERIFY2(!drawn.isNull(), qPrintable(file));
            QVERIFY2(shown.convertToFormat(QImage::Format_ARGB32) == drawn.convertToFormat(QImage::Format_ARGB32),
                     qPrintable(file));
        }
    }

    void unknownPictureIsNull()
    {
        QVERIFY(ombrel::picture(QStringLiteral("no_such_picture"), QSize(16, 16)).isNull());
        QVERIFY(ombrel::toolbarIcon(QStringLiteral("no_such_picture")).isNull());
    }

    void pictureUsesDevicePixelRatio()
    {
        const QPixmap pixmap = ombrel::picture(QStringLiteral("new"), QSize(20, 20), 2.0);
        QCOMPARE(pixmap.size(), QSize(40, 40));
        QCOMPARE(pixmap.devicePixelRatio(), 2.0);
    }

    void pictureKeepsItsShape()
    {
        // The wide Calculate picture in a square is centred, not stretched.
        const QImage image = ombrel::picture(QStringLiteral("calc_normal"), QSize(90, 90), 1.0).toImage();
        QCOMPARE(qAlpha(image.pixel(45, 5)), 0);
        QCOMPARE(qAlpha(image.pixel(45, 84)), 0);
        QVERIFY(qAlpha(image.pixel(45, 45)) > 200);
    }

    void toolbarIconHasThreeLooks_data()
    {
        QTest::addColumn<QString>("name");
        for (const char* name : {"new", "save", "copy", "sort_ascending", "exit", "f7", "prog_f"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void toolbarIconHasThreeLooks()
    {
        QFETCH(QString, name);
        const QIcon icon = ombrel::toolbarIcon(name);
        QVERIFY(!icon.isNull());
        const QImage normal = iconImage(icon, QIcon::Normal);
        const QImage hot = iconImage(icon, QIcon::Active);
        const QImage disabled = iconImage(icon, QIcon::Disabled);
        QCOMPARE(normal.size(), QSize(20, 20));
        QVERIFY(normal != hot);
        QVERIFY(normal != disabled);
        QVERIFY(hot != disabled);
        // Hot puts a tile behind the picture; disabled keeps the shape but loses the colour.
        QVERIFY(opaquePixels(hot) > opaquePixels(normal));
        QVERIFY(qAlpha(hot.pixel(1, 10)) > 128);
        QVERIFY(isGreyOnly(disabled));
        QVERIFY(!isGreyOnly(normal));
        QVERIFY(opaquePixels(disabled) > 0);
    }

    void toolbarIconScalesWithRequest()
    {
        const QIcon icon = ombrel::toolbarIcon(QStringLiteral("find"));
        QCOMPARE(icon.pixmap(QSize(16, 16), 1.0).size(), QSize(16, 16));
        QCOMPARE(icon.pixmap(QSize(24, 24), 2.0).size(), QSize(48, 48));
    }

    void programIconOffersSeveralSizes()
    {
        const QIcon icon = ombrel::programIcon();
        QVERIFY(!icon.isNull());
        QVERIFY(icon.availableSizes().contains(QSize(16, 16)));
        QVERIFY(icon.availableSizes().contains(QSize(256, 256)));
    }
};

OMBREL_TEST_CLASS(IconsTest)
#include "icons_test.moc"
