#pragma once
// Writes into the driver key and copies between it and its backups.

#include "platform/Windows.h"

// Copies every value of hSource into hDest with the same name, type and data; values of hDest
// that hSource lacks stay. TRUE when all were copied; a failed set ends the copy with FALSE.
BOOL CopyRegistryKeyValues(HKEY hSource, HKEY hDest);
// The access-point program's name for the same copy.
inline BOOL CopyRegistryValues(HKEY hSource, HKEY hDest)
{
    return CopyRegistryKeyValues(hSource, hDest);
}

// A text value as the driver reads it: its characters only, no terminating zero ("" is stored
// with length 0). Returns the registry's result.
LONG SetDriverText(HKEY hKey, LPCSTR lpszName, LPCSTR lpszText);

// A 32-bit number as a REG_DWORD (4 bytes, little-endian). Returns the registry's result.
LONG SetDwordValue(HKEY hKey, LPCSTR lpszName, DWORD dwValue);

// An empty list as the driver reads it: a multi-string of one zero byte.
LONG SetDriverEmptyList(HKEY hKey, LPCSTR lpszName);

// Reads a value into a zeroed buffer of cbBuffer bytes and always ends it with a zero: a value
// stored without its terminator, or one that fills the buffer, is cut at cbBuffer - 1 bytes.
// *pcbData (when given) gets the bytes read. Returns the registry's result.
LONG ReadDriverValue(HKEY hKey, LPCSTR lpszName, char* pBuffer, DWORD cbBuffer,
                     LPDWORD pcbData = NULL);

// A failed registry call is formatted into a text for the debug log and otherwise ignored:
// lpszFormat takes lpszName.
void ReportRegistryFailure(LPCSTR lpszFormat, LPCSTR lpszName);

// Opens a key below HKEY_LOCAL_MACHINE; 0 when it does not open, the failure reported.
HKEY OpenMachineKey(LPCSTR pszKey, REGSAM samDesired);
