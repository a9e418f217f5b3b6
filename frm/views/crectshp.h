// crectshp.h: FRM_CRectangle, the rectangle shape (optionally with rounded corners), and
// FRM_CSquare, the rectangle that keeps its frame square.
#pragma once

#include "frm/views/cshape.h"

class FRM_CRectangle : public FRM_CShape {
    FRM_TYPE_INFO(CRectangle)
public:
    FRM_CRectangle(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame)
        : FRM_CShape(theEnclosure, theFrame)
    {
    }
    FRM_CRectangle(const FRM_CRectangle& other) = default;
    FRM_CRectangle& operator=(const FRM_CRectangle& other) = default;
    ~FRM_CRectangle() override = default;

    // Stores the corner sizes as given.
    short IRectangle(short hasRoundCorners, float theCornerWidth, float theCornerHeight,
                     short isVisible, unsigned long theGlue);
    // Corner sizes become whole numbers of at least 1; a size whose whole part is the bit
    // pattern 0xF0F0F0F0 keeps that size as it is.
    virtual void SetRoundedCorners(short isCornerRounded, float theCornerWidth,
                                   float theCornerHeight);
    short HasRoundCorners() const { return itHasRoundCorners; }
    float GetCornerWidth() const { return itsCornerWidth; }
    float GetCornerHeight() const { return itsCornerHeight; }

    void Draw(const FRM_CRect& theClip) override;

private:
    short itHasRoundCorners = 0;
    float itsCornerWidth = 0;
    float itsCornerHeight = 0;
};

class FRM_CSquare : public FRM_CRectangle {
    FRM_TYPE_INFO(CSquare)
public:
    FRM_CSquare(FRM_CSubview* theEnclosure, const FRM_CPoint& theTopLeft, float theSideLength)
        : FRM_CRectangle(theEnclosure,
                         FRM_CRect(theTopLeft.H(), theTopLeft.V(), theTopLeft.H() + theSideLength,
                                   theTopLeft.V() + theSideLength))
    {
    }
    FRM_CSquare(const FRM_CSquare& other) = default;
    FRM_CSquare& operator=(const FRM_CSquare& other) = default;
    ~FRM_CSquare() override = default;

    short ISquare(short hasRoundCorners, float theCornerWidth, float theCornerHeight,
                  short isVisible, unsigned long theGlue)
    {
        return IRectangle(hasRoundCorners, theCornerWidth, theCornerHeight, isVisible, theGlue);
    }
    // The side follows the dimension that changed (their mean when both did); left and top stay.
    void Size(const FRM_CRect& theFrame) override;
    // theFrame made square against theOld, the way a square follows a resize.
    static FRM_CRect Squared(const FRM_CRect& theOld, const FRM_CRect& theFrame);
};
