// A paste from a clipboard of 100 MB that another program owns, on a real
// X server (run it with bench/run-on-x): Paste into the In field and
// Ctrl+V into a description editor, through the window's own commands,
// each paired with the reference, the same owner's transfer of just the
// bytes the paste needs, read raw. The owner is
// xclip, which offers UTF8_STRING only, or a Qt program, which offers
// UTF-8 text ("--child owner"). Paired figures print the paste's median
// ("ms"), the reference's ("ref_ms"), their ratio ("ratio") and the ratio
// of the two best ("best_ratio").
#include "list/clipboard_text.h"
#include "settings/app_settings.h"
#include "settings/settings_store.h"
#include "shell/calc_main_form.h"
#include "widgets/line_edit_paste.h"
#include "widgets/user_dialogs.h"
#include "widgets/x11_selection_reader.h"
#include "x_server.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProcess>
#include <QTableView>
#include <QTemporaryDir>
#include <QThread>
#include <QToolButton>

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <fstream>
#include <memory>
#include <vector>

using namespace ombrel;

namespace {

constexpr int64_t kTextBytes = 100'000'000;
constexpr size_t kDescriptionRoom = 32767;

QTemporaryDir& tempDir()
{
    static QTemporaryDir dir;
    return dir;
}

// One line: a timecode, then letters.
QString textFile()
{
    static const QString path = [] {
        const QString file = tempDir().filePath("large.txt");
        std::ofstream out(file.toStdString(), std::ios::binary);
        const std::string block(1 << 20, 'r');
        out << "01:02:03:04";
        for (int64_t left = kTextBytes - 11; left > 0; left -= int64_t(block.size()))
            out.write(block.data(), std::min<int64_t>(left, int64_t(block.size())));
        return file;
    }();
    return path;
}

// The program that owns the clipboard while a benchmark runs.
class Owner {
public:
    explicit Owner(int kind)
    {
        // Quiet keeps xclip in the foreground, telling of every request.
        if (kind == 0)
            process_.setStandardErrorFile(QProcess::nullDevice());
        else
            process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        if (kind == 0)
            process_.start("xclip", {"-quiet", "-selection", "clipboard", "-i", textFile()});
        else
            process_.start(QApplication::applicationFilePath(), {"--child", "owner", textFile()});
        if (!process_.waitForStarted())
            return;
        // xclip says nothing; it owns the clipboard once it has read the file.
        if (kind == 0)
            ready_ = process_.waitForFinished(2000) == false;
        else
            ready_ = process_.waitForReadyRead(60000) && process_.readLine().trimmed() == "ready";
    }
    ~Owner()
    {
        process_.closeWriteChannel();
        process_.terminate();
        if (!process_.waitForFinished(5000))
            process_.kill();
    }
    bool ready() const { return ready_; }

private:
    QProcess process_;
    bool ready_ = false;
};

// xclip hands one transfer at a time; the part of the text a paste left is
// let go by in the background, and the next read starts after it.
void letTheOwnerFinish()
{
    QThread::msleep(2000);
}

struct Times {
    std::vector<double> milliseconds;
    double median()
    {
        std::sort(milliseconds.begin(), milliseconds.end());
        return milliseconds[milliseconds.size() / 2];
    }
    double min() { return *std::min_element(milliseconds.begin(), milliseconds.end()); }
};

struct Window {
    Window()
    {
        form.show();
        form.activateWindow();
        settle();
        form.MaskEdit1->setText("00:00:12:20");
        form.CalculateBtnClick();
        settle();
    }
    static void settle()
    {
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
    }

