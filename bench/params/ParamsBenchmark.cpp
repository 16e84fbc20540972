// Prints Google Benchmark's table, then the cost of each parameter function
// called through IParamFunction relative to the library function called
// through a function pointer the compiler cannot see through (an indirect
// call, like the interface's virtual call, so the ratio is what the interface
// adds beyond one indirect call).
//   build/<host>/bench/params/params_benchmark

#include "params/CGUIValueMapping.h"
#include "params/CParamDescription.h"
#include "params/CParamValueFormatter.h"
#include "params/TParamFunction.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {
constexpr size_t g_inputCount = 256;

std::array<float, g_inputCount> MakeInputs()
{
    std::array<float, g_inputCount> inputs {};
    for (size_t i = 0; i < g_inputCount; ++i) {
        inputs[i] = 0.01f + 0.98f * static_cast<float>(i) / g_inputCount;
    }
    return inputs;
}

const std::array<float, g_inputCount> g_inputs = MakeInputs();

struct LibraryFunction {
    const char* name;
    CFunctionsLibrary::Function pointer;
    std::unique_ptr<IParamFunction> wrapped;
};

template <CFunctionsLibrary::Function F> LibraryFunction Entry(const char* name)
{
    return { name, F, std::make_unique<TParamFunction<F>>() };
}

std::vector<LibraryFunction> MakeFunctions()
{
    std::vector<LibraryFunction> all;
    all.push_back(Entry<&CFunctionsLibrary::Identity>("Identity"));
    all.push_back(Entry<&CFunctionsLibrary::Square>("Square"));
    all.push_back(Entry<&CFunctionsLibrary::SquareRoot>("SquareRoot"));
    all.push_back(Entry<&CFunctionsLibrary::Exp>("Exp"));
    all.push_back(Entry<&CFunctionsLibrary::Log>("Log"));
    all.push_back(Entry<&CFunctionsLibrary::NormExp>("NormExp"));
    all.push_back(Entry<&CFunctionsLibrary::NormLog>("NormLog"));
    all.push_back(Entry<&CFunctionsLibrary::NormExp1>("NormExp1"));
    all.push_back(Entry<&CFunctionsLibrary::NormLog1>("NormLog1"));
    all.push_back(Entry<&CFunctionsLibrary::NormExp2>("NormExp2"));
    all.push_back(Entry<&CFunctionsLibrary::NormLog2>("NormLog2"));
    all.push_back(Entry<&CFunctionsLibrary::NormExp3>("NormExp3"));
    all.push_back(Entry<&CFunctionsLibrary::NormLog3>("NormLog3"));
    all.push_back(Entry<&CFunctionsLibrary::TodB>("TodB"));
    all.push_back(Entry<&CFunctionsLibrary::FromdB>("FromdB"));
    return all;
}

// Per call: every iteration runs over all inputs.
void SetRate(benchmark::State& state)
{
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * g_inputCount));
}

void IndirectCall(benchmark::State& state, CFunctionsLibrary::Function function)
{
    for (auto _ : state) {
        // Opaque to the optimiser: every call below stays an indirect call.
        benchmark::DoNotOptimize(function);
        for (float x : g_inputs) {
            benchmark::DoNotOptimize(function(x));
        }
    }
    SetRate(state);
}

void Interface(benchmark::State& state, IParamFunction* function)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(function);
        for (float x : g_inputs) {
            benchmark::DoNotOptimize(function->Evaluate(x));
        }
    }
    SetRate(state);
}

void MappingRoundTrip(benchmark::State& state, bool toPosition)
{
    CParamDescription description("Cutoff", 2, 20.0f, 20000.0f, 1000.0f, "Hz", nullptr, nullptr, false);
    CGUIValueMapping mapping(description);
    mapping.SetLogarithmic(true);
    mapping.SetStepCount(101);
    mapping.SetCurve(7);
    for (auto _ : state) {
        for (float x : g_inputs) {
            benchmark::DoNotOptimize(
                toPosition ? mapping.PositionFromValue(20.0f + x * 19980.0f, true) : mapping.ValueFromPosition(x));
        }
    }
    SetRate(state);
}

void FormatText(benchmark::State& state)
{
    CParamDescription description("Gain", 2, -60.0f, 12.0f, 0.0f, "dB", nullptr, nullptr, false);
    CParamValueFormatter formatter("%.2f", true, "{value} {unit}");
    for (auto _ : state) {
        char* out = nullptr;
        formatter.FormatText(3.5f, description, &out);
        benchmark::DoNotOptimize(out);
        delete[] out;
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}

// Keeps each run's time per item for the ratio table.
class CRatioReporter final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const auto items = run.counters.find("items_per_second");
            if (items != run.counters.end() && items->second.value > 0) {
                m_nanoseconds[run.benchmark_name()] = 1e9 / items->second.value;
            }
        }
    }
    double Get(const std::string& name) const
    {
        const auto found = m_nanoseconds.find(name);
        return found == m_nanoseconds.end() ? 0.0 : found->second;
    }

private:
    std::map<std::string, double> m_nanoseconds;
};
} // namespace

int main(int argc, char** argv)
{
    const std::vector<LibraryFunction> functions = MakeFunctions();
    for (const LibraryFunction& f : functions) {
        benchmark::RegisterBenchmark((std::string("IndirectCall/") + f.name).c_str(), IndirectCall, f.pointer);
        benchmark::RegisterBenchmark((std::string("Interface/") + f.name).c_str(), Interface, f.wrapped.get());
    }
    benchmark::RegisterBenchmark("Mapping/PositionFromValue", MappingRoundTrip, true);
    benchmark::RegisterBenchmark("Mapping/ValueFromPosition", MappingRoundTrip, false);
    benchmark::RegisterBenchmark("FormatText/{value} {unit}", FormatText);

    benchmark::Initialize(&argc, argv);
    CRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::printf("\nBaseline: the library function called through a function pointer (an indirect call)\n");
    std::printf("%-12s %12s %12s %8s\n", "function", "indirect ns", "interface ns", "ratio");
    for (const LibraryFunction& f : functions) {
        const double indirect = reporter.Get(std::string("IndirectCall/") + f.name);
        const double wrapped = reporter.Get(std::string("Interface/") + f.name);
        std::printf("%-12s %12.2f %12.2f %8.2f\n", f.name, indirect, wrapped, indirect > 0 ? wrapped / indirect : 0.0);
    }
    std::printf("\nPositionFromValue %.2f ns, ValueFromPosition %.2f ns (log 20..20000 Hz, 101 steps), "
                "FormatText %.1f ns\n",
        reporter.Get("Mapping/PositionFromValue"), reporter.Get("Mapping/ValueFromPosition"),
        reporter.Get("FormatText/{value} {unit}"));
    benchmark::Shutdown();
    return 0;
}
