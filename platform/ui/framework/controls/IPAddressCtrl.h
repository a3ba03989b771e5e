#pragma once
// The framework's IP address field.

#include "platform/ui/controls/CommCtrl.h"
#include "platform/ui/framework/Wnd.h"

class CIPAddressCtrl : public CWnd
{
    DECLARE_DYNAMIC(CIPAddressCtrl)
public:
    CIPAddressCtrl() = default;

    using CWnd::Create;
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    void SetAddress(DWORD dwAddress);
    void SetAddress(BYTE nField0, BYTE nField1, BYTE nField2, BYTE nField3);
    // The number of fields that are not blank (blank fields read as 0).
    int GetAddress(DWORD& dwAddress) const;
    int GetAddress(BYTE& nField0, BYTE& nField1, BYTE& nField2, BYTE& nField3) const;
    void ClearAddress();
    BOOL IsBlank() const;
    void SetFieldRange(int nField, BYTE nLower, BYTE nUpper);
    void SetFieldFocus(WORD nField);
};
