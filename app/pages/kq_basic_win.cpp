// kq_basic_win.cpp: the basic search page.
#include "app/pages/kq_basic_win.h"

#include <algorithm>
#include <cctype>
#include <iterator>

#include "app/pages/basic_match.h"
#include "app/pages/search_notebook.h"
#include "app/display/kq_list_box.h"
#include "app/shell/ref_doc.h"
#include "engine/engine.h"
#include "frm/controls/nctrls.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr std::size_t kTypeAheadLines = 2000;
const std::string kTypeAheadCodes[] = {"va", "df", "fl", "sl", "vi", "et", "aq", "us"};

const FRM_CTypeInfo* const kBasicBases[] = {&frm_type::CFaceWindow, nullptr};
const FRM_CTypeInfo kBasicType(1022, "KQBasicWin", kBasicBases);

// A line of the word list without the homograph number that tells apart entries of one
// word ("cat[2]" -> "cat"): the index files the word itself, not the number.
std::string WithoutHomographNumber(const std::string& line)
{
    const std::size_t open = line.rfind('[');
    if (open == std::string::npos || open == 0 || line.back() != ']' || open + 2 >= line.size())
        return line;
    for (std::size_t i = open + 1; i + 1 < line.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(line[i])))
            return line;
    return line.substr(0, open);
}

// Why a wildcard character typed alone is not searched, and how to use it.
std::string LonePatternNote(char wildcard)
{
    const bool any = wildcard == '*';
    const std::string example = any ? "cat* or *ness" : std::string("c") + wildcard + "t";
    return std::string("A \"") + wildcard + "\" alone is not searched: it stands for " +
           (any ? "any letters" : "any one letter") + ". Type some letters with it, as in " +
           example + ".";
}

void Destroy(std::unique_ptr<RWOrdered>& words)
{
    if (words)
        words->clearAndDestroy();
    words.reset();
}

} // namespace

KQBasicWin::KQBasicWin(SearchNotebook* notebook, short tab, RefDoc* document, EntryPainter* painter)
    : SearchPageWin(notebook, tab, document, painter)
{
    SetKind(kBasic);
}

KQBasicWin::~KQBasicWin() { Destroy(itsTyped); }

const FRM_CTypeInfo* KQBasicWin::GetStaticTypeInfo() { return &kBasicType; }
const FRM_CTypeInfo* KQBasicWin::GetRunTimeTypeInfo() const { return &kBasicType; }

void KQBasicWin::Search() { SearchTyped({}, -1); }

void KQBasicWin::SearchTyped(const std::string& chosenLine, int chosenIndex)
{
    std::string text = GetTypedText();
    if (text.find(',') != std::string::npos) {
        if (GetSearchTypePosition() < 0)
            return;
        for (const std::string& piece : SplitWordList(text))
            SearchOne(LowerCase(piece), GetIndexCode(), true);
        itIsPicking = false;
        FocusHitList();
        return;
    }
    std::string picked = chosenLine;
    if (itIsPicking && !HasPatternCharacter(text) && TypeAheadListsIndexWords()) {
        // The type-ahead's selected line is a word of the index searched: Return searches
        // it. Without a selected line the typed text is searched.
        picked = itsHitList->GetSelectedText().data();
        if (!picked.empty()) {
            SetTypedText(picked);
            text = WithoutHomographNumber(picked);
        }
    } else if (!picked.empty()) {
        // A line of the type-ahead's list chosen: the field's text is searched (the line's
        // word, or the typed text when the list held the entries it finds), and that
        // line's entry shown.
        text = WithoutHomographNumber(text);
    } else if (WithoutHomographNumber(text) != text) {
        // A line of the list put in the field ("dog[2]"), searched again: the word, showing
        // that line's entry.
        picked = text;
        text = WithoutHomographNumber(text);
    }
    if (GetSearchTypePosition() < 0)
        return;
    if (GetIndexCode() == "va")
        text = LowerCase(text);
    if (text.empty())
        return;
    if (text == "." || text == "*" || text == "?") {
        // Alone it would match every word, or every word of one letter: it is not searched,
        // and the user is told how to use it.
        vko_dm_post_note("%s", LonePatternNote(text[0]).c_str());
        return;
    }
    SearchOne(text, GetIndexCode(), false);
    itIsPicking = false;
    // The picked line's own entry when the word has several: the line chosen in the
    // type-ahead's list (the search lists the same lines), else the first line that reads
    // as the picked one. The first line's entry is shown, and its line selected, already.
    int show = -1;
    if (!picked.empty() && chosenIndex >= 0 && itsHitList->GetItem(chosenIndex) == picked)
        show = chosenIndex;
    for (int i = 0; show < 0 && !picked.empty() && i < itsHitList->GetCount(); ++i)
        if (itsHitList->GetItem(i) == picked)
            show = i;
    if (show > 0) {
        itsHitList->SelectItem(show);
        ShowHit(show);
    }
    FocusHitList();
}

bool KQBasicWin::TypeAheadListsIndexWords() const
{
    // The type-ahead lists the head words of the entries the typed text finds: under the
    // entry-word index they are words of that index; under another index (defining text,
    // illustrations...) they are not, and searched there they would find other entries.
    return GetIndexCode() == "va";
}

void KQBasicWin::TypeAhead()
{
    const std::string code = GetIndexCode();
    if (std::find(std::begin(kTypeAheadCodes), std::end(kTypeAheadCodes), code) ==
        std::end(kTypeAheadCodes)) {
        EmptyHitList();
        itsNotebook->ShowListCount(this, 0);
        return;
    }
    Destroy(itsTyped);
    const std::string typed = GetTypedText();
    std::vector<std::string> lines;
    itsHitList->Suspend();
    EmptyHitList();
    if (!typed.empty()) {
        itsDocument->GetKeyTable().MakeCurrent();
        // The word list files its words lower-cased, as Search looks them up.
        const std::string query = code == "va" ? LowerCase(typed) : typed;
        itsTyped.reset(CollectTypedHits(query.c_str(), code.c_str()));
        lines = ListLines(*itsTyped, kTypeAheadLines);
        itsHitList->AddItems(lines, 0);
    }
    itsHitList->ResumeList();
    itIsPicking = true;
    // The status bar counts the words the list stands for, as after a search.
    itsNotebook->ShowListCount(this, itsTyped ? static_cast<long>(itsTyped->entries()) : 0);
    // The lines just listed, not read back from the list: this runs on every key typed.
    const int best = BestLine(lines, typed);
    if (best >= 0)
        itsHitList->SelectItem(best);
}

void KQBasicWin::DoCommand(long command, void* data)
{
    switch (command) {
    case kCmdTypedText:
        TypeAhead();
        ContentsChanged();
        return;
    case kCmdLineChosen:
        if (itIsPicking) {
            const std::string line = itsHitList->GetSelectedText().data();
            if (line.empty())
                return;
            // The list's word is searched, or (when the list holds the entries the typed
            // text finds) the typed text; either way the chosen line's entry is shown.
            if (TypeAheadListsIndexWords())
                SetTypedText(line);
            itIsPicking = false;
            SearchTyped(line, itsHitList->GetSelectedIndex());
            return;
        }
        break;
    default:
        break;
    }
    SearchPageWin::DoCommand(command, data);
}
