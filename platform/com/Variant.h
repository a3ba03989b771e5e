#pragma once
// VARIANT, the self-describing value of automation, and IEnumVARIANT, the enumerator of a
// collection's items.

#include "platform/com/Bstr.h"
#include "platform/com/ComTypes.h"

using VARTYPE = USHORT;
using VARIANT_BOOL = SHORT;
inline constexpr VARIANT_BOOL VARIANT_TRUE = -1;
inline constexpr VARIANT_BOOL VARIANT_FALSE = 0;

enum VARENUM : VARTYPE
{
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_UNKNOWN = 13,
    VT_UI4 = 19,
};

struct VARIANT
{
    VARTYPE vt;
    WORD wReserved1;
    WORD wReserved2;
    WORD wReserved3;
    union
    {
        LONG lVal;
        SHORT iVal;
        ULONG ulVal;
        VARIANT_BOOL boolVal;
        HRESULT scode;
        BSTR bstrVal;
        IUnknown* punkVal;
        LONGLONG llVal;
    };
};
using VARIANTARG = VARIANT;
using LPVARIANT = VARIANT*;

// VT_EMPTY.
void VariantInit(VARIANT* pvarg);
// Releases what the variant holds (the interface of VT_UNKNOWN / VT_DISPATCH, the string of
// VT_BSTR) and leaves it VT_EMPTY.
HRESULT VariantClear(VARIANT* pvarg);

// {00020404-0000-0000-C000-000000000046}
class IEnumVARIANT : public IUnknown
{
public:
    static constexpr IID kIid = {
        0x00020404, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
    // Up to celt items into rgVar (each must be empty or cleared first); S_OK when all celt
    // came, S_FALSE when fewer did. pCeltFetched may be null when celt is 1.
    virtual HRESULT Next(ULONG celt, VARIANT* rgVar, ULONG* pCeltFetched) = 0;
    virtual HRESULT Skip(ULONG celt) = 0;
    virtual HRESULT Reset() = 0;
    virtual HRESULT Clone(IEnumVARIANT** ppEnum) = 0;

protected:
    ~IEnumVARIANT() = default;
};
inline constexpr IID IID_IEnumVARIANT = IEnumVARIANT::kIid;
