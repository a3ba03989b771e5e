#pragma once
// Program-wide objects of TessarynUI that are created before the application starts, in a
// fixed order (see ProgramObjects.cpp).

#include "client/app/VnConfigApp.h"
#include "platform/Windows.h"

// Signals the Profile page's modal editor that the main sheet is closing (auto-reset).
extern HANDLE g_evtProfileEditor;
extern CString g_strQosDlsText;

extern CVnConfigApp theApp;
