// kq_list_box.cpp: the hit list.
#include "app/display/kq_list_box.h"

#include <algorithm>
#include <cstdlib>

#include "frm/interaction/cmouse.h"
#include "frm/runtime/cnav.h"
#include "frm/views/csubview.h"
#include "frm/views/cwindow.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr std::uint32_t kListAttributes = 0x815;
constexpr float kListMargin = 1000.0F;
constexpr int kListLimit = 1000;
constexpr std::uint16_t kEscape = 27;

const FRM_CTypeInfo* const kListBoxBases[] = {&frm_type::NScrollText, nullptr};
const FRM_CTypeInfo kListBoxType(10001, "KQListBox", kListBoxBases);

// The text-edit window's handler before the list took it over; every list box's text edit
// had the same one, so one is kept for the whole process.
VKO_EVENT_HANDLER& SavedHandler()
{
    static VKO_EVENT_HANDLER handler = nullptr;
    return handler;
}

WINDOW TextEditWindow(const KQListBox& list)
{
    return reinterpret_cast<WINDOW>(list.GetVKOTextEdit());
}

} // namespace

void KQListBox::ResetForTests() { SavedHandler() = nullptr; }

// Clicks on a list box of the enclosure: the text edit places its caret as for any click,
// and the list selects the whole line it landed on.
class KQListBoxMouseAgent : public FRM_CMouseHandler {
public:
    explicit KQListBoxMouseAgent(FRM_CSubview* enclosure) : itsEnclosure(enclosure) {}

    short DoDown(FRM_CPoint& where, short& button, short& shift, short& control) override
    {
        KQListBox* list = ListAt(where);
        if (list == nullptr)
            return 0;
        const int before = list->GetSelectedIndex();
        SendToTextEdit(*list, E_MOUSE_DOWN, where, button, shift, control);
        const int after = list->GetSelectedIndex();
        if (after != before)
            SendToTextEdit(*list, E_MOUSE_UP, where, button, shift, control);
        list->SelectItem(list->GetSelectedIndex());
        // Also for the line already selected: the page shows its entry again. An empty list
        // has no line to show.
        if (list->GetCount() > 0 && itsEnclosure != nullptr)
            itsEnclosure->DoCommand(KQListBox::kCmdLineChosen, nullptr);
        return 1;
    }
    short DoUp(FRM_CPoint& where, short&, short&, short&) override
    {
        if (ListAt(where) == nullptr)
            return 0;
        vko_win_release_pointer();
        return 1;
    }
    // Double-clicks and moves over a list would select words or drag a selection in its
    // text edit: they are kept from it. Elsewhere in the window they go on as usual.
    short DoDouble(FRM_CPoint& where, short&, short&, short&) override
    {
        return ListAt(where) != nullptr ? 1 : 0;
    }
    short DoMove(FRM_CPoint& where, short&, short&, short&) override
    {
        return ListAt(where) != nullptr ? 1 : 0;
    }
    short UsesGlobalCoords() const override { return 0; }

private:
    // The list box under a point of the window, or null.
    KQListBox* ListAt(const FRM_CPoint& where) const
    {
        if (itsEnclosure == nullptr)
            return nullptr;
        FRM_CView* view = itsEnclosure->FindDeepSubview(where);
        if (view == nullptr || !view->GetRunTimeTypeInfo()->IsSame(KQListBox::GetStaticTypeInfo()))
            return nullptr;
        return static_cast<KQListBox*>(view);
    }
    static void SendToTextEdit(const KQListBox& list, e_event type, const FRM_CPoint& where,
                               short button, short shift, short control)
    {
        const FRM_CWindow* window = list.GetCWindow();
        const WINDOW textEdit = TextEditWindow(list);
        if (window == nullptr || textEdit == nullptr)
            return;
        EVENT event{};
        event.type = type;
        event.v.mouse.where = static_cast<s_pnt>(where);
        vko_vobj_translate_points(window->GetVKOWindow(), textEdit, &event.v.mouse.where, 1);
        event.v.mouse.button = button;
        event.v.mouse.shift = static_cast<BOOLEAN>(shift);
        event.v.mouse.control = static_cast<BOOLEAN>(control);
        vkovo_tx_process_event(textEdit, &event);
    }

    FRM_CSubview* itsEnclosure; // the page holding the lists; not owned
};

KQListBox::KQListBox(FRM_CSubview* enclosure, const FRM_CRect& frame)
    : FRM_NScrollText(enclosure, frame, 1, 0, kListAttributes, kListMargin, kListLimit, 1)
{
    FRM_CWindow* window = enclosure != nullptr ? enclosure->GetCWindow() : nullptr;
    if (FRM_CMouseManager* manager = window != nullptr ? window->GetMouseManager() : nullptr) {
        itsMouseAgent = std::make_unique<KQListBoxMouseAgent>(enclosure);
        manager->RegisterMouseHandler(itsMouseAgent.get(), 0);
    }
    if (const WINDOW textEdit = TextEditWindow(*this)) {
        SavedHandler() = vko_win_get_handler(textEdit);
        vko_win_set_handler(textEdit, TextEditHandler);
    }
    IScrollText(1, kListAttributes, kListMargin, kListLimit, FRM_CStringRW(), 0, 1, 0);
}

