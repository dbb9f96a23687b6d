#include "documents/export_form.h"
#include "main_window_fixture.h"
#include "minicalc/mini_calc_form.h"
#include "printing/print_form.h"
#include "settings/app_settings.h"
#include "settings/preferences.h"
#include "shell/calc_main_form.h"
#include "shell/function_key_bar.h"
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
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

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

// Every value the program stores, each distinct and none its default, with
// what a window started from it shows. "list N" probes the list of tab N.
struct StoredValue {
    const char* key;
    const char* stored;
    const char* probe;
    const char* shown;
};

const StoredValue kEveryStoredValue[] = {
    {"Font/NDFontName", "DejaVu Serif", "font name 0", "DejaVu Serif"},
    {"Font/NDFontColor", "17", "font colour 0", "#110000"},
    {"Font/NDFontSize", "7", "font size 0", "7"},
    {"Font/NDFontStyle", "0", "font style 0", ""},
    {"Font/NDGridColor", "Silver", "grid colour 0", "#c0c0c0"},
    {"Font/DFFontName", "DejaVu Sans Mono", "font name 1", "DejaVu Sans Mono"},
    {"Font/DFFontColor", "8704", "font colour 1", "#002200"},
    {"Font/DFFontSize", "8", "font size 1", "8"},
    {"Font/DFFontStyle", "2", "font style 1", "i"},
    {"Font/DFGridColor", "Aqua", "grid colour 1", "#00ffff"},
    {"Font/PALFontName", "DejaVu Sans", "font name 2", "DejaVu Sans"},
    {"Font/PALFontColor", "3342336", "font colour 2", "#000033"},
    {"Font/PALFontSize", "9", "font size 2", "9"},
    {"Font/PALFontStyle", "3", "font style 2", "u"},
    {"Font/PALGridColor", "Lime", "grid colour 2", "#00ff00"},
    {"Font/FilmFontName", "Film Face", "font name 3", "Film Face"},
    {"Font/FilmFontColor", "17425", "font colour 3", "#114400"},
    {"Font/FilmFontSize", "10", "font size 3", "10"},
    {"Font/FilmFontStyle", "4", "font style 3", "s"},
    {"Font/FilmGridColor", "White", "grid colour 3", "#ffffff"},
    {"Font/UserFontName", "User Face", "font name 4", "User Face"},
    {"Font/UserFontColor", "5570662", "font colour 4", "#660055"},
    {"Font/UserFontSize", "12", "font size 4", "12"},
    {"Font/UserFontStyle", "8", "font style 4", "iu"},
    {"Font/UserGridColor", "Fuchsia", "grid colour 4", "#ff00ff"},
    {"Font/FramesFontName", "Frames Face", "font name 5", "Frames Face"},
    {"Font/FramesFontColor", "153", "font colour 5", "#990000"},
    {"Font/FramesFontSize", "13", "font size 5", "13"},
    {"Font/FramesFontStyle", "15", "font style 5", "bius"},
    {"Font/FramesGridColor", "Olive", "grid colour 5", "#808000"},
    {"Font/PrintFontName", "Print Face", "print font name", "Print Face"},
    {"Font/PrintFontColor", "11141307", "print font colour", "11141307"},
    {"Font/PrintFontSize", "14", "print font size", "14"},
    {"Font/PrintFontStyle", "10", "print font style", "us"},
    {"StartWith/StartCombo", "2", "tab", "PAL"},
    {"StartWith/TabCombo", "1", "tab position", "bottom"},
    {"StartWith/LabelCombo", "2", "labels", "TC1 TC2 Total"},
    {"StartWith/UserFrames", "24", "user tab", "User-24"},
    {"StartWith/Frames", "29.97", "frames tab", "Frm-29.97"},
    {"StartWith/Validity", "0", "check ValidityCheck", "0"},
    {"StartWith/Descriptions", "1", "check Descriptions1", "1"},
    {"StartWith/Percentages", "0", "check Percentages1", "0"},
    {"StartWith/FrameMode", "1", "check FrameMode1", "1"},
    {"StartWith/Balloon", "0", "check Balloon1", "0"},
    {"Grid/1A", "90", "column 0", "90"},
    {"Grid/1B", "13", "column 1", "13"},
    {"Grid/1C", "92", "column 2", "92"},
    {"Grid/1D", "14", "column 3", "14"},
    {"Grid/1E", "94", "column 4", "94"},
    {"Grid/1F", "17", "column 5", "17"},
    {"Grid/1G", "130", "column 6", "130"},
    {"Postion/MainLeft", "230", "main window", "230,120"},
    {"Postion/MainTop", "120", "main window", "230,120"},
    {"Postion/CalcMiniLeft", "310", "mini calc", "310,220"},
    {"Postion/CalcMiniTop", "220", "mini calc", "310,220"},
    {"Function/GF1", "01:00:00:01", "key 0", "01:00:00:01"},
    {"Function/F2", "02:00:00:02", "key 1", "02:00:00:02"},
    {"Function/F3", "03:00:00:03", "key 2", "03:00:00:03"},
    {"Function/F4", "04:00:00:04", "key 3", "04:00:00:04"},
    {"Function/F5", "05:00:00:05", "key 4", "05:00:00:05"},
    {"Function/F6", "06:00:00:06", "key 5", "06:00:00:06"},
    {"Function/F7", "07:00:00:07", "key 6", "07:00:00:07"},
    {"Function/F8", "08:00:00:08", "key 7", "08:00:00:08"},
    {"Function/F9", "09:00:00:09", "key 8", "09:00:00:09"},
    {"Function/F10", "10:00:00:10", "key 9", "10:00:00:10"},
    {"Function/F11", "11:00:00:11", "key 10", "11:00:00:11"},
    {"Function/F12", "12:00:00:12", "key 11", "12:00:00:12"},
    {"Print/Radio", "3", "print format", "3"},
    {"Print/Page", "0", "print page", "0"},
    {"Print/Date", "0", "print date", "0"},
    {"Print/Time", "0", "print time", "0"},
    {"Print/Descriptions", "0", "print descriptions", "0"},
    {"Print/Heading", "Reel 4", "print heading", "Reel 4"},
    {"Print/Subheading", "Trailer cut", "print subheading", "Trailer cut"},
    {"Export/Radio", "5", "export format", "5"},
    {"Export/ExportDescriptions", "0", "export descriptions", "0"},
    {"Export/UseHead", "1", "export headings", "1"},
    {"Export/Heading", "Reel 5", "export heading", "Reel 5"},
    {"Export/Subheading", "Teaser cut", "export subheading", "Teaser cut"},
};

