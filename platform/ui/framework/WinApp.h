#pragma once
// The application object: one per program, created before the program starts. AfxWinMain sets
// up the module name and the command tail, then runs InitInstance; a program that does its work
// inside InitInstance returns FALSE from it and ends with ExitInstance's result, otherwise Run
// pumps messages until WM_QUIT and then calls ExitInstance.

#include "platform/ui/framework/Wnd.h"
#include "platform/ui/gdi/Resources.h"

#include <string>

HINSTANCE AfxGetResourceHandle();

class CWinApp : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinApp)
public:
    // Registers the object as the program's application.
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitApplication();
    virtual BOOL InitInstance();
    // The program's exit code: the code of the WM_QUIT that ended Run (0 when there was none).
    virtual int ExitInstance();
    virtual int Run();
    virtual BOOL PumpMessage();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Idle work; TRUE asks for more calls.
    virtual BOOL OnIdle(LONG lCount);
    virtual CWnd* GetMainWnd();
    // An icon of the program's resources.
    HICON LoadIcon(UINT nIDResource) const
    {
        return ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCE(nIDResource));
    }
    // Three-dimensional dialog controls are the platform's own look: nothing to switch on.
    BOOL Enable3dControls() { return TRUE; }
    BOOL Enable3dControlsStatic() { return TRUE; }

    CWnd* m_pMainWnd = nullptr;
    HINSTANCE m_hInstance = 0;
    // The command tail: the Windows command line the program was started with, after the
    // program's name and the blanks that follow it (platform::CommandTail), as it stands. A
    // program started from a host shell gets its arguments joined by blanks.
    LPSTR m_lpCmdLine = nullptr;
    // The show state its starter asked for (WinExec's uCmdShow, ShellExecuteA's nShowCmd);
    // SW_SHOWDEFAULT when none was.
    int m_nCmdShow = 10; // SW_SHOWDEFAULT
    // Owned by the application and freed with free(): a program that replaces one frees the
    // old value and assigns a copy made with _strdup.
    LPCSTR m_pszAppName = nullptr;
    LPCSTR m_pszExeName = nullptr;
    LPCSTR m_pszHelpFilePath = nullptr;
    LPCSTR m_pszProfileName = nullptr;
    LPCSTR m_pszRegistryKey = nullptr;

protected:
    MSG m_msgCur{};

private:
    friend int AfxWinMain(int argc, char** argv);
    void SetCurrentHandles(const char* argv0, std::string commandTail);

    std::string m_commandTail; // the storage behind m_lpCmdLine
    const char* m_appNameGiven = nullptr;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
LPCSTR AfxGetAppName();
// Controls of other components are not hosted: nothing to set up.
void AfxEnableControlContainer();
// The framework's entry point; a program's main returns its result.
int AfxWinMain(int argc, char** argv);
