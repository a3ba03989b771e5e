#include "platform/ui/framework/DC.h"

#include "platform/ui/framework/Wnd.h"

#include <map>
#include <memory>
#include <mutex>
#include <utility>

IMPLEMENT_DYNAMIC(CDC, CObject)

namespace
{

struct TempDCs
{
    std::mutex mutex;
    std::map<HDC, std::unique_ptr<CDC>> byHandle;
};

TempDCs& temps()
{
    static TempDCs* instance = new TempDCs;
    return *instance;
}

// The selection's previous object, as the framework's wrapper of its kind.
template <class T> T* previousAs(HGDIOBJ previous)
{
    return previous != 0 ? T::FromHandle(previous) : nullptr;
}

} // namespace

CDC::~CDC()
{
    // A plain CDC made with CreateCompatibleDC owns its DC.
    if (m_hDC != 0 && m_hAttribDC == m_hDC)
        ::DeleteDC(m_hDC);
}

CDC* CDC::FromHandle(HDC hDC)
{
    if (hDC == 0)
        return nullptr;
    std::lock_guard lock(temps().mutex);
    auto& slot = temps().byHandle[hDC];
    if (!slot)
    {
        slot = std::make_unique<CDC>();
        slot->m_hDC = hDC;
    }
    return slot.get();
}

void CDC::DeleteTempObject(HDC hDC)
{
    std::unique_ptr<CDC> gone;
    {
        std::lock_guard lock(temps().mutex);
        auto it = temps().byHandle.find(hDC);
        if (it == temps().byHandle.end())
            return;
        gone = std::move(it->second);
        temps().byHandle.erase(it);
    }
    gone->m_hDC = 0;
}

BOOL CDC::Attach(HDC hDC)
{
    if (hDC == 0 || m_hDC != 0)
        return FALSE;
    m_hDC = hDC;
    return TRUE;
}

HDC CDC::Detach()
{
    m_hAttribDC = 0;
    return std::exchange(m_hDC, 0);
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    if (!Attach(::CreateCompatibleDC(pDC != nullptr ? pDC->m_hDC : 0)))
        return FALSE;
    m_hAttribDC = m_hDC;
    return TRUE;
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == 0)
        return FALSE;
    return ::DeleteDC(Detach());
}

int CDC::SaveDC()
{
    return ::SaveDC(m_hDC);
}

BOOL CDC::RestoreDC(int nSavedDC)
{
    return ::RestoreDC(m_hDC, nSavedDC);
}

CFont* CDC::SelectObject(CFont* pFont)
{
    return pFont != nullptr ? previousAs<CFont>(::SelectObject(m_hDC, pFont->m_hObject)) : nullptr;
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    return pBitmap != nullptr ? previousAs<CBitmap>(::SelectObject(m_hDC, pBitmap->m_hObject))
                              : nullptr;
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    return pBrush != nullptr ? previousAs<CBrush>(::SelectObject(m_hDC, pBrush->m_hObject))
                             : nullptr;
}

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject)
{
    return ::SelectObject(m_hDC, hObject);
}

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    HGDIOBJ stock = ::GetStockObject(nIndex);
    HGDIOBJ previous = ::SelectObject(m_hDC, stock);
    if (previous == 0)
        return nullptr;
    if (::GetObjectType(previous) == OBJ_FONT)
        return CFont::FromHandle(previous);
    if (::GetObjectType(previous) == OBJ_BRUSH)
        return CBrush::FromHandle(previous);
    return CBitmap::FromHandle(previous);
}

CFont* CDC::GetCurrentFont() const
{
    return CFont::FromHandle(::GetCurrentObject(m_hDC, OBJ_FONT));
}

CSize CDC::GetTextExtent(LPCSTR lpszString, int nCount) const
{
    SIZE size{0, 0};
    ::GetTextExtentPoint32A(m_hDC, lpszString, nCount, &size);
    return CSize(size);
}

CSize CDC::GetTextExtent(const CString& str) const
{
    return GetTextExtent(str.GetString(), str.GetLength());
}

BOOL CDC::GetTextMetrics(LPTEXTMETRICA lpMetrics) const
{
    return ::GetTextMetricsA(m_hDC, lpMetrics);
}

int CDC::GetDeviceCaps(int nIndex) const
{
    return ::GetDeviceCaps(m_hDC, nIndex);
}

COLORREF CDC::SetTextColor(COLORREF crColor)
{
    return ::SetTextColor(m_hDC, crColor);
}

COLORREF CDC::SetBkColor(COLORREF crColor)
{
    return ::SetBkColor(m_hDC, crColor);
}

int CDC::SetBkMode(int nBkMode)
{
    return ::SetBkMode(m_hDC, nBkMode);
}

BOOL CDC::DrawIcon(int x, int y, HICON hIcon)
{
    return ::DrawIcon(m_hDC, x, y, hIcon);
}

BOOL CDC::DrawIcon(POINT point, HICON hIcon)
{
    return DrawIcon(point.x, point.y, hIcon);
}

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush)
{
    ::FillRect(m_hDC, lpRect, pBrush != nullptr ? pBrush->m_hObject : 0);
}

void CDC::FillSolidRect(LPCRECT, COLORREF clr)
{
    // The platform fills with the background colour, and leaves it set.
    ::SetBkColor(m_hDC, clr);
}

BOOL CDC::TextOut(int x, int y, const CString& str)
{
    return ::TextOutA(m_hDC, x, y, str.GetString(), str.GetLength());
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd != nullptr ? pWnd->m_hWnd : 0)
{
    Attach(::GetDC(m_hWnd));
}

CClientDC::~CClientDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd != nullptr ? pWnd->m_hWnd : 0)
{
    Attach(::GetWindowDC(m_hWnd));
}

CWindowDC::~CWindowDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd != nullptr ? pWnd->m_hWnd : 0)
{
    Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
    Detach();
}
