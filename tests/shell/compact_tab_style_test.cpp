// The main window's compact tabs look exactly as the style sheet that drew
// them before: the same pixels and the same tab rectangles (they decide
// where a click lands), in each state a user meets.
#include "engine/format_info.h"
#include "main_window_fixture.h"
#include "shell/compact_tab_style.h"
#include "test_registry.h"
#include "widgets/qt_text.h"

#include <QHoverEvent>
#include <QImage>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <memory>

using namespace ombrel;

namespace {

// What gave the tabs their look before, and so what they must still look like.
constexpr const char* kTabSheet =
    "QTabBar::tab { padding: 3px 4px; }"
    "QTabBar::tab:selected { background: palette(base); border-bottom: 2px solid #2f6f73; }";

// The main window's client width less the margins around its tabs.
constexpr int kUsualWidth = 327;

enum class Look { Sheet, Compact };

// What a user can do to the tabs before looking at them.
struct TabState {
    int current = 0;
    QTabWidget::TabPosition position = QTabWidget::North;
    Qt::LayoutDirection direction = Qt::LeftToRight;
    int hovered = -1;           // the tab under the mouse
    int pressed = -1;           // the tab the mouse button is down on
    bool keyboardFocus = false; // the tabs reached with the Tab key
};

struct DrawnTabs {
    QImage pixels;
    QList<QRect> tabRects;
};

// The main window's tab widget as it builds it, in one look.
std::unique_ptr<QTabWidget> tabsIn(Look look, int width = kUsualWidth)
{
    auto tabs = std::make_unique<QTabWidget>();
    tabs->setUsesScrollButtons(false);
    tabs->setDocumentMode(true);
    if (look == Look::Sheet)
        tabs->tabBar()->setStyleSheet(kTabSheet);
    else
        UseCompactTabs(tabs->tabBar());
    QFont font = tabs->font();
    font.setPointSizeF(7.5);
    tabs->tabBar()->setFont(font);
    for (const FormatInfo& format : kWindowFormats)
        tabs->addTab(new QWidget, toQt(format.tabCaption));
    tabs->resize(width, 120);
    return tabs;
}

bool showActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

DrawnTabs drawn(QTabWidget& tabs)
{
    DrawnTabs result{tabs.grab().toImage(), {}};
    for (int i = 0; i < tabs.count(); ++i)
        result.tabRects.append(tabs.tabBar()->tabRect(i));
    return result;
}

DrawnTabs drawnIn(Look look, const TabState& state)
{
    const auto tabs = tabsIn(look);
    tabs->setLayoutDirection(state.direction);
    tabs->setTabPosition(state.position);
    tabs->setCurrentIndex(state.current);
    if (!showActive(*tabs))
        return {};
    QTabBar* bar = tabs->tabBar();
    if (state.keyboardFocus) {
        QTest::keyClick(tabs.get(), Qt::Key_Tab);
        if (!bar->hasFocus())
            return {};
    }
    if (state.hovered >= 0) {
        const QPointF at = bar->tabRect(state.hovered).center();
        QHoverEvent hover(QEvent::HoverEnter, at, bar->mapToGlobal(at), QPointF(-1, -1));
        QApplication::sendEvent(bar, &hover);
    }
    if (state.pressed >= 0)
        QTest::mousePress(bar, Qt::LeftButton, {}, bar->tabRect(state.pressed).center());
    DrawnTabs result = drawn(*tabs);
    if (state.pressed >= 0)
        QTest::mouseRelease(bar, Qt::LeftButton, {}, bar->tabRect(state.pressed).center());
    return result;
}

// Empty when the pictures are equal; else how many pixels differ and where
// the first one is.
QString differences(const QImage& expected, const QImage& actual)
{
    if (expected.size() != actual.size())
        return QString("size %1x%2, expected %3x%4")
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height());
    int count = 0;
    QPoint first;
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x)
            if (expected.pixel(x, y) != actual.pixel(x, y) && count++ == 0)
                first = QPoint(x, y);
    if (count == 0)
        return {};
    return QString("%1 pixels differ, the first at (%2, %3): %4 instead of %5")
        .arg(count)
        .arg(first.x())
        .arg(first.y())
        .arg(QColor(actual.pixel(first)).name(), QColor(expected.pixel(first)).name());
}

} // namespace

Q_DECLARE_METATYPE(TabState)

class CompactTabStyleTest : public QObject {
    Q_OBJECT
private slots:
    void looksAsTheStyleSheet_data()
    {
        QTest::addColumn<TabState>("state");
        for (int f = 0; f < kFormatCount; ++f)
            QTest::addRow("tab %d current", f) << TabState{.current = f};
        const int last = kFormatCount - 1;
        QTest::addRow("tabs at the bottom, first current") << TabState{.current = 0, .position = QTabWidget::South};
        QTest::addRow("tabs at the bottom, last current") << TabState{.current = last, .position = QTabWidget::South};
        QTest::addRow("right to left, first current") << TabState{.current = 0, .direction = Qt::RightToLeft};
        QTest::addRow("right to left, last current") << TabState{.current = last, .direction = Qt::RightToLeft};
        QTest::addRow("other tab hovered") << TabState{.current = 1, .hovered = 3};
        QTest::addRow("tab pressed") << TabState{.current = 0, .pressed = 4};
        QTest::addRow("keyboard focus") << TabState{.current = 2, .keyboardFocus = true};
    }

    void looksAsTheStyleSheet()
    {
        QFETCH(TabState, state);
        const DrawnTabs sheet = drawnIn(Look::Sheet, state);
        const DrawnTabs compact = drawnIn(Look::Compact, state);
        QVERIFY(!sheet.pixels.isNull() && !compact.pixels.isNull());
        QCOMPARE(compact.tabRects, sheet.tabRects);
        const QString differ = differences(sheet.pixels, compact.pixels);
        QVERIFY2(differ.isEmpty(), qPrintable(differ));
    }

    // The window itself shows the compact tabs: its tab bar draws as the
    // style sheet would draw the same tabs at the same width.
    void mainWindowShowsThem()
    {
        test::MainWindow w({.shown = true});
        QTabBar* bar = w.form.PageControl1->tabBar();
        const auto reference = tabsIn(Look::Sheet, w.form.PageControl1->width());
        reference->tabBar()->setFont(bar->font());
        for (int i = 0; i < kFormatCount; ++i)
            reference->setTabText(i, w.form.PageControl1->tabText(i));
        reference->setCurrentIndex(w.form.PageControl1->currentIndex());
        QVERIFY(showActive(*reference));
        QTabBar* referenceBar = reference->tabBar();
        QCOMPARE(bar->size(), referenceBar->size());
        const QString differ = differences(referenceBar->grab().toImage(), bar->grab().toImage());
        QVERIFY2(differ.isEmpty(), qPrintable(differ));
    }
};

OMBREL_TEST_CLASS(CompactTabStyleTest)
#include "compact_tab_style_test.moc"
