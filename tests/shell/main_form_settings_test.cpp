#include "main_window_fixture.h"
#include "settings/app_settings.h"
#include "settings/preferences.h"
#include "shell/calc_main_form.h"
#include "test_registry.h"
#include "widgets/am_edit.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace ombrel;
using test::MainWindow;

namespace {

QString header(MainWindow& w, int section)
{
    return w.form.list(TimecodeFormat::PAL)->model()->headerData(section, Qt::Horizontal).toString();
}

QStringList storedKeys()
{
    return QSettings("Brontel", "Ombrel").allKeys();
}

} // namespace

class MainFormSettingsTest : public QObject {
    Q_OBJECT
private slots:
    void aFirstStartTakesEveryDefault()
    {
        MainWindow w({.shown = true});
        TCalcMainForm& f = w.form;
        QCOMPARE(f.PageControl1->currentIndex(), 0);
        QCOMPARE(f.PageControl1->tabPosition(), QTabWidget::North);
        QCOMPARE(QStringList({f.Label1->text(), f.Label2->text(), f.Label4->text()}),
                 QStringList({"Out", "In", "Duration"}));
        QCOMPARE(QStringList({header(w, 0), header(w, 2), header(w, 4)}), QStringList({"Out", "In", "Duration"}));
        QVERIFY(f.ValidityCheck->isChecked() && f.Percentages1->isChecked() && f.Balloon1->isChecked());
        QVERIFY(!f.Descriptions1->isChecked() && !f.FrameMode1->isChecked());
        QCOMPARE(f.PageControl1->tabText(4), QString("User-15"));
        QCOMPARE(f.PageControl1->tabText(5), QString("Frames-30"));
        QCOMPARE(f.pos(), QPoint(200, 100));
        QCOMPARE(f.MaskEdit1->text(), QString("00:00:00:00"));
        QCOMPARE(QApplication::focusWidget(), f.MaskEdit1);
        QCOMPARE(test::StoredSettings::value("StartWith/Ver110"), QString("1"));
    }

    void storedStartFormatAndRatesApply()
    {
        MainWindow w({.shown = true,
                      .stored = {{"StartWith/StartCombo", "1"},
                                 {"StartWith/UserFrames", "24"},
                                 {"StartWith/Frames", "29.97"},
                                 {"StartWith/Ver110", "1"}}});
        TCalcMainForm& f = w.form;
        QCOMPARE(f.activeFormat(), TimecodeFormat::DropFrm);
        QCOMPARE(f.MaskEdit1->text(), QString("00;00;00;00"));
        QCOMPARE(f.PageControl1->tabText(4), QString("User-24"));
        QCOMPARE(f.PageControl1->tabText(5), QString("Frm-29.97"));
        f.MaskEdit1->setText("00;01;00;00");
        f.MaskEdit2->setText("00;00;00;00");
        f.CalculateBtnClick();
        const QAbstractItemModel* user = f.list(TimecodeFormat::User)->model();
        QCOMPARE(f.state().totals[FormatIndex(TimecodeFormat::User)].inCount, 1440);
        QCOMPARE(user->index(0, ResultColumn).data().toString(), QString("00:01:00:00"));
        QCOMPARE(f.list(TimecodeFormat::Frames)->model()->index(0, InColumn).data().toString(), QString("1798"));
    }

    // A stored rate longer than the field's typing limit loads whole.
    void aLongStoredFramesRateLoadsWhole()
    {
        MainWindow w({.shown = true, .stored = {{"StartWith/Frames", "23.976"}, {"StartWith/Ver110", "1"}}});
        TCalcMainForm& f = w.form;
        QCOMPARE(f.preferences().FramesMask->text(), QString("23.976"));
        QCOMPARE(f.PageControl1->tabText(5), QString("Frm-23.976"));
        w.calculate("01:00:00:00", "+", "00:00:00:00");
        QCOMPARE(w.cell(TimecodeFormat::Frames, 0, InColumn), QString("86314"));
    }

    void aLabelSetRenamesFieldsHeadersAndRecall()
    {
        MainWindow w({.shown = true, .stored = {{"StartWith/LabelCombo", "2"}, {"StartWith/Ver110", "1"}}});
        TCalcMainForm& f = w.form;
        QCOMPARE(QStringList({f.Label1->text(), f.Label2->text(), f.Label4->text()}),
                 QStringList({"TC1", "TC2", "Total"}));
        QCOMPARE(QStringList({header(w, 0), header(w, 2), header(w, 4)}), QStringList({"TC1", "TC2", "Total"}));
        QCOMPARE(w.form.fieldLabels().result, QString("Tot"));
        f.MaskEdit1->setText("00:00:01:00");
        f.MaskEdit2->setText("00:00:02:00");
        f.CalculateBtnClick();
        // With "TC1 - TC2 - Total", I recalls the first operand.
        QTest::keyClick(f.MaskEdit2, 'I');
        QCOMPARE(f.MaskEdit2->text(), QString("00:00:01:00"));
    }

