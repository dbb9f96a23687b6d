#include "fake_preferences_target.h"
#include "scripted_dialogs.h"
#include "settings/preferences.h"
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
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace ombrel;
using ombrel::test::FakePreferencesTarget;
using ombrel::test::ScriptedDialogs;
using Check = PreferencesTarget::Check;

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
    std::unique_ptr<TPreferences> prefs_;
    RecordingStore* store_ = nullptr;

    TPreferences& make()
    {
        auto store = std::make_unique<RecordingStore>(path_);
        store_ = store.get();
        prefs_ = std::make_unique<TPreferences>(*target_, *dialogs_, nullptr, std::move(store));
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
        if (what == "NDColour")
            return prefs_->NDFColorCombo->currentText();
        if (what.startsWith("ListColour"))
            return target_->listColours[what.back().digitValue()].name();
        if (what == "UserFramesMask")
            return prefs_->UserFramesMask->text();
        if (what == "FramesMask")
            return prefs_->FramesMask->text();
        if (what == "UserRate")
            return QString::number(prefs_->CurrentRates().userRate);
        if (what == "FramesRate")
            return QString::number(prefs_->CurrentRates().framesRate);
        if (what == "StartCombo")
            return QString::number(prefs_->StartCombo->currentIndex());
        if (what == "TabCombo")
            return QString::number(prefs_->TabCombo->currentIndex());
        if (what == "Tabs")
            return target_->tabsAtBottom.value_or(false) ? "bottom" : "top";
        if (what == "Labels")
            return labels();
        if (what == "GF1")
            return QString::fromStdString(prefs_->FunctionKeys()[0]);
        if (what == "MainPos")
            return QString("%1,%2").arg(target_->mainPosition.x()).arg(target_->mainPosition.y());
        return "unknown probe " + what;
    }

