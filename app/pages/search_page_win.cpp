// search_page_win.cpp: the base of the search pages: their controls, hit list, entry pane,
// histories, searches and the commands they share.
#include "app/pages/search_page_win.h"

#include <cctype>

#include "app/display/entry_painter.h"
#include "app/display/kq_list_box.h"
#include "app/display/not_handled.h"
#include "app/settings/prefs.h"
#include "app/display/scroll_view_win.h"
#include "app/pages/basic_match.h"
#include "app/pages/search_notebook.h"
#include "app/pages/search_request.h"
#include "app/settings/config_dict.h"
#include "app/shell/main_ref_win.h"
#include "app/shell/ref_doc.h"
#include "engine/engine.h"
#include "frm/views/cbutton.h"
#include "frm/controls/cnatlist.h"
#include "frm/controls/nctrls.h"
#include "frm/drawing/cdrawctx.h"
#include "frm/drawing/cenviron.h"
#include "frm/runtime/cnav.h"
#include "frm/views/nscrllbr.h"
#include "frm/controls/nnotebk.h"
#include "frm/controls/cfacewin.h"
#include "frm/views/cimage.h"
#include "frm/views/cmenubar.h"
#include "frm/views/csubmenu.h"
#include "frm/views/cwindow.h"
#include "resources/menu_tags.h"
#include "ruk/static/vkoruk.h"
#include "vkocoll/collstr.h"

namespace {

constexpr float kEntryLeft = 311;
constexpr COLOR kWhite = 0x0BFFFFFF;
constexpr COLOR kBlack = 0x07000000;
constexpr const char* kHighlightCodes[] = {"df", "vi", "aq", "sy", "sl", "us"};

template <std::size_t N>
bool OneOf(const std::string& code, const char* const (&codes)[N])
{
    for (const char* c : codes)
        if (code == c)
            return true;
    return false;
}

// The texts of words for a list, at most limit of them and no more than the list's text
// budget (each line counts its length and two).
std::vector<std::string> Lines(const RWOrdered& words, std::size_t limit)
{
    std::vector<std::string> lines;
    std::size_t total = 0;
    for (std::size_t i = 0; i < words.entries() && i < limit; ++i) {
        const auto* word = static_cast<const RWCollectableString*>(words[i]);
        total += word->length() + 2;
        if (total >= SearchPageWin::kListBudget)
            break;
        lines.emplace_back(word->data());
    }
    return lines;
}

// The tab stop of a view whose toolkit window takes the keys only when the toolkit's focus
// is put on it (the hit list's read-only text).
class FocusTabStop : public FRM_CTabStop {
public:
    using FRM_CTabStop::FRM_CTabStop;
    void Activate() override
    {
        FRM_CTabStop::Activate();
        if (FRM_CView* view = GetView())
            vko_scr_set_focus_vobj(view->GetVKOWindow());
    }
};

// The entry pane's stop: the pane frames itself while Tab has brought it the keys.
class PaneTabStop : public FocusTabStop {
public:
    explicit PaneTabStop(ScrollPaneWin* pane) : FocusTabStop(pane), itsPane(pane) {}
    void Activate() override
    {
        FocusTabStop::Activate();
        itsPane->SetKeysFrame(true);
    }
    void Deactivate() override
    {
        itsPane->SetKeysFrame(false);
        FocusTabStop::Deactivate();
    }

private:
    ScrollPaneWin* itsPane;
};

} // namespace

