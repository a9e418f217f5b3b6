// cfont.cpp: fonts and the font registry. The registry goes through three states: not
// created (fonts record how they were made), created (fonts are realised at once) and
// destroyed (fonts stay empty). The application's start-up creates it, its shut-down
// destroys it, and a new application object made after that opens it again; the last
// counted initialiser deletes the object itself at exit.
#include "frm/drawing/cfont.h"

#include <cstring>
#include <vector>

#include "frm/core/cobjrwc.h"
#include "frm/core/frmerror.h"
#include "frm/runtime/cglblcls.h"
#include "frm/views/cwindow.h"

namespace {

constexpr char kModule[] = "cfont";
constexpr long kErrNoFont = 6000;
// Report lines of the failing forms, fixed so that a report names the form.
constexpr int kLineIFont = 171;
constexpr int kLineCreateDefault = 253;
constexpr int kLineCreateResId = 259;
constexpr int kLineCreateFontId = 266;
constexpr int kLineCreateNativeDesc = 274;
constexpr int kLineCreateFamily = 282;
constexpr int kLineCreateCopy = 293;

constexpr int kTextBufferSize = 510;
constexpr int kResFontNotMapped = 32121;

struct FontState {
    FRM_CFontRegistry* registry = nullptr;
    int initCount = 0;
};
FontState& State()
{
    static FontState state;
    return state;
}

bool IsRecordOf(const FRM_CResourceRegistry::Entry& entry, const void* font)
{
    return static_cast<const CFontRegister&>(entry).GetFont() == font;
}

// The registry's state as a font sees it; a missing registry counts as destroyed.
enum class RegistryState { NotCreated, Created, Destroyed };
RegistryState CurrentState()
{
    const FRM_CFontRegistry* registry = State().registry;
    if (registry == nullptr || registry->IsDestroyed())
        return RegistryState::Destroyed;
    return registry->IsCreated() ? RegistryState::Created : RegistryState::NotCreated;
}

FRM_CStringRW ReadText(BOOLEAN (*read)(FONT_OBJ, char*, int32_t), FONT_OBJ font)
{
    char buffer[kTextBufferSize + 1] = {};
    if (!read(font, buffer, kTextBufferSize))
        buffer[0] = '\0';
    return FRM_CStringRW(buffer);
}

} // namespace

// ---- Register records --------------------------------------------------------------------

std::unique_ptr<CFontRegister> CFontRegister::CloneFor(FRM_CFont* font) const
{
    return std::make_unique<CFontRegister>(font);
}

class CFontRegisterResId : public CFontRegister {
public:
    CFontRegisterResId(FRM_CFont* font, int resourceId)
        : CFontRegister(font), itsResourceId(resourceId) {}
    void Create() override { GetFont()->Create(itsResourceId); }
    std::unique_ptr<CFontRegister> CloneFor(FRM_CFont* font) const override
    {
        return std::make_unique<CFontRegisterResId>(font, itsResourceId);
    }

private:
    int itsResourceId;
};

class CFontRegisterFontId : public CFontRegister {
public:
    CFontRegisterFontId(FRM_CFont* font, s_fntid* fontId) : CFontRegister(font), itsFontId(fontId)
    {
    }
    void Create() override { GetFont()->Create(itsFontId); }
    std::unique_ptr<CFontRegister> CloneFor(FRM_CFont* font) const override
    {
        return std::make_unique<CFontRegisterFontId>(font, itsFontId);
    }

private:
    s_fntid* itsFontId;
};

class CFontRegisterNativeDesc : public CFontRegister {
public:
    CFontRegisterNativeDesc(FRM_CFont* font, const FRM_CStringRW& description)
        : CFontRegister(font), itsDescription(description) {}
    void Create() override { GetFont()->Create(itsDescription); }
    std::unique_ptr<CFontRegister> CloneFor(FRM_CFont* font) const override
    {
        return std::make_unique<CFontRegisterNativeDesc>(font, itsDescription);
    }

private:
    FRM_CStringRW itsDescription;
};

