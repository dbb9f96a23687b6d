#include "printing/report.h"
#include "test_registry.h"

#include <QStringList>
#include <QTest>

#include <string>

using namespace ombrel;

namespace {

// Every character is 10 units wide: widths count characters.
class CharacterMeasure : public TextMeasure {
public:
    double width(std::string_view utf8) const override
    {
        double characters = 0;
        for (char c : utf8)
            characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        return 10 * characters;
    }
};

const CharacterMeasure kMeasure;

// A body `columns` characters wide and `lines` lines high.
ReportFrame bodyOf(int columns, int lines)
{
    ReportFrame frame;
    frame.bodyWidth = 10 * columns;
    frame.bodyHeight = 100 * lines + 50;
    return frame;
}

CalculationList listOf(const QStringList& descriptions)
{
    CalculationList list;
    for (int r = 0; r < descriptions.size(); ++r) {
        const std::string in = std::to_string(r + 1);
        const std::string description = descriptions[r].toStdString();
        list.appendRow({in, "+", "1", "=", "2", "", description});
    }
    return list;
}

QStringList texts(const std::vector<ReportLine>& lines)
{
    QStringList result;
    for (const ReportLine& line : lines)
        result << QString::fromStdString(std::string(line.indent / 10, '>') + line.text);
    return result;
}

QList<QStringList> allPages(const ReportPagination& pagination)
{
    QList<QStringList> pages;
    for (int64_t page = 1; page <= pagination.pageCount(); ++page)
        pages << texts(pagination.pageLines(page));
    return pages;
}

} // namespace

class ReportTest : public QObject {
    Q_OBJECT
private slots:
    void bodyLines_data()
    {
        QTest::addColumn<QString>("description");
        QTest::addColumn<bool>("withDescription");
        QTest::addColumn<QString>("line");

        const QString entry = "00:00:10:00  +  00:00:05:00  =  00:00:15:00";
        QTest::newRow("described") << "Intro" << true << entry + "    -    Intro";
        QTest::newRow("descriptions not wanted") << "Intro" << false << entry;
        QTest::newRow("no description") << "" << true << entry;
        QTest::newRow("line break") << "one\ntwo" << true << entry + "    -    one two";
    }
    void bodyLines()
    {
        QFETCH(QString, description);
        QFETCH(bool, withDescription);
        QFETCH(QString, line);
        const std::string text = description.toStdString();
        const RowView cells{"00:00:10:00", "+", "00:00:05:00", "=", "00:00:15:00", "", text};
        const BodyLine body = ReportBodyLine(cells, withDescription);
        QCOMPARE(QString::fromStdString(body.text), line);
        if (line.contains("    -    "))
            QCOMPARE(body.text.substr(body.descriptionAt), std::string(text == "one\ntwo" ? "one two" : text));
        else
            QCOMPARE(body.descriptionAt, std::string::npos);
    }

    // Lines of a text broken to a width of `columns` characters.
    void lineBreaks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("columns");
        QTest::addColumn<QStringList>("lines");

