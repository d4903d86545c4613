// Conversions run for every field read and every results text; they must stay cheap.
#include "core/Numbers.h"
#include "core/RegionalSettings.h"

#include <benchmark/benchmark.h>

static void BM_TextToNumber(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(TextToNumber("0.190000002980232", "0.00"));
}
BENCHMARK(BM_TextToNumber);

static void BM_DoubleText(benchmark::State &state)
{
    const FixedRegionalSettings regional = FixedRegionalSettings::ptBR();
    double v = 0.2f - 0.01;
    for (auto _ : state)
        benchmark::DoNotOptimize(DoubleText(v, regional));
}
BENCHMARK(BM_DoubleText);
