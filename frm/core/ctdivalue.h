// ctdivalue.h: the typed values that data binding carries: FRM_CTdiValue and its string,
// integer, float, boolean, time, date and list kinds. A value knows its originator (the
// notifier that sent it; not owned), carries a command context (20003: none of its own),
// converts to and from the basic types where that makes sense, and takes over the contents
// of another value of its own class (Copy). A single value is a list of one. No operation
// reports an error: refusals answer 0 and a failed parse keeps the old payload.
#pragma once
#include <cstdint>
#include "frm/core/cboss.h"
#include "frm/core/ccmdnums.h"
#include "frm/core/cstringrw.h"
#include "frm/core/cvaluerwc.h"
#include "vkocoll/rwdate.h"
#include "vkocoll/rwtime.h"

class FRM_CTdiValue : public FRM_CModel {
    FRM_TYPE_INFO(CTdiValue)
    enum Type : std::int32_t { kString = 0, kInteger = 1, kFloat = 2, kBoolean = 3, kOther = 4 };

    FRM_CTdiValue(FRM_CNotifier* originator, long context)
        : itsOriginator(originator), itsContext(context) {}
    FRM_CTdiValue(const FRM_CTdiValue& other) = default;
    // Copies originator and cursor; keeps this value's context.
    FRM_CTdiValue& operator=(const FRM_CTdiValue& other);

    short Change(long command, const FRM_CModel* model) override;   // accepts: 1
    // The value's context, or command when it has none of its own.
    virtual long GetContext(long command) const;
    virtual void SetContext(long context);
    // Takes over other's contents when it is of this class (1); else 0 and no change.
    virtual short Copy(const FRM_CTdiValue& other) = 0;
    virtual short IsConvertible(Type type) const;
    virtual Type GetType() const;
    virtual FRM_CStringRW ToString() const;
    virtual long ToInteger() const;
    virtual float ToFloat() const;
    virtual short ToBoolean() const;
    virtual short FromString(const FRM_CStringRW& text);
    virtual short FromInteger(long value);
    virtual short FromFloat(float value);
    virtual short FromBoolean(short state);
    // The walk over the value as a list: Reset, then Next answers 1 for each element.
    virtual void Reset();
    virtual short Next();
    virtual short GoTo(std::uint32_t index);
    virtual std::uint32_t Entries() const;
    virtual short Clear();
    // Takes value (a list owns its elements); 0 for a single value.
    virtual short Append(FRM_CTdiValue* value);
    virtual short Set(std::uint32_t index, FRM_CTdiValue* value);

    FRM_CNotifier* GetOriginator() const { return itsOriginator; }

protected:
    std::uint32_t GetCursor() const { return itsCursor; }
    void SetCursor(std::uint32_t cursor) { itsCursor = cursor; }
    // The at-start step of Next: true when this call only left the start.
    bool LeaveStart();

private:
    FRM_CNotifier* itsOriginator = nullptr;   // not owned
    long itsContext = kNoCommand;
    std::uint32_t itsCursor = 0;
    short itsAtStart = 0;
};

// Declares what every scalar and list value overrides besides its conversions.
#define FRM_TDI_VALUE_OPERATIONS(Class)                                                            \
    RWCollectable* newSpecies() const override;                                                   \
    RWCollectable* copy() const override;                                                         \
    RWClassID isA() const override;                                                               \
    static RWClassID classIsA();                                                                  \
    short Copy(const FRM_CTdiValue& other) override;                                              \
    short IsConvertible(Type type) const override;                                                \
    Type GetType() const override;                                                                \
    FRM_CStringRW ToString() const override;                                                      \
    short FromString(const FRM_CStringRW& text) override;                                         \
    Class(const Class& other) = default;                                                          \
    Class& operator=(const Class& other) = default;

// The conversions among the four basic types, which the basic classes do themselves.
#define FRM_TDI_BASIC_CONVERSIONS                                                                  \
    long ToInteger() const override;                                                              \
    float ToFloat() const override;                                                               \
    short ToBoolean() const override;                                                             \
    short FromInteger(long value) override;                                                       \
    short FromFloat(float value) override;                                                        \
    short FromBoolean(short state) override;

class FRM_CTdiStringValue : public FRM_CTdiValue {
    FRM_TYPE_INFO(CTdiStringValue)
    FRM_TDI_VALUE_OPERATIONS(FRM_CTdiStringValue)
    FRM_CTdiStringValue() : FRM_CTdiValue(nullptr, kNoCommand) {}
    FRM_CTdiStringValue(const FRM_CStringRW& text, FRM_CNotifier* originator, long context)
        : FRM_CTdiValue(originator, context), itsText(text) {}
    const FRM_CStringRW& GetString() const { return itsText; }

    FRM_TDI_BASIC_CONVERSIONS

private:
    FRM_CStringRW itsText;
};

