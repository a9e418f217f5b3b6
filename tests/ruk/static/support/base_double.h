// base_double.h: a recording double of the base library (and of the text-edit engine's
// exports) for the checking layer's tests. Every function of their tables is generated from
// the same rows: it logs its call with the arguments, then answers a programmed value, a
// built-in behaviour, or the row's neutral value. Built in: the error frame (depth and names),
// the report call, both update predicates as flags, the validity predicates as sets of live
// handles, and the rectangle helpers that the layer relies on.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "vkobase/vkobase.h"
#include "vkohelp/help.h"
#include "vkotext/tx.h"

namespace base_double {

// One logged argument: its raw bits, plus the text of a const char* and the contents of a
// rectangle pointer, read at the time of the call.
struct Arg {
    std::int64_t value = 0;  // integers, enums and pointers (as their address)
    double real = 0.0;
    bool is_real = false;
    bool has_text = false;
    std::string text;
    bool has_rect = false;
    s_rct rect{};
};

struct Call {
    std::string name;
    std::vector<Arg> args;
};

struct Report {
    WINDOW obj;
    std::int32_t severity;
    std::uint32_t code;
    std::string module;
    std::int32_t line;
};

// A programmed answer: raw bits (integers and pointers) or a double.
struct Answer {
    bool set = false;
    std::int64_t value = 0;
    double real = 0.0;
};

using Responder = std::function<Answer(const Call&)>;

class BaseDouble {
public:
    static BaseDouble& get();

    // Clears the log, reports, programmed answers, live handles and windows.
    void Reset();

    // Update predicates: vkov_app_proc_update and vkov_app_is_update_in_progress.
    void SetProcUpdate(bool on) { itsProcUpdate = on; }
    void SetUpdateInProgress(bool on) { itsUpdateInProgress = on; }

    // Validity predicates answer TRUE for the handles made live under their name
    // ("vkov_font_is_valid", "vkov_tx_is_valid", "vkov_vobj_is_valid", ...).
    void SetLive(const std::string& predicate, const void* handle, bool live = true);
    void SetLive(const std::string& predicate, std::uintptr_t handle, bool live = true);

    // Window records owned by the double, live in vkov_vobj_is_valid unless said otherwise.
    WINDOW MakeWindow(std::uint32_t flags, e_win_type type, bool live = true);

    // Programmed answers: every later call of the function answers this value.
    void SetResult(const std::string& name, std::int64_t value);
    void SetResultPtr(const std::string& name, const void* ptr);
    void SetResultReal(const std::string& name, double value);
    // A responder computes the answer from the call; it replaces any built-in behaviour.
    void SetResponder(const std::string& name, Responder responder);

    // Observations.
    const std::vector<Call>& Calls() const { return itsCalls; }
    // The forwarded calls, without the frame's own traffic (error frame, reports, predicates).
    bool Forwarded(const std::string& name) const;
    // True when the function was called since the last take, and forgets its calls.
    bool TakeForwarded(const std::string& name);
    const Call* LastCall(const std::string& name) const;
    const std::vector<Report>& Reports() const { return itsReports; }
    // The code of the last report, 0 when there was none; clears the reports.
    std::uint32_t TakeLastReportCode();
    const Report* LastReport() const;
    int FrameDepth() const { return itsDepth; }
    bool ErrorFrameBalanced() const { return itsDepth == 0 && !itsUnderflow; }
    // Every name that was marked, in order.
    const std::vector<std::string>& MarkedNames() const { return itsMarked; }
    void ClearLog();

    // Called by the generated functions.
    Answer Record(Call call);

private:
    BaseDouble() { Reset(); }
    void InstallBuiltins();

    std::vector<Call> itsCalls;
    std::vector<Report> itsReports;
    std::vector<std::string> itsMarked;
    std::map<std::string, Answer> itsResults;
    std::map<std::string, Responder> itsResponders;
    std::map<std::string, std::set<std::uintptr_t>> itsLive;
    std::deque<s_win> itsWindows;
    int itsDepth = 0;
    bool itsUnderflow = false;
    bool itsProcUpdate = false;
    bool itsUpdateInProgress = false;
};

inline BaseDouble& base() { return BaseDouble::get(); }

} // namespace base_double
