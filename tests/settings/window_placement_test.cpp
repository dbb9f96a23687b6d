#include "settings/window_placement.h"
#include "test_registry.h"

#include <QTest>

#include <limits>

using namespace ombrel;

namespace {

constexpr int kMost = std::numeric_limits<int>::max();
constexpr int kLeast = std::numeric_limits<int>::min();

// Two screens side by side, the second one lower and smaller.
const std::vector<ScreenRect> kScreens{{0, 0, 1920, 1040}, {1920, 200, 1280, 984}};

} // namespace

Q_DECLARE_METATYPE(ombrel::WindowPosition)
Q_DECLARE_METATYPE(ombrel::ScreenRect)

class WindowPlacementTest : public QObject {
    Q_OBJECT

private slots:
    void placement_data()
    {
        QTest::addColumn<WindowPosition>("stored");
        QTest::addColumn<WindowPosition>("placed");
        // A window of 339 by 430.
        QTest::newRow("on the first screen") << WindowPosition{200, 100} << WindowPosition{200, 100};
        QTest::newRow("on the second screen") << WindowPosition{2500, 600} << WindowPosition{2500, 600};
        QTest::newRow("partly off the left edge, kept") << WindowPosition{-250, 100} << WindowPosition{-250, 100};
        QTest::newRow("across both screens, kept") << WindowPosition{1800, 300} << WindowPosition{1800, 300};
        QTest::newRow("low on the screen, title bar reachable")
            << WindowPosition{200, 1000} << WindowPosition{200, 1000};
        QTest::newRow("title bar above the screen") << WindowPosition{200, -5} << WindowPosition{200, 0};
        QTest::newRow("too little left on the screen") << WindowPosition{-310, 100} << WindowPosition{0, 100};
        QTest::newRow("below the first screen") << WindowPosition{100, 1500} << WindowPosition{100, 610};
        QTest::newRow("above the second screen") << WindowPosition{3000, 50} << WindowPosition{2861, 200};
        QTest::newRow("largest ints") << WindowPosition{kMost, kMost} << WindowPosition{2861, 754};
        QTest::newRow("smallest ints") << WindowPosition{kLeast, kLeast} << WindowPosition{0, 0};
        QTest::newRow("far right, top kept") << WindowPosition{kMost, 300} << WindowPosition{2861, 300};
    }

    void placement()
    {
        QFETCH(WindowPosition, stored);
        QFETCH(WindowPosition, placed);
        QCOMPARE(PlaceOnScreens(stored, 339, 430, kScreens), placed);
    }

    void aWindowLargerThanItsScreenStartsAtItsCorner()
    {
        QCOMPARE(PlaceOnScreens({5000, 5000}, 4000, 3000, kScreens), (WindowPosition{1920, 200}));
    }

    // The Mini Calc with no stored place, 151 by 226 with its frame, beside
    // a main window of 349 by 460 on the two screens.
    void besideTheMainWindow_data()
    {
        QTest::addColumn<ScreenRect>("main");
        QTest::addColumn<WindowPosition>("placed");
        QTest::newRow("first run: right of it") << ScreenRect{200, 100, 349, 460} << WindowPosition{557, 100};
        QTest::newRow("at the right edge: left of it") << ScreenRect{1500, 100, 349, 460} << WindowPosition{1341, 100};
        QTest::newRow("just fits on the right") << ScreenRect{1412, 100, 349, 460} << WindowPosition{1769, 100};
        QTest::newRow("just too little room on the right")
            << ScreenRect{1413, 100, 349, 460} << WindowPosition{1254, 100};
        QTest::newRow("low on the screen: moved up to stay on it")
            << ScreenRect{200, 900, 349, 460} << WindowPosition{557, 814};
        QTest::newRow("above the screen's top: moved down") << ScreenRect{200, -30, 349, 460} << WindowPosition{557, 0};
        QTest::newRow("on the second screen, the one that holds most of it")
            << ScreenRect{1900, 300, 349, 460} << WindowPosition{2257, 300};
        QTest::newRow("off every screen: beside it on the nearest")
            << ScreenRect{4000, 300, 349, 460} << WindowPosition{3049, 300};
        // Too wide for either side: the spot that hides least of it.
        QTest::newRow("filling the width: below it") << ScreenRect{0, 0, 1900, 500} << WindowPosition{0, 508};
        QTest::newRow("filling the width low down: above it")
            << ScreenRect{0, 540, 1900, 500} << WindowPosition{0, 306};
        QTest::newRow("filling the screen: at its right edge")
            << ScreenRect{0, 0, 1920, 1040} << WindowPosition{1769, 0};
    }
    void besideTheMainWindow()
    {
        QFETCH(ScreenRect, main);
        QFETCH(WindowPosition, placed);
        QCOMPARE(PlaceBeside(main, 151, 226, kScreens), placed);
    }

    void withoutScreensNothingMoves()
    {
        QCOMPARE(PlaceOnScreens({kMost, kLeast}, 339, 430, {}), (WindowPosition{kMost, kLeast}));
    }
};

OMBREL_TEST_CLASS(WindowPlacementTest)

#include "window_placement_test.moc"