class FRM_CTdiIntegerValue : public FRM_CTdiValue {
    FRM_TYPE_INFO(CTdiIntegerValue)
    FRM_TDI_VALUE_OPERATIONS(FRM_CTdiIntegerValue)
    FRM_CTdiIntegerValue() : FRM_CTdiValue(nullptr, kNoCommand) {}
    FRM_CTdiIntegerValue(int value, FRM_CNotifier* originator, long context)
        : FRM_CTdiValue(originator, context), itsValue(value) {}
    int GetInteger() const { return itsValue; }

    FRM_TDI_BASIC_CONVERSIONS

private:
    int itsValue = 0;
};

class FRM_CTdiFloatValue : public FRM_CTdiValue {
    FRM_TYPE_INFO(CTdiFloatValue)
    FRM_TDI_VALUE_OPERATIONS(FRM_CTdiFloatValue)
    FRM_CTdiFloatValue() : FRM_CTdiValue(nullptr, kNoCommand) {}
    FRM_CTdiFloatValue(const FRM_CFloat& value, FRM_CNotifier* originator, long context)
        : FRM_CTdiValue(originator, context), itsValue(value) {}
    float GetFloat() const { return itsValue.Get(); }

    FRM_TDI_BASIC_CONVERSIONS

private:
    FRM_CFloat itsValue;
};

class FRM_CTdiBooleanValue : public FRM_CTdiValue {
    FRM_TYPE_INFO(CTdiBooleanValue)
    FRM_TDI_VALUE_OPERATIONS(FRM_CTdiBooleanValue)
    FRM_CTdiBooleanValue() : FRM_CTdiValue(nullptr, kNoCommand) {}
    FRM_CTdiBooleanValue(short state, FRM_CNotifier* originator, long context)
        : FRM_CTdiValue(originator, context), itsState(state) {}
    short GetState() const { return itsState; }
    void SetState(short state) { itsState = state; }

    FRM_TDI_BASIC_CONVERSIONS

private:
    short itsState = 0;
};

// Converts only to and from text ('X' form, local time zone).
class FRM_CTdiTimeValue : public FRM_CTdiValue {
    FRM_TYPE_INFO(CTdiTimeValue)
    FRM_TDI_VALUE_OPERATIONS(FRM_CTdiTimeValue)
    FRM_CTdiTimeValue() : FRM_CTdiValue(nullptr, kNoCommand) {}
    FRM_CTdiTimeValue(const RWTime& time, FRM_CNotifier* originator, long context)
        : FRM_CTdiValue(originator, context), itsTime(time) {}
    const RWTime& GetTime() const { return itsTime; }

private:
    RWTime itsTime{0UL};
};

// Converts only to and from text ('x' form).
class FRM_CTdiDateValue : public FRM_CTdiValue {
    FRM_TYPE_INFO(CTdiDateValue)
    FRM_TDI_VALUE_OPERATIONS(FRM_CTdiDateValue)
    FRM_CTdiDateValue() : FRM_CTdiValue(nullptr, kNoCommand) {}
    FRM_CTdiDateValue(const RWDate& date, FRM_CNotifier* originator, long context)
        : FRM_CTdiValue(originator, context), itsDate(date) {}
    const RWDate& GetDate() const { return itsDate; }

private:
    RWDate itsDate{1, 1, 1970};
};

#undef FRM_TDI_VALUE_OPERATIONS
#undef FRM_TDI_BASIC_CONVERSIONS

// A list of owned values. Types and conversions are those of the element at the cursor, and
// the base answers (conversions into the list: 0) when the cursor is past the end. Copy and
// assignment are deep: each element is copied into a new value of its own class.
class FRM_CTdiListValue : public FRM_CTdiValue {
    FRM_TYPE_INFO(CTdiListValue)
    FRM_CTdiListValue() : FRM_CTdiValue(nullptr, kNoCommand) {}
    FRM_CTdiListValue(FRM_CNotifier* originator, long context)
        : FRM_CTdiValue(originator, context) {}
    FRM_CTdiListValue(const FRM_CTdiListValue& other);
    FRM_CTdiListValue& operator=(const FRM_CTdiListValue& other);
    ~FRM_CTdiListValue() override;

    RWCollectable* newSpecies() const override;
    RWCollectable* copy() const override;
    RWClassID isA() const override;
    static RWClassID classIsA();

    short Copy(const FRM_CTdiValue& other) override;
    short IsConvertible(Type type) const override;
    Type GetType() const override;
    FRM_CStringRW ToString() const override;
    long ToInteger() const override;
    float ToFloat() const override;
    short ToBoolean() const override;
    short FromString(const FRM_CStringRW& text) override;
    short FromInteger(long value) override;
    short FromFloat(float value) override;
    short FromBoolean(short state) override;
    short Next() override;
    short GoTo(std::uint32_t index) override;
    std::uint32_t Entries() const override;
    short Clear() override;
    short Append(FRM_CTdiValue* value) override;
    short Set(std::uint32_t index, FRM_CTdiValue* value) override;

private:
    FRM_CTdiValue* Current() const;   // the element at the cursor, null past the end
    void DestroyElements();

    RWOrdered itsElements;   // owned FRM_CTdiValue objects
};
