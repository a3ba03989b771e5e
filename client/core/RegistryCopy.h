#pragma once
// Value copy between two open registry keys, used for the driver key's backups.

#include "platform/Windows.h"

// Copies every value of hSource into hDest with the same name, type and data; values of hDest
// that hSource lacks stay. TRUE when all were copied; a failed set ends the copy with FALSE.
BOOL CopyRegistryKeyValues(HKEY hSource, HKEY hDest);
