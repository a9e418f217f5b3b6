// cfactory.cpp: delegation down the factory stacks and the default constructions.
#include "frm/runtime/cfactory.h"

#include <utility>

#include "frm/views/cctldelg.h"
#include "frm/controls/cnatlist.h"
#include "frm/controls/cradiogr.h"
#include "frm/controls/nctrls.h"
#include "frm/controls/nlistedt.h"
#include "frm/views/nscrllbr.h"
#include "frm/controls/nscrlltx.h"
#include "frm/core/ccntrllr.h"
#include "frm/core/cobjrwc.h"
#include "frm/drawing/cprntmgr.h"
#include "frm/interaction/cmouse.h"
#include "frm/runtime/cdesktop.h"
#include "frm/runtime/cdocumnt.h"
#include "frm/runtime/cglblcls.h"
#include "frm/runtime/cresourc.h"
#include "frm/views/cfxdgrid.h"
#include "frm/views/cglue.h"
#include "frm/views/cmenubar.h"
#include "frm/views/cpicture.h"
#include "frm/views/csubmenu.h"
#include "frm/views/ctext.h"
#include "frm/views/cwinhelp.h"
#include "frm/views/cwirefrm.h"
#include "frm/views/ctaskwin.h"
#include "frm/views/cwindow.h"

CFactory* FrmGetFactory(int kind)
{
    FRM_CGlobalClassLib* g = FRM_CObjectRWC::GetG();
    return g != nullptr ? g->GetFactoryMgr()->GetFactory(kind) : nullptr;
}

CFactory* FrmGetNextFactory(int kind, const CFactory* factory)
{
    FRM_CGlobalClassLib* g = FRM_CObjectRWC::GetG();
    return g != nullptr ? g->GetFactoryMgr()->GetNextFactory(kind, factory) : nullptr;
}

namespace {

// Each base operation asks the factory below this one and returns what it builds; null at
// the bottom of the stack.
template <class Factory, class Operation, class... Args>
auto Delegate(Factory* next, Operation operation, Args&&... args)
    -> decltype((next->*operation)(std::forward<Args>(args)...))
{
    if (next == nullptr)
        return nullptr;
    return (next->*operation)(std::forward<Args>(args)...);
}

} // namespace

// ---- Kind 0: application -----------------------------------------------------------------

CApplicationFactory* CApplicationFactory::GetTop()
{
    return static_cast<CApplicationFactory*>(FrmGetFactory(FRM_CFactoryMgr::kApplication));
}
CApplicationFactory* CApplicationFactory::Next() const
{
    return static_cast<CApplicationFactory*>(
        FrmGetNextFactory(FRM_CFactoryMgr::kApplication, this));
}
FRM_CTaskDoc* CApplicationFactory::ConstructTaskDoc(FRM_CApplication* application, long id)
{
    return Delegate(Next(), &CApplicationFactory::ConstructTaskDoc, application, id);
}
FRM_CTaskWin* CApplicationFactory::ConstructTaskWin(FRM_CDocument* document, WINDOW taskWindow)
{
    return Delegate(Next(), &CApplicationFactory::ConstructTaskWin, document, taskWindow);
}
FRM_CPrintMgr* CApplicationFactory::ConstructPrintMgr()
{
    return Delegate(Next(), &CApplicationFactory::ConstructPrintMgr);
}
FRM_CDesktop* CApplicationFactory::ConstructDesktop(FRM_CApplication* application)
{
    return Delegate(Next(), &CApplicationFactory::ConstructDesktop, application);
}
FRM_CResourceMgr* CApplicationFactory::ConstructResourceMgr()
{
    return Delegate(Next(), &CApplicationFactory::ConstructResourceMgr);
}
FRM_CControllerMgr* CApplicationFactory::ConstructControllerMgr()
{
    return Delegate(Next(), &CApplicationFactory::ConstructControllerMgr);
}

