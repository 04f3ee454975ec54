// Large inputs beside their floor. A project of 1k, 10k and 100k members is loaded
// (and written back) by the host, beside the JSON library's own parse of the same
// text; an extended-info text of 10 KB, 1 MB and 10 MB is loaded and serialised by
// the DOM, beside libxml2 parsing and dumping the same text alone. After the run,
// the time per member and per KB is printed at each size with its ratio to the floor:
// a ratio that stays flat as the size grows is linear time.
#include <benchmark/benchmark.h>

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstdio>
#include <map>
#include <string>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include "host/HostProject.h"
#include "platform/base/TextCodec.h"
#include "platform/com/ComPtr.h"
#include "platform/com/ClassTable.h"
#include "platform/msxml/MsXml.h"
#include "platform/oleaut/Bstr.h"

namespace {

const int kMemberCounts[] = {1000, 10000, 100000};
const size_t kXmlSizes[] = {10 * 1024, 1024 * 1024, 10 * 1024 * 1024};

// A project whose members are of every kind the embedded one has: limited integers,
// reals, enumerations, texts and flags.
std::string ProjectText(int members) {
    std::string text = R"({"format": "pvhost-project", "version": 1, "controller": {"mode": 0},
        "configTag": {"name": "Local:1:C", "members": [)";
    for (int i = 0; i < members; ++i) {
        const std::string name = "\"name\": \"Member_" + std::to_string(i) + "\"";
        switch (i % 4) {
        case 0:
            text += "{" + name + R"(, "type": "DINT", "min": 0, "max": 1000, "value": 7})";
            break;
        case 1:
            text += "{" + name + R"(, "type": "REAL", "min": -1.5, "max": 9999.99, "value": 12.5})";
            break;
        case 2:
            text += "{" + name + R"(, "type": "INT", "enum": [{"value": 1, "text": "kg/s"},
                {"value": 2, "text": "kg/h"}, {"value": 3, "text": "t/h"}], "value": 2})";
            break;
        default:
            text += "{" + name + R"(, "type": "STRING", "value": "north", "extProperties": {"3": "a text"}})";
            break;
        }
        text += i + 1 < members ? ",\n" : "\n";
    }
    return text + "]}}";
}

void BM_JsonParse(benchmark::State& state) {
    const std::string text = ProjectText(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(nlohmann::ordered_json::parse(text));
}

void BM_ProjectLoad(benchmark::State& state) {
    const std::string text = ProjectText(static_cast<int>(state.range(0)));
    std::string error;
    for (auto _ : state) {
        CHostProject project;
        if (!project.LoadText(text, "bench", &error))
            state.SkipWithError(error.c_str());
    }
}

void BM_ProjectSave(benchmark::State& state) {
    CHostProject project;
    std::string error;
    if (!project.LoadText(ProjectText(static_cast<int>(state.range(0))), "bench", &error))
        state.SkipWithError(error.c_str());
    for (auto _ : state)
        benchmark::DoNotOptimize(project.ToJson());
}

// An extended-info text of about `bytes`: pages with namespaced attributes and text.
std::wstring XmlText(size_t bytes) {
    std::wstring text = L"<ExtendedInfo xmlns=\"urn:pv:ext\" xmlns:p=\"urn:pv:page\" version=\"1\">";
    for (int page = 0; text.size() < bytes; ++page)
        text += L"<p:Page id=\"" + std::to_wstring(page) + L"\" title=\"Page " + std::to_wstring(page) +
                L"\" p:help=\"1001\"><Title>Sensor &amp; installation</Title><Item n=\"1\"/></p:Page>";
    return text + L"</ExtendedInfo>";
}

void BM_Libxml2Alone(benchmark::State& state) {
    const std::string text = CTextCodec::ToUtf8(XmlText(static_cast<size_t>(state.range(0))));
    for (auto _ : state) {
        xmlDocPtr doc = xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, nullptr,
                                      XML_PARSE_NONET | XML_PARSE_NOBLANKS);
        xmlChar* dumped = nullptr;
        int size = 0;
        xmlDocDumpMemory(doc, &dumped, &size);
        benchmark::DoNotOptimize(size);
        xmlFree(dumped);
        xmlFreeDoc(doc);
    }
}

void BM_DomLoadAndXml(benchmark::State& state) {
    const std::wstring text = XmlText(static_cast<size_t>(state.range(0)));
    BSTR source = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    for (auto _ : state) {
        CComPtr<IXMLDOMDocument2> document;
        VARIANT_BOOL ok = VARIANT_FALSE;
        BSTR xml = nullptr;
        if (FAILED(CoCreateInstance(CLSID_DOMDocument60, nullptr, CLSCTX_SERVER, IXMLDOMDocument2::Iid,
                                    reinterpret_cast<void**>(&document))) ||
            document->loadXML(source, &ok) != S_OK || document->get_xml(&xml) != S_OK) {
            state.SkipWithError("the DOM refused the text");
            break;
        }
        SysFreeString(xml);
    }
    SysFreeString(source);
}

BENCHMARK(BM_JsonParse)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProjectLoad)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProjectSave)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Libxml2Alone)->Arg(kXmlSizes[0])->Arg(kXmlSizes[1])->Arg(kXmlSizes[2])->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DomLoadAndXml)->Arg(kXmlSizes[0])->Arg(kXmlSizes[1])->Arg(kXmlSizes[2])->Unit(benchmark::kMillisecond);

// The console output as usual, and each run's CPU time per iteration in milliseconds
// (CPU time: the machine is shared, and waiting for a core is not the parser's cost).
class CTimeKeeper : public benchmark::ConsoleReporter {
public:
    CTimeKeeper() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (!run.error_occurred && run.run_type == Run::RT_Iteration)
                m_milliseconds[run.benchmark_name()] = run.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
    // Negative when `name` did not run.
    double Milliseconds(const std::string& name) const {
        auto found = m_milliseconds.find(name);
        return found == m_milliseconds.end() ? -1 : found->second;
    }

private:
    std::map<std::string, double> m_milliseconds;
};

// One line per size: the measured time and the floor's, each per unit, and their ratio.
void PrintRatio(const CTimeKeeper& times, const char* measured, const char* floor, long long arg, double units,
                const char* unit) {
    const double time = times.Milliseconds(std::string(measured) + "/" + std::to_string(arg));
    const double base = times.Milliseconds(std::string(floor) + "/" + std::to_string(arg));
    if (time < 0 || base <= 0)
        return; // filtered out of this run
    std::printf("%-18s %9lld %12.3f us/%s %12.3f us/%s %8.2f\n", measured, arg, time * 1000 / units, unit,
                base * 1000 / units, unit, time / base);
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    CTimeKeeper times;
    benchmark::RunSpecifiedBenchmarks(&times);
    benchmark::Shutdown();
    std::printf("\n%-18s %9s %18s %18s %8s\n", "measured", "size", "time", "floor", "ratio");
    for (int members : kMemberCounts) {
        PrintRatio(times, "BM_ProjectLoad", "BM_JsonParse", members, members, "member");
        PrintRatio(times, "BM_ProjectSave", "BM_JsonParse", members, members, "member");
    }
    for (size_t bytes : kXmlSizes)
        PrintRatio(times, "BM_DomLoadAndXml", "BM_Libxml2Alone", static_cast<long long>(bytes), bytes / 1024.0, "KB");
    return 0;
}
