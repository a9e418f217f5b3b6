// cvalidtr.cpp: validators, their shared implementations, the default factory and the
// formatter callbacks.
#include "frm/controls/cvalidtr.h"

#include <cstring>
#include <unordered_set>
#include <vector>

#include "frm/core/frmerror.h"
#include "frm/core/cfactmgr.h"
#include "ruk/static/vkoruk.h"

namespace {

constexpr char kModule[] = "cvalidtr";
constexpr long kErrNotAValidator = 3113;
constexpr char kAutoCompleteSuffix[] = "__AuTo";
// A pattern is at most 255 bytes, so formatting adds at most that many literals to a text.
constexpr std::size_t kPatternHeadroom = 256;

// Every validator alive, so that a callback can check its data without reading through a
// pointer that may be anything.
std::unordered_set<const FRM_CValidator*>& LiveValidators()
{
    static std::unordered_set<const FRM_CValidator*> live;
    return live;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Implementations

void FRM_CValidatorImplementation::Dereference()
{
    if (--itsReferenceCount > 0)
        return;
    if (itsFactory != nullptr)
        itsFactory->RemoveReference(*this);
}

FRM_CValidatorFormatterImplementation::FRM_CValidatorFormatterImplementation(
    FRM_CValidatorFactory* theFactory, const FRM_CStringRW& thePattern, short isAutoComplete)
    : FRM_CValidatorImplementation(theFactory), itsPattern(vko_pattern_create(thePattern.data())),
      itIsAutoComplete(isAutoComplete != 0 ? 1 : 0)
{
}

FRM_CValidatorFormatterImplementation::~FRM_CValidatorFormatterImplementation()
{
    if (itsPattern != nullptr)
        vko_pattern_destroy(itsPattern);
}

short FRM_CValidatorFormatterImplementation::TestMatch(const FRM_CStringRW& theText) const
{
    if (itsPattern == nullptr)
        return 0;
    std::int32_t failedAt = 0;
    return vko_pattern_match(itsPattern, theText.data(), &failedAt) ? 1 : 0;
}

FRM_CStringRW FRM_CValidatorFormatterImplementation::FormatString(const FRM_CStringRW& theText,
                                                                  std::int32_t* theFirst,
                                                                  std::int32_t* theLast) const
{
    if (itsPattern == nullptr)
        return FRM_CStringRW("");
    // Sized from the text, so that a long text is never cut.
    std::vector<char> buffer(theText.length() + kPatternHeadroom + 1, '\0');
    // The selection follows the characters it stood by, with or without auto-complete: left
    // where it was, a caret falls in front of a digit typed after a put-in literal, and the
    // next key lands before that digit.
    std::int32_t first = theFirst != nullptr ? *theFirst : 0;
    std::int32_t last = theLast != nullptr ? *theLast : 0;
    vko_pattern_format_string(itsPattern, theText.data(), buffer.data(),
                              static_cast<std::int32_t>(buffer.size()),
                              itIsAutoComplete ? TRUE : FALSE, &first, &last);
    if (theFirst != nullptr)
        *theFirst = first;
    if (theLast != nullptr)
        *theLast = last;
    return FRM_CStringRW(buffer.data());
}

// ---------------------------------------------------------------------------------------------
// Handles

FRM_CValidator::FRM_CValidator(FRM_CValidatorImplementation* theImplementation)
    : itsImplementation(theImplementation)
{
    LiveValidators().insert(this);
    if (itsImplementation != nullptr)
        itsImplementation->Reference();
}

FRM_CValidator::FRM_CValidator(const FRM_CValidator& other)
    : itsImplementation(other.itsImplementation)
{
    LiveValidators().insert(this);
    if (itsImplementation != nullptr)
        itsImplementation->Reference();
}

// Hand-written: the shared implementation is referenced and the old one released.
FRM_CValidator& FRM_CValidator::operator=(const FRM_CValidator& other)
{
    if (itsImplementation == other.itsImplementation)
        return *this;
    FRM_CValidatorImplementation* old = itsImplementation;
    itsImplementation = other.itsImplementation;
    if (itsImplementation != nullptr)
        itsImplementation->Reference();
    if (old != nullptr)
        old->Dereference();
    return *this;
}

FRM_CValidator::~FRM_CValidator()
{
    LiveValidators().erase(this);
    if (itsImplementation != nullptr)
        itsImplementation->Dereference();
}

short FRM_CValidator::TestMatch(const FRM_CStringRW& theText) const
{
    return itsImplementation != nullptr ? itsImplementation->TestMatch(theText) : 0;
}

FRM_CStringRW FRM_CValidator::FormatString(const FRM_CStringRW& theText, std::int32_t* theFirst,
                                           std::int32_t* theLast) const
{
    return itsImplementation != nullptr
               ? itsImplementation->FormatString(theText, theFirst, theLast)
               : theText;
}

const char* FRM_CValidator::Format(const char* theText, std::int32_t* theFirst,
                                   std::int32_t* theLast, void* theData)
{
    // The toolkit reads the result after the call: it lives until the next one.
    static FRM_CStringRW result;
    const auto* validator = static_cast<const FRM_CValidator*>(theData);
    if (LiveValidators().count(validator) == 0) {
        FrmError(kErrNotAValidator, kModule, __LINE__);
        result = FRM_CStringRW(theText != nullptr ? theText : "");
        return result.data();
    }
    result = validator->FormatString(FRM_CStringRW(theText != nullptr ? theText : ""), theFirst,
                                     theLast);
    if (theFirst != nullptr && theLast != nullptr && *theFirst < *theLast) {
        *theFirst += 1;
        *theLast = *theFirst;
    }
    return result.data();
}

intptr_t FRM_CValidator::FormatList(const char* theText, std::int32_t* theFirst,
                                    std::int32_t* theLast, void* theData)
{
    const char* formatted = Format(theText, theFirst, theLast, theData);
    return formatted[0] == '\0' ? -1 : reinterpret_cast<intptr_t>(formatted);
}

// ---------------------------------------------------------------------------------------------
// Factories

FRM_CValidatorFactory* FRM_CValidatorFactory::GetTop()
{
    return static_cast<FRM_CValidatorFactory*>(FrmGetFactory(FRM_CFactoryMgr::kValidator));
}

FRM_CValidatorFactory* FRM_CValidatorFactory::Next() const
{
    return static_cast<FRM_CValidatorFactory*>(
        FrmGetNextFactory(FRM_CFactoryMgr::kValidator, this));
}

FRM_CValidator FRM_CValidatorFactory::ConstructValidator(const FRM_CStringRW& thePattern,
                                                         short isAutoComplete)
{
    FRM_CValidatorFactory* next = Next();
    return next != nullptr ? next->ConstructValidator(thePattern, isAutoComplete)
                           : FRM_CValidator();
}

void FRM_CValidatorFactory::RemoveReference(const FRM_CValidatorImplementation& theImplementation)
{
    if (FRM_CValidatorFactory* next = Next())
        next->RemoveReference(theImplementation);
}

CValidatorFactoryDefault::~CValidatorFactoryDefault()
{
    for (auto& entry : itsValidators)
        delete entry.second;
}

FRM_CValidator CValidatorFactoryDefault::ConstructValidator(const FRM_CStringRW& thePattern,
                                                            short isAutoComplete)
{
    std::string key = thePattern.data();
    if (isAutoComplete)
        key += kAutoCompleteSuffix;
    FRM_CValidatorImplementation*& implementation = itsValidators[key];
    if (implementation == nullptr) {
        implementation = ConstructImplementation(thePattern, isAutoComplete);
        implementation->SetKey(FRM_CStringRW(key.c_str()));
    }
    return ConstructProxy(implementation);
}

FRM_CValidatorImplementation* CValidatorFactoryDefault::ConstructImplementation(
    const FRM_CStringRW& thePattern, short isAutoComplete)
{
    return new FRM_CValidatorFormatterImplementation(this, thePattern, isAutoComplete);
}

FRM_CValidator CValidatorFactoryDefault::ConstructProxy(
    FRM_CValidatorImplementation* theImplementation)
{
    return FRM_CValidator(theImplementation);
}

void CValidatorFactoryDefault::RemoveReference(
    const FRM_CValidatorImplementation& theImplementation)
{
    const auto found = itsValidators.find(theImplementation.GetKey().data());
    if (found == itsValidators.end() || found->second != &theImplementation)
        return;
    FRM_CValidatorImplementation* gone = found->second;
    itsValidators.erase(found);
    delete gone;
}
