#pragma once
// The framework's drawing objects: each owns its handle (deleted with the object) unless it was
// made by FromHandle or Detach'ed.

#include "platform/base/CString.h"
#include "platform/ui/framework/Object.h"
#include "platform/ui/gdi/DeviceContext.h"
#include "platform/ui/gdi/Resources.h"

class CDC;

class CGdiObject : public CObject
{
    DECLARE_DYNAMIC(CGdiObject)
public:
    CGdiObject() = default;
    ~CGdiObject() override;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ m_hObject = 0;

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    operator HGDIOBJ() const { return m_hObject; }
    BOOL Attach(HGDIOBJ hObject);
    HGDIOBJ Detach();
    BOOL DeleteObject();
    BOOL CreateStockObject(int nIndex);
    int GetObject(int nCount, LPVOID lpObject) const;
};

class CFont : public CGdiObject
{
    DECLARE_DYNAMIC(CFont)
public:
    // A font object for a handle that it does not own; it lives as long as the process.
    static CFont* FromHandle(HFONT hFont);
    operator HFONT() const { return m_hObject; }
    BOOL CreateFontIndirect(const LOGFONTA* lpLogFont);
    // nPointSize in tenths of a point, as the framework takes it.
    BOOL CreatePointFont(int nPointSize, LPCSTR lpszFaceName, CDC* pDC = nullptr);
    BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                    BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
                    BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality, BYTE nPitchAndFamily,
                    LPCSTR lpszFacename);
    int GetLogFont(LOGFONTA* pLogFont) const;
};

class CBitmap : public CGdiObject
{
    DECLARE_DYNAMIC(CBitmap)
public:
    static CBitmap* FromHandle(HBITMAP hBitmap);
    operator HBITMAP() const { return m_hObject; }
    BOOL LoadBitmap(UINT nIDResource);
    BOOL LoadBitmap(LPCSTR lpszResourceName);
    int GetBitmap(BITMAP* pBitMap) const;
};

class CBrush : public CGdiObject
{
    DECLARE_DYNAMIC(CBrush)
public:
    CBrush() = default;
    explicit CBrush(COLORREF crColor) { CreateSolidBrush(crColor); }
    static CBrush* FromHandle(HBRUSH hBrush);
    operator HBRUSH() const { return m_hObject; }
    BOOL CreateSolidBrush(COLORREF crColor);
    BOOL CreateSysColorBrush(int nIndex);
};
