// print.cpp: print records, print windows and the print loop. A job's drawing goes to a PDF
// file, one per job, in the output directory (the working directory unless the program set
// one). A print window is a hidden window of type W_PRINT whose client area is the part of the
// page inside the margins chosen in page setup, in printer pixels (the printer resolution
// attributes); the PDF page is the whole paper, so what is drawn at the window's origin lands
// at the margins' corner. Its PDF is finished when the window is destroyed. One job runs at a time,
// and the print routine runs synchronously.
#include "vkobase/print.h"

#include "print_internal.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <new>
#include <string>
#include <sys/stat.h>
#include <unordered_set>

#include "font_internal.h"
#include "live_registry.h"
#include "surface_internal.h"
#include "vkobase/vobj.h"
#include "window_internal.h"

struct s_printrcd {
    double width_in = 8.5; // the paper, portrait, in inches
    double height_in = 11.0;
    std::int32_t orientation = VKO_PRINT_PORTRAIT;
    vkobase::PageMargins margins; // chosen in page setup
};

namespace {

constexpr double kPointsPerInch = 72.0;
constexpr double kMmPerInch = 25.4;
constexpr double kMaxPageInches = 200.0;
constexpr int kMaxNameChars = 64;
constexpr int kMaxSameNames = 9999;

struct Job {
    WINDOW win = nullptr;
    s_printrcd *rcd = nullptr;
    std::string title;
    double width_in = 0; // the page as printed
    double height_in = 0;
    double left_in = 0; // where the printed area starts on it
    double top_in = 0;
    std::int32_t hres = 300; // the printer resolution the window was made with
    std::int32_t vres = 300;
    cairo_surface_t *pdf = nullptr; // made when the first page opens
    std::string path;                // its file
    std::FILE *out = nullptr;        // the file, written through write_pdf
    bool write_failed = false;       // a write to it failed (a full disk)
    bool page_open = false;
    bool band_given = false;
    s_rct band{};
};

struct PrintState {
    std::unordered_set<s_printrcd *> records;
    std::string output_dir; // empty: the working directory
    Job job;
    bool routine_running = false;
    std::string unwritten; // the file of the last job that could not be written, removed
    std::string written;   // the file of the last job written whole
};
PrintState &state() {
    static PrintState s;
    return s;
}

s_printrcd *live_rcd(s_printrcd *rcd) noexcept {
    return vkobase::live_is(rcd, vkobase::LiveKind::Print) ? rcd : nullptr;
}

} // namespace

namespace vkobase {

bool print_get_margins(s_printrcd *rcd, PageMargins *out) noexcept {
    if (live_rcd(rcd) == nullptr || out == nullptr)
        return false;
    *out = rcd->margins;
    return true;
}

bool print_set_margins(s_printrcd *rcd, const PageMargins &margins) noexcept {
    if (live_rcd(rcd) == nullptr)
        return false;
    const double all[] = {margins.top_in, margins.left_in, margins.bottom_in, margins.right_in};
    for (double m : all)
        if (!(m >= 0 && m <= kMaxPageInches)) // NaN fails too
            return false;
    if (margins.left_in + margins.right_in >= rcd->width_in ||
        margins.top_in + margins.bottom_in >= rcd->height_in)
        return false;
    rcd->margins = margins;
    return true;
}

bool print_get_paper(s_printrcd *rcd, double *width_in, double *height_in,
                     std::int32_t *orientation) noexcept {
    if (live_rcd(rcd) == nullptr)
        return false;
    *width_in = rcd->width_in;
    *height_in = rcd->height_in;
    *orientation = rcd->orientation;
    return true;
}

} // namespace vkobase