SearchPageWin::SearchPageWin(SearchNotebook* notebook, short tab, RefDoc* document,
                             EntryPainter* painter)
    : FRM_CFaceWindow(document, notebook), itsDocument(document), itsPainter(painter),
      itsNotebook(notebook)
{
    // The toolkit window first: the controls are made in it.
    notebook->SetFace(this, tab, 0, 0);
    const FRM_CRect frame = GetFrame();
    const float right = frame.Width(), bottom = frame.Height();
    itsFirstLabel = new FRM_NText(this, FRM_CRect(15, 17, 295, 35), FRM_CStringRW(1020), 0);
    itsChooser =
        new FRM_NListButton(this, FRM_CRect(15, 35, 295, 190), FRM_CStringCollection(), -1, 0);
    itsChooser->SetCommand(kCmdTypeChosen);
    itsField = new FRM_NEditControl(this, FRM_CRect(14, 67, 296, 92), FRM_CStringRW(""), 0);
    itsField->SetTextCommand(kCmdTypedText);
    itsField->SetDoubleCommand(kCmdSearchDouble);
    itsSearchButton = new FRM_NButton(this, FRM_CRect(15, 104, 105, 129), FRM_CStringRW(1117), 0);
    itsSearchButton->SetCommand(kCmdSearch);
    itsClearButton = new FRM_NButton(this, FRM_CRect(110, 104, 200, 129), FRM_CStringRW(1010), 0);
    itsClearButton->SetCommand(kCmdClear);
    itsSpellingButton =
        new FRM_NButton(this, FRM_CRect(205, 104, 295, 129), FRM_CStringRW(1014), 0);
    itsSpellingButton->SetCommand(kCmdSpellingHelp);
    // The results-list moves and the prints, as picture buttons.
    const auto pictureButton = [this](float l, float t, long image, long command) {
        auto* button = new FRM_CButton(this, FRM_CPoint(l, t), FRM_CImage(image), 0);
        button->SetCommands(command, kNoCommand, kNoCommand, kNoCommand);
        return button;
    };
    itsPreviousListButton = pictureButton(15, 142, 39006, kCmdPreviousList);
    itsNextListButton = pictureButton(48, 142, 39007, kCmdNextList);
    itsPrintResultsButton = pictureButton(268, 142, 39008, kCmdPrintResults);
    itsSecondLabel = new FRM_NText(this, FRM_CRect(85, 155, 260, 173), FRM_CStringRW(1024), 0);
    itsHitList = new KQListBox(this, FRM_CRect(14, 178, 296, bottom - 15));
    itsHitList->SetGlue(0xFFFF00FFul);
    itsEntryPane = new ScrollViewWin(document, this, FRM_CRect(kEntryLeft, 36, right, bottom));
    itsEntryPane->SetGlue(0xFFFFFFFFul);
    itsPrintEntryButton = pictureButton(right - 45, 3, 39008, kCmdPrintEntry);
    itsPrintEntryButton->SetGlue(0x00FFFF00ul);
    FillHelpTable();
    FillChooser();
    AttachPainter();
    if (const Prefs* prefs = itsDocument->GetPrefs()) {
        itsPainter->SetColors(*prefs);
        ApplyPreferences(*prefs);
    }
}

SearchPageWin::~SearchPageWin() = default;

FRM_CWindow* SearchPageWin::HolderWindow() const { return itsNotebook->GetCWindow(); }

void SearchPageWin::OrderTabStops()
{
    FRM_CNavigator* navigator = GetNavigator();
    navigator->ClearTabStops();
    const RWOrdered* controls = GetSubviews();
    for (std::size_t c = 0; controls != nullptr && c < controls->entries(); ++c) {
        auto* view = static_cast<FRM_CView*>((*controls)[c]);
        // The entry pane (a window of its own) stands in the order where it lies, after the
        // hit list: a reader reaches it to scroll and select the entry by keys.
        if (view == itsEntryPane)
            navigator->AppendTabStop(new PaneTabStop(itsEntryPane->pane()));
        else if (view->ClassCanGetKeyFocus() && view->GetVKOWindow() != GetVKOWindow() &&
                 dynamic_cast<const FRM_NScrollBar*>(view) == nullptr)
            navigator->AppendTabStop(view == itsHitList ? new FocusTabStop(view)
                                                        : navigator->ConstructViewTabStop(view));
    }
}

void SearchPageWin::FillHelpTable()
{
    itsHelpTexts = {{itsChooser, 1204},        {itsField, 1206},
                    {itsSearchButton, 1208},   {itsClearButton, 1210},
                    {itsSpellingButton, 1212}, {itsPreviousListButton, 1214},
                    {itsNextListButton, 1218}, {itsPrintResultsButton, 1222},
                    {itsHitList, 1226},        {itsPrintEntryButton, 1232},
                    {itsEntryPane, 1236}};
}

void SearchPageWin::AttachPainter()
{
    itsPainter->SetWindow(itsEntryPane->PaneWindow());
    itsPainter->SetView(itsEntryPane);
}

