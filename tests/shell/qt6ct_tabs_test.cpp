// The compact list tabs under the qt6ct platform theme (run with its
// configuration, light or dark, at several font sizes): every caption has
// room for its whole text and the six tabs fit the window.
#include "main_window_fixture.h"
#include "test_registry.h"

#include <QStyleOptionTab>
#include <QTabBar>

using namespace ombrel;
using namespace ombrel::test;

class Qt6ctTabsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // The theme's font is the one its configuration names: proof the theme is in use.
        const int expected = qEnvironmentVariableIntValue("OMBREL_QT6CT_POINT_SIZE");
        QVERIFY(expected > 0);
        QCOMPARE(QApplication::font().pointSize(), expected);
    }

    void captionsWhole()
    {
        MainWindow w({.shown = true});
        QTabBar* bar = w.form.PageControl1->tabBar();
        QCOMPARE(bar->count(), kFormatCount);
        for (int current = 0; current < bar->count(); ++current) {
            bar->setCurrentIndex(current);
            QApplication::processEvents();
            for (int i = 0; i < bar->count(); ++i) {
                QStyleOptionTab tab;
                tab.initFrom(bar);
                tab.rect = bar->tabRect(i);
                tab.text = bar->tabText(i);
                tab.tabIndex = i;
                if (i == current)
                    tab.state |= QStyle::State_Selected;
                const QRect text = bar->style()->subElementRect(QStyle::SE_TabBarTabText, &tab, bar);
                const int needed = bar->fontMetrics().horizontalAdvance(tab.text);
                QVERIFY2(text.width() >= needed && text.height() >= bar->fontMetrics().height(),
                         qPrintable(QString("'%1' has %2x%3 for %4x%5")
                                        .arg(tab.text)
                                        .arg(text.width())
                                        .arg(text.height())
                                        .arg(needed)
                                        .arg(bar->fontMetrics().height())));
                QVERIFY(tab.rect.contains(text));
            }
            QVERIFY2(bar->tabRect(bar->count() - 1).right() < w.form.PageControl1->width(),
                     "the six tabs do not fit the window");
        }
    }
};

OMBREL_TEST_CLASS(Qt6ctTabsTest)
#include "qt6ct_tabs_test.moc"
