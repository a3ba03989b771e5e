#include "platform/ui/gdi/DeviceContext.h"

#include "platform/base/WinError.h"

#include <cstring>
#include <map>
#include <mutex>
#include <utility>

namespace platform
{
namespace
{

constexpr HGDIOBJ kFontBase = 0x13000000u;
constexpr HGDIOBJ kBrushBase = 0x14000000u;
constexpr HGDIOBJ kStockBase = 0x15000000u;
constexpr HDC kDcBase = 0x16000000u;
constexpr HGDIOBJ kSysBrushBase = 0x18000000u;
constexpr DWORD kKindMask = 0xFF000000u;
constexpr HGDIOBJ kBitmapBase = 0x12000000u; // resource bitmaps (Resources.cpp)

struct Selection
{
    HGDIOBJ font = 0;
    HGDIOBJ brush = 0;
    HGDIOBJ pen = 0;
    HGDIOBJ bitmap = 0;
    COLORREF textColor = 0;
    COLORREF bkColor = RGB(255, 255, 255);
    int bkMode = OPAQUE;
};

struct DcState
{
    HWND hwnd = 0;
    bool released = false;
    Selection current;
    std::vector<Selection> saved;
};

struct Gdi
{
    std::mutex mutex;
    std::map<HDC, DcState> dcs;
    std::map<HGDIOBJ, LOGFONTA> fonts;
    std::map<HGDIOBJ, COLORREF> brushes;
    std::vector<DrawnIcon> drawn;
    DWORD nextDc = 1;
    DWORD nextFont = 1;
    DWORD nextBrush = 1;
};

Gdi& gdi()
{
    static Gdi* instance = new Gdi;
    return *instance;
}

// The state of a DC; an unknown handle gets one on first use (BeginPaint's DC, say).
DcState* stateOf(HDC hdc)
{
    if (hdc == 0)
        return nullptr;
    return &gdi().dcs[hdc];
}

DWORD kindOf(HGDIOBJ h)
{
    const DWORD kind = h & kKindMask;
    if (kind == kFontBase)
        return OBJ_FONT;
    if (kind == kBrushBase || kind == kSysBrushBase)
        return OBJ_BRUSH;
    if (kind == kBitmapBase)
        return OBJ_BITMAP;
    if (kind == kDcBase)
        return OBJ_DC;
    if (kind == kStockBase)
    {
        const int i = static_cast<int>(h & 0xFFu);
        if (i <= NULL_BRUSH)
            return OBJ_BRUSH;
        if (i <= NULL_PEN)
            return OBJ_PEN;
        if (i == DEFAULT_PALETTE)
            return 0;
        return OBJ_FONT;
    }
    return 0;
}

bool isLiveObject(HGDIOBJ h)
{
    const DWORD kind = h & kKindMask;
    if (kind == kFontBase)
        return gdi().fonts.count(h) != 0;
    if (kind == kBrushBase)
        return gdi().brushes.count(h) != 0;
    return kind == kStockBase || kind == kSysBrushBase || kind == kBitmapBase;
}

LOGFONTA defaultFont()
{
    LOGFONTA lf{};
    lf.lfHeight = -11;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(lf.lfFaceName, "MS Shell Dlg", LF_FACESIZE - 1);
    return lf;
}

HDC newDc(HWND hwnd)
{
    std::lock_guard lock(gdi().mutex);
    const HDC hdc = kDcBase | gdi().nextDc++;
    gdi().dcs[hdc].hwnd = hwnd;
    return hdc;
}

} // namespace

std::vector<DrawnIcon> DrawnIcons()
{
    std::lock_guard lock(gdi().mutex);
    return gdi().drawn;
}

void ClearDrawnIcons()
{
    std::lock_guard lock(gdi().mutex);
    gdi().drawn.clear();
}

HFONT SelectedFont(HDC hdc)
{
    std::lock_guard lock(gdi().mutex);
    DcState* s = stateOf(hdc);
    return s != nullptr ? s->current.font : 0;
}

bool FontInfo(HFONT hFont, LOGFONTA* out)
{
    std::lock_guard lock(gdi().mutex);
    if ((hFont & kKindMask) == kStockBase && kindOf(hFont) == OBJ_FONT)
    {
        *out = defaultFont();
        return true;
    }
    auto it = gdi().fonts.find(hFont);
    if (it == gdi().fonts.end())
        return false;
    *out = it->second;
    return true;
}

HWND WindowOfDC(HDC hdc)
{
    std::lock_guard lock(gdi().mutex);
    auto it = gdi().dcs.find(hdc);
    return it != gdi().dcs.end() ? it->second.hwnd : 0;
}

std::size_t LiveDCs()
{
    std::lock_guard lock(gdi().mutex);
    std::size_t n = 0;
    for (const auto& [hdc, state] : gdi().dcs)
        if ((hdc & kKindMask) == kDcBase && !state.released)
            ++n;
    return n;
}

} // namespace platform