void SearchPageWin::ApplyPreferences(const Prefs& prefs)
{
    itsEntryPane->SetPaneColors(prefs.back_color, prefs.text_color);
    itsEntryPane->Invalidate(itsEntryPane->GetLocalFrame());
    // The hit list takes the colours only when they are to be used in results too.
    const bool inResults = prefs.use_in_results != 0;
    vko_tx_set_colors(itsHitList->GetVKOTextEdit(), inResults ? prefs.text_color : kBlack, kBlack,
                      inResults ? prefs.back_color : kWhite);
}

std::string SearchPageWin::GetTypedText() const { return itsField->GetTitle().data(); }

void SearchPageWin::SetTypedText(const std::string& text)
{
    itsField->SetTitle(FRM_CStringRW(text.c_str()));
    const auto end = static_cast<std::int32_t>(text.size());
    itsField->SetTextSelection(end, end);
}

void SearchPageWin::FocusField()
{
    SetKeyFocus(itsField);
    const auto end = static_cast<std::int32_t>(GetTypedText().size());
    itsField->SetTextSelection(end, end);
}

int SearchPageWin::GetSearchTypePosition() const { return itsChooser->GetSelectPosition(); }

void SearchPageWin::FillChooser(int kept)
{
    itsChooser->Clear();
    if (itsKind == kBrowse) {
        itsChooser->Insert(FRM_CStringCollection(1058, 1059), -1);
        itsChooser->SelectItem(0);
        return;
    }
    const configDict* description = itsDocument->GetDescription();
    if (description == nullptr)
        return;
    const RWOrdered& labels = description->SearchLabels();
    for (std::size_t i = 0; i < labels.entries(); ++i)
        itsChooser->Insert(
            FRM_CStringRW(static_cast<const RWCollectableString*>(labels[i])->data()), -1);
    const auto count = static_cast<int>(labels.entries());
    const int wanted = kept >= 0 && kept < count            ? kept
                       : itsDocument->GetPrefs() != nullptr ? itsDocument->GetPrefs()->search_type
                                                            : 0;
    if (count != 0)
        itsChooser->SelectItem(wanted >= 0 && wanted < count ? wanted : 0);
    DoCommand(kCmdTypeChosen, nullptr);
}

void SearchPageWin::SetKind(Kind kind)
{
    if (kind == itsKind)
        return;
    itsKind = kind;
    EndPicking();
    FillChooser();
}

bool SearchPageWin::ChooseSearchType(int position)
{
    if (position < 0 || position >= itsChooser->GetNumItems())
        return false;
    itsChooser->SelectItem(position);
    DoCommand(kCmdTypeChosen, nullptr);
    return true;
}

bool SearchPageWin::IsSpellingHelpEnabled() const { return itsSpellingButton->IsEnabled() != 0; }

std::string SearchPageWin::GetIndexCode() const
{
    const int position = GetSearchTypePosition();
    if (itsKind == kBrowse)
        return "\x01";
    if (itsKind == kAdvanced)
        return "";
    if (position < 0 || itsDocument->GetDescription() == nullptr ||
        static_cast<std::size_t>(position) >=
            itsDocument->GetDescription()->SearchNames().entries())
        return "va";
    const auto& names = itsDocument->GetDescription()->SearchNames();
    return static_cast<const RWCollectableString*>(names[static_cast<std::size_t>(position)])
        ->data();
}

void SearchPageWin::SearchFor(const std::string& text)
{
    Clear();
    SetTypedText(text);
    DoCommand(kCmdRunSearch, nullptr);
}

void SearchPageWin::FocusHitList()
{
    // The keys move through the hits; Escape clears and brings them back to the field. After
    // a search that found nothing they go back to the field, to mend the word.
    if (itsHitList->GetCount() == 0) {
        FocusField();
        return;
    }
    SetKeyFocus(itsHitList);
    if (WINDOW list = itsHitList->GetVKOWindow())
        vko_scr_set_focus_vobj(list);
}

