// frm_demo_program.h: a small framework program for the end-to-end tests: its start-up
// builds a document with a window of two lamps (boxes that turn green when clicked) and a
// menu bar, then posts what a user would do as the system would deliver it: a click, two
// keys, a menu command, a snapshot request (the window written as a PNG) and a quit. What
// happened is kept in Result() for the test to check.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "frm/drawing/cdrawctx.h"
#include "frm/drawing/cenviron.h"
#include "frm/runtime/capplctn.h"
#include "frm/runtime/cdocumnt.h"
#include "frm/runtime/cglblcls.h"
#include "frm/runtime/cnav.h"
#include "frm/views/cmenubar.h"
#include "frm/views/csubmenu.h"
#include "frm/views/cwindow.h"
#include "vkobase/surface_debug.h"
#include "vkobase/testing.h"
#include "vkobase/vkobase.h"

namespace frmdemo {

constexpr short kMenuPaint = 2001;
constexpr long kUserSnapshot = 77;
constexpr unsigned long kRed = 0x01FF0000ul;
constexpr unsigned long kGreen = 0x0200FF00ul;

struct Outcome {
    bool startedUp = false;
    int clicks = 0;
    int paintCommands = 0;
    std::string keys;
    std::string pngTarget; // where the snapshot goes; a temporary file when empty
    std::string png;
    std::vector<std::uint32_t> lampPixels; // inside each lamp, at the snapshot
    bool shutDown = false;
};
inline Outcome& Result()
{
    static Outcome outcome;
    return outcome;
}

// A box that turns from red to green when clicked.
class Lamp : public FRM_CView {
public:
    Lamp(FRM_CSubview* enclosure, const FRM_CRect& frame)
        : FRM_CView(enclosure, frame, FRM_CStringRW("lamp"))
    {
    }
    void MouseDown(FRM_CPoint, short, short, short) override
    {
        ++Result().clicks;
        itIsOn = true;
        Invalidate(GetLocalFrame());
    }
    void Draw(const FRM_CRect&) override
    {
        FRM_CDrawingContext context(this);
        context.GetEnv().SetBrushColor(itIsOn ? kGreen : kRed, itIsOn ? kGreen : kRed);
        context.DrawRect(GetFrame());
        context.DrawText(FRM_CStringRW(itIsOn ? "on" : "off"),
                         FRM_CPoint(GetFrame().Left() + 4, GetFrame().Bottom() - 4));
    }
    bool itIsOn = false;
};

class DemoWindow : public FRM_CWindow {
public:
    DemoWindow(FRM_CDocument* document, WINDOW task)
        : FRM_CWindow(document, FRM_CRect(40, 40, 360, 240), FRM_CStringRW("Demo"), 0, W_DOC, 0,
                      task)
    {
        itsLamp = new Lamp(this, FRM_CRect(20, 20, 120, 80));
        new Lamp(this, FRM_CRect(140, 20, 240, 80));
        auto* bar = new FRM_CMenuBar(this); // the window owns its bar
        FRM_CSubmenu file(FRM_CStringRW("&File"), 100, 'F', FRM_CMenu::ENABLED);
        file.Append(FRM_CMenuItem(FRM_CStringRW("&Paint"), kMenuPaint, 'P', FRM_CMenu::ENABLED));
        bar->AppendSubmenu(file);
        SetMenuBar(bar, 1);
        vko_dwin_invalidate_rect(GetVKOWindow(), nullptr); // the views are there now
    }
    void DoKey(const FRM_CKey& key) override
    {
        Result().keys.push_back(static_cast<char>(key.GetChar()));
    }
    void DoUser(long id, void*) override
    {
        if (id != kUserSnapshot)
            return;
        vkok_dwin_update(GetVKOWindow());
        const std::string path =
            !Result().pngTarget.empty()
                ? Result().pngTarget
                : (std::filesystem::temp_directory_path() / "frm_e2e_window.png").string();
        if (vkov_debug_surface_write_png(GetVKOWindow(), path.c_str()))
            Result().png = path;
        for (const int h : {60, 180})
            Result().lampPixels.push_back(vkov_debug_surface_pixel(GetVKOWindow(), h, 30));
    }
    Lamp* itsLamp = nullptr;
};

class DemoDocument : public FRM_CDocument {
public:
    using FRM_CDocument::FRM_CDocument;
    void BuildWindow() override
    {
        const auto task = reinterpret_cast<WINDOW>(vko_vobj_get_attr(nullptr, VKO_ATTR_TASK_WINDOW));
        itsWindow = new DemoWindow(this, task);
    }
    void DoMenuCommand(short tag, short shift, short control) override
    {
        if (tag == kMenuPaint) {
            ++Result().paintCommands;
            return;
        }
        FRM_CDocument::DoMenuCommand(tag, shift, control);
    }
    DemoWindow* itsWindow = nullptr;
};

inline void Post(WINDOW window, EVENT event) { vkov_test_post_event(window, &event); }

class DemoApplication : public FRM_CApplication {
public:
    void StartUp() override
    {
        FRM_CApplication::StartUp();
        Result().startedUp = true;
        auto* document = new DemoDocument(this, 7000); // the application's
        document->DoNew();
        const WINDOW window = document->itsWindow->GetVKOWindow();
        const WINDOW task = reinterpret_cast<WINDOW>(vko_vobj_get_attr(nullptr, VKO_ATTR_TASK_WINDOW));
        // What a user would do, as the system would deliver it.
        EVENT e{};
        e.type = E_MOUSE_DOWN;
        e.v.mouse.where = s_pnt{50, 60}; // inside the first lamp
        e.v.mouse.button = 1;
        Post(window, e);
        e.type = E_MOUSE_UP;
        Post(window, e);
        for (const char c : std::string("ok")) {
            EVENT key{};
            key.type = E_CHAR;
            key.v.chr.ch = static_cast<std::uint16_t>(c);
            Post(window, key);
        }
        EVENT menu{};
        menu.type = E_COMMAND;
        menu.v.cmd.tag = kMenuPaint;
        Post(window, menu);
        EVENT snapshot{};
        snapshot.type = E_USER;
        snapshot.v.user.id = kUserSnapshot;
        Post(window, snapshot);
        EVENT quit{};
        quit.type = E_QUIT;
        quit.v.quit.query = 0;
        Post(task, quit);
    }
    void ShutDown() override
    {
        FRM_CApplication::ShutDown();
        Result().shutDown = true;
    }
};

} // namespace frmdemo
