#include "main_window_fixture.h"
#include "settings/preferences.h"
#include "shell/calc_main_form.h"
#include "test_registry.h"
#include "widgets/am_edit.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>

using namespace ombrel;
using test::MainWindow;

namespace {

QString header(const MainWindow& w, int section)
{
    return w.form.list(TimecodeFormat::PAL)->model()->headerData(section, Qt::Horizontal).toString();
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
        QCOMPARE(f.state().totals[formatIndex(TimecodeFormat::User)].inCount, 1440);
        QCOMPARE(user->index(0, ResultColumn).data().toString(), QString("00:01:00:00"));
        QCOMPARE(f.list(TimecodeFormat::Frames)->model()->index(0, InColumn).data().toString(), QString("1798"));
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
        emit w.form.HeaderControl[0]->sectionClicked(ListModel::kToggleColumn);
        QVERIFY(w.form.Descriptions1->isChecked());
        QCOMPARE(test::StoredSettings::value("StartWith/Descriptions"), QString("1"));
        emit w.form.HeaderControl[0]->sectionClicked(InColumn);
        QVERIFY(w.form.Descriptions1->isChecked());
        emit w.form.HeaderControl[0]->sectionClicked(ListModel::kToggleColumn);
        QVERIFY(!w.form.Descriptions1->isChecked());
        QCOMPARE(w.form.width(), 339 - 8);
    }

    void preferencesChangeTheRatesWhenTheDialogCloses()
    {
        MainWindow w({.shown = true});
        TCalcMainForm& f = w.form;
        QTimer::singleShot(0, [&] {
            f.Preferences->UserFramesMask->setText("48");
            f.Preferences->FramesMask->setText("120");
            f.Preferences->OKBtn->click();
        });
        f.Preferences1->trigger();
        QCOMPARE(f.state().rates.userRate, 48);
        QCOMPARE(f.state().rates.framesRate, 120.0);
        QCOMPARE(f.PageControl1->tabText(4), QString("User-48"));
        QCOMPARE(f.PageControl1->tabText(5), QString("Frm-120"));
        QCOMPARE(test::StoredSettings::value("StartWith/UserFrames"), QString("48"));
    }

    void closingSavesPositionsAndWidths()
    {
        MainWindow w({.shown = true});
        w.form.move(260, 140);
        w.form.setColumnWidth(0, 95);
        QVERIFY(w.form.close());
        QCOMPARE(test::StoredSettings::value("Postion/MainLeft"), QString("260"));
        QCOMPARE(test::StoredSettings::value("Postion/MainTop"), QString("140"));
        QCOMPARE(test::StoredSettings::value("Grid/1A"), QString("95"));
    }
};

OMBREL_TEST_CLASS(MainFormSettingsTest)
#include "main_form_settings_test.moc"