FRM_CTaskDoc* CApplicationFactoryDefault::ConstructTaskDoc(FRM_CApplication* application, long id)
{
    return new FRM_CTaskDoc(application, static_cast<std::int32_t>(id));
}
FRM_CTaskWin* CApplicationFactoryDefault::ConstructTaskWin(FRM_CDocument* document,
                                                           WINDOW taskWindow)
{
    return new FRM_CTaskWin(document, taskWindow);
}
FRM_CPrintMgr* CApplicationFactoryDefault::ConstructPrintMgr() { return new FRM_CPrintMgr; }
FRM_CDesktop* CApplicationFactoryDefault::ConstructDesktop(FRM_CApplication* application)
{
    return new FRM_CDesktop(application);
}
FRM_CResourceMgr* CApplicationFactoryDefault::ConstructResourceMgr()
{
    return new FRM_CResourceMgr;
}
FRM_CControllerMgr* CApplicationFactoryDefault::ConstructControllerMgr()
{
    return new FRM_CControllerMgr;
}

// ---- Kind 1: platform --------------------------------------------------------------------

CPlatformFactory* CPlatformFactory::GetTop()
{
    return static_cast<CPlatformFactory*>(FrmGetFactory(FRM_CFactoryMgr::kPlatform));
}
CPlatformFactory* CPlatformFactory::Next() const
{
    return static_cast<CPlatformFactory*>(FrmGetNextFactory(FRM_CFactoryMgr::kPlatform, this));
}
FRM_CControlDelegate* CPlatformFactory::ConstructNativeControlDelegate(FRM_CNativeView* view)
{
    return Delegate(Next(), &CPlatformFactory::ConstructNativeControlDelegate, view);
}
FRM_CAttachmentWindow* CPlatformFactory::ConstructAttachmentWindow(FRM_CWindow* window,
                                                                   FRM_CAttachment* attachment,
                                                                   short hasTitleBar)
{
    return Delegate(Next(), &CPlatformFactory::ConstructAttachmentWindow, window, attachment,
                    hasTitleBar);
}

FRM_CControlDelegate* CPlatformFactoryDefault::ConstructNativeControlDelegate(FRM_CNativeView* view)
{
    return new FRM_CControlDelegate(view);
}

// ---- Kind 2: resource --------------------------------------------------------------------

