#include "list/header_sections.h"
#include "test_registry.h"

#include <QTest>

using namespace ombrel;

Q_DECLARE_METATYPE(ColumnWidths)

class HeaderSectionsTest : public QObject {
    Q_OBJECT
private slots:
    // The section is the column plus its margin, held within its limits.
    void trackedWidths_data()
    {
        QTest::addColumn<bool>("nonDrop");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("tracked");
        QTest::newRow("In to 296: section 200") << true << 0 << 296 << 196;
        QTest::newRow("In below 20") << false << 0 << 2 << 16;
        QTest::newRow("operator") << true << 1 << 40 << 29;
        QTest::newRow("Out within") << true << 2 << 120 << 120;
        QTest::newRow("Duration above") << false << 4 << 250 << 197;
        QTest::newRow("NonDrop spacer fixed") << true << 5 << 30 << 17;
        QTest::newRow("other spacer") << false << 5 << 30 << 28;
        QTest::newRow("description") << true << 6 << 400 << 298;
    }
    void trackedWidths()
    {
        QFETCH(bool, nonDrop);
        QFETCH(int, column);
        QFETCH(int, width);
        QFETCH(int, tracked);
        QCOMPARE(TrackedColumnWidth(nonDrop, column, width), tracked);
    }

    // Sum of the columns plus 34 (less spacer, description and 5 without
    // descriptions), when above 414 (294).
    void neededListWidth_data()
    {
        QTest::addColumn<ColumnWidths>("columns");
        QTest::addColumn<bool>("descriptions");
        QTest::addColumn<int>("needed"); // 0: the window's width will do
        const ColumnWidths defaults{85, 12, 85, 12, 85, 16, 100};
        QTest::newRow("defaults") << defaults << true << 429;
        QTest::newRow("defaults, no descriptions") << defaults << false << 308;
        QTest::newRow("just at 414") << ColumnWidths{85, 12, 85, 12, 85, 16, 85} << true << 0;
        QTest::newRow("wide In, no descriptions") << ColumnWidths{196, 12, 85, 12, 85, 16, 100} << false << 419;
        QTest::newRow("just at 294") << ColumnWidths{71, 12, 85, 12, 85, 16, 100} << false << 0;
    }
    void neededListWidth()
    {
        QFETCH(ColumnWidths, columns);
        QFETCH(bool, descriptions);
        QFETCH(int, needed);
        QCOMPARE(NeededListWidth(columns, descriptions).value_or(0), needed);
    }
};

OMBREL_TEST_CLASS(HeaderSectionsTest)
#include "header_sections_test.moc"
