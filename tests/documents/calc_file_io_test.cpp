#include "documents/calc_file_io.h"
#include "test_registry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

using namespace ombrel;

namespace {

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return file.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Caps the size of files this process may write, as a full disk would.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN); // report EFBIG instead of ending the process
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved_); }

private:
    rlimit saved_{};
};

} // namespace

class CalcFileIoTest : public QObject {
    Q_OBJECT

private slots:
    void saveReplacesAndReadsBack()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("work.obr");
        writeFile(path, "old content, longer than the new one");
        const std::string bytes("OmbrelSheet\r\n0\r\n\xE9\0end", 20);
        QCOMPARE(SaveFileBytes(path, bytes), std::nullopt);
        QCOMPARE(contentOf(path), QByteArray::fromStdString(bytes));

        QByteArray read;
        QCOMPARE(ReadFileBytes(path, read), std::nullopt);
        QCOMPARE(read, QByteArray::fromStdString(bytes));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"work.obr"});
    }

    void failedSaveKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("target"); // relative to a fresh folder holding old.obr
        QTest::addColumn<QString>("failure");
        QTest::newRow("folder gone") << "gone/old.obr"
                                     << "path";
        QTest::newRow("folder is a file") << "old.obr/new.obr"
                                          << "path";
        QTest::newRow("disk full") << "old.obr"
                                   << "size limit";
        QTest::newRow("read-only folder") << "old.obr"
                                          << "read-only";
    }
    void failedSaveKeepsTheOldFile()
    {
        QFETCH(QString, target);
        QFETCH(QString, failure);
        QTemporaryDir dir;
        const QString oldPath = dir.filePath("old.obr");
        const QByteArray oldContent = "OmbrelSheet\r\n0\r\nthe saved work\r\n";
        writeFile(oldPath, oldContent);
        const std::string newContent(64 * 1024, 'n');

        std::optional<QString> error;
        if (failure == "read-only") {
            if (geteuid() == 0)
                QSKIP("permissions do not bind root");
            QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
            error = SaveFileBytes(dir.filePath(target), newContent);
            QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        } else if (failure == "size limit") {
            FileSizeLimit limit(4096);
            error = SaveFileBytes(dir.filePath(target), newContent);
        } else {
            error = SaveFileBytes(dir.filePath(target), newContent);
        }

        QVERIFY(error);
        QVERIFY2(!error->isEmpty() && *error != "Unknown error", qPrintable(error.value_or("")));
        QCOMPARE(contentOf(oldPath), oldContent);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{"old.obr"});
    }

    void readFailures_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("error");
        QTest::newRow("missing file") << "missing.obr"
                                      << "No such file or directory";
        QTest::newRow("folder") << "."
                                << "";
    }
    void readFailures()
    {
        QFETCH(QString, name);
        QFETCH(QString, error);
        QTemporaryDir dir;
        QByteArray bytes = "left over";
        const std::optional<QString> result = ReadFileBytes(dir.filePath(name), bytes);
        QVERIFY(result);
        QVERIFY(!result->isEmpty());
        if (!error.isEmpty())
            QCOMPARE(*result, error);
        QVERIFY(bytes.isEmpty());
    }
};

OMBREL_TEST_CLASS(CalcFileIoTest)
#include "calc_file_io_test.moc"
