#include "shell/command_line.h"
#include "test_registry.h"

#include <QStringList>
#include <QTest>

using namespace ombrel;

class CommandLineTest : public QObject {
    Q_OBJECT
private slots:
    void argumentsAreOptionsOrFiles_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("help");
        QTest::addColumn<bool>("version");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("error");
        QTest::newRow("nothing") << QStringList{} << false << false << QStringList{} << "";
        QTest::newRow("files stay apart")
            << QStringList{"my", "work.obr"} << false << false << QStringList{"my", "work.obr"} << "";
        QTest::newRow("help") << QStringList{"a.obr", "--help"} << true << false << QStringList{"a.obr"} << "";
        QTest::newRow("short help") << QStringList{"-h"} << true << false << QStringList{} << "";
        QTest::newRow("version") << QStringList{"--version"} << false << true << QStringList{} << "";
        QTest::newRow("help wins over a bad option")
            << QStringList{"--bad", "--help"} << true << false << QStringList{} << "";
        QTest::newRow("unknown option") << QStringList{"--bad", "a.obr", "-x"} << false << false << QStringList{"a.obr"}
                                        << "ombrel: unknown option --bad (see ombrel --help)";
        QTest::newRow("after -- all are files")
            << QStringList{"--", "--help", "-x.obr"} << false << false << QStringList{"--help", "-x.obr"} << "";
        QTest::newRow("a lone dash is a file") << QStringList{"-"} << false << false << QStringList{"-"} << "";
    }
    void argumentsAreOptionsOrFiles()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, help);
        QFETCH(bool, version);
        QFETCH(QStringList, files);
        QFETCH(QString, error);
        std::vector<std::string> kept;
        for (const QString& argument : arguments)
            kept.push_back(argument.toStdString());
        const ShellCommandLine parsed = ParseShellCommandLine({kept.begin(), kept.end()});
        QCOMPARE(parsed.help, help);
        QCOMPARE(parsed.version, version);
        QStringList parsedFiles;
        for (const std::string& file : parsed.files)
            parsedFiles << QString::fromStdString(file);
        QCOMPARE(parsedFiles, files);
        QCOMPARE(QString::fromStdString(parsed.error), error);
    }

    void onlyTheFilesAfterTheFirstAreNamedNotOpened()
    {
        QCOMPARE(EnglishText(FilesNotOpenedText({"/a.obr"})), std::string());
        QCOMPARE(
            EnglishText(FilesNotOpenedText({"/a.obr", "/b.obr", "/c d.obr"})),
            std::string("Ombrel works on one file at a time. Only /a.obr was opened; not opened:\n/b.obr\n/c d.obr"));
    }
};
OMBREL_TEST_CLASS(CommandLineTest)
#include "command_line_test.moc"
