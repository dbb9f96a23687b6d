#include "documents/text_encoding.h"
#include "test_registry.h"

#include <QTest>

#include <string>

using namespace ombrel;

namespace {

std::string bytes(const QByteArray& data)
{
    return data.toStdString();
}

} // namespace

class TextEncodingTest : public QObject {
    Q_OBJECT

private slots:
    void windows1252ToUtf8_data()
    {
        QTest::addColumn<QByteArray>("single");
        QTest::addColumn<QByteArray>("utf8");
        QTest::newRow("ascii") << QByteArray("00:00:01:00 + 30 ") << QByteArray("00:00:01:00 + 30 ");
        QTest::newRow("latin-1 half") << QByteArray("caf\xE9 \xA0\xFF") << QByteArray("caf\xC3\xA9 \xC2\xA0\xC3\xBF");
        QTest::newRow("euro") << QByteArray("\x80") << QByteArray("\xE2\x82\xAC");
        QTest::newRow("quotes and dash") << QByteArray("\x93x\x94\x96")
                                         << QByteArray("\xE2\x80\x9Cx\xE2\x80\x9D\xE2\x80\x93");
        QTest::newRow("last of the table") << QByteArray("\x9F") << QByteArray("\xC5\xB8");
        QTest::newRow("undefined bytes") << QByteArray("\x81\x8D\x8F\x90\x9D")
                                         << QByteArray("\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");
        QTest::newRow("after a long ascii run")
            << QByteArray("abcdefghijklmnop\xE9") << QByteArray("abcdefghijklmnop\xC3\xA9");
    }
    void windows1252ToUtf8()
    {
        QFETCH(QByteArray, single);
        QFETCH(QByteArray, utf8);
        QCOMPARE(QByteArray::fromStdString(Windows1252ToUtf8(bytes(single))), utf8);
        const auto back = Utf8ToWindows1252(bytes(utf8));
        QVERIFY(back);
        QCOMPARE(QByteArray::fromStdString(*back), single);
    }

    // Every byte value comes back as itself, so no two bytes share a character.
    void everyByteRoundTrips()
    {
        std::string all;
        for (int b = 0; b < 256; ++b)
            all += static_cast<char>(b);
        const std::string utf8 = Windows1252ToUtf8(all);
        QVERIFY(IsValidUtf8(utf8));
        const auto back = Utf8ToWindows1252(utf8);
        QVERIFY(back);
        QCOMPARE(*back, all);
    }

    void charactersOutsideWindows1252_data()
    {
        QTest::addColumn<QByteArray>("utf8");
        QTest::newRow("arrow") << QByteArray("a \xE2\x86\x92 b");
        QTest::newRow("C1 control without a byte") << QByteArray("\xC2\x80");
        QTest::newRow("four-byte character") << QByteArray("\xF0\x9F\x8E\xAC");
        QTest::newRow("not UTF-8") << QByteArray("caf\xE9");
    }
    void charactersOutsideWindows1252()
    {
        QFETCH(QByteArray, utf8);
        QVERIFY(!Utf8ToWindows1252(bytes(utf8)));
    }

    void utf8Validity_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("empty") << QByteArray() << true;
        QTest::newRow("two, three and four bytes") << QByteArray("\xC3\xA9\xE2\x86\x92\xF0\x9F\x8E\xAC") << true;
        QTest::newRow("highest character") << QByteArray("\xF4\x8F\xBF\xBF") << true;
        QTest::newRow("windows-1252 after ascii") << QByteArray("abcdefghij caf\xE9") << false;
        QTest::newRow("lone continuation") << QByteArray("\x81") << false;
        QTest::newRow("cut at the end") << QByteArray("ab\xE2\x86") << false;
        QTest::newRow("overlong slash") << QByteArray("\xC0\xAF") << false;
        QTest::newRow("overlong three bytes") << QByteArray("\xE0\x80\xAF") << false;
        QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << false;
        QTest::newRow("above U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << false;
        QTest::newRow("byte FF") << QByteArray("\xFF") << false;
    }
    void utf8Validity()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, valid);
        QCOMPARE(IsValidUtf8(bytes(text)), valid);
    }

    void encodeFileText_data()
    {
        QTest::addColumn<QByteArray>("utf8");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("ascii") << QByteArray("Scene 1 ") << QByteArray("Scene 1 ");
        QTest::newRow("fits windows-1252") << QByteArray("caf\xC3\xA9 \xE2\x82\xAC") << QByteArray("caf\xE9 \x80");
        QTest::newRow("does not fit") << QByteArray("caf\xC3\xA9 \xE2\x86\x92")
                                      << QByteArray("caf\xC3\xA9 \xE2\x86\x92");
        // As Windows-1252 these are the bytes C3 A9, which read back as UTF-8 "é".
        QTest::newRow("would read back as UTF-8") << QByteArray("\xC3\x83\xC2\xA9") << QByteArray("\xC3\x83\xC2\xA9");
    }
    void encodeFileText()
    {
        QFETCH(QByteArray, utf8);
        QFETCH(QByteArray, written);
        const std::string file = EncodeFileText(bytes(utf8));
        QCOMPARE(QByteArray::fromStdString(file), written);
        // Read back as files are: valid UTF-8 as UTF-8, anything else as Windows-1252.
        const std::string back = IsValidUtf8(file) ? file : Windows1252ToUtf8(file);
        QCOMPARE(QByteArray::fromStdString(back), utf8);
    }
};

OMBREL_TEST_CLASS(TextEncodingTest)
#include "text_encoding_test.moc"
