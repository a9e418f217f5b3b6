// dictd_bench.cpp: the engine against dictd, the DICT server a Linux user would pick for
// the same data, on Debian's WordNet (the dict-wn package). The benchmark converts
// dict-wn's index and text into a source for the writer (one entry per index line, its
// word a "va" term, a header of pieces of the text), writes the dictionary, starts dictd on 127.0.0.1 with dict-wn alone,
// holds one connection to it and stops it by its process id at the end. Each benchmark
// does the same search on both sides in every iteration: the engine's side is timed, the
// server's side is the CPU time its connection process spent (read from /proc), so that
// the protocol and the socket are out of the figure. ratio = engine / dictd.
//
// Without dictd or dict-wn (scripts/install-deps installs both) every benchmark is skipped
// with a message. VKO_BENCH_SMOKE=1 writes every 50th entry only.
#include <arpa/inet.h>
#include <dirent.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <zlib.h>

#include "engine/datafiles.h"
#include "engine/entrytext.h"
#include "engine/resultlist.h"
#include "engine/scan.h"
#include "engine/wordindex.h"
#include "tools/dictwriter/data_writer.h"
#include "tools/dictwriter/dictwriter.h"

namespace {

constexpr char kDictd[] = "/usr/sbin/dictd";
constexpr char kWordNetIndex[] = "/usr/share/dictd/wn.index";
constexpr char kWordNetData[] = "/usr/share/dictd/wn.dict.dz";
constexpr int kStartSeconds = 30;   // how long the server may take to answer its first line

bool smoke() { return std::getenv("VKO_BENCH_SMOKE") != nullptr; }

bool file_exists(const char* path)
{
    struct stat info {};
    return stat(path, &info) == 0;
}

std::uint64_t file_size(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
}

// dictd's index numbers: base 64, most significant digit first.
std::uint64_t decode_b64(const std::string& digits)
{
    static const std::string alphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::uint64_t value = 0;
    for (char c : digits)
        value = value * 64 + alphabet.find(c);
    return value;
}

// The whole text of the dictzip file (a gzip file that zlib reads as it is).
bool read_dictzip(const char* path, std::string* text)
{
    gzFile file = gzopen(path, "rb");
    if (file == nullptr)
        return false;
    char buffer[1 << 16];
    int n = 0;
    while ((n = gzread(file, buffer, sizeof buffer)) > 0)
        text->append(buffer, static_cast<std::size_t>(n));
    return gzclose(file) == Z_OK && n == 0;
}

// The dictionary header, which is the entry decoder's preset: the format's place for text
// that every block shares. Pieces taken evenly from the whole text stand for the phrases
// its definitions repeat (the data file holds them once; blocks refer back to them).
std::string preset_from(const std::string& text)
{
    constexpr std::size_t kPieceBytes = 128;
    constexpr std::size_t kPieces = 16000 / kPieceBytes;
    std::string preset;
    const std::size_t step = text.size() / kPieces;
    for (std::size_t i = 0; i < kPieces && step >= kPieceBytes; ++i)
        preset.append(text, i * step, kPieceBytes);
    return preset;
}

// dict-wn as a writer source: each index line an entry (its text the definition), its
// word a "va" term, the header made from the text (preset_from), blocks as the writer
// makes them by default. dictd's own "00-database-" entries are left out; so are words the
// writer cannot hold. In a smoke run only every 50th entry.
bool wordnet_source(dictwriter::DictionarySource* source, std::vector<std::string>* words,
                    std::string* error)
{
    std::string text;
    if (!read_dictzip(kWordNetData, &text)) {
        *error = "cannot read " + std::string(kWordNetData);
        return false;
    }
    std::ifstream index(kWordNetIndex);
    const std::size_t every = smoke() ? 50 : 1;
    std::size_t line_number = 0;
    source->header = preset_from(text);
    for (std::string line; std::getline(index, line); ++line_number) {
        std::istringstream fields(line);
        std::string word, offset, length;
        if (!std::getline(fields, word, '\t') || !std::getline(fields, offset, '\t') ||
            !std::getline(fields, length, '\t'))
            continue;
        if (word.rfind("00-database-", 0) == 0 || word.empty() ||
            word.size() >= kWordBufferSize || line_number % every != 0)
            continue;
        const std::uint64_t at = decode_b64(offset);
        const std::uint64_t size = decode_b64(length);
        if (at + size > text.size() || size > 65000)
            continue;
        dictwriter::SourceEntry entry;
        entry.head_word = word;
        entry.fields = dictwriter::encode_field_stream({{0x81, text.substr(at, size)}});
        entry.terms.push_back({"va", word});
        source->entries.push_back(std::move(entry));
        words->push_back(word);
    }
    if (source->entries.empty()) {
        *error = "no entries in " + std::string(kWordNetIndex);
        return false;
    }
    return true;
}

// CPU time a process has spent, in nanoseconds; -1 when it cannot be read.
std::int64_t process_cpu_ns(pid_t pid)
{
    std::ifstream schedstat("/proc/" + std::to_string(pid) + "/schedstat");
    std::int64_t ns = -1;
    if (schedstat >> ns)
        return ns;
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    const std::size_t close = line.rfind(')');
    if (close == std::string::npos)
        return -1;
    std::istringstream rest(line.substr(close + 2));
    std::string field;
    std::int64_t utime = 0, stime = 0;
    for (int i = 3; i <= 15 && rest >> field; ++i) {
        if (i == 14)
            utime = std::stoll(field);
        if (i == 15)
            stime = std::stoll(field);
    }
    return (utime + stime) * (1000000000 / sysconf(_SC_CLK_TCK));
}

// The child of parent (dictd serves each connection in a process of its own); 0 if none.
pid_t child_of(pid_t parent)
{
    DIR* proc = opendir("/proc");
    if (proc == nullptr)
        return 0;
    pid_t found = 0;
    while (dirent* entry = readdir(proc)) {
        const pid_t pid = static_cast<pid_t>(std::atoi(entry->d_name));
        if (pid <= 0)
            continue;
        std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
        std::string line;
        std::getline(stat, line);
        const std::size_t close = line.rfind(')');
        if (close == std::string::npos)
            continue;
        std::istringstream rest(line.substr(close + 2));
        std::string state;
        pid_t ppid = 0;
        if (rest >> state >> ppid && ppid == parent) {
            found = pid;
            break;
        }
    }
    closedir(proc);
    return found;
}

// A free TCP port on 127.0.0.1, as the kernel hands one out.
int free_port()
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    close(fd);
    return port;
}

