#include "tests/platform/ui/desktop/DesktopTestSupport.h"

#include "machine/Machine.h"
#include "machine/desktop/DesktopLog.h"

namespace
{

using desktop_test::DesktopTest;
using desktop_test::SeenOf;

class MessageBoxTest : public DesktopTest
{
protected:
    void SetUp() override
    {
        DesktopTest::SetUp();
        platform::ClearMessageBoxLog();
        m_owner = desktop_test::MakeSeeingWindow("Owner");
        ASSERT_NE(m_owner, 0u);
    }
    void TearDown() override
    {
        DestroyWindow(m_owner);
        DesktopTest::TearDown();
    }
    HWND m_owner = 0;
};

struct ButtonsCase
{
    const char* name;
    UINT type;
    std::vector<int> buttons;
    int escapeAnswer; // 0: Esc does nothing
};

class MessageBoxButtonsTest : public MessageBoxTest,
                              public ::testing::WithParamInterface<ButtonsCase>
{
};

TEST_P(MessageBoxButtonsTest, TheBoxHasTheTypesButtonsAndEscGivesCancelWhereThereIsOne)
{
    const ButtonsCase& c = GetParam();
    std::vector<int> seenButtons;
    int hooks = 0;
    platform::SetIdleHook(
        [&]
        {
            auto box = platform::FindOpenMessageBox();
            ASSERT_TRUE(box.has_value());
            if (hooks++ == 0)
            {
                seenButtons = box->buttons;
                for (int id : box->buttons)
                    EXPECT_NE(GetDlgItem(box->hwnd, id), 0u) << id;
                PostMessageA(box->hwnd, WM_KEYDOWN, 0x1B, 0); // Esc
                return;
            }
            // Esc left it up: press the last button.
            platform::AnswerMessageBox(box->hwnd, box->buttons.back());
        });
    const int answer = MessageBoxA(m_owner, "Text", "Caption", c.type);
    EXPECT_EQ(seenButtons, c.buttons);
    EXPECT_EQ(answer, c.escapeAnswer != 0 ? c.escapeAnswer : c.buttons.back());
    EXPECT_EQ(hooks, c.escapeAnswer != 0 ? 1 : 2);
}

INSTANTIATE_TEST_SUITE_P(
    Types, MessageBoxButtonsTest,
    ::testing::Values(ButtonsCase{"Ok", MB_OK, {IDOK}, IDOK},
                      ButtonsCase{
                          "OkCancel", MB_OKCANCEL | MB_ICONSTOP, {IDOK, IDCANCEL}, IDCANCEL},
                      ButtonsCase{"YesNo", MB_YESNO | MB_ICONQUESTION, {IDYES, IDNO}, 0},
                      ButtonsCase{"YesNoCancel", MB_YESNOCANCEL, {IDYES, IDNO, IDCANCEL}, IDCANCEL},
                      ButtonsCase{"RetryCancel", MB_RETRYCANCEL, {IDRETRY, IDCANCEL}, IDCANCEL}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MessageBoxTest, TheBoxIsARealModalDialogOverItsDisabledOwnerAndIsRecorded)
{
    HWND seen = 0;
    bool ownerEnabledMeanwhile = true;
    std::string staticText, caption, className;
    platform::SetIdleHook(
        [&]
        {
            auto box = platform::FindOpenMessageBox();
            ASSERT_TRUE(box.has_value());
            seen = box->hwnd;
            char buffer[64] = {};
            GetClassNameA(seen, buffer, sizeof buffer);
            className = buffer;
            GetWindowTextA(seen, buffer, sizeof buffer);
            caption = buffer;
            GetWindowTextA(GetDlgItem(seen, kMessageBoxTextId), buffer, sizeof buffer);
            staticText = buffer;
            ownerEnabledMeanwhile = IsWindowEnabled(m_owner) != FALSE;
            EXPECT_TRUE(IsWindowVisible(seen));
            EXPECT_EQ(FindWindowA("#32770", "Error"), seen); // published for other processes
            EXPECT_TRUE(platform::AnswerMessageBox(seen, IDOK));
        });
    // A child window's box is owned by its top-level window.
    HWND child =
        CreateWindowExA(0, "DesktopTestWindow", "", WS_CHILD, 0, 0, 5, 5, m_owner, 0, 0, nullptr);
    EXPECT_EQ(MessageBoxA(child, "Cannot find the adapter.", nullptr, MB_OKCANCEL | MB_ICONERROR),
              IDOK);
    EXPECT_EQ(className, "#32770");
    EXPECT_EQ(caption, "Error");
    EXPECT_EQ(staticText, "Cannot find the adapter.");
    EXPECT_FALSE(ownerEnabledMeanwhile);
    EXPECT_TRUE(IsWindowEnabled(m_owner));
    EXPECT_FALSE(IsWindow(seen));
    EXPECT_FALSE(platform::FindOpenMessageBox().has_value());
    EXPECT_FALSE(platform::AnswerMessageBox(seen, IDOK));

    auto log = platform::MessageBoxLog();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].text, "Cannot find the adapter.");
    EXPECT_EQ(log[0].caption, "Error");
    EXPECT_EQ(log[0].type, MB_OKCANCEL | MB_ICONSTOP);
    EXPECT_EQ(log[0].answer, IDOK);
    EXPECT_EQ(log[0].owner, m_owner);
}

