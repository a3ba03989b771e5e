#pragma once
// The compiled-help viewer. The machine is headless: a request opens no window. Each one is
// written to the machine's program log (`vnmachine log programs`) with the file as given, the
// file it names from the current directory, the command, the data and the calling thread:
//
//   HtmlHelp [.\VnConfigENG.chm] file=[C:\Program Files\Tessaryn\VnConfigENG.chm] command=0
//       data=0 thread=2 window=0x00000000

#include "platform/base/WinTypes.h"

inline constexpr UINT HH_DISPLAY_TOPIC = 0x0000;
inline constexpr UINT HH_HELP_FINDER = 0x0000;
inline constexpr UINT HH_DISPLAY_TOC = 0x0001;
inline constexpr UINT HH_DISPLAY_INDEX = 0x0002;
inline constexpr UINT HH_DISPLAY_SEARCH = 0x0003;
inline constexpr UINT HH_HELP_CONTEXT = 0x000F;
inline constexpr UINT HH_CLOSE_ALL = 0x0012;

// The viewer's window: always NULL, as no window opens. Callers that only ask for a topic
// (and ignore the result, as help requests do) see no difference.
HWND HtmlHelpA(HWND hwndCaller, LPCSTR pszFile, UINT uCommand, DWORD_PTR dwData);
