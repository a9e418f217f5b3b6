// csktchpd.h: FRM_CSketchPad, a subview on which the user sketches a rectangle, a line or a
// polyline with the mouse. A rubber band (a wire frame on a hidden carrier view in the pad's
// window) follows the pointer; when the sketch ends the pad sends its command with itself as
// data, and the handler reads the result from the pad during that call.
#pragma once

#include <memory>

#include "frm/views/csubview.h"

class CSketchFrame;

class FRM_CSketchPad : public FRM_CSubview {
    FRM_TYPE_INFO(CSketchPad)
public:
    enum SKETCHTYPE : std::int32_t { RECTANGLE = 0, LINE = 1, POLYLINE = 2 };

    FRM_CSketchPad(FRM_CSubview* theEnclosure, const FRM_CRect& theRegion);
    // A copy sketches the same kind with a rubber band and carrier of its own. Assignment
    // takes the kind, the everywhere flag and the enabled state, and puts the carrier in or
    // out of the window to match.
    FRM_CSketchPad(const FRM_CSketchPad& other);
    FRM_CSketchPad& operator=(const FRM_CSketchPad& other);
    // Destroys the carrier view (and with it the rubber band) whether the pad is enabled or not.
    ~FRM_CSketchPad() override;

    short ISketchPad(SKETCHTYPE theType, short isVisible, unsigned long theGlue);
    // A new rubber band of the kind.
    virtual void SetSketchType(SKETCHTYPE theType);
    virtual SKETCHTYPE GetSketchType() const { return itsSketchType; }
    virtual void SetSketchEverywhere(short isOn) { itIsSketchEverywhere = isOn; }
    virtual short IsSketchEverywhere() const { return itIsSketchEverywhere; }
    // The results, in the pad's coordinates, while the command runs; errors 1900 to 1903
    // outside a sketch of the right kind. GetPoints hands over a new[] array.
    virtual FRM_CRect GetSketchedRegion() const;
    virtual FRM_CPoint GetStartPoint() const;
    virtual FRM_CPoint GetEndPoint() const;
    virtual void GetPoints(FRM_CPoint*& thePoints, int& theNumPoints) const;

    void Disable() override;
    void Enable() override;
    void MouseDown(FRM_CPoint thePoint, short theButton, short isShift, short isControl) override;
    void MouseUp(FRM_CPoint thePoint, short theButton, short isShift, short isControl) override;
    void Draw(const FRM_CRect& theClip) override;
    FRM_CView* FindEventTarget(const FRM_CPoint& thePoint) override;

    // The hidden view the rubber band works on.
    FRM_CView* GetCarrier() const { return itsCarrier; }

private:
    friend class CSketchFrame;    // forgets the carrier when the window destroys it first

    void MakeFrame();

    CSketchFrame* itsSketchFrame = nullptr;   // owned by the carrier view
    FRM_CView* itsCarrier = nullptr;          // owned by the window while the pad is enabled
    short itIsReady = 0;
    SKETCHTYPE itsSketchType = RECTANGLE;
    short itIsSketchEverywhere = 1;
};
