// The main window as the user meets it, offscreen or, run with
// bench/run-on-x, on a real X server: Calculate to painted rows at up to
// 1,000,000 calculations paired with the same at 100 (target <= 1.2x), a
// typed digit to the changed field at up to 1,000,000 paired with the same
// at 0 (X server only; target <= 1.2x), the first Calculate after an Open,
// the peak memory across Open and Save against the steady memory of the
// opened sheet (target <= 1.3x), and cold start to the first picture
// against a bare window showing one label (target <= 1.5x). Paired figures
// print the measured side's median ("ms"), the reference's ("ref_ms"),
// their ratio ("ratio") and the ratio of the two best ("best_ratio"); the
// min and median rows give those over five repetitions.
//
// The windows typed into, the memory and start-up figures are taken in
// child runs of this program ("--child window FILE X Y", "--child
// open-save FILE", "--child start-ombrel", "--child start-label"), so that
// nothing the benchmarks built before is counted.
#include "documents/calc_file.h"
#include "documents/calc_file_io.h"
#include "engine/calculation.h"
#include "settings/app_settings.h"
#include "settings/settings_store.h"
#include "shell/calc_main_form.h"
#include "shell/program_style.h"
#include "widgets/line_edit_paste.h"
#include "widgets/user_dialogs.h"
#include "x_server.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTableView>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace ombrel;

namespace {

// Answers the file dialogs with one name and every question with Yes.
class BenchDialogs : public QtUserDialogs {
public:
    QString fileName;
    Answer message(QWidget*, MessageKind, const QString& text, MessageButtons) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return Answer::Yes;
    }
    QString saveFileName(QWidget*, const FileDialogRequest&) override { return fileName; }
    QString openFileName(QWidget*, const FileDialogRequest&) override { return fileName; }
};

QTemporaryDir& tempDir()
{
    static QTemporaryDir dir;
    return dir;
}

// A calculation file of `rows` calculations, written once per size.
QString sheetFile(int64_t rows)
{
    static std::map<int64_t, QString> files;
    if (auto it = files.find(rows); it != files.end())
        return it->second;
    CalcSheet sheet;
    CalcState state;
    CalculationRequest request;
    request.inText = "01:00:00:00";
    request.percentText = "0";
    for (int64_t i = 0; i < rows; ++i) {
        request.outText = FormatTimecodeText(GenericTC(i * 7919 % 2592000, 30));
        request.op = static_cast<Operator>(i % 4);
        request.inText = FormatTimecodeText(GenericTC(i * 104729 % 2592000, 30));
        sheet.appendCalculation(ombrel::ComputeCalculations(request, state).rows);
    }
    const QString path = tempDir().filePath(QString("sheet_%1.obr").arg(rows));
    if (!SaveCalcFile(path, sheet, state.rates).saved)
        std::abort();
    return files[rows] = path;
}

// Counts the paint events of a widget.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// The window as main() builds it, its file opened from the command line.
struct OpenedWindow {
    // `at` places the window: the windows of a paired benchmark lie side by
    // side, so that neither hides the picture of the other.
    explicit OpenedWindow(const QString& file, QPoint at = {0, 0})
    {
        dialogs.fileName = file;
        form.setCommandLine({file});
        form.show();
        form.FormActivate();
        // After the stored position is restored.
        form.move(at);
        settle();
        grid()->viewport()->installEventFilter(&counter);
    }
    QTableView* grid() { return form.list(form.activeFormat()); }
    static void settle()
    {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }
    // Runs `action` and returns the milliseconds until `watched` shows its
    // result: on an X server once the server holds the changed picture,
    // offscreen once the list has painted; negative when nothing changed.
    template <typename Action> double millisecondsToPicture(QWidget* watched, Action&& action)
    {
        QElapsedTimer timer;
        if (server) {
            const std::vector<uint8_t> before = server->picture(watched);
            timer.start();
            action();
            if (!server->waitForChange(watched, before))
                return -1;
        } else {
            const int before = counter.paints;
            timer.start();
            action();
            while (counter.paints == before)
                QApplication::processEvents(QEventLoop::AllEvents, 1);
            QApplication::processEvents();
        }
        const double milliseconds = double(timer.nsecsElapsed()) / 1e6;
        settle();
        return milliseconds;
    }
    // A Calculate on an In operand of its own, so that the new row differs
    // from the one before.
    double calculateToPicture()
    {
        form.MaskEdit1->setText(QString::fromStdString(FormatTimecodeText(GenericTC(++calculations, 30))));
        settle();
        return millisecondsToPicture(grid()->viewport(), [this] { form.CalculateBtnClick(); });
    }

