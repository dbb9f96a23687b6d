#include "settings/contrast.h"
#include "test_registry.h"

#include <QTest>

using namespace ombrel;

Q_DECLARE_METATYPE(ombrel::Rgb)

class ContrastTest : public QObject {
    Q_OBJECT
private slots:
    void ratio_data()
    {
        QTest::addColumn<Rgb>("first");
        QTest::addColumn<Rgb>("second");
        QTest::addColumn<double>("expected");
        QTest::newRow("black on white") << Rgb{0, 0, 0} << Rgb{255, 255, 255} << 21.0;
        QTest::newRow("order does not matter") << Rgb{255, 255, 255} << Rgb{0, 0, 0} << 21.0;
        QTest::newRow("same colour") << Rgb{0x35, 0x35, 0x35} << Rgb{0x35, 0x35, 0x35} << 1.0;
        // Navy list text on a dark "Window" background.
        QTest::newRow("navy on dark grey") << Rgb{0, 0, 0x80} << Rgb{0x35, 0x35, 0x35} << 1.31;
        QTest::newRow("mid grey on white") << Rgb{0x76, 0x76, 0x76} << Rgb{255, 255, 255} << 4.54;
        QTest::newRow("channels out of range are clamped") << Rgb{-20, -1, 0} << Rgb{300, 256, 255} << 21.0;
    }
    void ratio()
    {
        QFETCH(Rgb, first);
        QFETCH(Rgb, second);
        QFETCH(double, expected);
        QCOMPARE(qRound(ContrastRatio(first, second) * 100), qRound(expected * 100));
    }

    void readableText_data()
    {
        QTest::addColumn<Rgb>("chosen");
        QTest::addColumn<Rgb>("fallback");
        QTest::addColumn<Rgb>("background");
        QTest::addColumn<Rgb>("expected");
        const Rgb navy{0, 0, 0x80}, white{255, 255, 255}, dark{0x35, 0x35, 0x35}, black{0, 0, 0};
        QTest::newRow("chosen reads: kept") << navy << black << white << navy;
        QTest::newRow("chosen too dim: palette text") << navy << white << dark << white;
        QTest::newRow("palette text no better: chosen kept") << navy << Rgb{0x30, 0x30, 0x30} << dark << navy;
        QTest::newRow("just at the limit: kept") << Rgb{0x76, 0x76, 0x76} << black << white << Rgb{0x76, 0x76, 0x76};
    }
    void readableText()
    {
        QFETCH(Rgb, chosen);
        QFETCH(Rgb, fallback);
        QFETCH(Rgb, background);
        QFETCH(Rgb, expected);
        const Rgb drawn = ReadableTextColour(chosen, fallback, background);
        QCOMPARE(drawn.red, expected.red);
        QCOMPARE(drawn.green, expected.green);
        QCOMPARE(drawn.blue, expected.blue);
    }
};

OMBREL_TEST_CLASS(ContrastTest)
#include "contrast_test.moc"
