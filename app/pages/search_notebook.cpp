// search_notebook.cpp: the search pages' notebook.
#include "app/pages/search_notebook.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/pages/search_page_win.h"
#include "app/pages/search_request.h"
#include "app/display/kq_list_box.h"
#include "app/shell/main_ref_win.h"
#include "resources/menu_tags.h"
#include "app/shell/ref_doc.h"
#include "frm/views/cmenubar.h"
#include "frm/views/csubmenu.h"

namespace {

constexpr std::int32_t kNoHitsString = 1133;  // "0 Entries found."

} // namespace

SearchNotebook::SearchNotebook(MainRefWin* window, const FRM_CRect& frame)
    : FRM_NNotebook(window, frame), itsWindow(window)
{
}

void SearchNotebook::DoHit(const s_ctlinfo& info)
{
    FRM_NNotebook::DoHit(info);
    itsWindow->FrontPageChanged();
}

SearchPageWin* SearchNotebook::GetFrontPage() const { return itsWindow->GetFrontPage(); }

const RWOrdered* SearchNotebook::GetCurrentHits() const
{
    const ResultsRecord* current = itsHistories.results.Current();
    return current != nullptr ? current->hits.get() : nullptr;
}

void SearchNotebook::ShowResultsList(const ResultsRecord& record)
{
    // One list of lines for every page; a page lists them when it is seen.
    const SearchPageWin::SharedLines lines =
        std::make_shared<const std::vector<std::string>>(SearchPageWin::ListLines(*record.hits));
    // The count is of every hit, also of those the lists had no room for; the pages say
    // when they list only the first ones.
    const long found = std::max(record.found, static_cast<long>(record.hits->entries()));
    for (SearchPageWin* page : itsPages) {
        SearchPageWin::CmdFillHitList::Send(*page, lines);
        page->ShowListedPart(lines->size(), found);
        ShowListCount(page, found);
    }
}

void SearchNotebook::ShowNoHits(const SearchPageWin* emptied)
{
    for (SearchPageWin* page : itsPages)
        if (page != nullptr && (emptied == nullptr || page == emptied)) {
            page->ShowListedPart(0, 0);
            ShowListCount(page, 0);
        }
    itsWindow->UpdatePrintItems();
}

void SearchNotebook::ShowListCount(const SearchPageWin* page, long found)
{
    for (std::size_t i = 0; i < itsPages.size(); ++i)
        if (itsPages[i] == page)
            itsCounts[i] = found;
    if (page == GetFrontPage())
        ShowFrontCount();
}

void SearchNotebook::FrontPageChanged()
{
    if (SearchPageWin* front = GetFrontPage())
        front->ListKeptLines();
    ShowFrontCount();
}

void SearchNotebook::ShowFrontCount()
{
    const SearchPageWin* front = GetFrontPage();
    for (std::size_t i = 0; i < itsPages.size(); ++i)
        if (front != nullptr && itsPages[i] == front)
            itsWindow->ShowCount(itsCounts[i] == 0
                                     ? std::string(FRM_CStringRW(kNoHitsString).data())
                                     : std::to_string(itsCounts[i]) + " Entries Found");
}

void SearchNotebook::ShowMoves()
{
    SearchPageWin::ListMoves lists{
        static_cast<std::int16_t>(itsHistories.results.NextExists() ? 1 : 0),
        static_cast<std::int16_t>(itsHistories.results.PreviousExists() ? 1 : 0)};
    for (SearchPageWin* page : itsPages)
        if (page != nullptr)
            SearchPageWin::CmdListMoves::Send(*page, lists);
    MainRefWin::EntryMoves entries{itsHistories.entries.NextExists(),
                                   itsHistories.entries.PreviousExists(),
                                   itsHistories.entries.Count() != 0};
    MainRefWin::CmdEntryMoves::Send(*itsWindow, entries);
    itsWindow->UpdatePrintItems();
}

void SearchNotebook::ToFrontPage(long command, void* data)
{
    if (SearchPageWin* front = GetFrontPage())
        front->DoCommand(command, data);
}

