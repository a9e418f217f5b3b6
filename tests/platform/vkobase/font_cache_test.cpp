// The fonts of a starting program while another process rebuilds a font cache: fontconfig
// scans a folder whose cache is out of date under a lock on that cache, and the other process
// holds the lock for as long as its own scan takes (fc-cache after fonts were installed, on a
// loaded machine for minutes). The program's fonts must be ready without waiting for it.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <fontconfig/fontconfig.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "vkobase/font.h"

#include "../../support/temp_dir.h"
#include "child_group.h"
#include "test_deadline.h"

namespace {

namespace fs = std::filesystem;

// An installed font file to copy, or "" when there is none.
std::string AnInstalledFont()
{
    std::error_code ignored;
    for (fs::recursive_directory_iterator it("/usr/share/fonts", ignored), end; it != end;
         it.increment(ignored))
        if (it->path().extension() == ".ttf")
            return it->path().string();
    return "";
}

// Writes the cache of fonts into cacheDir, as another program's fontconfig would.
void WriteCache(const std::string& fonts, const std::string& cacheDir)
{
    FcConfig* config = FcConfigCreate();
    const std::string xml = "<?xml version=\"1.0\"?><fontconfig><dir>" + fonts + "</dir><cachedir>" +
                            cacheDir + "</cachedir></fontconfig>";
    ASSERT_TRUE(FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(xml.c_str()), FcTrue));
    ASSERT_TRUE(FcConfigBuildFonts(config));
    FcConfigDestroy(config);
}

TEST(FontCache, FontsAreReadyWhileAnotherProcessRebuildsAStaleCache)
{
    const std::string font = AnInstalledFont();
    if (font.empty())
        GTEST_SKIP() << "no font installed";
    // The user's own fonts folder and caches, in a folder of the test's.
    test_support::TempDir home;
    const std::string fonts = home.path() + "/data/fonts";
    const std::string cache = home.path() + "/cache/fontconfig";
    fs::create_directories(fonts);
    fs::copy_file(font, fonts + "/face.ttf");
    WriteCache(fonts, cache);
    if (HasFatalFailure())
        return;
    std::string cacheFile;
    for (const auto& entry : fs::directory_iterator(cache))
        if (entry.path().extension() == ".cache-8")
            cacheFile = entry.path().string();
    ASSERT_NE(cacheFile, "");
    // A font is added: the cache is out of date, and another process is rebuilding it.
    fs::copy_file(font, fonts + "/added.ttf");
    fs::last_write_time(fonts, fs::last_write_time(fonts) + std::chrono::hours(1));
    const int held = open(cacheFile.c_str(), O_RDWR);
    ASSERT_GE(held, 0);
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    ASSERT_EQ(fcntl(held, F_SETLK, &lock), 0);

    const pid_t starting = vkotest::fork_child();
    ASSERT_GE(starting, 0);
    if (starting == 0) {
        setenv("XDG_DATA_HOME", (home.path() + "/data").c_str(), 1);
        setenv("XDG_CACHE_HOME", (home.path() + "/cache").c_str(), 1);
        _exit(vkov_font_create() != nullptr ? 0 : 1);
    }
    int status = -1;
    const bool ended = vkotest::wait_until([&] { return waitpid(starting, &status, WNOHANG) == starting; }, 60);
    if (!ended) {
        kill(starting, SIGKILL);
        waitpid(starting, &status, 0);
    }
    close(held);
    ASSERT_TRUE(ended) << "the fonts waited for the other process's lock";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

} // namespace