using platform::gdi;

HDC GetDC(HWND hWnd)
{
    return platform::newDc(hWnd);
}

HDC GetWindowDC(HWND hWnd)
{
    return platform::newDc(hWnd);
}

int ReleaseDC(HWND, HDC hDC)
{
    std::lock_guard lock(gdi().mutex);
    auto it = gdi().dcs.find(hDC);
    if (it == gdi().dcs.end() || (hDC & platform::kKindMask) != platform::kDcBase)
        return 0;
    gdi().dcs.erase(it);
    return 1;
}

HDC CreateCompatibleDC(HDC)
{
    return platform::newDc(0);
}

BOOL DeleteDC(HDC hdc)
{
    return ReleaseDC(0, hdc) != 0 ? TRUE : FALSE;
}

int SaveDC(HDC hdc)
{
    std::lock_guard lock(gdi().mutex);
    platform::DcState* s = platform::stateOf(hdc);
    if (s == nullptr)
        return 0;
    s->saved.push_back(s->current);
    return static_cast<int>(s->saved.size());
}

BOOL RestoreDC(HDC hdc, int nSavedDC)
{
    std::lock_guard lock(gdi().mutex);
    platform::DcState* s = platform::stateOf(hdc);
    if (s == nullptr || s->saved.empty())
        return FALSE;
    const int count = static_cast<int>(s->saved.size());
    const int level = nSavedDC < 0 ? count + 1 + nSavedDC : nSavedDC;
    if (level < 1 || level > count)
        return FALSE;
    s->current = s->saved[static_cast<std::size_t>(level - 1)];
    s->saved.resize(static_cast<std::size_t>(level - 1));
    return TRUE;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h)
{
    std::lock_guard lock(gdi().mutex);
    platform::DcState* s = platform::stateOf(hdc);
    if (s == nullptr || h == 0 || !platform::isLiveObject(h))
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    HGDIOBJ* slot = nullptr;
    HGDIOBJ defaultObject = 0;
    switch (platform::kindOf(h))
    {
    case OBJ_FONT:
        slot = &s->current.font;
        defaultObject = platform::kStockBase | SYSTEM_FONT;
        break;
    case OBJ_BRUSH:
        slot = &s->current.brush;
        defaultObject = platform::kStockBase | WHITE_BRUSH;
        break;
    case OBJ_PEN:
        slot = &s->current.pen;
        defaultObject = platform::kStockBase | BLACK_PEN;
        break;
    case OBJ_BITMAP:
        slot = &s->current.bitmap;
        break;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    HGDIOBJ previous = *slot != 0 ? *slot : defaultObject;
    *slot = h;
    return previous;
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type)
{
    std::lock_guard lock(gdi().mutex);
    platform::DcState* s = platform::stateOf(hdc);
    if (s == nullptr)
        return 0;
    switch (type)
    {
    case OBJ_FONT:
        return s->current.font != 0 ? s->current.font : platform::kStockBase | SYSTEM_FONT;
    case OBJ_BRUSH:
        return s->current.brush != 0 ? s->current.brush : platform::kStockBase | WHITE_BRUSH;
    case OBJ_PEN:
        return s->current.pen != 0 ? s->current.pen : platform::kStockBase | BLACK_PEN;
    case OBJ_BITMAP:
        return s->current.bitmap;
    default:
        return 0;
    }
}

HGDIOBJ GetStockObject(int i)
{
    if (i < WHITE_BRUSH || i > DEFAULT_GUI_FONT || i == 9)
        return 0;
    return platform::kStockBase | static_cast<HGDIOBJ>(i);
}

BOOL DeleteObject(HGDIOBJ ho)
{
    std::lock_guard lock(gdi().mutex);
    switch (ho & platform::kKindMask)
    {
    case platform::kFontBase:
        return gdi().fonts.erase(ho) != 0 ? TRUE : FALSE;
    case platform::kBrushBase:
        return gdi().brushes.erase(ho) != 0 ? TRUE : FALSE;
    case platform::kStockBase:
    case platform::kSysBrushBase:
    case platform::kBitmapBase:
        // Stock objects and resource bitmaps are shared; deleting them is harmless.
        return TRUE;
    default:
        return FALSE;
    }
}

DWORD GetObjectType(HGDIOBJ h)
{
    std::lock_guard lock(gdi().mutex);
    return platform::isLiveObject(h) ? platform::kindOf(h) : 0;
}

int GetObjectA(HGDIOBJ h, int c, LPVOID pv)
{
    LOGFONTA lf{};
    if (platform::kindOf(h) == OBJ_FONT && platform::FontInfo(h, &lf))
    {
        if (pv == nullptr)
            return static_cast<int>(sizeof(LOGFONTA));
        const int n =
            c < static_cast<int>(sizeof(LOGFONTA)) ? c : static_cast<int>(sizeof(LOGFONTA));
        std::memcpy(pv, &lf, static_cast<std::size_t>(n));
        return n;
    }
    return 0;
}

HFONT CreateFontIndirectA(const LOGFONTA* lplf)
{
    if (lplf == nullptr)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::lock_guard lock(gdi().mutex);
    const HFONT h = platform::kFontBase | gdi().nextFont++;
    LOGFONTA copy = *lplf;
    copy.lfFaceName[LF_FACESIZE - 1] = '\0';
    gdi().fonts[h] = copy;
    return h;
}

HFONT CreateFontA(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight,
                  DWORD bItalic, DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet,
                  DWORD iOutPrecision, DWORD iClipPrecision, DWORD iQuality, DWORD iPitchAndFamily,
                  LPCSTR pszFaceName)
{
    LOGFONTA lf{cHeight,
                cWidth,
                cEscapement,
                cOrientation,
                cWeight,
                static_cast<BYTE>(bItalic),
                static_cast<BYTE>(bUnderline),
                static_cast<BYTE>(bStrikeOut),
                static_cast<BYTE>(iCharSet),
                static_cast<BYTE>(iOutPrecision),
                static_cast<BYTE>(iClipPrecision),
                static_cast<BYTE>(iQuality),
                static_cast<BYTE>(iPitchAndFamily),
                {}};
    if (pszFaceName != nullptr)
        std::strncpy(lf.lfFaceName, pszFaceName, LF_FACESIZE - 1);
    return CreateFontIndirectA(&lf);
}

HBRUSH CreateSolidBrush(COLORREF color)
{
    std::lock_guard lock(gdi().mutex);
    const HBRUSH h = platform::kBrushBase | gdi().nextBrush++;
    gdi().brushes[h] = color;
    return h;
}

HBRUSH GetSysColorBrush(int nIndex)
{
    if (nIndex < 0 || nIndex > 30)
        return 0;
    return platform::kSysBrushBase | static_cast<HBRUSH>(nIndex);
}

DWORD GetSysColor(int nIndex)
{
    switch (nIndex)
    {
    case COLOR_WINDOW:
        return RGB(255, 255, 255);
    case COLOR_WINDOWTEXT:
    case COLOR_BTNTEXT:
        return RGB(0, 0, 0);
    case COLOR_GRAYTEXT:
        return RGB(128, 128, 128);
    default:
        return RGB(212, 208, 200);
    }
}

BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR lpString, int c, LPSIZE psizl)
{
    if (hdc == 0 || psizl == nullptr || c < 0 || (lpString == nullptr && c > 0))
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    psizl->cx = kTextCharWidth * c;
    psizl->cy = kTextLineHeight;
    return TRUE;
}

