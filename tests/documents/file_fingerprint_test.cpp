#include "documents/file_fingerprint.h"
#include "test_registry.h"

#include <QTest>

#include <string>

using namespace ombrel;

class FileFingerprintTest : public QObject {
    Q_OBJECT
private slots:
    // The XXH64 values of a few texts, and the same value however the
    // bytes are cut into pieces.
    void hashOfPieces_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<quint64>("expected");
        QTest::newRow("empty") << QByteArray() << quint64(0xEF46DB3751D8E999ull);
        QTest::newRow("a") << QByteArray("a") << quint64(0xD24EC4F1A98C6E5Bull);
        QTest::newRow("abc") << QByteArray("abc") << quint64(0x44BC2CF5AD770999ull);
        QByteArray rows;
        for (int i = 0; i < 200; ++i)
            rows += "00:00:01:00 + 00:00:01:00 = 00:00:02:00   \r\n";
        QTest::newRow("rows") << rows << quint64(0);
    }
    void hashOfPieces()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(quint64, expected);
        ContentHash whole;
        whole.add({bytes.constData(), size_t(bytes.size())});
        if (expected != 0)
            QCOMPARE(quint64(whole.value()), expected);
        for (const int piece : {1, 3, 7, 31, 32, 33, 100}) {
            ContentHash cut;
            for (int at = 0; at < bytes.size(); at += piece)
                cut.add({bytes.constData() + at, size_t(std::min<int>(piece, bytes.size() - at))});
            QCOMPARE(cut.value(), whole.value());
        }
        // One byte more or changed is another value.
        ContentHash longer = whole;
        longer.add(" ");
        QVERIFY(longer.value() != whole.value());
    }

    void changedOnDisk_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<qint64>("time");
        QTest::addColumn<int>("hash"); // -1: unreadable
        QTest::addColumn<bool>("hashed");
        QTest::addColumn<bool>("changed");
        QTest::newRow("same") << qint64(100) << qint64(5000) << 7 << true << false;
        QTest::newRow("other size") << qint64(101) << qint64(5000) << 7 << false << true;
        QTest::newRow("other time") << qint64(100) << qint64(5001) << 7 << false << true;
        QTest::newRow("same size and time, other content") << qint64(100) << qint64(5000) << 8 << true << true;
        QTest::newRow("unreadable") << qint64(100) << qint64(5000) << -1 << true << true;
    }
    void changedOnDisk()
    {
        QFETCH(qint64, size);
        QFETCH(qint64, time);
        QFETCH(int, hash);
        QFETCH(bool, hashed);
        QFETCH(bool, changed);
        bool asked = false;
        const bool result = ChangedOnDisk({100, 5000, 7}, size, time, [&]() -> std::optional<uint64_t> {
            asked = true;
            return hash < 0 ? std::nullopt : std::optional<uint64_t>(hash);
        });
        QCOMPARE(result, changed);
        QCOMPARE(asked, hashed);
    }

    void questions()
    {
        QCOMPARE(QString::fromStdString(EnglishText(ReplaceQuestion("shared.obr", std::nullopt))),
                 QString("shared.obr already exists.\nDo you want to replace it?"));
        const QString opened = QString::fromStdString(EnglishText(ReplaceQuestion("shared.obr", FileOrigin::Opened)));
        QVERIFY2(opened.startsWith("shared.obr has changed on disk since you opened it"), qPrintable(opened));
        QVERIFY(QString::fromStdString(EnglishText(ReplaceQuestion("a.obr", FileOrigin::Saved)))
                    .startsWith("a.obr has changed on disk since you saved it"));
        const QString elsewhere = QString::fromStdString(EnglishText(OpenElsewhereQuestion("shared.obr", 4242)));
        QVERIFY2(elsewhere.startsWith("shared.obr is open in another Ombrel window (process 4242)"),
                 qPrintable(elsewhere));
        QVERIFY(elsewhere.endsWith("Open it anyway?"));
    }
};

OMBREL_TEST_CLASS(FileFingerprintTest)

#include "file_fingerprint_test.moc"
