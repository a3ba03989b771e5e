#pragma once
// The application class of UplinkPick: "ICS_DOWN" turns sharing off everywhere and ends; any
// other command line runs the selection dialog. Either way the program ends afterwards.

#include "platform/Windows.h"

class CUplinkPickApp : public CWinApp
{
public:
    CUplinkPickApp();

    virtual BOOL InitInstance();
};

extern CUplinkPickApp theApp;
