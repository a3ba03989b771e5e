#pragma once
// The older help viewer. As with HtmlHelpA nothing opens: each request is written to the
// machine's program log ("WinHelp [PATH] file=[...] command=N data=N thread=N window=0x...").

#include "platform/base/WinTypes.h"

inline constexpr UINT HELP_CONTEXT = 0x0001;
inline constexpr UINT HELP_QUIT = 0x0002;
inline constexpr UINT HELP_INDEX = 0x0003;
inline constexpr UINT HELP_CONTENTS = 0x0003;
inline constexpr UINT HELP_HELPONHELP = 0x0004;
inline constexpr UINT HELP_SETINDEX = 0x0005;
inline constexpr UINT HELP_CONTEXTPOPUP = 0x0008;
inline constexpr UINT HELP_FINDER = 0x000B;
inline constexpr UINT HELP_WM_HELP = 0x000C;

// TRUE once the request is recorded; FALSE (ERROR_INVALID_PARAMETER) without a file, except
// for HELP_QUIT, which needs none.
BOOL WinHelpA(HWND hWndMain, LPCSTR lpszHelp, UINT uCommand, DWORD_PTR dwData);
