// cvalidtr.h: validators, which check and format what a user types into an edit or list
// control against a pattern of the base library. FRM_CValidator is a small handle on a shared,
// reference-counted implementation; equal pattern texts (with the same auto-complete choice)
// share one implementation, kept by the validator factory until its last handle goes.
// Controls that take a validator mix in FRM_CValidatorInterface and install one of the
// formatter callbacks on their toolkit control with the address of their member validator.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "frm/core/cboss.h"
#include "frm/core/cstringrw.h"
#include "frm/runtime/cfactory.h"
#include "vkobase/types.h"

class FRM_CValidatorFactory;

class FRM_CValidatorImplementation : public FRM_CNotifier {
    FRM_TYPE_INFO(CValidatoImplementation)
public:
    explicit FRM_CValidatorImplementation(FRM_CValidatorFactory* theFactory)
        : itsFactory(theFactory)
    {
    }
    FRM_CValidatorImplementation(const FRM_CValidatorImplementation&) = delete;
    FRM_CValidatorImplementation& operator=(const FRM_CValidatorImplementation&) = delete;

    virtual short TestMatch(const FRM_CStringRW& theText) const = 0;
    virtual FRM_CStringRW FormatString(const FRM_CStringRW& theText, std::int32_t* theFirst,
                                       std::int32_t* theLast) const = 0;

    void Reference() { ++itsReferenceCount; }
    // The last release hands the implementation back to its factory, which deletes it.
    void Dereference();
    std::int32_t GetReferenceCount() const { return itsReferenceCount; }
    void SetKey(const FRM_CStringRW& theKey) { itsKey = theKey; }
    const FRM_CStringRW& GetKey() const { return itsKey; }

private:
    FRM_CValidatorFactory* itsFactory;   // not owned
    FRM_CStringRW itsKey;
    std::int32_t itsReferenceCount = 0;
};

// An implementation over one pattern of the base library.
class FRM_CValidatorFormatterImplementation : public FRM_CValidatorImplementation {
    FRM_TYPE_INFO(CValidatorFormatterImplementation)
public:
    FRM_CValidatorFormatterImplementation(FRM_CValidatorFactory* theFactory,
                                          const FRM_CStringRW& thePattern, short isAutoComplete);
    ~FRM_CValidatorFormatterImplementation() override;

    short TestMatch(const FRM_CStringRW& theText) const override;
    // The caller's selection is moved to the same places in the result; auto-complete also
    // puts in the literals that follow the last character. The result holds the whole
    // formatted text, however long.
    FRM_CStringRW FormatString(const FRM_CStringRW& theText, std::int32_t* theFirst,
                               std::int32_t* theLast) const override;

private:
    PATTERN itsPattern = nullptr;   // owned; null for a pattern the toolkit refused
    short itIsAutoComplete = 0;
};

class FRM_CValidator {
public:
    static const FRM_CTypeInfo* GetStaticTypeInfo() { return &frm_type::CValidator; }

    explicit FRM_CValidator(FRM_CValidatorImplementation* theImplementation = nullptr);
    FRM_CValidator(const FRM_CValidator& other);
    FRM_CValidator& operator=(const FRM_CValidator& other);
    virtual ~FRM_CValidator();

    virtual short IsValid() const { return itsImplementation != nullptr ? 1 : 0; }
    // No implementation matches nothing.
    virtual short TestMatch(const FRM_CStringRW& theText) const;
    // No implementation leaves the text as it is.
    virtual FRM_CStringRW FormatString(const FRM_CStringRW& theText, std::int32_t* theFirst,
                                       std::int32_t* theLast) const;
    virtual const FRM_CTypeInfo* GetRunTimeTypeInfo() const { return GetStaticTypeInfo(); }
    bool operator==(const FRM_CValidator& other) const
    {
        return itsImplementation == other.itsImplementation;
    }
    FRM_CValidatorImplementation* Implementation() const { return itsImplementation; }

    // Formatter callbacks of the toolkit controls; data is the address of the control's
    // member validator. Format answers the formatted text and collapses a selection to one
    // position past its start; data that is no validator is error 3113 and the text stays.
    static const char* Format(const char* theText, std::int32_t* theFirst, std::int32_t* theLast,
                              void* theData);
    // For lists: -1 for an empty result, else the text's address.
    static intptr_t FormatList(const char* theText, std::int32_t* theFirst, std::int32_t* theLast,
                               void* theData);

private:
    FRM_CValidatorImplementation* itsImplementation = nullptr;   // shared, counted
};

class FRM_CValidatorInterface {
public:
    virtual ~FRM_CValidatorInterface() = default;
    virtual void SetValidator(const FRM_CValidator& theValidator) { itsValidator = theValidator; }
    virtual FRM_CValidator GetValidator() const { return itsValidator; }

protected:
    FRM_CValidator itsValidator;
};

// The validator factories (factory kind 6). The base hands every call to the next factory.
class FRM_CValidatorFactory : public CFactory {
public:
    // The factory on top of the validator kind's stack, or null.
    static FRM_CValidatorFactory* GetTop();

    virtual FRM_CValidator ConstructValidator(const FRM_CStringRW& thePattern,
                                              short isAutoComplete);
    virtual void RemoveReference(const FRM_CValidatorImplementation& theImplementation);

private:
    FRM_CValidatorFactory* Next() const;
};

// Shares one implementation per key (the pattern, with "__AuTo" for auto-complete).
class CValidatorFactoryDefault : public FRM_CValidatorFactory {
public:
    CValidatorFactoryDefault() = default;
    CValidatorFactoryDefault(const CValidatorFactoryDefault&) = delete;
    CValidatorFactoryDefault& operator=(const CValidatorFactoryDefault&) = delete;
    ~CValidatorFactoryDefault() override;

    FRM_CValidator ConstructValidator(const FRM_CStringRW& thePattern,
                                      short isAutoComplete) override;
    // Forgets and deletes the implementation.
    void RemoveReference(const FRM_CValidatorImplementation& theImplementation) override;
    std::size_t ImplementationCount() const { return itsValidators.size(); }

protected:
    virtual FRM_CValidatorImplementation* ConstructImplementation(const FRM_CStringRW& thePattern,
                                                                  short isAutoComplete);
    virtual FRM_CValidator ConstructProxy(FRM_CValidatorImplementation* theImplementation);

private:
    std::map<std::string, FRM_CValidatorImplementation*> itsValidators;   // owned
};
