// cfont.h: FRM_CFont, one toolkit font, and the font registry that lets fonts be built
// before the toolkit runs. A font made before the application's start-up records how it was
// made and gets its toolkit font at start-up; one made while the registry is live gets it at
// once; one made after shut-down stays empty. Pending records point at their fonts, so a font
// is never moved bitwise: copying builds a new record for the copy.
#pragma once

#include <memory>

#include "frm/core/cstringrw.h"
#include "frm/drawing/cfontinit.h"
#include "frm/runtime/cresreg.h"
#include "ruk/static/vkoruk.h"

class FRM_CWindow;
class CFontRegister;

class FRM_CFont {
public:
    FRM_CFont();
    explicit FRM_CFont(int resourceId);
    explicit FRM_CFont(s_fntid* fontId); // copies the given toolkit font
    explicit FRM_CFont(const FRM_CStringRW& nativeDescription);
    FRM_CFont(const FRM_CStringRW& family, unsigned long style, long size);
    FRM_CFont(const FRM_CFont& source);
    ~FRM_CFont();

    FRM_CFont& operator=(const FRM_CFont& source);
    // Takes over the given toolkit font: it is destroyed with this object.
    FRM_CFont& operator=(s_fntid* fontId);
    operator s_fntid*() const { return itsFontId; }

    void SetFamily(const FRM_CStringRW& family);
    void SetStyle(unsigned long style);
    void SetSize(long size);
    unsigned long GetStyle() const;
    long GetSize() const;
    unsigned long GetMappedStyle() const;
    long GetMappedSize() const;
    short IsMapped() const;
    short IsPrint() const;
    short IsScalable() const;
    FRM_CStringRW GetNativeDescription() const;
    FRM_CStringRW GetFamily() const;
    FRM_CStringRW GetMappedFamily() const;
    // A description the toolkit rejects leaves the empty description instead.
    void SetNativeDescription(const FRM_CStringRW& description);
    // Fatal 6000 when there is no toolkit font; the description is set only when it is not
    // the shared empty string.
    void IFont(const FRM_CStringRW& family, unsigned long style, long size,
               const FRM_CStringRW& nativeDescription);

    FRM_CStringRW Serialize() const;
    void Deserialize(const FRM_CStringRW& text);

    void Map(const FRM_CWindow* window);
    void MapUsingDefault();
    void Unmap();

    void GetMetrics(int* leading, int* ascent, int* descent) const;
    int GetLeading() const;
    int GetAscent() const;
    int GetDescent() const;
    int GetHeight() const;
    // Width of text in the window the font is mapped to; an unmapped font warns
    // "Font not mapped!" and answers 0.
    long GetTextWidth(const FRM_CStringRW& text) const;

    static class FRM_CFontRegistry* GetRegistry();
    static FRM_CFont& GetBestCtlFont();

private:
    friend class CFontRegister;
    friend class CFontRegisterResId;
    friend class CFontRegisterFontId;
    friend class CFontRegisterNativeDesc;
    friend class CFontRegisterFamily;
    friend class CFontRegisterCopy;

    // Realising a font: each form reports fatal 6000 when the toolkit gives no font.
    void Create();
    void Create(int resourceId);
    void Create(s_fntid* fontId);
    void Create(const FRM_CStringRW& nativeDescription);
    void Create(const FRM_CStringRW& family, unsigned long style, long size);
    void Create(const FRM_CFont& source);
    // Destroys the toolkit font and forgets it.
    void Destroy();
    // Drops the font's record (and toolkit font) as the registry's state requires.
    void RegistryDestroy();
    void CopyFrom(const FRM_CFont& source);

    s_fntid* itsFontId = nullptr;
};

bool operator==(const FRM_CFont& a, const FRM_CFont& b); // same native descriptions
bool operator!=(const FRM_CFont& a, const FRM_CFont& b);

// One deferred font construction. Every record names its font; Create realises it.
class CFontRegister : public FRM_CResourceRegistry::Entry {
public:
    explicit CFontRegister(FRM_CFont* font) : itsFont(font) {}
    ~CFontRegister() override = default;
    CFontRegister(const CFontRegister&) = delete;
    CFontRegister& operator=(const CFontRegister&) = delete;

    virtual void Create() { itsFont->Create(); }
    void Destroy() { itsFont->Destroy(); }
    // The same construction for another font (used when a copy's source goes away).
    virtual std::unique_ptr<CFontRegister> CloneFor(FRM_CFont* font) const;
    // The font this record copies from, null for other kinds.
    virtual const FRM_CFont* GetSource() const { return nullptr; }

    FRM_CFont* GetFont() const { return itsFont; }
    bool IsRealised() const { return itIsRealised; }
    void Realise()
    {
        if (itIsRealised)
            return;
        itIsRealised = true;
        Create();
    }

private:
    FRM_CFont* itsFont;
    bool itIsRealised = false;
};

class FRM_CFontRegistry : public FRM_CResourceRegistry {
public:
    FRM_CFontRegistry() = default;
    ~FRM_CFontRegistry() override;

    void Insert(FRM_CFont* font);
    void Insert(FRM_CFont* font, int resourceId);
    void Insert(FRM_CFont* font, s_fntid* fontId);
    void Insert(FRM_CFont* font, const FRM_CStringRW& nativeDescription);
    void Insert(FRM_CFont* font, const FRM_CStringRW& family, unsigned long style, long size);
    void Insert(FRM_CFont* font, const FRM_CFont* source);
    // Removes and deletes the font's record; nothing when it has none. Copies waiting on this
    // font take over its own construction first, so they never read a font that is gone.
    void Remove(const FRM_CFont* font);

    // Realises every record, the most recently inserted first (a copy's pending source
    // first), then marks the registry created.
    void Create() override;
    // Destroys every record's toolkit font, empties the list, marks the registry destroyed.
    void Destroy() override;

    // After a shut-down, back to the not-created state: the fonts of the next application
    // object wait for its start-up instead of staying empty.
    void Reopen();
    // Tests: back to the not-created state with an empty list.
    void ResetForTests();

private:
    void Put(std::unique_ptr<CFontRegister> record);
    CFontRegister* RecordOf(const FRM_CFont* font) const;
};
