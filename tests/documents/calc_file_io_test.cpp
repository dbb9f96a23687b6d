#include "documents/calc_file.h"
#include "documents/calc_file_io.h"
#include "file_size_limit.h"
#include "test_registry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <fcntl.h>
#include <linux/fs.h>
#include <string>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
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

// A small file system of its own, to be filled to the last byte as a full
// disk is. Needs the right to mount (root).
class FullDisk {
public:
    explicit FullDisk(const QString& mountPoint) : path_(mountPoint)
    {
        QDir().mkpath(path_);
        mounted_ = mount("tmpfs", qPrintable(path_), "tmpfs", 0, "size=256k") == 0;
    }
    ~FullDisk()
    {
        if (mounted_)
            umount(qPrintable(path_));
    }
    bool mounted() const { return mounted_; }
    void fill()
    {
        QFile filler(path_ + "/filler");
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size()) {
        }
        const QByteArray byte(1, 'f');
        while (filler.write(byte) == 1) {
        }
    }

private:
    QString path_;
    bool mounted_ = false;
};

// Marks a folder immutable: no file can be added to it, not even by root,
// while the files in it can still be written.
class ImmutableFolder {
public:
    explicit ImmutableFolder(const QString& path) : fd_(open(qPrintable(path), O_RDONLY | O_DIRECTORY))
    {
        set_ = fd_ >= 0 && setFlag(true);
    }
    ~ImmutableFolder()
    {
        if (set_)
            setFlag(false);
        if (fd_ >= 0)
            close(fd_);
    }
    bool set() const { return set_; }

private:
    bool setFlag(bool on)
    {
        int flags = 0;
        if (ioctl(fd_, FS_IOC_GETFLAGS, &flags) != 0)
            return false;
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        return ioctl(fd_, FS_IOC_SETFLAGS, &flags) == 0;
    }
    int fd_;
    bool set_ = false;
};

