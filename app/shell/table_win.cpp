// table_win.cpp: the table window.
#include "app/shell/table_win.h"

#include <algorithm>

#include "app/display/entry_key_table.h"
#include "app/display/entry_painter.h"
#include "app/display/image_win.h"
#include "app/display/not_handled.h"
#include "app/display/print_view.h"
#include "app/shell/kq_app.h"
#include "app/shell/kq_factory.h"
#include "resources/menu_tags.h"
#include "app/shell/ref_doc.h"
#include "frm/core/ccmdnums.h"
#include "frm/runtime/cdocumnt.h"
#include "frm/views/cimage.h"
#include "frm/views/cmenubar.h"
#include "frm/views/cpicture.h"
#include "frm/views/cscrollr.h"
#include "frm/views/viewsvc.h"
#include "ruk/static/vkoruk.h"

namespace {
constexpr short kMenuClose = 32003;
constexpr std::int32_t kScrollerId = 1406;
} // namespace

TableWin::TableWin(FRM_CDocument* document, const FRM_CRect& frame, const FRM_CStringRW& title,
                   long attributes, e_win_type type, int menuBarId, WINDOW parent)
    : FRM_CWindow(document, frame, title, attributes, type, menuBarId, parent)
{
    KQedAppFactory::Instance().DoCreateViews(this, KQedAppFactory::kTableWindow, 0, &itsIDData);
}

TableWin::~TableWin() = default;

FRM_CScroller* TableWin::GetScroller() const { return itsIDData.Get<FRM_CScroller>(kScrollerId); }

void TableWin::ShowTable()
{
    auto* document = dynamic_cast<RefDoc*>(GetDocument());
    FRM_CScroller* scroller = GetScroller();
    if (document == nullptr || scroller == nullptr)
        return;
    itsTable = std::make_unique<EntryPainter>(nullptr, nullptr);
    // Named after the entry whose table it shows, as the printed file is.
    SetTitle(FRM_CStringRW(document->GetKeyTable().currentEntryWord().c_str()));
    if (std::unique_ptr<FRM_CImage> image = document->GetKeyTable().ShowReference(itsTable.get())) {
        std::int32_t width = 0, height = 0;
        image->GetDimensions(&width, &height);
        FitWidth(width);
        itsPicture = new FRM_CPicture(scroller, FRM_CPoint(0, 0), *image);
        // Added again now that it has its size, so that the scroller's extent covers it (it
        // joined the scroller while still a point) and its bars can reach the whole table.
        scroller->AddSubview(itsPicture);
        scroller->DoDraw(frm_views::MaxRect());
    }
    Show();
    UpdateMenus(GetMenuBar());
}

void TableWin::FitWidth(int tableWidth)
{
    WINDOW window = GetVKOWindow();
    FRM_CScroller* scroller = GetScroller();
    s_rct client{}, outer{};
    if (window == nullptr || scroller == nullptr ||
        vko_vobj_get_client_rect(window, &client) == nullptr ||
        vko_vobj_get_outer_rect(window, &outer) == nullptr)
        return;
    // The client area on the screen, and the room right of it that the frame leaves.
    WINDOW screen = reinterpret_cast<WINDOW>(vko_vobj_get_attr(NULL_WIN, VKO_ATTR_SCREEN_WINDOW));
    s_pnt corners[2] = {{0, 0}, {client.bottom, client.right}};
    vko_vobj_translate_points(window, screen, corners, 2);
    const int width = client.right - client.left;
    const int border = std::max(0, outer.right - corners[1].h);
    const int room = static_cast<int>(vko_vobj_get_attr(NULL_WIN, VKO_ATTR_SCREEN_WIDTH)) -
                     corners[0].h - border;
    // What lies beside the scroller's inner frame (its bar, the margins) stays, and its clip
    // keeps a pixel inside that frame.
    const int beside = width - static_cast<int>(scroller->GetInnerFrame().Width()) + 1;
    const int wanted = std::min(tableWidth + beside, room);
    if (wanted <= width)
        return;
    const s_rct placed{corners[0].v, corners[0].h, corners[1].v,
                       static_cast<std::int16_t>(corners[0].h + wanted)};
    vko_vobj_move(window, &placed);
}

void TableWin::DoCommand(long command, void* data)
{
    switch (command) {
    case CmdShowTable::kNumber:
        ShowTable();
        return;
    case kCmdPrint:
        if (itsTable != nullptr) {
            PrintView job(GetDocument() != nullptr ? GetDocument()->GetPrintRecord() : nullptr,
                          *itsTable, GetTitle().data());
            if (job.StartPrint(PrintView::kIllustration) && GetDocument() != nullptr) {
                std::string file = job.printedFile();
                PrintedFile::Send(*GetDocument(), file);
            }
        }
        return;
    default:
        if (!IsFrameworkEcho(command))
            FRM_CWindow::DoCommand(command, data);
    }
}

void TableWin::DoMenuCommand(short tag, short shift, short control)
{
    switch (tag) {
    case menutag::kPrintTable:
        DoCommand(kCmdPrint, nullptr);
        return;
    case kNoCommand:
        return;
    case kMenuClose:
        Close();
        return;
    case menutag::kNextWindow:
        if (KQedApp* application = KQedApp::Instance())
            KQedApp::CmdNextWindow::Send(*application, *this);
        return;
    default:
        FRM_CWindow::DoMenuCommand(tag, shift, control);
    }
}

void TableWin::UpdateMenus(FRM_CMenuBar* menuBar)
{
    FRM_CMenuBar* bar = GetMenuBar();
    if (bar == nullptr) {
        FRM_CWindow::UpdateMenus(menuBar);
        return;
    }
    // Tags without an item in this menu bar change nothing.
    for (const short tag :
         {menutag::kPrintEntry, menutag::kPrintResults, menutag::kEdit, menutag::kView})
        bar->SetEnabled(tag, 0);
    bar->SetEnabled(menutag::kPrintTable, 1);
    bar->DoUpdate();
}

void TableWin::DoUpdateModel(long, long command, const FRM_CModel*)
{
    PostNotHandled(command, *this);
}

void TableWin::Draw(const FRM_CRect& clip)
{
    FRM_CWindow::Draw(clip);
    DrawTopRule(GetVKOWindow(), static_cast<std::int16_t>(GetLocalFrame().Right()));
}