void SearchNotebook::ToAllPages(long command, void* data)
{
    for (SearchPageWin* page : itsPages)
        if (page != nullptr)
            page->DoCommand(command, data);
}

void SearchNotebook::EnterResults(SearchRequest& request)
{
    auto record = std::make_unique<ResultsRecord>();
    record->hits.reset(request.TakeHits());
    record->found = request.found;
    record->text = request.text;
    record->page = request.face;
    record->searchType = request.searchType;
    record->highlights = request.highlights;
    record->reference = request.reference;
    ShowResults(*itsHistories.results.Enter(std::move(record)));
}

void SearchNotebook::ShowResults(const ResultsRecord& record)
{
    // Every page of the window lists the results, the first line selected and its entry
    // shown: the page the user turns to marks the entry shown, as the one that searched.
    ShowResultsList(record);
    if (record.hits->entries() != 0)
        ShowHit(0); // shows the moves
    else
        ShowMoves();
}

void SearchNotebook::SelectLine(int index)
{
    for (SearchPageWin* page : itsPages)
        if (page != nullptr && !page->IsPicking())
            page->SelectLine(index);
}

void SearchNotebook::ShowHit(int index)
{
    const ResultsRecord* results = itsHistories.results.Current();
    if (results == nullptr || index < 0 ||
        static_cast<std::size_t>(index) >= results->hits->entries())
        return;
    // A heading line (a word of several entries, listed under it) stands for its first
    // entry.
    SelectLine(index);
    auto at = static_cast<std::size_t>(index);
    while (at + 1 < results->hits->entries() &&
           static_cast<const WordItem*>((*results->hits)[at])->entry_offset() < 0)
        ++at;
    const auto* word = static_cast<const WordItem*>((*results->hits)[at]);
    if (word->entry_offset() < 0)
        return;
    auto entry = std::make_unique<EntryRecord>();
    entry->word = word->data();
    entry->entry = word->entry_offset();
    entry->highlights = results->highlights;
    entry->reference = results->reference;
    ShowEntry(*word, results->highlights);
    // The entry history holds the entries viewed: the entry shown again (its line chosen
    // once more) is not a new one.
    const EntryRecord* current = itsHistories.entries.Current();
    if (current == nullptr || current->entry != entry->entry ||
        current->reference != entry->reference || current->word != entry->word)
        itsHistories.entries.Enter(std::move(entry));
    ShowMoves();
}

void SearchNotebook::ShowEntry(const WordItem& word, const std::vector<std::string>& highlights)
{
    if (auto* document = dynamic_cast<RefDoc*>(itsWindow->GetDocument())) {
        RefDoc::EntryToShow shown{&word, &highlights, &itsWindow->GetPainter()};
        RefDoc::CmdShowEntry::Send(*document, shown);
    }
}

bool SearchNotebook::ShowOtherEntry(int delta)
{
    return ShowEntryAt(static_cast<long>(itsHistories.entries.Position()) + delta);
}

bool SearchNotebook::ShowEntryAt(long position)
{
    if (!itsHistories.entries.MoveTo(position))
        return false;
    const EntryRecord& record = *itsHistories.entries.Current();
    // The entry is shown in its own dictionary.
    itsWindow->SwitchReference(record.reference);
    WordItem word(record.word.c_str());
    word.set_entry_offset(record.entry);
    ShowEntry(word, record.highlights);
    ShowMoves();
    return true;
}

bool SearchNotebook::ShowOtherResults(int delta)
{
    if (!itsHistories.results.Move(delta))
        return false;
    ShowCurrentResults();
    return true;
}

void SearchNotebook::ShowCurrentResults()
{
    const ResultsRecord* record = itsHistories.results.Current();
    if (record == nullptr)
        return;
    // The list goes back to its dictionary and to the page that searched it, with its text
    // and search type.
    itsWindow->SwitchReference(record->reference);
    SearchPageWin* page = itsWindow->ShowPage(record->page);
    SearchPageWin::RestoredSearch restored{record->text, record->searchType};
    SearchPageWin::CmdRestoreSearch::Send(*page, restored);
    ShowResultsList(*record);
    SelectLine(0);
    ShowMoves();
}

