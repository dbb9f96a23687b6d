#include "settings/settings_codec.h"
#include "settings/settings_data.h"
#include "test_registry.h"

#include <QLocale>
#include <QTest>

#include <clocale>
#include <locale>

using namespace ombrel;

namespace {

FontStyle style(const QString& letters)
{
    return {letters.contains('b'), letters.contains('i'), letters.contains('u'), letters.contains('s')};
}

// A C++ locale whose decimal point is a comma, as in Germany.
struct CommaDecimal : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

} // namespace

class SettingsCodecTest : public QObject {
    Q_OBJECT

private slots:
    void fontStyleCodes_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("letters"); // b bold, i italic, u underline, s strike-out
        QTest::newRow("none") << 0 << "";
        QTest::newRow("bold") << 1 << "b";
        QTest::newRow("underline alone is 3, not bold italic") << 3 << "u";
        QTest::newRow("bold italic is 5") << 5 << "bi";
        QTest::newRow("italic underline") << 8 << "iu";
        QTest::newRow("underline strike-out") << 10 << "us";
        QTest::newRow("bold underline strike-out") << 13 << "bus";
        QTest::newRow("all four") << 15 << "bius";
    }

    void fontStyleCodes()
    {
        QFETCH(int, code);
        QFETCH(QString, letters);
        QCOMPARE(FontStyleFromCode(code), style(letters));
        QCOMPARE(FontStyleCode(style(letters)), code);
    }

    void everyStyleHasItsOwnCode()
    {
        for (int code = 0; code <= 15; ++code)
            QCOMPARE(FontStyleCode(FontStyleFromCode(code)), code);
    }

    void codesOutsideTheTableReadAsPlain_data()
    {
        QTest::addColumn<int>("code");
        QTest::newRow("16") << 16;
        QTest::newRow("-1") << -1;
        QTest::newRow("large") << 1000;
    }

    void codesOutsideTheTableReadAsPlain()
    {
        QFETCH(int, code);
        QCOMPARE(FontStyleFromCode(code), FontStyle{});
    }

    // The sixteen names in the selectors' order, with the colour each stands
    // for (0x00BBGGRR: red is the low byte).
    void gridColourNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index");
        QTest::addColumn<uint>("colour");
        QTest::newRow("Black") << "Black" << 0 << 0x000000u;
        QTest::newRow("Maroon") << "Maroon" << 1 << 0x000080u;
        QTest::newRow("Green") << "Green" << 2 << 0x008000u;
        QTest::newRow("Olive") << "Olive" << 3 << 0x008080u;
        QTest::newRow("Navy") << "Navy" << 4 << 0x800000u;
        QTest::newRow("Purple") << "Purple" << 5 << 0x800080u;
        QTest::newRow("Teal") << "Teal" << 6 << 0x808000u;
        QTest::newRow("Gray") << "Gray" << 7 << 0x808080u;
        QTest::newRow("Silver") << "Silver" << 8 << 0xC0C0C0u;
        QTest::newRow("Red") << "Red" << 9 << 0x0000FFu;
        QTest::newRow("Lime") << "Lime" << 10 << 0x00FF00u;
        QTest::newRow("Blue") << "Blue" << 11 << 0xFF0000u;
        QTest::newRow("Fuchsia") << "Fuchsia" << 12 << 0xFF00FFu;
        QTest::newRow("Aqua") << "Aqua" << 13 << 0xFFFF00u;
        QTest::newRow("White") << "White" << 14 << 0xFFFFFFu;
        QTest::newRow("Window is a system colour") << "Window" << 15 << 0xFF000005u;
        QTest::newRow("lower case matches nothing") << "window" << -1 << 0u;
        QTest::newRow("trailing blank matches nothing") << "Teal " << -1 << 0u;
        QTest::newRow("empty") << "" << -1 << 0u;
    }

    void gridColourNames()
    {
        QFETCH(QString, name);
        QFETCH(int, index);
        QFETCH(uint, colour);
        QCOMPARE(GridColourIndex(name.toStdString()), index);
        if (index >= 0) {
            QCOMPARE(QString::fromUtf8(kGridColours[index].name.data(), kGridColours[index].name.size()), name);
            QCOMPARE(kGridColours[index].colour, colour);
            QCOMPARE(GridColourIndexOf(colour), index);
        }
    }

    void storedIntegers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("fallback");
        QTest::addColumn<int>("expected");
        QTest::newRow("decimal") << "425" << 0 << 425;
        QTest::newRow("negative") << "-1" << 0 << -1;
        QTest::newRow("plus sign") << "+7" << 0 << 7;
        QTest::newRow("word") << "yes" << 3 << 3;
        QTest::newRow("empty") << "" << 3 << 3;
        QTest::newRow("trailing letters") << "12px" << 3 << 3;
        QTest::newRow("leading blank") << " 12" << 3 << 3;
        QTest::newRow("two signs") << "+-5" << 3 << 3;
        QTest::newRow("beyond 32 bits") << "2147483648" << 3 << 3;
        QTest::newRow("most negative") << "-2147483648" << 3 << int(-2147483648LL);
    }

    void storedIntegers()
    {
        QFETCH(QString, text);
        QFETCH(int, fallback);
        QFETCH(int, expected);
        QCOMPARE(ParseStoredInteger(text.toStdString(), fallback), expected);
    }

    void storedBools_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("fallback");
        QTest::addColumn<bool>("expected");
        QTest::newRow("1") << "1" << false << true;
        QTest::newRow("0") << "0" << true << false;
        QTest::newRow("any other number is true") << "2" << false << true;
        QTest::newRow("negative is true") << "-1" << false << true;
        QTest::newRow("word takes the default true") << "yes" << true << true;
        QTest::newRow("letter takes the default false") << "d" << false << false;
    }

    void storedBools()
    {
        QFETCH(QString, text);
        QFETCH(bool, fallback);
        QFETCH(bool, expected);
        QCOMPARE(ParseStoredBool(text.toStdString(), fallback), expected);
        QCOMPARE(BoolText(expected), std::string(expected ? "1" : "0"));
    }

    void rates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isNumber");
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("validFramesRate");
        QTest::addColumn<double>("framesRate"); // what the conversions get
        QTest::newRow("whole") << "30" << true << 30.0 << true << 30.0;
        QTest::newRow("NTSC") << "29.97" << true << 29.97 << true << 29.97;
        QTest::newRow("film pulled down") << "23.976" << true << 23.976 << true << 23.976;
        QTest::newRow("leading point") << ".5" << true << 0.5 << true << 0.5;
        QTest::newRow("trailing point") << "25." << true << 25.0 << true << 25.0;
        QTest::newRow("point alone") << "." << false << 0.0 << false << 30.0;
        QTest::newRow("two points") << "1.2.3" << false << 0.0 << false << 30.0;
        QTest::newRow("zero") << "0" << true << 0.0 << false << 30.0;
        QTest::newRow("zero with point") << "00.0" << true << 0.0 << false << 30.0;
        QTest::newRow("empty") << "" << false << 0.0 << false << 30.0;
        QTest::newRow("comma") << "29,97" << false << 0.0 << false << 30.0;
        QTest::newRow("exponent") << "1e2" << false << 0.0 << false << 30.0;
        QTest::newRow("sign") << "-5" << false << 0.0 << false << 30.0;
        QTest::newRow("largest the field holds") << "99999" << true << 99999.0 << true << 99999.0;
        QTest::newRow("beyond the field") << "100000" << true << 100000.0 << false << 30.0;
    }

    void rates()
    {
        QFETCH(QString, text);
        QFETCH(bool, isNumber);
        QFETCH(double, value);
        QFETCH(bool, validFramesRate);
        QFETCH(double, framesRate);
        const auto parsed = ParseRate(text.toStdString());
        QCOMPARE(parsed.has_value(), isNumber);
        if (parsed)
            QCOMPARE(*parsed, value);
        QCOMPARE(IsValidFramesRate(text.toStdString()), validFramesRate);
        QCOMPARE(FramesRateFromText(text.toStdString()), framesRate);
    }

    void ratesIgnoreTheLocale()
    {
        const QLocale qtBefore;
        const std::locale cppBefore = std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
        const std::string cBefore = std::setlocale(LC_NUMERIC, nullptr);
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        // Present on machines with German installed; the other two always.
        if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
            std::setlocale(LC_NUMERIC, "de_DE.utf8");

        const auto rate = ParseRate("29.97");
        const double framesRate = FramesRateFromText("23.976");

        std::setlocale(LC_NUMERIC, cBefore.c_str());
        QLocale::setDefault(qtBefore);
        std::locale::global(cppBefore);
        QVERIFY(rate.has_value());
        QCOMPARE(*rate, 29.97);
        QCOMPARE(framesRate, 23.976);
    }

    void userRates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("rate");
        QTest::newRow("two digits") << "15" << qint64(15);
        QTest::newRow("leading zero") << "01" << qint64(1);
        QTest::newRow("empty falls back") << "" << qint64(15);
        QTest::newRow("zero falls back") << "00" << qint64(15);
        QTest::newRow("letters fall back") << "ab" << qint64(15);
        QTest::newRow("point falls back") << "2.5" << qint64(15);
        QTest::newRow("largest") << "99" << qint64(99);
        QTest::newRow("beyond two digits falls back") << "100" << qint64(15);
        QTest::newRow("beyond an int falls back") << "99999999999" << qint64(15);
    }

    void userRates()
    {
        QFETCH(QString, text);
        QFETCH(qint64, rate);
        QCOMPARE(UserRateFromText(text.toStdString()), rate);
    }

    void tabCaptions_data()
    {
        QTest::addColumn<QString>("rateText");
        QTest::addColumn<QString>("userCaption");
        QTest::addColumn<QString>("framesCaption");
        QTest::newRow("two characters") << "30"
                                        << "User-30"
                                        << "Frames-30";
        QTest::newRow("one character") << "1"
                                       << "User-1"
                                       << "Frames-1";
        QTest::newRow("three characters") << "120"
                                          << "User-15"
                                          << "Frm-120";
        QTest::newRow("five characters") << "29.97"
                                         << "User-15"
                                         << "Frm-29.97";
        // A rate the program cannot use is named as the default it uses.
        QTest::newRow("empty") << ""
                               << "User-15"
                               << "Frames-30";
        QTest::newRow("zero") << "0"
                              << "User-15"
                              << "Frames-30";
    }

    void tabCaptions()
    {
        QFETCH(QString, rateText);
        QFETCH(QString, userCaption);
        QFETCH(QString, framesCaption);
        QCOMPARE(QString::fromStdString(UserTabCaption(rateText.toStdString())), userCaption);
        QCOMPARE(QString::fromStdString(FramesTabCaption(rateText.toStdString())), framesCaption);
    }

    void functionSlotsHoldElevenCharacters_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("slot");
        QTest::newRow("timecode") << "01:02:03:04"
                                  << "01:02:03:04";
        QTest::newRow("short") << "12"
                               << "12";
        QTest::newRow("twenty characters") << "01:02:03:04:05:06:07"
                                           << "01:02:03:04";
        QTest::newRow("accented letters count once") << QString(13, QChar(0xE9)) << QString(11, QChar(0xE9));
    }

    void functionSlotsHoldElevenCharacters()
    {
        QFETCH(QString, stored);
        QFETCH(QString, slot);
        QCOMPARE(QString::fromStdString(FunctionSlotText(stored.toStdString())), slot);
    }
};

OMBREL_TEST_CLASS(SettingsCodecTest)

#include "settings_codec_test.moc"
