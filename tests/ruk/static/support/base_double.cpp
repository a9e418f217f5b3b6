// base_double.cpp: the recording double's state and built-in behaviours, and the generated
// functions: one per row of the base library's tables, the text-edit engine's table and the
// layer's list of base operations still missing from the base library.
#include "base_double.h"

#include <cstring>
#include <utility>
#include <type_traits>

namespace base_double {
namespace {

// The frame's own traffic, left out of Forwarded().
bool is_frame_traffic(const std::string& name) {
    return name == "vkov_errfrm_mark_API" || name == "vkov_errfrm_unmark_API" ||
           name == "vkov_errmsg_dispatch" || name == "vkov_app_proc_update" ||
           name.find("_is_valid") != std::string::npos;
}

template <class T> Arg to_arg(T value) {
    Arg arg;
    using U = std::remove_cv_t<T>;
    if constexpr (std::is_same_v<U, const char*>) {
        arg.value = static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(value));
        if (value != nullptr) {
            arg.has_text = true;
            arg.text = value;
        }
    } else if constexpr (std::is_same_v<U, s_rct*> || std::is_same_v<U, const s_rct*>) {
        arg.value = static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(value));
        if (value != nullptr) {
            arg.has_rect = true;
            arg.rect = *value;
        }
    } else if constexpr (std::is_pointer_v<U>) {
        arg.value = static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(value));
    } else if constexpr (std::is_floating_point_v<U>) {
        arg.real = static_cast<double>(value);
        arg.is_real = true;
    } else if constexpr (std::is_integral_v<U> || std::is_enum_v<U>) {
        arg.value = static_cast<std::int64_t>(value);
    }
    return arg;
}

template <class Ret, class Neutral, class... A>
Ret answer(const char* name, Neutral neutral, A... args) noexcept {
    Call call{name, {to_arg(args)...}};
    const Answer given = BaseDouble::get().Record(std::move(call));
    if constexpr (std::is_void_v<Ret>) {
        return;
    } else {
        if (!given.set)
            return neutral();
        if constexpr (std::is_pointer_v<Ret>)
            return reinterpret_cast<Ret>(static_cast<std::uintptr_t>(given.value));
        else if constexpr (std::is_floating_point_v<Ret>)
            return static_cast<Ret>(given.real);
        else if constexpr (std::is_integral_v<Ret> || std::is_enum_v<Ret>)
            return static_cast<Ret>(given.value);
        else
            return neutral();
    }
}

Answer yes(bool value) { return Answer{true, value ? 1 : 0, 0.0}; }

s_rct* rect_arg(const Call& call, std::size_t index) {
    return reinterpret_cast<s_rct*>(static_cast<std::uintptr_t>(call.args[index].value));
}

void order(s_rct& rct) {
    if (rct.top > rct.bottom)
        std::swap(rct.top, rct.bottom);
    if (rct.left > rct.right)
        std::swap(rct.left, rct.right);
}

} // namespace

BaseDouble& BaseDouble::get() {
    static BaseDouble instance;
    return instance;
}

void BaseDouble::Reset() {
    itsCalls.clear();
    itsReports.clear();
    itsMarked.clear();
    itsResults.clear();
    itsResponders.clear();
    itsLive.clear();
    itsWindows.clear();
    itsDepth = 0;
    itsUnderflow = false;
    itsProcUpdate = false;
    itsUpdateInProgress = false;
    InstallBuiltins();
}

void BaseDouble::ClearLog() {
    itsCalls.clear();
    itsReports.clear();
    itsMarked.clear();
}