std::vector<std::string> SearchNotebook::HistoryItems(bool forward) const
{
    std::vector<std::string> items;
    for (const EntryRecord* record : itsHistories.entries.Walk(forward, kHistoryMenuItems))
        items.push_back(record->word);
    return items;
}

void SearchNotebook::FillHistoryMenus(const HistoryMenus& menus) const
{
    for (const bool forward : {false, true}) {
        FRM_CSubmenu* submenu = forward ? menus.forward : menus.backward;
        if (submenu == nullptr)
            continue;
        const short firstTag = forward ? menutag::kForwardFirst : menutag::kBackwardFirst;
        const std::vector<std::string> items = HistoryItems(forward);
        for (std::size_t k = 0; k < items.size(); ++k)
            submenu->Append(FRM_CMenuItem(FRM_CStringRW(items[k].c_str()),
                                          static_cast<short>(firstTag + k), 0, FRM_CMenu::ENABLED));
    }
}

void SearchNotebook::OpenHistoryWindow()
{
    auto* document = dynamic_cast<RefDoc*>(itsWindow->GetDocument());
    if (document == nullptr)
        return;
    RefDoc::HistoryRequest request;
    for (std::size_t p = 1; p <= itsHistories.entries.Count(); ++p)
        request.names.push_back(itsHistories.entries.At(p)->word);
    const auto before = static_cast<std::int32_t>(itsHistories.entries.Position());
    request.position = before;
    RefDoc::CmdHistoryWindow::Send(*document, request);
    // The window writes the entry chosen; cancelled, the position stays.
    if (request.position > 0 && request.position != before)
        ShowEntryAt(request.position);
}

void SearchNotebook::TakeOver(SearchNotebook& other)
{
    std::int16_t front = 0;
    CmdFrontPageNumber::Send(other, front);
    itsWindow->ShowPage(front);
    const auto entriesBefore = static_cast<std::int32_t>(itsHistories.entries.Count());
    CmdAppendEntries::Send(*this, other.GetHistories().entries);
    std::int32_t entry = 0;
    CmdEntryPosition::Send(other, entry);
    if (entry > 0)
        ShowEntryAt(entriesBefore + entry);
    const auto resultsBefore = static_cast<std::int32_t>(itsHistories.results.Count());
    CmdAppendResults::Send(*this, other.GetHistories().results);
    std::int32_t results = 0;
    CmdResultsPosition::Send(other, results);
    if (results > 0 && itsHistories.results.MoveTo(resultsBefore + results))
        DoCommand(kCmdShowCurrentResults, nullptr);
}

