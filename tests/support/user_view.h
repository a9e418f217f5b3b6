// user_view.h: what a user sees of a program that runs on an X server, for end-to-end tests:
// the pixels of a screen region set against a picture drawn apart, the words of a printed PDF
// file (poppler's pdftotext), and the text on the X clipboard. The clipboard is read by a
// child process while the program goes on answering for it: a program that owns the
// clipboard cannot also wait for its own answer.
#pragma once
#include <cairo.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/platform/vkobase/child_group.h"
#include "tests/platform/vkobase/test_deadline.h"
#include "tests/support/command_output.h"

namespace test_support {

// The red, green and blue of a pixel of an RGB24 or ARGB32 image surface (x, y inside it).
inline std::uint32_t RgbAt(cairo_surface_t* image, int x, int y)
{
    const unsigned char* row = cairo_image_surface_get_data(image) +
                               static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(image);
    std::uint32_t pixel = 0;
    std::memcpy(&pixel, row + static_cast<std::ptrdiff_t>(x) * 4, sizeof pixel);
    return pixel & 0x00FFFFFFu;
}

// How many pixels of the width x height region at (ax, ay) of a differ from the region at
// (bx, by) of b. Pixels outside either surface count as differing.
inline int DifferingPixels(cairo_surface_t* a, int ax, int ay, cairo_surface_t* b, int bx, int by,
                           int width, int height)
{
    cairo_surface_flush(a);
    cairo_surface_flush(b);
    const auto inside = [](cairo_surface_t* s, int x, int y) {
        return x >= 0 && y >= 0 && x < cairo_image_surface_get_width(s) &&
               y < cairo_image_surface_get_height(s);
    };
    int differing = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (!inside(a, ax + x, ay + y) || !inside(b, bx + x, by + y)) {
                ++differing;
                continue;
            }
            differing += RgbAt(a, ax + x, ay + y) != RgbAt(b, bx + x, by + y) ? 1 : 0;
        }
    return differing;
}

// The text blanks squeezed: every run of white space (line ends, page breaks) one blank.
inline std::string Squeezed(const std::string& text)
{
    std::string out;
    bool blank = false;
    for (const char c : text) {
        if (c == ' ' || c == '\n' || c == '\t' || c == '\r' || c == '\f') {
            blank = !out.empty();
            continue;
        }
        if (blank)
            out += ' ';
        blank = false;
        out += c;
    }
    return out;
}

// The first of phrases that text does not hold after the phrases before it ("" when it holds
// them all, in that order).
inline std::string MissingInOrder(const std::string& text, const std::vector<std::string>& phrases)
{
    std::size_t from = 0;
    for (const std::string& phrase : phrases) {
        const std::size_t at = text.find(phrase, from);
        if (at == std::string::npos)
            return phrase;
        from = at + phrase.size();
    }
    return {};
}

// The text of a PDF file as pdftotext (the program of that name or path) reads it, one line
// per printed line; empty when the file holds no text or cannot be read.
inline std::string PdfText(const std::string& path, const std::string& pdftotext = "pdftotext")
{
    return CommandOutput("'" + pdftotext + "' -layout '" + path + "' -");
}

// The text of the X clipboard (CLIPBOARD selection, as UTF-8), read by xclip in a child
// process whose output goes to a file. Start it, then ask Done() until it answers true
// while the program's event loop goes on.
class ClipboardRead {
public:
    ClipboardRead() = default;
    ClipboardRead(const ClipboardRead&) = delete;
    ClipboardRead& operator=(const ClipboardRead&) = delete;
    ~ClipboardRead()
    {
        if (itsPid > 0) {
            kill(itsPid, SIGKILL);
            waitpid(itsPid, nullptr, 0);
        }
    }

    // Starts xclip (the program's path) reading into file (replaced); false when it cannot
    // be started.
    bool Start(const std::string& xclip, const std::string& file)
    {
        itsFile = file;
        const int out = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out < 0)
            return false;
        itsPid = vkotest::fork_child();
        if (itsPid == 0) {
            dup2(out, 1);
            execl(xclip.c_str(), "xclip", "-o", "-selection", "clipboard", "-target", "UTF8_STRING",
                   static_cast<char*>(nullptr));
            _exit(127);
        }
        ::close(out);
        itsGiveUp = vkotest::Deadline(30);
        return itsPid > 0;
    }
    // True once xclip has ended (or was stopped when it took too long); *text is what it
    // wrote: empty when the clipboard held no text.
    bool Done(std::string* text)
    {
        if (itsPid <= 0)
            return true;
        int status = 0;
        if (waitpid(itsPid, &status, WNOHANG) == 0) {
            if (!itsGiveUp.passed())
                return false;
            kill(itsPid, SIGKILL);
            waitpid(itsPid, &status, 0);
        }
        itsPid = -1;
        std::ifstream in(itsFile, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        *text = bytes.str();
        return true;
    }

private:
    pid_t itsPid = -1;
    vkotest::Deadline itsGiveUp{30};
    std::string itsFile;
};

} // namespace test_support