void SearchPageWin::SearchOne(const std::string& text, const std::string& code, bool quiet,
                           const std::vector<std::string>* highlights)
{
    if (text == "." || text == "*" || text == "?")
        return;
    SearchRequest request;
    request.text = text;
    request.code = code;
    request.quiet = quiet;
    request.highlights = highlights != nullptr ? *highlights : HighlightWords(text);
    request.notebook = itsNotebook;
    request.face = itsKind;
    request.searchType = GetSearchTypePosition();
    // The search runs while the document handles the command; the document hands hits to
    // the notebook, which lists them on every page with the first line selected.
    RefDoc::CmdSearch::Send(*itsDocument, request);
    if (request.found == 0 && !quiet) {
        EmptyHitList(); // nothing found: no list of an earlier search stays
        itsNotebook->ShowNoHits(this);
    }
}

std::vector<std::string> SearchPageWin::ListLines(const RWOrdered& words, std::size_t limit)
{
    return Lines(words, limit);
}

std::string SearchPageWin::GetListLabel() const { return itsSecondLabel->GetTitle().data(); }

void SearchPageWin::ShowListedPart(std::size_t listed, long found)
{
    const std::string label = static_cast<long>(listed) < found
                                  ? "Only the first " + std::to_string(listed) + " are listed"
                                  : std::string(FRM_CStringRW(1024).data());
    if (label == itsSecondLabel->GetTitle().data())
        return;
    itsSecondLabel->SetTitle(FRM_CStringRW(label.c_str()));
    itsSecondLabel->Invalidate(itsSecondLabel->GetLocalFrame());
}

void SearchPageWin::FillHitList(const SharedLines& lines)
{
    EndPicking();
    itsKeptLines = lines;
    itsKeptSelection = -1;
    if (itsNotebook->GetFrontPage() == this)
        ListKeptLines();
}

void SearchPageWin::ListKeptLines() const
{
    if (!itsKeptLines)
        return;
    const SharedLines lines = std::move(itsKeptLines);
    itsKeptLines.reset();
    itsHitList->Suspend();
    itsHitList->Clear();
    itsHitList->AddItems(*lines, 0);
    itsHitList->ResumeList();
    if (itsKeptSelection >= 0)
        itsHitList->SelectItem(itsKeptSelection);
    itsKeptSelection = -1;
}

void SearchPageWin::SelectLine(int index)
{
    if (itsKeptLines)
        itsKeptSelection = index;
    else
        itsHitList->SelectItem(index);
}

void SearchPageWin::EmptyHitList()
{
    itsKeptLines.reset();
    itsHitList->Clear();
}

std::vector<std::string> SearchPageWin::HighlightWords(const std::string& text) const
{
    if (OneOf(GetIndexCode(), kHighlightCodes))
        return {LowerCase(text)};
    return {};
}

void SearchPageWin::ShowHit(int index)
{
    SearchNotebook::CmdHitChosen::Send(*itsNotebook, index);
}

void SearchPageWin::SetListMoves(const ListMoves& moves)
{
    FRM_CWindow* window = HolderWindow();
    if (FRM_CMenuBar* bar = window != nullptr ? window->GetMenuBar() : nullptr) {
        bar->SetEnabled(menutag::kNextList, moves.next != 0 ? 1 : 0);
        bar->SetEnabled(menutag::kPreviousList, moves.previous != 0 ? 1 : 0);
    }
    for (const auto& [button, on] :
         {std::pair<FRM_CButton*, bool>{itsNextListButton, moves.next != 0},
          {itsPreviousListButton, moves.previous != 0}}) {
        // Drawn again only when it changes: every look-up sets both buttons of every page.
        if (button->IsEnabled() == (on ? 1 : 0))
            continue;
        if (on)
            button->Enable();
        else
            button->Disable();
        button->Invalidate(button->GetLocalFrame());
    }
}

void SearchPageWin::SpellingHelp()
{
    const std::string typed = GetTypedText();
    if (typed.empty())
        return;
    SearchRequest request;
    request.text = typed;
    request.code = GetIndexCode();
    request.notebook = itsNotebook;
    request.face = itsKind;
    request.searchType = GetSearchTypePosition();
    RefDoc::CmdSpellingHelp::Send(*itsDocument, request);
    const std::string picked = request.text;
    const std::string code = request.code;
    if (picked.empty())
        return;
    SetTypedText(picked);
    EndPicking();
    SearchOne(code == "va" ? LowerCase(picked) : picked, code, false);
}

