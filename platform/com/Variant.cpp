#include "platform/com/Variant.h"

void VariantInit(VARIANT* pvarg)
{
    if (pvarg == nullptr)
        return;
    pvarg->vt = VT_EMPTY;
    pvarg->wReserved1 = pvarg->wReserved2 = pvarg->wReserved3 = 0;
    pvarg->llVal = 0;
}

HRESULT VariantClear(VARIANT* pvarg)
{
    if (pvarg == nullptr)
        return E_INVALIDARG;
    switch (pvarg->vt)
    {
    case VT_UNKNOWN:
    case VT_DISPATCH:
        if (pvarg->punkVal != nullptr)
            pvarg->punkVal->Release();
        break;
    case VT_BSTR:
        SysFreeString(pvarg->bstrVal);
        break;
    default:
        break;
    }
    VariantInit(pvarg);
    return S_OK;
}
