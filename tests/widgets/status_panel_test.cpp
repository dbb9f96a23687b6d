#include "test_registry.h"
#include "widgets/status_panel.h"

#include <QHBoxLayout>
#include <QTest>

#include <memory>

using namespace ombrel;

class StatusPanelTest : public QObject {
    Q_OBJECT
private slots:
    // The panel asks for its least width or its text's width, whichever is
    // larger; squeezed below that, it shows "..." and its whole text as the
    // tooltip.
    void sizeFollowsTheText()
    {
        QWidget bar;
        auto* layout = new QHBoxLayout(&bar);
        auto* panel = new StatusPanel("panel", 50, Qt::AlignRight, &bar);
        layout->addWidget(panel);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        panel->setText("0.0%");
        QCOMPARE(panel->sizeHint().width(), 50);
        panel->setText("37,100.00%");
        const int wide = panel->fontMetrics().horizontalAdvance(panel->text());
        QVERIFY(panel->sizeHint().width() > wide);

        bar.setFixedWidth(wide + 100);
        QTRY_VERIFY(panel->width() >= panel->sizeHint().width());
        QCOMPARE(panel->toolTip(), QString());
        const QImage whole = panel->grab().toImage();

        bar.setFixedWidth(wide / 2);
        QTRY_VERIFY(panel->width() < wide);
        QCOMPARE(panel->toolTip(), QString("37,100.00%"));
        QVERIFY(panel->grab().toImage() != whole);
        bar.setFixedWidth(wide + 100);
        QTRY_COMPARE(panel->toolTip(), QString());
    }
};

OMBREL_TEST_CLASS(StatusPanelTest)
#include "status_panel_test.moc"