private slots:
    void init()
    {
        path_ = dir_.filePath(QString("prefs%1.ini").arg(++files_));
        target_ = std::make_unique<FakePreferencesTarget>();
        dialogs_ = std::make_unique<ScriptedDialogs>();
    }
    void cleanup() { prefs_.reset(); }

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
        QTest::newRow("empty UserFrames stays empty") << "StartWith/UserFrames"
                                                      << ""
                                                      << ""
                                                      << "UserFramesMask=;UserRate=15"
                                                      << "01";
        QTest::newRow("Frames not a number falls back") << "StartWith/Frames"
                                                        << ""
                                                        << "abc"
                                                        << "FramesMask=abc;FramesRate=30" << kAbsent;
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

    void emptyStoreTakesEveryDefault()
    {
        TPreferences& prefs = make();
        prefs.GetRegInfo();

        QCOMPARE(QSettings(path_, QSettings::IniFormat).allKeys(), QStringList{"StartWith/Ver110"});
        QCOMPARE(raw("StartWith/Ver110"), QString("1"));
        QCOMPARE(probe("Tabs"), QString("top"));
        QCOMPARE(labels(), QString("Out In Duration Dur"));
        QCOMPARE(probe("Validity"), QString("1/1"));
        QCOMPARE(probe("Descriptions"), QString("0/0"));
        QVERIFY(target_->menuCheck(Check::Percentages));
        QCOMPARE(probe("FrameMode"), QString("0/0"));
        QCOMPARE(probe("FrameFields"), QString("0"));
        QVERIFY(target_->menuCheck(Check::Balloon));
        QCOMPARE(target_->userCaption, QString("User-15"));
        QCOMPARE(target_->framesCaption, QString("Frames-30"));
        QCOMPARE(target_->mainPosition, QPoint(200, 100));
        QCOMPARE(target_->miniPosition, QPoint(200, 100));
        QVERIFY(target_->window.has_value());
        QCOMPARE(target_->window->mainWindow, 339);
        QCOMPARE(target_->columns, (std::array<int, 7>{85, 12, 85, 12, 85, 16, 100}));
        const QColor window = QGuiApplication::palette().color(QPalette::Base);
        for (int format = 0; format < 6; ++format) {
            const FontChoice& font = target_->listFonts[format];
            QCOMPARE(font.font.family(), QString("MS Sans Serif"));
            QCOMPARE(font.font.pointSize(), 11);
            QCOMPARE(styleLetters(font.font), QString("b"));
            QCOMPARE(font.color, QColor(0, 0, 0x80));
            QCOMPARE(target_->listColours[format], window);
        }
        QCOMPARE(target_->entryColour, window);
        QCOMPARE(prefs.StartFormat(), 0);
        QCOMPARE(prefs.CurrentRates().userRate, int64_t(15));
        QCOMPARE(prefs.CurrentRates().framesRate, 30.0);
        QCOMPARE(prefs.FunctionKeys(), DefaultFunctionKeySlots());
        QCOMPARE(prefs.LoadedPrintSettings(), PrintSettings{});
        QCOMPARE(prefs.LoadedExportSettings(), ExportSettings{});
        QCOMPARE(prefs.PrintFont(), kDefaultPrintFont);
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
        QCOMPARE(prefs.FramesTabCaption(), framesCaption);
        QCOMPARE(prefs.CurrentRates().userRate, int64_t(storedUser.toInt()));
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
        prefs.ApplyBtn->click();
        QCOMPARE(target_->label1(), QString("TC1"));
        QCOMPARE(target_->listFonts[0].font.family(), QString("DejaVu Serif"));
        QCOMPARE(target_->listFonts[0].color, QColor(Qt::red));

        prefs.CancelBtn->click();
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
        QTest::newRow("menu toggle") << "menu" << false;
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
        } else if (change == "menu") {
            prefs.WriteFrameMode(true);
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

    void positionsAndWidthsRoundTrip_data()
    {
        QTest::addColumn<bool>("large");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("stored1A");
        QTest::newRow("120 dpi") << true << 105 << "85";
        QTest::newRow("96 dpi") << false << 105 << "105";
    }

    void positionsAndWidthsRoundTrip()
    {
        QFETCH(bool, large);
        QFETCH(int, width);
        QFETCH(QString, stored1A);
        settled();
        target_->large = large;
        target_->columns = {width, 18, 90, 18, 90, 22, 130};
        TPreferences& prefs = make();
        prefs.WritePosGrid();
        QCOMPARE(raw("Grid/1A"), stored1A);
        QCOMPARE(raw("Grid/1B"), QString(large ? "12" : "18"));
        QCOMPARE(raw("Postion/MainLeft"), QString("10"));
        QCOMPARE(raw("Postion/MainTop"), QString("20"));
        QCOMPARE(raw("Postion/CalcMiniLeft"), QString("30"));
        QCOMPARE(raw("Postion/CalcMiniTop"), QString("40"));

        target_->columns = {};
        target_->mainPosition = {};
        target_->miniPosition = {};
        prefs.GetRegInfo();
        QCOMPARE(target_->columns, (std::array<int, 7>{width, 18, 90, 18, 90, 22, 130}));
        QCOMPARE(target_->mainPosition, QPoint(10, 20));
        QCOMPARE(target_->miniPosition, QPoint(30, 40));
    }

    void menuTogglesWriteAtOnce_data()
    {
        QTest::addColumn<int>("toggle");
        QTest::addColumn<bool>("value");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("box"); // empty: none
        QTest::newRow("range checking off") << 0 << false << "Validity"
                                            << "ValidityCheckBox";
        QTest::newRow("descriptions on") << 1 << true << "Descriptions"
                                         << "DescriptionsCheckBox";
        QTest::newRow("percentages off") << 2 << false << "Percentages"
                                         << "PercentagesCheckBox";
        QTest::newRow("frame mode on") << 3 << true << "FrameMode"
                                       << "FrameModeCheckBox";
        QTest::newRow("balloon help off") << 4 << false << "Balloon"
                                          << "";
    }

    void menuTogglesWriteAtOnce()
    {
        QFETCH(int, toggle);
        QFETCH(bool, value);
        QFETCH(QString, name);
        QFETCH(QString, box);
        settled();
        TPreferences& prefs = make();
        prefs.GetRegInfo();
        store_->writes.clear();
        using Writer = void (TPreferences::*)(bool);
        const Writer writers[] = {&TPreferences::WriteValidity, &TPreferences::WriteDescriptions,
                                  &TPreferences::WritePercentages, &TPreferences::WriteFrameMode,
                                  &TPreferences::WriteBalloon};
        (prefs.*writers[toggle])(value);
        QCOMPARE(store_->writes, QStringList{"StartWith/" + name});
        QCOMPARE(raw("StartWith/" + name), QString(value ? "1" : "0"));
        if (!box.isEmpty())
            QCOMPARE(prefs.findChild<QCheckBox*>(box)->isChecked(), value);
        QVERIFY(!prefs.PreferencesChanged);
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

    void ratesReadTheSameInAnyLocale()
    {
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        settled();
        stored("StartWith/Frames", "29.97");
        TPreferences& prefs = make();
        prefs.GetRegInfo();
        const double rate = prefs.CurrentRates().framesRate;
        QLocale::setDefault(before);
        QCOMPARE(rate, 29.97);
        QCOMPARE(target_->framesCaption, QString("Frm-29.97"));
    }

    void showModalSavesPositionsFirst()
    {
        settled();
        target_->columns = {85, 12, 85, 12, 85, 16, 140};
        TPreferences& prefs = make();
        QTimer::singleShot(0, prefs.OKBtn, &QPushButton::click);
        QCOMPARE(prefs.ShowModal(), int(QDialog::Accepted));
        QCOMPARE(raw("Postion/MainLeft"), QString("10"));
        QCOMPARE(raw("Grid/1G"), QString("140"));
        QCOMPARE(prefs.ColumnBaseWidths[6], 140);
    }
};

OMBREL_TEST_CLASS(PreferencesTest)

#include "test_preferences.moc"
