#include "shell/program_style.h"
#include "test_registry.h"

#include <QImage>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTest>

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
};

OMBREL_TEST_CLASS(ProgramStyleTest)
#include "program_style_test.moc"
