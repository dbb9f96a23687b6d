#include "main_window_fixture.h"
#include "shell/calc_main_form.h"
#include "test_registry.h"

#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTableView>
#include <QTest>

using namespace ombrel;

// Runs on a screen of 120 pixels per inch (see tests.cmake).
class LargeFontsTest : public QObject {
    Q_OBJECT
private slots:
    void columnsLabelsAndWindowGrow()
    {
        test::MainWindow w;
        TCalcMainForm& form = w.form;
        QVERIFY(form.screen()->logicalDotsPerInch() >= 100);
        QCOMPARE(form.frameGeometry().height(), 502);
        // The default widths 85, 12, 85, 12, 85, 16, 100 with 20 more pixels
        // for each timecode column and the description, 6 for each narrow one,
        // in every list.
        const QList<int> widths{105, 18, 105, 18, 105, 22, 120};
        for (int f = 0; f < kFormatCount; ++f) {
            QList<int> shown;
            for (int column = 0; column < widths.size(); ++column)
                shown << form.list(FormatAt(f))->columnWidth(column);
            QCOMPARE(shown, widths);
        }
        // W is 385 without descriptions at large fonts.
        QCOMPARE(form.width(), 385 + 31 - 8);
        QCOMPARE(form.Label1->x(), 42 + 10);
        QCOMPARE(form.Label2->x(), 175 + 40);
        QCOMPARE(form.Label4->x(), 252 + 60);
        // Stored without the allowance, so the widths survive a change of resolution.
        w.form.WritePosGrid();
        QCOMPARE(test::StoredSettings::value("Grid/1A"), QString("85"));
        QCOMPARE(test::StoredSettings::value("Grid/1B"), QString("12"));
    }

    // Each timecode field shows "00:00:00:00" whole, lies inside the window
    // and has its label centred over it, give or take a few pixels.
    void theEntryBandFitsItsFont()
    {
        test::MainWindow w({.shown = true});
        TCalcMainForm& form = w.form;
        const std::pair<QLabel*, QLineEdit*> pairs[] = {
            {form.Label1, form.MaskEdit1}, {form.Label2, form.MaskEdit2}, {form.Label4, form.MaskEdit3}};
        for (const auto& [label, field] : pairs) {
            QVERIFY2(field->geometry().right() < form.Panel1->width(), qPrintable(field->objectName()));
            QVERIFY2(field->fontMetrics().horizontalAdvance(field->text()) + 8 <= field->width(),
                     qPrintable(field->objectName()));
            const int offCentre = label->geometry().center().x() - field->geometry().center().x();
            QVERIFY2(std::abs(offCentre) <= 12, qPrintable(label->text() + QString::number(offCentre)));
            QVERIFY(label->geometry().bottom() <= field->y() + 2);
        }
    }
};

OMBREL_TEST_CLASS(LargeFontsTest)
#include "large_fonts_test.moc"
