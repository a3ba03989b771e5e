#pragma once
// The client's settings files: one set per adapter in the data directory, named after the
// adapter's chip family and NetCfgInstanceId, read and written as private-profile files.

#include "platform/Windows.h"

// Kinds of settings file.
enum
{
    INI_KIND_STATION = 0, // "_sta": section "Config"
    INI_KIND_AP = 1,      // "_ap"
    INI_KIND_PROFILE = 2  // "_prof": one section per connection profile
};

// The 48 keys of a connection profile, in the order they are written and copied.
extern const char* const g_szProfileKeys[48];

// data directory + chip prefix + name + kind suffix, no extension.
CString GetIniFileName(LPCSTR lpszName, int nKind);

void GetIniValue(LPCSTR lpszName, int nKind, LPCSTR lpszSection, LPCSTR lpszKey, LPSTR lpBuffer,
                 DWORD nSize);
BOOL SetIniValue(LPCSTR lpszName, int nKind, LPCSTR lpszSection, LPCSTR lpszKey, LPCSTR lpszValue);
void WriteIniProfileKeys(LPCSTR lpszName, LPCSTR lpszSection);
void GetIniSectionNames(LPCSTR lpszName, CStringArray& list);
int IniSectionExists(LPCSTR lpszName, LPCSTR lpszSection);
int DeleteIniSection(LPCSTR lpszName, LPCSTR lpszSection);
void CopyIniSection(LPCSTR lpszName, LPCSTR lpszSection);
