// entry_painter.cpp: the entry painter itself: making and copying it, the part order and
// words to highlight, and the window state it draws with: fonts, colours, style bytes, text
// widths (through a cache) and line metrics. Layout only measures and places
// (entry_painter_layout.cpp); drawing, on screen and on printer pages alike, replays the runs
// with their style bytes (entry_painter_draw.cpp), so a run moved by a wrap is drawn once, at
// its final place. Hit tests and selection are in entry_painter_select.cpp, printing in
// entry_painter_print.cpp, illustrations and tables in entry_painter_image.cpp.
#include "app/display/entry_painter.h"

#include <algorithm>
#include <functional>

#include "app/display/display_text.h"
#include "app/display/entry_painter_internal.h"
#include "engine/worditem.h"
#include "ruk/static/vkoruk.h"
#include "vkocoll/ordered.h"
#include "vkocoll/rwint.h"

using namespace entry_paint;

namespace {

constexpr std::uint32_t kRed = 0x01FF0000;

} // namespace

std::size_t EntryPainter::WidthKeyHash::operator()(const WidthKey& k) const
{
    std::size_t h = std::hash<std::string>()(k.text);
    const std::uint64_t style =
        (static_cast<std::uint64_t>(static_cast<std::uint16_t>(k.fontIndex)) << 48) ^
        (static_cast<std::uint64_t>(static_cast<std::uint16_t>(k.reduction)) << 32) ^
        (static_cast<std::uint64_t>(static_cast<std::uint16_t>(k.styleCode)) << 16) ^
        static_cast<std::uint16_t>(k.shift) ^
        (static_cast<std::uint64_t>(static_cast<std::uint32_t>(k.fontStyle)) << 20);
    return h ^ (std::hash<std::uint64_t>()(style) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2));
}

EntryPainter::EntryPainter(EntryPane* view, WINDOW window) : itsView(view), itsWindow(window)
{
    itsSettings.prefs.font_size = kDefaultFontSize;
    itsSettings.prefs.back_color = kDefaultBackColor;
    itsSettings.prefs.text_color = kDefaultTextColor;
    itsSettings.prefs.highlight_color = kDefaultHighlightColor;
    itsSettings.prefs.audio_color = kDefaultAudioColor;
    itsSettings.current_size = static_cast<std::int16_t>(kDefaultFontSize);
    if (itsWindow != nullptr)
        SetFontFamily(itsSettings.font_index, itsSettings.current_size, 0);
    // The line metrics come from the window even before there is a view to lay out in.
    if (itsView != nullptr || itsWindow != nullptr)
        UpdateMetrics();
}

EntryPainter::EntryPainter(const EntryPainter& other)
    : itsRight(other.itsRight), itsLeft(other.itsLeft), itsTop(other.itsTop),
      itsBottom(other.itsBottom), itsOverflowLimit(other.itsOverflowLimit),
      itsLineHeight(other.itsLineHeight),
      itsPageLines(other.itsPageLines), itsAscentOffset(other.itsAscentOffset),
      itsDescent(other.itsDescent), itHasText(other.itHasText),
      itIsPrinting(other.itIsPrinting), itIsImageShown(other.itIsImageShown),
      itsView(other.itsView), itsWindow(other.itsWindow),
      itsCaption(other.itsCaption ? other.itsCaption->Copy() : nullptr),
      itsImageRecord(other.itsImageRecord),
      itsSettings(other.itsSettings), itsEntryStart(other.itsEntryStart), itsJob(other.itsJob),
      itsPenX(other.itsPenX), itsPenY(other.itsPenY), itsRuns(other.itsRuns),
      itsLines(other.itsLines), itsWidthCache(other.itsWidthCache),
      itsSelection(other.itsSelection), itsGroups(other.itsGroups),
      itsCurrentGroup(other.itsCurrentGroup), itsSearchWords(other.itsSearchWords),
      itsLayoutTokens(other.itsLayoutTokens), itsDisplayParts(other.itsDisplayParts)
{
    // The entry shown travels with the copy (a print job shows it again); the hit items
    // are the screen's and start afresh.
    std::copy(std::begin(other.itsParts), std::end(other.itsParts), std::begin(itsParts));
    for (Run& run : itsRuns)
        run.hitItem = -1;
}

EntryPainter::~EntryPainter() = default;

