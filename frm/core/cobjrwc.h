// cobjrwc.h: FRM_CObjectRWC, the root of the framework's objects. Every framework object
// is a container-library collectable, carries the ids of the resource it was built from, and
// reaches the global class library and the global user through two process-wide pointers.
// The root stores nothing: its persistence calls are fatal (6600) until a class overrides all
// five.
#pragma once
#include <cstdint>
#include "frm/core/ctypeinfo.h"
#include "vkocoll/collect.h"

class FRM_CGlobalClassLib;
class FRM_CGlobalUser;

class FRM_CObjectRWC : public RWCollectable {
public:
    FRM_CObjectRWC() = default;
    FRM_CObjectRWC(const FRM_CObjectRWC& other) = default;
    FRM_CObjectRWC& operator=(const FRM_CObjectRWC& other) = default;
    ~FRM_CObjectRWC() override = default;

    RWCollectable* newSpecies() const override;
    RWCollectable* copy() const override;
    RWClassID isA() const override;
    std::size_t binaryStoreSize() const override;
    void restoreGuts(RWvistream& in) override;
    void restoreGuts(RWFile& file) override;
    void saveGuts(RWvostream& out) const override;
    void saveGuts(RWFile& file) const override;
    // The record of the object's dynamic class; every class overrides it (FRM_TYPE_INFO).
    virtual const FRM_CTypeInfo* GetRunTimeTypeInfo() const;

    static const FRM_CTypeInfo* GetStaticTypeInfo() { return &frm_type::CObjectRWC; }
    static RWClassID classIsA();

    std::int32_t GetResourceContainerId() const { return itsResourceContainerId; }
    void SetResourceContainerId(std::int32_t id) { itsResourceContainerId = id; }
    std::int32_t GetResourceId() const { return itsResourceId; }
    void SetResourceId(std::int32_t id) { itsResourceId = id; }

    // Null before the application is built and after its shut-down.
    static FRM_CGlobalClassLib* GetG();
    // Null until the program installs a user object.
    static FRM_CGlobalUser* GetGU();

protected:
    static void SetG(FRM_CGlobalClassLib* library);
    static void SetGU(FRM_CGlobalUser* user);

private:
    std::int32_t itsResourceContainerId = 0;   // resource holding the defining item; 0: none
    std::int32_t itsResourceId = 0;            // the object's own resource item; 0: none
};
