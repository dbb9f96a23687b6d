#include "list/clipboard_text.h"
#include "test_registry.h"

#include <QTest>

using namespace ombrel;

class ClipboardTextTest : public QObject {
    Q_OBJECT
private slots:
    void clipStoreTakesTheFirstLineCut_data()
    {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("stored");
        QTest::newRow("timecode") << "01:02:03:04"
                                  << "01:02:03:04";
        QTest::newRow("more text after a line break") << "01:02:03:04\r\nnext line"
                                                      << "01:02:03:04";
        QTest::newRow("bare line feed") << "12\n34"
                                        << "12";
        QTest::newRow("long first line") << "01:02:03:04:05"
                                         << "01:02:03:04";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("line break first") << "\n01:02:03:04"
                                          << "";
        // Characters, not bytes: a cut never splits one.
        QTest::newRow("accents") << QString::fromUtf8("ééééééééééééé") << QString::fromUtf8("ééééééééééé");
        QTest::newRow("four-byte characters") << QString::fromUtf8("😀1234567890x") << QString::fromUtf8("😀1234567890");
    }
    void clipStoreTakesTheFirstLineCut()
    {
        QFETCH(QString, clipboard);
        QFETCH(QString, stored);
        QCOMPARE(QString::fromStdString(ClipStoreText(clipboard.toStdString())), stored);
    }

    void pastedTimecode_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("pasted");
        QTest::newRow("drop frame to NonDrop") << "01;02;03;04"
                                               << ":"
                                               << "01:02:03:04";
        QTest::newRow("NonDrop to drop frame") << "01:02:03:04"
                                               << ";"
                                               << "01;02;03;04";
        QTest::newRow("mixed separators") << "01:02;03:04"
                                          << ":"
                                          << "01:02:03:04";
        QTest::newRow("no range check") << "99:99:99:99"
                                        << ":"
                                        << "99:99:99:99";
        QTest::newRow("ten characters") << "1:02:03:04"
                                        << ":"
                                        << "00:00:00:00";
        QTest::newRow("twelve characters") << "01:02:03:045"
                                           << ":"
                                           << "00:00:00:00";
        QTest::newRow("other separator") << "01-02-03-04"
                                         << ":"
                                         << "00:00:00:00";
        QTest::newRow("letter in a digit position") << "01:0a:03:04"
                                                    << ";"
                                                    << "00;00;00;00";
        QTest::newRow("blank in a digit position") << "01: 2:03:04"
                                                   << ":"
                                                   << "00:00:00:00";
        QTest::newRow("digit in a separator position") << "0102:03:04:"
                                                       << ":"
                                                       << "00:00:00:00";
        QTest::newRow("empty") << ""
                               << ";"
                               << "00;00;00;00";
        QTest::newRow("frame count") << "12345678901"
                                     << ":"
                                     << "00:00:00:00";
    }
    void pastedTimecode()
    {
        QFETCH(QString, text);
        QFETCH(QString, separator);
        QFETCH(QString, pasted);
        QCOMPARE(QString::fromStdString(PastedTimecode(text.toStdString(), separator.toLatin1()[0])), pasted);
    }
};

OMBREL_TEST_CLASS(ClipboardTextTest)

#include "clipboard_text_test.moc"
