// bookmark_bench.cpp: loading and saving "BookMark.kq" with n bookmarks spread over n/20
// folders (half of them at top level, half one level down), for n = 1,000 and 10,000, to
// show how the times grow. The file lives in a fresh folder under /tmp.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/shell/bookmark_store.h"

namespace {

// A folder under /tmp holding a bookmark file of n bookmarks; removed at the end.
class BookmarkFolder {
public:
    explicit BookmarkFolder(int bookmarks)
    {
        char pattern[] = "/tmp/vko_bench_XXXXXX";
        if (mkdtemp(pattern) == nullptr)
            return;
        itsPath = pattern;
        store.Load(itsPath);
        const int folders = bookmarks / 20;
        std::vector<BMItem*> made;
        for (int f = 0; f < folders; ++f) {
            BMItem* parent = f % 2 == 1 ? made[static_cast<std::size_t>(f - 1)] : nullptr;
            made.push_back(store.AddFolder(parent, "Folder " + std::to_string(f)));
        }
        // Filled in memory, written once: adding saves after every entry.
        for (int b = 0; b < bookmarks; ++b) {
            BMItem* folder = made[static_cast<std::size_t>(b % folders)];
            auto entry = std::make_unique<BMItem>();
            entry->path = folder->path;
            entry->name = "headword" + std::to_string(b);
            entry->text = "Dorvane-Kestle's Orlesse Dictionary";
            entry->parent = folder;
            folder->children.push_back(std::move(entry));
        }
        ok = store.Save() == 1;
    }
    ~BookmarkFolder()
    {
        std::error_code code;
        if (!itsPath.empty())
            std::filesystem::remove_all(itsPath, code);
    }
    const std::string& path() const { return itsPath; }

    BookmarkStore store;
    bool ok = false;

private:
    std::string itsPath;
};

void BM_LoadBookmarks(benchmark::State& state)
{
    BookmarkFolder folder(static_cast<int>(state.range(0)));
    if (!folder.ok) {
        state.SkipWithError("cannot write the bookmark file");
        return;
    }
    BookmarkStore store;
    for (auto _ : state)
        benchmark::DoNotOptimize(store.Load(folder.path()));
}

void BM_SaveBookmarks(benchmark::State& state)
{
    BookmarkFolder folder(static_cast<int>(state.range(0)));
    if (!folder.ok) {
        state.SkipWithError("cannot write the bookmark file");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(folder.store.Save());
}

BENCHMARK(BM_LoadBookmarks)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveBookmarks)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