void SearchPageWin::ClickOnEntry(const FRM_CPoint& point)
{
    const std::unique_ptr<WordItem> word = itsPainter->SoundHit(point.H(), point.V());
    if (!word || word->length() == 0)
        return;
    const std::string text = word->data();
    if (text.find_first_of("^$.*?[]()&|!,:-<>") != std::string::npos)
        return;
    if (text == ";SOUND") {
        itsPainter->PlayWordSounds(point.H(), point.V(), &itsDocument->GetKeyTable());
        return;
    }
    // A word of the entry is an entry word: the chooser goes back to its first type.
    if (ChooseSearchType(0))
        itsChooser->Invalidate(itsChooser->GetLocalFrame());
    // A word clicked in the illustration's caption comes back to this page.
    if (text == ";ART") {
        RefDoc::CmdShowIllustration::Send(*itsDocument, *this);
        return;
    }
    if (text == ";TABLE") {
        RefDoc::CmdShowTable::Send(*itsDocument);
        return;
    }
    SearchFor(text);
}

std::string SearchPageWin::HelpAt(const FRM_CPoint& point) const
{
    // Later controls lie over earlier ones (a drop-down list's frame holds its list).
    for (auto entry = itsHelpTexts.rbegin(); entry != itsHelpTexts.rend(); ++entry)
        if (entry->first->GetFrame().IsPointInRect(point))
            return FRM_CStringRW(entry->second).data();
    return {};
}

bool SearchPageWin::EntryPopUp(const FRM_CPoint& point)
{
    const std::unique_ptr<WordItem> word = itsPainter->SoundHit(point.H(), point.V());
    if (!word || word->length() == 0)
        return false;
    const std::string text = word->data();
    if (text.find_first_of("^$.*?[]()&|!,:-<>") != std::string::npos || text == ";ART" ||
        text == ";TABLE")
        return false;
    itsPopUpWord = text;
    // The pop-up's items come back to this page (DoMenuCommand).
    FRM_CMenuBar menu(this, menutag::kEntryPopupMenu);
    CmdFillFindIn::Send(*this, menu);
    // The pop-up opens at the word: the point of the pane's own window, scrolled, in the
    // page's.
    s_pnt at{static_cast<std::int16_t>(point.V() + itsEntryPane->ScrollOriginY()),
             static_cast<std::int16_t>(point.H())};
    vko_vobj_translate_points(itsEntryPane->PaneWindow(), GetVKOWindow(), &at, 1);
    menu.DoPopup(FRM_CPoint(at.h, at.v), menutag::kEntryPopup, VKO_POPUP_LEFT_ALIGN);
    return true;
}

void SearchPageWin::FillFindIn(FRM_CMenuBar* menu) const
{
    const std::vector<std::string> names = itsDocument->GetReferenceNames();
    FRM_CSubmenu* popUp = menu->FindSubmenu(menutag::kEntryPopup);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const FRM_CStringRW name(names[i].c_str());
        if (i == 0)
            menu->SetTitle(menutag::kFindIn, name);
        else if (popUp != nullptr)
            popUp->Append(FRM_CMenuItem(name, static_cast<short>(menutag::kFindIn + i), 0, 1));
    }
}

bool SearchPageWin::FindIn(long position)
{
    if (position < 0 || position >= static_cast<long>(itsDocument->GetReferenceNames().size()) ||
        itsPopUpWord.empty())
        return false;
    if (FRM_CWindow* window = HolderWindow())
        MainRefWin::CmdSelectReference::Send(*window, position);
    SearchFor(std::string(itsPopUpWord));
    return true;
}

void SearchPageWin::Clear()
{
    EmptyHitList();
    itsField->SetTitle(FRM_CStringRW(""));
    EndPicking();
    itsNotebook->ShowNoHits(this);
}

bool SearchPageWin::HasSomethingToClear() const
{
    return !GetTypedText().empty() || (itsKeptLines && !itsKeptLines->empty()) ||
           itsHitList->GetCount() > 0;
}

void SearchPageWin::ContentsChanged() const
{
    if (auto* window = dynamic_cast<MainRefWin*>(HolderWindow()))
        window->UpdateClearItem();
}