// What a first start, from an empty store, shows of each setting: the
// same probes as above, with the defaults. "<Base>" is the palette's
// colour for a list's background, which the grid colour "Window" follows.
struct ShownDefault {
    const char* probe;
    const char* shown;
};

const ShownDefault kEveryDefault[] = {
    {"font name 0", "MS Sans Serif"},
    {"font name 1", "MS Sans Serif"},
    {"font name 2", "MS Sans Serif"},
    {"font name 3", "MS Sans Serif"},
    {"font name 4", "MS Sans Serif"},
    {"font name 5", "MS Sans Serif"},
    {"font colour 0", "#000080"},
    {"font colour 1", "#000080"},
    {"font colour 2", "#000080"},
    {"font colour 3", "#000080"},
    {"font colour 4", "#000080"},
    {"font colour 5", "#000080"},
    {"chosen font size 0", "11"},
    {"chosen font size 1", "11"},
    {"chosen font size 2", "11"},
    {"chosen font size 3", "11"},
    {"chosen font size 4", "11"},
    {"chosen font size 5", "11"},
    {"font style 0", "b"},
    {"font style 1", "b"},
    {"font style 2", "b"},
    {"font style 3", "b"},
    {"font style 4", "b"},
    {"font style 5", "b"},
    {"grid colour 0", "<Base>"},
    {"grid colour 1", "<Base>"},
    {"grid colour 2", "<Base>"},
    {"grid colour 3", "<Base>"},
    {"grid colour 4", "<Base>"},
    {"grid colour 5", "<Base>"},
    {"print font name", "Arial"},
    {"print font colour", "0"},
    {"print font size", "12"},
    {"print font style", "b"},
    {"tab", "NonDrop"},
    {"tab position", "top"},
    {"labels", "Out In Duration"},
    {"user tab", "User-15"},
    {"frames tab", "Frames-30"},
    {"check ValidityCheck", "1"},
    {"check Descriptions1", "0"},
    {"check Percentages1", "1"},
    {"check FrameMode1", "0"},
    {"check Balloon1", "1"},
    {"column 0", "85"},
    {"column 1", "12"},
    {"column 2", "85"},
    {"column 3", "12"},
    {"column 4", "85"},
    {"column 5", "16"},
    {"column 6", "100"},
    {"main window", "200,100"},
    // Beside the main window, right of its frame, not over its menu bar.
    {"mini calc", "543,100"},
    {"key 0", "00:00:00:00"},
    {"key 1", "00:00:00:00"},
    {"key 2", "00:00:00:00"},
    {"key 3", "00:00:00:00"},
    {"key 4", "00:00:00:00"},
    {"key 5", "00:00:00:00"},
    {"key 6", "00:00:00:00"},
    {"key 7", "00:00:00:00"},
    {"key 8", "00:00:00:00"},
    {"key 9", "00:00:00:00"},
    {"key 10", "00:00:00:00"},
    {"key 11", "00:00:00:00"},
    {"print format", "0"},
    {"print page", "1"},
    {"print date", "1"},
    {"print time", "1"},
    {"print descriptions", "1"},
    {"print heading", "Timecode Data"},
    {"print subheading", "30 fps Non-Drop Frame"},
    {"export format", "0"},
    {"export descriptions", "1"},
    {"export headings", "0"},
    {"export heading", "Timecode Data"},
    {"export subheading", "30 fps Non-Drop Frame"},
};

