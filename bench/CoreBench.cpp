// The core's costs: fixed-point decimal operations, one output record per depreciation method, the
// installation loading of the stand-in host, and extraction plus record building at three sizes.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "BenchData.h"
#include "aggregation/AssetExtractor.h"
#include "aggregation/DepreciationFigures.h"
#include "aggregation/FixedDecimal.h"
#include "aggregation/OutputRecordBuilder.h"
#include "hostsim/HostSim.h"

namespace {

using D = CFixedDecimal;

// Operands that differ per iteration so that nothing folds into a constant.
D Operand(std::int64_t i) { return D::FromCurrency(123456789 + (i & 1023) * 10007); }

void BM_DecimalAdd(benchmark::State& state) {
    std::int64_t i = 0;
    for (auto _ : state) {
        D sum = D::Add(Operand(i), Operand(i + 7));
        benchmark::DoNotOptimize(sum);
        ++i;
    }
}
BENCHMARK(BM_DecimalAdd);

// A two-operand operation whose second operand stays the same, as a ratio or a divisor does.
template <D (*Operation)(const D&, const D&)>
void DecimalByConstant(benchmark::State& state, const D constant) {
    std::int64_t i = 0;
    for (auto _ : state) {
        D result = Operation(Operand(i), constant);
        benchmark::DoNotOptimize(result);
        ++i;
    }
}
void BM_DecimalMultiply(benchmark::State& state) { DecimalByConstant<D::Multiply>(state, D(0, 3330)); }
BENCHMARK(BM_DecimalMultiply);
void BM_DecimalDivide(benchmark::State& state) { DecimalByConstant<D::Divide>(state, D::FromInteger(10000)); }
BENCHMARK(BM_DecimalDivide);

void BM_DecimalFromDouble(benchmark::State& state) {
    double x = 0.167;
    for (auto _ : state) {
        benchmark::DoNotOptimize(x);
        D value = D::FromDouble(x);
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(BM_DecimalFromDouble);

void BM_DecimalRound(benchmark::State& state) {
    std::int64_t i = 0;
    for (auto _ : state) {
        D value = Operand(i++);
        value.Round(HalfUp, 0);
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(BM_DecimalRound);

void BM_DecimalFromText(benchmark::State& state) {
    const char* texts[] = {"1,234,567", "-0.5", "99999999999.0000", "50004"};
    std::size_t i = 0;
    for (auto _ : state) {
        const char* text = texts[i++ & 3];
        benchmark::DoNotOptimize(text);
        D value = D::FromText(text);
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(BM_DecimalFromText);

void BM_DecimalFormatWhole(benchmark::State& state) {
    std::int64_t i = 0;
    char field[13];
    for (auto _ : state) {
        D::FormatWhole(Operand(i++), field, sizeof field);
        benchmark::DoNotOptimize(field);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DecimalFormatWhole);

void BM_DecimalFormatCurrencyWhole(benchmark::State& state) {
    std::int64_t i = 0;
    char field[13];
    for (auto _ : state) {
        D::FormatCurrencyWhole(123456789 + (i++ & 1023) * 10007, field, sizeof field);
        benchmark::DoNotOptimize(field);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DecimalFormatCurrencyWhole);

// Extracts every asset of the installation with `count` assets into `assets`.
void ExtractAll(int count, CAssetList& assets, StDATAINFO& data) {
    data = bench::StartSession(count);
    CAssetExtractor extractor;
    if (!extractor.Extract(assets, data, AllCategories)) {
        std::fprintf(stderr, "link-bench: the extraction failed\n");
        std::exit(2);
    }
}

// One output record of an asset of the given method code (7: the collective record of one asset).
void BM_OutputRecord(benchmark::State& state) {
    const auto method = static_cast<std::int16_t>(state.range(0));
    CAssetList all;
    StDATAINFO data{};
    ExtractAll(1000, all, data);
    CAssetList one;
    for (auto& snapshot : all)
        if (snapshot->asset.method == method) {
            one.push_back(std::move(snapshot));
            break;
        }
    if (one.empty()) {
        state.SkipWithError("no asset of this method in the installation");
        return;
    }
    CAssetExtractor extractor;
    COutputRecordList records;
    long built = 0;
    for (auto _ : state) {
        if (!COutputRecordBuilder().Build(one, records, data)) state.SkipWithError("out of memory");
        benchmark::DoNotOptimize(records.data());
        benchmark::ClobberMemory();
        built += static_cast<long>(records.size());
        // The stand-in logs every host call; a fresh log keeps the session's memory flat.
        if ((built & 4095) == 0) {
            state.PauseTiming();
            hostsim::UseInstallation(bench::ParsedInstallation(1000));
            state.ResumeTiming();
        }
    }
    state.counters["records"] = static_cast<double>(built);
}
BENCHMARK(BM_OutputRecord)->DenseRange(1, 8)->ArgName("method");

// Reading and parsing the installation file of the stand-in host.
void BM_LoadInstallation(benchmark::State& state) {
    const std::string path = bench::InstallationPath(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        hostsim::Installation installation;
        std::string error;
        if (!hostsim::LoadInstallation(path, installation, error)) state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(installation.dataFiles.data());
    }
    state.counters["per_asset"] =
        benchmark::Counter(static_cast<double>(state.range(0)),
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_LoadInstallation)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Extraction from the host's cursor plus record building, on a fresh host session each time.
void BM_ExtractAndBuild(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    bench::ParsedInstallation(count);
    std::size_t kept = 0;
    std::size_t output = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const StDATAINFO data = bench::StartSession(count);
        CAssetList assets;
        COutputRecordList records;
        state.ResumeTiming();
        CAssetExtractor extractor;
        if (!extractor.Extract(assets, data, AllCategories) || !COutputRecordBuilder().Build(assets, records, data))
            state.SkipWithError("extraction or record building failed");
        benchmark::DoNotOptimize(records.data());
        benchmark::ClobberMemory();
        kept = assets.size();
        output = records.size();
        state.PauseTiming();
        records.clear();
        assets.clear();
        state.ResumeTiming();
    }
    state.counters["kept"] = static_cast<double>(kept);
    state.counters["records"] = static_cast<double>(output);
    state.counters["per_asset"] = benchmark::Counter(
        static_cast<double>(count), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ExtractAndBuild)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