void BaseDouble::InstallBuiltins() {
    itsResponders["vkov_errfrm_mark_API"] = [this](const Call& call) {
        ++itsDepth;
        itsMarked.push_back(call.args[0].text);
        return Answer{};
    };
    itsResponders["vkov_errfrm_unmark_API"] = [this](const Call&) {
        if (itsDepth == 0)
            itsUnderflow = true;
        else
            --itsDepth;
        return Answer{};
    };
    itsResponders["vkov_errmsg_dispatch"] = [this](const Call& call) {
        itsReports.push_back(Report{
            reinterpret_cast<WINDOW>(static_cast<std::uintptr_t>(call.args[0].value)),
            static_cast<std::int32_t>(call.args[1].value),
            static_cast<std::uint32_t>(call.args[2].value), call.args[3].text,
            static_cast<std::int32_t>(call.args[4].value)});
        return Answer{};
    };
    itsResponders["vkov_app_proc_update"] = [this](const Call&) { return yes(itsProcUpdate); };
    itsResponders["vkov_app_is_update_in_progress"] = [this](const Call&) {
        return yes(itsUpdateInProgress);
    };
    for (const char* predicate :
         {"vkov_vobj_is_valid", "vkov_font_is_valid", "vkov_palet_is_valid", "vkok_pict_is_valid",
          "vkov_image_is_valid", "vkov_slist_is_valid", "vkok_print_is_valid",
          "vkov_cxo_is_valid", "vkov_tx_is_valid", "vkov_help_is_valid_info"}) {
        const std::string key = predicate;
        itsResponders[key] = [this, key](const Call& call) {
            const auto handle = static_cast<std::uintptr_t>(call.args[0].value);
            return yes(handle != 0 && itsLive[key].count(handle) != 0);
        };
    }
    itsResponders["vkov_rect_is_empty"] = [](const Call& call) {
        const s_rct* rct = rect_arg(call, 0);
        return yes(rct == nullptr || rct->top == rct->bottom || rct->left == rct->right);
    };
    itsResponders["vkov_rect_repair_ptr"] = [](const Call& call) {
        s_rct* repaired = rect_arg(call, 1);
        if (repaired == nullptr || rect_arg(call, 0) == nullptr)
            return Answer{true, 0, 0.0};
        *repaired = *rect_arg(call, 0);
        order(*repaired);
        return Answer{true, call.args[1].value, 0.0};
    };
    itsResponders["vkov_rect_repair"] = [](const Call& call) {
        s_rct* rct = rect_arg(call, 0);
        if (rct == nullptr)
            return yes(false);
        const s_rct before = *rct;
        order(*rct);
        return yes(std::memcmp(&before, rct, sizeof before) != 0);
    };
    itsResponders["vkov_str_get_byte_count"] = [](const Call& call) {
        return Answer{true, static_cast<std::int64_t>(call.args[0].text.size()), 0.0};
    };
    itsResponders["vkov_str_copy"] = [](const Call& call) {
        char* dst = reinterpret_cast<char*>(static_cast<std::uintptr_t>(call.args[0].value));
        if (dst == nullptr)
            return Answer{true, 0, 0.0};
        std::memcpy(dst, call.args[1].text.c_str(), call.args[1].text.size() + 1);
        return Answer{true, call.args[0].value, 0.0};
    };
}

void BaseDouble::SetLive(const std::string& predicate, std::uintptr_t handle, bool live) {
    if (live)
        itsLive[predicate].insert(handle);
    else
        itsLive[predicate].erase(handle);
}

void BaseDouble::SetLive(const std::string& predicate, const void* handle, bool live) {
    SetLive(predicate, reinterpret_cast<std::uintptr_t>(handle), live);
}

WINDOW BaseDouble::MakeWindow(std::uint32_t flags, e_win_type type, bool live) {
    s_win& record = itsWindows.emplace_back();
    record.signature = live ? VKO_WIN_SIGNATURE : 0;
    record.flags = flags;
    record.type = type;
    if (live)
        SetLive("vkov_vobj_is_valid", &record);
    return &record;
}

void BaseDouble::SetResult(const std::string& name, std::int64_t value) {
    itsResponders.erase(name);
    itsResults[name] = Answer{true, value, 0.0};
}

void BaseDouble::SetResultPtr(const std::string& name, const void* ptr) {
    SetResult(name, static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(ptr)));
}

void BaseDouble::SetResultReal(const std::string& name, double value) {
    itsResponders.erase(name);
    itsResults[name] = Answer{true, 0, value};
}

void BaseDouble::SetResponder(const std::string& name, Responder responder) {
    itsResults.erase(name);
    itsResponders[name] = std::move(responder);
}

Answer BaseDouble::Record(Call call) {
    itsCalls.push_back(call);
    const auto responder = itsResponders.find(call.name);
    if (responder != itsResponders.end())
        return responder->second(call);
    const auto result = itsResults.find(call.name);
    return result != itsResults.end() ? result->second : Answer{};
}

bool BaseDouble::Forwarded(const std::string& name) const {
    return !is_frame_traffic(name) && LastCall(name) != nullptr;
}

bool BaseDouble::TakeForwarded(const std::string& name) {
    const bool found = LastCall(name) != nullptr;
    std::erase_if(itsCalls, [&](const Call& call) { return call.name == name; });
    return found;
}

const Call* BaseDouble::LastCall(const std::string& name) const {
    for (auto it = itsCalls.rbegin(); it != itsCalls.rend(); ++it)
        if (it->name == name)
            return &*it;
    return nullptr;
}

std::uint32_t BaseDouble::TakeLastReportCode() {
    const std::uint32_t code = itsReports.empty() ? 0 : itsReports.back().code;
    itsReports.clear();
    return code;
}

const Report* BaseDouble::LastReport() const {
    return itsReports.empty() ? nullptr : &itsReports.back();
}

} // namespace base_double

