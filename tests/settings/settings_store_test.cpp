#include "settings/settings_sections.h"
#include "settings/settings_store.h"
#include "test_registry.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace ombrel;

class SettingsStoreTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    int files_ = 0;
    QString path_;

    void rawSet(const QString& key, const QString& text)
    {
        QSettings raw(path_, QSettings::IniFormat);
        raw.setValue(key, text);
    }
    QString fileText() const
    {
        QFile file(path_);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

private slots:
    void init() { path_ = dir_.filePath(QString("store%1.ini").arg(++files_)); }

    void reads_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("stored"); // "<absent>": no value at all
        QTest::addColumn<QString>("defaultValue");
        QTest::addColumn<QString>("expected");
        const QString absent = "<absent>";
        QTest::newRow("integer absent") << "integer" << absent << "85"
                                        << "85";
        QTest::newRow("integer negative") << "integer"
                                          << "-16777211"
                                          << "0"
                                          << "-16777211";
        QTest::newRow("integer not a number") << "integer"
                                              << "12px"
                                              << "85"
                                              << "85";
        QTest::newRow("integer empty") << "integer"
                                       << ""
                                       << "85"
                                       << "85";
        QTest::newRow("bool absent true") << "bool" << absent << "1"
                                          << "1";
        QTest::newRow("bool 2") << "bool"
                                << "2"
                                << "0"
                                << "1";
        QTest::newRow("bool 0") << "bool"
                                << "0"
                                << "1"
                                << "0";
        QTest::newRow("bool yes keeps default true") << "bool"
                                                     << "yes"
                                                     << "1"
                                                     << "1";
        QTest::newRow("bool letter keeps default false") << "bool"
                                                         << "d"
                                                         << "0"
                                                         << "0";
        QTest::newRow("text absent") << "text" << absent << "15"
                                     << "15";
        QTest::newRow("text empty stays empty") << "text"
                                                << ""
                                                << "15"
                                                << "";
        QTest::newRow("text with comma") << "text"
                                         << "Timecode, Data"
                                         << "x"
                                         << "Timecode, Data";
    }

    void reads()
    {
        QFETCH(QString, kind);
        QFETCH(QString, stored);
        QFETCH(QString, defaultValue);
        QFETCH(QString, expected);
        if (stored != "<absent>")
            rawSet("StartWith/Value", stored);
        SettingsStore store(path_);
        QString result;
        if (kind == "integer")
            result = QString::number(store.ReadInteger("StartWith", "Value", defaultValue.toInt()));
        else if (kind == "bool")
            result = store.ReadBool("StartWith", "Value", defaultValue == "1") ? "1" : "0";
        else
            result = store.ReadString("StartWith", "Value", defaultValue);
        QCOMPARE(result, expected);
    }

    void everyValueIsWrittenAsText()
    {
        {
            SettingsStore store(path_);
            store.WriteInteger("Font", "NDFontColor", -16777211);
            store.WriteInteger("StartWith", "TabCombo", -1);
            store.WriteBool("StartWith", "Validity", true);
            store.WriteBool("StartWith", "FrameMode", false);
            store.WriteString("Print", "Heading", "Timecode, Data");
            store.WriteString("StartWith", "UserFrames", "");
        }
        const QString text = fileText();
        QVERIFY2(text.contains("[Font]\nNDFontColor=-16777211\n"), qPrintable(text));
        QVERIFY(text.contains("TabCombo=-1\n"));
        QVERIFY(text.contains("Validity=1\n"));
        QVERIFY(text.contains("FrameMode=0\n"));
        // Read back by any reader as the same text, not as a list.
        SettingsStore again(path_);
        QCOMPARE(again.ReadString("Print", "Heading", "x"), QString("Timecode, Data"));
        QCOMPARE(again.ReadString("StartWith", "UserFrames", "15"), QString(""));
    }

    // A value QSettings does not read as text (an unquoted comma makes a
    // list, "@" a typed value) reads as its default, alone.
    void valuesThatAreNotTextReadAsTheirDefault_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("unquoted comma") << QByteArray("Heading=Timecode, Data");
        QTest::newRow("typed variant") << QByteArray("Heading=@Variant(\\0\\0\\0\\x7f)");
        QTest::newRow("broken variant") << QByteArray("Heading=@Variant(garbage)");
        QTest::newRow("invalid") << QByteArray("Heading=@Invalid()");
        QTest::newRow("rectangle") << QByteArray("Heading=@Rect(1 2 3 4)");
        QTest::newRow("bytes") << QByteArray("Heading=@ByteArray(Report)");
    }
    void valuesThatAreNotTextReadAsTheirDefault()
    {
        QFETCH(QByteArray, line);
        QFile file(path_);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Print]\nRadio=3\n" + line + "\nRadio2=a, b\nSubheading=Reel 2\n");
        file.close();
        SettingsStore store(path_);
        QCOMPARE(store.ReadString("Print", "Heading", "x"), QString("x"));
        QCOMPARE(store.ReadInteger("Print", "Heading", 7), 7);
        QCOMPARE(store.ReadBool("Print", "Radio2", true), true);
        QVERIFY(store.IsUnreadable("Print", "Heading"));
        QCOMPARE(store.ReadInteger("Print", "Radio", 0), 3);
        QCOMPARE(store.ReadString("Print", "Subheading", "x"), QString("Reel 2"));
        QVERIFY(!store.IsUnreadable("Print", "Subheading"));
        // Written as text, it reads again.
        store.WriteString("Print", "Heading", "Reel 3");
        QVERIFY(!store.IsUnreadable("Print", "Heading"));
        QCOMPARE(SettingsStore(path_).ReadString("Print", "Heading", "x"), QString("Reel 3"));
    }

    // One malformed value in every section of a real settings file: every
    // other value loads, and programming one key leaves the keys that did
    // not load as the user stored them.
    void oneBadValuePerSectionCostsThatValueOnly()
    {
        QFile file(path_);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[StartWith]\nStartCombo=2\nTabCombo=1, 0\nUserFrames=24\nValidity=0\nVer110=1\n"
                   "[Grid]\n1A=120\n1B=@Variant(garbage)\n1C=90\n"
                   "[Postion]\nMainLeft=@Rect(1 2 3 4)\nMainTop=300\n"
                   "[Font]\nNDFontName=DejaVu Serif\nNDFontSize=a, b\nPrintFontSize=14\n"
                   "[Function]\nGF1=01:00:00:00\nF2=02:00:00:00, 03:00\nF3=03:00:00:00\nF12=12:00:00:00\n"
                   "[Print]\nHeading=Reel, 4\nSubheading=Cut 4\n"
                   "[Export]\nRadio=@Invalid()\nHeading=Export 5\n");
        file.close();
        SettingsStore store(path_);
        AppSettings settings;
        ReadSettings(store, settings);
        QCOMPARE(settings.options.startFormat, 2);
        QCOMPARE(settings.options.tabPosition, 0);
        QCOMPARE(settings.options.userFrames, std::string("24"));
        QVERIFY(!settings.options.validity);
        QCOMPARE(settings.columnBaseWidths[0], 120);
        QCOMPARE(settings.columnBaseWidths[1], 12);
        QCOMPARE(settings.columnBaseWidths[2], 90);
        QCOMPARE(settings.mainWindow, (WindowPosition{200, 300}));
        QCOMPARE(settings.listFonts[0].name, std::string("DejaVu Serif"));
        QCOMPARE(settings.listFonts[0].size, 11);
        QCOMPARE(settings.printFont.size, 14);
        QCOMPARE(settings.functionKeys[0], std::string("01:00:00:00"));
        QCOMPARE(settings.functionKeys[1], std::string("00:00:00:00"));
        QCOMPARE(settings.functionKeys[2], std::string("03:00:00:00"));
        QCOMPARE(settings.functionKeys[11], std::string("12:00:00:00"));
        QCOMPARE(settings.print.heading, std::string("Timecode Data"));
        QCOMPARE(settings.print.subheading, std::string("Cut 4"));
        QCOMPARE(settings.exporting.radio, 0);
        QCOMPARE(settings.exporting.heading, std::string("Export 5"));

        settings.functionKeys[4] = "05:00:00:00";
        WriteFunctionKeys(store, settings.functionKeys, 5);
        QVERIFY2(fileText().contains("F2=02:00:00:00, 03:00\n"), qPrintable(fileText()));
        QSettings raw(path_, QSettings::IniFormat);
        QCOMPARE(raw.value("Function/F5").toString(), QString("05:00:00:00"));
        QCOMPARE(raw.value("Function/F3").toString(), QString("03:00:00:00"));
        QCOMPARE(raw.value("Function/F4").toString(), QString(kDefaultFunctionText.data()));

        // Programming that very key replaces it.
        settings.functionKeys[1] = "02:30:00:00";
        WriteFunctionKeys(store, settings.functionKeys, 2);
        QCOMPARE(SettingsStore(path_).ReadString("Function", "F2", ""), QString("02:30:00:00"));
    }

    void failedWriteIsReportedAndLaterWritesRecover()
    {
        // A folder where the file should be: nothing can be saved there,
        // not even by root.
        QVERIFY(QDir().mkpath(path_));
        SettingsStore store(path_);
        try {
            store.WriteString("Print", "Heading", "Report");
            QFAIL("no error");
        } catch (const SettingsError& error) {
            QCOMPARE(QString(error.what()), QString("Failed to set data for 'Heading'"));
        }
        QVERIFY(QDir(path_).removeRecursively());
        store.WriteInteger("Print", "Radio", 3);
        QCOMPARE(SettingsStore(path_).ReadInteger("Print", "Radio", 0), 3);
    }

    void userStoreLivesInTheConfigFolder()
    {
        const QString expected = qEnvironmentVariable("XDG_CONFIG_HOME") + "/Brontel/Ombrel.conf";
        QCOMPARE(SettingsStore().fileName(), expected);
    }

    void functionKeysAreStoredUnderTheirOwnNames()
    {
        FunctionKeySlots keys = DefaultFunctionKeySlots();
        keys[0] = "01:00:00:00";
        keys[1] = "02:00:00:00";
        keys[11] = "12:00:00:00";
        rawSet("Function/GF1", "01:00:00:00");
        rawSet("Function/F1", "09:09:09:09"); // not key 1's name
        rawSet("Function/F2", "02:00:00:00");
        rawSet("Function/F12", "12:00:00:00");
        SettingsStore store(path_);
        QCOMPARE(ReadFunctionKeys(store), keys);
    }

    void functionKeysReadWithDefaultsAndCut()
    {
        rawSet("Function/GF1", "01:02:03:04:05:06:07");
        SettingsStore store(path_);
        const FunctionKeySlots keys = ReadFunctionKeys(store);
        QCOMPARE(keys[0], std::string("01:02:03:04"));
        QCOMPARE(keys[5], std::string("00:00:00:00"));
    }

    void functionKeysWriteAllTwelveUnderTheirNames()
    {
        FunctionKeySlots keys = DefaultFunctionKeySlots();
        keys[0] = "01:00:00:00";
        keys[11] = "12:00:00:00";
        SettingsStore store(path_);
        WriteFunctionKeys(store, keys, 1);
        QSettings raw(path_, QSettings::IniFormat);
        raw.beginGroup("Function");
        QStringList expected{"GF1"};
        for (int key = 2; key <= 12; ++key)
            expected << QString("F%1").arg(key);
        expected.sort();
        QCOMPARE(raw.childKeys(), expected);
        QCOMPARE(raw.value("GF1").toString(), QString("01:00:00:00"));
        QCOMPARE(raw.value("F12").toString(), QString("12:00:00:00"));
        QCOMPARE(ReadFunctionKeys(store), keys);
    }

    void printAndExportSections()
    {
        SettingsStore store(path_);
        const PrintSettings print{4, false, true, false, true, "Reel 3", ""};
        const ExportSettings exported{5, false, true, "", "Cut list"};
        for (const auto& [key, text] :
             std::initializer_list<std::pair<QString, QString>>{{"Print/Radio", "4"},
                                                                {"Print/Page", "0"},
                                                                {"Print/Date", "1"},
                                                                {"Print/Time", "0"},
                                                                {"Print/Descriptions", "1"},
                                                                {"Print/Heading", "Reel 3"},
                                                                {"Print/Subheading", ""},
                                                                {"Export/Radio", "5"},
                                                                {"Export/ExportDescriptions", "0"},
                                                                {"Export/UseHead", "1"},
                                                                {"Export/Heading", ""},
                                                                {"Export/Subheading", "Cut list"}})
            rawSet(key, text);
        SettingsStore again(path_);
        QCOMPARE(ReadPrintSettings(again), print);
        QCOMPARE(ReadExportSettings(again), exported);
    }

    // What the print and export dialogs write reads back the same, every
    // value stored as text.
    void printAndExportWritten()
    {
        const PrintSettings print{2, true, false, true, false, "Reel 3", "25 fps PAL"};
        const ExportSettings exported{4, true, false, "Cut list", ""};
        {
            SettingsStore store(path_);
            WritePrintSettings(store, print);
            WriteExportSettings(store, exported);
        }
        QSettings raw(path_, QSettings::IniFormat);
        QCOMPARE(raw.value("Print/Radio").toString(), QString("2"));
        QCOMPARE(raw.value("Print/Date").toString(), QString("0"));
        QCOMPARE(raw.value("Print/Subheading").toString(), QString("25 fps PAL"));
        QCOMPARE(raw.value("Export/UseHead").toString(), QString("0"));
        QCOMPARE(raw.value("Export/Subheading", "<absent>").toString(), QString());
        SettingsStore again(path_);
        QCOMPARE(ReadPrintSettings(again), print);
        QCOMPARE(ReadExportSettings(again), exported);
    }

    void fontsKeepTheirStoredColour()
    {
        rawSet("Font/UserFontColor", "-16777208"); // a system colour
        rawSet("Font/UserFontStyle", "9");
        SettingsStore store(path_);
        const StoredFont font = ReadFont(store, "User", kDefaultListFont);
        QCOMPARE(font.name, std::string("MS Sans Serif"));
        QCOMPARE(font.colour, int32_t(-16777208));
        QCOMPARE(font.size, 11);
        QCOMPARE(font.style, (FontStyle{false, true, false, true}));
        WriteFont(store, "Frames", font);
        QCOMPARE(store.ReadString("Font", "FramesFontColor", ""), QString("-16777208"));
        QCOMPARE(store.ReadString("Font", "FramesFontStyle", ""), QString("9"));
    }
};

OMBREL_TEST_CLASS(SettingsStoreTest)

#include "settings_store_test.moc"
