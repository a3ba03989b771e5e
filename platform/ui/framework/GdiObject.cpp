#include "platform/ui/framework/GdiObject.h"

#include "platform/ui/framework/WinApp.h"

#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <utility>

IMPLEMENT_DYNAMIC(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)

namespace
{

// Objects made by FromHandle: one per handle, never owning it.
template <class T> T* wrapperFor(HGDIOBJ h)
{
    if (h == 0)
        return nullptr;
    static std::mutex mutex;
    static auto* wrappers = new std::map<HGDIOBJ, std::unique_ptr<T>>;
    std::lock_guard lock(mutex);
    auto& slot = (*wrappers)[h];
    if (!slot)
    {
        slot = std::make_unique<T>();
        slot->m_hObject = h;
    }
    return slot.get();
}

} // namespace

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (hObject == 0 || m_hObject != 0)
        return FALSE;
    m_hObject = hObject;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    return std::exchange(m_hObject, 0);
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == 0)
        return FALSE;
    return ::DeleteObject(Detach());
}

BOOL CGdiObject::CreateStockObject(int nIndex)
{
    return Attach(::GetStockObject(nIndex));
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const
{
    return ::GetObjectA(m_hObject, nCount, lpObject);
}

CFont* CFont::FromHandle(HFONT hFont)
{
    // The wrapper must not delete a font it does not own.
    CFont* font = wrapperFor<CFont>(hFont);
    return font;
}

BOOL CFont::CreateFontIndirect(const LOGFONTA* lpLogFont)
{
    return Attach(::CreateFontIndirectA(lpLogFont));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCSTR lpszFaceName, CDC*)
{
    LOGFONTA lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    // Tenths of a point at 96 dpi, as a character height.
    lf.lfHeight = -((nPointSize * 96 + 360) / 720);
    lf.lfWeight = FW_NORMAL;
    if (lpszFaceName != nullptr)
        std::strncpy(lf.lfFaceName, lpszFaceName, LF_FACESIZE - 1);
    return CreateFontIndirect(&lf);
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                       BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
                       BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality, BYTE nPitchAndFamily,
                       LPCSTR lpszFacename)
{
    return Attach(::CreateFontA(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic,
                                bUnderline, cStrikeOut, nCharSet, nOutPrecision, nClipPrecision,
                                nQuality, nPitchAndFamily, lpszFacename));
}

int CFont::GetLogFont(LOGFONTA* pLogFont) const
{
    return GetObject(static_cast<int>(sizeof(LOGFONTA)), pLogFont);
}

CBitmap* CBitmap::FromHandle(HBITMAP hBitmap)
{
    return wrapperFor<CBitmap>(hBitmap);
}

BOOL CBitmap::LoadBitmap(UINT nIDResource)
{
    return Attach(::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCE(nIDResource)));
}

BOOL CBitmap::LoadBitmap(LPCSTR lpszResourceName)
{
    return Attach(::LoadBitmapA(AfxGetResourceHandle(), lpszResourceName));
}

int CBitmap::GetBitmap(BITMAP* pBitMap) const
{
    auto size = platform::BitmapSize(m_hObject);
    if (!size || pBitMap == nullptr)
        return 0;
    *pBitMap = BITMAP{0, size->cx, size->cy, ((size->cx * 32 + 31) / 32) * 4, 1, 32, nullptr};
    return static_cast<int>(sizeof(BITMAP));
}

CBrush* CBrush::FromHandle(HBRUSH hBrush)
{
    return wrapperFor<CBrush>(hBrush);
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    return Attach(::CreateSolidBrush(crColor));
}

BOOL CBrush::CreateSysColorBrush(int nIndex)
{
    return Attach(::GetSysColorBrush(nIndex));
}