void EntryPainter::SetDisplayOrder(const RWOrdered& layoutTokenTexts,
                                   const RWOrdered& displayParts, const RWOrdered* searchWords)
{
    itsLayoutTokens.clear();
    for (std::size_t i = 0; i < layoutTokenTexts.entries(); ++i) {
        const auto* text = dynamic_cast<const RWCollectableString*>(layoutTokenTexts.at(i));
        itsLayoutTokens.push_back(text != nullptr ? TextOf(*text) : std::string());
    }
    itsDisplayParts.clear();
    for (std::size_t i = 0; i < displayParts.entries(); ++i) {
        const auto* part = dynamic_cast<const RWCollectableInt*>(displayParts.at(i));
        itsDisplayParts.push_back(part != nullptr ? part->value() : 0);
    }
    itsSearchWords.clear();
    if (searchWords != nullptr) {
        for (std::size_t i = 0; i < searchWords->entries(); ++i) {
            const auto* word = dynamic_cast<const RWCollectableString*>(searchWords->at(i));
            if (word != nullptr && word->length() > 0)
                itsSearchWords.push_back(TextOf(*word));
        }
    }
}

WINDOW EntryPainter::Target() const
{
    if (itIsPrinting && itsJob != nullptr)
        return itsJob->window;
    return itsWindow;
}

void EntryPainter::SetFontFamily(int fontIndex, std::int32_t size, std::int32_t style)
{
    DisplaySettings settings = itsSettings;
    settings.font_index = static_cast<std::int16_t>(fontIndex);
    settings.current_size = static_cast<std::int16_t>(size);
    settings.font_style = style;
    SyncFont(settings, false);
}

EntryPainter::WindowFont EntryPainter::TargetFont(const DisplaySettings& settings, bool highlight)
{
    WindowFont font;
    font.family = std::clamp<int>(settings.font_index, 0, 4);
    font.size = std::max<std::int32_t>(1, settings.current_size);
    font.style = settings.font_style;
    font.color = highlight ? settings.prefs.highlight_color : settings.prefs.text_color;
    if (settings.color_lock != 0) {
        font.color = settings.lock_byte == 0x0E   ? kBlue
                     : settings.lock_byte == 0x0F ? kRed
                                                  : settings.prefs.text_color;
    }
    font.colorSet = true;
    return font;
}

void EntryPainter::SyncFont(const DisplaySettings& settings, bool highlight)
{
    WINDOW window = Target();
    if (window == nullptr)
        return;
    const WindowFont target = TargetFont(settings, highlight);
    if (target.family != itsWindowFont.family) {
        vko_dwin_set_font_family(window, kEntryFontFamilies[target.family]);
        itsWindowFont.family = target.family;
    }
    if (target.size != itsWindowFont.size) {
        vko_dwin_set_font_size(window, target.size);
        itsWindowFont.size = target.size;
    }
    if (target.style != itsWindowFont.style) {
        vko_dwin_set_font_style(window, static_cast<std::uint32_t>(target.style));
        itsWindowFont.style = target.style;
    }
    if (!itsWindowFont.colorSet || target.color != itsWindowFont.color) {
        vko_dwin_set_fore_color(window, target.color);
        itsWindowFont.color = target.color;
        itsWindowFont.colorSet = true;
    }
}

void EntryPainter::ApplyStyleByte(unsigned char byte, DisplaySettings* s, bool startGroup)
{
    const int low = byte & 0x07;
    const std::int32_t pref = s->prefs.font_size;
    if ((byte & 0x08) == 0) {
        if (low == 0 || low == s->style_code)
            return;
        s->style_code = static_cast<std::int16_t>(low);
        switch (low) {
        case 1: case 2: case 3:
            // Plain, bold and italic end a small run and a raised or lowered one too.
            s->size_reduction = 0;
            s->baseline_shift = 0;
            s->current_size = static_cast<std::int16_t>(pref);
            s->font_style = low == 2 ? 1 : low == 3 ? 2 : 0;
            break;
        case 4:
            s->font_style = 0;
            s->baseline_shift = 0;
            if (s->size_reduction == 0) {
                s->size_reduction = 2;
                s->current_size = static_cast<std::int16_t>(pref - 2);
            }
            break;
        case 5:
            s->current_size = static_cast<std::int16_t>(std::max(8, pref / 2) - s->size_reduction);
            s->baseline_shift = -4;
            break;
        case 6:
            s->current_size =
                static_cast<std::int16_t>(std::max(8, pref - pref / 3) - s->size_reduction);
            s->baseline_shift = 2;
            break;
        default:
            s->current_size = static_cast<std::int16_t>(pref - s->size_reduction);
            s->baseline_shift = 0;
            break;
        }
        return;
    }
    if (low <= 4) {
        s->font_index = static_cast<std::int16_t>(low);
        return;
    }
    if (s->color_lock == 0) {
        s->color_lock = 1;
        s->lock_byte = static_cast<std::uint8_t>(0x08 | low);
        if (startGroup && s->lock_byte == 0x0E) {
            itsGroups.emplace_back();
            itsCurrentGroup = static_cast<std::int32_t>(itsGroups.size()) - 1;
        }
    } else {
        s->color_lock = 0;
        s->lock_byte = 0;
    }
}