    SettingsStore store;
    AppSettings settings;
    BenchDialogs dialogs;
    TCalcMainForm form{dialogs, settings, store};
    PaintCounter counter;
    int64_t calculations = 0;
    std::unique_ptr<bench::XServer> server = bench::XServer::inUse() ? std::make_unique<bench::XServer>() : nullptr;
};

// Where the second window of a paired benchmark lies.
constexpr QPoint kBesideReference{1200, 0};

// The times of one side of a paired benchmark.
struct Times {
    std::vector<double> milliseconds;
    bool failed = false;
    void add(double ms)
    {
        failed = failed || ms < 0;
        milliseconds.push_back(ms);
    }
    double median()
    {
        std::sort(milliseconds.begin(), milliseconds.end());
        return milliseconds[milliseconds.size() / 2];
    }
    double min() { return *std::min_element(milliseconds.begin(), milliseconds.end()); }
};

// Reports a paired benchmark: each side's median and best, and their ratios.
bool reportPaired(benchmark::State& state, Times& measured, Times& reference)
{
    if (measured.failed || reference.failed || measured.milliseconds.empty()) {
        state.SkipWithError("the picture did not change");
        return false;
    }
    state.counters["ms"] = measured.median();
    state.counters["ref_ms"] = reference.median();
    state.counters["ratio"] = measured.median() / reference.median();
    state.counters["best_ratio"] = measured.min() / reference.min();
    return true;
}

// Calculates in `measured` and in `reference` by turns, a batch each, so
// that both meet the same machine; the manual time is the measured one's.
void pairedCalculates(benchmark::State& state, OpenedWindow& reference, OpenedWindow& measured)
{
    constexpr int kBatch = 10;
    Times referenceTimes;
    Times measuredTimes;
    for (auto _ : state) {
        double total = 0;
        for (auto [window, times] : {std::pair{&reference, &referenceTimes}, std::pair{&measured, &measuredTimes}}) {
            if (window->server)
                window->server->activate(&window->form);
            for (int i = 0; i < kBatch; ++i) {
                const double ms = window->calculateToPicture();
                times->add(ms);
                if (window == &measured)
                    total += ms;
            }
        }
        state.SetIterationTime(total / 1e3 / kBatch);
    }
    if (reportPaired(state, measuredTimes, referenceTimes))
        state.counters["rows"] = double(measured.form.sheet().rowCount());
}

// Calculate to painted rows on a sheet of `rows` calculations, paired with
// the same on a sheet of 100.
void BM_CalculateToPaint(benchmark::State& state)
{
    OpenedWindow reference(sheetFile(100));
    OpenedWindow measured(sheetFile(state.range(0)), kBesideReference);
    for (OpenedWindow* window : {&reference, &measured})
        window->form.setRecoveryJournalEnabled(state.range(1) != 0);
    pairedCalculates(state, reference, measured);
}

// What the recovery journal costs a Calculate: the same sheet with the
// journal on, paired with it off. The first Calculate starts the journal
// with the whole sheet, which its worker writes while the window goes on.
void BM_CalculateToPaintJournal(benchmark::State& state)
{
    OpenedWindow reference(sheetFile(state.range(0)));
    OpenedWindow measured(sheetFile(state.range(0)), kBesideReference);
    reference.form.setRecoveryJournalEnabled(false);
    measured.form.setRecoveryJournalEnabled(true);
    pairedCalculates(state, reference, measured);
}

