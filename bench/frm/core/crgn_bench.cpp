// Region union and intersection of two regions of n random small rectangles each, for n =
// 1,000 and 10,000 (100 and 1,000 in a smoke run); the grid grows with n so that the density
// stays the same. Google Benchmark fits the growth (BigO). Intersection is A - (A - B), the
// region having no operation of its own for it.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include "frm/core/crgn.h"

namespace {

bool Smoke() { return std::getenv("VKO_BENCH_SMOKE") != nullptr; }

FRM_CRegion RandomRegion(std::int64_t n, unsigned seed)
{
    std::mt19937 random(seed);
    const auto side = static_cast<std::int32_t>(std::sqrt(static_cast<double>(n)) * 8);
    std::uniform_int_distribution<std::int32_t> at(0, side);
    std::uniform_int_distribution<std::int32_t> size(1, 8);
    FRM_CRegion region;
    for (std::int64_t i = 0; i < n; ++i) {
        const std::int32_t top = at(random), left = at(random);
        region.Add(FRM_CBounds(top, left, top + size(random), left + size(random)));
    }
    return region;
}

void BM_Region_Union(benchmark::State& state)
{
    const FRM_CRegion a = RandomRegion(state.range(0), 1);
    const FRM_CRegion b = RandomRegion(state.range(0), 2);
    for (auto _ : state) {
        FRM_CRegion result(a);
        result.Union(b);
        benchmark::DoNotOptimize(result.RectCount());
    }
    state.SetComplexityN(state.range(0));
    state.counters["rects"] = static_cast<double>(a.RectCount() + b.RectCount());
}

void BM_Region_Intersection(benchmark::State& state)
{
    const FRM_CRegion a = RandomRegion(state.range(0), 1);
    const FRM_CRegion b = RandomRegion(state.range(0), 2);
    for (auto _ : state) {
        FRM_CRegion onlyA(a);
        onlyA.Subtract(b);
        FRM_CRegion result(a);
        result.Subtract(onlyA);
        benchmark::DoNotOptimize(result.RectCount());
    }
    state.SetComplexityN(state.range(0));
}

void Sizes(benchmark::internal::Benchmark* bench)
{
    const std::int64_t scale = Smoke() ? 10 : 1;
    for (std::int64_t n : {1000, 2000, 5000, 10000})
        bench->Arg(n / scale);
    bench->Unit(benchmark::kMillisecond)->Complexity();
}

BENCHMARK(BM_Region_Union)->Apply(Sizes);
BENCHMARK(BM_Region_Intersection)->Apply(Sizes);

} // namespace
