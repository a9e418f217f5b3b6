// not_handled.cpp: the "not handled" note of the program's windows.
#include "app/display/not_handled.h"

#include "frm/views/cview.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr char kNotHandled[] = "Command (%ld) not handled in dependent window %s";

} // namespace

void PostNotHandled(long command, const FRM_CView& window)
{
    vko_dm_post_note(kNotHandled, command, window.GetTitle().data());
}

void PostNotHandledError(long command, const FRM_CView& window)
{
    vko_dm_post_error(kNotHandled, command, window.GetTitle().data());
}
