// factory_app.cpp: the factory's application, documents, task window and splash window.
#include "app/shell/factory_layout.h"
#include "app/shell/ref_doc.h"
#include "app/shell/splash_win.h"
#include "app/shell/user_info_doc.h"
#include "frm/runtime/capplctn.h"
#include "ruk/static/vkoruk.h"

namespace factory {
namespace {

constexpr std::int32_t kAppStyle = 387;

FRM_CObjectRWC* CreateApplication(const FRM_PAFactory&, FRM_CObjectRWC*)
{
    vko_vobj_set_attr(nullptr, VKO_ATTR_APP_STYLE, kAppStyle);
    return nullptr;  // the application exists already
}
void InitApplication(const FRM_PAFactory&, FRM_CObjectRWC* object, FRM_CDataMembers*)
{
    if (auto* application = FrmCast<FRM_CApplication>(object)) {
        const FRM_CEnvironment environment = MakeEnvironment(7);
        application->SetEnvironment(&environment);
    }
}

FRM_CObjectRWC* CreateUserDocument(const FRM_PAFactory&, FRM_CObjectRWC* parent)
{
    return new UserInfoDoc(FrmCast<FRM_CApplication>(parent), KQedAppFactory::kUserDocument);
}
FRM_CObjectRWC* CreateReferenceDocument(const FRM_PAFactory&, FRM_CObjectRWC* parent)
{
    return new RefDoc(FrmCast<FRM_CApplication>(parent), KQedAppFactory::kReferenceDocument);
}
// The documents' properties are their classes': their init functions check the class only.
void InitDocument(const FRM_PAFactory&, FRM_CObjectRWC*, FRM_CDataMembers*) {}

constexpr WindowElement kTaskWindow{20044, 20044, 1003, 0, 2, 1, 0, 0, 0, 0, 0, W_DOC, 0,
                                    VKO_ATTR_TASK_WINDOW, 1143, false, false, nullptr};
constexpr WindowElement kSplashWindow{1015,  1015,
                                      1003,  1,
                                      2,     1,
                                      50,    50,
                                      347,   247,
                                      0x883, W_DOC,
                                      0,     VKO_ATTR_TASK_WINDOW,
                                      0,     true,
                                      false, MakeWindowOf<SplashWin>};
constexpr ViewElement kSplashPicture{1071, 1015, 0, 1, ViewClass::kPicture, -1, 0, 299, 200, 0,
                                     kNoCommand, kNoCommand, 0xFFFF0000, 0, 0, true, 1001};

} // namespace

void RegisterApplication(KQedAppFactory& f)
{
    f.Add(1002, frm_type::CApplication.GetId(), FRM_PAFactory::kApplication, CreateApplication,
          InitApplication, 0, 1, 1, 0);
    f.Add(1003, frm_type::CTaskDoc.GetId(), FRM_PAFactory::kDocument, nullptr, InitDocument, 1002,
          1, 3, 0);
    f.Add(1009, frm_type::CDocument.GetId(), FRM_PAFactory::kDocument, CreateUserDocument,
          InitDocument, 1002, 1, 3, 1);
    f.Add(1010, frm_type::CDocument.GetId(), FRM_PAFactory::kDocument, CreateReferenceDocument,
          InitDocument, 1002, 1, 3, 2);
    AddWindow<kTaskWindow>(f);
    AddWindow<kSplashWindow>(f);
    AddView<kSplashPicture>(f);
}

} // namespace factory
