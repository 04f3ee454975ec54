// The converters beside their floor, the C runtime call each cannot avoid: wcstod
// (wcstoll for integers) for text to value, swprintf for value to text, on the same
// inputs. After the run, each converter's time is printed as a ratio to its floor.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cwchar>
#include <map>
#include <string>

#include "profile/convert/CnvTextToFloat.h"
#include "profile/convert/CnvTextToFloat2.h"
#include "profile/convert/CnvTextToInteger.h"

namespace {

const wchar_t* const kIntegerTexts[] = {L"0",           L"42",     L"-7",  L"2147483647",
                                        L"-2147483648", L"123456", L" 99", L"-1000"};
const LONG kIntegers[] = {0, 42, -7, 2147483647, -2147483647 - 1, 123456, 99, -1000};
const wchar_t* const kFloatTexts[] = {L"1.005",   L"-0.125", L"12345.678", L"0.5",
                                      L"3.14159", L"-2.5",   L"100",       L"0.001"};
const float kFloats[] = {1.005f, -0.125f, 12345.678f, 0.5f, 3.14159f, -2.5f, 100.0f, 0.001f};
constexpr int kDecimals = 2;

void Integer_TextToValue(benchmark::State& state) {
    const CCnvTextToInteger* converter = CCnvTextToInteger::GetInstance();
    for (auto _ : state)
        for (const wchar_t* text : kIntegerTexts) {
            LONG value = 0;
            benchmark::DoNotOptimize(converter->ConvertTextToValue(text, &value, nullptr));
            benchmark::DoNotOptimize(value);
        }
}

void Floor_wcstoll(benchmark::State& state) {
    for (auto _ : state)
        for (const wchar_t* text : kIntegerTexts)
            benchmark::DoNotOptimize(std::wcstoll(text, nullptr, 10));
}

void Integer_ValueToText(benchmark::State& state) {
    const CCnvTextToInteger* converter = CCnvTextToInteger::GetInstance();
    for (auto _ : state)
        for (LONG value : kIntegers) {
            CString text;
            benchmark::DoNotOptimize(converter->ConvertValueToText(value, &text));
            benchmark::DoNotOptimize(text.GetString());
        }
}

void Floor_swprintf_integer(benchmark::State& state) {
    for (auto _ : state)
        for (LONG value : kIntegers) {
            wchar_t text[16];
            benchmark::DoNotOptimize(std::swprintf(text, 16, L"%d", value));
            benchmark::DoNotOptimize(text);
        }
}

void Float_TextToValue(benchmark::State& state) {
    const CCnvTextToFloat* converter = CCnvTextToFloat::GetInstance();
    for (auto _ : state)
        for (const wchar_t* text : kFloatTexts) {
            float value = 0;
            benchmark::DoNotOptimize(converter->ConvertTextToValue(text, &value, nullptr));
            benchmark::DoNotOptimize(value);
        }
}

void Float_TextToValueRounded(benchmark::State& state) {
    const CCnvTextToFloat* converter = CCnvTextToFloat::GetInstance();
    for (auto _ : state)
        for (const wchar_t* text : kFloatTexts) {
            float value = 0;
            CString rounded;
            benchmark::DoNotOptimize(
                converter->ConvertTextToValueRounded(text, kDecimals, &value, &rounded, nullptr));
            benchmark::DoNotOptimize(value);
        }
}

void Float2_TextToValueRounded(benchmark::State& state) {
    const CCnvTextToFloat2* converter = CCnvTextToFloat2::GetInstance();
    for (auto _ : state)
        for (const wchar_t* text : kFloatTexts) {
            float value = 0;
            CString rounded;
            benchmark::DoNotOptimize(
                converter->ConvertTextToValue(text, kDecimals, &value, &rounded, nullptr));
            benchmark::DoNotOptimize(value);
        }
}

void Floor_wcstod(benchmark::State& state) {
    for (auto _ : state)
        for (const wchar_t* text : kFloatTexts)
            benchmark::DoNotOptimize(std::wcstod(text, nullptr));
}

void Float_ValueToText(benchmark::State& state) {
    const CCnvTextToFloat* converter = CCnvTextToFloat::GetInstance();
    for (auto _ : state)
        for (float value : kFloats) {
            CString text;
            benchmark::DoNotOptimize(converter->ConvertValueToText(value, kDecimals, &text));
            benchmark::DoNotOptimize(text.GetString());
        }
}

void Float2_ValueToText(benchmark::State& state) {
    const CCnvTextToFloat2* converter = CCnvTextToFloat2::GetInstance();
    for (auto _ : state)
        for (float value : kFloats) {
            CString text;
            float rounded = 0;
            benchmark::DoNotOptimize(
                converter->ConvertValueToText(value, kDecimals, &rounded, &text, nullptr));
            benchmark::DoNotOptimize(text.GetString());
        }
}

void Floor_swprintf_float(benchmark::State& state) {
    for (auto _ : state)
        for (float value : kFloats) {
            wchar_t text[64];
            benchmark::DoNotOptimize(std::swprintf(text, 64, L"%0.2f", static_cast<double>(value)));
            benchmark::DoNotOptimize(text);
        }
}

BENCHMARK(Floor_wcstoll);
BENCHMARK(Integer_TextToValue);
BENCHMARK(Floor_swprintf_integer);
BENCHMARK(Integer_ValueToText);
BENCHMARK(Floor_wcstod);
BENCHMARK(Float_TextToValue);
BENCHMARK(Float_TextToValueRounded);
BENCHMARK(Float2_TextToValueRounded);
BENCHMARK(Floor_swprintf_float);
BENCHMARK(Float_ValueToText);
BENCHMARK(Float2_ValueToText);

// Shows the usual console output and keeps each benchmark's CPU time per iteration
// (CPU time: the machine is shared, and waiting for a core is not the converter's cost).
class CCollectingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                m_times[run.benchmark_name()] = run.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
    const std::map<std::string, double>& Times() const { return m_times; }

private:
    std::map<std::string, double> m_times;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    CCollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const struct {
        const char* converter;
        const char* floor;
    } pairs[] = {
        {"Integer_TextToValue", "Floor_wcstoll"},       {"Integer_ValueToText", "Floor_swprintf_integer"},
        {"Float_TextToValue", "Floor_wcstod"},          {"Float_TextToValueRounded", "Floor_wcstod"},
        {"Float2_TextToValueRounded", "Floor_wcstod"},  {"Float_ValueToText", "Floor_swprintf_float"},
        {"Float2_ValueToText", "Floor_swprintf_float"},
    };
    std::printf("\n%-28s %-24s %s\n", "converter", "floor", "ratio to floor");
    for (const auto& pair : pairs) {
        const auto converter = reporter.Times().find(pair.converter);
        const auto floor = reporter.Times().find(pair.floor);
        if (converter == reporter.Times().end() || floor == reporter.Times().end() || floor->second <= 0)
            continue; // filtered out of this run
        std::printf("%-28s %-24s %.2f\n", pair.converter, pair.floor, converter->second / floor->second);
    }
    return 0;
}
