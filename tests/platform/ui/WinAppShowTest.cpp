#include "tests/platform/ui/UiTestSupport.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace
{

class WinAppShowTest : public ui_test::UiTest
{
protected:
    void TearDown() override
    {
        ::unsetenv("TESSARYN_SHOW");
        ::unsetenv("TESSARYN_COMMAND_LINE");
        ui_test::UiTest::TearDown();
    }
};

// Notes what the framework gave it and ends at once.
class CShowApp : public CWinApp
{
public:
    int m_shownAs = -1;
    std::string m_tail;
    BOOL InitInstance() override
    {
        m_shownAs = m_nCmdShow;
        m_tail = m_lpCmdLine;
        return FALSE;
    }
};

int startedWith(const char* show)
{
    if (show != nullptr)
        ::setenv("TESSARYN_SHOW", show, 1);
    else
        ::unsetenv("TESSARYN_SHOW");
    CShowApp app;
    std::string name = "prog";
    char* argv[] = {name.data()};
    AfxWinMain(1, argv);
    return app.m_shownAs;
}

TEST_F(WinAppShowTest, TheShowStateComesFromTheStarter)
{
    struct Case
    {
        const char* given;
        int expected;
    } cases[] = {
        {nullptr, SW_SHOWDEFAULT}, {"7", SW_SHOWMINNOACTIVE}, {"0", SW_HIDE},
        {"3", SW_SHOWMAXIMIZED},   {"", SW_SHOWDEFAULT},      {"12", SW_SHOWDEFAULT},
        {"-1", SW_SHOWDEFAULT},    {"2x", SW_SHOWDEFAULT},
    };
    for (const Case& c : cases)
        EXPECT_EQ(startedWith(c.given), c.expected) << (c.given ? c.given : "(none)");
}

TEST_F(WinAppShowTest, TheCommandTailIsTheWindowsCommandLineAfterTheProgramName)
{
    ::setenv("TESSARYN_COMMAND_LINE", "\"C:\\Program Files\\prog.exe\"   -S  \"a b\"", 1);
    CShowApp app;
    std::string name = "prog";
    char* argv[] = {name.data()};
    AfxWinMain(1, argv);
    EXPECT_EQ(app.m_tail, "-S  \"a b\"");
}

} // namespace