// The dialog family is declared without noexcept (a fatal exit throws in the base library's
// test mode); every other family is noexcept.
#define VKO_DOUBLE_NOEXCEPT noexcept
#define VKO_DOUBLE_TAIL(...) __VA_OPT__(, ) __VA_ARGS__
#define VKOBASE_FN_DOUBLE(ret, name, params, args, neutral)                                      \
    extern "C" ret name params VKO_DOUBLE_NOEXCEPT {                                              \
        return ::base_double::answer<ret>(                                                        \
            #name, []() -> ret { return neutral; } VKO_DOUBLE_TAIL args);                         \
    }

#define VKOBASE_FN VKOBASE_FN_DOUBLE
#include "vkobase/errfrm.def"
#define VKOBASE_FN VKOBASE_FN_DOUBLE
#include "vkobase/errmsg.def"
#define VKOBASE_FN VKOBASE_FN_DOUBLE
#include "vkobase/vobj.def"
#define VKOBASE_FN VKOBASE_FN_DOUBLE
#include "vkobase/app.def"
#define VKOBASE_FN VKOBASE_FN_DOUBLE
#include "vkobase/win.def"
#define VKOBASE_FN VKOBASE_FN_DOUBLE
#include "vkobase/scr.def"
#define VKOBASE_FN VKOBASE_FN_DOUBLE
#include "vkobase/cxo.def"
#define VKOBASE_FN VKOBASE_FN_DOUBLE
#include "vkobase/timer.def"
#define VKOBASE_FN VKOBASE_FN_DOUBLE
#include "vkobase/rect.def"
#define VKOBASE_FN VKOBASE_FN_DOUBLE
#include "vkobase/color.def"
#define VKOBASE_FN VKOBASE_FN_DOUBLE
#include "vkobase/dlist.def"
#define VKOBASE_FN VKOBASE_FN_DOUBLE
#include "vkobase/dwin.def"
#define VKOBASE_FN VKOBASE_FN_DOUBLE
#include "vkobase/font.def"
#define VKOBASE_FN VKOBASE_FN_DOUBLE
#include "vkobase/fmap.def"
#define VKOBASE_FN VKOBASE_FN_DOUBLE
#include "vkobase/image.def"
#define VKOBASE_FN VKOBASE_FN_DOUBLE
#include "vkobase/pict.def"
#define VKOBASE_FN VKOBASE_FN_DOUBLE
#include "vkobase/pmap.def"
#define VKOBASE_FN VKOBASE_FN_DOUBLE
#include "vkobase/palet.def"
#define VKOBASE_FN VKOBASE_FN_DOUBLE
#include "vkobase/pattern.def"
#define VKOBASE_FN VKOBASE_FN_DOUBLE
#include "vkobase/print.def"
#define VKOBASE_FN VKOBASE_FN_DOUBLE
#include "vkobase/res.def"
#define VKOBASE_FN VKOBASE_FN_DOUBLE
#include "vkobase/ctl.def"
#define VKOBASE_FN VKOBASE_FN_DOUBLE
#include "vkobase/list.def"
#define VKOBASE_FN VKOBASE_FN_DOUBLE
#include "vkobase/menu.def"
#define VKOBASE_FN VKOBASE_FN_DOUBLE
#include "vkobase/notebk.def"
#define VKOBASE_FN VKOBASE_FN_DOUBLE
#include "vkobase/sbar.def"
#define VKOBASE_FN VKOBASE_FN_DOUBLE
#include "vkobase/str.def"
#define VKOBASE_FN VKOBASE_FN_DOUBLE
#include "vkobase/slist.def"
#define VKOBASE_FN VKOBASE_FN_DOUBLE
#include "vkobase/mem.def"
#define VKOBASE_FN VKOBASE_FN_DOUBLE
#include "vkobase/gmem.def"
#define VKOBASE_FN VKOBASE_FN_DOUBLE
#include "vkobase/static.def"
#define VKOBASE_FN VKOBASE_FN_DOUBLE
#include "vkobase/fsys.def"
#define VKOBASE_FN VKOBASE_FN_DOUBLE
#include "vkobase/iostr.def"
#define VKOBASE_FN VKOBASE_FN_DOUBLE
#include "vkobase/cb.def"
#undef VKO_DOUBLE_NOEXCEPT
#define VKO_DOUBLE_NOEXCEPT
#define VKOBASE_FN VKOBASE_FN_DOUBLE
#include "vkobase/dm.def"
#undef VKO_DOUBLE_NOEXCEPT
#define VKO_DOUBLE_NOEXCEPT noexcept
#define VKOBASE_FN VKOBASE_FN_DOUBLE
#include "vkotext/tx.def"
#define VKOBASE_FN VKOBASE_FN_DOUBLE
#include "vkohelp/help.def"
