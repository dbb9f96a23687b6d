#include "entry/function_keys.h"
#include "test_registry.h"

#include <QTest>

using namespace ombrel;

class FunctionKeysTest : public QObject {
    Q_OBJECT
private slots:
    void aKeyStoresColonsAndAtMostElevenCharacters_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("stored");
        QTest::newRow("timecode") << "01:00:00:00"
                                  << "01:00:00:00";
        QTest::newRow("drop frame") << "01;02;03;04"
                                    << "01:02:03:04";
        QTest::newRow("longer text") << "01;02;03;04;05"
                                     << "01:02:03:04";
        QTest::newRow("cut between, never inside, a character") << "0123456789\u00e9x"
                                                                << "0123456789\u00e9";
        QTest::newRow("empty") << ""
                               << "";
    }
    void aKeyStoresColonsAndAtMostElevenCharacters()
    {
        QFETCH(QString, source);
        QFETCH(QString, stored);
        QCOMPARE(QString::fromStdString(ProgrammedSlotText(source.toStdString())), stored);
    }

    void aKeyLoadsItsTimecodeWithTheTabsSeparator_data()
    {
        QTest::addColumn<QString>("slot");
        QTest::addColumn<char>("separator");
        QTest::addColumn<QString>("loaded");
        QTest::newRow("non-drop") << "01:00:00:00" << ':' << "01:00:00:00";
        QTest::newRow("drop frame tab") << "01:00:00:00" << ';' << "01;00;00;00";
        QTest::newRow("semicolons stored by hand") << "01;02:03;04" << ':' << "01:02:03:04";
        QTest::newRow("not range checked") << "99:99:99:99" << ':' << "99:99:99:99";
        QTest::newRow("ten characters") << "1:02:03:04" << ':' << "00:00:00:00";
        QTest::newRow("other separators") << "01-02-03-04" << ';' << "00;00;00;00";
        QTest::newRow("a letter for a digit") << "01:0x:03:04" << ':' << "00:00:00:00";
        QTest::newRow("a digit for a separator") << "01:02:03004" << ':' << "00:00:00:00";
        QTest::newRow("empty") << "" << ':' << "00:00:00:00";
    }
    void aKeyLoadsItsTimecodeWithTheTabsSeparator()
    {
        QFETCH(QString, slot);
        QFETCH(char, separator);
        QFETCH(QString, loaded);
        QCOMPARE(QString::fromStdString(LoadedSlotText(slot.toStdString(), separator)), loaded);
    }

    void theStatusTextNamesTheKeyAndItsTimecode()
    {
        QCOMPARE(FunctionKeyStatus(3, "01:00:00:00", ':'), std::string("F3 = 01:00:00:00"));
        QCOMPARE(FunctionKeyStatus(12, "01:00:00:00", ';'), std::string("F12 = 01;00;00;00"));
    }
};

OMBREL_TEST_CLASS(FunctionKeysTest)
#include "function_keys_test.moc"
