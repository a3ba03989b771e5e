#pragma once
// What both programs' About pages read from a file alike: its version as "%d.%d.%d.%d\n"
// (most significant part first), its copyright notice and its modification date in local time
// as "%m-%d-%Y".

#include "platform/Windows.h"

// A file without version information leaves all three texts untouched and returns FALSE; so
// does each part the file's block lacks. pstrLegal, when given, receives the copyright notice.
BOOL ReadFileVersionText(LPCSTR pszFile, CString& strVersion, CString& strDate, CString* pstrLegal);

// As ReadFileVersionText, without a copyright notice; with bNative, read with the thread's
// file-system redirection off, and the redirection put back as it was afterwards.
BOOL ReadDriverFileVersionText(LPCSTR pszFile, CString& strVersion, CString& strDate, BOOL bNative);