BOOL GetTextMetricsA(HDC hdc, LPTEXTMETRICA lptm)
{
    if (hdc == 0 || lptm == nullptr)
        return FALSE;
    *lptm = TEXTMETRICA{};
    lptm->tmHeight = kTextLineHeight;
    lptm->tmAscent = 11;
    lptm->tmDescent = 2;
    lptm->tmAveCharWidth = kTextCharWidth;
    lptm->tmMaxCharWidth = kTextCharWidth;
    lptm->tmWeight = FW_NORMAL;
    lptm->tmDigitizedAspectX = 96;
    lptm->tmDigitizedAspectY = 96;
    lptm->tmFirstChar = 0x20;
    lptm->tmLastChar = 0xFF;
    lptm->tmDefaultChar = '?';
    lptm->tmBreakChar = ' ';
    return TRUE;
}

int GetDeviceCaps(HDC, int index)
{
    switch (index)
    {
    case HORZRES:
        return 1024;
    case VERTRES:
        return 768;
    case BITSPIXEL:
        return 32;
    case LOGPIXELSX:
    case LOGPIXELSY:
        return 96;
    default:
        return 0;
    }
}

namespace
{
template <class T, class F> T updateState(HDC hdc, T fallback, F f)
{
    std::lock_guard lock(gdi().mutex);
    platform::DcState* s = platform::stateOf(hdc);
    return s != nullptr ? f(s->current) : fallback;
}
} // namespace

