// cglue.h: FRM_CGlue keeps a view's edges at fixed distances from its enclosure's edges, so
// that the view moves or stretches when the enclosure is resized. Every view owns one glue
// object; the glue does not own its view.
//
// The glue value has one byte per edge; a non-zero byte glues that edge to the same edge of
// the enclosure: 0xFF000000 left, 0x00FF0000 top, 0x0000FF00 right, 0x000000FF bottom.
// kKeepGlue (0xF0F0F0F0) passed to SetGlue keeps the value and only measures again.
#pragma once

#include "frm/core/cboss.h"

class FRM_CView;

class FRM_CGlue : public FRM_CNotifier {
    FRM_TYPE_INFO(CGlue)
public:
    static constexpr unsigned long kLeft = 0xFF000000UL;
    static constexpr unsigned long kTop = 0x00FF0000UL;
    static constexpr unsigned long kRight = 0x0000FF00UL;
    static constexpr unsigned long kBottom = 0x000000FFUL;

    // A null owner is error 600.
    explicit FRM_CGlue(FRM_CView* theOwner);
    // Glue objects are never copied: error 601.
    FRM_CGlue(const FRM_CGlue& other);
    // Takes other's glue value and measures the distances for this glue's own owner.
    FRM_CGlue& operator=(const FRM_CGlue& other);
    ~FRM_CGlue() override;

    // Stores the value (unless kKeepGlue) and measures the four distances; the owner must
    // have an enclosure.
    virtual void SetGlue(unsigned long theGlue);
    virtual unsigned long GetGlue() const { return itsGlue; }
    // Gives the owner the frame its glued edges call for at the enclosure's present size,
    // and invalidates the old and new frames when they differ.
    virtual void SizeOwner();

private:
    std::uint32_t itsGlue = 0;
    float itsTopScaling = 0;      // owner's top minus the enclosure's top
    float itsLeftScaling = 0;     // owner's left minus the enclosure's left
    float itsBottomScaling = 0;   // enclosure's bottom minus the owner's bottom
    float itsRightScaling = 0;    // enclosure's right minus the owner's right
    FRM_CView* itsOwner;          // not owned
};
