// cunits.h: FRM_CUnits, the mapping from logical units (floats) to device pixels, for the
// screen and the printer, per axis; and the inch and centimetre kinds. A boss owns its units
// (SetOwner); the process-wide current units, installed by whoever converts next, are what
// FRM_CPoint and FRM_CRect convert through. Destroying installed units uninstalls them.
#pragma once
#include "frm/core/cboss.h"
#include "frm/core/crect.h"

class FRM_CUnits : public FRM_CNotifier {
    FRM_TYPE_INFO(CUnits)
    enum OutputDevice : std::int32_t { kScreen = 0, kPrinter = 1 };

    // Pixels per logical unit; reads the development metrics (attributes 401, 400, 402, 403).
    FRM_CUnits(float hScreen, float vScreen, float hPrinter, float vPrinter,
               OutputDevice device);
    FRM_CUnits() : FRM_CUnits(1, 1, 1, 1, kScreen) {}
    // Copies every field, the owner included.
    FRM_CUnits(const FRM_CUnits& other);
    FRM_CUnits& operator=(const FRM_CUnits& other);
    // Leaves the owner with no units (its SetUnits(nullptr)) and uninstalls itself.
    ~FRM_CUnits() override;

    void SetOutputDevice(OutputDevice device);
    OutputDevice GetOutputDevice() const { return itsOutputDevice; }
    void SetScreenMapping(float h, float v);
    // Tells the owner only while dynamic mapping is on.
    void SetPrinterMapping(float h, float v);
    float GetHScreenMapping() const { return itsHScreen; }
    float GetVScreenMapping() const { return itsVScreen; }
    float GetHPrinterMapping() const { return itsHPrinter; }
    float GetVPrinterMapping() const { return itsVPrinter; }
    void SetDevelopmentMetrics(int a, int b, int hResolution, int vResolution);
    // Turning it on the first time rescales the mappings from the development resolution to
    // this machine's; turning it off does not undo that.
    void SetDynamicMapping(short on);
    short GetDynamicMapping() const { return itsDynamicMapping; }

    // Logical to pixels: single values and points truncate toward zero, rectangles round
    // (+0.5, then truncate). Results outside the pixel type's range are clamped.
    int HLogicalToPhysical(float h) const;
    int VLogicalToPhysical(float v) const;
    s_pnt LogicalToPhysical(float h, float v) const;
    s_rct LogicalToPhysical(float left, float top, float right, float bottom) const;
    float HPhysicalToLogical(int h) const;
    float VPhysicalToLogical(int v) const;
    FRM_CPoint PhysicalToLogical(const s_pnt& point) const;
    FRM_CRect PhysicalToLogical(const s_rct& rect) const;

    FRM_CBoss* GetOwner() const { return itsOwner; }
    // Does not tell the owner.
    void SetOwner(FRM_CBoss* owner) { itsOwner = owner; }

    static void SetGlobalUnits(const FRM_CUnits* units);
    static const FRM_CUnits* GetGlobalUnits();

protected:
    void UpdateOwner();

private:
    float HMapping() const;
    float VMapping() const;

    OutputDevice itsOutputDevice = kScreen;
    float itsHCurrent = 1;
    float itsVCurrent = 1;
    float itsHScreen = 1;
    float itsVScreen = 1;
    float itsHPrinter = 1;
    float itsVPrinter = 1;
    int itsDevelopmentMetrics[4] = {0, 0, 0, 0};   // attributes 401, 400, 402, 403
    short itsDynamicMapping = 0;
    FRM_CBoss* itsOwner = nullptr;                  // not owned
};

// Mappings of one inch per logical unit, from the screen's and printer's resolutions.
class FRM_CInchUnits : public FRM_CUnits {
    FRM_TYPE_INFO(CInchUnits)
    FRM_CInchUnits();
};

// Mappings of one centimetre per logical unit.
class FRM_CCentimeterUnits : public FRM_CUnits {
    FRM_TYPE_INFO(CCentimeterUnits)
    FRM_CCentimeterUnits();
};