CResourceFactory* CResourceFactory::GetTop()
{
    return static_cast<CResourceFactory*>(FrmGetFactory(FRM_CFactoryMgr::kResource));
}
CResourceFactory* CResourceFactory::Next() const
{
    return static_cast<CResourceFactory*>(FrmGetNextFactory(FRM_CFactoryMgr::kResource, this));
}
FRM_NButton* CResourceFactory::ConstructNButton(FRM_CSubview* parent, long resourceId, long itemId)
{
    return Delegate(Next(), &CResourceFactory::ConstructNButton, parent, resourceId, itemId);
}
FRM_CRadioGroup* CResourceFactory::ConstructCRadioGroup(FRM_CSubview* parent, long resourceId,
                                                        long itemId)
{
    return Delegate(Next(), &CResourceFactory::ConstructCRadioGroup, parent, resourceId, itemId);
}
FRM_NCheckBox* CResourceFactory::ConstructNCheckBox(FRM_CSubview* parent, long resourceId,
                                                    long itemId)
{
    return Delegate(Next(), &CResourceFactory::ConstructNCheckBox, parent, resourceId, itemId);
}
FRM_NScrollBar* CResourceFactory::ConstructNScrollBar(FRM_CSubview* parent, long resourceId,
                                                      long itemId)
{
    return Delegate(Next(), &CResourceFactory::ConstructNScrollBar, parent, resourceId, itemId);
}
FRM_NEditControl* CResourceFactory::ConstructNEditControl(FRM_CSubview* parent, long resourceId,
                                                          long itemId)
{
    return Delegate(Next(), &CResourceFactory::ConstructNEditControl, parent, resourceId, itemId);
}
FRM_NText* CResourceFactory::ConstructNText(FRM_CSubview* parent, long resourceId, long itemId)
{
    return Delegate(Next(), &CResourceFactory::ConstructNText, parent, resourceId, itemId);
}
FRM_NListBox* CResourceFactory::ConstructNListBox(FRM_CSubview* parent, long resourceId,
                                                  long itemId)
{
    return Delegate(Next(), &CResourceFactory::ConstructNListBox, parent, resourceId, itemId);
}
FRM_NIcon* CResourceFactory::ConstructNIcon(FRM_CSubview* parent, long resourceId, long itemId)
{
    return Delegate(Next(), &CResourceFactory::ConstructNIcon, parent, resourceId, itemId);
}
FRM_NListButton* CResourceFactory::ConstructNListButton(FRM_CSubview* parent, long resourceId,
                                                        long itemId)
{
    return Delegate(Next(), &CResourceFactory::ConstructNListButton, parent, resourceId, itemId);
}
FRM_NListEdit* CResourceFactory::ConstructNListEdit(FRM_CSubview* parent, long resourceId,
                                                    long itemId)
{
    return Delegate(Next(), &CResourceFactory::ConstructNListEdit, parent, resourceId, itemId);
}
FRM_NGroupBox* CResourceFactory::ConstructNGroupBox(FRM_CSubview* parent, long resourceId,
                                                    long itemId)
{
    return Delegate(Next(), &CResourceFactory::ConstructNGroupBox, parent, resourceId, itemId);
}
FRM_NScrollText* CResourceFactory::ConstructNScrollText(FRM_CSubview* parent, long resourceId,
                                                        long itemId)
{
    return Delegate(Next(), &CResourceFactory::ConstructNScrollText, parent, resourceId, itemId);
}
FRM_NRadioButton* CResourceFactory::ConstructNRadioButton(FRM_CRadioGroup* group,
                                                          long resourceId, long itemId)
{
    return Delegate(Next(), &CResourceFactory::ConstructNRadioButton, group, resourceId, itemId);
}
FRM_CResourceWindow* CResourceFactory::ConstructCResourceWindow(long id)
{
    return Delegate(Next(), &CResourceFactory::ConstructCResourceWindow, id);
}
FRM_CResourceMenu* CResourceFactory::ConstructCResourceMenu(long id)
{
    return Delegate(Next(), &CResourceFactory::ConstructCResourceMenu, id);
}

FRM_NButton* CResourceFactoryDefault::ConstructNButton(FRM_CSubview* parent, long resourceId,
                                                       long itemId)
{
    return new FRM_NButton(parent, resourceId, itemId);
}
FRM_CRadioGroup* CResourceFactoryDefault::ConstructCRadioGroup(FRM_CSubview* parent,
                                                               long resourceId, long itemId)
{
    return new FRM_CRadioGroup(parent, resourceId, itemId);
}
FRM_NCheckBox* CResourceFactoryDefault::ConstructNCheckBox(FRM_CSubview* parent, long resourceId,
                                                           long itemId)
{
    return new FRM_NCheckBox(parent, resourceId, itemId);
}
FRM_NScrollBar* CResourceFactoryDefault::ConstructNScrollBar(FRM_CSubview* parent,
                                                             long resourceId, long itemId)
{
    return new FRM_NScrollBar(parent, resourceId, itemId);
}
FRM_NEditControl* CResourceFactoryDefault::ConstructNEditControl(FRM_CSubview* parent,
                                                                 long resourceId, long itemId)
{
    return new FRM_NEditControl(parent, resourceId, itemId);
}
FRM_NText* CResourceFactoryDefault::ConstructNText(FRM_CSubview* parent, long resourceId,
                                                   long itemId)
{
    return new FRM_NText(parent, resourceId, itemId);
}
FRM_NListBox* CResourceFactoryDefault::ConstructNListBox(FRM_CSubview* parent, long resourceId,
                                                         long itemId)
{
    return new FRM_NListBox(parent, resourceId, itemId);
}
FRM_NIcon* CResourceFactoryDefault::ConstructNIcon(FRM_CSubview* parent, long resourceId,
                                                   long itemId)
{
    return new FRM_NIcon(parent, resourceId, itemId);
}
FRM_NListButton* CResourceFactoryDefault::ConstructNListButton(FRM_CSubview* parent,
                                                               long resourceId, long itemId)
{
    return new FRM_NListButton(parent, resourceId, itemId);
}
FRM_NListEdit* CResourceFactoryDefault::ConstructNListEdit(FRM_CSubview* parent, long resourceId,
                                                           long itemId)
{
    return new FRM_NListEdit(parent, resourceId, itemId);
}
FRM_NGroupBox* CResourceFactoryDefault::ConstructNGroupBox(FRM_CSubview* parent, long resourceId,
                                                           long itemId)
{
    return new FRM_NGroupBox(parent, resourceId, itemId);
}
FRM_NScrollText* CResourceFactoryDefault::ConstructNScrollText(FRM_CSubview* parent,
                                                               long resourceId, long itemId)
{
    return new FRM_NScrollText(parent, resourceId, itemId);
}
FRM_NRadioButton* CResourceFactoryDefault::ConstructNRadioButton(FRM_CRadioGroup* group,
                                                                 long resourceId, long itemId)
{
    return new FRM_NRadioButton(group, resourceId, itemId);
}
FRM_CResourceWindow* CResourceFactoryDefault::ConstructCResourceWindow(long id)
{
    return new FRM_CResourceWindow(static_cast<std::int32_t>(id));
}
FRM_CResourceMenu* CResourceFactoryDefault::ConstructCResourceMenu(long id)
{
    return new FRM_CResourceMenu(static_cast<std::int32_t>(id));
}

