// ctexttab.cpp: tab stops, tab sets, and lines of fields measured, drawn and hit-tested at
// their stops. Every call splits the line anew; nothing is cached.
#include "frm/controls/ctexttab.h"

#include <algorithm>
#include <optional>

#include "frm/core/cunits.h"
#include "frm/core/cvaluerwc.h"
#include "frm/drawing/cdrawctx.h"
#include "frm/drawing/cenviron.h"
#include "frm/drawing/cfont.h"
#include "frm/views/cimage.h"
#include "frm/views/cview.h"

namespace {

constexpr float kMissingTab = -1000.0f;
constexpr float kHitHalfWidth = 12.0f;

std::string Stripped(const std::string& theText)
{
    const std::size_t first = theText.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::string();
    return theText.substr(first, theText.find_last_not_of(' ') - first + 1);
}

// The fields of a line: the pieces between tab characters, empty pieces left out.
std::vector<std::string> Fields(const std::string& theLine)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (start <= theLine.size()) {
        std::size_t end = theLine.find('\t', start);
        if (end == std::string::npos)
            end = theLine.size();
        if (end > start)
            fields.push_back(theLine.substr(start, end - start));
        start = end + 1;
    }
    return fields;
}

// Width in pixels of theText in theFont; a font not yet mapped is measured in the view's
// window.
float PixelWidth(const FRM_CView& theView, const FRM_CFont& theFont, const std::string& theText)
{
    if (theText.empty())
        return 0;
    if (theFont.IsMapped())
        return static_cast<float>(theFont.GetTextWidth(FRM_CStringRW(theText.c_str())));
    FRM_CFont mapped(theFont);
    mapped.Map(theView.GetCWindow());
    return static_cast<float>(mapped.GetTextWidth(FRM_CStringRW(theText.c_str())));
}

float LogicalWidth(const FRM_CView& theView, float thePixels)
{
    const FRM_CUnits* units = theView.GetUnits();
    return units != nullptr ? units->HPhysicalToLogical(static_cast<int>(thePixels)) : thePixels;
}

