// kq_adv_win.cpp: the advanced search page.
#include "app/pages/kq_adv_win.h"

#include <algorithm>

#include "app/pages/adv_query.h"
#include "app/pages/basic_match.h"
#include "app/settings/config_dict.h"
#include "app/display/kq_list_box.h"
#include "app/shell/ref_doc.h"
#include "app/pages/search_request.h"
#include "frm/views/cbutton.h"
#include "frm/controls/cnatlist.h"
#include "frm/controls/nctrls.h"
#include "frm/controls/nscrlltx.h"
#include "frm/runtime/cnav.h"
#include "ruk/static/vkoruk.h"
#include "vkocoll/collstr.h"

using namespace querymask;

namespace {

const FRM_CTypeInfo* const kAdvancedBases[] = {&frm_type::CFaceWindow, nullptr};
const FRM_CTypeInfo kAdvancedType(1023, "KQAdvWin", kAdvancedBases);

// Buttons by mask bit: Add, AND, OR, NOT, "(", ")", Search.
constexpr int kButtonCount = 7;
constexpr const char* kOperators = "&|!()";

// The handler the token list's text edit window had before the page took it over; every
// text edit had the same one, so one is kept for the process.
VKO_EVENT_HANDLER& SavedTokenListHandler()
{
    static VKO_EVENT_HANDLER handler = nullptr;
    return handler;
}

std::vector<std::string> Texts(const RWOrdered& strings)
{
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < strings.entries(); ++i)
        texts.emplace_back(static_cast<const RWCollectableString*>(strings[i])->data());
    return texts;
}

} // namespace

void KQAdvWin::ResetForTests() { SavedTokenListHandler() = nullptr; }

KQAdvWin::KQAdvWin(SearchNotebook* notebook, short tab, RefDoc* document, EntryPainter* painter)
    : SearchPageWin(notebook, tab, document, painter)
{
    SetKind(kAdvanced);
    const float bottom = GetFrame().Height();
    // The shared controls make room for the query's buttons and token list.
    itsField->Size(FRM_CRect(14, 61, 245, 87));
    itsField->SetTextCommand(kCmdWordTyped);
    itsSearchButton->Size(FRM_CRect(15, 195, 105, 218));
    itsSearchButton->SetCommand(kCmdSearchQuery);
    itsClearButton->Size(FRM_CRect(110, 195, 200, 218));
    itsSpellingButton->Size(FRM_CRect(205, 195, 295, 218));
    for (auto [button, left] : {std::pair<FRM_CButton*, float>{itsPreviousListButton, 15},
                                {itsNextListButton, 48}, {itsPrintResultsButton, 268}}) {
        // DoSize moves the button's picture with it; Size would leave it where it was.
        const FRM_CRect old = button->GetFrame();
        button->DoSize(FRM_CRect(left, 224, left + old.Width(), 224 + old.Height()));
    }
    itsSecondLabel->Size(FRM_CRect(85, 235, 265, 253));
    itsHitList->Size(FRM_CRect(14, 260, 296, bottom - 15));

    struct Made {
        FRM_CRect frame;
        long label;
        long command;
    };
    const Made made[] = {
        {FRM_CRect(250, 62, 295, 87), 1030, kCmdAdd},
        {FRM_CRect(15, 92, 65, 115), 1034, kCmdAnd},
        {FRM_CRect(72, 92, 122, 115), 1040, kCmdOr},
        {FRM_CRect(132, 92, 182, 115), 1044, kCmdNot},
        {FRM_CRect(189, 92, 239, 115), 1111, kCmdOpen},
        {FRM_CRect(245, 92, 295, 115), 1054, kCmdClose},
    };
    for (int i = 0; i < 6; ++i) {
        itsButtons[i] = new FRM_NButton(this, made[i].frame, FRM_CStringRW(made[i].label), 0);
        itsButtons[i]->SetCommand(made[i].command);
    }
    itsButtons[6] = itsSearchButton;
    // One token a line, read only: the page's keys edit it. It shows two lines and a half:
    // its own vertical bar, as the arrows, reaches the lines below.
    itsTokenList =
        new FRM_NScrollText(this, FRM_CRect(15, 120, 295, 190), 1, 1, 0x15, 1000.0f, 1000, 1);
    itsTokenList->SetCommand(kCmdTokenList);
    DoCommand(kCmdFillHelpTable, nullptr);
    if (const auto textEdit = reinterpret_cast<WINDOW>(itsTokenList->GetVKOTextEdit())) {
        SavedTokenListHandler() = vko_win_get_handler(textEdit);
        vko_win_set_handler(textEdit, TokenListHandler);
    }
    // Tab goes from the word field through the query's controls, then on to Search.
    RWOrdered* order = GetSubObjects();
    std::size_t at = 0;
    while (at < order->entries() && (*order)[at] != itsField)
        ++at;
    std::vector<FRM_CView*> query(itsButtons, itsButtons + 6);
    query.push_back(itsTokenList);
    for (FRM_CView* bar : {static_cast<FRM_CView*>(itsTokenList->GetVScrollBar()),
                           static_cast<FRM_CView*>(itsTokenList->GetHScrollBar())})
        if (bar != nullptr)
            query.push_back(bar);
    for (FRM_CView* view : query) {
        order->removeReference(view);
        order->insertAt(++at, view);
    }
    EnableButtons(kStart);
}

