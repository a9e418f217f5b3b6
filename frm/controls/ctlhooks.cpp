// ctlhooks.cpp: fills in the views' control hooks when the library loads, so that a window
// can make the native controls of its resource items and hand control events to native text
// edits, kinds that live above the view tree.
#include "frm/views/ctlhooks.h"

#include "frm/controls/cnatlist.h"
#include "frm/controls/cntvtxte.h"
#include "frm/controls/cradiogr.h"
#include "frm/controls/nctrls.h"
#include "frm/controls/nlistedt.h"
#include "frm/controls/nscrlltx.h"
#include "frm/runtime/cfactory.h"
#include "frm/views/nscrllbr.h"
#include "ruk/static/vkoruk.h"

namespace {

// A control for one resource item, from the top resource factory. Types without a control
// class make none, and nothing is made while no application runs.
FRM_CView* ConstructControl(FRM_CSubview* theParent, long theType, long theResourceId,
                            long theItem)
{
    CResourceFactory* factory = CResourceFactory::GetTop();
    if (factory == nullptr)
        return nullptr;
    switch (theType) {
    case WC_PUSHBUTTON:
        return factory->ConstructNButton(theParent, theResourceId, theItem);
    case WC_RADIOBUTTON:
        return factory->ConstructCRadioGroup(theParent, theResourceId, theItem);
    case WC_CHECKBOX:
        return factory->ConstructNCheckBox(theParent, theResourceId, theItem);
    case WC_HSCROLL:
    case WC_VSCROLL:
        return factory->ConstructNScrollBar(theParent, theResourceId, theItem);
    case WC_EDIT:
        return factory->ConstructNEditControl(theParent, theResourceId, theItem);
    case WC_TEXT:
        return factory->ConstructNText(theParent, theResourceId, theItem);
    case WC_LBOX:
        return factory->ConstructNListBox(theParent, theResourceId, theItem);
    case WC_LISTBUTTON:
        return factory->ConstructNListButton(theParent, theResourceId, theItem);
    case WC_LISTEDIT:
        return factory->ConstructNListEdit(theParent, theResourceId, theItem);
    case WC_GROUPBOX:
        return factory->ConstructNGroupBox(theParent, theResourceId, theItem);
    case WC_TEXTEDIT:
        return factory->ConstructNScrollText(theParent, theResourceId, theItem);
    case WC_ICON:
        return factory->ConstructNIcon(theParent, theResourceId, theItem);
    default:
        return nullptr;
    }
}

void HitNativeTextEdit(FRM_CObjectRWC* theControl, s_ctlinfo& theInfo)
{
    if (auto* edit = FrmCast<FRM_CNativeTextEdit>(theControl))
        edit->DoHit(theInfo);
}

const bool itsHooksSet = [] {
    frm_views::ControlHooks() = {&ConstructControl, &HitNativeTextEdit};
    return true;
}();

} // namespace
