// ccharunits.cpp: character units and the class-wide printer measurement (the module's
// state). A print job that yields no window reports 2401 and leaves the printer mapping alone.
#include "frm/drawing/ccharunits.h"

#include "frm/core/frmerror.h"
#include "frm/runtime/cglblcls.h"
#include "frm/views/cwindow.h"
#include "ruk/static/vkoruk.h"

namespace {
constexpr char kModule[] = "cunits";
constexpr long kErrNoPrintWindow = 2401;
constexpr int kLineNoPrintWindow = 376;
constexpr int kFirstMeasured = 32;   // space
constexpr int kLastMeasured = 122;   // 'z'
constexpr int kMeasuredCount = kLastMeasured - kFirstMeasured + 1;

struct CharacterState {
    short needsPrinterMapping = 0;
    int printerWidth = 0;
    int printerHeight = 0;
};
CharacterState state;

// Runs inside the print loop: measures the units' base font on a print window.
BOOLEAN MeasureOnPrinter(intptr_t data)
{
    const auto* const units = reinterpret_cast<const FRM_CCharacterUnits*>(data);
    std::int32_t recordSize = 0;
    s_printrcd* const record = vko_print_create(&recordSize);
    const WINDOW window = record != nullptr ? vko_print_create_win(record, "") : nullptr;
    if (window == nullptr) {
        FrmError(kErrNoPrintWindow, kModule, kLineNoPrintWindow);
        if (record != nullptr)
            vko_print_destroy(record);
        return FALSE;
    }
    int width = 0, height = 0;
    units->GetCharSize(window, &width, &height);
    FRM_CCharacterUnits::SetPrinterSize(width, height);
    vko_vobj_destroy(window);
    vko_print_destroy(record);
    return TRUE;
}
} // namespace

FRM_CCharacterUnits::FRM_CCharacterUnits(const FRM_CFont& base) { SetBaseFont(base); }

void FRM_CCharacterUnits::SetBaseFont(const FRM_CFont& base)
{
    itsBaseFont = base;
    FRM_CGlobalClassLib* const library = GetG();
    FRM_CWindow* const hidden = library != nullptr ? library->GetHiddenWindow() : nullptr;
    const WINDOW window = hidden != nullptr ? hidden->GetVKOWindow() : nullptr;
    if (window == nullptr)
        return;
    int width = 0, height = 0;
    GetCharSize(window, &width, &height);
    SetScreenMapping(static_cast<float>(width), static_cast<float>(height));
    if (state.needsPrinterMapping == 0)
        return;
    if (vko_print_start_thread(MeasureOnPrinter, reinterpret_cast<intptr_t>(this)) == FALSE)
        return;
    int printerWidth = 0, printerHeight = 0;
    GetPrinterSize(&printerWidth, &printerHeight);
    SetPrinterMapping(static_cast<float>(printerWidth), static_cast<float>(printerHeight));
}

void FRM_CCharacterUnits::GetCharSize(WINDOW window, int* width, int* height) const
{
    vko_dwin_set_font(window, itsBaseFont);
    std::int32_t leading = 0, ascent = 0, descent = 0;
    vko_dwin_get_font_metrics(window, &leading, &ascent, &descent);
    long sum = 0;
    for (int c = kFirstMeasured; c <= kLastMeasured; ++c) {
        const char text[2] = {static_cast<char>(c), '\0'};
        const std::int32_t measured = vko_dwin_get_text_width(window, text, 1);
        sum += measured > 0 ? measured : 0;
    }
    if (width != nullptr)
        *width = static_cast<int>(sum * 2 / kMeasuredCount);
    if (height != nullptr)
        *height = leading + ascent + descent;
}

void FRM_CCharacterUnits::NeedsPrinterMapping(short needed) { state.needsPrinterMapping = needed; }
short FRM_CCharacterUnits::GetNeedsPrinterMapping() { return state.needsPrinterMapping; }

void FRM_CCharacterUnits::SetPrinterSize(int width, int height)
{
    state.printerWidth = width;
    state.printerHeight = height;
}

void FRM_CCharacterUnits::GetPrinterSize(int* width, int* height)
{
    if (width != nullptr)
        *width = state.printerWidth;
    if (height != nullptr)
        *height = state.printerHeight;
}
