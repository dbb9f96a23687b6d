#include "shell/help_window.h"
#include "shell/program_translations.h"
#include "test_registry.h"
#include "widgets/icons.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <memory>

Q_DECLARE_METATYPE(QList<ombrel::HelpTopic>)
Q_DECLARE_METATYPE(QList<ombrel::HelpKeyword>)

namespace ombrel {
bool operator==(const HelpTopic& a, const HelpTopic& b)
{
    return a.book == b.book && a.title == b.title && a.page == b.page;
}
bool operator==(const HelpKeyword& a, const HelpKeyword& b)
{
    return a.text == b.text && a.target == b.target;
}
} // namespace ombrel

namespace {

QString readResource(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

ombrel::HelpIndex builtInIndex()
{
    ombrel::initResources();
    return ombrel::parseHelpIndex(readResource(QStringLiteral(":/help/index.txt")));
}

// Checks that "page.html#anchor" names a built-in page holding that anchor.
QString targetProblem(const QString& target)
{
    const QString page = target.section(QLatin1Char('#'), 0, 0);
    const QString anchor = target.section(QLatin1Char('#'), 1);
    const QString html = readResource(QStringLiteral(":/help/") + page);
    if (html.isEmpty())
        return QStringLiteral("no page ") + page;
    if (!anchor.isEmpty() && !html.contains(QStringLiteral("name=\"%1\"").arg(anchor)))
        return QStringLiteral("no anchor ") + target;
    return {};
}

QTreeWidgetItem* findTopic(QTreeWidget* tree, const QString& title)
{
    const auto items = tree->findItems(title, Qt::MatchExactly | Qt::MatchRecursive);
    return items.isEmpty() ? nullptr : items.first();
}

void clickItem(QTreeWidget* tree, QTreeWidgetItem* item)
{
    tree->scrollToItem(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
}

} // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT
private slots:
    // Translated pages sit beside the translations, one folder a language;
    // the most specific language wins, then the first folder, and English
    // is built in.
    void helpPagesInTheUsersLanguage_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("folder");
        QTest::newRow("language and region") << "pt_BR"
                                             << "first/help_pt_BR";
        QTest::newRow("the language for any region") << "de_AT"
                                                     << "first/help_de";
        QTest::newRow("the first folder wins") << "de_DE"
                                               << "first/help_de";
        QTest::newRow("a later folder") << "fr_CA"
                                        << "second/help_fr";
        QTest::newRow("another region only") << "pt_PT"
                                             << ":/help";
        QTest::newRow("a folder without its index") << "it_IT"
                                                    << ":/help";
        QTest::newRow("English") << "en_US"
                                 << ":/help";
    }
    void helpPagesInTheUsersLanguage()
    {
        QFETCH(QString, locale);
        QFETCH(QString, folder);
        QTemporaryDir root;
        const QDir dir(root.path());
        for (const char* pages : {"first/help_pt_BR", "first/help_de", "second/help_de", "second/help_fr"}) {
            QVERIFY(dir.mkpath(pages));
            QFile index(dir.filePath(pages) + "/index.txt");
            QVERIFY(index.open(QIODevice::WriteOnly));
        }
        QVERIFY(dir.mkpath("first/help_it"));
        const QString found = ombrel::HelpPagesFolder(QLocale(locale), {dir.filePath("first"), dir.filePath("second")});
        QCOMPARE(found, folder.startsWith(':') ? folder : dir.filePath(folder));
    }

    void readsTheIndex_data()
    {
        using ombrel::HelpKeyword;
        using ombrel::HelpTopic;
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<HelpTopic>>("topics");
        QTest::addColumn<QList<HelpKeyword>>("keywords");
        QTest::newRow("pages file under the book above them")
            << QStringLiteral("page a.html Alone\nbook First\npage b.html Bee page\npage c.html Sea\n"
                              "book Second\npage d.html Dee\n")
            << QList<HelpTopic>{{"", "Alone", "a.html"},
                                {"First", "Bee page", "b.html"},
                                {"First", "Sea", "c.html"},
                                {"Second", "Dee", "d.html"}}
            << QList<HelpKeyword>{};
        QTest::newRow("keywords keep spaces, signs and anchors")
            << QStringLiteral("keyword Divide (/) = operators.html#ops\nkeyword  a = b  =  x.html \n")
            << QList<HelpTopic>{} << QList<HelpKeyword>{{"Divide (/)", "operators.html#ops"}, {"a = b", "x.html"}};
        QTest::newRow("comments, blanks, Windows line ends and junk are skipped")
            << QStringLiteral("# page no.html No\r\n\r\n   \r\npage yes.html Yes\r\nchapter x\r\nkeyword broken\r\n"
                              "keyword = nothing.html\r\npage\r\n")
            << QList<HelpTopic>{{"", "Yes", "yes.html"}} << QList<HelpKeyword>{};
        QTest::newRow("a page without a title is named by its file")
            << QStringLiteral("page plain.html\n") << QList<HelpTopic>{{"", "plain.html", "plain.html"}}
            << QList<HelpKeyword>{};
    }
    void readsTheIndex()
    {
        QFETCH(QString, text);
        QFETCH(QList<ombrel::HelpTopic>, topics);
        QFETCH(QList<ombrel::HelpKeyword>, keywords);
        const ombrel::HelpIndex index = ombrel::parseHelpIndex(text);
        QCOMPARE(index.topics, topics);
        QCOMPARE(index.keywords, keywords);
    }

