// cunits.cpp: units, their conversions and the current-units pointer (the module's state).
// A zero mapping or development resolution would give infinite coordinates: conversions
// treat a zero mapping as 1, and dynamic rescaling skips an axis whose resolution is 0.
#include "frm/core/cunits.h"

#include <cmath>
#include <limits>
#include "ruk/static/vkoruk.h"

namespace {
// Attributes of the null object: the base library's screen and printer resolutions.
constexpr std::int32_t kAttrPrinterH = VKO_ATTR_PRINTER_HRES;
constexpr std::int32_t kAttrPrinterV = VKO_ATTR_PRINTER_VRES;
constexpr std::int32_t kAttrScreenH = VKO_ATTR_SCREEN_HRES;
constexpr std::int32_t kAttrScreenV = VKO_ATTR_SCREEN_VRES;
constexpr double kCentimetresPerInch = 2.54;

struct UnitsState {
    const FRM_CUnits* global = nullptr;   // the current units; not owned
};
UnitsState state;

int Attribute(std::int32_t attr)
{
    const intptr_t value = vko_vobj_get_attr(nullptr, attr);
    return value > 0 && value <= std::numeric_limits<int>::max() ? static_cast<int>(value) : 0;
}

// Truncates toward zero into [lo, hi]; NaN gives 0.
template <class T>
T ClampTruncate(double value)
{
    constexpr double lo = std::numeric_limits<T>::min();
    constexpr double hi = std::numeric_limits<T>::max();
    if (std::isnan(value))
        return 0;
    if (value <= lo)
        return std::numeric_limits<T>::min();
    if (value >= hi)
        return std::numeric_limits<T>::max();
    return static_cast<T>(value);
}

// Multiplies a mapping by the ratio of this machine's resolution to the development one.
float Rescale(float mapping, int resolution, int developmentResolution)
{
    if (resolution <= 0 || developmentResolution <= 0)
        return mapping;
    return static_cast<float>(static_cast<double>(mapping) * resolution / developmentResolution);
}
} // namespace

FRM_CUnits::FRM_CUnits(float hScreen, float vScreen, float hPrinter, float vPrinter,
                       OutputDevice device)
    : itsOutputDevice(device), itsHScreen(hScreen), itsVScreen(vScreen), itsHPrinter(hPrinter),
      itsVPrinter(vPrinter),
      itsDevelopmentMetrics{Attribute(kAttrPrinterV), Attribute(kAttrPrinterH),
                            Attribute(kAttrScreenH), Attribute(kAttrScreenV)}
{
    SetOutputDevice(device);
}

FRM_CUnits::FRM_CUnits(const FRM_CUnits& other) = default;
FRM_CUnits& FRM_CUnits::operator=(const FRM_CUnits& other) = default;

FRM_CUnits::~FRM_CUnits()
{
    if (state.global == this)
        state.global = nullptr;
    if (itsOwner != nullptr) {
        FRM_CBoss* const owner = itsOwner;
        itsOwner = nullptr;   // the owner must not delete these units again
        owner->SetUnits(nullptr);
    }
}

void FRM_CUnits::SetOutputDevice(OutputDevice device)
{
    itsOutputDevice = device;
    const bool screen = device == kScreen;
    itsHCurrent = screen ? itsHScreen : itsHPrinter;
    itsVCurrent = screen ? itsVScreen : itsVPrinter;
}

void FRM_CUnits::SetScreenMapping(float h, float v)
{
    itsHScreen = h;
    itsVScreen = v;
    if (itsOutputDevice == kScreen) {
        itsHCurrent = h;
        itsVCurrent = v;
    }
    if (itsDynamicMapping != 0)
        SetDynamicMapping(itsDynamicMapping);
    else
        UpdateOwner();
}

void FRM_CUnits::SetPrinterMapping(float h, float v)
{
    itsHPrinter = h;
    itsVPrinter = v;
    if (itsOutputDevice == kPrinter) {
        itsHCurrent = h;
        itsVCurrent = v;
    }
    if (itsDynamicMapping != 0)
        SetDynamicMapping(itsDynamicMapping);
}

void FRM_CUnits::SetDevelopmentMetrics(int a, int b, int hResolution, int vResolution)
{
    itsDevelopmentMetrics[0] = a;
    itsDevelopmentMetrics[1] = b;
    itsDevelopmentMetrics[2] = hResolution;
    itsDevelopmentMetrics[3] = vResolution;
    if (itsDynamicMapping != 0) {
        itsDynamicMapping = 0;
        SetDynamicMapping(1);
        return;
    }
    UpdateOwner();
}

