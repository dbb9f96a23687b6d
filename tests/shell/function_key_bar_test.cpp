#include "drag_and_drop.h"
#include "main_window_fixture.h"
#include "shell/calc_main_form.h"
#include "shell/function_key_bar.h"
#include "test_registry.h"
#include "widgets/am_edit.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSettings>
#include <QTest>
#include <QToolButton>

using namespace ombrel;
using test::MainWindow;
using test::StoredSettings;

namespace {

void pressKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(Qt::Key_F1 + key - 1), modifiers);
}

void click(QToolButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

} // namespace

class FunctionKeyBarTest : public QObject {
    Q_OBJECT
private slots:
    void shiftF5StoresTheInFieldAndF5LoadsItIntoTheOutField()
    {
        MainWindow w({.shown = true});
        w.type("1000000");
        pressKey(5, Qt::ShiftModifier);
        QCOMPARE(StoredSettings::value("Function/F5"), QString("01:00:00:00"));
        QVERIFY(!w.form.ToolBar2->ProgF->isChecked());

        w.form.MaskEdit2->setFocus();
        pressKey(5);
        QCOMPARE(w.form.MaskEdit2->text(), QString("01:00:00:00"));
        QCOMPARE(w.form.MaskEdit2->selectedText(), QString("01:00:00:00"));
        // Nothing is calculated.
        QCOMPARE(w.form.sheet().rowCount(), 0);
    }

    void keyOneIsStoredAsGF1()
    {
        MainWindow w({.shown = true});
        w.type("2000000");
        pressKey(1, Qt::ShiftModifier);
        QCOMPARE(StoredSettings::value("Function/GF1"), QString("02:00:00:00"));
        QVERIFY(!QSettings("Brontel", "Ombrel").contains("Function/F1"));
        // All twelve are written.
        QCOMPARE(StoredSettings::value("Function/F12"), QString("00:00:00:00"));
    }

    void storedKeysLoad_data()
    {
        QTest::addColumn<QString>("stored"); // empty: nothing stored
        QTest::addColumn<QString>("loaded");
        QTest::newRow("nothing stored") << ""
                                        << "00:00:00:00";
        QTest::newRow("a timecode") << "01:02:03:04"
                                    << "01:02:03:04";
        QTest::newRow("cut to eleven characters") << "01:02:03:04:05:06"
                                                  << "01:02:03:04";
        QTest::newRow("not a timecode") << "lunch"
                                        << "00:00:00:00";
    }
    void storedKeysLoad()
    {
        QFETCH(QString, stored);
        QFETCH(QString, loaded);
        QMap<QString, QString> settings{{"StartWith/Ver110", "1"}};
        if (!stored.isEmpty())
            settings.insert("Function/F7", stored);
        MainWindow w({.shown = true, .stored = settings});
        w.type("1234");
        pressKey(7);
        QCOMPARE(w.form.MaskEdit1->text(), loaded);
        w.form.MaskEdit1->setText("11:11:11:11");
        click(w.form.ToolBar2->FBtn[6]);
        QCOMPARE(w.form.MaskEdit1->text(), loaded);
    }

    void aDropFrameTimecodeIsStoredWithColons()
    {
        MainWindow w({.shown = true});
        w.showTab(TimecodeFormat::DropFrm);
        w.form.MaskEdit1->setFocus();
        w.type("1000000");
        QCOMPARE(w.form.MaskEdit1->text(), QString("01;00;00;00"));
        pressKey(3, Qt::ShiftModifier);
        QCOMPARE(StoredSettings::value("Function/F3"), QString("01:00:00:00"));

        w.form.MaskEdit2->setFocus();
        pressKey(3);
        QCOMPARE(w.form.MaskEdit2->text(), QString("01;00;00;00"));
        w.showTab(TimecodeFormat::PAL);
        w.form.MaskEdit2->setFocus();
        pressKey(3);
        QCOMPARE(w.form.MaskEdit2->text(), QString("01:00:00:00"));
    }

