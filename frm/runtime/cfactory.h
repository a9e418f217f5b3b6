// cfactory.h: the factory classes, one base and one default per kind. Each base operation
// passes the request to the factory below it on its kind's stack (null at the bottom); the
// default, installed at the bottom by the application, constructs the framework's own class.
// A program replaces one class by pushing a factory that overrides only that operation.
// Every operation returns a new object that the caller owns, or null.
#pragma once

#include "frm/core/crect.h"
#include "frm/core/cstringrw.h"
#include "frm/core/cfactmgr.h"

class FRM_CApplication;
class FRM_CAttachment;
class FRM_CAttachmentWindow;
class FRM_CControlDelegate;
class FRM_CControllerMgr;
class FRM_CDesktop;
class FRM_CDocument;
class FRM_CFixedGrid;
class FRM_CGlue;
class FRM_CImage;
class FRM_CMenuBar;
class FRM_CMenuItem;
class FRM_CMouseManager;
class FRM_CNativeView;
class FRM_CNavigator;
class FRM_CPicture;
class FRM_CPrintMgr;
class FRM_CRadioGroup;
class FRM_CResourceMenu;
class FRM_CResourceMgr;
class FRM_CResourceWindow;
class FRM_CSubmenu;
class FRM_CSubview;
class FRM_CTaskDoc;
class FRM_CTaskWin;
class FRM_CText;
class FRM_CView;
class FRM_CWindow;
class FRM_CWireFrame;
class FRM_NButton;
class FRM_NCheckBox;
class FRM_NEditControl;
class FRM_NGroupBox;
class FRM_NIcon;
class FRM_NListBox;
class FRM_NListButton;
class FRM_NListEdit;
class FRM_NRadioButton;
class FRM_NScrollBar;
class FRM_NScrollText;
class FRM_NText;
class FRM_NWinScrollBar;

// The factory on top of a kind's stack of the running application, or null.
CFactory* FrmGetFactory(int kind);
// The factory below `factory` on its kind's stack, or null.
CFactory* FrmGetNextFactory(int kind, const CFactory* factory);

class CApplicationFactory : public CFactory {
public:
    // The factory on top of this kind's stack, or null.
    static CApplicationFactory* GetTop();

    virtual FRM_CTaskDoc* ConstructTaskDoc(FRM_CApplication* application, long id);
    virtual FRM_CTaskWin* ConstructTaskWin(FRM_CDocument* document, WINDOW taskWindow);
    virtual FRM_CPrintMgr* ConstructPrintMgr();
    virtual FRM_CDesktop* ConstructDesktop(FRM_CApplication* application);
    virtual FRM_CResourceMgr* ConstructResourceMgr();
    virtual FRM_CControllerMgr* ConstructControllerMgr();

private:
    CApplicationFactory* Next() const;
};

class CApplicationFactoryDefault : public CApplicationFactory {
public:
    FRM_CTaskDoc* ConstructTaskDoc(FRM_CApplication* application, long id) override;
    FRM_CTaskWin* ConstructTaskWin(FRM_CDocument* document, WINDOW taskWindow) override;
    FRM_CPrintMgr* ConstructPrintMgr() override;
    FRM_CDesktop* ConstructDesktop(FRM_CApplication* application) override;
    FRM_CResourceMgr* ConstructResourceMgr() override;
    FRM_CControllerMgr* ConstructControllerMgr() override;
};

class CPlatformFactory : public CFactory {
public:
    // The factory on top of this kind's stack, or null.
    static CPlatformFactory* GetTop();

    virtual FRM_CControlDelegate* ConstructNativeControlDelegate(FRM_CNativeView* view);
    // With a window: an attachment window inside it; without: a free-standing one.
    virtual FRM_CAttachmentWindow* ConstructAttachmentWindow(FRM_CWindow* window,
                                                             FRM_CAttachment* attachment,
                                                             short hasTitleBar);

private:
    CPlatformFactory* Next() const;
};