// A window of this program in a child process, as main() starts it
// ("--child window FILE"), for the benchmarks that type into it through the
// X server: a user's keys reach a program that runs its own event loop.
struct ChildWindow {
    ChildWindow(const QString& file, const QString& name, QPoint at)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // A journal of its own, which no other child offers to recover.
        environment.insert("XDG_DATA_HOME", tempDir().filePath("data-" + name));
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(QApplication::applicationFilePath(),
                      {"--child", "window", file, QString::number(at.x()), QString::number(at.y())});
        const QStringList ready =
            process.waitForReadyRead(300000) ? QString::fromUtf8(process.readLine()).split(' ') : QStringList();
        if (ready.size() != 6 || ready[0] != "ready")
            return;
        window = ready[1].toUInt();
        field = QRect(ready[2].toInt(), ready[3].toInt(), ready[4].toInt(), ready[5].toInt());
    }
    ~ChildWindow()
    {
        process.closeWriteChannel();
        if (!process.waitForFinished(30000))
            process.kill();
    }
    bool started() const { return window != 0; }

    QProcess process;
    uint32_t window = 0;
    QRect field;
};

// A digit typed into the In field to the changed field on the X server, in
// a window on a sheet of `rows` calculations, paired with the same in a
// window on an empty sheet: the two take turns, a batch of keys each. The
// keys go through the server's XTEST extension as a keyboard's do; the
// caret does not blink, so only the typed digit changes the field. Each
// batch ends with Return, which calculates, as a user's typing does.
void BM_TypedDigitToPicture(benchmark::State& state)
{
    constexpr int kBatch = 10;
    const bench::XServer server;
    ChildWindow reference(sheetFile(0), "reference", {0, 0});
    ChildWindow measured(sheetFile(state.range(0)), "measured", kBesideReference);
    if (!server.connected() || !reference.started() || !measured.started()) {
        state.SkipWithError("the windows did not start");
        return;
    }
    Times referenceTimes;
    Times measuredTimes;
    for (auto _ : state) {
        double total = 0;
        for (auto [window, times] : {std::pair{&reference, &referenceTimes}, std::pair{&measured, &measuredTimes}}) {
            server.activate(window->window);
            QThread::msleep(100);
            for (int i = 0; i < kBatch; ++i) {
                const std::vector<uint8_t> before = server.picture(window->window, window->field);
                QElapsedTimer timer;
                timer.start();
                // Alternate digits shift in and always change the text.
                server.type(i % 2 ? '2' : '1');
                const bool changed = server.waitForChange(window->window, window->field, before);
                const double ms = changed ? double(timer.nsecsElapsed()) / 1e6 : -1;
                times->add(ms);
                if (window == &measured)
                    total += ms;
                QThread::msleep(20);
            }
            // Return calculates, as the user ends a calculation, so that
            // the next keys follow a new row.
            server.typeReturn();
            QThread::msleep(100);
        }
        state.SetIterationTime(total / 1e3 / kBatch);
    }
    reportPaired(state, measuredTimes, referenceTimes);
}

void BM_FirstCalculateAfterOpen(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<OpenedWindow>(sheetFile(state.range(0)));
        state.ResumeTiming();
        window->calculateToPicture();
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}

// Runs this program again in a child mode and returns what it printed.
QString runChild(const QStringList& arguments,
                 const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.setProcessEnvironment(environment);
    child.start(QApplication::applicationFilePath(), QStringList{"--child"} + arguments);
    if (!child.waitForFinished(120000) || child.exitCode() != 0)
        return {};
    return QString::fromUtf8(child.readAllStandardOutput()).trimmed();
}

void BM_OpenSaveMemory(benchmark::State& state)
{
    const QString file = sheetFile(state.range(0));
    for (auto _ : state) {
        const QStringList figures = runChild({"open-save", file}).split(' ');
        if (figures.size() != 3) {
            state.SkipWithError("child run failed");
            break;
        }
        state.counters["steady_MiB"] = figures[0].toDouble() / 1024;
        state.counters["peak_open_MiB"] = figures[1].toDouble() / 1024;
        state.counters["peak_save_MiB"] = figures[2].toDouble() / 1024;
        state.counters["peak_per_steady"] =
            std::max(figures[1].toDouble(), figures[2].toDouble()) / figures[0].toDouble();
    }
}

