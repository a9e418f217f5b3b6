// ctaskwin.h: FRM_CTaskWin, the framework window around the base library's task window. The
// task document makes it through the application factory. While the application terminates
// it ignores enabling, disabling, showing and hiding; it follows the toolkit's sizes only
// when the task window sizes itself.
#pragma once

#include "frm/views/cwindow.h"

class FRM_CTaskWin : public FRM_CWindow {
    FRM_TYPE_INFO(CTaskWin)
public:
    // Stores itself as the task window's data and installs the program's menu bar.
    FRM_CTaskWin(FRM_CDocument* document, WINDOW taskWindow);

    // Forgets the toolkit window and deletes itself; answers 1.
    short Close() override;
    void Enable() override;
    void Disable() override;
    void Show() override;
    void Hide() override;
    void SizeWindow(int width, int height) override;
    long GetMenuBarId() const override;

protected:
    void UpdateUnits(FRM_CUnits* units) override;
};
