// ccharunits.h: FRM_CCharacterUnits, units of one character of a base font: the mapping is
// the font's average character width and its height, measured on the hidden window (and, when
// the class-wide printer flag is on, on a print window).
#pragma once
#include "frm/core/cunits.h"
#include "frm/drawing/cfont.h"

class FRM_CCharacterUnits : public FRM_CUnits {
    FRM_TYPE_INFO(CCharacterUnits)
    // All mappings 1, then SetBaseFont(base).
    explicit FRM_CCharacterUnits(const FRM_CFont& base);
    FRM_CCharacterUnits(const FRM_CCharacterUnits& other) = default;
    FRM_CCharacterUnits& operator=(const FRM_CCharacterUnits& other) = default;

    // Keeps a copy of base and maps the screen (and the printer) to its character size.
    // Without a hidden window to measure on, the mappings stay as they are.
    void SetBaseFont(const FRM_CFont& base);
    const FRM_CFont& GetBaseFont() const { return itsBaseFont; }
    // Twice the average width of the characters from space to 'z' (integer division) and
    // the font's leading + ascent + descent, drawn with the base font in window.
    void GetCharSize(WINDOW window, int* width, int* height) const;

    static void NeedsPrinterMapping(short needed);
    static short GetNeedsPrinterMapping();
    static void SetPrinterSize(int width, int height);
    // Either pointer may be null.
    static void GetPrinterSize(int* width, int* height);

private:
    FRM_CFont itsBaseFont;
};
