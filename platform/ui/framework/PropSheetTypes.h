#pragma once
// The records and constants of property sheets: the sheet's header and a page's description,
// as a program fills them (m_psh, m_psp), and the ids of the sheet's standard buttons.

#include "platform/ui/UserTypes.h"

inline constexpr DWORD PSH_DEFAULT = 0x00000000;
inline constexpr DWORD PSH_PROPTITLE = 0x00000001;
inline constexpr DWORD PSH_USEHICON = 0x00000002;
inline constexpr DWORD PSH_USEICONID = 0x00000004;
inline constexpr DWORD PSH_PROPSHEETPAGE = 0x00000008;
inline constexpr DWORD PSH_WIZARD = 0x00000020;
inline constexpr DWORD PSH_USEPSTARTPAGE = 0x00000040;
inline constexpr DWORD PSH_NOAPPLYNOW = 0x00000080;
inline constexpr DWORD PSH_USECALLBACK = 0x00000100;
inline constexpr DWORD PSH_HASHELP = 0x00000200;
inline constexpr DWORD PSH_MODELESS = 0x00000400;
inline constexpr DWORD PSH_RTLREADING = 0x00000800;

inline constexpr DWORD PSP_DEFAULT = 0x00000000;
inline constexpr DWORD PSP_DLGINDIRECT = 0x00000001;
inline constexpr DWORD PSP_USEHICON = 0x00000002;
inline constexpr DWORD PSP_USEICONID = 0x00000004;
inline constexpr DWORD PSP_USETITLE = 0x00000008;
inline constexpr DWORD PSP_RTLREADING = 0x00000010;
inline constexpr DWORD PSP_HASHELP = 0x00000020;
inline constexpr DWORD PSP_USECALLBACK = 0x00000080;

// The sheet's standard buttons.
inline constexpr int ID_APPLY_NOW = 0x3021;
inline constexpr int ID_WIZBACK = 0x3023;
inline constexpr int ID_WIZNEXT = 0x3024;
inline constexpr int ID_WIZFINISH = 0x3025;

// CPropertySheet::PressButton.
inline constexpr int PSBTN_BACK = 0;
inline constexpr int PSBTN_NEXT = 1;
inline constexpr int PSBTN_FINISH = 2;
inline constexpr int PSBTN_OK = 3;
inline constexpr int PSBTN_APPLYNOW = 4;
inline constexpr int PSBTN_CANCEL = 5;
inline constexpr int PSBTN_HELP = 6;

struct PROPSHEETPAGEA
{
    DWORD dwSize;
    DWORD dwFlags;
    HINSTANCE hInstance;
    LPCSTR pszTemplate; // MAKEINTRESOURCE(id)
    HICON hIcon;
    LPCSTR pszTitle; // with PSP_USETITLE: the tab's text instead of the template's caption
    LPARAM lParam;
};
using PROPSHEETPAGE = PROPSHEETPAGEA;
using LPCPROPSHEETPAGEA = const PROPSHEETPAGEA*;

struct PROPSHEETHEADERA
{
    DWORD dwSize;
    DWORD dwFlags;
    HWND hwndParent;
    HINSTANCE hInstance;
    HICON hIcon;    // with PSH_USEHICON
    LPCSTR pszIcon; // with PSH_USEICONID
    LPCSTR pszCaption;
    UINT nPages;
    UINT nStartPage;
    LPCPROPSHEETPAGEA ppsp;
};
using PROPSHEETHEADER = PROPSHEETHEADERA;
