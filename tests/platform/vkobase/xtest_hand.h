// xtest_hand.h: a user's hand at a private X server, through the XTest extension on a
// connection of its own: the pointer moves and clicks at screen points, keys are pressed and
// released. For the end-to-end display tests (link X11 and Xtst).
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace vkotest {

class XTestHand {
public:
    XTestHand() : dpy_(XOpenDisplay(nullptr)) {}
    ~XTestHand() {
        if (dpy_ != nullptr) {
            XSync(dpy_, False);
            XCloseDisplay(dpy_);
        }
    }
    XTestHand(const XTestHand &) = delete;
    XTestHand &operator=(const XTestHand &) = delete;

    void move(int x, int y) {
        XTestFakeMotionEvent(dpy_, -1, x, y, CurrentTime);
        XSync(dpy_, False);
    }
    // Button 1 pressed and released at a screen point.
    void click(int x, int y) {
        XTestFakeMotionEvent(dpy_, -1, x, y, CurrentTime);
        XTestFakeButtonEvent(dpy_, 1, True, CurrentTime);
        XTestFakeButtonEvent(dpy_, 1, False, CurrentTime);
        XSync(dpy_, False);
    }
    // One notch of the mouse wheel at a screen point: button 4 turns it up, 5 down.
    void wheel(int x, int y, unsigned button) {
        XTestFakeMotionEvent(dpy_, -1, x, y, CurrentTime);
        XTestFakeButtonEvent(dpy_, button, True, CurrentTime);
        XTestFakeButtonEvent(dpy_, button, False, CurrentTime);
        XSync(dpy_, False);
    }
    void key(KeySym keysym) {
        const KeyCode code = XKeysymToKeycode(dpy_, keysym);
        XTestFakeKeyEvent(dpy_, code, True, CurrentTime);
        XTestFakeKeyEvent(dpy_, code, False, CurrentTime);
        XSync(dpy_, False);
    }

    // A key pressed while a modifier (Control_L, Shift_L, ...) is held down.
    void key_with(KeySym modifier, KeySym keysym) {
        const KeyCode held = XKeysymToKeycode(dpy_, modifier);
        XTestFakeKeyEvent(dpy_, held, True, CurrentTime);
        key(keysym);
        XTestFakeKeyEvent(dpy_, held, False, CurrentTime);
        XSync(dpy_, False);
    }

private:
    Display *dpy_;
};

} // namespace vkotest