FRM_CRect MovedBy(FRM_CRect theRect, const FRM_CPoint& theTabRelative)
{
    theRect += FRM_CPoint(theTabRelative.H(), 0);
    return theRect;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Tab stops

FRM_CRect FRM_CTextTab::Placed(float theWidth, float theDecimalWidth) const
{
    float left = itsPosition;
    switch (itsType) {
    case Right:
    case RightImage:
        left = itsPosition - theWidth;
        break;
    case Center:
    case CenterImage:
        left = itsPosition - theWidth / 2;
        break;
    case Decimal:
        left = itsPosition - theDecimalWidth;
        break;
    default:
        break;
    }
    return FRM_CRect(left, 0, left + theWidth, 0);
}

FRM_CRect FRM_CTextTab::GetBounds(const FRM_CView& theView, const FRM_CFont& theFont,
                                  const FRM_CStringRW& theString) const
{
    const std::string text = theString.data();
    const float width = LogicalWidth(theView, PixelWidth(theView, theFont, text));
    float decimal = 0;
    if (itsType == Decimal) {
        // The first piece when the text is split at "." (pieces are never empty).
        const std::size_t start = text.find_first_not_of('.');
        const std::string piece = start == std::string::npos
                                      ? std::string()
                                      : text.substr(start, text.find('.', start) - start);
        decimal = LogicalWidth(theView, PixelWidth(theView, theFont, piece));
    }
    FRM_CTextTab textTab(*this);
    if (IsImageTab())
        textTab.itsType = Left;
    return textTab.Placed(width, decimal);
}

FRM_CRect FRM_CTextTab::GetBounds(const FRM_CImage& theImage) const
{
    FRM_CTextTab imageTab(*this);
    if (itsType == Right || itsType == Center || itsType == Decimal)
        imageTab.itsType = Left;
    return imageTab.Placed(static_cast<float>(theImage.GetWidth()), 0);
}

// ---------------------------------------------------------------------------------------------
// Images in collections

namespace {

RWCollectable* CreateImageRWC() { return new CImageRWC; }

// Registers the image with the container library's factory for the library's life.
struct ImageFactoryEntry {
    ImageFactoryEntry() { rwAddToFactory(CreateImageRWC, CImageRWC::classIsA(), "CImageRWC"); }
    ~ImageFactoryEntry() { rwRemoveFromFactory(CImageRWC::classIsA()); }
};
const ImageFactoryEntry imageFactoryEntry;

} // namespace

RWClassID CImageRWC::classIsA() { return static_cast<RWClassID>(frm_type::CImageRWC.GetId()); }

// ---------------------------------------------------------------------------------------------
// Tab sets

CTabSet::CTabSet() = default;

CTabSet::CTabSet(const CTabSet& other) : itsNTabs(other.itsNTabs), itsTabs(other.itsTabs)
{
    CopyImages(other);
}

// Hand-written: the owned images and keys are destroyed and the source's deep-copied.
CTabSet& CTabSet::operator=(const CTabSet& other)
{
    if (&other == this)
        return *this;
    itsNTabs = other.itsNTabs;
    itsTabs = other.itsTabs;
    itsImages.clearAndDestroy();
    CopyImages(other);
    return *this;
}

CTabSet::~CTabSet() { itsImages.clearAndDestroy(); }

void CTabSet::CopyImages(const CTabSet& other)
{
    const_cast<RWHashDictionary&>(other.itsImages).applyToKeyAndValue(
        [](RWCollectable* key, RWCollectable* value, void* into) {
            static_cast<RWHashDictionary*>(into)->insertKeyAndValue(key->copy(), value->copy());
        },
        &itsImages);
}

void CTabSet::AddTab(const FRM_CTextTab& theTab)
{
    if (itsNTabs == itsTabs.size())
        itsTabs.resize(itsNTabs + 4);
    itsTabs[itsNTabs++] = theTab;
}

void CTabSet::RemoveTab(unsigned long theIndex)
{
    if (itsNTabs == 0)
        return;
    if (theIndex < itsNTabs)
        std::copy(itsTabs.begin() + static_cast<long>(theIndex) + 1,
                  itsTabs.begin() + static_cast<long>(itsNTabs),
                  itsTabs.begin() + static_cast<long>(theIndex));
    --itsNTabs;
}

void CTabSet::ReplaceTab(unsigned long theIndex, const FRM_CTextTab& theTab)
{
    if (theIndex >= kMaxTabs)
        return;
    if (theIndex >= itsTabs.size())
        itsTabs.resize(theIndex + 4);
    itsTabs[theIndex] = theTab;
}

FRM_CTextTab CTabSet::GetTab(unsigned long theIndex) const
{
    return theIndex < itsNTabs ? itsTabs[theIndex] : FRM_CTextTab(FRM_CTextTab::Left, kMissingTab);
}

void CTabSet::AddImage(const FRM_CImage* theImage, const FRM_CStringRW& theKey)
{
    if (theImage == nullptr)
        return;
    auto* key = new FRM_CStringRWC(Stripped(theKey.data()).c_str());
    auto* image = new CImageRWC(*theImage);
    // A key already present takes the new image; the old one goes.
    if (RWCollectable* old = itsImages.findValue(key, image)) {
        delete old;
        delete key;
        return;
    }
    itsImages.insertKeyAndValue(key, image);
}

const FRM_CImage* CTabSet::FindImage(const FRM_CStringRW& theKey) const
{
    const FRM_CStringRWC key(Stripped(theKey.data()).c_str());
    return static_cast<const CImageRWC*>(itsImages.findValue(&key));
}

FRM_CRect CTabSet::FieldBounds(const std::string& theField, unsigned long theIndex,
                               const FRM_CView& theView, const FRM_CFont& theFont,
                               const FRM_CPoint& theTabRelative, const FRM_CImage** theImage) const
{
    const FRM_CTextTab tab = GetTab(theIndex - 1);
    const FRM_CImage* image =
        tab.IsImageTab() ? FindImage(FRM_CStringRW(theField.c_str())) : nullptr;
    if (theImage != nullptr)
        *theImage = image;
    const FRM_CRect bounds = image != nullptr
                                 ? tab.GetBounds(*image)
                                 : tab.GetBounds(theView, theFont, FRM_CStringRW(theField.c_str()));
    return MovedBy(bounds, theTabRelative);
}

float CTabSet::StringExtent(const FRM_CPoint& theLineStart, const FRM_CView& theView,
                            FRM_CDrawingContext& theContext, const FRM_CPoint& theTabRelative,
                            const FRM_CStringRW& theString) const
{
    const FRM_CFont& font = theContext.GetEnv().GetFont();
    // A blank in front keeps a field 0 for a line that starts with a tab.
    const std::vector<std::string> fields = Fields(' ' + std::string(theString.data()));
    float extent = theLineStart.H();
    for (unsigned long n = 0; n < fields.size(); ++n) {
        const float right =
            n == 0 ? theLineStart.H() + PixelWidth(theView, font, Stripped(fields[0]))
                   : FieldBounds(fields[n], n, theView, font, theTabRelative, nullptr).Right();
        extent = std::max(extent, right);
    }
    return extent;
}

void CTabSet::DrawString(const FRM_CPoint& theLineStart, const FRM_CView& theView,
                         FRM_CDrawingContext& theContext, const FRM_CPoint& theTabRelative,
                         const FRM_CStringRW& theString) const
{
    const FRM_CFont font = theContext.GetEnv().GetFont();
    const std::vector<std::string> fields = Fields(theString.data());
    for (unsigned long n = 0; n < fields.size(); ++n) {
        const FRM_CStringRW text(Stripped(fields[n]).c_str());
        if (n == 0) {
            theContext.DrawText(text, theLineStart);
            continue;
        }
        const FRM_CImage* image = nullptr;
        const FRM_CRect bounds = FieldBounds(fields[n], n, theView, font, theTabRelative, &image);
        if (image != nullptr) {
            // The image's bottom rests on the baseline.
            const auto width = static_cast<float>(image->GetWidth());
            const auto height = static_cast<float>(image->GetHeight());
            const FRM_CPoint at(bounds.Left(), theLineStart.V() - height);
            theContext.DrawImage(*image, FRM_CRect(0, 0, width, height),
                                 FRM_CRect(at.H(), at.V(), at.H() + width, at.V() + height));
        } else {
            theContext.DrawText(text, FRM_CPoint(bounds.Left(), theLineStart.V()));
        }
    }
}

unsigned long CTabSet::PointToTab(const FRM_CPoint& thePoint, const FRM_CView& theView,
                                  FRM_CDrawingContext& theContext,
                                  const FRM_CPoint& theTabRelative,
                                  const FRM_CStringRW& theString) const
{
    const FRM_CFont& font = theContext.GetEnv().GetFont();
    const float h = thePoint.H();
    const std::vector<std::string> fields = Fields(theString.data());
    for (unsigned long n = 1; n < fields.size(); ++n) {
        const FRM_CRect bounds = FieldBounds(fields[n], n, theView, font, theTabRelative, nullptr);
        float left = bounds.Left();
        float right = bounds.Right();
        if (right - left < 2 * kHitHalfWidth) {
            const float middle = (left + right) / 2;
            left = middle - kHitHalfWidth;
            right = middle + kHitHalfWidth;
        }
        if (left <= h && h < right)
            return n;
    }
    for (unsigned long i = 0; i < itsNTabs; ++i) {
        const float at = itsTabs[i].GetPosition() + theTabRelative.H();
        if (at - kHitHalfWidth <= h && h < at + kHitHalfWidth)
            return i + 1;
    }
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Fields

const FRM_CStringRW& CTabSet::TabString()
{
    static const FRM_CStringRW separator(" \t ");
    return separator;
}

FRM_CStringRW CTabSet::GetField(const FRM_CStringRW& theString, unsigned long theTab)
{
    const std::vector<std::string> fields = Fields(theString.data());
    return FRM_CStringRW(theTab < fields.size() ? Stripped(fields[theTab]).c_str() : "");
}

FRM_CStringRW CTabSet::SetField(const FRM_CStringRW& theString, unsigned long theTab,
                                const FRM_CStringRW& theValue)
{
    const std::vector<std::string> fields = Fields(theString.data());
    const std::string separator = TabString().data();
    std::string line;
    const std::size_t count = std::max<std::size_t>(fields.size(), theTab + 1);
    for (std::size_t n = 0; n < count; ++n) {
        if (n > 0)
            line += separator;
        if (n == theTab)
            line += theValue.data();
        else if (n < fields.size())
            line += Stripped(fields[n]);
    }
    return FRM_CStringRW(line.c_str());
}

FRM_CStringRW CTabSet::ToggleField(const FRM_CStringRW& theString, unsigned long theTab,
                                   const FRM_CStringRW& theState1, const FRM_CStringRW& theState2)
{
    return GetField(theString, theTab) != theState1 ? SetField(theString, theTab, theState1)
                                                     : SetField(theString, theTab, theState2);
}
