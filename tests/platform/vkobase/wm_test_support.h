// wm_test_support.h: what the display tests under a window manager share: openbox started on a
// private server and waited for until it manages the screen, the properties of a window read
// as xprop reads them (window types, states, transient-for, class, hints), and whether a window
// shows (framed, under a manager). Link X11.
#pragma once

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "xvfb_test_support.h"

namespace vkotest {

// The atoms of a property holding a list of them (_NET_WM_WINDOW_TYPE, _NET_WM_STATE) by name.
inline std::vector<std::string> atom_names(Display *dpy, Window win, const char *property) {
    std::vector<std::string> out;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    if (XGetWindowProperty(dpy, win, XInternAtom(dpy, property, False), 0, 64, False, XA_ATOM,
                           &type, &format, &count, &after, &data) == Success &&
        data != nullptr) {
        const auto *atoms = reinterpret_cast<const Atom *>(data);
        for (unsigned long i = 0; i < count; ++i) {
            char *name = XGetAtomName(dpy, atoms[i]);
            out.emplace_back(name != nullptr ? name : "");
            if (name != nullptr)
                XFree(name);
        }
    }
    if (data != nullptr)
        XFree(data);
    return out;
}

// The 32-bit values of a property (CARDINAL, WINDOW), empty when it is not set.
inline std::vector<unsigned long> cardinals(Display *dpy, Window win, const char *property,
                                            Atom type_wanted = AnyPropertyType) {
    std::vector<unsigned long> out;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    if (XGetWindowProperty(dpy, win, XInternAtom(dpy, property, False), 0, 1 << 20, False,
                           type_wanted, &type, &format, &count, &after, &data) == Success &&
        data != nullptr && format == 32) {
        const auto *values = reinterpret_cast<const unsigned long *>(data);
        out.assign(values, values + count);
    }
    if (data != nullptr)
        XFree(data);
    return out;
}

inline bool wm_running(Display *dpy) {
    return !cardinals(dpy, DefaultRootWindow(dpy), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW).empty();
}

// Shown on the screen and, under a window manager (wm), framed by it.
inline bool shown_and_framed(Display *dpy, Window win, bool wm) {
    XWindowAttributes a{};
    if (win == 0 || XGetWindowAttributes(dpy, win, &a) == 0 || a.map_state != IsViewable)
        return false;
    return !wm || !cardinals(dpy, win, "_NET_FRAME_EXTENTS").empty();
}

// The client windows the server shows at the top level or inside a window manager's frames,
// bottom to top, as XQueryTree gives the frames.
inline void client_windows(Display *dpy, Window parent, std::vector<Window> *out) {
    Window root = 0, up = 0, *children = nullptr;
    unsigned count = 0;
    if (XQueryTree(dpy, parent, &root, &up, &children, &count) == 0)
        return;
    const Atom wm_state = XInternAtom(dpy, "WM_STATE", False);
    for (unsigned i = 0; i < count; ++i) {
        XWindowAttributes a{};
        if (XGetWindowAttributes(dpy, children[i], &a) == 0 || a.map_state != IsViewable)
            continue;
        Atom type = 0;
        int format = 0;
        unsigned long n = 0, after = 0;
        unsigned char *data = nullptr;
        XGetWindowProperty(dpy, children[i], wm_state, 0, 0, False, AnyPropertyType, &type, &format,
                           &n, &after, &data);
        if (data != nullptr)
            XFree(data);
        // A window the program made carries its title; a frame holds the client inside it.
        char *name = nullptr;
        const bool named = XFetchName(dpy, children[i], &name) != 0 && name != nullptr;
        if (name != nullptr)
            XFree(name);
        if (type != 0 || named || parent != DefaultRootWindow(dpy))
            out->push_back(children[i]);
        else
            client_windows(dpy, children[i], out);
    }
    XFree(children);
}

// The window that holds win, 0 when the server knows no such window.
inline Window parent_of(Display *dpy, Window win) {
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (XQueryTree(dpy, win, &root, &parent, &children, &count) == 0)
        return 0;
    if (children != nullptr)
        XFree(children);
    return parent;
}

// The top-level window (a frame under a window manager) that holds win.
inline Window top_of(Display *dpy, Window win) {
    for (;;) {
        const Window parent = parent_of(dpy, win);
        if (parent == DefaultRootWindow(dpy) || parent == 0)
            return win;
        win = parent;
    }
}

// Whether window a's top-level window lies above window b's in the server's stacking order.
inline bool above(Display *dpy, Window a, Window b) {
    const Window ta = top_of(dpy, a), tb = top_of(dpy, b);
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (XQueryTree(dpy, DefaultRootWindow(dpy), &root, &parent, &children, &count) == 0)
        return false;
    int ia = -1, ib = -1;
    for (unsigned i = 0; i < count; ++i) {
        if (children[i] == ta)
            ia = static_cast<int>(i);
        if (children[i] == tb)
            ib = static_cast<int>(i);
    }
    XFree(children);
    return ia > ib && ib >= 0;
}

// Where a window's top-left corner lies on the screen.
inline std::pair<int, int> screen_origin(Display *dpy, Window win) {
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(dpy, win, DefaultRootWindow(dpy), 0, 0, &x, &y, &child);
    return {x, y};
}

// A round trip through the window manager: a window of the caller's, never mapped, asks the
// manager for its frame extents (_NET_REQUEST_FRAME_EXTENTS), which the manager answers after
// every event the server sent it before the question. Once done(), the manager has handled the
// clicks, keys and requests made before start() (XTestHand's calls wait for the server), and
// what it asked of the server for them has been carried out.
class ManagerRoundTrip {
public:
    void start(Display *dpy) {
        if (probe_ == 0)
            probe_ = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), -100, -100, 10, 10, 0, 0, 0);
        XDeleteProperty(dpy, probe_, XInternAtom(dpy, "_NET_FRAME_EXTENTS", False));
        XEvent ev{};
        ev.xclient.type = ClientMessage;
        ev.xclient.window = probe_;
        ev.xclient.message_type = XInternAtom(dpy, "_NET_REQUEST_FRAME_EXTENTS", False);
        ev.xclient.format = 32;
        XSendEvent(dpy, DefaultRootWindow(dpy), False,
                   SubstructureRedirectMask | SubstructureNotifyMask, &ev);
        XSync(dpy, False);
    }
    bool done(Display *dpy) const {
        return probe_ != 0 && !cardinals(dpy, probe_, "_NET_FRAME_EXTENTS").empty();
    }