namespace {

std::int32_t printer_res(std::int32_t attr) noexcept {
    const intptr_t res = vkok_vobj_get_attr(NULL_WIN, attr);
    return res > 0 && res <= 4800 ? static_cast<std::int32_t>(res) : 300;
}

// The page as printed, in inches: portrait as given, landscape turned.
void page_inches(const s_printrcd &rcd, double *width, double *height) noexcept {
    const bool turned = rcd.orientation == VKO_PRINT_LANDSCAPE;
    *width = turned ? rcd.height_in : rcd.width_in;
    *height = turned ? rcd.width_in : rcd.height_in;
}

bool file_exists(const std::string &path) noexcept {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

// "<dir>/<title>.pdf", with "-2", "-3" ... before ".pdf" when that file is there already. The
// title keeps its letters, digits, '-' and '_'; spaces become '_'.
std::string job_path(const std::string &title) {
    std::string name;
    for (unsigned char c : title) {
        if (static_cast<int>(name.size()) >= kMaxNameChars)
            break;
        if (std::isalnum(c) || c == '-' || c == '_')
            name += static_cast<char>(c);
        else if (c == ' ')
            name += '_';
    }
    if (name.empty())
        name = "print";
    const std::string &dir = state().output_dir;
    const std::string base = dir.empty() ? name : (dir.back() == '/' ? dir : dir + "/") + name;
    std::string path = base + ".pdf";
    for (int n = 2; file_exists(path) && n <= kMaxSameNames; ++n)
        path = base + "-" + std::to_string(n) + ".pdf";
    return path;
}

// cairo's writer for the job's file. cairo's own file writer drops the errors of buffered
// writes, so the job writes its file itself and keeps note of a failure.
cairo_status_t write_pdf(void *closure, const unsigned char *data, unsigned int length) {
    auto *job = static_cast<Job *>(closure);
    if (std::fwrite(data, 1, length, job->out) != length) {
        job->write_failed = true;
        return CAIRO_STATUS_WRITE_ERROR;
    }
    return CAIRO_STATUS_SUCCESS;
}

// Ends the job: a page still open is kept, the file is written and closed. A file that
// could not be written whole (a full disk) is removed rather than left cut short, and
// remembered for the print loop's answer.
void finish_job() noexcept {
    Job &job = state().job;
    if (job.pdf != nullptr) {
        if (job.page_open)
            cairo_surface_show_page(job.pdf);
        cairo_surface_finish(job.pdf);
        bool written = cairo_surface_status(job.pdf) == CAIRO_STATUS_SUCCESS && !job.write_failed;
        if (vkobase::win_is_live(job.win))
            vkobase::surface_attach(job.win, nullptr);
        cairo_surface_destroy(job.pdf);
        if (std::fclose(job.out) != 0) // the last buffered bytes may fail here
            written = false;
        job.out = nullptr;
        try {
            if (!written) {
                std::remove(job.path.c_str());
                state().unwritten = job.path;
            } else {
                state().written = job.path;
            }
        } catch (...) {
        }
    }
    job = Job{};
}

std::int32_t print_window_handler(WINDOW win, EVENT *event) {
    if (event != nullptr && event->type == E_DESTROY && win == state().job.win)
        finish_job();
    return 0;
}

} // namespace

namespace vkobase::font {

// Text on a print window is laid out at the resolution the window was made with, even when
// the attribute changes while the job runs.
std::int32_t print_window_dpi(WINDOW win) noexcept {
    const Job &job = state().job;
    if (win != nullptr && win == job.win)
        return job.vres;
    return printer_res(VKO_ATTR_PRINTER_VRES);
}

} // namespace vkobase::font

void vkobase_reset_print() noexcept {
    finish_job();
    for (s_printrcd *rcd : state().records) {
        vkobase::live_remove(rcd);
        delete rcd;
    }
    state() = PrintState{};
}

extern "C" {

const char *vkov_print_unwritten_file(void) noexcept {
    return state().unwritten.c_str();
}

const char *vkov_print_written_file(void) noexcept {
    return state().written.c_str();
}

void vkov_print_set_output_dir(const char *dir) noexcept {
    try {
        state().output_dir = dir != nullptr ? dir : "";
    } catch (...) {
    }
}

s_printrcd *vkok_print_create(int32_t *size_bytes) noexcept {
    auto *rcd = new (std::nothrow) s_printrcd{};
    if (rcd == nullptr)
        return nullptr;
    try {
        state().records.insert(rcd);
    } catch (...) {
        delete rcd;
        return nullptr;
    }
    vkobase::live_add(rcd, vkobase::LiveKind::Print);
    if (size_bytes != nullptr)
        *size_bytes = static_cast<int32_t>(sizeof(s_printrcd));
    return rcd;
}

void vkok_print_destroy(s_printrcd *rcd) noexcept {
    if (live_rcd(rcd) == nullptr)
        return;
    if (state().job.rcd == rcd)
        state().job.rcd = nullptr; // the window prints on with the page size it was made with
    state().records.erase(rcd);
    vkobase::live_remove(rcd);
    delete rcd;
}

BOOLEAN vkok_print_is_valid(s_printrcd *rcd) noexcept {
    return live_rcd(rcd) != nullptr ? TRUE : FALSE;
}

BOOLEAN vkok_print_set_page_orient(s_printrcd *rcd, int32_t orientation) noexcept {
    if (live_rcd(rcd) == nullptr ||
        (orientation != VKO_PRINT_PORTRAIT && orientation != VKO_PRINT_LANDSCAPE))
        return FALSE;
    rcd->orientation = orientation;
    return TRUE;
}

BOOLEAN vkok_print_set_page_size(s_printrcd *rcd, double width, double height, int32_t units,
                                 int32_t) noexcept {
    if (live_rcd(rcd) == nullptr)
        return FALSE;
    double per_inch = 0;
    switch (units) {
    case VKO_PRINT_INCHES:
        per_inch = 1;
        break;
    case VKO_PRINT_MILLIMETRES:
        per_inch = kMmPerInch;
        break;
    case VKO_PRINT_POINTS:
        per_inch = kPointsPerInch;
        break;
    default:
        return FALSE;
    }
    const double w = width / per_inch;
    const double h = height / per_inch;
    // Written so that NaN fails too.
    if (!(w > 0 && h > 0 && w <= kMaxPageInches && h <= kMaxPageInches))
        return FALSE;
    rcd->width_in = w;
    rcd->height_in = h;
    return TRUE;
}

BOOLEAN vkok_print_open(void) noexcept {
    return TRUE; // the PDF printer is always there
}

void vkok_print_close(void) noexcept {}

WINDOW vkok_print_create_win(s_printrcd *rcd, const char *title) noexcept {
    if (live_rcd(rcd) == nullptr || vkobase::win_is_live(state().job.win))
        return nullptr;
    double width_in = 0, height_in = 0;
    page_inches(*rcd, &width_in, &height_in);
    // Margins that leave no room on the page as printed (possible once the page is turned)
    // give way to the whole page.
    vkobase::PageMargins m = rcd->margins;
    if (m.left_in + m.right_in >= width_in || m.top_in + m.bottom_in >= height_in)
        m = vkobase::PageMargins{0, 0, 0, 0};
    const std::int32_t hres = printer_res(VKO_ATTR_PRINTER_HRES);
    const std::int32_t vres = printer_res(VKO_ATTR_PRINTER_VRES);
    const double width_px = (width_in - m.left_in - m.right_in) * hres;
    const double height_px = (height_in - m.top_in - m.bottom_in) * vres;
    if (width_px < 1 || height_px < 1 || width_px > INT16_MAX || height_px > INT16_MAX)
        return nullptr;
    finish_job(); // the last job's window is gone; nothing of it may linger
    vkobase::WinCreateArgs args;
    args.type = W_PRINT;
    args.rct =
        s_rct{0, 0, static_cast<std::int16_t>(height_px), static_cast<std::int16_t>(width_px)};
    args.title = title;
    args.flags = VKO_WSF_INVISIBLE;
    args.handler = print_window_handler;
    args.event_mask = VKO_EVENT_BIT(E_DESTROY);
    args.send_create = false;
    WINDOW win = vkobase::win_create_record(args);
    if (win == nullptr)
        return nullptr;
    try {
        state().job.title = title != nullptr ? title : "";
    } catch (...) {
    }
    state().job.win = win;
    state().job.rcd = rcd;
    state().job.width_in = width_in;
    state().job.height_in = height_in;
    state().job.left_in = m.left_in;
    state().job.top_in = m.top_in;
    state().job.hres = hres;
    state().job.vres = vres;
    return win;
}

BOOLEAN vkok_print_open_page(s_printrcd *rcd) noexcept {
    Job &job = state().job;
    if (live_rcd(rcd) == nullptr || !vkobase::win_is_live(job.win) || job.page_open)
        return FALSE;
    if (job.pdf == nullptr) {
        const std::int32_t hres = job.hres;
        const std::int32_t vres = job.vres;
        std::string path;
        try {
            path = job_path(job.title);
        } catch (...) {
            return FALSE;
        }
        job.out = std::fopen(path.c_str(), "wb");
        job.write_failed = false;
        cairo_surface_t* pdf = job.out == nullptr
                                   ? nullptr
                                   : cairo_pdf_surface_create_for_stream(
                                         write_pdf, &job, job.width_in * kPointsPerInch,
                                         job.height_in * kPointsPerInch);
        if (pdf == nullptr || cairo_surface_status(pdf) != CAIRO_STATUS_SUCCESS) {
            if (pdf != nullptr)
                cairo_surface_destroy(pdf);
            if (job.out != nullptr) {
                std::fclose(job.out);
                std::remove(path.c_str());
            }
            job.out = nullptr;
            try {
                state().unwritten = path;
            } catch (...) {
            }
            return FALSE;
        }
        // The window draws in printer pixels; the PDF counts in points.
        cairo_surface_set_device_scale(pdf, kPointsPerInch / hres, kPointsPerInch / vres);
        cairo_surface_set_device_offset(pdf, job.left_in * kPointsPerInch,
                                        job.top_in * kPointsPerInch);
        try {
            // The title's bytes are Windows-1252; PDF metadata is UTF-8.
            const std::string title = vkobase::font::to_utf8(job.title.c_str(), -1);
            cairo_pdf_surface_set_metadata(pdf, CAIRO_PDF_METADATA_TITLE, title.c_str());
        } catch (...) {
        }
        vkobase::surface_attach(job.win, pdf);
        job.pdf = pdf;
        job.path.swap(path);
    }
    job.page_open = true;
    job.band_given = false;
    return TRUE;
}

BOOLEAN vkok_print_close_page(s_printrcd *rcd) noexcept {
    Job &job = state().job;
    if (live_rcd(rcd) == nullptr || !job.page_open || job.pdf == nullptr)
        return FALSE;
    job.page_open = false;
    cairo_surface_show_page(job.pdf);
    return cairo_surface_status(job.pdf) == CAIRO_STATUS_SUCCESS ? TRUE : FALSE;
}

// A page is one band: the whole page once, then null until the next page opens.
s_rct *vkok_print_get_next_band(void) noexcept {
    Job &job = state().job;
    if (!job.page_open || job.band_given || !vkobase::win_is_live(job.win))
        return nullptr;
    job.band_given = true;
    job.band = vkobase::win_client_rect(job.win);
    return &job.band;
}

BOOLEAN vkok_print_start_thread(VKO_PRINT_ROUTINE routine, intptr_t data) noexcept {
    if (routine == nullptr || state().routine_running)
        return FALSE;
    state().routine_running = true;
    state().unwritten.clear();
    state().written.clear();
    const BOOLEAN ok = routine(data);
    state().routine_running = false;
    // A routine that ended its job well may still have lost the file when it was finished.
    return ok != FALSE && state().unwritten.empty() ? TRUE : FALSE;
}

} // extern "C"
