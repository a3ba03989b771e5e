#pragma once
// Writes into the driver key and copies between it and its backups.

#include "platform/Windows.h"

// Copies every value of hSource into hDest with the same name, type and data; values of hDest
// that hSource lacks stay. TRUE when all were copied; a failed set ends the copy with FALSE.
BOOL CopyRegistryKeyValues(HKEY hSource, HKEY hDest);

// A text value as the driver reads it: its characters only, no terminating zero ("" is stored
// with length 0). Returns the registry's result.
LONG SetDriverText(HKEY hKey, LPCSTR lpszName, LPCSTR lpszText);
