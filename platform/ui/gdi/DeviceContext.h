#pragma once
// Device contexts without pixels. A DC keeps what the program selects into it (font, brush, pen,
// bitmap), its colours and background mode, and a stack of saved states. Text is measured by one
// fixed rule, the metrics of the dialog font at 96 dpi: every character is 6 px wide and a line
// is 13 px high, whatever font is selected. DrawIcon records what was drawn where, so tests and
// the desktop can see it.
//
// BeginPaint's DC, a window's GetDC and CreateCompatibleDC all give DCs these functions accept;
// an unknown nonzero DC handle gets a fresh state on first use.

#include "platform/ui/gdi/GdiTypes.h"

#include <string>
#include <vector>

inline constexpr LONG kTextCharWidth = 6;
inline constexpr LONG kTextLineHeight = 13;

HDC GetDC(HWND hWnd);
HDC GetWindowDC(HWND hWnd);
int ReleaseDC(HWND hWnd, HDC hDC);
HDC CreateCompatibleDC(HDC hdc);
BOOL DeleteDC(HDC hdc);
// The saved level (1, 2, ...), 0 on failure. RestoreDC(-1) restores the last one; a positive
// level restores that one and drops the later ones.
int SaveDC(HDC hdc);
BOOL RestoreDC(HDC hdc, int nSavedDC);
// Returns the object of the same kind that was selected; NULL for an unknown object.
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h);
HGDIOBJ GetCurrentObject(HDC hdc, UINT type);
HGDIOBJ GetStockObject(int i);
BOOL DeleteObject(HGDIOBJ ho);
DWORD GetObjectType(HGDIOBJ h);
int GetObjectA(HGDIOBJ h, int c, LPVOID pv);

HFONT CreateFontIndirectA(const LOGFONTA* lplf);
HFONT CreateFontA(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight,
                  DWORD bItalic, DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet,
                  DWORD iOutPrecision, DWORD iClipPrecision, DWORD iQuality, DWORD iPitchAndFamily,
                  LPCSTR pszFaceName);
HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH GetSysColorBrush(int nIndex);
DWORD GetSysColor(int nIndex);

BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR lpString, int c, LPSIZE psizl);
BOOL GetTextMetricsA(HDC hdc, LPTEXTMETRICA lptm);
int GetDeviceCaps(HDC hdc, int index);
COLORREF SetTextColor(HDC hdc, COLORREF color);
COLORREF GetTextColor(HDC hdc);
COLORREF SetBkColor(HDC hdc, COLORREF color);
COLORREF GetBkColor(HDC hdc);
int SetBkMode(HDC hdc, int mode);
int GetBkMode(HDC hdc);

BOOL DrawIcon(HDC hDC, int X, int Y, HICON hIcon);
int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr);
BOOL TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c);

namespace platform
{

struct DrawnIcon
{
    HDC hdc;
    HWND hwnd; // the window the DC belongs to, 0 for a memory DC
    int x;
    int y;
    HICON icon;
};
// Every DrawIcon of the process, in order; Clear forgets them.
std::vector<DrawnIcon> DrawnIcons();
void ClearDrawnIcons();

// The font selected into a DC (0: the default font).
HFONT SelectedFont(HDC hdc);
// A font's record; false for an unknown handle.
bool FontInfo(HFONT hFont, LOGFONTA* out);
// The window a DC belongs to (0 for a memory DC or an unknown one).
HWND WindowOfDC(HDC hdc);
// DCs from GetDC/GetWindowDC/CreateCompatibleDC not yet released (tests check for leaks).
std::size_t LiveDCs();

} // namespace platform