const FRM_CTypeInfo* KQAdvWin::GetStaticTypeInfo() { return &kAdvancedType; }
const FRM_CTypeInfo* KQAdvWin::GetRunTimeTypeInfo() const { return &kAdvancedType; }

// ---------------------------------------------------------------------------------------------
// Buttons

void KQAdvWin::EnableButtons(int mask)
{
    for (int bit = 0; bit < kButtonCount; ++bit) {
        bool on = (mask & (1 << bit)) != 0;
        if ((1 << bit) == kClose)
            on = on && itsDepth >= 1;
        if (on)
            itsButtons[bit]->Enable();
        else
            itsButtons[bit]->Disable();
    }
}

int KQAdvWin::GetButtonMask() const
{
    int mask = 0;
    for (int bit = 0; bit < kButtonCount - 1; ++bit)
        if (itsButtons[bit]->IsEnabled())
            mask |= 1 << bit;
    return mask;
}

FRM_NButton* KQAdvWin::GetButton(int bit) const
{
    for (int i = 0; i < kButtonCount; ++i)
        if (bit == (1 << i))
            return itsButtons[i];
    return nullptr;
}

bool KQAdvWin::IsOn(int bit) const
{
    const FRM_NButton* button = GetButton(bit);
    return button != nullptr && button->IsEnabled() != 0;
}

// ---------------------------------------------------------------------------------------------
// The token list

std::vector<std::string> KQAdvWin::GetTokens() const
{
    std::vector<std::string> tokens;
    if (itsTokenList->IsEmpty())
        return tokens;
    for (std::uint16_t i = 0; i < itsTokenList->GetNParInText(); ++i)
        tokens.emplace_back(itsTokenList->GetParagraph(i).data());
    return tokens;
}

void KQAdvWin::Append(const std::string& line)
{
    itsTypedOpens = 0;
    itsTokenList->AddParagraph(FRM_CStringRW(line.c_str()), FRM_CNativeTextEdit::kEnd);
    // The last line shows.
    vko_tx_scroll_vert(itsTokenList->GetVKOTextEdit(),
                       static_cast<std::int16_t>(-itsTokenList->GetNLineInText()));
    itsField->Activate();
    ContentsChanged();
}

void KQAdvWin::SetTokens(const std::vector<std::string>& tokens)
{
    itsTypedOpens = 0;
    itsTokenList->Clear();
    for (std::size_t i = 0; i < tokens.size(); ++i)
        itsTokenList->AddParagraph(FRM_CStringRW(tokens[i].c_str()), static_cast<std::uint16_t>(i));
    ContentsChanged();
}

std::string KQAdvWin::ChosenLabel() const
{
    return itsChooser->GetFirstSelectedItem(FRM_CNativeList::kMaxItemLength).data();
}

void KQAdvWin::SearchTypes(std::vector<std::string>* labels, std::vector<std::string>* names) const
{
    if (const configDict* description = itsDocument->GetDescription()) {
        *labels = Texts(description->SearchLabels());
        *names = Texts(description->SearchNames());
    }
}

void KQAdvWin::AddTerm()
{
    if (itIsTextMode) {
        CheckQueryText(GetTypedText(), true);
        return;
    }
    // A term needs its word: "label=" alone matches nothing and leaves a list that cannot
    // be searched, so an empty or blank field adds nothing.
    const std::string typed = GetTypedText();
    if (typed.find_first_not_of(" \t") == std::string::npos) {
        vko_scr_beep();
        itsField->Activate(); // where the word is typed
        return;
    }
    EnableButtons(AfterTerm(itsDepth));
    Append(ChosenLabel() + "=" + typed);
    SetTypedText("");
}

