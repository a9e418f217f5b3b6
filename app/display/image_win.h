// image_win.h: ImageWin, the top-level window that shows one illustration or table of an
// entry: the picture centred in its area and, below it, an illustration's caption drawn by
// an entry painter in a scrolling pane. A click on a word of the caption hands the word back
// to the window that opened the illustration (command 87) and closes this one. The window
// prints its illustration and keeps its own menu state.
#pragma once
#include <memory>
#include <string>

#include "app/settings/prefs.h"
#include "frm/core/ccommand.h"
#include "frm/views/cwindow.h"

class EntryKeyTable;
class EntryPainter;
class FRM_CPicture;
class FRM_CSubview;
class ScrollViewWin;

// The command the opener gets with the clicked word, to search it.
using ImageLookUpWord = FRM_TCommand<87, const std::string>;
// Commands of the image window.
enum ImageWinCommand : long {
    kImageDrawEntry = 32,
    kImagePrint = 5002,
};
// Set-up: the window lays out the current entry's illustration and caption; the payload is
// the opener, which gets the words clicked in the caption.
using ImageSetUp = FRM_TCommand<111, FRM_CView>;
// Window > Next Window: the application brings the window after this one to the front.
using ImageNextWindow = FRM_TCommand<70, FRM_CWindow>;
// A click on a point of the caption: a sound word there goes to the opener (as a double
// click does).
using ImageSoundClick = FRM_TCommand<64, const FRM_CPoint>;

// The two-line rule along the top of a picture window's client area, under its menu bar:
// dark grey over white, from the left edge to right; the pen is black after.
void DrawTopRule(WINDOW window, std::int16_t right);

class ImageWin : public FRM_CWindow {
public:
    ImageWin(FRM_CDocument* document, const FRM_CRect& frame, const FRM_CStringRW& title,
             long attributes, e_win_type type, int menuBarId, WINDOW parent);
    ~ImageWin() override;

    // Where set-up takes the reference from and the colours to draw its caption in: the
    // reference document's formatter (not owned) and the preferences in force.
    void SetSources(EntryKeyTable* table, const Prefs& prefs);

    void DoCommand(long command, void* data) override;
    void DoMenuCommand(short tag, short shift, short control) override;
    void Draw(const FRM_CRect& clip) override;
    void UpdateMenus(FRM_CMenuBar* menuBar) override;
    void DoUpdateModel(long controllerId, long command, const FRM_CModel* model) override;

    EntryPainter* painter() const { return itsPainter.get(); }
    ScrollViewWin* captionView() const { return itsCaption; }
    FRM_CSubview* pictureArea() const { return itsPictureArea; }
    FRM_CPicture* picture() const { return itsPicture; }

private:
    void SetUp(FRM_CView* opener);
    void SoundClick(const FRM_CPoint& point);

    std::unique_ptr<EntryPainter> itsPainter;
    ScrollViewWin* itsCaption = nullptr;    // a subview: the window owns it
    FRM_CSubview* itsPictureArea = nullptr; // likewise
    FRM_CPicture* itsPicture = nullptr;     // the picture area's
    FRM_CView* itsOpener = nullptr;
    EntryKeyTable* itsTable = nullptr;
    Prefs itsPrefs;
};
