#include "shell/program_style.h"
#include "test_registry.h"

#include <QImage>
#include <QMainWindow>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <memory>

namespace {

// A style that counts how often it is asked for a standard icon.
class CountingStyle : public QProxyStyle {
public:
    CountingStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}
    mutable int asked = 0;
    QIcon standardIcon(StandardPixmap which, const QStyleOption* option, const QWidget* widget) const override
    {
        ++asked;
        return QProxyStyle::standardIcon(which, option, widget);
    }
};

QImage painted(const QIcon& icon, QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    icon.paint(&painter, image.rect());
    return image;
}

// A main window with one toolbar along `area`, drawn in `style`, as the
// screen would show it at `ratio` device pixels per pixel.
QImage windowWithToolBar(QStyle* style, Qt::ToolBarArea area, QSize size, qreal ratio)
{
    QMainWindow window;
    window.setStyle(style);
    auto* toolBar = new QToolBar(&window);
    toolBar->setStyle(style);
    toolBar->setMovable(false);
    for (int b = 0; b < 4; ++b) {
        auto* button = new QToolButton(toolBar);
        button->setStyle(style);
        button->setText("B");
        toolBar->addWidget(button);
    }
    window.addToolBar(area, toolBar);
    window.resize(size);
    window.show();
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    window.render(&image);
    return image;
}

} // namespace

class ProgramStyleTest : public QObject {
    Q_OBJECT
private slots:
    void overflowPictureComesFromTheStyleWhenDrawn_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<Qt::LayoutDirection>("direction");
        QTest::newRow("horizontal") << int(QStyle::SP_ToolBarHorizontalExtensionButton) << Qt::LeftToRight;
        QTest::newRow("vertical") << int(QStyle::SP_ToolBarVerticalExtensionButton) << Qt::LeftToRight;
        QTest::newRow("horizontal, right to left")
            << int(QStyle::SP_ToolBarHorizontalExtensionButton) << Qt::RightToLeft;
    }
    void overflowPictureComesFromTheStyleWhenDrawn()
    {
        QFETCH(int, which);
        QFETCH(Qt::LayoutDirection, direction);
        const auto pixmap = QStyle::StandardPixmap(which);
        auto* base = new CountingStyle;
        ombrel::ProgramStyle style(base);
        QStyleOption option;
        option.direction = direction;
        const QIcon icon = style.standardIcon(pixmap, &option);
        QVERIFY(!icon.isNull());
        QCOMPARE(base->asked, 0);

        const std::unique_ptr<QStyle> reference(QStyleFactory::create(QStringLiteral("Fusion")));
        const QIcon expected = reference->standardIcon(pixmap, &option);
        for (const qreal ratio : {1.0, 2.0})
            for (const int side : {8, 16, 32})
                QCOMPARE(icon.pixmap(QSize(side, side), ratio).toImage(),
                         expected.pixmap(QSize(side, side), ratio).toImage());
        QCOMPARE(painted(icon, QSize(24, 24)), painted(expected, QSize(24, 24)));
        QCOMPARE(icon.actualSize(QSize(64, 64)), expected.actualSize(QSize(64, 64)));
        QCOMPARE(base->asked, 1);
    }

    // Toolbars are drawn in strips; what shows must be what the style draws
    // in one go, seams included, along either side and at any pixel ratio.
    void toolBarsLookAsTheStyleDrawsThem_data()
    {
        QTest::addColumn<int>("area");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("top, wide") << int(Qt::TopToolBarArea) << QSize(331, 120) << 1.0;
        QTest::newRow("top, 2x") << int(Qt::TopToolBarArea) << QSize(331, 120) << 2.0;
        QTest::newRow("top, 1.5x") << int(Qt::TopToolBarArea) << QSize(333, 120) << 1.5;
        QTest::newRow("bottom") << int(Qt::BottomToolBarArea) << QSize(200, 100) << 1.0;
        QTest::newRow("left, tall") << int(Qt::LeftToolBarArea) << QSize(200, 400) << 1.0;
        QTest::newRow("right, 2x") << int(Qt::RightToolBarArea) << QSize(150, 260) << 2.0;
    }
    void toolBarsLookAsTheStyleDrawsThem()
    {
        QFETCH(int, area);
        QFETCH(QSize, size);
        QFETCH(qreal, ratio);
        const auto toolBarArea = Qt::ToolBarArea(area);
        const std::unique_ptr<QStyle> base(QStyleFactory::create(QStringLiteral("Fusion")));
        ombrel::ProgramStyle style(QStyleFactory::create(QStringLiteral("Fusion")));
        const QImage expected = windowWithToolBar(base.get(), toolBarArea, size, ratio);
        QCOMPARE(windowWithToolBar(&style, toolBarArea, size, ratio), expected);
    }
};

OMBREL_TEST_CLASS(ProgramStyleTest)
#include "program_style_test.moc"
