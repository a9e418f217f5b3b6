// menu_fixture.h: the submenu the menu tests share: a File menu with a separator, a nested
// submenu, a tag used at two depths and a checked, checkable item.
#pragma once

#include "frm/views/csubmenu.h"

namespace menutest {

constexpr long kEnabled = FRM_CMenu::ENABLED;

// File (10): Open (11), separator (12), Recent (13: Last (14), Open (11) again), Check (15).
inline FRM_CSubmenu FileMenu()
{
    FRM_CSubmenu recent("Recent", 13, 'R', kEnabled);
    recent.Append(FRM_CMenuItem("Last", 14, 0, kEnabled));
    recent.Append(FRM_CMenuItem("Open deep", 11, 0, kEnabled));
    FRM_CSubmenu file("File", 10, 'F', kEnabled);
    file.Append(FRM_CMenuItem("Open", 11, 'O', kEnabled));
    file.Append(FRM_CMenuItem("-", 12, 0, FRM_CMenu::SEPARATOR));
    file.Append(recent);
    file.Append(FRM_CMenuItem("Check", 15, 0, kEnabled | FRM_CMenu::CHECKABLE | FRM_CMenu::CHECKED));
    return file;
}

} // namespace menutest