void SearchNotebook::DoCommand(long command, void* data)
{
    switch (command) {
    case kCmdApplyPreferences:
        ToAllPages(SearchPageWin::kCmdApplyPreferences, nullptr);
        // The painter ends attached to the front page.
        if (SearchPageWin* front = GetFrontPage())
            front->DoCommand(SearchPageWin::kCmdAttachPainter, nullptr);
        return;
    case CmdLookUp::kNumber:
        if (const std::string* text = CmdLookUp::Read(data))
            if (SearchPageWin* front = GetFrontPage())
                SearchPageWin::CmdSearchFor::Send(*front, *text);
        return;
    case CmdHitChosen::kNumber:
        if (const int* line = CmdHitChosen::Read(data))
            ShowHit(*line);
        return;
    case kCmdPrintResults:
    case kCmdPrintEntry:
    case kCmdEmptyHitList:
    case SearchPageWin::CmdSearchString::kNumber:
    case SearchPageWin::CmdSearchFor::kNumber:
        ToFrontPage(command, data);
        return;
    case CmdEnterResults::kNumber:
        if (SearchRequest* request = CmdEnterResults::Read(data))
            EnterResults(*request);
        return;
    case CmdEnterEntry::kNumber:
        if (const EntryRecord* entry = CmdEnterEntry::Read(data)) {
            itsHistories.entries.Enter(entry->Copy());
            ShowMoves();
        }
        return;
    case kCmdNextList:
    case kCmdPreviousList:
        ShowOtherResults(command == kCmdNextList ? 1 : -1);
        return;
    case kCmdNextEntry:
    case kCmdPreviousEntry:
        ShowOtherEntry(command == kCmdNextEntry ? 1 : -1);
        return;
    case kCmdReferenceChanged:
        // The browse page's chooser is its own, not the dictionary's.
        for (SearchPageWin* page : itsPages)
            if (page != nullptr && page->GetKind() != SearchPageWin::kBrowse)
                page->DoCommand(SearchPageWin::kCmdReferenceChanged, nullptr);
        return;
    case CmdCurrentWord::kNumber:
        if (std::string* word = CmdCurrentWord::Read(data);
            word != nullptr && itsHistories.entries.Current() != nullptr)
            *word = itsHistories.entries.Current()->word;
        return;
    case CmdCurrentWordString::kNumber:
        if (FRM_CStringRW* word = CmdCurrentWordString::Read(data);
            word != nullptr && itsHistories.entries.Current() != nullptr)
            *word = FRM_CStringRW(itsHistories.entries.Current()->word.c_str());
        return;
    case kCmdHistoryWindow:
        OpenHistoryWindow();
        return;
    case CmdShowEntryAt::kNumber:
        if (const std::int32_t* position = CmdShowEntryAt::Read(data))
            ShowEntryAt(*position);
        return;
    case CmdHistoryMenus::kNumber:
        if (const HistoryMenus* menus = CmdHistoryMenus::Read(data))
            FillHistoryMenus(*menus);
        return;
    case CmdMoveEntries::kNumber:
        if (const std::int32_t* offset = CmdMoveEntries::Read(data))
            ShowOtherEntry(static_cast<int>(*offset));
        return;
    case CmdTakeOver::kNumber:
        if (SearchNotebook* other = CmdTakeOver::Read(data); other != nullptr && other != this)
            TakeOver(*other);
        return;
    case CmdAppendEntries::kNumber:
        if (const History<EntryRecord>* entries = CmdAppendEntries::Read(data))
            itsHistories.entries.AppendCopies(*entries);
        return;
    case CmdAppendResults::kNumber:
        if (const History<ResultsRecord>* results = CmdAppendResults::Read(data))
            itsHistories.results.AppendCopies(*results);
        return;
    case CmdEntryPosition::kNumber:
        if (std::int32_t* position = CmdEntryPosition::Read(data))
            *position = static_cast<std::int32_t>(itsHistories.entries.Position());
        return;
    case CmdResultsPosition::kNumber:
        if (std::int32_t* position = CmdResultsPosition::Read(data))
            *position = static_cast<std::int32_t>(itsHistories.results.Position());
        return;
    case kCmdShowCurrentResults:
        if (const ResultsRecord* current = itsHistories.results.Current()) {
            ShowResultsList(*current);
            ShowMoves();
        }
        return;
    case CmdFrontPageNumber::kNumber:
        if (std::int16_t* number = CmdFrontPageNumber::Read(data)) {
            const SearchPageWin* front = GetFrontPage();
            *number = 0;
            for (int i = 0; i < kPageCount; ++i)
                if (itsPages[static_cast<std::size_t>(i)] == front)
                    *number = static_cast<std::int16_t>(i);
        }
        return;
    case SearchPageWin::CmdChooseSearch::kNumber:
        if (const auto* choice = SearchPageWin::CmdChooseSearch::Read(data);
            choice != nullptr && choice->page >= 0 && choice->page < kPageCount) {
            itsWindow->DoMenuCommand(static_cast<short>(menutag::kBasicSearches + choice->page), 0,
                                     0);
            GetPage(choice->page)->DoCommand(command, data);
        }
        return;
    case CmdHasEntries::kNumber:
        if (std::int16_t* has = CmdHasEntries::Read(data))
            *has = itsHistories.entries.Count() != 0 ? 1 : 0;
        return;
    default:
        return; // the notebook's commands only
    }
}
