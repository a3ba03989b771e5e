#include "platform/ui/framework/WinApp.h"

#include "machine/MachineImage.h"
#include "platform/process/CommandLine.h"
#include "platform/process/internal/ProgramStart.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <string>

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

namespace
{

CWinApp* g_app = nullptr;

// The module's load address, as the platform gives a program's instance.
inline constexpr HINSTANCE kModuleInstance = 0x00400000u;

char* duplicate(const std::string& text)
{
    return ::strdup(text.c_str());
}

void release(LPCSTR& text)
{
    std::free(const_cast<char*>(text));
    text = nullptr;
}

} // namespace

CWinApp::CWinApp(LPCSTR lpszAppName) : m_appNameGiven(lpszAppName)
{
    if (g_app != nullptr)
    {
        std::fprintf(stderr, "a program has only one application object\n");
        std::abort();
    }
    g_app = this;
    m_lpCmdLine = m_commandTail.data();
}

CWinApp::~CWinApp()
{
    release(m_pszAppName);
    release(m_pszExeName);
    release(m_pszHelpFilePath);
    release(m_pszProfileName);
    release(m_pszRegistryKey);
    if (g_app == this)
        g_app = nullptr;
}

void CWinApp::SetCurrentHandles(const char* argv0, std::string commandTail)
{
    m_hInstance = kModuleInstance;
    m_commandTail = std::move(commandTail);
    m_lpCmdLine = m_commandTail.data();

    std::string exeName = argv0 != nullptr ? std::filesystem::path(argv0).stem().string() : "";
    if (exeName.empty())
        exeName = "program";
    // The module file is the program's file in its folder on the machine's drive.
    const std::string modulePath = std::string(machine::kProgramFolder) + "\\" + exeName + ".exe";

    release(m_pszExeName);
    m_pszExeName = duplicate(exeName);
    if (m_pszAppName == nullptr)
        m_pszAppName = duplicate(m_appNameGiven != nullptr ? m_appNameGiven : exeName);
    if (m_pszHelpFilePath == nullptr)
        m_pszHelpFilePath = duplicate(modulePath.substr(0, modulePath.size() - 4) + ".HLP");
}

BOOL CWinApp::InitApplication()
{
    return TRUE;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return static_cast<int>(m_msgCur.wParam);
}

BOOL CWinApp::PumpMessage()
{
    if (!::GetMessageA(&m_msgCur, 0, 0, 0))
        return FALSE;
    if (!PreTranslateMessage(&m_msgCur))
    {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageA(&m_msgCur);
    }
    return TRUE;
}

int CWinApp::Run()
{
    // Without a main window nothing would ever end the loop.
    if (m_pMainWnd == nullptr)
        ::PostQuitMessage(0);
    bool idle = true;
    LONG idleCount = 0;
    MSG peek;
    for (;;)
    {
        while (idle && !::PeekMessageA(&peek, 0, 0, 0, PM_NOREMOVE))
            if (!OnIdle(idleCount++))
                idle = false;
        do
        {
            if (!PumpMessage())
                return ExitInstance();
            if (m_msgCur.message != WM_PAINT && m_msgCur.message != WM_NULL)
            {
                idle = true;
                idleCount = 0;
            }
        } while (::PeekMessageA(&peek, 0, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->hwnd == 0)
        return FALSE;
    CWnd* pMain = AfxGetMainWnd();
    return CWnd::WalkPreTranslateTree(pMain != nullptr ? pMain->m_hWnd : 0, pMsg);
}

BOOL CWinApp::OnIdle(LONG)
{
    return FALSE;
}

CWnd* CWinApp::GetMainWnd()
{
    return m_pMainWnd;
}

CWinApp* AfxGetApp()
{
    return g_app;
}

CWnd* AfxGetMainWnd()
{
    return g_app != nullptr ? g_app->GetMainWnd() : nullptr;
}

HINSTANCE AfxGetInstanceHandle()
{
    return kModuleInstance;
}

HINSTANCE AfxGetResourceHandle()
{
    return kModuleInstance;
}

LPCSTR AfxGetAppName()
{
    return g_app != nullptr ? g_app->m_pszAppName : nullptr;
}

void AfxEnableControlContainer() {}

namespace
{

// The show state a starting program passes on (a decimal number); SW_SHOWDEFAULT without one
// or for anything that is not a show command.
int startShowState()
{
    const char* given = std::getenv("TESSARYN_SHOW");
    if (given == nullptr || *given == '\0')
        return SW_SHOWDEFAULT;
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(given, &end, 10);
    if (errno != 0 || *end != '\0' || value < SW_HIDE || value > SW_FORCEMINIMIZE)
        return SW_SHOWDEFAULT;
    return static_cast<int>(value);
}

} // namespace

int AfxWinMain(int argc, char** argv)
{
    const std::string program =
        argc > 0 && argv[0] != nullptr ? std::filesystem::path(argv[0]).filename().string() : "";
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
    {
        std::fprintf(stderr, "the program has no application object\n");
        return -1;
    }
    if (!platform::StartProgramOnMachine(program))
        return 1;
    // What the machine cannot do later (a folder that became unwritable, a lock taken away)
    // ends the program with the reason, never with an abort.
    try
    {
        std::string tail;
        if (const char* commandLine = std::getenv("TESSARYN_COMMAND_LINE"))
        {
            // Started through WinExec or ShellExecuteA: the tail of the Windows command line.
            tail = platform::CommandTail(commandLine);
        }
        else
        {
            for (int i = 1; i < argc; ++i)
            {
                if (i > 1)
                    tail += ' ';
                tail += argv[i];
            }
        }
        app->SetCurrentHandles(argc > 0 ? argv[0] : nullptr, std::move(tail));
        app->m_nCmdShow = startShowState();
        if (!app->InitApplication())
            return -1;
        if (!app->InitInstance())
        {
            if (app->m_pMainWnd != nullptr)
                app->m_pMainWnd->DestroyWindow();
            return app->ExitInstance();
        }
        return app->Run();
    }
    catch (const std::exception& e)
    {
        std::fprintf(stderr, "%s: %s\n", program.c_str(), e.what());
        return 1;
    }
}