COLORREF SetTextColor(HDC hdc, COLORREF color)
{
    return updateState(hdc, COLORREF(0xFFFFFFFFu),
                       [&](platform::Selection& s) { return std::exchange(s.textColor, color); });
}

COLORREF GetTextColor(HDC hdc)
{
    return updateState(hdc, COLORREF(0xFFFFFFFFu),
                       [](platform::Selection& s) { return s.textColor; });
}

COLORREF SetBkColor(HDC hdc, COLORREF color)
{
    return updateState(hdc, COLORREF(0xFFFFFFFFu),
                       [&](platform::Selection& s) { return std::exchange(s.bkColor, color); });
}

COLORREF GetBkColor(HDC hdc)
{
    return updateState(hdc, COLORREF(0xFFFFFFFFu),
                       [](platform::Selection& s) { return s.bkColor; });
}

int SetBkMode(HDC hdc, int mode)
{
    if (mode != TRANSPARENT && mode != OPAQUE)
        return 0;
    return updateState(hdc, 0,
                       [&](platform::Selection& s) { return std::exchange(s.bkMode, mode); });
}

int GetBkMode(HDC hdc)
{
    return updateState(hdc, 0, [](platform::Selection& s) { return s.bkMode; });
}

BOOL DrawIcon(HDC hDC, int X, int Y, HICON hIcon)
{
    if (hDC == 0 || hIcon == 0)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::lock_guard lock(gdi().mutex);
    auto it = gdi().dcs.find(hDC);
    const HWND hwnd = it != gdi().dcs.end() ? it->second.hwnd : 0;
    gdi().drawn.push_back(platform::DrawnIcon{hDC, hwnd, X, Y, hIcon});
    return TRUE;
}

int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr)
{
    return (hDC != 0 && lprc != nullptr && hbr != 0) ? 1 : 0;
}

BOOL TextOutA(HDC hdc, int, int, LPCSTR lpString, int c)
{
    return (hdc != 0 && (lpString != nullptr || c == 0)) ? TRUE : FALSE;
}
