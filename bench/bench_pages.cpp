// A page's whole life through the host (create by class, Init, Create, activate, save,
// close, destroy, release) beside its floor: what no page can avoid, the host calls
// (each bound enumeration member's index and strings, each other bound member's value,
// read straight from the configuration tag) and the window system's part (the page's
// dialog template created bare from the resource library, without the profile, and
// destroyed). After the run, each page's time is printed as a multiple of its floor.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/profile/pages/PageCycle.h"
#include "tests/profile/pages/PagesTestSupport.h"

namespace {

// The module, the host and one cycle, set up once for every benchmark of the run.
struct CBenchHost {
    CProfileModule module;
    CProfileHost host;
    HWND window = MakeCycleParentWindow();
    CPageCycle cycle{MakeHostObject<CHostParent>(host.context), window};
    // The pages' dialog templates, for the floor to create bare.
    HMODULE templates = LoadLibraryW(
        CDosPath::ToDos(std::string(std::getenv("PV_BIN_DIR")) + "/PVZQTavrin100ENU.dll").c_str());

    CBenchHost() { cycle.SetTemplateLibrary(templates); }
    ~CBenchHost() {
        cycle.SetTemplateLibrary(nullptr);
        if (templates)
            FreeLibrary(templates);
        if (window)
            DestroyWindow(window);
    }
};

CBenchHost* g_host = nullptr;

void BM_PageCycle(benchmark::State& state, const CPVPageTable* page) {
    const CLSID clsid = PageClassId(*page);
    for (auto _ : state) {
        if (FAILED(g_host->cycle.Run(clsid))) {
            state.SkipWithError(("the cycle failed at " + g_host->cycle.FailedStep()).c_str());
            break;
        }
        // The host records every call; unbounded, the record would be measured too.
        g_host->host.context->Faults().ClearCalls();
    }
}

void BM_HostFloor(benchmark::State& state, const CPVPageTable* page) {
    for (auto _ : state) {
        if (FAILED(g_host->cycle.RunFloor(*page))) {
            state.SkipWithError(("the floor failed at " + g_host->cycle.FailedStep()).c_str());
            break;
        }
        g_host->host.context->Faults().ClearCalls();
    }
}

// Each page of the catalogue that is built, beside its floor.
void RegisterPageBenchmarks() {
    for (const CPVPageTable* page : BuiltPages()) {
        const std::string name = PageShortName(*page);
        benchmark::RegisterBenchmark(("BM_HostFloor/" + name).c_str(), &BM_HostFloor, page)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("BM_PageCycle/" + name).c_str(), &BM_PageCycle, page)
            ->Unit(benchmark::kMicrosecond);
    }
}

// Shows the usual console output and keeps each benchmark's mean CPU time per
// iteration: the "mean" aggregate when repetitions were asked for, else the one run.
// CPU time, as the machine is shared and waiting for a core is not the page's cost.
class CCollectingReporter : public benchmark::ConsoleReporter {
public:
    // Colours only on a terminal: a report kept in a file stays plain text.
    CCollectingReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            const std::string name = run.run_name.str();
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "mean")
                m_means[name] = run.GetAdjustedCPUTime();
            else if (run.run_type == Run::RT_Iteration && !m_means.count(name))
                m_runs[name] = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    // The mean time of `name`, or a negative number when it did not run.
    double Mean(const std::string& name) const {
        if (auto mean = m_means.find(name); mean != m_means.end())
            return mean->second;
        auto run = m_runs.find(name);
        return run != m_runs.end() ? run->second : -1;
    }

private:
    std::map<std::string, double> m_means;
    std::map<std::string, double> m_runs;
};

// The built modules lie beside this program unless PV_BIN_DIR says otherwise.
void FindModules() {
    if (std::getenv("PV_BIN_DIR"))
        return;
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return;
    std::string folder(path, static_cast<size_t>(length));
    folder.erase(folder.find_last_of('/'));
    setenv("PV_BIN_DIR", folder.c_str(), 1);
}

} // namespace

int main(int argc, char** argv) {
    RegisterPageBenchmarks();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    FindModules();
    // A page logs on some paths; writing a file would be measured with it.
    unsetenv("PV_LOG_FILE");
    auto host = std::make_unique<CBenchHost>();
    if (!host->module.error.empty() || !host->host.error.empty() || !host->window || !host->templates) {
        std::fprintf(stderr, "bench_pages: %s\n",
                     !host->module.error.empty() ? host->module.error.c_str()
                     : !host->host.error.empty() ? host->host.error.c_str()
                     : !host->window             ? "the pages' parent window cannot be made"
                                                 : "PVZQTavrin100ENU.dll cannot be loaded for its templates");
        return 1;
    }
    g_host = host.get();
    CCollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    g_host = nullptr;
    host.reset();

    std::printf("\n");
    for (const CPVPageTable* page : BuiltPages()) {
        const std::string name = PageShortName(*page);
        const double cycle = reporter.Mean("BM_PageCycle/" + name);
        const double floor = reporter.Mean("BM_HostFloor/" + name);
        if (cycle < 0 || floor <= 0)
            continue; // filtered out of this run
        std::printf("%s page cycle: %.1f x the host calls and the bare dialog it cannot avoid\n", name.c_str(),
                    cycle / floor);
    }
    return 0;
}
