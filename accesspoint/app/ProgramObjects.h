#pragma once
// The program-wide objects of TessarynAp, created before the application starts in a fixed
// order (see ProgramObjects.cpp). The values each part reads are declared by that part's
// header: the adapter state in adapter/discovery, the program's own in ApGlobals.h and the event
// store in monitor/ApEventLog.h.

#include "accesspoint/app/HubPanelApp.h"

extern CHubPanelApp theApp;