// Monotonic clock readings are comparable across processes.
int64_t monotonicNanoseconds()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Starts a child in `mode` and returns the milliseconds from starting it to
// the end of its window's first paint, as the child reads the same clock;
// what the child does after (storing its settings, tearing down) is not
// waited for by the user. A negative figure means the run failed.
double millisecondsToFirstPaint(const char* mode, const QProcessEnvironment& environment)
{
    const int64_t start = monotonicNanoseconds();
    const QStringList reply = runChild({mode}, environment).split(' ');
    if (reply.size() != 2 || reply[0] != "painted")
        return -1;
    return double(reply[1].toLongLong() - start) / 1e6;
}

// Cold start of the program against a bare Qt window that shows one label,
// from starting the process to the first picture on the server (on an X
// server; offscreen, to the first paint): both are this binary on the same
// platform and environment, run alternately in one loop so that both meet
// the same machine. Their settings live in a directory of their own,
// written by an untimed first run as any earlier run of the program leaves
// it. The manual time is the program's.
void BM_ColdStart(benchmark::State& state)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", tempDir().filePath("cold-start-config"));
    if (millisecondsToFirstPaint("start-ombrel", environment) < 0 ||
        millisecondsToFirstPaint("start-label", environment) < 0) {
        state.SkipWithError("child run failed");
        return;
    }
    Times ombrelTimes;
    Times labelTimes;
    bool ombrelFirst = true;
    for (auto _ : state) {
        double ombrel = 0;
        double label = 0;
        if (ombrelFirst) {
            ombrel = millisecondsToFirstPaint("start-ombrel", environment);
            label = millisecondsToFirstPaint("start-label", environment);
        } else {
            label = millisecondsToFirstPaint("start-label", environment);
            ombrel = millisecondsToFirstPaint("start-ombrel", environment);
        }
        ombrelFirst = !ombrelFirst;
        ombrelTimes.add(ombrel);
        labelTimes.add(label);
        state.SetIterationTime(std::max(ombrel, 0.0) / 1e3);
    }
    reportPaired(state, ombrelTimes, labelTimes);
}

