// controls_fixture.h: a running framework with one window for control tests, and synthetic
// input posted to a control's toolkit window as the display would post it.
#pragma once

#include <vector>

#include "frm/views/csubview.h"
#include "tests/frm/support/frm_app_fixture.h"
#include "tests/frm/support/frm_error_capture.h"
#include "ruk/static/vkoruk.h"
#include "vkobase/vkobase.h"

namespace frmtest {

// A subview that records the commands its controls send up.
class CommandPanel : public FRM_CSubview {
public:
    explicit CommandPanel(FRM_CSubview* enclosure) : FRM_CSubview(enclosure, FRM_CRect(0, 0, 320, 240)) {}
    void DoCommand(long command, void*) override { commands.push_back(command); }
    std::vector<long> commands;
};

class ControlsFixture : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        itsWindow = NewWindow("controls", 320, 240);
        itsHandle = itsWindow->GetVKOWindow();
    }

    static void Post(WINDOW target, e_event type, s_pnt where)
    {
        EVENT event{};
        event.type = type;
        event.v.mouse.where = where;
        vkov_test_post_event(target, &event);
        vkok_app_process_pending_events();
    }
    static void Click(WINDOW control, s_pnt where)
    {
        Post(control, E_MOUSE_DOWN, where);
        Post(control, E_MOUSE_UP, where);
    }
    static void Key(WINDOW target, std::uint16_t character, bool isVirtual = false)
    {
        EVENT event{};
        event.type = E_CHAR;
        event.v.chr.ch = character;
        event.v.chr.virt = isVirtual ? 1 : 0;
        vkov_test_post_event(target, &event);
        vkok_app_process_pending_events();
    }
    static bool IsHidden(WINDOW control)
    {
        return (vkok_vobj_get_flags(control) & VKO_OF_HIDDEN) != 0;
    }
    static bool IsDisabled(WINDOW control)
    {
        return (vkok_vobj_get_flags(control) & VKO_OF_DISABLED) != 0;
    }
    // The control's rectangle in its parent's coordinates.
    static s_rct PlaceOf(WINDOW control)
    {
        s_rct client{};
        vkok_vobj_get_client_rect(control, &client);
        s_pnt corners[2] = {{client.top, client.left}, {client.bottom, client.right}};
        vkok_vobj_translate_points(control, vko_vobj_get_parent(control), corners, 2);
        return s_rct{corners[0].v, corners[0].h, corners[1].v, corners[1].h};
    }

    FRM_CWindow* itsWindow = nullptr;
    WINDOW itsHandle = nullptr;
};

} // namespace frmtest