void KQAdvWin::ShowQuery(const std::string& query)
{
    std::vector<std::string> labels, names;
    SearchTypes(&labels, &names);
    const std::vector<std::string> tokens = QueryTokens(query, labels, names);
    SetTokens(tokens);
    // The buttons and the depth follow the list shown, quietly.
    std::string joined;
    for (const std::string& token : tokens)
        joined += token;
    const QueryCheck check = ::CheckQueryText(joined, ChosenLabel());
    itsDepth = check.depth;
    if (check.mask != 0)
        EnableButtons(check.mask);
}

void KQAdvWin::ShowSearchedText(const std::string& text)
{
    ShowQuery(text);
    SetTypedText("");
}

// ---------------------------------------------------------------------------------------------
// Checking and searching

bool KQAdvWin::CheckQueryText(const std::string& text, bool rebuild)
{
    const QueryCheck check = ::CheckQueryText(text, ChosenLabel());
    if (rebuild)
        SetTokens(check.tokens);
    // The depth is the checked text's: a rebuilt list's, or the whole list's.
    itsDepth = check.depth;
    if (check.mask != 0)
        EnableButtons(check.mask);
    if (check.ok)
        return true;
    if (check.beep)
        vko_scr_beep();
    vko_dm_post_note("%s", check.error.c_str());
    return false;
}

bool KQAdvWin::PreCheck()
{
    std::string joined;
    for (const std::string& token : GetTokens())
        joined += token;
    return CheckQueryText(joined, false);
}

std::string KQAdvWin::ComposeQuery() const
{
    std::vector<std::string> labels, names;
    SearchTypes(&labels, &names);
    return ::ComposeQuery(GetTokens(), labels, names);
}

void KQAdvWin::Search()
{
    if (!PreCheck())
        return;
    const std::string query = ComposeQuery();
    if (query.empty())
        return;
    const std::vector<std::string> highlights = CollectHighlightWords(query);
    SearchOne(query, "", false, &highlights);
    itsField->Activate();
}

void KQAdvWin::SearchFor(const std::string& text)
{
    Clear();
    SetTypedText(text);
    // As if typed: an expression is checked whole, a word becomes a term.
    WordTyped();
    if (itIsTextMode) {
        if (!CheckQueryText(text, true))
            return;
    } else {
        AddTerm();
    }
    DoCommand(kCmdRunSearch, nullptr);
}

bool KQAdvWin::HasSomethingToClear() const
{
    return SearchPageWin::HasSomethingToClear() || !itsTokenList->IsEmpty();
}

void KQAdvWin::Clear()
{
    SearchPageWin::Clear();
    itsTokenList->Clear();
    // Back to the state the page opens in: with the field empty no expression is being
    // typed, so the next keys are taken as on a fresh page.
    itIsTextMode = false;
    itsSavedMask = 0;
    itsTypedOpens = 0;
    itsMaskBeforeOpens = 0;
    itsDepth = 0;
    EnableButtons(kStart);
}

// ---------------------------------------------------------------------------------------------
// Commands and keys

void KQAdvWin::WordTyped()
{
    const std::string typed = GetTypedText();
    const std::size_t at = typed.find_first_of(kOperators);
    const bool addOn = IsOn(kWord);
    if (at == std::string::npos) {
        if (!addOn) {
            // No term may stand here.
            if (!typed.empty()) {
                SetTypedText("");
                vko_scr_beep();
            }
        } else if (itIsTextMode) {
            itIsTextMode = false;
            EnableButtons(itsSavedMask);
        }
        return;
    }
    const char op = typed[at];
    if (addOn) {
        if (typed.size() == 1 && op != '(') {
            SetTypedText("");
            vko_scr_beep();
            return;
        }
        if (typed == "(" && IsOn(kOpen) && !itIsTextMode) {
            // Taken as the button for now; if a whole expression follows, it goes back to
            // the expression's text.
            const int opens = itsTypedOpens;
            if (opens == 0)
                itsMaskBeforeOpens = GetButtonMask();
            SetTypedText("");
            DoCommand(kCmdOpen, nullptr);
            itsTypedOpens = opens + 1;
            return;
        }
        if (!itIsTextMode) {
            itsSavedMask = GetButtonMask();
            TakeBackTypedOpens();
        }
        itIsTextMode = true;
        EnableButtons(kWord);
        return;
    }
    // After a term an operator typed is its button.
    SetTypedText("");
    const std::string ops = kOperators;
    const int bits[] = {kAnd, kOr, kNot, kOpen, kClose};
    const long commands[] = {kCmdAnd, kCmdOr, kCmdNot, kCmdOpen, kCmdClose};
    const std::size_t which = ops.find(op);
    if (IsOn(bits[which]))
        DoCommand(commands[which], nullptr);
    else
        vko_scr_beep();
}