        QTest::newRow("fits") << "one two" << 7 << QStringList{"one two"};
        QTest::newRow("at the last blank") << "one two three" << 9 << QStringList{"one two", "three"};
        QTest::newRow("blank right after the fit") << "one two three" << 7 << QStringList{"one two", "three"};
        QTest::newRow("blanks at the break dropped") << "one    two" << 5 << QStringList{"one", "two"};
        QTest::newRow("word wider than a line") << "abcdefghij kl" << 4 << QStringList{"abcd", "efgh", "ij", "kl"};
        QTest::newRow("narrower than a character") << "abc" << 0 << QStringList{"a", "b", "c"};
        QTest::newRow("characters kept whole")
            << QString::fromUtf8("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x8E\xAC\xC3\xA9") << 2
            << QStringList{QString::fromUtf8("\xC3\xA9\xE2\x82\xAC"), QString::fromUtf8("\xF0\x9F\x8E\xAC\xC3\xA9")};
    }
    void lineBreaks()
    {
        QFETCH(QString, text);
        QFETCH(int, columns);
        QFETCH(QStringList, lines);
        const std::string utf8 = text.toStdString();
        QStringList broken;
        for (size_t from = 0; from < utf8.size();) {
            const LineBreak lineBreak = BreakLine(utf8, from, 10 * columns, kMeasure);
            QVERIFY(lineBreak.next > from);
            broken << QString::fromStdString(utf8.substr(from, lineBreak.end - from));
            from = lineBreak.next;
        }
        QCOMPARE(broken, lines);
    }

    // A line far longer than the probes is broken at the same places.
    void longLineBreaks()
    {
        std::string text;
        for (int word = 0; word < 2000; ++word)
            text += "word" + std::to_string(word % 10) + " ";
        int lines = 0;
        for (size_t from = 0; from < text.size(); ++lines) {
            const LineBreak lineBreak = BreakLine(text, from, 10 * 60, kMeasure);
            QCOMPARE(lineBreak.end - from, size_t(59)); // ten words of five and the blanks between
            from = lineBreak.next;
        }
        QCOMPARE(lines, 200);
    }

    void pages_data()
    {
        QTest::addColumn<QStringList>("descriptions");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("linesPerPage");
        QTest::addColumn<QList<QStringList>>("pages");

        const QString one = "1  +  1  =  2";
        const QString two = "2  +  1  =  2";
        const QString three = "3  +  1  =  2";
        QTest::newRow("no entries") << QStringList{} << 40 << 3 << QList<QStringList>{{}};
        QTest::newRow("one page") << QStringList{"", ""} << 40 << 3 << QList<QStringList>{{one, two}};
        QTest::newRow("pages filled exactly")
            << QStringList{"", "", ""} << 40 << 1 << QList<QStringList>{{one}, {two}, {three}};
        // "1  +  1  =  2    -    " is 22 characters: further lines hang
        // there when that is at most two thirds of the width.
        const QString hang(22, '>');
        QTest::newRow("wrapped under the description")
            << QStringList{"alpha beta gamma delta epsilon zeta"} << 44 << 5
            << QList<QStringList>{{one + "    -    alpha beta gamma delta", hang + "epsilon zeta"}};
        QTest::newRow("no hanging past two thirds of the width")
            << QStringList{"alpha beta gamma"} << 30 << 5 << QList<QStringList>{{one + "    -    alpha", "beta gamma"}};
        QTest::newRow("an entry kept on one page")
            << QStringList{"", "alpha beta gamma delta epsilon zeta"} << 44 << 2
            << QList<QStringList>{{one}, {two + "    -    alpha beta gamma delta", hang + "epsilon zeta"}};
        QTest::newRow("an entry longer than a page flows on")
            << QStringList{"", "aaaaaaaaaa bbbbbbbbbb cccccccccc dddddddddd eeeeeeeeee ffffffffff gg"} << 44 << 2
            << QList<QStringList>{{one, two + "    -    aaaaaaaaaa bbbbbbbbbb"},
                                  {hang + "cccccccccc dddddddddd", hang + "eeeeeeeeee ffffffffff"},
                                  {hang + "gg"}};
        QTest::newRow("trailing blanks") << QStringList{"end   "} << 40 << 3
                                         << QList<QStringList>{{one + "    -    end"}};
    }
    void pages()
    {
        QFETCH(QStringList, descriptions);
        QFETCH(int, columns);
        QFETCH(int, linesPerPage);
        QFETCH(QList<QStringList>, pages);
        const CalculationList list = listOf(descriptions);
        ReportPagination pagination(list, true, bodyOf(columns, linesPerPage), 100, kMeasure);
        QCOMPARE(pagination.linesPerPage(), linesPerPage);
        QVERIFY(pagination.layOut(1000));
        QCOMPARE(allPages(pagination), pages);
    }

    // Laid out a page at a time, pages become available one by one and come
    // out as when laid out at once.
    void layOutInSteps()
    {
        QStringList descriptions;
        for (int r = 0; r < 100; ++r)
            descriptions << QString("entry %1 ").arg(r).repeated(r % 7);
        const CalculationList list = listOf(descriptions);
        ReportPagination whole(list, true, bodyOf(40, 9), 100, kMeasure);
        QVERIFY(whole.layOut(1'000'000));
        ReportPagination stepped(list, true, bodyOf(40, 9), 100, kMeasure);
        for (int64_t pages = 1; !stepped.complete(); ++pages) {
            stepped.layOut(1);
            QCOMPARE(stepped.pageCount(), pages);
            QCOMPARE(texts(stepped.pageLines(pages)), texts(whole.pageLines(pages)));
        }
        QCOMPARE(stepped.pageCount(), whole.pageCount());
        QVERIFY(whole.pageCount() > 10);
        int lines = 0;
        for (const QStringList& page : allPages(whole))
            lines += page.size();
        QVERIFY(lines > 100);
    }

    // A font so large that a line holds a few characters and a page one
    // line: an entry spreads over many pages, far more pages than the
    // pagination keeps the starts of. Each page, asked for in any order,
    // is the next line the entries break into.
    void pagesOfAHugeFont()
    {
        QStringList descriptions;
        for (int r = 0; r < 100; ++r)
            descriptions << (r % 3 ? "" : "a take with a long description");
        const CalculationList list = listOf(descriptions);
        const int columns = 4;
        QStringList lines;
        for (int64_t r = 0; r < list.rowCount(); ++r) {
            const std::string text = ReportBodyLine(list.rowView(r), true).text;
            for (size_t from = 0; from < text.size();) {
                const LineBreak lineBreak = BreakLine(text, from, 10 * columns, kMeasure);
                lines << QString::fromStdString(text.substr(from, lineBreak.end - from));
                from = lineBreak.next;
            }
        }
        QVERIFY(lines.size() > 4 * ReportPagination::kPagesPerStart);

        ReportPagination pagination(list, true, bodyOf(columns, 1), 100, kMeasure);
        while (!pagination.layOut(100)) {
        }
        QCOMPARE(pagination.pageCount(), lines.size());
        QList<int64_t> order;
        for (int64_t page = pagination.pageCount(); page >= 1; --page)
            order << page;
        for (int64_t page = 1; page <= pagination.pageCount(); page += 37)
            order << page;
        for (int64_t page : order)
            QCOMPARE(texts(pagination.pageLines(page)), QStringList{lines[page - 1]});
        QVERIFY(pagination.pageLines(pagination.pageCount() + 1).empty());
    }

    // With a line taller than the page, each page still takes one line.
    void lineTallerThanThePage()
    {
        const CalculationList list = listOf({"", ""});
        ReportPagination pagination(list, true, bodyOf(40, 0), 1000, kMeasure);
        QCOMPARE(pagination.linesPerPage(), 1);
        QVERIFY(pagination.layOut(10));
        QCOMPARE(pagination.pageCount(), 2);
    }

    void frameOfLetterPaper()
    {
        // US Letter, 8.5 x 11 inches.
        const ReportFrame frame = ReportFrameFor(8.5 * 720, 11 * 720);
        QCOMPARE(frame.left, 360.0);
        QCOMPARE(frame.width, 7.5 * 720); // the 720-pixel band
        QCOMPARE(frame.headerHeight, ReportUnits(104));
        QCOMPARE(frame.bodyLeft, 360 + ReportUnits(5));
        QCOMPARE(frame.bodyTop, 360 + ReportUnits(104 + 5));
        QCOMPARE(frame.bodyWidth, 7.5 * 720 - ReportUnits(10));
        QCOMPARE(frame.bodyTop + frame.bodyHeight, 10.5 * 720);
    }
};

OMBREL_TEST_CLASS(ReportTest)
#include "report_test.moc"
