#pragma once
// The application class of TessarynAp: single instance (shared with TessarynUI), the help
// file, and the modal run of the hidden monitor window that is the whole life of the program.

#include "platform/Windows.h"

class CHubPanelApp : public CWinApp
{
public:
    CHubPanelApp();

    // Runs the program; always FALSE.
    virtual BOOL InitInstance();
    virtual int ExitInstance();

    // The help file: the program's folder, then "HubPanel" with "ENG.HLP", or "CHN.HLP" on a
    // system whose language is 1028.
    void BuildHelpFilePath();

private:
    HANDLE m_hMutex; // 0 when another instance holds the mutex
};