void FRM_CUnits::SetDynamicMapping(short on)
{
    if (on != 0 && itsDynamicMapping == 0) {
        const int hDevelopment = itsDevelopmentMetrics[2];
        const int vDevelopment = itsDevelopmentMetrics[3];
        itsHScreen = Rescale(itsHScreen, Attribute(kAttrScreenH), hDevelopment);
        itsVScreen = Rescale(itsVScreen, Attribute(kAttrScreenV), vDevelopment);
        itsHPrinter = Rescale(itsHPrinter, Attribute(kAttrPrinterH), hDevelopment);
        itsVPrinter = Rescale(itsVPrinter, Attribute(kAttrPrinterV), vDevelopment);
    }
    itsDynamicMapping = on;
    SetOutputDevice(itsOutputDevice);
    UpdateOwner();
}

float FRM_CUnits::HMapping() const { return itsHCurrent != 0 ? itsHCurrent : 1; }
float FRM_CUnits::VMapping() const { return itsVCurrent != 0 ? itsVCurrent : 1; }

int FRM_CUnits::HLogicalToPhysical(float h) const
{
    return ClampTruncate<int>(static_cast<double>(h * HMapping()));
}

int FRM_CUnits::VLogicalToPhysical(float v) const
{
    return ClampTruncate<int>(static_cast<double>(v * VMapping()));
}

s_pnt FRM_CUnits::LogicalToPhysical(float h, float v) const
{
    s_pnt point;
    point.h = ClampTruncate<std::int16_t>(static_cast<double>(h * HMapping()));
    point.v = ClampTruncate<std::int16_t>(static_cast<double>(v * VMapping()));
    return point;
}

s_rct FRM_CUnits::LogicalToPhysical(float left, float top, float right, float bottom) const
{
    s_rct rect;
    rect.left = ClampTruncate<std::int16_t>(static_cast<double>(left * HMapping()) + 0.5);
    rect.top = ClampTruncate<std::int16_t>(static_cast<double>(top * VMapping()) + 0.5);
    rect.right = ClampTruncate<std::int16_t>(static_cast<double>(right * HMapping()) + 0.5);
    rect.bottom = ClampTruncate<std::int16_t>(static_cast<double>(bottom * VMapping()) + 0.5);
    return rect;
}

float FRM_CUnits::HPhysicalToLogical(int h) const { return static_cast<float>(h) / HMapping(); }
float FRM_CUnits::VPhysicalToLogical(int v) const { return static_cast<float>(v) / VMapping(); }

FRM_CPoint FRM_CUnits::PhysicalToLogical(const s_pnt& point) const
{
    return FRM_CPoint(HPhysicalToLogical(point.h), VPhysicalToLogical(point.v));
}

FRM_CRect FRM_CUnits::PhysicalToLogical(const s_rct& rect) const
{
    return FRM_CRect(HPhysicalToLogical(rect.left), VPhysicalToLogical(rect.top),
                     HPhysicalToLogical(rect.right), VPhysicalToLogical(rect.bottom));
}

void FRM_CUnits::UpdateOwner()
{
    if (itsOwner != nullptr)
        itsOwner->UpdateUnits(this);
}

void FRM_CUnits::SetGlobalUnits(const FRM_CUnits* units) { state.global = units; }
const FRM_CUnits* FRM_CUnits::GetGlobalUnits() { return state.global; }

FRM_CInchUnits::FRM_CInchUnits()
{
    SetScreenMapping(static_cast<float>(Attribute(kAttrScreenH)),
                     static_cast<float>(Attribute(kAttrScreenV)));
    SetPrinterMapping(static_cast<float>(Attribute(kAttrPrinterH)),
                      static_cast<float>(Attribute(kAttrPrinterV)));
}

FRM_CCentimeterUnits::FRM_CCentimeterUnits()
{
    SetScreenMapping(static_cast<float>(Attribute(kAttrScreenH) / kCentimetresPerInch),
                     static_cast<float>(Attribute(kAttrScreenV) / kCentimetresPerInch));
    SetPrinterMapping(static_cast<float>(Attribute(kAttrPrinterH) / kCentimetresPerInch),
                      static_cast<float>(Attribute(kAttrPrinterV) / kCentimetresPerInch));
}
