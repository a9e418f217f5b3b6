// splash_win.h: SplashWin, the small window with the program's title picture, the copyright
// line and the version, shown at start-up and for "About This Product". It closes itself
// three seconds after it opens, or at once when the picture is clicked.
#pragma once
#include <cstdint>

#include "app/shell/id_data.h"
#include "frm/views/cwindow.h"

class FRM_CPicture;

class SplashWin : public FRM_CWindow {
public:
    static constexpr std::int32_t kShowMs = 3000;
    static constexpr long kCmdPictureClicked = 1;
    static constexpr const char* kVersion = "Version 2.5";

    // Opens one centred on the screen, drawn at once; none when it could not stay open (no
    // timer could be made to close it, so it closed at once).
    static SplashWin* Open();

    // The application's window: the title picture on a window of the task document; it
    // waits for Start.
    SplashWin();
    // The factory's constructor (the picture is its element 1071).
    SplashWin(FRM_CDocument* document, const FRM_CRect& frame, const FRM_CStringRW& title,
              long attributes, e_win_type type, int menuBarId, WINDOW parent);
    ~SplashWin() override;

    // Takes the timer that closes the window (the id vko_timer_create gave); without one
    // (-1) the window closes at once. Answers whether it stays open.
    bool Start(std::int32_t timerId);
    // Makes the window enclose the picture, centres it on the screen and shows it.
    void Centre();

    std::int32_t GetTimer() const { return itsTimer; }
    bool IsClosing() const { return itIsClosing; }
    FRM_CPicture* GetPicture() const { return itsPicture; }

    // FRM_CWindow
    void DoCommand(long command, void* data) override;
    void DoTimer(long timerId) override;
    void DoDraw(const FRM_CRect& theClip) override;
    short Close() override;

private:
    void TakeNoKeys();

    SplashWinIDData itsIDData;
    FRM_CPicture* itsPicture = nullptr;  // the view tree's
    bool itIsClosing = true;             // while built and while closing: timer ticks are ignored
    std::int32_t itsTimer = -1;
};