    void everyListedPageExists()
    {
        const ombrel::HelpIndex index = builtInIndex();
        QVERIFY(index.topics.size() >= 10);
        QVERIFY(index.keywords.size() >= 30);
        for (const auto& topic : index.topics)
            QVERIFY2(targetProblem(topic.page).isEmpty(), qPrintable(targetProblem(topic.page)));
        for (const auto& keyword : index.keywords)
            QVERIFY2(targetProblem(keyword.target).isEmpty(), qPrintable(targetProblem(keyword.target)));
    }

    void everyPageIsInTheContents()
    {
        const ombrel::HelpIndex index = builtInIndex();
        QStringList listed;
        for (const auto& topic : index.topics)
            listed.append(topic.page);
        const QStringList pages = QDir(QStringLiteral(":/help")).entryList({QStringLiteral("*.html")});
        QVERIFY(!pages.isEmpty());
        for (const QString& page : pages)
            QVERIFY2(listed.contains(page), qPrintable(page));
    }

    void everyLinkAndPictureInThePagesResolves()
    {
        ombrel::initResources();
        static const QRegularExpression links(QStringLiteral("href=\"([^\"]+)\""));
        static const QRegularExpression pictures(QStringLiteral("src=\"([^\"]+)\""));
        for (const QString& page : QDir(QStringLiteral(":/help")).entryList({QStringLiteral("*.html")})) {
            const QString html = readResource(QStringLiteral(":/help/") + page);
            QVERIFY2(html.contains(QStringLiteral("<h1>")), qPrintable(page));
            for (const auto& match : links.globalMatch(html)) {
                const QString target = match.captured(1);
                if (target.endsWith(QLatin1String(".css")))
                    continue;
                const QString problem = targetProblem(target);
                QVERIFY2(problem.isEmpty(), qPrintable(page + QStringLiteral(": ") + problem));
            }
            for (const auto& match : pictures.globalMatch(html))
                QVERIFY2(QFile::exists(QStringLiteral(":/help/") + match.captured(1)),
                         qPrintable(page + QStringLiteral(": ") + match.captured(1)));
        }
    }

    void opensOnTheTabAskedFor()
    {
        ombrel::THelpForm help;
        help.showIndex();
        QVERIFY(help.isVisible());
        QCOMPARE(help.HelpTabs->currentIndex(), 1);
        QCOMPARE(help.HelpTabs->tabText(1), QStringLiteral("Index"));
        help.showContents();
        QCOMPARE(help.HelpTabs->currentIndex(), 0);
        QCOMPARE(help.HelpTabs->tabText(0), QStringLiteral("Contents"));
        // The first page greets the reader until another is chosen.
        QCOMPARE(help.currentPage(), help.helpIndex().topics.first().page);
        QVERIFY(help.HelpBrowser->toPlainText().contains(QStringLiteral("Ombrel")));
    }

    void contentsListEveryTopicAndOpenIt()
    {
        ombrel::THelpForm help;
        help.showContents();
        const auto& topics = help.helpIndex().topics;
        int pages = 0;
        for (QTreeWidgetItemIterator it(help.ContentsTree); *it; ++it)
            if (!(*it)->data(0, Qt::UserRole).toString().isEmpty())
                ++pages;
        QCOMPARE(pages, topics.size());

        const auto& last = topics.last();
        QTreeWidgetItem* item = findTopic(help.ContentsTree, last.title);
        QVERIFY(item);
        QCOMPARE(item->parent() ? item->parent()->text(0) : QString(), last.book);
        clickItem(help.ContentsTree, item);
        QCOMPARE(help.currentPage(), last.page);
        QVERIFY(!help.HelpBrowser->toPlainText().contains(QStringLiteral("is missing")));
    }

