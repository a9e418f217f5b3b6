// Tests of the registry, shell and sound services: the browser keys follow the opener on
// PATH, "open" starts it for real with the address, and sound images are checked within
// their declared size.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "../vkobase/test_deadline.h"
#include "vkobase/testing.h"
#include "win32/registry.h"
#include "win32/shell.h"
#include "win32/sound.h"
#include "win32/testing.h"

namespace {

// A scratch directory holding a fake xdg-open that writes its arguments to a file, put
// first on PATH for the test.
class ShellSoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        vkov_test_reset_all();
        win32_test_reset();
        char tmpl[] = "/tmp/vko_win32_XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir_ = tmpl;
        const char *path = std::getenv("PATH");
        old_path_ = path != nullptr ? path : "";
    }
    void TearDown() override {
        setenv("PATH", old_path_.c_str(), 1);
        win32_test_reset();
        vkov_test_reset_all();
        std::system(("rm -rf " + dir_).c_str());
    }
    void install_opener() {
        const std::string script = dir_ + "/xdg-open";
        std::ofstream(script) << "#!/bin/sh\nPATH=/usr/bin:/bin\npwd > \"" << dir_
                              << "/args.tmp\"\n"
                              << "echo \"$@\" >> \"" << dir_ << "/args.tmp\"\n"
                              << "mv \"" << dir_ << "/args.tmp\" \"" << dir_ << "/args\"\n";
        ASSERT_EQ(chmod(script.c_str(), 0755), 0);
        setenv("PATH", dir_.c_str(), 1); // the opener is the only one PATH can find
    }
    void no_opener() { setenv("PATH", dir_.c_str(), 1); }

    std::string dir_;
    std::string old_path_;
};

// Reads the browser key's default value as the program does: open, read into 512 bytes.
struct RegRead {
    LONG open;
    LONG query;
    DWORD type;
    std::string value;
};
RegRead read_key(const char *sub_key, DWORD buf_size = 512) {
    RegRead r{};
    HKEY key = nullptr;
    r.open = RegOpenKeyExA(HKEY_CLASSES_ROOT, sub_key, 0, KEY_QUERY_VALUE, &key);
    if (r.open != ERROR_SUCCESS)
        return r;
    std::vector<BYTE> buf(buf_size);
    DWORD size = buf_size;
    r.query = RegQueryValueExA(key, nullptr, nullptr, &r.type, buf.data(), &size);
    if (r.query == ERROR_SUCCESS)
        r.value = reinterpret_cast<const char *>(buf.data());
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    return r;
}

TEST_F(ShellSoundTest, BrowserKeysExistExactlyWhenAnOpenerIsOnPath) {
    install_opener();
    const std::string command = "\"" + dir_ + "/xdg-open\" \"%1\"";
    struct Case {
        const char *why;
        const char *key;
        LONG open;
    };
    const Case cases[] = {
        {"html files", "htmlfile\\shell\\open\\command", ERROR_SUCCESS},
        {"http", "http\\shell\\open\\command", ERROR_SUCCESS},
        {"https, any case", "HTTPS\\Shell\\Open\\Command", ERROR_SUCCESS},
        {"another key", "txtfile\\shell\\open\\command", ERROR_FILE_NOT_FOUND},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        const RegRead r = read_key(c.key);
        EXPECT_EQ(r.open, c.open);
        if (c.open == ERROR_SUCCESS) {
            EXPECT_EQ(r.query, ERROR_SUCCESS);
            EXPECT_EQ(r.type, REG_SZ);
            EXPECT_EQ(r.value, command);
        }
    }
    EXPECT_EQ(read_key("http\\shell\\open\\command", 8).query, ERROR_MORE_DATA);
    int not_a_key = 0;
    EXPECT_EQ(RegCloseKey(reinterpret_cast<HKEY>(&not_a_key)), ERROR_INVALID_HANDLE);

    no_opener();
    std::remove((dir_ + "/xdg-open").c_str());
    EXPECT_EQ(read_key("http\\shell\\open\\command").open, ERROR_FILE_NOT_FOUND);
}

