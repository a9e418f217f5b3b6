// nnotebk.h: FRM_NNotebook, the native tabbed notebook. Each tab holds pages, each page shows
// one face window (FRM_CFaceWindow) that the toolkit makes inside the notebook and brings to
// the front when the user picks the tab. The notebook keeps the list of its faces, points its
// navigator at the face in front, and turns Tab, Enter and back-tab typed on the tab strip
// into tab-stop navigation through a key hook on its control. FRM_CNotebkNavigator is the
// notebook's navigator and CNotebkTabStop the tab stop of the notebook or of one face.
#pragma once

#include <cstdint>

#include "frm/views/cnativvw.h"
#include "frm/runtime/cnav.h"
#include "vkocoll/ordered.h"

class FRM_CFaceWindow;
class FRM_CImage;
class FRM_NNotebook;

class FRM_CNotebkNavigator : public FRM_CNavigator {
public:
    explicit FRM_CNotebkNavigator(FRM_NNotebook* theNotebook);
    FRM_CNotebkNavigator(const FRM_CNotebkNavigator& other) = default;
    FRM_CNotebkNavigator& operator=(const FRM_CNotebkNavigator& other) = default;
    // The front face's navigator at position 0 stays its window's.
    ~FRM_CNotebkNavigator() override;

    // Tab and back-tab move between the notebook and its front face; a hot key of a face's
    // tab stop brings that face's page to the front.
    bool Navigate(const FRM_CCourse& course, const FRM_CKey& key, FRM_CTabStop* current,
                  FRM_CNavigator*& foundNavigator, FRM_CTabStop*& foundTabStop) override;

    FRM_NNotebook* GetNotebook() const { return itsNotebook; }

private:
    FRM_NNotebook* itsNotebook = nullptr;   // not owned
};

// The tab stop of the notebook itself (no face), of one face, or of a nested navigator.
class CNotebkTabStop : public FRM_CTabStop {
public:
    CNotebkTabStop(FRM_NNotebook* theNotebook, FRM_CFaceWindow* theFace);
    explicit CNotebkTabStop(FRM_CNavigator* theNavigator);
    CNotebkTabStop(const CNotebkTabStop& other) = default;

    // Gives the key focus to the notebook's control.
    void Activate() override;
    virtual FRM_CFaceWindow* GetFace() const { return itsFace; }

private:
    FRM_CFaceWindow* itsFace = nullptr;   // not owned
};

class FRM_NNotebook : public FRM_CNativeView {
    FRM_TYPE_INFO(NNotebook)
public:
    // Makes the control with a placeholder tab, page and face until the first AddTab.
    FRM_NNotebook(FRM_CSubview* theEnclosure, const FRM_CRect& theFrame);
    // A copy has a control and a placeholder of its own, and no faces.
    FRM_NNotebook(const FRM_NNotebook& other);
    FRM_NNotebook& operator=(const FRM_NNotebook&) = delete;
    // Removes every tab (closing their faces) while the control is alive.
    ~FRM_NNotebook() override;

    short INotebook() { return 1; }

    virtual void AddPage(short theTab, short thePage, const FRM_CStringRW& theTitle);
    // The first call replaces the placeholder, whatever tab number it gives.
    virtual void AddTab(short theTab, const FRM_CStringRW& theTitle, const FRM_CImage& theImage);
    // The face shown on a page; null when the page has none of this notebook's faces.
    virtual FRM_CFaceWindow* GetFace(short theTab, short thePage);
    // The face's tab and page; -1, -1 (and error 2680) for a face of another notebook.
    virtual void GetFacePage(FRM_CFaceWindow* theFace, short* theTab, short* thePage);
    virtual FRM_CFaceWindow* GetFrontPage(short* theTab, short* thePage);
    virtual FRM_CStringRW GetPageTitle(short theTab, short thePage);
    virtual FRM_CStringRW GetTabTitle(short theTab);
    // A copy of the tab's image; an empty image when the tab has none.
    virtual FRM_CImage GetTabImage(short theTab);
    virtual short GetNumPages(short theTab);
    virtual short GetNumTabs();
    // Closes the page's face, if it has one, and removes the page.
    virtual void RemovePage(short theTab, short thePage);
    // Removes the tab with all its pages, closing every face on them.
    virtual void RemoveTab(short theTab);
    // Makes theFace the page's face (from window resource theResourceId when not 0). A face
    // set already is error 2680 and changes nothing.
    virtual void SetFace(FRM_CFaceWindow* theFace, short theTab, short thePage,
                         long theResourceId);
    virtual void SetPageTitle(short theTab, short thePage, const FRM_CStringRW& theTitle);
    virtual void SetFrontPage(short theTab, short thePage);
    virtual void SetTabTitle(short theTab, const FRM_CStringRW& theTitle);
    // The image stays the caller's and must outlive the tab.
    virtual void SetTabImage(short theTab, const FRM_CImage& theImage);
    // theKey brings the page to the front; ignored for a page without a face set here.
    virtual void SetTabHotKey(short theTab, short thePage, const FRM_CKey& theKey);
    virtual long GetRUKNotebook() { return 0; }
    virtual FRM_CNavigator* GetNavigator() { return itsNavigator; }

    // FRM_CView: every face re-lays its contents after the notebook moved or changed size.
    void Size(const FRM_CRect& theFrame) override;
    // The notebook has no title of its own.
    FRM_CStringRW GetTitle() const override { return FRM_CStringRW(); }
    // FRM_CNativeView: the user picked a tab; the notebook navigator enters its front face.
    // No command is sent.
    void DoHit(const s_ctlinfo& theInfo) override;

    // The faces set on pages, in the order SetFace was called.
    const RWOrdered& GetFaces() const { return itsFaces; }
    // A face being deleted leaves the list (and the navigator) first.
    void ForgetFace(FRM_CFaceWindow* theFace);

private:
    // The placeholder, the navigator with the notebook's own tab stop, and the key hook.
    void Init();
    void AddPlaceholder();
    FRM_CFaceWindow* FaceOfWindow(WINDOW theFace) const;
    // Takes theFace out of the list and the navigator and closes it.
    void DropFace(FRM_CFaceWindow* theFace);
    // Position 0 of the navigator without deleting the front face's navigator.
    void ClearFrontNavigator();
    // Position 0 of the navigator enters the face in front (the notebook's own tab stop
    // when no face is there).
    void FollowFrontFace();
    static std::int32_t KeyHook(CXO theObject, EVENT* theEvent) noexcept;

    CXO itsKeyHook = nullptr;
    short itIsFirstTab = 1;
    RWOrdered itsFaces;                                // not owned
    FRM_CNotebkNavigator* itsNavigator = nullptr;      // owned
};