KQListBox::~KQListBox() = default; // the agent leaves the managers it is registered with

const FRM_CTypeInfo* KQListBox::GetStaticTypeInfo() { return &kListBoxType; }
const FRM_CTypeInfo* KQListBox::GetRunTimeTypeInfo() const { return &kListBoxType; }

void KQListBox::ResumeList() { Resume(0); }

short KQListBox::AddItems(const std::vector<std::string>& lines, int start)
{
    if (start < 0 || start > GetCount() || itsTextEdit == 0)
        return 0;
    // Straight into the text edit: a list is filled on every search, with up to tens of
    // thousands of lines, and nothing is bound to its text.
    std::uint16_t at = static_cast<std::uint16_t>(start);
    for (const std::string& line : lines)
        if (vko_tx_add_par(itsTextEdit, at, line.c_str()))
            ++at;
    return 1;
}

std::string KQListBox::GetItem(int index) const
{
    if (index < 0 || index >= GetCount())
        return {};
    return GetParagraph(static_cast<std::uint16_t>(index)).data();
}

FRM_CStringRW KQListBox::GetSelectedText() const
{
    // A caret alone selects no line: the list was filled and nothing chosen in it.
    std::uint16_t p0 = 0, l0 = 0, c0 = 0, p1 = 0, l1 = 0, c1 = 0;
    if (itsTextEdit != 0)
        vko_tx_get_sel(itsTextEdit, &p0, &l0, &c0, &p1, &l1, &c1);
    if (p0 == p1 && l0 == l1 && c0 == c1)
        return FRM_CStringRW("");
    return FRM_CStringRW(GetItem(GetSelectedIndex()).c_str());
}

int KQListBox::GetCount() const { return itsTextEdit != 0 ? GetNParInText() : 0; }

short KQListBox::SelectItem(int index)
{
    if (index < 0 || index >= GetCount())
        return 0;
    SelectParagraph(static_cast<std::uint16_t>(index), 0, kEnd, 0, kEnd);
    return 1;
}

int KQListBox::GetSelectedIndex() const
{
    std::uint16_t p0 = 0, l0 = 0, c0 = 0, p1 = 0, l1 = 0, c1 = 0;
    if (itsTextEdit != 0)
        vko_tx_get_sel(itsTextEdit, &p0, &l0, &c0, &p1, &l1, &c1);
    return p0;
}

std::int32_t KQListBox::TextEditHandler(WINDOW window, EVENT* event) noexcept
{
    auto* object = reinterpret_cast<FRM_CObjectRWC*>(vko_vobj_get_data(window));
    auto* list = FrmCast<KQListBox>(object);
    if (list == nullptr || event == nullptr)
        return 0;
    switch (event->type) {
    case E_FOCUS:
        return -1;
    case E_CHAR:
        // Tab moves the keys on, as from any control.
        if ((event->v.chr.virt == 0 && event->v.chr.ch == 9) ||
            (event->v.chr.virt != 0 && event->v.chr.ch == VKO_KEY_BACK_TAB)) {
            FRM_CNavigator::Manager()->DoKey(FRM_CKey(event->v.chr));
            return 0;
        }
        if (event->v.chr.virt == 0 && event->v.chr.ch == kEscape) {
            list->Tell(kCmdClear);
            return 0;
        }
        list->KeyMoved(*event);
        return -1;
    default:
        break;
    }
    const VKO_EVENT_HANDLER saved = SavedHandler();
    return saved != nullptr ? saved(window, event) : 0;
}

void KQListBox::KeyMoved(EVENT& event)
{
    // A line is the list's unit: Home and End go to its first and last line, not to the
    // ends of the line the caret is in.
    if (event.v.chr.virt != 0 && event.v.chr.ch == VKO_KEY_LINE_START)
        event.v.chr.ch = VKO_KEY_TEXT_START;
    else if (event.v.chr.virt != 0 && event.v.chr.ch == VKO_KEY_LINE_END)
        event.v.chr.ch = VKO_KEY_TEXT_END;
    const int before = GetSelectedIndex();
    vkovo_tx_process_event(TextEditWindow(*this), &event);
    const int after = GetSelectedIndex();
    SelectItem(after);
    if (after != before)
        Tell(kCmdLineChosen);
}

void KQListBox::Tell(long command)
{
    if (FRM_CSubview* enclosure = GetEnclosure())
        enclosure->DoCommand(command, nullptr);
}

namespace {

void ExitHook()
{
    vkowi_End();
    std::exit(0);
}

TXEDIT CreateTextEditHook(s_win_def* definition, WINDOW parent, intptr_t appData)
{
    return vkov_tx_create_def(definition, parent, appData);
}

TXEDIT FindTextEditHook(WINDOW window, int32_t controlId)
{
    return vkov_tx_get_tx(window, controlId);
}

} // namespace

short InstallStartupHooks(s_startup* record)
{
    if (record == nullptr)
        return 0;
    record->fatal_exit = ExitHook;
    record->tx_create = CreateTextEditHook;
    record->tx_get_tx = FindTextEditHook;
    return 1;
}
