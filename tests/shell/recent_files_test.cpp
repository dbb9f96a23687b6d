#include "shell/recent_files.h"
#include "test_registry.h"

#include <QStringList>
#include <QTest>

using namespace ombrel;

namespace {

std::vector<std::string> paths(const QStringList& list)
{
    std::vector<std::string> out;
    for (const QString& path : list)
        out.push_back(path.toStdString());
    return out;
}

QStringList listed(const RecentFiles& recent)
{
    QStringList out;
    for (const std::string& path : recent.paths)
        out << QString::fromStdString(path);
    return out;
}

} // namespace

class RecentFilesTest : public QObject {
    Q_OBJECT
private slots:
    void rememberingPutsTheFileFirstOnce_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QString>("folder");
        QTest::newRow("first file") << QStringList{} << "/work/a.obr" << QStringList{"/work/a.obr"} << "/work";
        QTest::newRow("again moves it up")
            << QStringList{"/b.obr", "/work/a.obr"} << "/work/a.obr" << QStringList{"/work/a.obr", "/b.obr"} << "/work";
        QTest::newRow("file in the root")
            << QStringList{"/work/a.obr"} << "/b.obr" << QStringList{"/b.obr", "/work/a.obr"} << "/";
        QTest::newRow("the oldest goes") << QStringList{"/1", "/2", "/3", "/4", "/5", "/6"} << "/7"
                                         << QStringList{"/7", "/1", "/2", "/3", "/4", "/5"} << "/";
        QTest::newRow("a relative name is not kept") << QStringList{"/1"} << "a.obr" << QStringList{"/1"} << "";
    }
    void rememberingPutsTheFileFirstOnce()
    {
        QFETCH(QStringList, before);
        QFETCH(QString, file);
        QFETCH(QStringList, after);
        QFETCH(QString, folder);
        RecentFiles recent{paths(before), ""};
        RememberFile(recent, file.toStdString());
        QCOMPARE(listed(recent), after);
        QCOMPARE(QString::fromStdString(recent.folder), folder);
    }

    void forgettingKeepsTheOthersAndTheFolder()
    {
        RecentFiles recent{paths({"/1", "/2", "/3"}), "/work"};
        ForgetFile(recent, "/2");
        QCOMPARE(listed(recent), (QStringList{"/1", "/3"}));
        QCOMPARE(recent.folder, std::string("/work"));
        ForgetFile(recent, "/never");
        QCOMPARE(listed(recent), (QStringList{"/1", "/3"}));
    }

    // Stored values are edited by hand or by other programs.
    void storedValuesAreCleaned_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QStringList>("kept");
        QTest::addColumn<QString>("keptFolder");
        QTest::newRow("gaps and repeats")
            << QStringList{"", "/a", "/b", "", "/a", "/c"} << "/f" << QStringList{"/a", "/b", "/c"} << "/f";
        QTest::newRow("relative paths and folder")
            << QStringList{"a.obr", "/b", "../c"} << "work" << QStringList{"/b"} << "";
        QTest::newRow("overlong path") << QStringList{"/" + QString(kLongestRecentPath, 'x'), "/b"} << "/f"
                                       << QStringList{"/b"} << "/f";
        QTest::newRow("more than the menu lists") << QStringList{"/1", "/2", "/3", "/4", "/5", "/6", "/7"} << ""
                                                  << QStringList{"/1", "/2", "/3", "/4", "/5", "/6"} << "";
    }
    void storedValuesAreCleaned()
    {
        QFETCH(QStringList, stored);
        QFETCH(QString, folder);
        QFETCH(QStringList, kept);
        QFETCH(QString, keptFolder);
        const RecentFiles recent = CleanRecentFiles(paths(stored), folder.toStdString());
        QCOMPARE(listed(recent), kept);
        QCOMPARE(QString::fromStdString(recent.folder), keptFolder);
    }

    void menuTextsNumberTheFilesAndShowAmpersands()
    {
        QCOMPARE(RecentFileMenuText(0, "/work/a.obr"), std::string("&1 /work/a.obr"));
        QCOMPARE(RecentFileMenuText(5, "/Tom & Jerry/b.obr"), std::string("&6 /Tom && Jerry/b.obr"));
    }
};
OMBREL_TEST_CLASS(RecentFilesTest)
#include "recent_files_test.moc"