void SearchPageWin::ReferenceChanged()
{
    FillChooser(GetSearchTypePosition());
    itsChooser->Invalidate(itsChooser->GetLocalFrame());
}

void SearchPageWin::DoCommand(long command, void* data)
{
    switch (command) {
    case kCmdPreviousList:
    case kCmdNextList:
        itsNotebook->DoCommand(command, nullptr);
        return;
    case CmdSearchFor::kNumber:
        if (const std::string* text = CmdSearchFor::Read(data))
            SearchFor(*text);
        return;
    case CmdSearchString::kNumber:
        // Taken here: the command of the same number above the page (the document's)
        // carries a search request, not a string.
        if (const std::string* text = CmdSearchString::Read(data)) {
            EndPicking();
            SetTypedText(*text);
            Search();
        }
        return;
    case kCmdEmptyHitList:
        EmptyHitList();
        itsNotebook->ShowListCount(this, 0);
        return;
    case kCmdClearPage:
        Clear();
        return;
    case kCmdApplyPreferences:
        if (const Prefs* prefs = itsDocument->GetPrefs())
            ApplyPreferences(*prefs);
        return;
    case kCmdReferenceChanged:
        ReferenceChanged();
        return;
    case kCmdPrintResults:
    case kCmdPrintEntry:
        if (FRM_CWindow* window = HolderWindow())
            window->DoMenuCommand(command == kCmdPrintEntry ? menutag::kPrintEntry
                                                            : menutag::kPrintResults, 0, 0);
        return;
    case kCmdTypeChosen: {
        // Spelling help is for the entry-word and the two text searches only.
        const std::string label =
            itsChooser->GetFirstSelectedItem(FRM_CNativeList::kMaxItemLength).data();
        if (itsKind == kBrowse)
            return;
        if (label == "Entry word is..." || label == "Defining text contains..." ||
            label == "Verbal illustration contains...")
            itsSpellingButton->Enable();
        else
            itsSpellingButton->Disable();
        return;
    }
    case kCmdSpellingHelp:
        SpellingHelp();
        return;
    case CmdFillHitList::kNumber:
        if (const auto* lines = CmdFillHitList::Read(data))
            FillHitList(*lines);
        return;
    case CmdRestoreSearch::kNumber:
        if (const RestoredSearch* restored = CmdRestoreSearch::Read(data)) {
            ShowSearchedText(restored->text);
            EndPicking();
            if (restored->searchType >= 0)
                ChooseSearchType(restored->searchType);
        }
        return;
    case CmdListMoves::kNumber:
        if (const ListMoves* moves = CmdListMoves::Read(data))
            SetListMoves(*moves);
        return;
    case CmdChooseSearch::kNumber:
        if (const SearchChoice* choice = CmdChooseSearch::Read(data)) {
            ChooseSearchType(choice->searchType);
            itsChooser->Invalidate(itsChooser->GetLocalFrame());
        }
        return;
    case kCmdSearch:
    case kCmdSearchDouble:
    case kCmdRunSearch:
        Search();
        return;
    case kCmdClear:
        // The screen: every page and the entry shown.
        if (FRM_CWindow* window = HolderWindow())
            window->DoMenuCommand(menutag::kClear, 0, 0);
        else
            Clear();
        FocusField();
        return;
    case kCmdFocusField:
        FocusField();
        return;
    case kPaneDraw:
        itsPainter->Redraw(itsEntryPane->ScrollOriginY());
        return;
    case kPaneDrag: {
        const auto* points = PaneDrag::Read(data);
        if (points == nullptr)
            return;
        const FRM_CPoint& from = (*points)[0];
        const FRM_CPoint& to = (*points)[1];
        // The painter inverts the runs it selects in place; a repaint on top would invert
        // them a second time and hide the selection.
        const bool selected = itsPainter->SelectRange(from.H(), from.V(), to.H(), to.V());
        // Edit > Copy (and Ctrl+C) copies what the drag selected, and only then.
        if (FRM_CWindow* window = HolderWindow())
            if (FRM_CMenuBar* bar = window->GetMenuBar())
                bar->SetEnabled(menutag::kCopy, selected ? 1 : 0);
        return;
    }
    case kPaneSelectKey:
        if (PaneKeyStep* move = PaneSelectKey::Read(data)) {
            const bool selected = itsPainter->SelectByKey(move->step, &move->end);
            move->found = selected;
            if (FRM_CWindow* window = HolderWindow())
                if (FRM_CMenuBar* bar = window->GetMenuBar())
                    bar->SetEnabled(menutag::kCopy, selected ? 1 : 0);
        }
        return;
    case kPaneDoubleClick:
        if (const FRM_CPoint* point = PaneDoubleClick::Read(data))
            ClickOnEntry(*point);
        return;
    case kPaneOtherButton:
        if (const auto* points = PaneOtherButton::Read(data))
            EntryPopUp((*points)[0]);
        return;
    case kCmdTypedText:
        ContentsChanged(); // only the basic page looks ahead
        return;
    case kCmdLineChosen:
        ShowHit(itsHitList->GetSelectedIndex());
        return;
    case kCmdAttachPainter:
        AttachPainter();
        return;
    case kCmdFillHelpTable:
        FillHelpTable();
        return;
    case CmdFillFindIn::kNumber:
        if (FRM_CMenuBar* menu = CmdFillFindIn::Read(data))
            FillFindIn(menu);
        return;
    case CmdPopUpWord::kNumber:
        if (std::string* word = CmdPopUpWord::Read(data))
            *word = itsPopUpWord;
        return;
    default:
        if (!IsFrameworkEcho(command))
            FRM_CFaceWindow::DoCommand(command, data);
    }
}

