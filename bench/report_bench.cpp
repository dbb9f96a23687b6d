// The preview of a million calculations: its first page on screen (target:
// within a second), set against the first page of a list of ten, measured
// in one run; and laying out every page, which the preview does while the
// first pages are shown, at the usual print font and at a huge one.
#include "bench_support.h"
#include "printing/report_painter.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <malloc.h>

using namespace ombrel;
using namespace ombrel::bench;

namespace {

const QSizeF kLetterPoints(612, 792);

ReportContent content()
{
    ReportContent c;
    c.heading = "Timecode Data";
    c.subheading = "30 fps Non-Drop Frame";
    return c;
}

const CalcSheet& smallSheet()
{
    static const CalcSheet sheet = [] {
        CalcSheet built;
        for (int64_t r = 0; r < 10; ++r) {
            std::array<RowCells, kFormatCount> rows;
            for (int f = 0; f < kFormatCount; ++f)
                rows[f] = bigSheet().list(FormatAt(f)).row(r);
            built.appendCalculation(rows);
        }
        return built;
    }();
    return sheet;
}

// What the preview does before its first page shows: build the report, lay
// out its first two pages, draw the first at page width in a window 1280
// pixels wide.
void firstPage(benchmark::State& state, const CalcSheet& sheet)
{
    QImage screen(1256, 1626, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        Report report(sheet, content(), kDefaultPrintFont, kLetterPoints, QDateTime::currentDateTime());
        report.pagination().layOut(2);
        screen.fill(Qt::white);
        QPainter painter(&screen);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        MapReportOnto(painter, QRectF(screen.rect()), report.paperSize());
        report.paintPage(painter, 1);
    }
}

void BM_PreviewFirstPage(benchmark::State& state)
{
    firstPage(state, bigSheet());
}

void BM_PreviewFirstPageOfTen(benchmark::State& state)
{
    firstPage(state, smallSheet());
}

void BM_LayOutAllPages(benchmark::State& state)
{
    int64_t pages = 0;
    for (auto _ : state) {
        Report report(bigSheet(), content(), kDefaultPrintFont, kLetterPoints, QDateTime::currentDateTime());
        while (!report.pagination().layOut(1000)) {
        }
        pages = report.pagination().pageCount();
    }
    state.counters["pages"] = double(pages);
}

// At a 512-point print font a page holds one line of a character or two:
// the million calculations make tens of millions of pages. What the laid-out
// report keeps on the heap must stay small all the same.
void BM_LayOutAllPagesHugeFont(benchmark::State& state)
{
    StoredFont font = kDefaultPrintFont;
    font.size = 512;
    // Small blocks and the large ones given their own pages.
    auto heap = [] {
        const struct mallinfo2 info = mallinfo2();
        return double(info.uordblks) + double(info.hblkhd);
    };
    int64_t pages = 0;
    double heldBytes = 0;
    for (auto _ : state) {
        const double before = heap();
        Report report(bigSheet(), content(), font, kLetterPoints, QDateTime::currentDateTime());
        while (!report.pagination().layOut(100'000)) {
        }
        pages = report.pagination().pageCount();
        heldBytes = heap() - before;
    }
    state.counters["pages"] = double(pages);
    state.counters["held_MB"] = heldBytes / 1e6;
}

} // namespace

BENCHMARK(BM_PreviewFirstPage)->Apply(settings);
BENCHMARK(BM_PreviewFirstPageOfTen)->Apply(settings);
BENCHMARK(BM_LayOutAllPages)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3)->DisplayAggregatesOnly(true);
BENCHMARK(BM_LayOutAllPagesHugeFont)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    bigSheet();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n");
    reporter.printAgainst("Preview's first page, 1,000,000", "BM_PreviewFirstPage", 1000);
    reporter.printRatio("  against the first page of 10", "BM_PreviewFirstPage", "BM_PreviewFirstPageOfTen");
    benchmark::Shutdown();
}
