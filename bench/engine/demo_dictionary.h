// The WordNet demo the engine's long-search and memory benchmarks open: the build's own
// (<build>/demo, written with -DVKO_DEMO=ON) or the folder VKO_DEMO_DIR names; without
// either, a dictionary of the same shape is written into a temporary folder: 155,000
// entries, every tenth with an "-ing" word in the word list (15,500), "the" in the
// defining text of two in five (62,000) among three other words of a 20,000-word
// vocabulary (3,000 entries in a smoke run). The writing runs in a child process, so
// that the benchmark's own heap is not grown by it.
#pragma once

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include <benchmark/benchmark.h>

#include "engine/datafiles.h"
#include "engine/engine.h"
#include "tools/dictwriter/data_writer.h"
#include "tools/dictwriter/dictwriter.h"

namespace demo_dictionary {

constexpr char kMainName[] = "demo";   // the demo's main pair, under its data folder

inline bool exists(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

// A made-up word for number n: letters only, distinct for distinct n.
inline std::string made_up_word(std::size_t n)
{
    std::string word;
    do {
        word += static_cast<char>('a' + n % 26);
        n /= 26;
    } while (n != 0);
    return word + "ox";
}

inline bool write_same_shape(const std::string& base_path, std::string* problem)
{
    const std::size_t entries = std::getenv("VKO_BENCH_SMOKE") != nullptr ? 3000 : 155000;
    dictwriter::DictionarySource source;
    source.header = "the definitions of the dictionary";
    for (std::size_t i = 0; i < entries; ++i) {
        dictwriter::SourceEntry entry;
        entry.head_word = made_up_word(i * 7 + 100000);
        entry.fields = dictwriter::encode_field_stream({{0x81, entry.head_word}});
        entry.terms.push_back({"va", entry.head_word});
        if (i % 10 == 0)
            entry.terms.push_back({"va", entry.head_word + "ing"});
        if (i % 5 < 2)
            entry.terms.push_back({"df", "the"});
        for (std::size_t k = 1; k <= 3; ++k)
            entry.terms.push_back({"df", made_up_word((i * 31 + k * 7919) % 20000)});
        source.entries.push_back(std::move(entry));
    }
    return dictwriter::write_dictionary(source, base_path, nullptr, problem);
}

// write_same_shape in a child process; the child's problem comes back through a pipe.
inline bool write_same_shape_apart(const std::string& base_path, std::string* problem)
{
    int pipe_ends[2];
    if (pipe(pipe_ends) != 0) {
        *problem = "cannot make a pipe";
        return false;
    }
    const pid_t child = fork();
    if (child == 0) {
        close(pipe_ends[0]);
        std::string child_problem;
        const bool written = write_same_shape(base_path, &child_problem);
        if (!written && write(pipe_ends[1], child_problem.data(), child_problem.size()) < 0)
            _exit(2);
        _exit(written ? 0 : 1);
    }
    close(pipe_ends[1]);
    char text[512];
    ssize_t got = 0;
    while (child > 0 && (got = read(pipe_ends[0], text, sizeof text)) > 0)
        problem->append(text, static_cast<std::size_t>(got));
    close(pipe_ends[0]);
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) {
        *problem = "cannot start the dictionary writer";
        return false;
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
        return true;
    if (problem->empty())
        *problem = "the dictionary writer stopped";
    return false;
}

struct Demo {
    std::string data_dir;   // ends with '/'
    std::string temporary;  // removed at exit; empty for the build's demo
    std::string problem;
};

inline const Demo& demo()
{
    static Demo* made = [] {
        auto* d = new Demo;
        const char* named = std::getenv("VKO_DEMO_DIR");
        const std::string dir = named != nullptr ? named : VKO_BUILD_DEMO_DIR;
        if (exists(dir + "/data/" + kMainName + ".ndx")) {
            d->data_dir = dir + "/data/";
            return d;
        }
        char templ[] = "/tmp/vko_long_search_XXXXXX";
        if (mkdtemp(templ) == nullptr) {
            d->problem = "cannot make a temporary folder";
            return d;
        }
        d->temporary = templ;
        std::atexit([] { std::system(("rm -rf '" + demo().temporary + "'").c_str()); });
        if (write_same_shape_apart(d->temporary + "/" + kMainName, &d->problem))
            d->data_dir = d->temporary + "/";
        return d;
    }();
    return *made;
}

// Opens the demo's main pair afresh (nothing decoded); false, with the error set, when
// it cannot.
inline bool open_demo(benchmark::State& state)
{
    const Demo& d = demo();
    if (d.data_dir.empty() || OpenDictionary(d.data_dir.c_str(), kMainName) == 0) {
        state.SkipWithError(("no demo dictionary: " + d.problem).c_str());
        return false;
    }
    return true;
}

// The query and its hits, as the search window collects them.
inline void search(benchmark::State& state, const char* query)
{
    ResultList* found = nullptr;
    RunQuery(&found, query);
    const std::unique_ptr<ResultList> owned(found);
    RWOrdered hits;
    long all = 0;
    if (owned)
        CollectHits(owned.get(), 0, &hits, &all);
    state.counters["hits"] = static_cast<double>(all);
    state.counters["listed"] = static_cast<double>(hits.entries());
    hits.clearAndDestroy();
}

} // namespace demo_dictionary
