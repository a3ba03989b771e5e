#pragma once
// Program-wide objects of TessarynUI that are created before the application starts, in a
// fixed order (see ProgramObjects.cpp).

#include "client/app/VnConfigApp.h"
#include "platform/Windows.h"

extern PFN_IsWow64Process g_pfnIsWow64Process;
extern PFN_Wow64EnableWow64FsRedirection g_pfnWow64EnableWow64FsRedirection;
// Signals the Profile page's modal editor that the main sheet is closing (auto-reset).
extern HANDLE g_evtProfileEditor;
extern CString g_strQosDlsText;

extern CVnConfigApp theApp;