TEST_F(MessageBoxTest, ScriptedAnswersComeInOrderAfterWhatIsDueFiredOnce)
{
    SetTimer(m_owner, 7, 500, nullptr);
    platform::AdvanceClock(500); // due now: fires inside the first box
    platform::ScriptMessageBoxAnswers({IDCANCEL, IDYES, IDNO});
    EXPECT_EQ(platform::PendingScriptedAnswers(), 3u);
    EXPECT_EQ(MessageBoxA(m_owner, "First", "AP Error Message", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(SeenOf(WM_TIMER).size(), 1u);
    // An answer the box has no button for is its Esc answer.
    EXPECT_EQ(MessageBoxA(m_owner, "Second", "AP Error Message", MB_OK), IDOK);
    EXPECT_EQ(MessageBoxA(m_owner, "Third", nullptr, MB_YESNO), IDNO);
    EXPECT_EQ(platform::PendingScriptedAnswers(), 0u);
    auto log = platform::MessageBoxLog();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].caption, "AP Error Message");
    EXPECT_EQ(log[1].answer, IDOK);
    EXPECT_EQ(log[2].text, "Third");
    EXPECT_EQ(SeenOf(WM_TIMER).size(), 1u); // nothing more was due

    // Each box shows in the machine's desktop log as it comes and as it is answered.
    const auto lines = machine::desktop::ReadDesktopLog(machine::CurrentMachine());
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0].rfind("message-box shown pid=", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find("type=0x00000001 caption=\"AP Error Message\" text=\"First\""),
              std::string::npos)
        << lines[0];
    EXPECT_EQ(lines[1].rfind("message-box answered pid=", 0), 0u) << lines[1];
    EXPECT_NE(lines[1].find(" answer=2"), std::string::npos) << lines[1]; // IDCANCEL
    EXPECT_NE(lines[5].find(" answer=7"), std::string::npos) << lines[5]; // IDNO
}

TEST_F(MessageBoxTest, TimersOfTheThreadKeepFiringWhileTheBoxIsUp)
{
    SetTimer(m_owner, 1, 1000, nullptr);
    int ticks = 0;
    platform::SetIdleHook(
        [&]
        {
            if (++ticks <= 3)
                platform::AdvanceClock(1000);
            else
                platform::AnswerMessageBox(platform::FindOpenMessageBox()->hwnd, IDOK);
        });
    EXPECT_EQ(MessageBoxA(m_owner, "Wait", "Caption", MB_OK), IDOK);
    EXPECT_EQ(SeenOf(WM_TIMER).size(), 3u);
}

TEST_F(MessageBoxTest, EnterPressesTheDefaultButton)
{
    platform::SetIdleHook(
        [&] { PostMessageA(platform::FindOpenMessageBox()->hwnd, WM_KEYDOWN, 0x0D, 0); });
    EXPECT_EQ(MessageBoxA(m_owner, "Q", "C", MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(MessageBoxA(m_owner, "Q", "C", MB_YESNO), IDYES);
}

TEST_F(MessageBoxTest, AQuitEndsTheBoxAndStaysPending)
{
    platform::SetIdleHook([] { PostQuitMessage(4); });
    EXPECT_EQ(MessageBoxA(m_owner, "Q", "C", MB_OK), 0);
    platform::SetIdleHook(nullptr);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, 0, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_TRUE(IsWindowEnabled(m_owner));
}

TEST_F(MessageBoxTest, AfxMessageBoxTakesTheTextOrAStringResource)
{
    platform::SetStringResolver(
        [](UINT id) -> std::optional<std::string>
        { return id == 61 ? std::optional<std::string>("From the table") : std::nullopt; });
    platform::ScriptMessageBoxAnswers({IDOK, IDCANCEL});
    EXPECT_EQ(AfxMessageBox("Plain"), IDOK);
    EXPECT_EQ(AfxMessageBox(61, MB_OKCANCEL), IDCANCEL);
    platform::SetStringResolver({});
    auto log = platform::MessageBoxLog();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].text, "Plain");
    EXPECT_EQ(log[0].type, MB_OK); // flags as the program gave them
    EXPECT_EQ(log[1].text, "From the table");
    // Without an application object the caption is the platform's default.
    const std::string expectedCaption = AfxGetAppName() != nullptr ? AfxGetAppName() : "Error";
    EXPECT_EQ(log[1].caption, expectedCaption);
}

TEST_F(MessageBoxTest, BeepsAreCounted)
{
    platform::ClearBeepLog();
    MessageBeep(MB_OK);
    MessageBeep(0xFFFFFFFF);
    auto beeps = platform::BeepLog();
    EXPECT_EQ(beeps.count, 2);
    EXPECT_EQ(beeps.lastType, 0xFFFFFFFFu);
}

} // namespace