    SettingsStore store;
    AppSettings settings;
    QtUserDialogs dialogs;
    TCalcMainForm form{dialogs, settings, store};
};

template <typename Paste> void pairedPastes(benchmark::State& state, size_t referenceBytes, Paste paste)
{
    Owner owner(int(state.range(0)));
    if (!owner.ready()) {
        state.SkipWithError("the owner of the clipboard did not start");
        return;
    }
    Times pasteTimes;
    Times referenceTimes;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        const std::optional<std::string> read = ReadX11SelectionText(X11Selection::Clipboard, referenceBytes);
        referenceTimes.milliseconds.push_back(double(timer.nsecsElapsed()) / 1e6);
        letTheOwnerFinish();
        timer.restart();
        const bool pasted = paste();
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        pasteTimes.milliseconds.push_back(ms);
        state.SetIterationTime(ms / 1e3);
        letTheOwnerFinish();
        if (!read || read->size() != referenceBytes) {
            state.SkipWithError("the raw read did not get the text");
            return;
        }
        if (!pasted) {
            state.SkipWithError("the paste did not get the text");
            return;
        }
    }
    state.counters["ms"] = pasteTimes.median();
    state.counters["ref_ms"] = referenceTimes.median();
    state.counters["ratio"] = pasteTimes.median() / referenceTimes.median();
    state.counters["best_ratio"] = pasteTimes.min() / referenceTimes.min();
}

// The Paste command (Ctrl+V, the Paste button) with the keyboard in the In
// field: 11 characters of the text.
void BM_PasteInField(benchmark::State& state)
{
    Window window;
    window.form.MaskEdit1->setFocus();
    pairedPastes(state, ClipboardBytesFor(kClipStoreLength), [&window] {
        window.form.MaskEdit1->setText("00:00:00:00");
        window.form.Paste1Click();
        return window.form.MaskEdit1->text() == "01:02:03:04";
    });
}

// Ctrl+V into an empty description editor: as much as a description holds.
void BM_PasteInDescription(benchmark::State& state)
{
    Window window;
    window.form.EditBtn->click();
    Window::settle();
    auto* editor = window.form.list(window.form.activeFormat())->viewport()->findChild<QLineEdit*>();
    if (!editor) {
        state.SkipWithError("no description editor");
        return;
    }
    pairedPastes(state, ClipboardBytesFor(kDescriptionRoom), [editor] {
        editor->clear();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
        QApplication::sendEvent(editor, &press);
        return editor->text().size() == qsizetype(kDescriptionRoom);
    });
}

// The argument is the owner: xclip (0) or a Qt program (1). Three runs of
// four pastes each, their min and median.
void pasteRuns(benchmark::internal::Benchmark* b)
{
    b->ArgName("qt_owner")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(4);
    b->Repetitions(3)->DisplayAggregatesOnly(true);
    b->ComputeStatistics("min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });
}
BENCHMARK(BM_PasteInField)->Apply(pasteRuns);
BENCHMARK(BM_PasteInDescription)->Apply(pasteRuns);

// A Qt program that puts the file's text on the clipboard, prints "ready"
// and keeps it there until its input closes.
int ownClipboard(const QString& file)
{
    QFile text(file);
    if (!text.open(QIODevice::ReadOnly))
        return 1;
    QGuiApplication::clipboard()->setText(QString::fromUtf8(text.readAll()));
    std::printf("ready\n");
    std::fflush(stdout);
    return bench::RunUntilInputCloses();
}

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("OMBREL_BENCH_CONFIG")) {
        qputenv("OMBREL_BENCH_CONFIG", qPrintable(tempDir().path()));
        qputenv("XDG_CONFIG_HOME", qPrintable(tempDir().filePath("config")));
        qputenv("XDG_DATA_HOME", qPrintable(tempDir().filePath("data")));
        qputenv("XDG_RUNTIME_DIR", qPrintable(tempDir().path()));
    }
    QApplication app(argc, argv);
    // Every field's paste goes through this filter, as in the program.
    app.installEventFilter(new LineEditPaste(&app));
    if (argc > 3 && QString(argv[1]) == "--child" && QString(argv[2]) == "owner")
        return ownClipboard(QString::fromLocal8Bit(argv[3]));
    if (QApplication::platformName() != "xcb") {
        std::fprintf(stderr, "bench_paste reads the clipboard of an X server: run it with bench/run-on-x\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
