// cpicture.h: FRM_CPicture, a view that shows an image. The image is rendered once into a
// toolkit pixmap of the picture's window, which the picture owns, and copied to the screen
// on every draw, stretched when the frame and the pixmap differ in size.
#pragma once

#include "frm/views/csubview.h"

class FRM_CImage;

class FRM_CPicture : public FRM_CSubview {
    FRM_TYPE_INFO(CPicture)
public:
    // Sized to the image at thePoint.
    FRM_CPicture(FRM_CSubview* theEnclosure, const FRM_CPoint& thePoint,
                 const FRM_CImage& theImage);
    // No pixmap yet.
    FRM_CPicture(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame);
    FRM_CPicture(const FRM_CPicture& other);
    FRM_CPicture& operator=(const FRM_CPicture& other);
    ~FRM_CPicture() override;

    // Takes the image's size and renders it anew.
    void IPicture(const FRM_CImage& theImage);

    void Draw(const FRM_CRect& theClip) override;
    // A move to another window copies the pixmap onto that window.
    void SetEnclosure(FRM_CSubview* theEnclosure) override;
    WINDOW GetPixmap() const { return itsPixmap; }

protected:
    // Draws thePixmap (not owned; nothing for null) as the picture draws its own.
    void DrawPixmap(const FRM_CRect& theClip, WINDOW thePixmap);
    // A pixmap of the picture's window holding the image; null for an empty image (6215
    // when the toolkit makes none).
    virtual WINDOW GetPixmapFromImage(const FRM_CImage& theImage);

private:
    // A copy of thePixmap on theWindow, palette included (6200 when the toolkit makes none).
    static WINDOW CopyPixmap(WINDOW thePixmap, WINDOW theWindow);
    FRM_CRect FrameOf(const FRM_CPoint& theTopLeft, const FRM_CImage& theImage) const;

    WINDOW itsPixmap = nullptr;    // owned
};
