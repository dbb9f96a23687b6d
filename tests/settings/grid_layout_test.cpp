#include "settings/grid_layout.h"
#include "test_registry.h"

#include <QTest>

#include <limits>

using namespace ombrel;

Q_DECLARE_METATYPE(ColumnWidths)

class GridLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void windowWidth_data()
    {
        QTest::addColumn<ColumnWidths>("base");
        QTest::addColumn<bool>("descriptions");
        QTest::addColumn<bool>("defaultPending");
        QTest::addColumn<bool>("largeFonts");
        QTest::addColumn<int>("w"); // 0: the window keeps its size

        const ColumnWidths defaults = kDefaultColumnBaseWidths;
        const ColumnWidths wide{100, 12, 100, 12, 100, 16, 150};
        const ColumnWidths narrow{50, 12, 50, 12, 50, 16, 100};
        QTest::newRow("defaults without descriptions") << defaults << false << false << false << 308;
        QTest::newRow("defaults with descriptions") << defaults << true << false << false << 429;
        QTest::newRow("wide, as stored") << wide << false << false << false << 353;
        QTest::newRow("wide, default pending") << wide << false << true << false << 308;
        QTest::newRow("wide with descriptions, default pending") << wide << true << true << false << 425;
        QTest::newRow("large fonts without descriptions") << defaults << false << false << true << 385;
        QTest::newRow("large fonts with descriptions") << defaults << true << false << true << 528;
        QTest::newRow("large fonts win over a pending default") << wide << true << true << true << 528;
        QTest::newRow("narrow keeps the window") << narrow << false << true << true << 0;
        QTest::newRow("exactly 294 keeps the window")
            << ColumnWidths{80, 12, 80, 12, 81, 16, 100} << false << true << false << 0;
        QTest::newRow("295 resizes") << ColumnWidths{80, 12, 80, 12, 82, 16, 100} << false << false << false << 295;
        QTest::newRow("exactly 414 with descriptions keeps the window")
            << ColumnWidths{85, 12, 85, 12, 85, 16, 85} << true << false << false << 0;
        // Stored widths beyond what a header drag allows count as its limits.
        const int most = std::numeric_limits<int>::max();
        const int least = std::numeric_limits<int>::min();
        QTest::newRow("largest ints count as the widest columns")
            << ColumnWidths{most, most, most, most, most, most, most} << true << false << false << 1008;
        QTest::newRow("5000 counts as the widest column")
            << ColumnWidths{5000, 12, 85, 12, 85, 16, 100} << false << false << false << 419;
        QTest::newRow("smallest ints count as the narrowest columns")
            << ColumnWidths{least, least, least, least, least, least, least} << true << false << false << 0;
    }

    void windowWidth()
    {
        QFETCH(ColumnWidths, base);
        QFETCH(bool, descriptions);
        QFETCH(bool, defaultPending);
        QFETCH(bool, largeFonts);
        QFETCH(int, w);
        const GridLayout layout = ComputeGridLayout({base, largeFonts, descriptions, defaultPending});
        QCOMPARE(layout.window.has_value(), w > 0);
        if (w > 0)
            QCOMPARE(*layout.window, (WindowWidths{w, w + 31, w + 24, w + 25, w + 9, w + 1}));
    }

    void columns_data()
    {
        QTest::addColumn<bool>("largeFonts");
        QTest::addColumn<ColumnWidths>("columns");
        QTest::newRow("96 dpi") << false << ColumnWidths{85, 12, 85, 12, 85, 16, 100};
        QTest::newRow("120 dpi") << true << ColumnWidths{105, 18, 105, 18, 105, 22, 120};
    }

    void columns()
    {
        QFETCH(bool, largeFonts);
        QFETCH(ColumnWidths, columns);
        // The column sizes do not depend on whether the window is resized.
        for (const bool descriptions : {false, true}) {
            const GridLayout layout = ComputeGridLayout({kDefaultColumnBaseWidths, largeFonts, descriptions, false});
            QCOMPARE(layout.columns, columns);
        }
    }

    void storedWidthsLeaveOutTheAllowance_data()
    {
        QTest::addColumn<bool>("largeFonts");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("stored");
        QTest::newRow("120 dpi timecode column") << true << 0 << 105 << 85;
        QTest::newRow("120 dpi operator column") << true << 1 << 18 << 12;
        QTest::newRow("120 dpi description column") << true << 6 << 130 << 110;
        QTest::newRow("96 dpi") << false << 0 << 105 << 105;
    }

    void storedWidthsLeaveOutTheAllowance()
    {
        QFETCH(bool, largeFonts);
        QFETCH(int, column);
        QFETCH(int, width);
        QFETCH(int, stored);
        const ColumnAllowances allowances = AllowancesFor(largeFonts);
        QCOMPARE(BaseWidthFromColumn(column, width, allowances), stored);
        QCOMPARE(ColumnWidthFromBase(column, stored, allowances), width);
    }

    void labelSets_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<bool>("largeFonts");
        QTest::addColumn<QString>("labels");  // text@left, for Label1, Label2, Label4
        QTest::addColumn<QString>("headers"); // sections 0, 2, 4
        QTest::addColumn<QString>("fieldLabels");
        QTest::newRow("In - Out") << 0 << false << "In@47 Out@169 Duration@252"
                                  << "In Out Duration"
                                  << "In Out Dur";
        QTest::newRow("Out - In") << 1 << false << "Out@42 In@175 Duration@252"
                                  << "Out In Duration"
                                  << "Out In Dur";
        QTest::newRow("TC1 - TC2") << 2 << false << "TC1@38 TC2@167 Total@262"
                                   << "TC1 TC2 Total"
                                   << "TC1 TC2 Tot";
        QTest::newRow("TC1 - TC2, 120 dpi") << 2 << true << "TC1@48 TC2@207 Total@322"
                                            << "TC1 TC2 Total"
                                            << "TC1 TC2 Tot";
        QTest::newRow("Out - In, 120 dpi") << 1 << true << "Out@52 In@215 Duration@312"
                                           << "Out In Duration"
                                           << "Out In Dur";
    }

    void labelSets()
    {
        QFETCH(int, item);
        QFETCH(bool, largeFonts);
        QFETCH(QString, labels);
        QFETCH(QString, headers);
        QFETCH(QString, fieldLabels);
        const auto set = LabelSetFor(item, largeFonts);
        QVERIFY(set.has_value());
        const auto q = [](const std::string& text) { return QString::fromStdString(text); };
        QCOMPARE(QString("%1@%2 %3@%4 %5@%6")
                     .arg(q(set->label1))
                     .arg(set->label1Left)
                     .arg(q(set->label2))
                     .arg(set->label2Left)
                     .arg(q(set->label4))
                     .arg(set->label4Left),
                 labels);
        QCOMPARE(q(set->headerTexts[0]) + ' ' + q(set->headerTexts[1]) + ' ' + q(set->headerTexts[2]), headers);
        QCOMPARE(q(set->fieldLabels[0]) + ' ' + q(set->fieldLabels[1]) + ' ' + q(set->fieldLabels[2]), fieldLabels);
    }

    void noLabelSetWithoutASelection()
    {
        QVERIFY(!LabelSetFor(-1, false).has_value());
        QVERIFY(!LabelSetFor(kLabelSetCount, true).has_value());
    }
};

OMBREL_TEST_CLASS(GridLayoutTest)

#include "grid_layout_test.moc"
