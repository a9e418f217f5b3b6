// cfacewin.h: FRM_CFaceWindow, the window behind one page of a notebook. Its toolkit window is
// made by the notebook (CreateFace), it may fill itself with controls from a window resource,
// and its commands go to the window that holds the notebook. The notebook shows, hides and
// destroys it; Close never ends it.
#pragma once

#include "frm/views/cwindow.h"

class FRM_NNotebook;

class FRM_CFaceWindow : public FRM_CWindow {
    FRM_TYPE_INFO(CFaceWindow)
public:
    // Makes the object only; CreateFace makes the toolkit window.
    FRM_CFaceWindow(FRM_CDocument* theDocument, FRM_NNotebook* theNotebook);
    // Copying and assigning go to the window's, which report errors 2604 and 2605: faces,
    // like every window, are never copied.
    FRM_CFaceWindow(const FRM_CFaceWindow& other) = default;
    FRM_CFaceWindow& operator=(const FRM_CFaceWindow& other) = default;

    // Makes the face's toolkit window as the face of the notebook's page.
    virtual void CreateFace(FRM_NNotebook* theNotebook, short theTab, short thePage);
    // The same, then one control per item of window resource theResourceId (error 2610 when
    // the resource can be neither found nor made, 2611 for an item no control is made for).
    virtual void CreateFace(FRM_NNotebook* theNotebook, short theTab, short thePage,
                            long theResourceId);
    // Definition lists make no face.
    virtual void CreateFace(FRM_NNotebook*, short, short, s_win_def) {}
    virtual FRM_NNotebook* GetNotebook() const { return itsNotebook; }
    // A face has no menu bar.
    virtual void SetMenuBar(FRM_CMenuBar*, short) {}

    // Commands go, unchanged, to the window that holds the notebook.
    void DoCommand(long command, void* data) override;
    // A face does not clear its background.
    void Draw(const FRM_CRect&) override {}
    // The face stays, with its views, until its notebook destroys it. Answers 0.
    short Close() override;

protected:
    ~FRM_CFaceWindow() override;
    // A face's toolkit window comes only from CreateFace.
    void CreateWindow(WINDOW) override {}

private:
    FRM_NNotebook* itsNotebook = nullptr;   // not owned
    friend class FRM_NNotebook;
};
