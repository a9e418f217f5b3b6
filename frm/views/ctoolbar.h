// ctoolbar.h: FRM_CToolBar, a raised panel that lays its subviews out in rows, left to right,
// in groups divided by separator gaps, and can size itself to stick to one edge of its
// enclosure. Menu buttons on the bar are registered by their menu tag, so that the bar can
// bring them in line with the menu bar.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "frm/views/csubview.h"

class FRM_CMenuButton;
class FRM_CToolBarAttachment;

class FRM_CToolBar : public FRM_CSubview {
    FRM_TYPE_INFO(CToolBar)
    friend class FRM_CMenuButton;
    friend class FRM_CToolBarAttachment;

public:
    enum AutosizeLocation : std::int32_t {
        AL_NONE = 0, AL_TOP = 1, AL_BOTTOM = 2, AL_LEFT = 3, AL_RIGHT = 4
    };

    // Auto-sized at theLocation.
    FRM_CToolBar(FRM_CSubview* theEnclosure, AutosizeLocation theLocation);
    FRM_CToolBar(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame);
    // Copies colours and widths only: no separators, menu buttons or auto-size.
    FRM_CToolBar(const FRM_CToolBar& other);
    FRM_CToolBar& operator=(const FRM_CToolBar& other);
    ~FRM_CToolBar() override;

    void IToolBar(int theBorderWidth, int theSeparatorWidth, unsigned long theFlatColor,
                  unsigned long theLightShadowColor, unsigned long theDarkShadowColor);
    void GetSpacingValues(int* theBorderWidth, int* theSeparatorWidth) const;

    // A separator is a gap before subview theIndex.
    virtual void InsertSeparator(unsigned theIndex);
    virtual void RemoveSeparator(unsigned theIndex);
    virtual void RemoveAllSeparators();
    virtual const std::vector<bool>& GetSeparators() const { return itsSeparators; }
    void AppendSeparator() { InsertSeparator(static_cast<unsigned>(GetNumViews())); }
    virtual void ArrangeSubviews();
    // move non-zero places the views; 0 only measures. theWidth, theHeight answer the size
    // the bar needs (0 where it fits); a non-zero theWidth on entry is the width to fill.
    virtual void InternalArrangeSubviews(float& theWidth, float& theHeight, short move,
                                         float& theRowWidth);
    // The bar's thickness from its largest subview, against its edge.
    void AutoSize();
    short IsAutoSized() const { return itIsAutoSized; }
    AutosizeLocation GetAutoSizeLocation() const { return itsAutoSizeLocation; }
    void SetAutoSized(short isAutoSized, AutosizeLocation theLocation);

    void UpdateMenuButtons();
    void UpdateMenuButton(short theTag);
    FRM_CMenuButton* GetMenuButton(short theTag) const;
    // The attachment that docks the bar, or null.
    FRM_CToolBarAttachment* GetAttachment() const { return itsAttachment; }

    void Draw(const FRM_CRect& theClip) override;
    void DoDraw(const FRM_CRect& theClip) override;
    void DoSize(const FRM_CRect& theFrame) override;
    void DoSetFont(const FRM_CFont& theFont, short isShared) override;
    void DoSetEnvironment(const FRM_CEnvironment& theEnvironment, short isShared) override;
    void SetDragging(short isOn) override;
    void SetSizing(short isOn) override;
    void AddSubview(FRM_CView* theView) override;
    void RemoveSubview(FRM_CView* theView) override;

protected:
    // The first button registered under a tag keeps it.
    void InsertMenuButton(short theTag, FRM_CMenuButton* theButton);
    // Drops the entry of theButton's tag, whichever button it names.
    void RemoveMenuButton(const FRM_CMenuButton* theButton);
    // Moves a subview in the list; the separator bits between the two places move with it.
    void MoveView(unsigned theFrom, unsigned theTo);

private:
    float H(int thePixels) const;
    float V(int thePixels) const;
    bool IsSeparator(std::size_t theIndex) const
    {
        return theIndex < itsSeparators.size() && itsSeparators[theIndex];
    }
    bool IsPinnedToAnEdge() const { return itIsAutoSized != 0 && itsAutoSizeLocation != AL_NONE; }
    // The attachment measures the bar afresh after a change of views or font.
    void InvalidateAttachmentSizes();

    std::vector<bool> itsSeparators;
    short itIsAutoSized = 0;
    AutosizeLocation itsAutoSizeLocation = AL_NONE;
    unsigned long itsLightShadowColor = 0x0BFFFFFFUL;
    unsigned long itsDarkShadowColor = 0x09808080UL;
    unsigned long itsFlatColor = 0x0AC0C0C0UL;
    int itsBorderWidth = 2;
    int itsSeparatorWidth = 5;
    FRM_CToolBarAttachment* itsAttachment = nullptr;   // not owned; set by the attachment
    std::map<short, FRM_CMenuButton*> itsMenuButtons;   // not owned
};