class CFontRegisterFamily : public CFontRegister {
public:
    CFontRegisterFamily(FRM_CFont* font, const FRM_CStringRW& family, unsigned long style,
                        long size)
        : CFontRegister(font), itsFamily(family), itsStyle(style), itsSize(size) {}
    void Create() override { GetFont()->Create(itsFamily, itsStyle, itsSize); }
    std::unique_ptr<CFontRegister> CloneFor(FRM_CFont* font) const override
    {
        return std::make_unique<CFontRegisterFamily>(font, itsFamily, itsStyle, itsSize);
    }

private:
    FRM_CStringRW itsFamily;
    unsigned long itsStyle;
    long itsSize;
};

class CFontRegisterCopy : public CFontRegister {
public:
    CFontRegisterCopy(FRM_CFont* font, const FRM_CFont* source)
        : CFontRegister(font), itsSource(source) {}
    void Create() override { GetFont()->Create(*itsSource); }
    std::unique_ptr<CFontRegister> CloneFor(FRM_CFont* font) const override
    {
        return std::make_unique<CFontRegisterCopy>(font, itsSource);
    }
    const FRM_CFont* GetSource() const override { return itsSource; }

private:
    const FRM_CFont* itsSource; // not owned; the registry re-targets this record before the
                                // source goes away
};

// ---- Registry ----------------------------------------------------------------------------

FRM_CFontRegistry::~FRM_CFontRegistry() = default;

void FRM_CFontRegistry::Put(std::unique_ptr<CFontRegister> record)
{
    FRM_CResourceRegistry::Insert(std::move(record));
}

void FRM_CFontRegistry::Insert(FRM_CFont* font) { Put(std::make_unique<CFontRegister>(font)); }
void FRM_CFontRegistry::Insert(FRM_CFont* font, int resourceId)
{
    Put(std::make_unique<CFontRegisterResId>(font, resourceId));
}
void FRM_CFontRegistry::Insert(FRM_CFont* font, s_fntid* fontId)
{
    Put(std::make_unique<CFontRegisterFontId>(font, fontId));
}
void FRM_CFontRegistry::Insert(FRM_CFont* font, const FRM_CStringRW& nativeDescription)
{
    Put(std::make_unique<CFontRegisterNativeDesc>(font, nativeDescription));
}
void FRM_CFontRegistry::Insert(FRM_CFont* font, const FRM_CStringRW& family,
                               unsigned long style, long size)
{
    Put(std::make_unique<CFontRegisterFamily>(font, family, style, size));
}
void FRM_CFontRegistry::Insert(FRM_CFont* font, const FRM_CFont* source)
{
    Put(std::make_unique<CFontRegisterCopy>(font, source));
}

CFontRegister* FRM_CFontRegistry::RecordOf(const FRM_CFont* font) const
{
    for (const auto& entry : Entries()) {
        auto* record = static_cast<CFontRegister*>(entry.get());
        if (record->GetFont() == font)
            return record;
    }
    return nullptr;
}

void FRM_CFontRegistry::Remove(const FRM_CFont* font)
{
    std::unique_ptr<Entry> removed = FRM_CResourceRegistry::Remove(IsRecordOf, font);
    const auto* ownRecord = static_cast<const CFontRegister*>(removed.get());
    // Copies still waiting on this font take over how it was made (or the default font when
    // it was made without a record), so that no record points at a font that is gone.
    for (auto& entry : Entries()) {
        const auto* record = static_cast<const CFontRegister*>(entry.get());
        if (record->GetSource() != font)
            continue;
        FRM_CFont* copy = record->GetFont();
        std::unique_ptr<CFontRegister> replacement = ownRecord != nullptr
                                                         ? ownRecord->CloneFor(copy)
                                                         : std::make_unique<CFontRegister>(copy);
        entry = std::move(replacement);
    }
}

