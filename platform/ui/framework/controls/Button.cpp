#include "platform/ui/framework/controls/Button.h"

IMPLEMENT_DYNAMIC(CButton, CWnd)

BOOL CButton::Create(LPCSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                     UINT nID)
{
    return CWnd::Create(WC_BUTTONA, lpszCaption, dwStyle, rect, pParentWnd, nID);
}

int CButton::GetCheck() const
{
    return static_cast<int>(::SendMessageA(m_hWnd, BM_GETCHECK, 0, 0));
}

void CButton::SetCheck(int nCheck)
{
    ::SendMessageA(m_hWnd, BM_SETCHECK, static_cast<WPARAM>(nCheck), 0);
}

UINT CButton::GetState() const
{
    return static_cast<UINT>(::SendMessageA(m_hWnd, BM_GETSTATE, 0, 0));
}

void CButton::SetState(BOOL bHighlight)
{
    ::SendMessageA(m_hWnd, BM_SETSTATE, static_cast<WPARAM>(bHighlight), 0);
}

UINT CButton::GetButtonStyle() const
{
    return static_cast<UINT>(::GetWindowLongA(m_hWnd, GWL_STYLE)) & 0xFFFF;
}

void CButton::SetButtonStyle(UINT nStyle, BOOL bRedraw)
{
    ::SendMessageA(m_hWnd, BM_SETSTYLE, nStyle, static_cast<LPARAM>(bRedraw));
}

HICON CButton::SetIcon(HICON hIcon)
{
    return static_cast<HICON>(
        ::SendMessageA(m_hWnd, BM_SETIMAGE, IMAGE_ICON, static_cast<LPARAM>(hIcon)));
}

HICON CButton::GetIcon() const
{
    return static_cast<HICON>(::SendMessageA(m_hWnd, BM_GETIMAGE, IMAGE_ICON, 0));
}

HBITMAP CButton::SetBitmap(HBITMAP hBitmap)
{
    return static_cast<HBITMAP>(
        ::SendMessageA(m_hWnd, BM_SETIMAGE, IMAGE_BITMAP, static_cast<LPARAM>(hBitmap)));
}

HBITMAP CButton::GetBitmap() const
{
    return static_cast<HBITMAP>(::SendMessageA(m_hWnd, BM_GETIMAGE, IMAGE_BITMAP, 0));
}

void CButton::Click()
{
    ::SendMessageA(m_hWnd, BM_CLICK, 0, 0);
}
