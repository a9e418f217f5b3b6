// ctblpcit.h: FRM_CTablePictureInterpreter shows cells as pictures. It turns named images into
// pixmaps of the table's window once and owns them; a cell's text names the image to show,
// and a name it does not know shows the default image. Pictures are never written back.
// A pixmap that cannot be made is reported without ending the program, and nothing is drawn
// for it.
#pragma once
#include <map>
#include <memory>
#include "frm/core/cboss.h"
#include "frm/core/cstringrw.h"
#include "frm/tables/ctblvwit.h"
#include "frm/views/cpicture.h"

class FRM_CImage;
class FRM_CWindow;

// An owned toolkit pixmap, destroyed with the object. A collectable that joins the container
// library's factory under its class name.
class CPixmapRWC : public FRM_CNotifier {
public:
    explicit CPixmapRWC(WINDOW thePixmap = nullptr) : itsPixmap(thePixmap) {}
    CPixmapRWC(const CPixmapRWC&) = delete;
    CPixmapRWC& operator=(const CPixmapRWC&) = delete;
    ~CPixmapRWC() override;
    operator WINDOW() const { return itsPixmap; }

    static RWClassID classIsA();
    RWClassID isA() const override { return classIsA(); }
    RWCollectable* newSpecies() const override { return new CPixmapRWC; }
    // The pixmap has one owner: a copy holds none.
    RWCollectable* copy() const override { return new CPixmapRWC; }

private:
    WINDOW itsPixmap;
};

class FRM_CTablePictureInterpreter : public FRM_CTableViewInterpreter {
public:
    static constexpr long kErrNoPixmap = 6315;

    explicit FRM_CTablePictureInterpreter(FRM_CTableView* theTable);
    // Pixmaps belong to one interpreter: a copy starts without images.
    FRM_CTablePictureInterpreter(const FRM_CTablePictureInterpreter& other);
    FRM_CTablePictureInterpreter& operator=(const FRM_CTablePictureInterpreter& other);
    ~FRM_CTablePictureInterpreter() override;

    // The image as a pixmap of the table's window, under theName (a name already there keeps
    // its first image).
    void AddImage(const FRM_CImage& theImage, const FRM_CStringRW& theName);
    // Replaces (and destroys) the default pixmap.
    void AddDefaultImage(const FRM_CImage& theImage);
    // The pixmap under the name, else the default one; null when there is neither.
    WINDOW FindImage(const FRM_CStringRW& theName) const;
    // With resize-to-fit on, pictures take the cell interior's size; off, they keep the size
    // they were made with and only move.
    void ResizeToFitCell(short isOn) { itsResizeToFit = isOn; }
    short ResizeToFitCell() const { return itsResizeToFit; }

    CCellView* CreateCellView(FRM_CTableView* theTable,
                              const CTableInterpreterParameters& theParameters,
                              const FRM_CTdiValue* theValue) override;
    const FRM_CTypeInfo* GetRunTimeTypeInfo() const override;
    static const FRM_CTypeInfo* GetStaticTypeInfo();

protected:
    // A new pixmap of the window holding the image (the caller owns it); null for an empty
    // image, and null after a report when none can be made.
    virtual WINDOW GetPixmapFromImage(const FRM_CWindow* theWindow, const FRM_CImage& theImage);

private:
    const FRM_CWindow* TableWindow() const;

    std::map<FRM_CStringRW, std::unique_ptr<CPixmapRWC>> itsImages;
    std::unique_ptr<CPixmapRWC> itsDefaultImage;
    short itsResizeToFit = 0;
};

class CCellPictureView : public CCellView {
public:
    CCellPictureView(FRM_CTablePictureInterpreter* theInterpreter, FRM_CTableView* theTable,
                     const FRM_CRect& theFrame);
    CCellPictureView() = default;
    static RWClassID classIsA();
    RWClassID isA() const override { return classIsA(); }
    RWCollectable* newSpecies() const override { return new CCellPictureView; }
    // Shows the image the text names (or the default one); nothing new when there is none.
    void FromTableData(FRM_CTableView* theTable, FRM_CTdiValue* theValue) override;

private:
    FRM_CTablePictureInterpreter* itsPictureInterpreter = nullptr;   // not owned
};

// The picture of one cell view: it shows a pixmap of the interpreter's without owning it.
class CPictureTableAdapter : public FRM_CPicture {
public:
    CPictureTableAdapter(FRM_CTablePictureInterpreter* theInterpreter, FRM_CSubview* theEnclosure,
                         const FRM_CRect& theFrame);

    void DoSize(const FRM_CRect&) override {}
    void DoDraw(const FRM_CRect&) override {}
    // Unless the interpreter resizes to fit, only the place changes, not the size.
    void Size(const FRM_CRect& theFrame) override;
    void Draw(const FRM_CRect& theClip) override;
    // Shows thePixmap (not owned), asking for its size in pixels.
    void IPicture(WINDOW thePixmap);
    WINDOW GetTemporaryPixmap() const { return itsTemporaryPixmap; }

private:
    WINDOW itsTemporaryPixmap = nullptr;                     // not owned
    FRM_CTablePictureInterpreter* itsInterpreter;            // not owned
};
