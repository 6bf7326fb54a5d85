// A VARIANT that clears itself (and frees what it holds) when it goes.
#pragma once
#include <windows.h>
#include <oleauto.h>

class COleVariant : public VARIANT {
public:
    COleVariant() { VariantInit(this); }
    ~COleVariant() { VariantClear(this); }
    COleVariant(const COleVariant&) = delete;
    COleVariant& operator=(const COleVariant&) = delete;

    // Frees the value now; the variant is then empty.
    HRESULT Clear() { return VariantClear(this); }
};
