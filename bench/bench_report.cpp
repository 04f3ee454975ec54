// The report writer against its floor: cairo writing one empty A4 PDF page into the
// same folder. After the run, each report's CPU time is printed as a ratio to it.
#include <benchmark/benchmark.h>

#include <cairo-pdf.h>
#include <cairo.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>

#include "pdfreport/PdfReport.h"
#include "platform/kernel/Clock.h"
#include "platform/kernel/DosPath.h"

namespace {

// The benchmark's folder on drive C:, in both forms.
std::string g_unix;
std::wstring g_dos;

void Floor_EmptyCairoPage(benchmark::State& state) {
    const std::string path = g_unix + "/floor.pdf";
    for (auto _ : state) {
        cairo_surface_t* surface = cairo_pdf_surface_create(path.c_str(), 595.276, 841.890);
        cairo_t* cr = cairo_create(surface);
        cairo_show_page(cr);
        cairo_destroy(cr);
        cairo_surface_finish(surface);
        if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS)
            state.SkipWithError("cairo could not write the floor's page");
        cairo_surface_destroy(surface);
    }
}

void Report(benchmark::State& state, const std::wstring& comment) {
    unsigned char report[299] = {};
    std::memcpy(report, "Riverside Water Works", 21);
    std::memcpy(report + 64, "FT-301", 6);
    for (int i = 0; i < 10; ++i)
        report[231 + 2 * i] = 0x29, report[232 + 2 * i] = 0x03; // 809: passed
    const CString fileName((g_dos + L"\\report.pdf").c_str());
    for (auto _ : state)
        if (!CPdfReport().CreateReport(report, fileName, comment.c_str(), CPdfReport::kVerificationReport))
            state.SkipWithError("the report was not written");
}

void Report_OnePage(benchmark::State& state) {
    Report(state, L"Flow tube cleaned before the check; grounding rings inspected.");
}

// A comment long enough to be wrapped over both pages and shortened.
void Report_TwoPagesLongComment(benchmark::State& state) {
    std::wstring comment;
    while (comment.size() < 20000)
        comment += L"Electrodes inspected and cleaned, readings within tolerance. ";
    Report(state, comment);
}

BENCHMARK(Floor_EmptyCairoPage);
BENCHMARK(Report_OnePage);
BENCHMARK(Report_TwoPagesLongComment);

// The console output as usual, and each benchmark's CPU time per iteration kept for
// the ratios (CPU time: on a shared machine, waiting for a core is nobody's cost).
class CTimeKeeper : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (!run.error_occurred)
                cpu[run.benchmark_name()] = run.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> cpu;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    std::string folder = CDosPath::DriveC() + "/bench-report-XXXXXX";
    if (!mkdtemp(folder.data())) {
        std::perror("bench_report: cannot make a folder on drive C:");
        return 1;
    }
    g_unix = folder;
    g_dos = CDosPath::ToDos(folder);
    CClock::Instance().SetVirtual(true);
    CTimeKeeper keeper;
    benchmark::RunSpecifiedBenchmarks(&keeper);
    benchmark::Shutdown();
    std::error_code error;
    std::filesystem::remove_all(folder, error);

    const auto floor = keeper.cpu.find("Floor_EmptyCairoPage");
    std::printf("\n%-28s %s\n", "report", "ratio to Floor_EmptyCairoPage");
    for (const char* name : {"Report_OnePage", "Report_TwoPagesLongComment"}) {
        const auto report = keeper.cpu.find(name);
        if (report != keeper.cpu.end() && floor != keeper.cpu.end() && floor->second > 0)
            std::printf("%-28s %.2f\n", name, report->second / floor->second);
    }
    return 0;
}