// Native control delegates come from the platform; attachment windows come with their view
// class: the plain one by default, the Win95 look on the Win32 platform.
class CPlatformFactoryDefault : public CPlatformFactory {
public:
    FRM_CControlDelegate* ConstructNativeControlDelegate(FRM_CNativeView* view) override;
    FRM_CAttachmentWindow* ConstructAttachmentWindow(FRM_CWindow* window,
                                                     FRM_CAttachment* attachment,
                                                     short hasTitleBar) override;
};
class CWin32PlatformFactory : public CPlatformFactoryDefault {
public:
    FRM_CAttachmentWindow* ConstructAttachmentWindow(FRM_CWindow* window,
                                                     FRM_CAttachment* attachment,
                                                     short hasTitleBar) override;
};

class CResourceFactory : public CFactory {
public:
    // The factory on top of this kind's stack, or null.
    static CResourceFactory* GetTop();

    virtual FRM_NButton* ConstructNButton(FRM_CSubview* parent, long resourceId, long itemId);
    virtual FRM_CRadioGroup* ConstructCRadioGroup(FRM_CSubview* parent, long resourceId,
                                                  long itemId);
    virtual FRM_NCheckBox* ConstructNCheckBox(FRM_CSubview* parent, long resourceId, long itemId);
    virtual FRM_NScrollBar* ConstructNScrollBar(FRM_CSubview* parent, long resourceId,
                                                long itemId);
    virtual FRM_NEditControl* ConstructNEditControl(FRM_CSubview* parent, long resourceId,
                                                    long itemId);
    virtual FRM_NText* ConstructNText(FRM_CSubview* parent, long resourceId, long itemId);
    virtual FRM_NListBox* ConstructNListBox(FRM_CSubview* parent, long resourceId, long itemId);
    virtual FRM_NIcon* ConstructNIcon(FRM_CSubview* parent, long resourceId, long itemId);
    virtual FRM_NListButton* ConstructNListButton(FRM_CSubview* parent, long resourceId,
                                                  long itemId);
    virtual FRM_NListEdit* ConstructNListEdit(FRM_CSubview* parent, long resourceId, long itemId);
    virtual FRM_NGroupBox* ConstructNGroupBox(FRM_CSubview* parent, long resourceId, long itemId);
    virtual FRM_NScrollText* ConstructNScrollText(FRM_CSubview* parent, long resourceId,
                                                  long itemId);
    virtual FRM_NRadioButton* ConstructNRadioButton(FRM_CRadioGroup* group, long resourceId,
                                                    long itemId);
    virtual FRM_CResourceWindow* ConstructCResourceWindow(long id);
    virtual FRM_CResourceMenu* ConstructCResourceMenu(long id);

private:
    CResourceFactory* Next() const;
};

class CResourceFactoryDefault : public CResourceFactory {
public:
    FRM_NButton* ConstructNButton(FRM_CSubview* parent, long resourceId, long itemId) override;
    FRM_CRadioGroup* ConstructCRadioGroup(FRM_CSubview* parent, long resourceId,
                                          long itemId) override;
    FRM_NCheckBox* ConstructNCheckBox(FRM_CSubview* parent, long resourceId, long itemId) override;
    FRM_NScrollBar* ConstructNScrollBar(FRM_CSubview* parent, long resourceId,
                                        long itemId) override;
    FRM_NEditControl* ConstructNEditControl(FRM_CSubview* parent, long resourceId,
                                            long itemId) override;
    FRM_NText* ConstructNText(FRM_CSubview* parent, long resourceId, long itemId) override;
    FRM_NListBox* ConstructNListBox(FRM_CSubview* parent, long resourceId, long itemId) override;
    FRM_NIcon* ConstructNIcon(FRM_CSubview* parent, long resourceId, long itemId) override;
    FRM_NListButton* ConstructNListButton(FRM_CSubview* parent, long resourceId,
                                          long itemId) override;
    FRM_NListEdit* ConstructNListEdit(FRM_CSubview* parent, long resourceId, long itemId) override;
    FRM_NGroupBox* ConstructNGroupBox(FRM_CSubview* parent, long resourceId, long itemId) override;
    FRM_NScrollText* ConstructNScrollText(FRM_CSubview* parent, long resourceId,
                                          long itemId) override;
    FRM_NRadioButton* ConstructNRadioButton(FRM_CRadioGroup* group, long resourceId,
                                            long itemId) override;
    FRM_CResourceWindow* ConstructCResourceWindow(long id) override;
    FRM_CResourceMenu* ConstructCResourceMenu(long id) override;
};