QString styleLetters(bool bold, bool italic, bool underline, bool strikeOut)
{
    return QString(bold ? "b" : "") + (italic ? "i" : "") + (underline ? "u" : "") + (strikeOut ? "s" : "");
}

QString flag(bool on)
{
    return on ? "1" : "0";
}

// What the window shows of one setting.
QString shown(MainWindow& w, const QString& probe)
{
    TCalcMainForm& f = w.form;
    const int n = probe.section(' ', -1).toInt();
    const QTableView* list = probe.startsWith("font") || probe.startsWith("grid") ? f.list(FormatAt(n)) : nullptr;
    if (probe.startsWith("font name"))
        return QString::fromStdString(w.settings.listFonts[n].name);
    if (probe.startsWith("font colour"))
        return list->palette().color(QPalette::Text).name();
    if (probe.startsWith("font size"))
        return QString::number(list->font().pointSize());
    // MS Sans Serif is drawn in a stand-in face scaled to its digits, so the
    // list's own size is not the size chosen.
    if (probe.startsWith("chosen font size"))
        return QString::number(w.settings.listFonts[n].size);
    if (probe.startsWith("font style")) {
        const QFont font = list->font();
        return styleLetters(font.bold(), font.italic(), font.underline(), font.strikeOut());
    }
    if (probe.startsWith("grid colour"))
        return list->palette().color(QPalette::Base).name();
    const StoredFont& print = w.settings.printFont;
    if (probe == "print font name")
        return QString::fromStdString(print.name);
    if (probe == "print font colour")
        return QString::number(print.colour);
    if (probe == "print font size")
        return QString::number(print.size);
    if (probe == "print font style")
        return styleLetters(print.style.bold, print.style.italic, print.style.underline, print.style.strikeOut);
    if (probe == "tab")
        return f.PageControl1->tabText(f.PageControl1->currentIndex());
    if (probe == "tab position")
        return f.PageControl1->tabPosition() == QTabWidget::South ? "bottom" : "top";
    if (probe == "labels")
        return f.Label1->text() + ' ' + f.Label2->text() + ' ' + f.Label4->text();
    if (probe == "user tab")
        return f.PageControl1->tabText(FormatIndex(TimecodeFormat::User));
    if (probe == "frames tab")
        return f.PageControl1->tabText(FormatIndex(TimecodeFormat::Frames));
    if (probe.startsWith("check "))
        return flag(f.findChild<QAction*>(probe.section(' ', 1))->isChecked());
    if (probe.startsWith("column"))
        return QString::number(f.list(TimecodeFormat::NonDrop)->columnWidth(n));
    if (probe == "main window")
        return QString("%1,%2").arg(f.x()).arg(f.y());
    if (probe == "mini calc") {
        f.MiniCalc1->trigger();
        const QPoint place = f.miniCalc().pos();
        f.miniCalc().close();
        return QString("%1,%2").arg(place.x()).arg(place.y());
    }
    if (probe.startsWith("key")) {
        // A screen reader tells the key's timecode as its description.
        return f.ToolBar2->FBtn[n]->accessibleDescription();
    }
    const PrintSettings printing = f.gridPrintForm().settings();
    const ExportSettings exporting = f.exportForm().settings();
    if (probe == "print format")
        return QString::number(printing.radio);
    if (probe == "print page")
        return flag(printing.page);
    if (probe == "print date")
        return flag(printing.date);
    if (probe == "print time")
        return flag(printing.time);
    if (probe == "print descriptions")
        return flag(printing.descriptions);
    if (probe == "print heading")
        return QString::fromStdString(printing.heading);
    if (probe == "print subheading")
        return QString::fromStdString(printing.subheading);
    if (probe == "export format")
        return QString::number(exporting.radio);
    if (probe == "export descriptions")
        return flag(exporting.exportDescriptions);
    if (probe == "export headings")
        return flag(exporting.useHead);
    if (probe == "export heading")
        return QString::fromStdString(exporting.heading);
    if (probe == "export subheading")
        return QString::fromStdString(exporting.subheading);
    return "unknown probe " + probe;
}

