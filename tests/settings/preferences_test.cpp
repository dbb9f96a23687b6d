#include "fake_preferences_target.h"
#include "scripted_dialogs.h"
#include "settings/preferences.h"
#include "settings/settings_store.h"
#include "test_registry.h"
#include "widgets/am_edit.h"
#include "widgets/colour_combo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace ombrel;
using ombrel::test::FakePreferencesTarget;
using ombrel::test::ScriptedDialogs;
using Check = MenuOption;

Q_DECLARE_METATYPE(ombrel::Answer)

namespace {

// A store that also remembers the order of its writes.
class RecordingStore : public SettingsStore {
public:
    using SettingsStore::SettingsStore;
    QStringList writes;

protected:
    void writeText(const QString& section, const QString& name, const QString& text) override
    {
        writes << section + '/' + name;
        SettingsStore::writeText(section, name, text);
    }
};

const QString kAbsent = "<absent>";
const QStringList kListPrefixes{"ND", "DF", "PAL", "Film", "User", "Frames"};

QString styleLetters(const QFont& font)
{
    return QString(font.bold() ? "b" : "") + (font.italic() ? "i" : "") + (font.underline() ? "u" : "") +
           (font.strikeOut() ? "s" : "");
}

} // namespace

class PreferencesTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    int files_ = 0;
    QString path_;
    std::unique_ptr<FakePreferencesTarget> target_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    // The settings in force, as main() keeps them.
    AppSettings settings_;
    std::unique_ptr<RecordingStore> store_;
    std::unique_ptr<QWidget> owner_; // the main window, where a test needs one
    std::unique_ptr<TPreferences> prefs_;

    TPreferences& make()
    {
        store_ = std::make_unique<RecordingStore>(path_);
        prefs_ = std::make_unique<TPreferences>(settings_, *store_, *target_, *dialogs_, owner_.get());
        return *prefs_;
    }
    void stored(const QString& key, const QString& text)
    {
        QSettings raw(path_, QSettings::IniFormat);
        raw.setValue(key, text);
    }
    // The defaults were applied by an earlier run.
    void settled() { stored("StartWith/Ver110", "1"); }
    QString raw(const QString& key) const
    {
        QSettings raw(path_, QSettings::IniFormat);
        return raw.contains(key) ? raw.value(key).toString() : kAbsent;
    }
    QString labels() const
    {
        if (!target_->labels)
            return "none";
        const LabelSet& set = *target_->labels;
        return QString::fromStdString(set.label1 + ' ' + set.label2 + ' ' + set.label4 + ' ' + set.fieldLabels[2]);
    }
    QString probe(const QString& what) const
    {
        const auto flag = [](bool on) { return QString(on ? "1" : "0"); };
        const auto box = [&](const char* name, Check item) {
            return flag(prefs_->findChild<QCheckBox*>(name)->isChecked()) + '/' + flag(target_->menuCheck(item));
        };
        if (what == "Validity")
            return box("ValidityCheckBox", Check::Validity);
        if (what == "Descriptions")
            return box("DescriptionsCheckBox", Check::Descriptions);
        if (what == "FrameMode")
            return box("FrameModeCheckBox", Check::FrameMode);
        if (what == "FrameFields")
            return flag(target_->frameFields.value_or(false));
        if (what == "Balloon")
            return flag(target_->menuCheck(Check::Balloon));
        if (what == "NDStyle")
            return styleLetters(target_->listFonts[0].font);
        if (what == "NDSize")
            return QString::number(target_->listFonts[0].font.pointSize());
        if (what == "NDColour")
            return prefs_->NDFColorCombo->currentText();
        if (what.startsWith("ListColour"))
            return target_->listColours[what.back().digitValue()].name();
        if (what == "UserFramesMask")
            return prefs_->UserFramesMask->text();
        if (what == "FramesMask")
            return prefs_->FramesMask->text();
        if (what == "UserRate")
            return QString::number(RatesOf(settings_.options).userRate);
        if (what == "FramesRate")
            return QString::number(RatesOf(settings_.options).framesRate);
        if (what == "UserCaption")
            return target_->userCaption;
        if (what == "FramesCaption")
            return target_->framesCaption;
        if (what == "StartCombo")
            return QString::number(prefs_->StartCombo->currentIndex());
        if (what == "TabCombo")
            return QString::number(prefs_->TabCombo->currentIndex());
        if (what == "Tabs")
            return target_->tabsAtBottom.value_or(false) ? "bottom" : "top";
        if (what == "Labels")
            return labels();
        if (what == "GF1")
            return QString::fromStdString(settings_.functionKeys[0]);
        if (what == "PrintRadio")
            return QString::number(settings_.print.radio);
        if (what == "ExportRadio")
            return QString::number(settings_.exporting.radio);
        if (what == "PrintSize")
            return QString::number(settings_.printFont.size);
        if (what == "MainPos")
            return QString("%1,%2").arg(target_->mainPosition.left).arg(target_->mainPosition.top);
        return "unknown probe " + what;
    }