class CMenuFactory : public CFactory {
public:
    // The factory on top of this kind's stack, or null.
    static CMenuFactory* GetTop();

    virtual FRM_CSubmenu* ConstructCSubmenu(const FRM_CSubmenu& submenu);
    virtual FRM_CMenuItem* ConstructCMenuItem(const FRM_CMenuItem& item);
    // The second value is not passed on to the menu bar.
    virtual FRM_CMenuBar* ConstructCMenuBar(FRM_CWindow* window, short menuBarId, short unused);

private:
    CMenuFactory* Next() const;
};

class CMenuFactoryDefault : public CMenuFactory {
public:
    FRM_CSubmenu* ConstructCSubmenu(const FRM_CSubmenu& submenu) override;
    FRM_CMenuItem* ConstructCMenuItem(const FRM_CMenuItem& item) override;
    FRM_CMenuBar* ConstructCMenuBar(FRM_CWindow* window, short menuBarId, short unused) override;
};

class CViewFactory : public CFactory {
public:
    // The factory on top of this kind's stack, or null.
    static CViewFactory* GetTop();

    virtual FRM_CText* ConstructCText(FRM_CSubview* enclosure, const FRM_CPoint& point,
                                      const FRM_CStringRW& text);
    virtual FRM_CPicture* ConstructCPicture(FRM_CSubview* enclosure, const FRM_CPoint& point,
                                            const FRM_CImage& image);
    virtual FRM_CFixedGrid* ConstructCFixedGrid(FRM_CSubview* enclosure, const FRM_CPoint& point,
                                                float rowHeight, float columnWidth, int rows,
                                                int columns);
    virtual FRM_CGlue* ConstructGlue(FRM_CView* view);
    virtual FRM_CWireFrame* ConstructWireFrame(FRM_CView* view);

private:
    CViewFactory* Next() const;
};

class CViewFactoryDefault : public CViewFactory {
public:
    FRM_CText* ConstructCText(FRM_CSubview* enclosure, const FRM_CPoint& point,
                              const FRM_CStringRW& text) override;
    FRM_CPicture* ConstructCPicture(FRM_CSubview* enclosure, const FRM_CPoint& point,
                                    const FRM_CImage& image) override;
    FRM_CFixedGrid* ConstructCFixedGrid(FRM_CSubview* enclosure, const FRM_CPoint& point,
                                        float rowHeight, float columnWidth, int rows,
                                        int columns) override;
    FRM_CGlue* ConstructGlue(FRM_CView* view) override;
    // A wire frame with the owner's enclosure as its group enclosure.
    FRM_CWireFrame* ConstructWireFrame(FRM_CView* view) override;
};

class CWindowFactory : public CFactory {
public:
    // The factory on top of this kind's stack, or null.
    static CWindowFactory* GetTop();

    virtual FRM_CMouseManager* ConstructMouseManager(FRM_CWindow* window,
                                                     FRM_CMouseManager* previous);
    virtual FRM_CNavigator* ConstructNavigator(FRM_CWindow* window);
    virtual FRM_NWinScrollBar* ConstructHorizScrollBar(FRM_CWindow* window);
    virtual FRM_NWinScrollBar* ConstructVertScrollBar(FRM_CWindow* window);

private:
    CWindowFactory* Next() const;
};

class CWindowFactoryDefault : public CWindowFactory {
public:
    FRM_CMouseManager* ConstructMouseManager(FRM_CWindow* window,
                                             FRM_CMouseManager* previous) override;
    FRM_CNavigator* ConstructNavigator(FRM_CWindow* window) override;
    // The window's own bars (a vertical and a horizontal one).
    FRM_NWinScrollBar* ConstructHorizScrollBar(FRM_CWindow* window) override;
    FRM_NWinScrollBar* ConstructVertScrollBar(FRM_CWindow* window) override;
};