void FRM_CFontRegistry::Create()
{
    // Newest first; a copy whose source still waits realises the source first, so that it
    // copies a real font and not an empty one.
    for (auto& entry : Entries()) {
        auto* record = static_cast<CFontRegister*>(entry.get());
        std::vector<CFontRegister*> chain{record};
        for (const FRM_CFont* source = record->GetSource(); source != nullptr;) {
            CFontRegister* sourceRecord = RecordOf(source);
            if (sourceRecord == nullptr || sourceRecord->IsRealised())
                break;
            chain.push_back(sourceRecord);
            source = sourceRecord->GetSource();
        }
        for (auto it = chain.rbegin(); it != chain.rend(); ++it)
            (*it)->Realise();
    }
    FRM_CResourceRegistry::Create();
}

void FRM_CFontRegistry::Destroy()
{
    for (auto& entry : Entries())
        static_cast<CFontRegister*>(entry.get())->Destroy();
    Entries().clear();
    FRM_CResourceRegistry::Destroy();
}

void FRM_CFontRegistry::Reopen()
{
    if (IsDestroyed())
        SetStates(0, 0);
}

void FRM_CFontRegistry::ResetForTests()
{
    Entries().clear();
    SetStates(0, 0);
}

CFontRegistryInit::CFontRegistryInit()
{
    if (State().initCount++ == 0)
        State().registry = new FRM_CFontRegistry; // owned by the count; deleted by the last
}

CFontRegistryInit::~CFontRegistryInit()
{
    if (--State().initCount == 0 && State().registry != nullptr) {
        delete State().registry;
        State().registry = nullptr;
    }
}

// ---- Fonts -------------------------------------------------------------------------------

FRM_CFontRegistry* FRM_CFont::GetRegistry() { return State().registry; }

FRM_CFont& FRM_CFont::GetBestCtlFont()
{
    static FRM_CFont bestControlFont(FRM_CStringRW("helvetica"), 0, 8);
    return bestControlFont;
}

FRM_CFont::FRM_CFont()
{
    switch (CurrentState()) {
    case RegistryState::NotCreated: GetRegistry()->Insert(this); break;
    case RegistryState::Created: GetRegistry()->Insert(this); Create(); break;
    case RegistryState::Destroyed: break;
    }
}

FRM_CFont::FRM_CFont(int resourceId)
{
    switch (CurrentState()) {
    case RegistryState::NotCreated: GetRegistry()->Insert(this, resourceId); break;
    case RegistryState::Created: GetRegistry()->Insert(this); Create(resourceId); break;
    case RegistryState::Destroyed: break;
    }
}

FRM_CFont::FRM_CFont(s_fntid* fontId)
{
    switch (CurrentState()) {
    case RegistryState::NotCreated: GetRegistry()->Insert(this, fontId); break;
    case RegistryState::Created: GetRegistry()->Insert(this); Create(fontId); break;
    case RegistryState::Destroyed: break;
    }
}

FRM_CFont::FRM_CFont(const FRM_CStringRW& nativeDescription)
{
    switch (CurrentState()) {
    case RegistryState::NotCreated: GetRegistry()->Insert(this, nativeDescription); break;
    case RegistryState::Created: GetRegistry()->Insert(this); Create(nativeDescription); break;
    case RegistryState::Destroyed: break;
    }
}

FRM_CFont::FRM_CFont(const FRM_CStringRW& family, unsigned long style, long size)
{
    switch (CurrentState()) {
    case RegistryState::NotCreated: GetRegistry()->Insert(this, family, style, size); break;
    case RegistryState::Created:
        GetRegistry()->Insert(this);
        Create(family, style, size);
        break;
    case RegistryState::Destroyed: break;
    }
}

FRM_CFont::FRM_CFont(const FRM_CFont& source) { CopyFrom(source); }

void FRM_CFont::CopyFrom(const FRM_CFont& source)
{
    switch (CurrentState()) {
    case RegistryState::NotCreated: GetRegistry()->Insert(this, &source); break;
    case RegistryState::Created: GetRegistry()->Insert(this); Create(source); break;
    case RegistryState::Destroyed: break;
    }
}

FRM_CFont::~FRM_CFont() { RegistryDestroy(); }

// Hand-written: the old font is taken out of the registry before the copy.
FRM_CFont& FRM_CFont::operator=(const FRM_CFont& source)
{
    if (this == &source)
        return *this;
    RegistryDestroy();
    CopyFrom(source);
    return *this;
}