    void progFArmsTheNextKeyOnly()
    {
        MainWindow w({.shown = true});
        FunctionKeyBar& bar = *w.form.ToolBar2;
        w.type("2000000");
        click(bar.ProgF);
        QVERIFY(bar.ProgF->isChecked());
        QCOMPARE(bar.ProgF->icon().name(), QString("prog_f_armed"));
        click(bar.FBtn[1]);
        QCOMPARE(StoredSettings::value("Function/F2"), QString("02:00:00:00"));
        QVERIFY(!bar.ProgF->isChecked());
        QCOMPARE(bar.ProgF->icon().name(), QString("prog_f"));
        QCOMPARE(w.focused(), QString("MaskEdit1"));

        // The next click loads.
        w.form.MaskEdit1->setText("00:00:00:05");
        click(bar.FBtn[1]);
        QCOMPARE(w.form.MaskEdit1->text(), QString("02:00:00:00"));

        // A second click on ProgF disarms it without storing.
        w.form.MaskEdit1->setText("00:00:00:07");
        click(bar.ProgF);
        click(bar.ProgF);
        QVERIFY(!bar.ProgF->isChecked());
        click(bar.FBtn[1]);
        QCOMPARE(w.form.MaskEdit1->text(), QString("02:00:00:00"));
        QCOMPARE(StoredSettings::value("Function/F2"), QString("02:00:00:00"));
    }

    // A drop always programs, armed or not, and leaves the fields alone.
    void aDroppedTimecodeIsStored_data()
    {
        QTest::addColumn<bool>("armed");
        QTest::newRow("ProgF up") << false;
        QTest::newRow("ProgF armed") << true;
    }
    void aDroppedTimecodeIsStored()
    {
        QFETCH(bool, armed);
        MainWindow w({.shown = true});
        FunctionKeyBar& bar = *w.form.ToolBar2;
        w.calculate("01:00:00:00", "+", "00:30:00:00");
        if (armed)
            click(bar.ProgF);
        const QStringList fields = w.fields();
        DragState state;
        const TimecodeDrag duration = GenericStartDrag(state, w.form.sheet(), TimecodeFormat::DropFrm, 0, ResultColumn);
        QVERIFY(test::dragOnto(bar.FBtn[6], duration));
        QCOMPARE(StoredSettings::value("Function/F7"), QString("01:30:00:00"));
        QVERIFY(!bar.ProgF->isChecked());
        QCOMPARE(w.fields(), fields);
        w.form.MaskEdit2->setFocus();
        pressKey(7);
        QCOMPARE(w.form.MaskEdit2->text(), QString("01:30:00:00"));
    }