private slots:
    void init()
    {
        path_ = dir_.filePath(QString("prefs%1.ini").arg(++files_));
        target_ = std::make_unique<FakePreferencesTarget>();
        dialogs_ = std::make_unique<ScriptedDialogs>();
        settings_ = {};
    }
    void cleanup()
    {
        prefs_.reset();
        owner_.reset();
        store_.reset();
    }

    void loadEdgeCases_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("earlier"); // loaded once before, when not empty
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");    // probe=value;...
        QTest::addColumn<QString>("writtenBack"); // the value after OK; empty: not checked

        QTest::newRow("Validity 2 is true") << "StartWith/Validity"
                                            << ""
                                            << "2"
                                            << "Validity=1/1"
                                            << "1";
        QTest::newRow("Validity yes keeps the default") << "StartWith/Validity"
                                                        << ""
                                                        << "yes"
                                                        << "Validity=1/1"
                                                        << "1";
        QTest::newRow("Validity 0") << "StartWith/Validity"
                                    << ""
                                    << "0"
                                    << "Validity=0/0"
                                    << "0";
        QTest::newRow("Descriptions letter keeps the default") << "StartWith/Descriptions"
                                                               << ""
                                                               << "d"
                                                               << "Descriptions=0/0"
                                                               << "0";
        QTest::newRow("FrameMode shows the frame fields") << "StartWith/FrameMode"
                                                          << ""
                                                          << "1"
                                                          << "FrameMode=1/1;FrameFields=1"
                                                          << "1";
        QTest::newRow("Balloon") << "StartWith/Balloon"
                                 << ""
                                 << "0"
                                 << "Balloon=0"
                                 << "";
        QTest::newRow("style 16 is plain") << "Font/NDFontStyle"
                                           << ""
                                           << "16"
                                           << "NDStyle="
                                           << "0";
        QTest::newRow("style -1 is plain") << "Font/NDFontStyle"
                                           << ""
                                           << "-1"
                                           << "NDStyle="
                                           << "0";
        QTest::newRow("style 5 is bold italic") << "Font/NDFontStyle"
                                                << ""
                                                << "5"
                                                << "NDStyle=bi"
                                                << "5";
        QTest::newRow("colour names are BGR") << "Font/DFGridColor"
                                              << ""
                                              << "Teal"
                                              << "ListColour1=#008080"
                                              << "Teal";
        QTest::newRow("lower-case window keeps the choice") << "Font/NDGridColor"
                                                            << "Red"
                                                            << "window"
                                                            << "NDColour=Red;ListColour0=#ff0000"
                                                            << "Red";
        // A rate the program cannot use is the default rate everywhere: in
        // the field, the caption and the calculations.
        QTest::newRow("empty UserFrames is the default rate") << "StartWith/UserFrames"
                                                              << ""
                                                              << ""
                                                              << "UserFramesMask=15;UserRate=15;UserCaption=User-15"
                                                              << "15";
        QTest::newRow("UserFrames 0") << "StartWith/UserFrames"
                                      << ""
                                      << "0"
                                      << "UserFramesMask=15;UserRate=15;UserCaption=User-15"
                                      << "15";
        QTest::newRow("UserFrames beyond two digits") << "StartWith/UserFrames"
                                                      << ""
                                                      << "150"
                                                      << "UserFramesMask=15;UserRate=15;UserCaption=User-15"
                                                      << "15";
        QTest::newRow("UserFrames 07 kept") << "StartWith/UserFrames"
                                            << ""
                                            << "07"
                                            << "UserFramesMask=07;UserRate=7;UserCaption=User-07"
                                            << "07";
        QTest::newRow("Frames 0") << "StartWith/Frames"
                                  << ""
                                  << "0"
                                  << "FramesMask=30;FramesRate=30;FramesCaption=Frames-30"
                                  << "30";
        QTest::newRow("Frames not a number") << "StartWith/Frames"
                                             << ""
                                             << "NaN"
                                             << "FramesMask=30;FramesRate=30;FramesCaption=Frames-30"
                                             << "30";
        QTest::newRow("Frames huge") << "StartWith/Frames"
                                     << ""
                                     << "99999999999999999999"
                                     << "FramesMask=30;FramesRate=30;FramesCaption=Frames-30"
                                     << "30";
        QTest::newRow("Frames 29.97 kept") << "StartWith/Frames"
                                           << ""
                                           << "29.97"
                                           << "FramesMask=29.97;FramesRate=29.97;FramesCaption=Frm-29.97"
                                           << "29.97";
        // Sizes as the font dialog allows them, 1 to 512 points.
        QTest::newRow("font size 10000") << "Font/NDFontSize"
                                         << ""
                                         << "10000"
                                         << "NDSize=512"
                                         << "512";
        QTest::newRow("font size -3") << "Font/NDFontSize"
                                      << ""
                                      << "-3"
                                      << "NDSize=1"
                                      << "1";
        QTest::newRow("print font size") << "Font/PrintFontSize"
                                         << ""
                                         << "2147483647"
                                         << "PrintSize=512"
                                         << "512";
        QTest::newRow("print radio before the formats") << "Print/Radio"
                                                        << ""
                                                        << "-7"
                                                        << "PrintRadio=0" << kAbsent;
        QTest::newRow("print radio beyond the formats") << "Print/Radio"
                                                        << ""
                                                        << "9"
                                                        << "PrintRadio=0" << kAbsent;
        QTest::newRow("export radio before the formats") << "Export/Radio"
                                                         << ""
                                                         << "-1"
                                                         << "ExportRadio=0" << kAbsent;
        QTest::newRow("export radio beyond the formats") << "Export/Radio"
                                                         << ""
                                                         << "6"
                                                         << "ExportRadio=0" << kAbsent;
        QTest::newRow("TabCombo 7") << "StartWith/TabCombo"
                                    << ""
                                    << "7"
                                    << "TabCombo=-1;Tabs=bottom"
                                    << "-1";
        QTest::newRow("TabCombo 1") << "StartWith/TabCombo"
                                    << ""
                                    << "1"
                                    << "TabCombo=1;Tabs=bottom"
                                    << "1";
        QTest::newRow("LabelCombo 2") << "StartWith/LabelCombo"
                                      << ""
                                      << "2"
                                      << "Labels=TC1 TC2 Total Tot"
                                      << "2";
        QTest::newRow("LabelCombo 9 sets no labels") << "StartWith/LabelCombo"
                                                     << ""
                                                     << "9"
                                                     << "Labels=none"
                                                     << "-1";
        QTest::newRow("StartCombo 5") << "StartWith/StartCombo"
                                      << ""
                                      << "5"
                                      << "StartCombo=5"
                                      << "5";
        QTest::newRow("GF1 of 20 characters") << "Function/GF1"
                                              << ""
                                              << "01:02:03:04:05:06:07"
                                              << "GF1=01:02:03:04" << kAbsent; // OK leaves the function keys alone
        QTest::newRow("main window position") << "Postion/MainLeft"
                                              << ""
                                              << "-40"
                                              << "MainPos=-40,100"
                                              << "";
    }

    void loadEdgeCases()
    {
        QFETCH(QString, key);
        QFETCH(QString, earlier);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QFETCH(QString, writtenBack);
        settled();
        TPreferences& prefs = make();
        if (!earlier.isEmpty()) {
            stored(key, earlier);
            prefs.GetRegInfo();
        }
        stored(key, text);
        prefs.GetRegInfo();
        for (const QString& check : expected.split(';')) {
            const QString what = check.section('=', 0, 0);
            QCOMPARE(probe(what), check.section('=', 1));
        }
        if (!writtenBack.isEmpty()) {
            QFile::remove(path_);
            prefs.OKBtnClick();
            QCOMPARE(raw(key), writtenBack);
        }
    }

    // What the window shows of each default is main_form_settings_test's;
    // here the dialog's own controls hold them and the store gains only the
    // marker.
    void emptyStoreTakesEveryDefault()
    {
        TPreferences& prefs = make();
        prefs.GetRegInfo();

        QCOMPARE(QSettings(path_, QSettings::IniFormat).allKeys(), QStringList{"StartWith/Ver110"});
        QCOMPARE(raw("StartWith/Ver110"), QString("1"));
        QCOMPARE(probe("StartCombo"), QString("0"));
        QCOMPARE(probe("TabCombo"), QString("0"));
        QCOMPARE(prefs.LabelCombo->currentIndex(), 1);
        QCOMPARE(probe("UserFramesMask"), QString("15"));
        QCOMPARE(probe("FramesMask"), QString("30"));
        QCOMPARE(probe("Validity"), QString("1/1"));
        QCOMPARE(probe("Descriptions"), QString("0/0"));
        QCOMPARE(probe("FrameMode"), QString("0/0"));
        QCOMPARE(probe("NDColour"), QString("Window"));
    }

    void firstRunAppliesDefaultsOnce()
    {
        stored("Font/NDFontName", "Courier");
        TPreferences& prefs = make();
        prefs.GetRegInfo();
        QCOMPARE(target_->listFonts[0].font.family(), QString("MS Sans Serif"));
        QCOMPARE(raw("Font/NDFontName"), QString("Courier"));
        prefs.GetRegInfo();
        QCOMPARE(target_->listFonts[0].font.family(), QString("Courier"));
    }

    void okWritesInOrder()
    {
        settled();
        stored("StartWith/Balloon", "0");
        TPreferences& prefs = make();
        prefs.GetRegInfo();
        store_->writes.clear();
        QVERIFY(prefs.OKBtnClick());

        QStringList expected;
        for (const QString& prefix : kListPrefixes) {
            for (const char* attribute : {"FontName", "FontColor", "FontSize", "FontStyle", "GridColor"})
                expected << "Font/" + prefix + attribute;
        }
        for (const char* attribute : {"FontName", "FontColor", "FontSize", "FontStyle"})
            expected << QString("Font/Print") + attribute;
        for (const char* name : {"StartCombo", "TabCombo", "LabelCombo", "UserFrames", "Frames", "Validity",
                                 "Descriptions", "Percentages", "FrameMode"})
            expected << QString("StartWith/") + name;
        QCOMPARE(store_->writes, expected);

        QCOMPARE(raw("Font/NDFontColor"), QString("8388608"));
        QCOMPARE(raw("Font/UserFontStyle"), QString("1"));
        QCOMPARE(raw("Font/FramesGridColor"), QString("Window"));
        QCOMPARE(raw("Font/PrintFontName"), QString("Arial"));
        QCOMPARE(raw("Font/PrintFontSize"), QString("12"));
        QCOMPARE(raw("StartWith/LabelCombo"), QString("1"));
        QCOMPARE(raw("StartWith/Balloon"), QString("0"));
    }

    void okCorrectsEmptyRates_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("frames");
        QTest::addColumn<QString>("storedUser");
        QTest::addColumn<QString>("storedFrames");
        QTest::addColumn<QString>("framesCaption");
        QTest::newRow("both empty") << ""
                                    << ""
                                    << "01"
                                    << "1"
                                    << "Frames-1";
        QTest::newRow("user 0") << "0"
                                << "30"
                                << "01"
                                << "30"
                                << "Frames-30";
        QTest::newRow("user 00, NTSC") << "00"
                                       << "29.97"
                                       << "01"
                                       << "29.97"
                                       << "Frm-29.97";
        QTest::newRow("kept as typed") << "7"
                                       << "120"
                                       << "7"
                                       << "120"
                                       << "Frm-120";
    }

    void okCorrectsEmptyRates()
    {
        QFETCH(QString, user);
        QFETCH(QString, frames);
        QFETCH(QString, storedUser);
        QFETCH(QString, storedFrames);
        QFETCH(QString, framesCaption);
        settled();
        TPreferences& prefs = make();
        prefs.show();
        prefs.UserFramesMask->setText(user);
        prefs.FramesMask->setText(frames);
        prefs.OKBtn->click();
        QVERIFY(!prefs.isVisible());
        QCOMPARE(prefs.result(), int(QDialog::Accepted));
        QVERIFY(dialogs_->messages.isEmpty());
        QCOMPARE(raw("StartWith/UserFrames"), storedUser);
        QCOMPARE(raw("StartWith/Frames"), storedFrames);
        QCOMPARE(target_->userCaption, "User-" + storedUser);
        QCOMPARE(target_->framesCaption, framesCaption);
        QCOMPARE(RatesOf(settings_.options).userRate, int64_t(storedUser.toInt()));
    }

    void okRefusesAFramesRateThatIsNoPositiveNumber_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("point") << ".";
        QTest::newRow("two points") << "1.2.3";
        QTest::newRow("zero") << "0";
        QTest::newRow("zero with point") << "00.0";
    }

    void okRefusesAFramesRateThatIsNoPositiveNumber()
    {
        QFETCH(QString, typed);
        settled();
        TPreferences& prefs = make();
        prefs.show();
        prefs.FramesMask->clear();
        QTest::keyClicks(prefs.FramesMask, typed);
        QCOMPARE(prefs.FramesMask->text(), typed);
        prefs.OKBtn->click();

        QCOMPARE(dialogs_->messages.size(), 1);
        QCOMPARE(dialogs_->messages[0].kind, MessageKind::Error);
        QVERIFY2(
            dialogs_->messages[0].text.startsWith("'" + typed + "' is not a valid frame rate for Frames per second"),
            qPrintable(dialogs_->messages[0].text));
        QVERIFY(prefs.isVisible());
        QCOMPARE(raw("StartWith/Frames"), kAbsent);
        QCOMPARE(target_->framesCaption, QString("Frames-30")); // not applied either
        // Corrected, the same dialog closes as usual.
        prefs.FramesMask->setText("25");
        prefs.OKBtn->click();
        QVERIFY(!prefs.isVisible());
        QCOMPARE(raw("StartWith/Frames"), QString("25"));
    }

    void rateFieldsTakeOnlyTheirCharacters_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        QTest::newRow("frames: digits and points") << "FramesMask"
                                                   << "2a9.9x7"
                                                   << "29.97";
        QTest::newRow("frames: five at most") << "FramesMask"
                                              << "123456"
                                              << "12345";
        QTest::newRow("user: no point") << "UserFramesMask"
                                        << "1.5"
                                        << "15";
        QTest::newRow("user: two at most") << "UserFramesMask"
                                           << "123"
                                           << "12";
        QTest::newRow("user: letters") << "UserFramesMask"
                                       << "ab-"
                                       << "";
    }

    void rateFieldsTakeOnlyTheirCharacters()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, text);
        TPreferences& prefs = make();
        auto* edit = prefs.findChild<QLineEdit*>(field);
        QVERIFY(edit);
        edit->clear();
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), text);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), text.chopped(text.isEmpty() ? 0 : 1));
    }

    void applyThenCancelRestoresTheStoredSettings()
    {
        settled();
        TPreferences& prefs = make();
        prefs.show();
        QTest::keyClick(prefs.LabelCombo, Qt::Key_Down);
        dialogs_->fonts.push_back(FontChoice{QFont("DejaVu Serif", 20), Qt::red});
        prefs.BitBtn4->click();
        // The dialog edits a copy; Apply hands it back as the settings in force.
        QCOMPARE(settings_.options.labelSet, 1);
        prefs.ApplyBtn->click();
        QCOMPARE(settings_.options.labelSet, 2);
        QCOMPARE(settings_.listFonts[0].name, std::string("DejaVu Serif"));
        QCOMPARE(target_->label1(), QString("TC1"));
        QCOMPARE(target_->listFonts[0].font.family(), QString("DejaVu Serif"));
        QCOMPARE(target_->listFonts[0].color, QColor(Qt::red));

        prefs.CancelBtn->click();
        QCOMPARE(settings_.options.labelSet, 1);
        QCOMPARE(settings_.listFonts[0], (StoredFont{"MS Sans Serif", 0x800000, 11, {.bold = true}}));
        QVERIFY(!prefs.isVisible());
        QCOMPARE(prefs.result(), int(QDialog::Rejected));
        QVERIFY(dialogs_->messages.isEmpty());
        QCOMPARE(target_->label1(), QString("Out"));
        QCOMPARE(target_->listFonts[0].font.family(), QString("MS Sans Serif"));
        QCOMPARE(target_->listFonts[0].color, QColor(0, 0, 0x80));
        QCOMPARE(raw("StartWith/LabelCombo"), kAbsent);
    }

    void enterIsOkAndEscapeIsCancel()
    {
        settled();
        TPreferences& prefs = make();
        prefs.show();
        QTest::keyClick(prefs.LabelCombo, Qt::Key_Down);
        QTest::keyClick(prefs.FramesMask, Qt::Key_Return);
        QVERIFY(!prefs.isVisible());
        QCOMPARE(raw("StartWith/LabelCombo"), QString("2"));

        prefs.show();
        QTest::keyClick(prefs.LabelCombo, Qt::Key_Up);
        prefs.ApplyBtn->click();
        QCOMPARE(target_->label1(), QString("Out"));
        QTest::keyClick(prefs.LabelCombo, Qt::Key_Escape);
        QVERIFY(!prefs.isVisible());
        QCOMPARE(target_->label1(), QString("TC1"));
        QCOMPARE(raw("StartWith/LabelCombo"), QString("2"));
        QVERIFY(dialogs_->messages.isEmpty());
    }

    void closeQuestion_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<bool>("staysOpen");
        QTest::addColumn<QString>("storedLabels");
        QTest::addColumn<QString>("label1");
        QTest::newRow("Yes stores") << Answer::Yes << false << "2"
                                    << "TC1";
        QTest::newRow("No reloads") << Answer::No << false << kAbsent << "Out";
        QTest::newRow("Cancel stays open") << Answer::Cancel << true << kAbsent << "TC1";
    }

    void closeQuestion()
    {
        QFETCH(Answer, answer);
        QFETCH(bool, staysOpen);
        QFETCH(QString, storedLabels);
        QFETCH(QString, label1);
        settled();
        TPreferences& prefs = make();
        prefs.show();
        QTest::keyClick(prefs.LabelCombo, Qt::Key_Down);
        prefs.ApplyBtn->click();
        dialogs_->answers.push_back(answer);
        prefs.close();

        QCOMPARE(dialogs_->messages.size(), 1);
        QCOMPARE(dialogs_->messages[0].kind, MessageKind::Confirm);
        QCOMPARE(dialogs_->messages[0].text, QString("Save changes?"));
        QCOMPARE(dialogs_->messages[0].buttons, MessageButtons::YesNoCancel);
        QCOMPARE(prefs.isVisible(), staysOpen);
        QCOMPARE(raw("StartWith/LabelCombo"), storedLabels);
        QCOMPARE(target_->label1(), label1);

        if (staysOpen) {
            // The question was the one chance: closing again just closes,
            // leaving the applied labels on screen but not in the store.
            prefs.close();
            QVERIFY(!prefs.isVisible());
            QCOMPARE(dialogs_->messages.size(), 1);
            QCOMPARE(target_->label1(), QString("TC1"));
            QCOMPARE(raw("StartWith/LabelCombo"), kAbsent);
        }
    }

    void whatCountsAsAChange_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("asked");
        QTest::newRow("nothing") << "nothing" << false;
        QTest::newRow("Apply alone") << "apply" << false;
        QTest::newRow("grid colour") << "colour" << false;
        QTest::newRow("Film font") << "BitBtn1" << false;
        QTest::newRow("User font") << "BitBtn2" << false;
        QTest::newRow("NonDrop font") << "BitBtn4" << true;
        QTest::newRow("Frames font, dialog cancelled") << "BitBtn7 cancelled" << true;
        QTest::newRow("range checking box") << "ValidityCheckBox" << true;
        QTest::newRow("frame mode box") << "FrameModeCheckBox" << true;
        QTest::newRow("start combo") << "StartCombo" << true;
        QTest::newRow("typed rate") << "UserFramesMask" << true;
        QTest::newRow("Apply to all grids") << "ApplyAllBtn" << true;
        QTest::newRow("Defaults") << "DefaultBtn" << true;
    }

    void whatCountsAsAChange()
    {
        QFETCH(QString, change);
        QFETCH(bool, asked);
        settled();
        TPreferences& prefs = make();
        prefs.show();
        const FontChoice font{QFont("DejaVu Sans", 9), Qt::black};
        if (change == "apply") {
            prefs.ApplyBtn->click();
        } else if (change == "colour") {
            prefs.FilmColorCombo->setCurrentIndex(3);
        } else if (change == "BitBtn7 cancelled") {
            prefs.BitBtn7->click();
        } else if (change.startsWith("BitBtn")) {
            dialogs_->fonts.push_back(font);
            prefs.findChild<QPushButton*>(change)->click();
        } else if (change.endsWith("CheckBox")) {
            prefs.findChild<QCheckBox*>(change)->click();
        } else if (change == "StartCombo") {
            QTest::keyClick(prefs.StartCombo, Qt::Key_Down);
        } else if (change == "UserFramesMask") {
            QTest::keyClick(prefs.UserFramesMask, Qt::Key_Backspace);
        } else if (change == "ApplyAllBtn" || change == "DefaultBtn") {
            prefs.findChild<QPushButton*>(change)->click();
        }
        prefs.close();
        QCOMPARE(dialogs_->messages.size(), asked ? 1 : 0);
        // Unanswered, the question keeps the dialog open.
        QCOMPARE(prefs.isVisible(), asked);
    }

    void checkBoxesMoveTheMenuMarksAtOnce()
    {
        settled();
        TPreferences& prefs = make();
        prefs.show();
        const int resizes = target_->windowResizes;
        prefs.DescriptionsCheckBox->click();
        prefs.PercentagesCheckBox->click();
        QVERIFY(target_->menuCheck(Check::Descriptions));
        QVERIFY(!target_->menuCheck(Check::Percentages));
        QCOMPARE(target_->windowResizes, resizes); // the width waits for Apply
        prefs.ApplyBtn->click();
        QCOMPARE(target_->window->list, 429);
    }

    void defaultsThenOk()
    {
        stored("StartWith/Ver110", "7");
        stored("Font/NDFontName", "Courier");
        stored("Font/NDGridColor", "Teal");
        stored("StartWith/LabelCombo", "2");
        stored("StartWith/Descriptions", "1");
        stored("StartWith/Frames", "29.97");
        stored("Grid/1A", "150");
        TPreferences& prefs = make();
        prefs.show();
        QCOMPARE(target_->window->list, 494);

        prefs.DefaultBtn->click();
        QCOMPARE(target_->window->mainWindow, 339);
        QCOMPARE(target_->columns[0], 85);
        QVERIFY(!target_->menuCheck(Check::Descriptions));
        QCOMPARE(target_->label1(), QString("Out"));
        QCOMPARE(target_->listFonts[0].font.family(), QString("MS Sans Serif"));
        QCOMPARE(prefs.NDFColorCombo->currentText(), QString("Window"));
        QCOMPARE(target_->framesCaption, QString("Frames-30"));
        QVERIFY(prefs.isVisible());
        QCOMPARE(raw("Font/NDFontName"), QString("Courier")); // nothing written yet
        // The default width served once; the next resize follows the columns.
        prefs.DescriptionsCheckBox->click();
        prefs.ApplyBtn->click();
        QCOMPARE(target_->window->list, 429);
        prefs.DescriptionsCheckBox->click();

        prefs.OKBtn->click();
        QCOMPARE(raw("Font/NDFontName"), QString("MS Sans Serif"));
        QCOMPARE(raw("Font/NDGridColor"), QString("Window"));
        QCOMPARE(raw("StartWith/LabelCombo"), QString("1"));
        QCOMPARE(raw("StartWith/Descriptions"), QString("0"));
        QCOMPARE(raw("StartWith/Frames"), QString("30"));
        QCOMPARE(raw("Grid/1A"), QString("150"));
        QCOMPARE(raw("StartWith/Ver110"), QString("7"));
    }

    void windowWidthFollowsDescriptionsAndResolution_data()
    {
        QTest::addColumn<bool>("large");
        QTest::addColumn<QString>("descriptions");
        QTest::addColumn<int>("windowWidth");
        QTest::newRow("96 dpi with descriptions") << false << "1" << 460;
        QTest::newRow("120 dpi with descriptions") << true << "1" << 559;
        QTest::newRow("120 dpi without") << true << "0" << 416;
    }

    void windowWidthFollowsDescriptionsAndResolution()
    {
        QFETCH(bool, large);
        QFETCH(QString, descriptions);
        QFETCH(int, windowWidth);
        settled();
        stored("StartWith/Descriptions", descriptions);
        target_->large = large;
        make().GetRegInfo();
        QCOMPARE(target_->window->mainWindow, windowWidth);
    }

    void applyToAllGridsThenOk()
    {
        settled();
        TPreferences& prefs = make();
        prefs.show();
        dialogs_->fonts.push_back(FontChoice{QFont("DejaVu Serif", 14), Qt::darkGreen});
        prefs.BitBtn4->click();
        prefs.NDFColorCombo->setCurrentIndex(GridColourIndex("Teal"));
        prefs.ApplyAllBtn->click();
        prefs.OKBtn->click();
        for (const QString& prefix : kListPrefixes) {
            QCOMPARE(raw("Font/" + prefix + "FontName"), QString("DejaVu Serif"));
            QCOMPARE(raw("Font/" + prefix + "GridColor"), QString("Teal"));
        }
        QCOMPARE(target_->listColours[5], QColor(0, 0x80, 0x80));

        // The copies are independent: the NonDrop font alone changes.
        prefs.show();
        dialogs_->fonts.push_back(FontChoice{QFont("DejaVu Sans Mono", 10), Qt::black});
        prefs.BitBtn4->click();
        prefs.ApplyBtn->click();
        QCOMPARE(target_->listFonts[0].font.family(), QString("DejaVu Sans Mono"));
        QCOMPARE(target_->listFonts[1].font.family(), QString("DejaVu Serif"));
        QCOMPARE(target_->listFonts[5].font.family(), QString("DejaVu Serif"));
    }

    void storeThatCannotBeWrittenIsReported()
    {
        QVERIFY(QDir().mkpath(path_)); // a folder where the file belongs
        TPreferences& prefs = make();
        prefs.GetRegInfo();
        QCOMPARE(dialogs_->messageTexts(), QStringList{"Failed to set data for 'Ver110'"});
        prefs.OKBtnClick();
        // The first failed write ends OK's writing.
        QCOMPARE(dialogs_->messageTexts(),
                 (QStringList{"Failed to set data for 'Ver110'", "Failed to set data for 'NDFontName'"}));
        QCOMPARE(dialogs_->messages.last().kind, MessageKind::Error);
    }

    void opensCentredOnTheScreenWithEveryPageWhole()
    {
        settled();
        owner_ = std::make_unique<QWidget>();
        owner_->setGeometry(0, 0, 200, 150);
        owner_->show();
        TPreferences& prefs = make();
        prefs.show();
        QVERIFY(QTest::qWaitForWindowExposed(&prefs));
        const QPoint centre = owner_->screen()->availableGeometry().center();
        const QPoint offset = prefs.frameGeometry().center() - centre;
        QVERIFY2(offset.manhattanLength() <= 2, qPrintable(QString("%1,%2").arg(offset.x()).arg(offset.y())));
        const QTabBar* tabs = prefs.PageControl1->tabBar();
        for (int page = 0; page < prefs.PageControl1->count(); ++page) {
            QVERIFY(tabs->rect().contains(tabs->tabRect(page)));
            const QWidget* sheet = prefs.PageControl1->widget(page);
            QVERIFY2(sheet->width() >= sheet->sizeHint().width() && sheet->height() >= sheet->sizeHint().height(),
                     qPrintable(sheet->objectName()));
        }
    }

    void ratesReadTheSameInAnyLocale()
    {
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        settled();
        stored("StartWith/Frames", "29.97");
        make().GetRegInfo();
        const double rate = RatesOf(settings_.options).framesRate;
        QLocale::setDefault(before);
        QCOMPARE(rate, 29.97);
        QCOMPARE(target_->framesCaption, QString("Frm-29.97"));
    }
};

OMBREL_TEST_CLASS(PreferencesTest)

#include "preferences_test.moc"