void KQAdvWin::TakeBackTypedOpens()
{
    // The "(" typed just before an expression began belong to it: the expression is taken
    // whole.
    const int opens = itsTypedOpens;
    itsTypedOpens = 0;
    if (opens == 0 || itsTokenList->GetNParInText() < opens)
        return;
    for (int i = 0; i < opens; ++i)
        itsTokenList->DeleteParagraph(
            static_cast<std::uint16_t>(itsTokenList->GetNParInText() - 1));
    if (itsTokenList->GetNParInText() == 0)
        itsTokenList->Clear();
    itsDepth = std::max(0, itsDepth - opens);
    itsSavedMask = itsMaskBeforeOpens;
    SetTypedText(std::string(static_cast<std::size_t>(opens), '(') + GetTypedText());
}

void KQAdvWin::DoCommand(long command, void* data)
{
    switch (command) {
    case kCmdAddWord:
    case kCmdAdd:
        AddTerm();
        return;
    case kCmdAnd:
    case kCmdOr:
        EnableButtons(kAfterAndOr);
        Append(command == kCmdAnd ? "&" : "|");
        return;
    case kCmdNot:
        EnableButtons(kStart);
        Append("!");
        return;
    case kCmdOpen:
        ++itsDepth;
        EnableButtons(kStart);
        Append("(");
        return;
    case kCmdClose:
        itsDepth = std::max(0, itsDepth - 1);
        // Closing the outermost group completes the query.
        EnableButtons(itsDepth != 0 ? AfterTerm(itsDepth) : (AfterTerm(0) | kClose));
        Append(")");
        return;
    case kCmdClearQuery:
        Clear();
        return;
    case kCmdRunSearch:
    case kCmdSearchQuery:
        Search();
        return;
    case CmdSearchString::kNumber:
        // The page cleared, the string added as one term and searched.
        if (const std::string* text = CmdSearchString::Read(data))
            SearchFor(*text);
        return;
    case kCmdWordTyped:
        WordTyped();
        ContentsChanged();
        return;
    case kCmdSpellingHelp:
        SpellingHelp();
        return;
    case kCmdFillHelpTable: {
        SearchPageWin::DoCommand(command, data);
        // The query's buttons, Add to ")", and the token list.
        const int help[6] = {1240, 1244, 1248, 1254, 1002, 1004};
        for (int i = 0; i < 6; ++i)
            itsHelpTexts.emplace_back(itsButtons[i], help[i]);
        itsHelpTexts.emplace_back(itsTokenList, 1012);
        return;
    }
    default:
        SearchPageWin::DoCommand(command, data);
    }
}

void KQAdvWin::SpellingHelp()
{
    // The typed word goes to the spelling help under the chosen search type's name; the
    // word picked there becomes the token list's one term, and is searched.
    const std::string typed = GetTypedText();
    std::vector<std::string> labels, names;
    SearchTypes(&labels, &names);
    const int position = GetSearchTypePosition();
    if (typed.empty() || position < 0 || static_cast<std::size_t>(position) >= names.size())
        return;
    const std::string& name = names[static_cast<std::size_t>(position)];
    SearchRequest request;
    request.text = name + "=" + (name == "va" ? LowerCase(typed) : typed);
    request.code = name;
    request.notebook = itsNotebook;
    request.face = itsKind;
    request.searchType = position;
    RefDoc::CmdSpellingHelp::Send(*itsDocument, request);
    const std::string picked = request.text;
    if (picked.empty())
        return;
    ShowSearchedText(picked);
    Search();
}

void KQAdvWin::Enter()
{
    if (!IsOn(kWord) && itsDepth == 0)
        DoCommand(kCmdSearchQuery, nullptr);
    if (GetTypedText().empty())
        return;
    if (!IsOn(kWord))
        DoCommand(kCmdAnd, nullptr);
    DoCommand(kCmdAdd, nullptr);
}

void KQAdvWin::DoKey(const FRM_CKey& key)
{
    const std::uint16_t code = key.GetChar();
    if (!key.IsVirtualKey() && code == 13) {
        Enter();
        return;
    }
    if (!key.IsVirtualKey() && code == 27) {
        DoCommand(kCmdClear, nullptr);
        return;
    }
    if (GetKeyFocus() == itsTokenList && TokenListKey(key))
        return;
    SearchPageWin::DoKey(key);
}