void SearchPageWin::DoMenuCommand(short tag, short shift, short control)
{
    if (tag == menutag::kOpenInNewWindow) {
        // A new window going on from the main one looks the pop-up word up.
        if (FRM_CWindow* window = HolderWindow())
            window->DoMenuCommand(tag, shift, control);
        return;
    }
    // "Find in": the pop-up's further items, one per dictionary (none past them).
    if (tag >= menutag::kFindIn && tag < kNoCommand) {
        FindIn(tag - menutag::kFindIn);
        return;
    }
    if (tag != kNoCommand)
        FRM_CFaceWindow::DoMenuCommand(tag, shift, control);
}

void SearchPageWin::Draw(const FRM_CRect&)
{
    // The colour the holding window clears to: its environment's background, else the
    // toolkit's default window background.
    const FRM_CEnvironment* environment = GetEnvironment();
    unsigned long back = environment != nullptr ? environment->GetBackgroundColor()
                                                : FRM_CEnvironment::kUnsetColor;
    if (back == FRM_CEnvironment::kUnsetColor)
        back = static_cast<unsigned long>(vko_vobj_get_attr(nullptr, VKO_ATTR_DEFAULT_BACK_COLOR));
    FRM_CDrawingContext context(this);
    context.GetEnv().SetPen(back, 1, PAT_SOLID, P_SOLID);
    context.GetEnv().SetBrushColor(back, back);
    context.DrawRect(GetLocalFrame());
}

void SearchPageWin::DoKey(const FRM_CKey& key)
{
    if (!key.IsVirtualKey() && key.GetChar() == 13) {
        Search();
        return;
    }
    if (!key.IsVirtualKey() && key.GetChar() == 27) {
        DoCommand(kCmdClear, nullptr);
        return;
    }
    WINDOW pane = itsEntryPane->PaneWindow();
    if (!key.IsVirtualKey() && pane != nullptr && vko_scr_get_focus_vobj() == pane) {
        TypeIntoField(key);
        return;
    }
    FRM_CFaceWindow::DoKey(key);
}

void SearchPageWin::TypeIntoField(const FRM_CKey& key)
{
    // A character typed while the entry pane has the keys (it took them for Copy and its
    // scrolling) is meant for the field, as though the user had clicked there first. The
    // field takes the keys, its caret after its text as on a change of page, and the
    // character goes in there as pasted text does; the keys typed after it come to the field
    // by themselves, since a key goes where the keys are when its turn comes.
    DoCommand(kCmdFocusField, nullptr);
    if (vko_scr_get_focus_vobj() != itsField->GetVKOWindow())
        return;
    SetTypedText(GetTypedText() + static_cast<char>(key.GetChar()));
    DoCommand(itsField->GetTextCommand(), nullptr);
}
