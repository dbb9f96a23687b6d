#include "list/calc_sheet.h"
#include "list/clipboard_text.h"
#include "test_registry.h"

#include <QTest>

#include <algorithm>
#include <sys/mman.h>
#include <unistd.h>

using namespace ombrel;

namespace {

QString reportOf(const ClipboardPaste& paste)
{
    return paste.report ? QString::fromStdString(EnglishText(*paste.report)) : QString();
}

// A text at the end of a readable page, followed by a page that may not be
// read: its view runs on into that page, as far as a clipboard of any size.
class GuardedText {
public:
    explicit GuardedText(std::string_view text)
    {
        page_ = static_cast<size_t>(sysconf(_SC_PAGESIZE));
        memory_ =
            static_cast<char*>(mmap(nullptr, 2 * page_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
        if (memory_ == MAP_FAILED || mprotect(memory_ + page_, page_, PROT_NONE) != 0)
            qFatal("cannot map the guarded pages");
        start_ = memory_ + page_ - text.size();
        std::copy(text.begin(), text.end(), start_);
    }
    ~GuardedText() { munmap(memory_, 2 * page_); }
    GuardedText(const GuardedText&) = delete;
    GuardedText& operator=(const GuardedText&) = delete;

    std::string_view view() const { return {start_, static_cast<size_t>(memory_ + 2 * page_ - start_)}; }

private:
    size_t page_ = 0;
    char* memory_ = nullptr;
    char* start_ = nullptr;
};

} // namespace

class ClipboardTextTest : public QObject {
    Q_OBJECT
private slots:
    void clipStoreTakesTheFirstLineCut_data()
    {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("report");
        const QString whole;
        const QString firstLine = "Only the first line of the clipboard text was pasted";
        const QString cut = "Only the first 11 characters of the clipboard text were pasted";
        QTest::newRow("timecode") << "01:02:03:04"
                                  << "01:02:03:04" << whole;
        QTest::newRow("more text after a line break") << "01:02:03:04\r\nnext line"
                                                      << "01:02:03:04" << firstLine;
        QTest::newRow("bare line feed") << "12\n34"
                                        << "12" << firstLine;
        QTest::newRow("one line ending after it") << "01:02:03:04\r\n"
                                                  << "01:02:03:04" << whole;
        QTest::newRow("two line endings after it") << "01:02:03:04\n\n"
                                                   << "01:02:03:04" << firstLine;
        QTest::newRow("long first line") << "01:02:03:04:05"
                                         << "01:02:03:04" << cut;
        QTest::newRow("long first line of several") << "01:02:03:04:05\nnext"
                                                    << "01:02:03:04" << cut;
        QTest::newRow("empty") << ""
                               << "" << whole;
        QTest::newRow("line break first") << "\n01:02:03:04"
                                          << "" << firstLine;
        // Characters, not bytes: a cut never splits one.
        QTest::newRow("accents") << QString::fromUtf8("ééééééééééééé") << QString::fromUtf8("ééééééééééé") << cut;
        QTest::newRow("four-byte characters")
            << QString::fromUtf8("😀1234567890x") << QString::fromUtf8("😀1234567890") << cut;
    }
    void clipStoreTakesTheFirstLineCut()
    {
        QFETCH(QString, clipboard);
        QFETCH(QString, stored);
        QFETCH(QString, report);
        const ClipboardPaste paste = ClipStoreText(clipboard.toStdString());
        QCOMPARE(QString::fromStdString(paste.text), stored);
        QCOMPARE(reportOf(paste), report);
    }

    // Room counts UTF-16 units, as the editor's length limit does.
    void cellPasteTakesWhatTheCellHolds_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<int>("room");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("report");
        const QString whole;
        const QString lines = "The clipboard text has several lines and was not pasted: a cell holds one line";
        const QString spaces = "The clipboard text was not pasted: only a description may hold spaces";
        QTest::newRow("description") << int(DescriptionColumn) << "take two" << 100 << "take two" << whole;
        QTest::newRow("one line ending after it") << int(DescriptionColumn) << "take two\r\n"
                                                  << 100 << "take two" << whole;
        QTest::newRow("several lines") << int(DescriptionColumn) << "take two\nmore" << 100 << "" << lines;
        QTest::newRow("longer than the room") << int(DescriptionColumn) << "take two" << 4 << "take"
                                              << "Only the first 4 characters of the clipboard text were pasted";
        QTest::newRow("lines beyond the room") << int(DescriptionColumn) << "take two\nmore" << 4 << "take"
                                               << "Only the first 4 characters of the clipboard text were pasted";
        QTest::newRow("a character of two units at the limit")
            << int(DescriptionColumn) << QString::fromUtf8("ab😀") << 3 << "ab"
            << "Only the first 3 characters of the clipboard text were pasted";
        QTest::newRow("no room") << int(DescriptionColumn) << "x" << 0 << ""
                                 << "The clipboard text was not pasted: the cell is full";
        QTest::newRow("timecode cell") << int(InColumn) << "01:00:00:00" << 100 << "01:00:00:00" << whole;
        QTest::newRow("space in a timecode cell") << int(InColumn) << "01 00" << 100 << "" << spaces;
        QTest::newRow("empty") << int(DescriptionColumn) << "" << 100 << "" << whole;
    }
    void cellPasteTakesWhatTheCellHolds()
    {
        QFETCH(int, column);
        QFETCH(QString, clipboard);
        QFETCH(int, room);
        QFETCH(QString, pasted);
        QFETCH(QString, report);
        const ClipboardPaste paste = CellPasteText(column, clipboard.toStdString(), size_t(room));
        QCOMPARE(QString::fromStdString(paste.text), pasted);
        QCOMPARE(reportOf(paste), report);
    }

    // A clipboard of hundreds of megabytes costs what the paste takes: the
    // text here ends in a page no byte of which may be read.
    void pastesReadOnlyTheStart()
    {
        const GuardedText clipboard("01:02:03:04 and some more text on the first line");
        QCOMPARE(QString::fromStdString(ClipStoreText(clipboard.view()).text), QString("01:02:03:04"));
        QCOMPARE(QString::fromStdString(CellPasteText(DescriptionColumn, clipboard.view(), 20).text),
                 QString("01:02:03:04 and some"));
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