void compareEveryShownValue(MainWindow& w, const char* window)
{
    for (const StoredValue& value : kEveryStoredValue)
        QVERIFY2(shown(w, value.probe) == value.shown,
                 qPrintable(QString("%1, %2: %3 shows '%4', expected '%5'")
                                .arg(window, value.key, value.probe, shown(w, value.probe), value.shown)));
}

} // namespace

class MainFormSettingsTest : public QObject {
    Q_OBJECT
private slots:
    // The one list of the first start's defaults, each as the window shows
    // it; the store gains only the marker that they were applied.
    void aFirstStartTakesEveryDefault()
    {
        MainWindow w({.shown = true});
        TCalcMainForm& f = w.form;
        // Before the probes: closing the Mini Calc stores its place.
        QCOMPARE(storedKeys(), QStringList{"StartWith/Ver110"});
        QCOMPARE(test::StoredSettings::value("StartWith/Ver110"), QString("1"));
        QCOMPARE(f.MaskEdit1->text(), QString("00:00:00:00"));
        QCOMPARE(QApplication::focusWidget(), f.MaskEdit1);
        const QString base = QApplication::palette().color(QPalette::Base).name();
        for (const ShownDefault& value : kEveryDefault) {
            const QString expected = QString(value.shown) == "<Base>" ? base : QString(value.shown);
            QVERIFY2(
                shown(w, value.probe) == expected,
                qPrintable(QString("%1 shows '%2', expected '%3'").arg(value.probe, shown(w, value.probe), expected)));
        }
        QCOMPARE(QStringList({header(w, 0), header(w, 2), header(w, 4)}), QStringList({"Out", "In", "Duration"}));
        // 339 pixels outside a border of 4 on each side.
        QCOMPARE(f.width(), 339 - 8);
    }

    // Every stored value, distinct and none its default: a window shows
    // each; the commands that store settings (the preferences' OK, a menu
    // option, printing, an export, closing the Mini Calc and the window)
    // write them back under the same keys; a fresh window from that store
    // shows each again.
    void everyStoredValueSurvivesCloseAndRestart()
    {
        QMap<QString, QString> store{{"StartWith/Ver110", "1"}};
        for (const StoredValue& value : kEveryStoredValue)
            store.insert(value.key, value.stored);
        QTemporaryDir dir;
        QByteArray written;
        {
            MainWindow w({.shown = true, .stored = store});
            compareEveryShownValue(w, "first window");
            if (QTest::currentTestFailed())
                return;

            // From here, only what the commands write is in the store; the
            // function keys, written only as one is programmed, stay.
            QMap<QString, QString> kept{{"StartWith/Ver110", "1"}};
            for (auto it = store.begin(); it != store.end(); ++it)
                if (it.key().startsWith("Function/"))
                    kept.insert(it.key(), it.value());
            test::StoredSettings wiped(kept);
            TCalcMainForm& f = w.form;
            QVERIFY(f.preferences().OKBtnClick());
            f.Balloon1->trigger();
            f.Balloon1->trigger();
            QPrinter& printer = f.gridPrintForm().printer();
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(dir.filePath("report.pdf"));
            f.gridPrintForm().PrintBtnClick();
            w.dialogs.saveNames.push_back(dir.filePath("export.txt"));
            f.exportForm().ExportBtnClick();
            f.MiniCalc1->trigger();
            f.miniCalc().close();
            QVERIFY(f.close());
            QVERIFY2(w.dialogs.messages.isEmpty(), qPrintable(w.dialogs.messageTexts().join('\n')));

            const QStringList keys = storedKeys();
            for (const QString& key : store.keys())
                QVERIFY2(keys.contains(key), qPrintable(key + " was not written: " + keys.join(" ")));
            QCOMPARE(keys.size(), store.size());
            for (const StoredValue& value : kEveryStoredValue)
                QCOMPARE(QString(value.key) + '=' + test::StoredSettings::value(value.key),
                         QString(value.key) + '=' + value.stored);
            written = test::StoredSettings::fileText();
        }
        MainWindow restarted({.shown = true, .storedFile = written});
        compareEveryShownValue(restarted, "restarted window");
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
        // The Mini Calc was never shown and had no place: it still has none.
        QVERIFY(test::StoredSettings::value("Postion/CalcMiniLeft").isEmpty());
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