    void keysOutsideTheTimecodeFieldsChangeNothing_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::newRow("frame field") << "FrameIn";
        QTest::newRow("operator list") << "OperandCombo";
    }
    void keysOutsideTheTimecodeFieldsChangeNothing()
    {
        QFETCH(QString, focus);
        MainWindow w({.shown = true, .stored = {{"Function/GF1", "05:00:00:00"}, {"StartWith/Ver110", "1"}}});
        w.form.FrameMode1->setChecked(focus == "FrameIn");
        w.form.FrameMode1Click();
        auto* focused = w.form.findChild<QWidget*>(focus);
        focused->setFocus();
        const QStringList fields = w.fields();
        const QString frameIn = w.form.FrameIn->text();

        pressKey(1);
        click(w.form.ToolBar2->FBtn[0]);
        QCOMPARE(w.fields(), fields);
        QCOMPARE(w.form.FrameIn->text(), frameIn);

        // Programming finds no timecode to store: the key keeps its own.
        pressKey(1, Qt::ShiftModifier);
        click(w.form.ToolBar2->ProgF);
        click(w.form.ToolBar2->FBtn[0]);
        QVERIFY(!w.form.ToolBar2->ProgF->isChecked());
        QCOMPARE(StoredSettings::value("Function/GF1"), QString("05:00:00:00"));
        QCOMPARE(w.form.statusText(0), QString("Put the cursor in a timecode field to program F1"));
        QCOMPARE(QApplication::focusWidget(), focused);
    }

    void hoveringAKeyShowsItsTimecode()
    {
        MainWindow w({.shown = true, .stored = {{"Function/F3", "01:00:00:00"}, {"StartWith/Ver110", "1"}}});
        QToolButton* f3 = w.form.ToolBar2->FBtn[2];
        QTest::mouseMove(f3, QPoint(5, 5));
        QCOMPARE(w.form.statusText(0), QString("F3 = 01:00:00:00"));
        QCOMPARE(f3->toolTip(), QString("01:00:00:00"));
        w.showTab(TimecodeFormat::DropFrm);
        QTest::mouseMove(f3, QPoint(6, 6));
        QCOMPARE(w.form.statusText(0), QString("F3 = 01;00;00;00"));
        QCOMPARE(f3->toolTip(), QString("01;00;00;00"));
    }

    // A settings file with one malformed value in every section starts
    // without a box, loads every other value, and programming one key
    // keeps the key that did not load as the user stored it.
    void oneBadValuePerSectionCostsThatValueOnly()
    {
        MainWindow w({.shown = true,
                      .storedFile = "[StartWith]\nStartCombo=2\nTabCombo=1, 0\nVer110=1\n"
                                    "[Grid]\n1B=@Variant(garbage)\n"
                                    "[Postion]\nMainLeft=@Rect(1 2 3 4)\n"
                                    "[Font]\nNDFontSize=a, b\nNDFontName=DejaVu Serif\n"
                                    "[Function]\nGF1=01:00:00:00\nF2=02:00:00:00, 03:00\nF3=03:00:00:00\n"
                                    "[Print]\nHeading=Reel, 4\n"
                                    "[Export]\nRadio=@Invalid()\n"});
        QVERIFY2(w.dialogs.messages.isEmpty(), qPrintable(w.dialogs.messageTexts().join('|')));
        QCOMPARE(w.form.activeFormat(), TimecodeFormat::PAL);
        QCOMPARE(w.settings.listFonts[0].name, std::string("DejaVu Serif"));
        w.form.MaskEdit1->setFocus();
        pressKey(3);
        QCOMPARE(w.form.MaskEdit1->text(), QString("03:00:00:00"));
        pressKey(2);
        QCOMPARE(w.form.MaskEdit1->text(), QString("00:00:00:00"));

        w.form.MaskEdit1->setText("05:00:00:00");
        pressKey(5, Qt::ShiftModifier);
        QVERIFY(w.dialogs.messages.isEmpty());
        QCOMPARE(StoredSettings::value("Function/F5"), QString("05:00:00:00"));
        QCOMPARE(StoredSettings::value("Function/GF1"), QString("01:00:00:00"));
        QCOMPARE(StoredSettings::value("Function/F3"), QString("03:00:00:00"));
        QVERIFY2(StoredSettings::fileText().contains("F2=02:00:00:00, 03:00\n"), StoredSettings::fileText());
        // Once programmed, that key is the user's new text.
        w.form.MaskEdit1->setText("02:30:00:00");
        pressKey(2, Qt::ShiftModifier);
        QCOMPARE(StoredSettings::value("Function/F2"), QString("02:30:00:00"));
    }

    void aKeyThatCannotBeStoredIsReported()
    {
        MainWindow w({.shown = true});
        // A folder where the settings file should be: nothing can be saved.
        const QString file = QSettings("Brontel", "Ombrel").fileName();
        QFile::remove(file);
        QVERIFY(QDir().mkpath(file));
        w.type("3000000");
        pressKey(4, Qt::ShiftModifier);
        QVERIFY(QDir(file).removeRecursively());
        QCOMPARE(w.dialogs.messages.size(), 1);
        QCOMPARE(w.dialogs.messages[0].kind, MessageKind::Error);
        // The key still holds it for this run.
        w.form.MaskEdit2->setFocus();
        pressKey(4);
        QCOMPARE(w.form.MaskEdit2->text(), QString("03:00:00:00"));
    }
};

OMBREL_TEST_CLASS(FunctionKeyBarTest)
#include "function_key_bar_test.moc"