TEST_F(ShellSoundTest, ShellOpen_StartsTheOpenerWithTheAddress) {
    install_opener();
    // Test mode records.
    EXPECT_GT(reinterpret_cast<ULONG_PTR>(
                  ShellExecuteA(nullptr, "open", "http://a.example/", nullptr, nullptr, 1)),
              32u);
    ASSERT_EQ(win32_test_shell_count(), 1);
    EXPECT_STREQ(win32_test_shell_file(0), "http://a.example/");
    EXPECT_EQ(
        reinterpret_cast<ULONG_PTR>(ShellExecuteA(nullptr, "print", "x", nullptr, nullptr, 1)),
        static_cast<ULONG_PTR>(SE_ERR_NOASSOC));

    // Live: the opener really runs, in the given directory, with the address as argument.
    win32_test_set_live_shell(TRUE);
    EXPECT_GT(reinterpret_cast<ULONG_PTR>(ShellExecuteA(nullptr, "open", "https://b.example/?q=1 2",
                                                        nullptr, "/", SW_SHOWNORMAL)),
              32u);
    const std::string args_file = dir_ + "/args";
    std::string contents;
    // The opener writes the file whole (a rename): the wait ends once it is there.
    const bool written = vkotest::wait_until([&] {
        std::ifstream in(args_file);
        std::stringstream ss;
        ss << in.rdbuf();
        contents = ss.str();
        return !contents.empty();
    });
    EXPECT_TRUE(written) << "the opener never wrote " << args_file;
    EXPECT_EQ(contents, "/\nhttps://b.example/?q=1 2\n");

    no_opener();
    std::remove((dir_ + "/xdg-open").c_str());
    EXPECT_EQ(reinterpret_cast<ULONG_PTR>(
                  ShellExecuteA(nullptr, "open", "http://c", nullptr, nullptr, 1)),
              static_cast<ULONG_PTR>(SE_ERR_NOASSOC));
}

// What the opener does when it ends decides: one that gives up (xdg-open with no browser set up
// says so on standard error and exits 3) is a failure the program can show; one that ends well
// has started the browser. The grace is made generous (scaled) here: the answer then waits for
// the opener's end, however late a busy machine lets it come, not for a time it must come in.
TEST_F(ShellSoundTest, ShellOpen_AnOpenerThatGivesUpIsAFailure) {
    struct Case {
        const char *why;
        const char *body;
        bool started;
    };
    const Case cases[] = {
        {"no browser set up", "echo 'xdg-open: no method available' >&2; exit 3", false},
        {"killed", "kill -9 $$", false},
        {"opened and ended", "exit 0", true},
    };
    win32_test_set_live_shell(TRUE);
    win32_test_set_opener_grace(static_cast<int32_t>(60000 * vkotest::time_scale()));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        const std::string script = dir_ + "/xdg-open";
        std::ofstream(script) << "#!/bin/sh\nPATH=/usr/bin:/bin\n" << c.body << "\n";
        ASSERT_EQ(chmod(script.c_str(), 0755), 0);
        setenv("PATH", dir_.c_str(), 1);
        const auto code = reinterpret_cast<ULONG_PTR>(
            ShellExecuteA(nullptr, "open", "http://d.example/", nullptr, nullptr, SW_SHOWNORMAL));
        EXPECT_EQ(code > 32, c.started) << code;
    }
}

// An opener still running when the grace is over has its browser in the foreground: the
// browser counts as started, and the answer comes while the opener runs on. This opener ends
// only when the test tells it to (or, should the answer never come, after a long while).
TEST_F(ShellSoundTest, ShellOpen_AnOpenerStillRunningAfterTheGraceHasStarted) {
    const std::string go = dir_ + "/go", ended = dir_ + "/ended";
    const int polls = static_cast<int>(120 * 20 * vkotest::time_scale());
    const std::string script = dir_ + "/xdg-open";
    std::ofstream(script) << "#!/bin/sh\nPATH=/usr/bin:/bin\ni=0\n"
                          << "while [ ! -e '" << go << "' ] && [ $i -lt " << polls << " ]; do\n"
                          << "  sleep 0.05; i=$((i+1))\ndone\ntouch '" << ended << "'\n";
    ASSERT_EQ(chmod(script.c_str(), 0755), 0);
    setenv("PATH", dir_.c_str(), 1);
    win32_test_set_live_shell(TRUE);
    const auto code = reinterpret_cast<ULONG_PTR>(
        ShellExecuteA(nullptr, "open", "http://e.example/", nullptr, nullptr, SW_SHOWNORMAL));
    EXPECT_GT(code, 32u);
    EXPECT_NE(access(ended.c_str(), F_OK), 0) << "the answer waited for the opener to end";
    std::ofstream{go};
    EXPECT_TRUE(vkotest::wait_until([&] { return access(ended.c_str(), F_OK) == 0; }))
        << "the opener never saw " << go;
}

