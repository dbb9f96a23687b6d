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

    // A paste reads only the start of the clipboard (ClipboardBytesFor),
    // cut to whole characters, and must take and say on it what it would on
    // the whole text: the cases lie where a line ending or a long character
    // meets the end of that start.
    void pastesDecideOnTheirStart_data()
    {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<int>("room");
        const QString smile = QString::fromUtf8("😀");
        const QString euro = QString::fromUtf8("€");
        QTest::newRow("short") << "01:02:03:04" << 20;
        QTest::newRow("four-byte characters, a line ending, more") << smile.repeated(11) + "\r\nmore" << 22;
        QTest::newRow("four-byte characters, a line ending, one more") << smile.repeated(11) + "\r\n" + smile << 22;
        QTest::newRow("four-byte characters and a line ending") << smile.repeated(11) + "\r\n" << 22;
        QTest::newRow("four-byte characters and two line endings") << smile.repeated(11) + "\n\n" << 22;
        QTest::newRow("four-byte characters, one more") << smile.repeated(12) << 22;
        QTest::newRow("three-byte characters cut in the middle") << euro.repeated(40) << 11;
        QTest::newRow("a character over the room") << "a" + smile.repeated(3) + "\nmore" << 4;
        QTest::newRow("a line ending after the room, more") << QString("x").repeated(11) + "\r\nx" << 11;
        QTest::newRow("a line ending after the room") << QString("x").repeated(11) + "\r\n" << 11;
        QTest::newRow("long description") << euro.repeated(5000) + "\n" << 32767;
        QTest::newRow("longer than the description room") << QString("r").repeated(40000) << 32767;
    }
    void pastesDecideOnTheirStart()
    {
        QFETCH(QString, clipboard);
        QFETCH(int, room);
        const std::string whole = clipboard.toStdString();
        const auto startFor = [&whole](size_t characters) {
            const std::string_view read = std::string_view(whole).substr(0, ClipboardBytesFor(characters));
            return read.substr(0, WholeCharacters(read));
        };
        const ClipboardPaste stored = ClipStoreText(whole);
        const ClipboardPaste storedFromStart = ClipStoreText(startFor(11));
        QCOMPARE(storedFromStart.text, stored.text);
        QCOMPARE(reportOf(storedFromStart), reportOf(stored));
        const ClipboardPaste cell = CellPasteText(DescriptionColumn, whole, size_t(room));
        const ClipboardPaste cellFromStart = CellPasteText(DescriptionColumn, startFor(size_t(room)), size_t(room));
        QCOMPARE(cellFromStart.text, cell.text);
        QCOMPARE(reportOf(cellFromStart), reportOf(cell));
    }

    void wholeCharacters_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("whole");
        QTest::newRow("empty") << QByteArray() << 0;
        QTest::newRow("ASCII") << QByteArray("abc") << 3;
        QTest::newRow("two bytes whole") << QByteArray("a\xC3\xA9") << 3;
        QTest::newRow("two bytes cut") << QByteArray("a\xC3") << 1;
        QTest::newRow("three bytes whole") << QByteArray("\xE2\x82\xAC") << 3;
        QTest::newRow("three bytes cut after two") << QByteArray("a\xE2\x82") << 1;
        QTest::newRow("four bytes whole") << QByteArray("\xF0\x9F\x98\x80") << 4;
        QTest::newRow("four bytes cut after three") << QByteArray("ab\xF0\x9F\x98") << 2;
        QTest::newRow("four bytes cut after one") << QByteArray("ab\xF0") << 2;
        QTest::newRow("no UTF-8") << QByteArray("\x80\x80\x80\x80\x80") << 5;
    }
    void wholeCharacters()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, whole);
        QCOMPARE(WholeCharacters(std::string_view(bytes.constData(), size_t(bytes.size()))), size_t(whole));
    }

    void latin1ToUtf8_data()
    {
        QTest::addColumn<QByteArray>("latin1");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QByteArray() << QString();
        QTest::newRow("ASCII") << QByteArray("take 2") << "take 2";
        QTest::newRow("accents") << QByteArray("caf\xE9 \xC0") << QString::fromUtf8("café À");
        QTest::newRow("ends of the range")
            << QByteArray("\x7F\x80\xFF") << QString(QChar(0x7F)) + QChar(0x80) + QChar(0xFF);
    }
    void latin1ToUtf8()
    {
        QFETCH(QByteArray, latin1);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(Latin1ToUtf8(std::string_view(latin1.constData(), size_t(latin1.size())))),
                 text);
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
