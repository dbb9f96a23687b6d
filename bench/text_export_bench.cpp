// Export of a million calculations against writing the same bytes raw,
// measured in one run (target: within 3x of raw): the export dialog's
// Export with the progress dialog it shows, and the writer alone.
#include "bench_support.h"
#include "documents/calc_file_io.h"
#include "documents/export_form.h"
#include "documents/text_export.h"
#include "settings/app_settings.h"
#include "settings/settings_store.h"
#include "widgets/radio_group.h"
#include "widgets/user_dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QLineEdit>

#include <benchmark/benchmark.h>
#include <cstdio>

using namespace ombrel;
using namespace ombrel::bench;

namespace {

// Descriptions and headings on: the longest lines, and a non-ASCII
// description early on that makes the writer choose the encoding.
TextExportOptions options()
{
    return {TimecodeFormat::NonDrop, true, true, "Timecode Data", "30 fps Non-Drop Frame"};
}

const std::string& exportBytes()
{
    static const std::string bytes = WriteTextExport(bigSheet(), options());
    return bytes;
}

void record(benchmark::State& state)
{
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(exportBytes().size()));
}

void BM_RawWrite(benchmark::State& state)
{
    WriteRaw(state, exportBytes(), BenchFolder().filePath("raw.txt"), false);
    record(state);
}

void BM_RawWriteSynced(benchmark::State& state)
{
    WriteRaw(state, exportBytes(), BenchFolder().filePath("raw_synced.txt"), true);
    record(state);
}

// Answers the dialog's file question with one name.
class ExportDialogs : public QtUserDialogs {
public:
    QString fileName;
    QString saveFileName(QWidget*, const FileDialogRequest&) override { return fileName; }
    Answer message(QWidget*, MessageKind, const QString& text, MessageButtons) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return Answer::Yes;
    }
};

// What the user meets: Export in the export dialog, whose progress dialog
// shows once the work has gone on for its usual delay and is kept up to
// date, the file written through QSaveFile, the dialog's settings stored.
void BM_ExportDialog(benchmark::State& state)
{
    ExportDialogs dialogs;
    dialogs.fileName = BenchFolder().filePath("export_dialog.txt");
    SettingsStore store;
    AppSettings settings;
    const TextExportOptions wanted = options();
    for (auto _ : state) {
        TExportForm form(bigSheet(), settings, store, dialogs);
        form.GridExport->setItemIndex(FormatIndex(wanted.format));
        form.DescriptionsChk->setChecked(wanted.descriptions);
        form.HeadingsChk->setChecked(wanted.headings);
        form.HeadingEdit->setText(QString::fromStdString(wanted.heading));
        form.SubheadingEdit->setText(QString::fromStdString(wanted.subheading));
        form.show();
        form.ExportBtnClick();
    }
    if (QFileInfo(dialogs.fileName).size() != qint64(exportBytes().size()))
        state.SkipWithError("the dialog wrote another file");
    record(state);
}

// The writer's pieces streamed through QSaveFile, without the dialog.
void BM_Export(benchmark::State& state)
{
    const QString path = BenchFolder().filePath("export.txt");
    for (auto _ : state) {
        TextExportWriter writer(bigSheet(), options());
        const auto error = SaveFileStream(path, [&]() -> std::optional<std::string_view> { return writer.next(); });
        if (error)
            state.SkipWithError("export failed");
    }
    record(state);
}

void BM_ExportBytesOnly(benchmark::State& state)
{
    for (auto _ : state) {
        TextExportWriter writer(bigSheet(), options());
        size_t total = 0;
        for (std::string_view piece = writer.next(); !piece.empty(); piece = writer.next())
            total += piece.size();
        benchmark::DoNotOptimize(total);
    }
    record(state);
}

} // namespace

BENCHMARK(BM_RawWrite)->Apply(settings);
BENCHMARK(BM_RawWriteSynced)->Apply(settings);
BENCHMARK(BM_ExportDialog)->Apply(settings);
BENCHMARK(BM_Export)->Apply(settings);
BENCHMARK(BM_ExportBytesOnly)->Apply(settings);

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The dialog's settings live and die with the benchmark.
    qputenv("XDG_CONFIG_HOME", qPrintable(BenchFolder().filePath("config")));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    std::printf("export of %lld calculations: %.1f MB\n", static_cast<long long>(kCalculations),
                double(exportBytes().size()) / 1e6);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n");
    reporter.printRatio("Export dialog vs raw write", "BM_ExportDialog", "BM_RawWrite");
    reporter.printRatio("Export dialog vs raw write + sync", "BM_ExportDialog", "BM_RawWriteSynced");
    reporter.printRatio("Export vs raw write", "BM_Export", "BM_RawWrite");
    reporter.printRatio("Export vs raw write + sync", "BM_Export", "BM_RawWriteSynced");
    reporter.printRatio("  formatting vs raw write", "BM_ExportBytesOnly", "BM_RawWrite");
    benchmark::Shutdown();
}
