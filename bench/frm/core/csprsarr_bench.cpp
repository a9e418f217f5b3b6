// The sparse array against std::unordered_map keyed by (row, column), in the same run: one
// million random sets and one million random gets over a 2000 x 2000 grid, then a walk over
// every entry (10,000 of each in a smoke run). Reports items per second.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <random>
#include <unordered_map>
#include <vector>
#include "frm/core/csprsarr.h"
#include "vkocoll/rwint.h"

namespace {

constexpr std::int32_t kSide = 2000;

bool Smoke() { return std::getenv("VKO_BENCH_SMOKE") != nullptr; }
std::size_t Operations() { return Smoke() ? 10000 : 1000000; }

// The same positions for every run, from a fixed seed.
struct Positions {
    std::vector<std::int32_t> rows, columns;
    Positions()
    {
        std::mt19937 random(20261209);
        std::uniform_int_distribution<std::int32_t> at(0, kSide - 1);
        for (std::size_t i = 0; i < 2 * Operations(); ++i) {
            rows.push_back(at(random));
            columns.push_back(at(random));
        }
    }
};
const Positions& Shared()
{
    static const Positions positions;
    return positions;
}

RWCollectable* Object()
{
    static RWCollectableInt object(1);
    return &object;
}

std::uint64_t Key(std::int32_t row, std::int32_t column)
{
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(row)) << 32) |
           static_cast<std::uint32_t>(column);
}

void BM_SparseArray_SetGet(benchmark::State& state)
{
    const Positions& p = Shared();
    const std::size_t n = Operations();
    for (auto _ : state) {
        FRM_CSparseArray array;
        for (std::size_t i = 0; i < n; ++i)
            array.Insert(Object(), p.rows[i], p.columns[i]);
        std::size_t found = 0;
        for (std::size_t i = n; i < 2 * n; ++i)
            found += array.GetContents(p.rows[i], p.columns[i]) != nullptr;
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * 2 * n));
}
BENCHMARK(BM_SparseArray_SetGet)->Unit(benchmark::kMillisecond);

void BM_UnorderedMap_SetGet(benchmark::State& state)
{
    const Positions& p = Shared();
    const std::size_t n = Operations();
    for (auto _ : state) {
        std::unordered_map<std::uint64_t, RWCollectable*> map;
        for (std::size_t i = 0; i < n; ++i)
            map.try_emplace(Key(p.rows[i], p.columns[i]), Object());
        std::size_t found = 0;
        for (std::size_t i = n; i < 2 * n; ++i)
            found += map.find(Key(p.rows[i], p.columns[i])) != map.end();
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * 2 * n));
}
BENCHMARK(BM_UnorderedMap_SetGet)->Unit(benchmark::kMillisecond);

void BM_SparseArray_Iterate(benchmark::State& state)
{
    const Positions& p = Shared();
    FRM_CSparseArray array;
    for (std::size_t i = 0; i < Operations(); ++i)
        array.Insert(Object(), p.rows[i], p.columns[i]);
    for (auto _ : state) {
        FRM_CSparseArrayIterator walk(array);
        std::int64_t sum = 0;
        std::int32_t row = 0, column = 0;
        while (walk.Next(&row, &column) != nullptr)
            sum += row + column;
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * array.GetNumEntries());
}
BENCHMARK(BM_SparseArray_Iterate)->Unit(benchmark::kMillisecond);

void BM_UnorderedMap_Iterate(benchmark::State& state)
{
    const Positions& p = Shared();
    std::unordered_map<std::uint64_t, RWCollectable*> map;
    for (std::size_t i = 0; i < Operations(); ++i)
        map.try_emplace(Key(p.rows[i], p.columns[i]), Object());
    for (auto _ : state) {
        std::int64_t sum = 0;
        for (const auto& [key, object] : map)
            sum += static_cast<std::int32_t>(key >> 32) + static_cast<std::int32_t>(key);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(map.size()));
}
BENCHMARK(BM_UnorderedMap_Iterate)->Unit(benchmark::kMillisecond);

} // namespace