// ---- Kind 3: menu ------------------------------------------------------------------------

CMenuFactory* CMenuFactory::GetTop()
{
    return static_cast<CMenuFactory*>(FrmGetFactory(FRM_CFactoryMgr::kMenu));
}
CMenuFactory* CMenuFactory::Next() const
{
    return static_cast<CMenuFactory*>(FrmGetNextFactory(FRM_CFactoryMgr::kMenu, this));
}
FRM_CSubmenu* CMenuFactory::ConstructCSubmenu(const FRM_CSubmenu& submenu)
{
    return Delegate(Next(), &CMenuFactory::ConstructCSubmenu, submenu);
}
FRM_CMenuItem* CMenuFactory::ConstructCMenuItem(const FRM_CMenuItem& item)
{
    return Delegate(Next(), &CMenuFactory::ConstructCMenuItem, item);
}
FRM_CMenuBar* CMenuFactory::ConstructCMenuBar(FRM_CWindow* window, short menuBarId, short unused)
{
    return Delegate(Next(), &CMenuFactory::ConstructCMenuBar, window, menuBarId, unused);
}

FRM_CSubmenu* CMenuFactoryDefault::ConstructCSubmenu(const FRM_CSubmenu& submenu)
{
    return new FRM_CSubmenu(submenu);
}
FRM_CMenuItem* CMenuFactoryDefault::ConstructCMenuItem(const FRM_CMenuItem& item)
{
    return new FRM_CMenuItem(item);
}
FRM_CMenuBar* CMenuFactoryDefault::ConstructCMenuBar(FRM_CWindow* window, short menuBarId, short)
{
    return new FRM_CMenuBar(window, menuBarId);
}

// ---- Kind 4: view ------------------------------------------------------------------------

CViewFactory* CViewFactory::GetTop()
{
    return static_cast<CViewFactory*>(FrmGetFactory(FRM_CFactoryMgr::kView));
}
CViewFactory* CViewFactory::Next() const
{
    return static_cast<CViewFactory*>(FrmGetNextFactory(FRM_CFactoryMgr::kView, this));
}
FRM_CText* CViewFactory::ConstructCText(FRM_CSubview* enclosure, const FRM_CPoint& point,
                                        const FRM_CStringRW& text)
{
    return Delegate(Next(), &CViewFactory::ConstructCText, enclosure, point, text);
}
FRM_CPicture* CViewFactory::ConstructCPicture(FRM_CSubview* enclosure, const FRM_CPoint& point,
                                              const FRM_CImage& image)
{
    return Delegate(Next(), &CViewFactory::ConstructCPicture, enclosure, point, image);
}
FRM_CFixedGrid* CViewFactory::ConstructCFixedGrid(FRM_CSubview* enclosure,
                                                  const FRM_CPoint& point, float rowHeight,
                                                  float columnWidth, int rows, int columns)
{
    return Delegate(Next(), &CViewFactory::ConstructCFixedGrid, enclosure, point, rowHeight,
                    columnWidth, rows, columns);
}
FRM_CGlue* CViewFactory::ConstructGlue(FRM_CView* view)
{
    return Delegate(Next(), &CViewFactory::ConstructGlue, view);
}
FRM_CWireFrame* CViewFactory::ConstructWireFrame(FRM_CView* view)
{
    return Delegate(Next(), &CViewFactory::ConstructWireFrame, view);
}