FRM_CFont& FRM_CFont::operator=(s_fntid* fontId)
{
    RegistryDestroy();
    itsFontId = fontId;
    return *this;
}

void FRM_CFont::RegistryDestroy()
{
    switch (CurrentState()) {
    case RegistryState::NotCreated: GetRegistry()->Remove(this); break;
    case RegistryState::Created:
        GetRegistry()->Remove(this);
        Destroy();
        break;
    case RegistryState::Destroyed: break; // the registry's Destroy already released it
    }
}

void FRM_CFont::Destroy()
{
    vko_font_destroy(itsFontId);
    itsFontId = nullptr; // a destroyed handle is never passed on
}

void FRM_CFont::Create()
{
    itsFontId = vko_font_create();
    if (itsFontId == nullptr)
        FrmError(kErrNoFont, kModule, kLineCreateDefault);
}

void FRM_CFont::Create(int resourceId)
{
    itsFontId = vko_res_get_font(resourceId);
    if (itsFontId == nullptr)
        FrmError(kErrNoFont, kModule, kLineCreateResId);
}

void FRM_CFont::Create(s_fntid* fontId)
{
    itsFontId = vko_font_create();
    if (itsFontId == nullptr) {
        FrmError(kErrNoFont, kModule, kLineCreateFontId);
        return;
    }
    vko_font_copy(itsFontId, fontId, -1);
}

void FRM_CFont::Create(const FRM_CStringRW& nativeDescription)
{
    itsFontId = vko_font_create();
    if (itsFontId == nullptr) {
        FrmError(kErrNoFont, kModule, kLineCreateNativeDesc);
        return;
    }
    vko_font_set_native_desc(itsFontId, nativeDescription.data());
}

void FRM_CFont::Create(const FRM_CStringRW& family, unsigned long style, long size)
{
    itsFontId = vko_font_create();
    if (itsFontId == nullptr) {
        FrmError(kErrNoFont, kModule, kLineCreateFamily);
        return;
    }
    vko_font_set_family(itsFontId, family.data());
    vko_font_set_style(itsFontId, static_cast<std::uint32_t>(style));
    vko_font_set_size(itsFontId, static_cast<std::int32_t>(size));
}

void FRM_CFont::Create(const FRM_CFont& source)
{
    itsFontId = vko_font_create();
    if (itsFontId == nullptr) {
        FrmError(kErrNoFont, kModule, kLineCreateCopy);
        return;
    }
    vko_font_copy(itsFontId, source.itsFontId, -1);
}

void FRM_CFont::SetFamily(const FRM_CStringRW& family)
{
    vko_font_set_family(itsFontId, family.data());
}
void FRM_CFont::SetStyle(unsigned long style)
{
    vko_font_set_style(itsFontId, static_cast<std::uint32_t>(style));
}
void FRM_CFont::SetSize(long size)
{
    vko_font_set_size(itsFontId, static_cast<std::int32_t>(size));
}
unsigned long FRM_CFont::GetStyle() const { return vko_font_get_style(itsFontId); }
long FRM_CFont::GetSize() const { return vko_font_get_size(itsFontId); }
unsigned long FRM_CFont::GetMappedStyle() const { return vko_font_get_style_mapped(itsFontId); }
long FRM_CFont::GetMappedSize() const { return vko_font_get_size_mapped(itsFontId); }
short FRM_CFont::IsMapped() const { return vko_font_is_mapped(itsFontId) ? 1 : 0; }
short FRM_CFont::IsPrint() const { return vko_font_is_print(itsFontId) ? 1 : 0; }
short FRM_CFont::IsScalable() const { return vko_font_is_scalable(itsFontId) ? 1 : 0; }

FRM_CStringRW FRM_CFont::GetNativeDescription() const
{
    return ReadText(vko_font_get_native_desc, itsFontId);
}
FRM_CStringRW FRM_CFont::GetFamily() const { return ReadText(vko_font_get_family, itsFontId); }
FRM_CStringRW FRM_CFont::GetMappedFamily() const
{
    return ReadText(vko_font_get_family_mapped, itsFontId);
}