// dictd on 127.0.0.1 with dict-wn only, in the foreground as a child of this process,
// and one connection to it. Stopped by its process id when destroyed.
class DictServer {
public:
    DictServer(const std::string& dir, std::string* error)
    {
        const int port = free_port();
        const std::string config = dir + "/dictd.conf";
        // dictd's limits (2,000 matches or queries a connection by default) would cut the
        // benchmark's searches short.
        std::ofstream(config) << "global {\n  listen_to 127.0.0.1\n  limit_matches 0\n"
                              << "  limit_definitions 0\n  limit_queries 0\n  limit_time 0\n}\n"
                              << "access {\n  allow 127.0.0.1\n}\n"
                              << "database wn {\n  data \"" << kWordNetData << "\"\n  index \""
                              << kWordNetIndex << "\"\n}\n";
        const std::string pid_file = dir + "/dictd.pid";
        itsServer = fork();
        if (itsServer == 0) {
            // Its start and stop lines would land among the benchmark's.
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
            const std::string port_text = std::to_string(port);
            execl(kDictd, kDictd, "-c", config.c_str(), "-p", port_text.c_str(), "--listen-to",
                  "127.0.0.1", "-d", "nodetach", "--pid-file", pid_file.c_str(),
                  static_cast<char*>(nullptr));
            _exit(127);
        }
        if (itsServer < 0) {
            *error = "cannot start dictd";
            return;
        }
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(kStartSeconds);
        while (std::chrono::steady_clock::now() < give_up) {
            itsSocket = socket(AF_INET, SOCK_STREAM, 0);
            if (connect(itsSocket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
                const int on = 1;
                setsockopt(itsSocket, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
                break;
            }
            close(itsSocket);
            itsSocket = -1;
            if (waitpid(itsServer, nullptr, WNOHANG) == itsServer) {
                itsServer = 0;
                *error = "dictd ended at its start";
                return;
            }
            usleep(20000);
        }
        if (itsSocket < 0 || read_reply().rfind("220", 0) != 0) {
            *error = "dictd did not answer on 127.0.0.1";
            return;
        }
        itsConnection = child_of(itsServer);
        if (itsConnection == 0 || process_cpu_ns(itsConnection) < 0)
            *error = "cannot read the CPU time of dictd's connection process";
    }

    ~DictServer()
    {
        if (itsSocket >= 0) {
            send_line("QUIT");
            close(itsSocket);
        }
        if (itsServer > 0) {
            kill(itsServer, SIGTERM);
            waitpid(itsServer, nullptr, 0);
        }
    }

    DictServer(const DictServer&) = delete;
    DictServer& operator=(const DictServer&) = delete;

    // Sends a command and reads the whole reply; returns the number of the first status
    // line's "n matches found" / "n definitions retrieved" (0 when none).
    long command(const std::string& line)
    {
        send_line(line);
        long count = 0;
        while (true) {
            const std::string status = read_reply();
            if (status.size() < 4 || status[3] != ' ')
                return count;
            if (status.rfind("150", 0) == 0 || status.rfind("152", 0) == 0)
                count = std::atol(status.c_str() + 4);
            if (status[0] != '1')
                return count;
            // A text follows: lines up to a lone ".".
            while (true) {
                const std::string text = read_line();
                if (text == "." || text.empty())
                    break;
            }
        }
    }

    std::int64_t cpu_ns() const { return process_cpu_ns(itsConnection); }

private:
    void send_line(const std::string& line)
    {
        const std::string out = line + "\r\n";
        if (send(itsSocket, out.data(), out.size(), MSG_NOSIGNAL) !=
            static_cast<ssize_t>(out.size()))
            std::fprintf(stderr, "dictd: cannot send %s\n", line.c_str());
    }

    // One line without its end; empty when the connection ends.
    std::string read_line()
    {
        while (true) {
            const std::size_t end = itsBuffer.find("\r\n", itsStart);
            if (end != std::string::npos) {
                std::string line = itsBuffer.substr(itsStart, end - itsStart);
                itsStart = end + 2;
                return line;
            }
            itsBuffer.erase(0, itsStart);
            itsStart = 0;
            // Acknowledge at once: the server writes a reply in pieces, and a delayed
            // acknowledgement would hold each next piece back (Nagle's rule) for tens of
            // milliseconds. The setting lasts until the next read, so it is set each time.
            const int on = 1;
            setsockopt(itsSocket, IPPROTO_TCP, TCP_QUICKACK, &on, sizeof on);
            char chunk[1 << 16];
            const ssize_t n = read(itsSocket, chunk, sizeof chunk);
            if (n <= 0)
                return std::string();
            itsBuffer.append(chunk, static_cast<std::size_t>(n));
        }
    }

    // A status line (three digits and a space or a dash).
    std::string read_reply() { return read_line(); }

    pid_t itsServer = 0;
    pid_t itsConnection = 0;
    int itsSocket = -1;
    std::string itsBuffer;
    std::size_t itsStart = 0;
};

struct Setup {
    std::string skip;   // why the benchmarks cannot run; empty when they can
    std::string dir;
    std::vector<std::string> words;
    std::uint64_t data_bytes = 0;
    std::uint64_t index_bytes = 0;
    DictServer* server = nullptr;
};

const Setup& setup()
{
    static Setup* made = [] {
        auto* s = new Setup;
        if (!file_exists(kDictd) || !file_exists(kWordNetIndex) || !file_exists(kWordNetData)) {
            s->skip = "dictd or dict-wn is not installed (scripts/install-deps installs them)";
            return s;
        }
        char dir[] = "/tmp/dictd_benchXXXXXX";
        if (mkdtemp(dir) == nullptr) {
            s->skip = "cannot make a temporary directory";
            return s;
        }
        chmod(dir, 0755);   // dictd reads its configuration after dropping its privileges
        s->dir = dir;
        std::atexit([] {
            delete setup().server;
            std::system(("rm -rf '" + setup().dir + "'").c_str());
        });
        dictwriter::DictionarySource source;
        dictwriter::WrittenDictionary written;
        if (!wordnet_source(&source, &s->words, &s->skip) ||
            !dictwriter::write_dictionary(source, s->dir + "/wn", &written, &s->skip))
            return s;
        s->data_bytes = file_size(s->dir + "/wn.cmp");
        s->index_bytes = file_size(s->dir + "/wn.ndx");
        if (DataFilesPresent("", (s->dir + "/wn").c_str()) != 0) {
            s->skip = "cannot open the converted dictionary";
            return s;
        }
        s->server = new DictServer(s->dir, &s->skip);
        return s;
    }();
    return *made;
}

// Runs engine_op and the dictd command side by side in every iteration; reports the
// engine's time and dictd's CPU time per operation, their ratio and the two counts.
template <typename EngineOp, typename DictCommand>
void versus_dictd(benchmark::State& state, EngineOp engine_op, DictCommand dict_command)
{
    const Setup& s = setup();
    if (!s.skip.empty()) {
        state.SkipWithError(s.skip.c_str());
        return;
    }
    using Clock = std::chrono::steady_clock;
    Clock::duration engine_time{};
    long engine_found = 0;
    long dictd_found = 0;
    std::size_t i = 0;
    const std::int64_t cpu_before = s.server->cpu_ns();
    for (auto _ : state) {
        const auto t0 = Clock::now();
        engine_found = engine_op(i);
        engine_time += Clock::now() - t0;
        dictd_found = s.server->command(dict_command(i));
        ++i;
    }
    const double n = static_cast<double>(state.iterations());
    const double engine_us = std::chrono::duration<double, std::micro>(engine_time).count() / n;
    const double dictd_us = static_cast<double>(s.server->cpu_ns() - cpu_before) / 1000.0 / n;
    state.counters["engine_us"] = engine_us;
    state.counters["dictd_cpu_us"] = dictd_us;
    state.counters["ratio"] = dictd_us > 0 ? engine_us / dictd_us : 0;
    state.counters["engine_found"] = static_cast<double>(engine_found);
    state.counters["dictd_found"] = static_cast<double>(dictd_found);
}

// The sizes of the two sides' files for the same text: the data file against dictd's
// dictzip file, the index against dictd's index.
void BM_Dictd_FileSizes(benchmark::State& state)
{
    const Setup& s = setup();
    if (!s.skip.empty()) {
        state.SkipWithError(s.skip.c_str());
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(s.data_bytes);
    state.counters["data_bytes"] = static_cast<double>(s.data_bytes);
    state.counters["index_bytes"] = static_cast<double>(s.index_bytes);
    state.counters["dictd_data_bytes"] = static_cast<double>(file_size(kWordNetData));
    state.counters["dictd_index_bytes"] = static_cast<double>(file_size(kWordNetIndex));
    state.counters["entries"] = static_cast<double>(s.words.size());
}

// The words looked up: spread over the whole list, the same on both sides.
const std::string& word_at(std::size_t i)
{
    const std::vector<std::string>& words = setup().words;
    return words[(i * 7919) % words.size()];
}

std::string quoted(const std::string& word)
{
    return "\"" + word + "\"";
}

long engine_scan(const char* pattern)
{
    ResultList list;
    regex_scan(&list, pattern, "va", kBlockSize);
    return static_cast<long>(list.values.count());
}

void BM_Dictd_ExactLookup(benchmark::State& state)
{
    versus_dictd(
        state,
        [](std::size_t i) {
            ResultList list;
            return static_cast<long>(find_word(&list, word_at(i).c_str(), "va", kBlockSize));
        },
        [](std::size_t i) { return "MATCH wn exact " + quoted(word_at(i)); });
}

void BM_Dictd_LookupWithText(benchmark::State& state)
{
    versus_dictd(
        state,
        [](std::size_t i) {
            ResultList list;
            if (find_word(&list, word_at(i).c_str(), "va", kBlockSize) == 0)
                return 0L;
            benchmark::DoNotOptimize(entry_text(list.first_value(), kBlockSize));
            return 1L;
        },
        [](std::size_t i) { return "DEFINE wn " + quoted(word_at(i)); });
}

void BM_Dictd_WildcardTion_Suffix(benchmark::State& state)
{
    versus_dictd(
        state, [](std::size_t) { return engine_scan("*tion"); },
        [](std::size_t) { return std::string("MATCH wn suffix tion"); });
}

void BM_Dictd_WildcardTion_Regex(benchmark::State& state)
{
    versus_dictd(
        state, [](std::size_t) { return engine_scan("*tion"); },
        [](std::size_t) { return std::string("MATCH wn re \"tion$\""); });
}

void BM_Dictd_RegexQuK(benchmark::State& state)
{
    versus_dictd(
        state, [](std::size_t) { return engine_scan("^qu.*k"); },
        [](std::size_t) { return std::string("MATCH wn re \"^qu.*k\""); });
}

BENCHMARK(BM_Dictd_FileSizes)->Iterations(1);
BENCHMARK(BM_Dictd_ExactLookup)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Dictd_LookupWithText)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Dictd_WildcardTion_Suffix)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Dictd_WildcardTion_Regex)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Dictd_RegexQuK)->Unit(benchmark::kMillisecond);

} // namespace