private:
    Window probe_ = 0;
};

// openbox on a private server, running once it manages the screen; stopped with the object.
class Openbox {
public:
    // Empty when it runs, else why the test must be skipped.
    std::string start(const std::string &display) {
        const std::string binary = find_on_path("openbox");
        if (binary.empty())
            return "openbox is not installed";
        pid_ = fork_child();
        if (pid_ == 0) {
            setenv("DISPLAY", display.c_str(), 1);
            execl(binary.c_str(), "openbox", "--sm-disable", static_cast<char *>(nullptr));
            _exit(127);
        }
        if (pid_ < 0)
            return "openbox could not be started";
        Display *dpy = XOpenDisplay(display.c_str());
        if (dpy == nullptr)
            return "the server cannot be reached";
        // openbox names itself on the root before it handles windows, and a window mapped
        // while it starts may be left unmapped: it is ready once it frames a window of ours.
        // A new probe window is mapped every half second, and every one mapped stays until one
        // is framed, however long openbox takes to frame it on a busy machine.
        const Deadline give_up(30);
        auto alive = [&] { return !give_up.passed() && waitpid(pid_, nullptr, WNOHANG) == 0; };
        while (!wm_running(dpy) && alive())
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        std::vector<Window> probes;
        auto framed_one = [&] {
            for (const Window probe : probes)
                if (top_of(dpy, probe) != probe)
                    return true;
            return false;
        };
        bool framed = false;
        while (!framed && alive()) {
            const Window probe =
                XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 0, 0, 10, 10, 0, 0, 0);
            XMapWindow(dpy, probe);
            XSync(dpy, False);
            probes.push_back(probe);
            const auto next = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
            while (!(framed = framed_one()) && alive() && std::chrono::steady_clock::now() < next)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        for (const Window probe : probes)
            XDestroyWindow(dpy, probe);
        XSync(dpy, False);
        XCloseDisplay(dpy);
        return framed ? std::string() : "openbox did not take the screen";
    }
    ~Openbox() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            wait_for(pid_, 20);
        }
    }

private:
    pid_t pid_ = -1;
};

// A private server and, when asked, openbox managing it; both stop with the object.
class Desktop {
public:
    // Empty when it runs, else why the test must be skipped.
    std::string start(bool wm) {
        if (std::string why = start_xvfb(server_); !why.empty())
            return why;
        return wm ? openbox_.start(server_.display()) : std::string();
    }
    const std::string &display() const { return server_.display(); }

private:
    Xvfb server_;
    Openbox openbox_; // stops before the server it runs on
};

} // namespace vkotest