// Builds a RIFF WAVE image of PCM samples; riff_size_delta corrupts the declared size.
std::vector<unsigned char> wave(uint16_t channels, uint32_t rate, uint16_t bits,
                                uint32_t data_bytes, int32_t riff_size_delta = 0,
                                uint16_t format_tag = 1) {
    std::vector<unsigned char> img;
    auto u16 = [&](uint32_t v) {
        img.push_back(static_cast<unsigned char>(v));
        img.push_back(static_cast<unsigned char>(v >> 8));
    };
    auto u32 = [&](uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    auto tag = [&](const char *t) { img.insert(img.end(), t, t + 4); };
    tag("RIFF");
    u32(static_cast<uint32_t>(4 + 8 + 16 + 8 + data_bytes + (data_bytes & 1) + riff_size_delta));
    tag("WAVE");
    tag("fmt ");
    u32(16);
    u16(format_tag);
    u16(channels);
    u32(rate);
    u32(rate * channels * bits / 8);
    u16(static_cast<uint16_t>(channels * bits / 8));
    u16(bits);
    tag("data");
    u32(data_bytes);
    img.insert(img.end(), data_bytes + (data_bytes & 1), 0x80);
    return img;
}

TEST_F(ShellSoundTest, SoundImages_AreCheckedWithinTheirDeclaredSize) {
    struct Case {
        const char *why;
        std::vector<unsigned char> image;
        bool played;
    };
    std::vector<unsigned char> not_riff = wave(1, 8000, 8, 10);
    not_riff[0] = 'X';
    std::vector<unsigned char> data_too_long = wave(1, 8000, 8, 10);
    data_too_long[40] = 200; // the data chunk claims more than the image holds
    const Case cases[] = {
        {"mono 8-bit", wave(1, 8000, 8, 101), true},
        {"stereo 16-bit", wave(2, 22050, 16, 400), true},
        {"not RIFF", not_riff, false},
        {"data chunk beyond the image", data_too_long, false},
        {"declared size cuts the data chunk", wave(1, 8000, 8, 100, -50), false},
        {"not PCM", wave(1, 8000, 8, 10, 0, 2), false},
    };
    int32_t expected_count = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        // Copy the image into a block no longer than its declared size, so the address
        // sanitizer catches any read beyond it.
        const uint32_t declared =
            c.image[4] | c.image[5] << 8 | c.image[6] << 16 | c.image[7] << 24;
        std::vector<unsigned char> exact(
            c.image.begin(), c.image.begin() + std::min<size_t>(c.image.size(), declared + 8u));
        EXPECT_EQ(sndPlaySoundA(reinterpret_cast<LPCSTR>(exact.data()), SND_MEMORY) != FALSE,
                  c.played);
        if (c.played)
            ++expected_count;
        EXPECT_EQ(win32_test_sound_count(), expected_count);
    }
    win32_sound_record rec{};
    ASSERT_TRUE(win32_test_sound(1, &rec));
    EXPECT_EQ(rec.channels, 2);
    EXPECT_EQ(rec.sample_rate, 22050u);
    EXPECT_EQ(rec.bits_per_sample, 16);
    EXPECT_EQ(rec.data_bytes, 400u);
    EXPECT_EQ(rec.image_bytes, 44u + 400u);
    EXPECT_EQ(rec.flags, SND_MEMORY);

    std::vector<unsigned char> good = wave(1, 8000, 8, 10);
    EXPECT_FALSE(sndPlaySoundA(reinterpret_cast<LPCSTR>(good.data()), SND_SYNC))
        << "sounds by name are not supported";
    EXPECT_TRUE(sndPlaySoundA(nullptr, 0)) << "stopping is always fine";
}

} // namespace
