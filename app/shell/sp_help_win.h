// sp_help_win.h: SpHelpWin, the modal spelling-help window: the word typed on a search page
// in a one-line field and, in a list, the dictionary's words that sound like it. The user
// picks one (Return in the field looks the field's text up again) and confirms with OK (or
// Return on it or on the list) or a double click; the page then searches the word picked.
#pragma once
#include <string>
#include <vector>

#include "app/shell/id_data.h"
#include "app/shell/modal_list.h"
#include "frm/views/cwindow.h"

class FRM_NEditControl;
class FRM_NListBox;
class RefDoc;
class RWOrdered;

class SpHelpWin : public FRM_CWindow {
public:
    static constexpr long kCmdRefresh = 36;
    static constexpr long kCmdChosen = 9001;
    static constexpr long kCmdConfirm = 9002;
    static constexpr long kCmdCancel = 9004;

    // A query split into its index code and word: "df=colour" gives "df" and "colour" when
    // df is one of names; any other text is a word alone (code empty).
    struct CodedWord {
        std::string code;
        std::string word;
    };
    static CodedWord SplitQuery(const std::string& query, const std::vector<std::string>& names);
    // The lines of the list for words (as many as fit the list's budget) and the line to select:
    // the one equal to typed, -1 when none of the lines is.
    static std::vector<std::string> ListLines(const RWOrdered& words, const std::string& typed,
                                              int* selected);

    // Shows the sound-alike words of query in a modal window and answers what the user
    // confirmed: the query to search (the picked word, or "code=word" for a coded query,
    // which then runs as written: *code becomes ""); empty when cancelled.
    static std::string Run(RefDoc* document, const std::string& query, std::string* code);

    // The window made by the factory for query, without its modal loop (Run's, and tests').
    static SpHelpWin* Make(RefDoc* document, const std::string& query,
                           const std::vector<std::string>& names);
    // The factory's constructor.
    SpHelpWin(FRM_CDocument* document, const FRM_CRect& frame, const FRM_CStringRW& title,
              long attributes, e_win_type type, int menuBarId, WINDOW parent);
    // Looks the field's text up and fills the list.
    void FillList();
    // What confirming gives now (see Run); empty when nothing is picked.
    std::string Confirmed() const;
    FRM_NListBox* GetList() const { return itsList; }
    FRM_NEditControl* GetField() const { return itsField; }

    // FRM_CWindow
    void DoCommand(long command, void* data) override;
    void DoTimer(long timerId) override;
    void DoKey(const FRM_CKey& key) override;

private:
    ModalAnswer<std::string> itsModal;
    SpHelpWinIDData itsIDData;
    CodedWord itsQuery;
    FRM_NEditControl* itsField = nullptr;
    FRM_NListBox* itsList = nullptr;
};