bool KQAdvWin::TokenListKey(const FRM_CKey& key)
{
    // Keys on the token list move its caret and delete from it.
    const std::uint16_t code = key.GetChar();
    if (key.IsVirtualKey() ? code == VKO_KEY_DELETE : code == 127) {
        DeleteAtCaret();
        return true;
    }
    if (key.IsVirtualKey() && code >= VKO_KEY_UP && code <= VKO_KEY_LEFT) {
        MoveCaret(code == VKO_KEY_UP ? -1 : code == VKO_KEY_DOWN ? 1 : 0,
                  code == VKO_KEY_LEFT ? -1 : code == VKO_KEY_RIGHT ? 1 : 0);
        return true;
    }
    return false;
}

std::int32_t KQAdvWin::TokenListHandler(WINDOW window, EVENT* event) noexcept
{
    auto* list =
        FrmCast<FRM_NScrollText>(reinterpret_cast<FRM_CObjectRWC*>(vko_vobj_get_data(window)));
    auto* page = list != nullptr ? dynamic_cast<KQAdvWin*>(list->GetEnclosure()) : nullptr;
    if (page != nullptr && event != nullptr) {
        // The list is read only: a click would leave the keys where they were. It takes
        // them, so that Delete and the arrows edit it.
        if (event->type == E_MOUSE_DOWN) {
            page->SetKeyFocus(list);
            vko_scr_set_focus_vobj(window);
        }
        if (event->type == E_CHAR && page->TokenListKey(FRM_CKey(event->v.chr)))
            return 0;
    }
    const VKO_EVENT_HANDLER saved = SavedTokenListHandler();
    return saved != nullptr ? saved(window, event) : 0;
}

void KQAdvWin::MoveCaret(int lines, int characters)
{
    if (itsTokenList->IsEmpty())
        return;
    std::uint16_t par = 0, line = 0, column = 0;
    itsTokenList->GetInsertPosition(&par, &line, &column);
    const int count = itsTokenList->GetNParInText();
    const int to = std::clamp(par + lines, 0, count - 1);
    if (to != par)
        vko_tx_scroll_vert(itsTokenList->GetVKOTextEdit(), static_cast<std::int16_t>(par - to));
    const int length = itsTokenList->GetNCharInPar(static_cast<std::uint16_t>(to));
    const int at = std::clamp(column + characters, 0, length);
    itsTokenList->SetInsertPosition(static_cast<std::uint16_t>(to), 0,
                                    static_cast<std::uint16_t>(at));
}

void KQAdvWin::DeleteAtCaret()
{
    if (itsTokenList->IsEmpty())
        return;
    std::uint16_t par = 0, line = 0, column = 0;
    itsTokenList->GetInsertPosition(&par, &line, &column);
    if (par >= itsTokenList->GetNParInText())
        return;
    std::string text = itsTokenList->GetParagraph(par).data();
    if (column >= text.size())
        return;
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos || column > equals) {
        // A character of a word, or an operator.
        text.erase(column, 1);
        if (text.empty())
            itsTokenList->DeleteParagraph(par);
        else
            itsTokenList->SetParagraph(FRM_CStringRW(text.c_str()), par);
    } else {
        // On a term's label or its "=": the whole term goes.
        itsTokenList->DeleteParagraph(par);
    }
    if (itsTokenList->IsEmpty() || itsTokenList->GetNParInText() == 0) {
        itsTokenList->Clear();
    } else {
        // The lines left fill the list as after an append, the last one at the bottom (a
        // removed line leaves no gap below it): back to the first line, then on to the last.
        // The caret's line is brought into view after.
        const auto lines = static_cast<std::int16_t>(itsTokenList->GetNLineInText());
        vko_tx_scroll_vert(itsTokenList->GetVKOTextEdit(), lines);
        vko_tx_scroll_vert(itsTokenList->GetVKOTextEdit(), static_cast<std::int16_t>(-lines));
        const auto last = static_cast<std::uint16_t>(itsTokenList->GetNParInText() - 1);
        const std::uint16_t at = std::min(par, last);
        itsTokenList->SetInsertPosition(at, 0, std::min(column, itsTokenList->GetNCharInPar(at)));
    }
    // The buttons follow the list as it now ends, as after adding its last line: a list left
    // ending in an operator or an open parenthesis cannot be searched.
    itsTypedOpens = 0;
    const int mask = MaskAfterTokens(GetTokens(), &itsDepth);
    if (itIsTextMode)
        itsSavedMask = mask & ~kSearch; // given back when the field holds a word again
    else
        EnableButtons(mask);
    itsField->Activate();
    ContentsChanged();
}
