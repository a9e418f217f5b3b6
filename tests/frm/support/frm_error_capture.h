// frm_error_capture.h: records the framework's fatal reports in place of the fatal exit, for
// the life of the object, so that a test can assert each report's code, file and line.
#pragma once
#include <string>
#include <vector>
#include "frm/core/frmerror.h"

struct FrmReport {
    long code;
    std::string file;
    int line;
    bool operator==(const FrmReport& other) const = default;
};

class FrmErrorCapture {
public:
    FrmErrorCapture() { FrmSetErrorHook(&Record, this); }
    ~FrmErrorCapture() { FrmSetErrorHook(nullptr, nullptr); }
    FrmErrorCapture(const FrmErrorCapture&) = delete;
    FrmErrorCapture& operator=(const FrmErrorCapture&) = delete;

    const std::vector<FrmReport>& Reports() const { return itsReports; }
    // The reports so far, which are then forgotten.
    std::vector<FrmReport> Take()
    {
        std::vector<FrmReport> taken;
        taken.swap(itsReports);
        return taken;
    }

private:
    static void Record(long code, const char* file, int line, void* context)
    {
        static_cast<FrmErrorCapture*>(context)->itsReports.push_back({code, file, line});
    }
    std::vector<FrmReport> itsReports;
};
