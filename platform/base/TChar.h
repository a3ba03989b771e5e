#pragma once
// The text-character names of an ANSI build: TCHAR is char, _T("x") is "x".

using TCHAR = char;
using LPTSTR = char*;
using LPCTSTR = const char*;

#ifndef _T
#define _T(x) x
#endif
#ifndef _TEXT
#define _TEXT(x) x
#endif