FRM_CText* CViewFactoryDefault::ConstructCText(FRM_CSubview* enclosure, const FRM_CPoint& point,
                                               const FRM_CStringRW& text)
{
    return new FRM_CText(enclosure, point, text); // owned by its enclosure
}
FRM_CPicture* CViewFactoryDefault::ConstructCPicture(FRM_CSubview* enclosure,
                                                     const FRM_CPoint& point,
                                                     const FRM_CImage& image)
{
    return new FRM_CPicture(enclosure, point, image); // owned by its enclosure
}
FRM_CFixedGrid* CViewFactoryDefault::ConstructCFixedGrid(FRM_CSubview* enclosure,
                                                         const FRM_CPoint& point, float rowHeight,
                                                         float columnWidth, int rows, int columns)
{
    return new FRM_CFixedGrid(enclosure, point, rowHeight, columnWidth, rows, columns);
}
FRM_CGlue* CViewFactoryDefault::ConstructGlue(FRM_CView* view) { return new FRM_CGlue(view); }
FRM_CWireFrame* CViewFactoryDefault::ConstructWireFrame(FRM_CView* view)
{
    return new FRM_CWireFrame(view, nullptr); // owned by its view
}

// ---- Kind 5: window ----------------------------------------------------------------------

CWindowFactory* CWindowFactory::GetTop()
{
    return static_cast<CWindowFactory*>(FrmGetFactory(FRM_CFactoryMgr::kWindow));
}
CWindowFactory* CWindowFactory::Next() const
{
    return static_cast<CWindowFactory*>(FrmGetNextFactory(FRM_CFactoryMgr::kWindow, this));
}
FRM_CMouseManager* CWindowFactory::ConstructMouseManager(FRM_CWindow* window,
                                                         FRM_CMouseManager* previous)
{
    return Delegate(Next(), &CWindowFactory::ConstructMouseManager, window, previous);
}
FRM_CNavigator* CWindowFactory::ConstructNavigator(FRM_CWindow* window)
{
    return Delegate(Next(), &CWindowFactory::ConstructNavigator, window);
}
FRM_NWinScrollBar* CWindowFactory::ConstructHorizScrollBar(FRM_CWindow* window)
{
    return Delegate(Next(), &CWindowFactory::ConstructHorizScrollBar, window);
}
FRM_NWinScrollBar* CWindowFactory::ConstructVertScrollBar(FRM_CWindow* window)
{
    return Delegate(Next(), &CWindowFactory::ConstructVertScrollBar, window);
}

FRM_NWinScrollBar* CWindowFactoryDefault::ConstructHorizScrollBar(FRM_CWindow* window)
{
    return new FRM_NWinScrollBar(window, HORIZONTAL);
}
FRM_NWinScrollBar* CWindowFactoryDefault::ConstructVertScrollBar(FRM_CWindow* window)
{
    return new FRM_NWinScrollBar(window, VERTICAL);
}
FRM_CMouseManager* CWindowFactoryDefault::ConstructMouseManager(FRM_CWindow*,
                                                                FRM_CMouseManager* previous)
{
    return new FRM_CMouseManager(previous);
}
FRM_CNavigator* CWindowFactoryDefault::ConstructNavigator(FRM_CWindow* window)
{
    return new FRM_CWindowNavigator(window);
}