    void descriptionsWidenTheWindow()
    {
        MainWindow w({.shown = true});
        const int narrow = w.form.width();
        w.form.Descriptions1->trigger();
        QCOMPARE(w.form.width(), 460 - 8);
        QCOMPARE(test::StoredSettings::value("StartWith/Descriptions"), QString("1"));
        QVERIFY(w.form.width() > narrow);
    }

    void theLastHeaderSectionTogglesTheDescriptions()
    {
        MainWindow w;
        emit w.header(TimecodeFormat::NonDrop)->sectionClicked(ListModel::kToggleColumn);
        QVERIFY(w.form.Descriptions1->isChecked());
        QCOMPARE(test::StoredSettings::value("StartWith/Descriptions"), QString("1"));
        emit w.header(TimecodeFormat::NonDrop)->sectionClicked(InColumn);
        QVERIFY(w.form.Descriptions1->isChecked());
        emit w.header(TimecodeFormat::NonDrop)->sectionClicked(ListModel::kToggleColumn);
        QVERIFY(!w.form.Descriptions1->isChecked());
        QCOMPARE(w.form.width(), 339 - 8);
    }

    void preferencesChangeTheRatesWhenTheDialogCloses()
    {
        MainWindow w({.shown = true});
        TCalcMainForm& f = w.form;
        QTimer::singleShot(0, [&] {
            f.preferences().UserFramesMask->setText("48");
            f.preferences().FramesMask->setText("120");
            f.preferences().OKBtn->click();
        });
        f.Preferences1->trigger();
        QCOMPARE(f.state().rates.userRate, 48);
        QCOMPARE(f.state().rates.framesRate, 120.0);
        QCOMPARE(f.PageControl1->tabText(4), QString("User-48"));
        QCOMPARE(f.PageControl1->tabText(5), QString("Frm-120"));
        QCOMPARE(test::StoredSettings::value("StartWith/UserFrames"), QString("48"));
    }

    void positionsAndWidthsRoundTrip()
    {
        MainWindow w({.shown = true});
        w.form.move(260, 140);
        w.form.setColumnWidth(0, 95);
        w.form.setColumnWidth(6, 140);
        QVERIFY(w.form.close());
        QCOMPARE(test::StoredSettings::value("Postion/MainLeft"), QString("260"));
        QCOMPARE(test::StoredSettings::value("Postion/MainTop"), QString("140"));
        QCOMPARE(test::StoredSettings::value("Postion/CalcMiniLeft"), QString("200"));
        QCOMPARE(test::StoredSettings::value("Grid/1A"), QString("95"));
        QCOMPARE(test::StoredSettings::value("Grid/1G"), QString("140"));
        QCOMPARE(w.settings.columnBaseWidths[6], 140);

        w.form.move(10, 10);
        w.form.setColumnWidth(0, 85);
        w.form.preferences().GetRegInfo();
        QCOMPARE(w.form.pos(), QPoint(260, 140));
        QCOMPARE(w.form.list(TimecodeFormat::Film)->columnWidth(0), 95);
    }

    void preferencesSavePositionsAndWidthsFirst()
    {
        MainWindow w({.shown = true});
        w.form.setColumnWidth(6, 140);
        QTimer::singleShot(0, w.form.preferences().CancelBtn, &QPushButton::click);
        w.form.Preferences1->trigger();
        QCOMPARE(test::StoredSettings::value("Grid/1G"), QString("140"));
        // The dialog's load and Cancel put back what was just saved.
        QCOMPARE(w.form.list(TimecodeFormat::NonDrop)->columnWidth(6), 140);
    }