void minAndMedian(benchmark::internal::Benchmark* b)
{
    b->Repetitions(5)->DisplayAggregatesOnly(true);
    b->ComputeStatistics("min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });
}

// The second argument turns the recovery journal on (1) or off (0).
BENCHMARK(BM_CalculateToPaint)
    ->ArgNames({"rows", "journal"})
    ->Args({0, 1})
    ->Args({100, 1})
    ->Args({10'000, 1})
    ->Args({100'000, 1})
    ->Args({1'000'000, 1})
    ->Args({1'000'000, 0})
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime()
    ->Iterations(10)
    ->Apply(minAndMedian);
BENCHMARK(BM_CalculateToPaintJournal)
    ->ArgNames({"rows"})
    ->Arg(1'000'000)
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime()
    ->Iterations(10)
    ->Apply(minAndMedian);
BENCHMARK(BM_FirstCalculateAfterOpen)
    ->Arg(100)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(1)
    ->Apply(minAndMedian);
BENCHMARK(BM_OpenSaveMemory)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(1);
BENCHMARK(BM_ColdStart)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10)->Apply(minAndMedian);

// Resident and peak resident memory of this process, in KiB.
long statusKilobytes(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::stol(line.substr(std::char_traits<char>::length(field)));
    return 0;
}

// Makes the peak start again from what is resident now.
void resetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

// Prints the steady memory after opening, then the peak of the Open and the
// peak of a Save over the same file.
int openSaveMemory(const QString& file)
{
    resetPeak();
    OpenedWindow window(file);
    const long steady = statusKilobytes("VmRSS:");
    const long openPeak = statusKilobytes("VmHWM:");
    resetPeak();
    if (!window.form.Save1Click())
        return 1;
    window.form.list(window.form.activeFormat())->viewport()->update();
    OpenedWindow::settle();
    const long savePeak = statusKilobytes("VmHWM:");
    std::printf("%ld %ld %ld\n", steady, openPeak, savePeak);
    return 0;
}

// Shows a window, prints "painted" and the clock once it has painted, and
// quits.
int startAndPaint(QWidget& window)
{
    PaintCounter counter;
    window.installEventFilter(&counter);
    window.show();
    int64_t paintedAt = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (counter.paints > 0 && paintedAt == 0) {
            // The painted picture has gone to the X server; once the server
            // answers a request sent after it, it holds the picture.
            if (auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>())
                std::free(
                    xcb_get_input_focus_reply(x11->connection(), xcb_get_input_focus(x11->connection()), nullptr));
            paintedAt = monotonicNanoseconds();
            QApplication::quit();
        }
    });
    poll.start(0);
    QApplication::exec();
    std::printf("painted %lld\n", static_cast<long long>(paintedAt));
    return 0;
}

// As main() starts the program.
void startAsMain()
{
    UseProgramStyle();
    qApp->installEventFilter(new LineEditPaste(qApp));
    QApplication::setApplicationName("Ombrel");
    QApplication::setOrganizationName("Brontel");
}

// The program's window on a file, the keyboard in its In field; prints
// "ready", its X window and where the In field lies in it, then runs until
// its input closes.
int showWindow(const QString& file, QPoint at)
{
    startAsMain();
    QApplication::setCursorFlashTime(0);
    OpenedWindow window(file, at);
    window.form.MaskEdit1->setFocus();
    OpenedWindow::settle();
    const QRect field = bench::XServer::areaOf(window.form.MaskEdit1);
    std::printf("ready %llu %d %d %d %d\n", static_cast<unsigned long long>(window.form.winId()), field.x(), field.y(),
                field.width(), field.height());
    std::fflush(stdout);
    return bench::RunUntilInputCloses();
}

int runChildMode(const QString& mode, const QStringList& arguments)
{
    if (mode == "open-save")
        return openSaveMemory(arguments.value(0));
    if (mode == "window")
        return showWindow(arguments.value(0), QPoint(arguments.value(1).toInt(), arguments.value(2).toInt()));
    // The fair reference: a bare window that shows one text, as every real
    // program pays for its first text.
    if (mode == "start-label") {
        QMainWindow window;
        window.setWindowTitle("Ombrel");
        window.setCentralWidget(new QLabel("Total Calculations: 0"));
        return startAndPaint(window);
    }
    startAsMain();
    SettingsStore store;
    AppSettings settings;
    QtUserDialogs dialogs;
    TCalcMainForm form(dialogs, settings, store);
    return startAndPaint(form);
}

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The benchmark's settings live and die with it.
    if (!qEnvironmentVariableIsSet("OMBREL_BENCH_CONFIG")) {
        qputenv("OMBREL_BENCH_CONFIG", qPrintable(tempDir().path()));
        qputenv("XDG_CONFIG_HOME", qPrintable(tempDir().filePath("config")));
        qputenv("XDG_RUNTIME_DIR", qPrintable(tempDir().path()));
        qputenv("XDG_DATA_HOME", qPrintable(tempDir().filePath("data")));
    }
    QApplication app(argc, argv);
    if (argc > 2 && QString(argv[1]) == "--child")
        return runChildMode(argv[2], QApplication::arguments().mid(3));
    // Keys are typed through a real X server only.
    if (bench::XServer::inUse())
        benchmark::RegisterBenchmark("BM_TypedDigitToPicture", BM_TypedDigitToPicture)
            ->ArgName("rows")
            ->Arg(0)
            ->Arg(100)
            ->Arg(10'000)
            ->Arg(100'000)
            ->Arg(1'000'000)
            ->Unit(benchmark::kMicrosecond)
            ->UseManualTime()
            ->Iterations(10)
            ->Apply(minAndMedian);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
