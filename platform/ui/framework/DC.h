#pragma once
// The framework's device contexts. CDC wraps a DC handle; CClientDC and CWindowDC get one for a
// window and release it, CPaintDC brackets a WM_PAINT with BeginPaint/EndPaint.

#include "platform/base/CString.h"
#include "platform/ui/Paint.h"
#include "platform/ui/framework/GdiObject.h"
#include "platform/ui/framework/Geometry.h"

class CWnd;

class CDC : public CObject
{
    DECLARE_DYNAMIC(CDC)
public:
    CDC() = default;
    ~CDC() override;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC = 0;
    HDC m_hAttribDC = 0;

    // A temporary object for a handle (not owning it): it lives until the DC is released through
    // CWnd::ReleaseDC, else as long as the process.
    static CDC* FromHandle(HDC hDC);
    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }
    BOOL Attach(HDC hDC);
    HDC Detach();
    BOOL CreateCompatibleDC(CDC* pDC);
    BOOL DeleteDC();

    virtual int SaveDC();
    virtual BOOL RestoreDC(int nSavedDC);
    CFont* SelectObject(CFont* pFont);
    CBitmap* SelectObject(CBitmap* pBitmap);
    CBrush* SelectObject(CBrush* pBrush);
    CGdiObject* SelectStockObject(int nIndex);
    HGDIOBJ SelectObject(HGDIOBJ hObject);
    CFont* GetCurrentFont() const;

    CSize GetTextExtent(LPCSTR lpszString, int nCount) const;
    CSize GetTextExtent(const CString& str) const;
    BOOL GetTextMetrics(LPTEXTMETRICA lpMetrics) const;
    int GetDeviceCaps(int nIndex) const;
    COLORREF SetTextColor(COLORREF crColor);
    COLORREF SetBkColor(COLORREF crColor);
    int SetBkMode(int nBkMode);
    BOOL DrawIcon(int x, int y, HICON hIcon);
    BOOL DrawIcon(POINT point, HICON hIcon);
    void FillRect(LPCRECT lpRect, CBrush* pBrush);
    void FillSolidRect(LPCRECT lpRect, COLORREF clr);
    BOOL TextOut(int x, int y, const CString& str);

    // Forgets the temporary object of a DC (its handle was released).
    static void DeleteTempObject(HDC hDC);
};

class CClientDC : public CDC
{
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd = 0;
};

class CWindowDC : public CDC
{
public:
    explicit CWindowDC(CWnd* pWnd);
    ~CWindowDC() override;

protected:
    HWND m_hWnd = 0;
};

class CPaintDC : public CDC
{
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps{};

protected:
    HWND m_hWnd = 0;
};