QByteArray workedExampleHead()
{
    return "OmbrelSheet\r\n1\r\nNonDropFrame Timecode\r\n";
}

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
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"work.obr"});
    }

    // Saved and opened a piece and a block at a time, a sheet larger than
    // either comes back as it was, a long description across the blocks.
    void savesAndOpensASheetInPieces()
    {
        CalcSheet sheet;
        for (int r = 0; r < 30000; ++r) {
            const std::string description = r == 20000 ? std::string(60000, 'y') : r % 7 ? "" : "caf\xC3\xA9";
            std::array<RowView, kFormatCount> rows;
            for (auto& row : rows)
                row = {"00:00:01:00", "+", "00:00:01:00", "=", "00:00:02:00", "", description};
            sheet.appendCalculation(rows);
        }
        QTemporaryDir dir;
        const QString path = dir.filePath("work.obr");
        writeFile(path, "old content");
        int lastProgress = -1;
        const SaveOutcome saved = SaveCalcFile(path, sheet, Rates{}, [&](int permille) {
            lastProgress = permille;
            return true;
        });
        QVERIFY(saved.saved);
        QCOMPARE(lastProgress, 1000);
        const QByteArray file = contentOf(path);
        QCOMPARE(file, QByteArray::fromStdString(WriteCalcFile(sheet, Rates{}.userRate, Rates{}.framesRate)));

        const std::optional<CalcFileContents> opened = OpenCalcFile(path);
        QVERIFY(opened);
        QVERIFY2(opened->ok(), EnglishText(opened->error).c_str());
        QCOMPARE(WriteCalcFile(opened->sheet, Rates{}.userRate, Rates{}.framesRate), file.toStdString());
    }

    // A save or an open asked to stop ends with nothing changed.
    void stoppedSaveAndOpenChangeNothing()
    {
        CalcSheet sheet;
        for (int r = 0; r < 100000; ++r)
            sheet.appendCalculation(std::array<RowView, kFormatCount>{});
        QTemporaryDir dir;
        const QString path = dir.filePath("work.obr");
        writeFile(path, "old content");
        const SaveOutcome stopped = SaveCalcFile(path, sheet, Rates{}, [](int) { return false; });
        QVERIFY(!stopped.saved);
        QCOMPARE(stopped.error, QString());
        QCOMPARE(contentOf(path), QByteArray("old content"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"work.obr"});

        QVERIFY(SaveCalcFile(path, sheet, Rates{}).saved);
        QVERIFY(!OpenCalcFile(path, [](int) { return false; }));
    }

    void failedSaveKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("target"); // relative to a fresh folder holding old.obr
        QTest::addColumn<QString>("failure");
        QTest::addColumn<int>("size"); // of the new content
        QTest::newRow("folder gone") << "gone/old.obr"
                                     << "path" << 65536;
        QTest::newRow("folder is a file") << "old.obr/new.obr"
                                          << "path" << 65536;
        QTest::newRow("file size limit") << "old.obr"
                                         << "size limit" << 65536;
        // Smaller than any write buffer: the failure shows only if every
        // write reaches the disk at once.
        QTest::newRow("file size limit, small file") << "old.obr"
                                                     << "size limit" << 1000;
        QTest::newRow("disk full, small file") << "old.obr"
                                               << "disk full" << 1000;
        QTest::newRow("disk full, large file") << "old.obr"
                                               << "disk full" << 65536;
        QTest::newRow("read-only folder") << "old.obr"
                                          << "read-only" << 65536;
    }
    void failedSaveKeepsTheOldFile()
    {
        QFETCH(QString, target);
        QFETCH(QString, failure);
        QFETCH(int, size);
        QTemporaryDir dir;
        QString folder = dir.path();
        std::optional<FullDisk> disk;
        if (failure == "disk full") {
            disk.emplace(dir.filePath("disk"));
            if (!disk->mounted())
                QSKIP("no right to mount a small file system");
            folder = dir.filePath("disk");
        }
        const QString oldPath = folder + "/old.obr";
        const QByteArray oldContent = "OmbrelSheet\r\n0\r\nthe saved work\r\n";
        writeFile(oldPath, oldContent);
        const std::string newContent(size, 'n');

        std::optional<QString> error;
        if (failure == "read-only") {
            if (geteuid() == 0)
                QSKIP("permissions do not bind root");
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
            error = SaveFileBytes(folder + "/" + target, newContent);
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        } else if (failure == "size limit") {
            test::FileSizeLimit limit(100);
            error = SaveFileBytes(folder + "/" + target, newContent);
        } else if (failure == "disk full") {
            disk->fill();
            error = SaveFileBytes(folder + "/" + target, newContent);
            QFile::remove(folder + "/filler");
            QCOMPARE(error, QString("No space left on device"));
        } else {
            error = SaveFileBytes(folder + "/" + target, newContent);
        }

        QVERIFY(error);
        QVERIFY2(!error->isEmpty() && *error != "Unknown error", qPrintable(error.value_or("")));
        QCOMPARE(contentOf(oldPath), oldContent);
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{"old.obr"});
    }

    // A writable file in a folder that takes no new files is not written
    // over in place: a failure half way would lose it.
    void aFolderWithoutNewFilesIsRefused()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("old.obr");
        const QByteArray oldContent = "OmbrelSheet\r\n0\r\n";
        writeFile(path, oldContent);
        std::optional<QString> error;
        {
            ImmutableFolder immutable(dir.path());
            if (!immutable.set())
                QSKIP("cannot make a folder immutable here");
            error = SaveFileBytes(path, std::string("new"));
        }
        QVERIFY(error);
        QVERIFY2(error->contains("its folder does not allow new files"), qPrintable(*error));
        QCOMPARE(contentOf(path), oldContent);
    }

    // A save onto a named pipe leaves the pipe a pipe.
    void pipeTargetIsRefused()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("export.txt");
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        const std::optional<QString> error = SaveFileBytes(path, std::string("text"));
        QVERIFY(error);
        QVERIFY2(error->contains("not a file on a disk but a pipe or a device"), qPrintable(*error));
        QVERIFY(QFileInfo(path).exists() && !QFileInfo(path).isFile());
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System),
                 QStringList{"export.txt"});
    }

    void readFailures_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("error");
        QTest::newRow("missing file") << "missing"
                                      << "No such file or directory";
        QTest::newRow("folder") << "folder"
                                << "it is a folder, not a file";
        QTest::newRow("named pipe") << "pipe"
                                    << "it is not a file on a disk but a pipe or a device";
        QTest::newRow("endless device") << "device"
                                        << "it is not a file on a disk but a pipe or a device";
        QTest::newRow("larger than 2 GiB") << "sparse"
                                           << "it is larger than 2 GiB";
        QTest::newRow("junk") << "junk"
                              << "Not a Ombrel file!";
        QTest::newRow("byte-order mark and junk") << "mark"
                                                  << "Not a Ombrel file!";
        QTest::newRow("one endless line") << "long line"
                                          << "Line 4: this line is longer than any line of an Ombrel file.";
    }
    void readFailures()
    {
        QFETCH(QString, kind);
        QFETCH(QString, error);
        QTemporaryDir dir;
        QString path = dir.filePath("work.obr");
        if (kind == "folder") {
            path = dir.path();
        } else if (kind == "pipe") {
            QCOMPARE(mkfifo(qPrintable(path), 0600), 0);
        } else if (kind == "device") {
            path = "/dev/zero";
        } else if (kind == "sparse") {
            writeFile(path, "OmbrelSheet\r\n");
            QVERIFY(QFile::resize(path, kCalcFileSizeLimit + 1));
        } else if (kind == "junk") {
            writeFile(path, QByteArray(4 << 20, 'j'));
        } else if (kind == "mark") {
            writeFile(path, "\xEF\xBB\xBFOmbrelShee\r\n");
        } else if (kind == "long line") {
            writeFile(path, workedExampleHead() + QByteArray(8 << 20, ' '));
        }
        const std::optional<CalcFileContents> result = OpenCalcFile(path);
        QVERIFY(result);
        const QString message = QString::fromStdString(EnglishText(result->error));
        QVERIFY2(message.contains(error), qPrintable(message));
        QCOMPARE(result->sheet.rowCount(), 0);
    }
};

OMBREL_TEST_CLASS(CalcFileIoTest)
#include "calc_file_io_test.moc"
