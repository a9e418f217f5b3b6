// ctdivalue.cpp: typed values, their conversion matrix and their factory entries. Text
// conversions go through the container library's global locale; a conversion that a class
// does not do itself goes through a temporary value of the source's class.
#include "frm/core/ctdivalue.h"

#include <cmath>
#include <ctime>
#include <limits>
#include "vkocoll/rwlocale.h"

namespace {
constexpr char kTrue[] = "TRUE";
constexpr char kFalse[] = "FALSE";

RWClassID IdOf(const FRM_CTypeInfo& record) { return static_cast<RWClassID>(record.GetId()); }

// Truncates toward zero into the long range (NaN gives 0).
long TruncateToLong(double value)
{
    if (std::isnan(value))
        return 0;
    if (value <= static_cast<double>(std::numeric_limits<long>::min()))
        return std::numeric_limits<long>::min();
    if (value >= static_cast<double>(std::numeric_limits<long>::max()))
        return std::numeric_limits<long>::max();
    return static_cast<long>(value);
}

int ClampToInt(long value)
{
    if (value < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    if (value > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    return static_cast<int>(value);
}

FRM_CStringRW UpperCased(const FRM_CStringRW& text)
{
    FRM_CStringRW upper(text);
    upper.toUpper();
    return upper;
}

bool ParseLong(const FRM_CStringRW& text, long* value)
{
    return RWLocale::global().stringToNum(text, value);
}

bool ParseDouble(const FRM_CStringRW& text, double* value)
{
    return RWLocale::global().stringToNum(text, value);
}

FRM_CStringRW IntegerText(long value) { return FRM_CStringRW(RWLocale::global().asString(value)); }

FRM_CStringRW FloatText(float value)
{
    return FRM_CStringRW(RWLocale::global().asString(static_cast<double>(value), 6, false));
}

// Copy's test: other is of the class of T (by its run-time record).
template <class T>
const T* SameClass(const FRM_CTdiValue& other)
{
    return FrmCast<T>(&other);
}

template <class T>
RWCollectable* Create()
{
    return new T;
}

// Registers the seven value classes with the container library's factory.
struct FactoryEntries {
    FactoryEntries()
    {
        rwAddToFactory(Create<FRM_CTdiBooleanValue>, FRM_CTdiBooleanValue::classIsA(),
                       "CTdiBooleanValue");
        rwAddToFactory(Create<FRM_CTdiListValue>, FRM_CTdiListValue::classIsA(), "CTdiListValue");
        rwAddToFactory(Create<FRM_CTdiStringValue>, FRM_CTdiStringValue::classIsA(),
                       "CTdiStringValue");
        rwAddToFactory(Create<FRM_CTdiIntegerValue>, FRM_CTdiIntegerValue::classIsA(),
                       "CTdiIntegerValue");
        rwAddToFactory(Create<FRM_CTdiTimeValue>, FRM_CTdiTimeValue::classIsA(), "CTdiTimeValue");
        rwAddToFactory(Create<FRM_CTdiDateValue>, FRM_CTdiDateValue::classIsA(), "CTdiDateValue");
        rwAddToFactory(Create<FRM_CTdiFloatValue>, FRM_CTdiFloatValue::classIsA(),
                       "CTdiFloatValue");
    }
    ~FactoryEntries()
    {
        for (RWClassID id : {FRM_CTdiBooleanValue::classIsA(), FRM_CTdiListValue::classIsA(),
                             FRM_CTdiStringValue::classIsA(), FRM_CTdiIntegerValue::classIsA(),
                             FRM_CTdiTimeValue::classIsA(), FRM_CTdiDateValue::classIsA(),
                             FRM_CTdiFloatValue::classIsA()})
            rwRemoveFromFactory(id);
    }
};
const FactoryEntries factoryEntries;
} // namespace

// ---- base ----------------------------------------------------------------------------------

// Hand-written: the context stays the target's; a prototype keeps renaming the changes it takes.
FRM_CTdiValue& FRM_CTdiValue::operator=(const FRM_CTdiValue& other)
{
    if (this == &other)
        return *this;
    FRM_CModel::operator=(other);
    itsOriginator = other.itsOriginator;
    itsCursor = other.itsCursor;
    itsAtStart = other.itsAtStart;
    return *this;
}

short FRM_CTdiValue::Change(long, const FRM_CModel*) { return 1; }
long FRM_CTdiValue::GetContext(long command) const
{
    return itsContext == kNoCommand ? command : itsContext;
}
void FRM_CTdiValue::SetContext(long context) { itsContext = context; }
short FRM_CTdiValue::IsConvertible(Type) const { return 0; }
FRM_CTdiValue::Type FRM_CTdiValue::GetType() const { return kOther; }
FRM_CStringRW FRM_CTdiValue::ToString() const { return FRM_CStringRW(); }
long FRM_CTdiValue::ToInteger() const { return 0; }
float FRM_CTdiValue::ToFloat() const { return 0; }
short FRM_CTdiValue::ToBoolean() const { return 0; }
short FRM_CTdiValue::FromString(const FRM_CStringRW&) { return 0; }
short FRM_CTdiValue::FromInteger(long) { return 0; }
short FRM_CTdiValue::FromFloat(float) { return 0; }
short FRM_CTdiValue::FromBoolean(short) { return 0; }

void FRM_CTdiValue::Reset()
{
    itsCursor = 0;
    itsAtStart = 1;
}

bool FRM_CTdiValue::LeaveStart()
{
    if (itsAtStart == 0)
        return false;
    itsAtStart = 0;
    return true;
}

short FRM_CTdiValue::Next()
{
    if (!LeaveStart() && itsCursor != std::numeric_limits<std::uint32_t>::max())
        ++itsCursor;
    return itsCursor == 0 ? 1 : 0;
}

short FRM_CTdiValue::GoTo(std::uint32_t index)
{
    if (index != 0)
        return 0;
    itsCursor = 0;
    return 1;
}

std::uint32_t FRM_CTdiValue::Entries() const { return 1; }

short FRM_CTdiValue::Clear()
{
    Reset();
    return 1;
}

short FRM_CTdiValue::Append(FRM_CTdiValue*) { return 0; }

short FRM_CTdiValue::Set(std::uint32_t index, FRM_CTdiValue* value)
{
    if (index != 0 || value == nullptr)
        return 0;
    return Copy(*value);
}

// ---- the scalar classes' common operations -------------------------------------------------

#define FRM_TDI_COLLECTABLE(Class, record)                                                         \
    RWCollectable* Class::newSpecies() const { return new Class; }                                \
    RWCollectable* Class::copy() const { return new Class(*this); }                               \
    RWClassID Class::isA() const { return classIsA(); }                                           \
    RWClassID Class::classIsA() { return IdOf(frm_type::record); }                                \
    short Class::Copy(const FRM_CTdiValue& other)                                                 \
    {                                                                                              \
        const Class* const same = SameClass<Class>(other);                                        \
        if (same == nullptr)                                                                      \
            return 0;                                                                             \
        *this = *same;                                                                            \
        return 1;                                                                                 \
    }

FRM_TDI_COLLECTABLE(FRM_CTdiStringValue, CTdiStringValue)
FRM_TDI_COLLECTABLE(FRM_CTdiIntegerValue, CTdiIntegerValue)
FRM_TDI_COLLECTABLE(FRM_CTdiFloatValue, CTdiFloatValue)
FRM_TDI_COLLECTABLE(FRM_CTdiBooleanValue, CTdiBooleanValue)
FRM_TDI_COLLECTABLE(FRM_CTdiTimeValue, CTdiTimeValue)
FRM_TDI_COLLECTABLE(FRM_CTdiDateValue, CTdiDateValue)
#undef FRM_TDI_COLLECTABLE

// ---- string --------------------------------------------------------------------------------

short FRM_CTdiStringValue::IsConvertible(Type type) const { return type <= kBoolean ? 1 : 0; }
FRM_CTdiValue::Type FRM_CTdiStringValue::GetType() const { return kString; }
FRM_CStringRW FRM_CTdiStringValue::ToString() const { return itsText; }

long FRM_CTdiStringValue::ToInteger() const
{
    long value = 0;
    return ParseLong(itsText, &value) ? value : 0;
}

float FRM_CTdiStringValue::ToFloat() const
{
    double value = 0;
    return ParseDouble(itsText, &value) ? static_cast<float>(value) : 0;
}

short FRM_CTdiStringValue::ToBoolean() const { return UpperCased(itsText) == kTrue ? 1 : 0; }

short FRM_CTdiStringValue::FromString(const FRM_CStringRW& text)
{
    itsText = text;
    return 1;
}

short FRM_CTdiStringValue::FromInteger(long value)
{
    itsText = FRM_CTdiIntegerValue(ClampToInt(value), nullptr, kNoCommand).ToString();
    return 1;
}

short FRM_CTdiStringValue::FromFloat(float value)
{
    itsText = FRM_CTdiFloatValue(FRM_CFloat(value), nullptr, kNoCommand).ToString();
    return 1;
}

short FRM_CTdiStringValue::FromBoolean(short state)
{
    itsText = state != 0 ? kTrue : kFalse;
    return 1;
}

// ---- integer -------------------------------------------------------------------------------

short FRM_CTdiIntegerValue::IsConvertible(Type type) const { return type <= kBoolean ? 1 : 0; }
FRM_CTdiValue::Type FRM_CTdiIntegerValue::GetType() const { return kInteger; }
FRM_CStringRW FRM_CTdiIntegerValue::ToString() const { return IntegerText(itsValue); }
long FRM_CTdiIntegerValue::ToInteger() const { return itsValue; }
float FRM_CTdiIntegerValue::ToFloat() const { return static_cast<float>(itsValue); }
short FRM_CTdiIntegerValue::ToBoolean() const { return itsValue != 0 ? 1 : 0; }

short FRM_CTdiIntegerValue::FromString(const FRM_CStringRW& text)
{
    long value = 0;
    if (!ParseLong(text, &value))
        return 0;
    itsValue = ClampToInt(value);
    return 1;
}

short FRM_CTdiIntegerValue::FromInteger(long value)
{
    itsValue = ClampToInt(value);
    return 1;
}

short FRM_CTdiIntegerValue::FromFloat(float value)
{
    itsValue = ClampToInt(TruncateToLong(value));
    return 1;
}

short FRM_CTdiIntegerValue::FromBoolean(short state)
{
    itsValue = state != 0 ? 1 : 0;
    return 1;
}

// ---- float ---------------------------------------------------------------------------------

short FRM_CTdiFloatValue::IsConvertible(Type type) const { return type <= kBoolean ? 1 : 0; }
FRM_CTdiValue::Type FRM_CTdiFloatValue::GetType() const { return kFloat; }
FRM_CStringRW FRM_CTdiFloatValue::ToString() const { return FloatText(itsValue.Get()); }
long FRM_CTdiFloatValue::ToInteger() const { return TruncateToLong(itsValue.Get()); }
float FRM_CTdiFloatValue::ToFloat() const { return itsValue.Get(); }
short FRM_CTdiFloatValue::ToBoolean() const { return itsValue.Get() != 0.0f ? 1 : 0; }

short FRM_CTdiFloatValue::FromString(const FRM_CStringRW& text)
{
    double value = 0;
    if (!ParseDouble(text, &value))
        return 0;
    itsValue.Set(static_cast<float>(value));
    return 1;
}

short FRM_CTdiFloatValue::FromInteger(long value)
{
    itsValue.Set(static_cast<float>(value));
    return 1;
}

short FRM_CTdiFloatValue::FromFloat(float value)
{
    itsValue.Set(value);
    return 1;
}

short FRM_CTdiFloatValue::FromBoolean(short state)
{
    itsValue.Set(state != 0 ? 1.0f : 0.0f);
    return 1;
}

// ---- boolean -------------------------------------------------------------------------------

short FRM_CTdiBooleanValue::IsConvertible(Type type) const { return type <= kBoolean ? 1 : 0; }
FRM_CTdiValue::Type FRM_CTdiBooleanValue::GetType() const { return kBoolean; }
FRM_CStringRW FRM_CTdiBooleanValue::ToString() const
{
    return FRM_CStringRW(itsState != 0 ? kTrue : kFalse);
}
long FRM_CTdiBooleanValue::ToInteger() const { return itsState != 0 ? 1 : 0; }
float FRM_CTdiBooleanValue::ToFloat() const { return itsState != 0 ? 1.0f : 0.0f; }
short FRM_CTdiBooleanValue::ToBoolean() const { return itsState; }

short FRM_CTdiBooleanValue::FromString(const FRM_CStringRW& text)
{
    const FRM_CStringRW upper = UpperCased(text);
    if (upper == kTrue) {
        itsState = 1;
        return 1;
    }
    if (upper == kFalse) {
        itsState = 0;
        return 1;
    }
    return 0;
}

short FRM_CTdiBooleanValue::FromInteger(long value)
{
    itsState = value != 0 ? 1 : 0;
    return 1;
}

short FRM_CTdiBooleanValue::FromFloat(float value)
{
    itsState = value != 0.0f ? 1 : 0;
    return 1;
}

short FRM_CTdiBooleanValue::FromBoolean(short state)
{
    itsState = state;
    return 1;
}

// ---- time and date -------------------------------------------------------------------------

short FRM_CTdiTimeValue::IsConvertible(Type type) const { return type == kString ? 1 : 0; }
FRM_CTdiValue::Type FRM_CTdiTimeValue::GetType() const { return kOther; }
FRM_CStringRW FRM_CTdiTimeValue::ToString() const { return FRM_CStringRW(itsTime.asString('X')); }

short FRM_CTdiTimeValue::FromString(const FRM_CStringRW& text)
{
    std::tm fields{};
    if (!RWLocale::global().stringToTime(text, &fields))
        return 0;
    // The parse gives a time of day: keep the date the value already has.
    const RWDate date = itsTime.isValid() ? RWDate(itsTime) : RWDate(1, 1, 1970);
    const RWTime time(date, static_cast<unsigned>(fields.tm_hour),
                      static_cast<unsigned>(fields.tm_min), static_cast<unsigned>(fields.tm_sec));
    if (!time.isValid())
        return 0;
    itsTime = time;
    return 1;
}

short FRM_CTdiDateValue::IsConvertible(Type type) const { return type == kString ? 1 : 0; }
FRM_CTdiValue::Type FRM_CTdiDateValue::GetType() const { return kOther; }
FRM_CStringRW FRM_CTdiDateValue::ToString() const { return FRM_CStringRW(itsDate.asString('x')); }

short FRM_CTdiDateValue::FromString(const FRM_CStringRW& text)
{
    std::tm fields{};
    if (!RWLocale::global().stringToDate(text, &fields))
        return 0;
    const RWDate date(&fields);
    if (!date.isValid())
        return 0;
    itsDate = date;
    return 1;
}

// ---- list ----------------------------------------------------------------------------------

FRM_CTdiListValue::FRM_CTdiListValue(const FRM_CTdiListValue& other) : FRM_CTdiValue(other)
{
    *this = other;
}

// Hand-written: the old elements are destroyed and each source element deep-copied.
FRM_CTdiListValue& FRM_CTdiListValue::operator=(const FRM_CTdiListValue& other)
{
    if (this == &other)
        return *this;
    FRM_CTdiValue::operator=(other);
    DestroyElements();
    for (std::size_t i = 0; i < other.itsElements.entries(); ++i) {
        const auto* const element = static_cast<const FRM_CTdiValue*>(other.itsElements[i]);
        auto* const fresh = static_cast<FRM_CTdiValue*>(element->newSpecies());
        fresh->Copy(*element);
        itsElements.insert(fresh);
    }
    return *this;
}

FRM_CTdiListValue::~FRM_CTdiListValue() { DestroyElements(); }

RWCollectable* FRM_CTdiListValue::newSpecies() const { return new FRM_CTdiListValue; }
RWCollectable* FRM_CTdiListValue::copy() const { return new FRM_CTdiListValue(*this); }
RWClassID FRM_CTdiListValue::isA() const { return classIsA(); }
RWClassID FRM_CTdiListValue::classIsA() { return IdOf(frm_type::CTdiListValue); }

short FRM_CTdiListValue::Copy(const FRM_CTdiValue& other)
{
    const FRM_CTdiListValue* const same = SameClass<FRM_CTdiListValue>(other);
    if (same == nullptr)
        return 0;
    *this = *same;
    return 1;
}

FRM_CTdiValue* FRM_CTdiListValue::Current() const
{
    if (GetCursor() >= itsElements.entries())
        return nullptr;
    return static_cast<FRM_CTdiValue*>(itsElements[GetCursor()]);
}

short FRM_CTdiListValue::IsConvertible(Type type) const
{
    const FRM_CTdiValue* const current = Current();
    return current != nullptr ? current->IsConvertible(type) : 0;
}

FRM_CTdiValue::Type FRM_CTdiListValue::GetType() const
{
    const FRM_CTdiValue* const current = Current();
    return current != nullptr ? current->GetType() : kOther;
}

FRM_CStringRW FRM_CTdiListValue::ToString() const
{
    const FRM_CTdiValue* const current = Current();
    return current != nullptr ? current->ToString() : FRM_CStringRW();
}

long FRM_CTdiListValue::ToInteger() const
{
    const FRM_CTdiValue* const current = Current();
    return current != nullptr ? current->ToInteger() : 0;
}

float FRM_CTdiListValue::ToFloat() const
{
    const FRM_CTdiValue* const current = Current();
    return current != nullptr ? current->ToFloat() : 0;
}

short FRM_CTdiListValue::ToBoolean() const
{
    const FRM_CTdiValue* const current = Current();
    return current != nullptr ? current->ToBoolean() : 0;
}

short FRM_CTdiListValue::FromString(const FRM_CStringRW& text)
{
    FRM_CTdiValue* const current = Current();
    return current != nullptr ? current->FromString(text) : 0;
}

short FRM_CTdiListValue::FromInteger(long value)
{
    FRM_CTdiValue* const current = Current();
    return current != nullptr ? current->FromInteger(value) : 0;
}

short FRM_CTdiListValue::FromFloat(float value)
{
    FRM_CTdiValue* const current = Current();
    return current != nullptr ? current->FromFloat(value) : 0;
}

short FRM_CTdiListValue::FromBoolean(short state)
{
    FRM_CTdiValue* const current = Current();
    return current != nullptr ? current->FromBoolean(state) : 0;
}

short FRM_CTdiListValue::Next()
{
    if (!LeaveStart() && GetCursor() < itsElements.entries())
        SetCursor(GetCursor() + 1);
    return GetCursor() < itsElements.entries() ? 1 : 0;
}

short FRM_CTdiListValue::GoTo(std::uint32_t index)
{
    if (index >= itsElements.entries())
        return 0;
    SetCursor(index);
    return 1;
}

std::uint32_t FRM_CTdiListValue::Entries() const
{
    return static_cast<std::uint32_t>(itsElements.entries());
}

short FRM_CTdiListValue::Clear()
{
    DestroyElements();
    Reset();
    return 1;
}

short FRM_CTdiListValue::Append(FRM_CTdiValue* value)
{
    if (value == nullptr)
        return 0;
    itsElements.insert(value);
    return 1;
}

short FRM_CTdiListValue::Set(std::uint32_t index, FRM_CTdiValue* value)
{
    if (index >= itsElements.entries() || value == nullptr)
        return 0;
    RWCollectable* const old = itsElements[index];
    if (old == value)
        return 1;
    itsElements[index] = value;
    delete old;
    return 1;
}

void FRM_CTdiListValue::DestroyElements() { itsElements.clearAndDestroy(); }