    void indexIsAlphabeticalAndLeadsToPages()
    {
        ombrel::THelpForm help;
        help.showIndex();
        QCOMPARE(help.IndexList->count(), help.helpIndex().keywords.size());
        for (int row = 1; row < help.IndexList->count(); ++row)
            QVERIFY2(help.IndexList->item(row - 1)->text().compare(help.IndexList->item(row)->text(),
                                                                   Qt::CaseInsensitive) <= 0,
                     qPrintable(help.IndexList->item(row)->text()));

        // Typing picks the first keyword that starts with the text; Enter opens its page.
        QTest::keyClicks(help.IndexEdit, QStringLiteral("drop f"));
        QVERIFY(help.IndexList->currentItem());
        QCOMPARE(help.IndexList->currentItem()->text(), QStringLiteral("Drop frame"));
        QTest::keyClick(help.IndexEdit, Qt::Key_Return);
        QCOMPARE(help.currentPage(), QStringLiteral("formats.html"));
        QCOMPARE(help.HelpBrowser->source().fragment(), QStringLiteral("dropframe"));

        QListWidgetItem* shortcuts =
            help.IndexList->findItems(QStringLiteral("Keyboard shortcuts"), Qt::MatchExactly).value(0);
        QVERIFY(shortcuts);
        help.IndexList->scrollToItem(shortcuts);
        QTest::mouseClick(help.IndexList->viewport(), Qt::LeftButton, {},
                          help.IndexList->visualItemRect(shortcuts).center());
        QCOMPARE(help.currentPage(), QStringLiteral("shortcuts.html"));
        // The Contents tab follows the page reached from the index.
        QVERIFY(help.ContentsTree->currentItem());
        QCOMPARE(help.ContentsTree->currentItem()->data(0, Qt::UserRole).toString(), QStringLiteral("shortcuts.html"));
    }

    void missingPageIsReportedInTheWindow()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QFile index(dir.filePath(QStringLiteral("index.txt")));
        QVERIFY(index.open(QIODevice::WriteOnly));
        index.write("book Pages\npage here.html Here\npage gone.html Gone\nkeyword Ghost = gone.html#x\n");
        index.close();
        QFile here(dir.filePath(QStringLiteral("here.html")));
        QVERIFY(here.open(QIODevice::WriteOnly));
        here.write("<html><body><h1>Here</h1><p><a href=\"away.html\">away</a></p></body></html>");
        here.close();

        ombrel::THelpForm help(nullptr, dir.path());
        help.showContents();
        QVERIFY(help.HelpBrowser->toPlainText().contains(QStringLiteral("Here")));

        clickItem(help.ContentsTree, findTopic(help.ContentsTree, QStringLiteral("Gone")));
        QVERIFY(help.isVisible());
        QVERIFY(help.HelpBrowser->toPlainText().contains(QStringLiteral("The help page 'gone.html' is missing.")));

        // A broken link inside a page is reported the same way.
        help.showPage(QStringLiteral("here.html"));
        help.HelpBrowser->setSource(help.HelpBrowser->source().resolved(QUrl(QStringLiteral("away.html"))));
        QVERIFY(help.HelpBrowser->toPlainText().contains(QStringLiteral("The help page 'away.html' is missing.")));
        help.HelpBrowser->backward();
        QCOMPARE(help.currentPage(), QStringLiteral("here.html"));
    }

    void builtInHelpReportsAnUnknownPage()
    {
        ombrel::THelpForm help;
        help.showPage(QStringLiteral("nowhere.html"));
        QVERIFY2(help.HelpBrowser->toPlainText().contains(QStringLiteral("The help page 'nowhere.html' is missing.")),
                 qPrintable(help.HelpBrowser->toPlainText()));
    }

    void missingIndexLeavesAnEmptyButWorkingWindow()
    {
        QTemporaryDir dir;
        ombrel::THelpForm help(nullptr, dir.path());
        help.showIndex();
        QCOMPARE(help.ContentsTree->topLevelItemCount(), 0);
        QCOMPARE(help.IndexList->count(), 0);
        QVERIFY(help.HelpBrowser->toPlainText().contains(QStringLiteral("is missing")));
    }
};

OMBREL_TEST_CLASS(HelpWindowTest)
#include "help_window_test.moc"
