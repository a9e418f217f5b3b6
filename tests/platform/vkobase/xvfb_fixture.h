// xvfb_fixture.h: the gtest side of the end-to-end display tests: a fixture that gives each
// test a private Xvfb (the test is skipped where there is none) and a folder of its own for
// the run's logs and screenshots, removed after the test; a screenshot read back; and a table
// of pixels expected on screenshots.
// gtest first: Xlib's macros (None, Bool) would break its templates.
#pragma once

#include <gtest/gtest.h>

#include <cairo.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "xvfb_test_support.h"

namespace vkotest {

class XvfbTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (const std::string why = start_xvfb(server_); !why.empty())
            GTEST_SKIP() << why;
        dir_ = make_scratch_dir("vko_x11_");
        ASSERT_FALSE(dir_.empty());
    }
    void TearDown() override {
        if (!dir_.empty())
            remove_scratch_dir(dir_);
    }

    const std::string &display() const { return server_.display(); }
    // The test's folder, and a file of that name in it.
    const std::string &dir() const { return dir_; }
    std::string file(const std::string &name) const { return dir_ + "/" + name; }

private:
    Xvfb server_;
    std::string dir_;
};

// A screenshot read back from its PNG; the picture is freed with the object.
class Shot {
public:
    explicit Shot(const std::string &png)
        : image_(cairo_image_surface_create_from_png(png.c_str())) {}
    ~Shot() { cairo_surface_destroy(image_); }
    Shot(const Shot &) = delete;
    Shot &operator=(const Shot &) = delete;

    cairo_status_t status() const { return cairo_surface_status(image_); }
    std::uint32_t pixel(int x, int y) const { return vkotest::pixel(image_, x, y); }
    cairo_surface_t *image() const { return image_; }

private:
    cairo_surface_t *image_;
};

// A pixel a screenshot must show at a screen point, and what it shows the user.
struct PixelProbe {
    const char *why;
    const Shot &shot;
    int x, y;
    std::uint32_t rgb;
};

// The pixels the screenshot must show, each checked apart so that a failure names it.
inline void expect_shows(const Shot &shot, const std::vector<ScreenPixel> &pixels) {
    for (const ScreenPixel &p : pixels) {
        SCOPED_TRACE(p.why);
        EXPECT_EQ(shot.pixel(p.x, p.y), p.rgb) << "at " << p.x << "," << p.y;
    }
}

inline void expect_pixels(std::initializer_list<PixelProbe> probes) {
    for (const PixelProbe &p : probes) {
        SCOPED_TRACE(p.why);
        EXPECT_EQ(p.shot.pixel(p.x, p.y), p.rgb) << "at " << p.x << "," << p.y;
    }
}

} // namespace vkotest
