#include "platform/ui/framework/controls/IPAddressCtrl.h"

#include "platform/ui/PointerParam.h"

IMPLEMENT_DYNAMIC(CIPAddressCtrl, CWnd)

BOOL CIPAddressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_IPADDRESSA, nullptr, dwStyle, rect, pParentWnd, nID);
}

void CIPAddressCtrl::SetAddress(DWORD dwAddress)
{
    ::SendMessageA(m_hWnd, IPM_SETADDRESS, 0, static_cast<LPARAM>(dwAddress));
}

void CIPAddressCtrl::SetAddress(BYTE nField0, BYTE nField1, BYTE nField2, BYTE nField3)
{
    SetAddress(MAKEIPADDRESS(nField0, nField1, nField2, nField3));
}

int CIPAddressCtrl::GetAddress(DWORD& dwAddress) const
{
    platform::PointerParam param(&dwAddress);
    return static_cast<int>(::SendMessageA(m_hWnd, IPM_GETADDRESS, 0, param));
}

int CIPAddressCtrl::GetAddress(BYTE& nField0, BYTE& nField1, BYTE& nField2, BYTE& nField3) const
{
    DWORD address = 0;
    const int filled = GetAddress(address);
    nField0 = static_cast<BYTE>(FIRST_IPADDRESS(address));
    nField1 = static_cast<BYTE>(SECOND_IPADDRESS(address));
    nField2 = static_cast<BYTE>(THIRD_IPADDRESS(address));
    nField3 = static_cast<BYTE>(FOURTH_IPADDRESS(address));
    return filled;
}

void CIPAddressCtrl::ClearAddress()
{
    ::SendMessageA(m_hWnd, IPM_CLEARADDRESS, 0, 0);
}

BOOL CIPAddressCtrl::IsBlank() const
{
    return static_cast<BOOL>(::SendMessageA(m_hWnd, IPM_ISBLANK, 0, 0));
}

void CIPAddressCtrl::SetFieldRange(int nField, BYTE nLower, BYTE nUpper)
{
    ::SendMessageA(m_hWnd, IPM_SETRANGE, static_cast<WPARAM>(nField), MAKEIPRANGE(nLower, nUpper));
}

void CIPAddressCtrl::SetFieldFocus(WORD nField)
{
    ::SendMessageA(m_hWnd, IPM_SETFOCUS, nField, 0);
}
