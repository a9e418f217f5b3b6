// ctexttab.h: text split at tab characters and drawn in columns. A line's fields are
// separated by tabs (programs join them with TabString, " \t "), empty pieces do not count,
// and fields are used with blanks stripped at both ends. Field 0 starts the line; field n is
// placed by tab stop n - 1, as text or as an image the tab set holds for the field's text.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "frm/core/cboss.h"
#include "frm/core/crect.h"
#include "frm/core/cstringrw.h"
#include "frm/views/cimage.h"
#include "vkocoll/hashdict.h"

class FRM_CDrawingContext;
class FRM_CFont;
class FRM_CView;

class FRM_CTextTab {
public:
    enum TabType { Left = 0, Right, Center, Decimal, LeftImage, CenterImage, RightImage };

    FRM_CTextTab() = default;
    FRM_CTextTab(TabType theType, float thePosition) : itsPosition(thePosition), itsType(theType) {}

    void SetType(TabType theType) { itsType = theType; }
    void SetPosition(float thePosition) { itsPosition = thePosition; }
    TabType GetType() const { return itsType; }
    float GetPosition() const { return itsPosition; }
    bool IsImageTab() const { return itsType >= LeftImage; }

    // Left and width of a field placed at this stop, relative to the tab origin (top and
    // bottom 0). Text is measured in theFont and converted to theView's units; an image's
    // width is taken in pixels.
    FRM_CRect GetBounds(const FRM_CView& theView, const FRM_CFont& theFont,
                        const FRM_CStringRW& theString) const;
    FRM_CRect GetBounds(const FRM_CImage& theImage) const;

private:
    FRM_CRect Placed(float theWidth, float theDecimalWidth) const;

    float itsPosition = 0;
    TabType itsType = Left;
};

// An image that can live in a collection of the container library (the tab set's images);
// it stores nothing of its picture.
class CImageRWC : public FRM_CNotifier, public FRM_CImage {
    FRM_TYPE_INFO(CImageRWC)
public:
    CImageRWC() = default;
    explicit CImageRWC(const FRM_CImage& theImage) : FRM_CImage(theImage) {}
    CImageRWC(const CImageRWC& other) = default;
    CImageRWC& operator=(const CImageRWC& other) = default;
    ~CImageRWC() override = default;

    RWCollectable* newSpecies() const override { return new CImageRWC; }
    RWCollectable* copy() const override { return new CImageRWC(*this); }
    RWClassID isA() const override { return classIsA(); }
    static RWClassID classIsA();
};

class CTabSet {
public:
    // The stops reach no further than this index: a larger one is a caller's mistake.
    static constexpr unsigned long kMaxTabs = 1024;

    CTabSet();
    // A copy holds copies of the keys and images: each set destroys its own.
    CTabSet(const CTabSet& other);
    CTabSet& operator=(const CTabSet& other);
    ~CTabSet();

    void AddTab(const FRM_CTextTab& theTab);
    // Drops stop theIndex (the last one when theIndex is past the count).
    void RemoveTab(unsigned long theIndex);
    // Stores theTab at theIndex without changing the count: a stop stored past the count
    // does not count. An index past kMaxTabs changes nothing.
    void ReplaceTab(unsigned long theIndex, const FRM_CTextTab& theTab);
    // A Left tab at -1000 for an index past the count.
    FRM_CTextTab GetTab(unsigned long theIndex) const;
    unsigned long GetNTabs() const { return itsNTabs; }
    // The stops stop counting; their storage and the images stay.
    void ClearTabs() { itsNTabs = 0; }

    // The image shown for fields whose text is theKey (blanks stripped), kept as a copy.
    void AddImage(const FRM_CImage* theImage, const FRM_CStringRW& theKey);
    const FRM_CImage* FindImage(const FRM_CStringRW& theKey) const;

    // theLineStart is the start of the text on its baseline; tab positions are measured
    // from theTabRelative's horizontal. The font is the one of theContext's environment.
    float StringExtent(const FRM_CPoint& theLineStart, const FRM_CView& theView,
                       FRM_CDrawingContext& theContext, const FRM_CPoint& theTabRelative,
                       const FRM_CStringRW& theString) const;
    void DrawString(const FRM_CPoint& theLineStart, const FRM_CView& theView,
                    FRM_CDrawingContext& theContext, const FRM_CPoint& theTabRelative,
                    const FRM_CStringRW& theString) const;
    // The field (n >= 1) or else the tab stop (index + 1) under thePoint's horizontal; 0 for
    // none. With an empty string only the stops are tested.
    unsigned long PointToTab(const FRM_CPoint& thePoint, const FRM_CView& theView,
                             FRM_CDrawingContext& theContext, const FRM_CPoint& theTabRelative,
                             const FRM_CStringRW& theString) const;

    // " \t ": the separator that keeps an empty field visible as blanks.
    static const FRM_CStringRW& TabString();
    // Field theTab, blanks stripped; empty when the line has fewer fields.
    static FRM_CStringRW GetField(const FRM_CStringRW& theString, unsigned long theTab);
    // The line with field theTab set to theValue (as given) and every other field stripped,
    // empty fields added up to theTab when the line is shorter.
    static FRM_CStringRW SetField(const FRM_CStringRW& theString, unsigned long theTab,
                                  const FRM_CStringRW& theValue);
    // theState1 unless the field holds exactly theState1; then theState2.
    static FRM_CStringRW ToggleField(const FRM_CStringRW& theString, unsigned long theTab,
                                     const FRM_CStringRW& theState1,
                                     const FRM_CStringRW& theState2);

private:
    // The bounds of field theField (>= 1) moved by theTabRelative: its image's when its stop
    // is an image stop with an image for it, else its text's; theImage receives the image.
    FRM_CRect FieldBounds(const std::string& theField, unsigned long theIndex,
                          const FRM_CView& theView, const FRM_CFont& theFont,
                          const FRM_CPoint& theTabRelative, const FRM_CImage** theImage) const;

    void CopyImages(const CTabSet& other);

    RWHashDictionary itsImages;  // FRM_CStringRWC key -> CImageRWC, both owned
    unsigned long itsNTabs = 0;
    std::vector<FRM_CTextTab> itsTabs = std::vector<FRM_CTextTab>(4);
};