float EntryPainter::Measure(const std::string& text)
{
    WINDOW window = Target();
    if (window == nullptr || text.empty())
        return 0;
    SyncFont(itsSettings, false);
    ++itsMeasureCount;
    const std::int32_t width =
        vko_dwin_get_text_width(window, text.data(), static_cast<std::int32_t>(text.size()));
    return width > 0 ? static_cast<float>(width) : 0.0f;
}

float EntryPainter::CachedWidth(const std::string& text)
{
    WidthKey key{text, itsSettings.font_index, itsSettings.size_reduction,
                 itsSettings.style_code, itsSettings.baseline_shift, itsSettings.font_style};
    const auto found = itsWidthCache.find(key);
    if (found != itsWidthCache.end())
        return found->second;
    const float width = Measure(text);
    itsWidthCache.emplace(std::move(key), width);
    return width;
}

void EntryPainter::UpdateMetrics()
{
    WINDOW window = Target();
    std::int32_t leading = 0, ascent = 0, descent = 0;
    if (window != nullptr) {
        SyncFont(itsSettings, false);
        vko_dwin_get_font_metrics(window, &leading, &ascent, &descent);
    }
    // A font without metrics still gets lines one pixel high, never zero.
    itsLineHeight = static_cast<std::int16_t>(std::clamp(leading + ascent + descent, 1, 32767));
    itsAscentOffset = leading + ascent;
    itsDescent = descent;
    if (itIsPrinting) {
        if (window == nullptr)
            return;
        s_rct client{};
        vko_vobj_get_client_rect(window, &client);
        const auto hres =
            static_cast<std::int32_t>(vko_vobj_get_attr(NULL_WIN, VKO_ATTR_PRINTER_HRES));
        const auto vres =
            static_cast<std::int32_t>(vko_vobj_get_attr(NULL_WIN, VKO_ATTR_PRINTER_VRES));
        // Half an inch at the sides, an inch at the top, two at the bottom.
        itsLeft = std::max(0, hres / 2);
        itsRight = client.right - itsLeft;
        itsOverflowLimit = client.right;
        itsTop = std::max(0, vres);
        itsBottom = client.bottom - 2 * std::max(0, vres);
        return;
    }
    if (itsView == nullptr)
        return;
    const s_rct frame = itsView->PaneFrame();
    itsRight = frame.right - 50;
    itsOverflowLimit = itsView->TextArea().right - 4;
    itsLeft = 20;
    itsTop = 2 * itsLineHeight;
    itsBottom = frame.bottom;
    itsView->SetLineStep(itsLineHeight);
}

void EntryPainter::SetView(EntryPane* view)
{
    EntryPane* before = itsView;
    const std::int32_t rightBefore = itsRight;
    itsView = view;
    UpdateMetrics();
    if (view == nullptr || view == before || itIsPrinting || (!itHasText && !itIsImageShown))
        return;
    // The entry shown moves to another pane (another page of the window): that pane's bar
    // takes the entry's lines, or the lines are broken again at that pane's width.
    if (before == nullptr || itsRight != rightBefore) {
        DrawEntry();
        return;
    }
    ScrollToTop();
}

void EntryPainter::SetColors(const Prefs& prefs)
{
    if (itIsPrinting || itsWindow == nullptr)
        return;
    itsSettings.prefs = prefs;
    itsSettings.current_size = static_cast<std::int16_t>(prefs.font_size);
    itsWidthCache.clear();
    if (itsView != nullptr)
        itsView->SetPaneColors(prefs.back_color, prefs.text_color);
    itsWindowFont = WindowFont{};
    // The line height is the phonetic font's, the tallest of the families.
    SetFontFamily(kPhoneticFontIndex, itsSettings.current_size, itsSettings.font_style);
    UpdateMetrics();
}