void FRM_CFont::SetNativeDescription(const FRM_CStringRW& description)
{
    vko_font_set_native_desc(itsFontId, description.data());
    if (!vko_font_has_valid_native_desc(itsFontId))
        vko_font_set_native_desc(itsFontId, "");
}

void FRM_CFont::IFont(const FRM_CStringRW& family, unsigned long style, long size,
                      const FRM_CStringRW& nativeDescription)
{
    if (itsFontId == nullptr) {
        FrmError(kErrNoFont, kModule, kLineIFont);
        return;
    }
    SetFamily(family);
    SetStyle(style);
    SetSize(size);
    const FRM_CGlobalClassLib* g = FRM_CObjectRWC::GetG();
    if (g == nullptr || nativeDescription != g->GetNULLString())
        SetNativeDescription(nativeDescription);
}

FRM_CStringRW FRM_CFont::Serialize() const
{
    const std::int32_t length = vko_font_serialize(itsFontId, nullptr, 0);
    if (length <= 0)
        return FRM_CStringRW("");
    // One byte more than asked and zero-filled, so the text ends inside the block whether
    // or not the toolkit's length counts its terminator.
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    vko_font_serialize(itsFontId, buffer.data(), length);
    return FRM_CStringRW(buffer.data(), std::strlen(buffer.data()));
}

void FRM_CFont::Deserialize(const FRM_CStringRW& text)
{
    vko_font_deserialize(itsFontId, text.data());
}

void FRM_CFont::Map(const FRM_CWindow* window)
{
    vko_font_map(itsFontId, window != nullptr ? window->GetVKOWindow() : nullptr);
}
void FRM_CFont::MapUsingDefault() { vko_font_map_using_default(itsFontId); }
void FRM_CFont::Unmap() { vko_font_unmap(itsFontId); }

void FRM_CFont::GetMetrics(int* leading, int* ascent, int* descent) const
{
    std::int32_t l = 0;
    std::int32_t a = 0;
    std::int32_t d = 0;
    vko_font_get_metrics(itsFontId, &l, &a, &d);
    if (leading != nullptr)
        *leading = l;
    if (ascent != nullptr)
        *ascent = a;
    if (descent != nullptr)
        *descent = d;
}

int FRM_CFont::GetLeading() const
{
    int leading = 0;
    GetMetrics(&leading, nullptr, nullptr);
    return leading;
}
int FRM_CFont::GetAscent() const
{
    int ascent = 0;
    GetMetrics(nullptr, &ascent, nullptr);
    return ascent;
}
int FRM_CFont::GetDescent() const
{
    int descent = 0;
    GetMetrics(nullptr, nullptr, &descent);
    return descent;
}
int FRM_CFont::GetHeight() const
{
    int leading = 0;
    int ascent = 0;
    int descent = 0;
    GetMetrics(&leading, &ascent, &descent);
    return leading + ascent + descent;
}

long FRM_CFont::GetTextWidth(const FRM_CStringRW& text) const
{
    WINDOW window = vko_font_get_win(itsFontId);
    if (window == nullptr) {
        char message[kTextBufferSize + 1] = {};
        if (vko_res_get_str(kResFontNotMapped, message, sizeof message) == nullptr)
            message[0] = '\0';
        vko_dm_post_warning("%s", message);
        return 0;
    }
    // Measure with a copy of the window's font put back afterwards; only the copy is
    // destroyed, never the font the window owns.
    FONT_OBJ previous = vko_dwin_get_font(window, TRUE);
    vko_dwin_set_font(window, itsFontId);
    const long width = vko_dwin_get_text_width(window, text.data(), -1);
    if (previous != nullptr) {
        vko_dwin_set_font(window, previous);
        vko_font_destroy(previous);
    }
    return width;
}

bool operator==(const FRM_CFont& a, const FRM_CFont& b)
{
    const FRM_CStringRW first = a.GetNativeDescription();
    const FRM_CStringRW second = b.GetNativeDescription();
    return first.length() == second.length() &&
           std::memcmp(first.data(), second.data(), first.length()) == 0;
}
bool operator!=(const FRM_CFont& a, const FRM_CFont& b) { return !(a == b); }