    void menuTogglesStoreTheirOptionAlone_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("box"); // the dialog's, empty: none
        QTest::addColumn<bool>("value");
        QTest::newRow("range checking off") << "ValidityCheck"
                                            << "Validity"
                                            << "ValidityCheckBox" << false;
        QTest::newRow("descriptions on") << "Descriptions1"
                                         << "Descriptions"
                                         << "DescriptionsCheckBox" << true;
        QTest::newRow("percentages off") << "Percentages1"
                                         << "Percentages"
                                         << "PercentagesCheckBox" << false;
        QTest::newRow("frame mode on") << "FrameMode1"
                                       << "FrameMode"
                                       << "FrameModeCheckBox" << true;
        QTest::newRow("balloon help off") << "Balloon1"
                                          << "Balloon"
                                          << "" << false;
    }

    void menuTogglesStoreTheirOptionAlone()
    {
        QFETCH(QString, action);
        QFETCH(QString, name);
        QFETCH(QString, box);
        QFETCH(bool, value);
        MainWindow w;
        const Options before = w.settings.options;
        QCOMPARE(storedKeys(), QStringList{"StartWith/Ver110"});
        w.form.findChild<QAction*>(action)->trigger();
        QCOMPARE(storedKeys(), (QStringList{"StartWith/" + name, "StartWith/Ver110"}));
        QCOMPARE(test::StoredSettings::value("StartWith/" + name), QString(value ? "1" : "0"));
        QVERIFY(w.settings.options != before);
        // The preferences open with it, and keep it.
        w.form.preferences().FormActivate();
        if (!box.isEmpty())
            QCOMPARE(w.form.preferences().findChild<QCheckBox*>(box)->isChecked(), value);
        QCOMPARE(w.form.findChild<QAction*>(action)->isChecked(), value);
    }

    // Numbers from the store are brought into the ranges the program's own
    // controls allow; values within them stay as the user left them.
    void storedNumbersAreLimited_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("column0");
        QTest::addColumn<int>("windowWidth");
        QTest::newRow("in range") << "Grid/1A"
                                  << "120" << 120 << 339 + 35 - 8;
        QTest::newRow("largest int") << "Grid/1A"
                                     << "2147483647" << 196 << 339 + 111 - 8;
        QTest::newRow("smallest int") << "Grid/1A"
                                      << "-2147483648" << 16 << 339 - 8;
        QTest::newRow("wide spacer") << "Grid/1F"
                                     << "5000" << 85 << 339 - 8;
    }

    void storedNumbersAreLimited()
    {
        QFETCH(QString, key);
        QFETCH(QString, text);
        QFETCH(int, column0);
        QFETCH(int, windowWidth);
        MainWindow w({.stored = {{key, text}, {"StartWith/Ver110", "1"}}});
        QCOMPARE(w.form.list(TimecodeFormat::NonDrop)->columnWidth(0), column0);
        QCOMPARE(w.form.width(), windowWidth);
        // The store keeps what the user did not change until the widths are saved.
        QCOMPARE(test::StoredSettings::value(key), text);
    }

    void hugeFontsAreLimited()
    {
        MainWindow w({.stored = {{"Font/NDFontSize", "10000"}, {"StartWith/Ver110", "1"}}});
        const QTableView* list = w.form.list(TimecodeFormat::NonDrop);
        QCOMPARE(w.settings.listFonts[0].size, 512);
        QVERIFY2(list->verticalHeader()->defaultSectionSize() < 1000,
                 qPrintable(QString::number(list->verticalHeader()->defaultSectionSize())));
    }

    void windowPositionsOffEveryScreenComeBack_data()
    {
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("top");
        QTest::addColumn<bool>("kept");
        QTest::newRow("partly off the left edge") << "-40"
                                                  << "100" << true;
        QTest::newRow("far right") << "2147483647"
                                   << "100" << false;
        QTest::newRow("far above") << "100"
                                   << "-2147483648" << false;
        QTest::newRow("both far") << "-2147483648"
                                  << "2147483647" << false;
    }

    void windowPositionsOffEveryScreenComeBack()
    {
        QFETCH(QString, left);
        QFETCH(QString, top);
        QFETCH(bool, kept);
        MainWindow w({.stored = {{"Postion/MainLeft", left}, {"Postion/MainTop", top}, {"StartWith/Ver110", "1"}}});
        const QRect screen = w.form.screen()->availableGeometry();
        if (kept)
            QCOMPARE(w.form.pos(), QPoint(left.toInt(), top.toInt()));
        else
            QVERIFY2(screen.contains(w.form.frameGeometry()),
                     qPrintable(QString("%1,%2").arg(w.form.x()).arg(w.form.y())));
    }

    void unusableRatesAreTheDefaultsEverywhere()
    {
        QTemporaryDir dir;
        MainWindow w({.stored = {{"StartWith/UserFrames", "0"}, {"StartWith/Frames", "0"}, {"StartWith/Ver110", "1"}}});
        TCalcMainForm& f = w.form;
        QCOMPARE(f.PageControl1->tabText(4), QString("User-15"));
        QCOMPARE(f.PageControl1->tabText(5), QString("Frames-30"));
        w.calculate("00:00:01:00", "+", "00:00:00:00");
        QCOMPARE(w.cell(TimecodeFormat::User, 0, InColumn), QString("00:00:01:00"));
        QCOMPARE(f.state().totals[FormatIndex(TimecodeFormat::User)].inCount, 15);
        QCOMPARE(w.cell(TimecodeFormat::Frames, 0, InColumn), QString("30"));
        w.dialogs.saveNames.push_back(dir.filePath("work.obr"));
        QVERIFY(f.Save1Click());
        QFile file(dir.filePath("work.obr"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray saved = file.readAll();
        QVERIFY(saved.contains("User (15fps) Timecode"));
        QVERIFY(saved.contains("Frames (30fps)"));
    }
};

OMBREL_TEST_CLASS(MainFormSettingsTest)
#include "main_form_settings_test.moc"
