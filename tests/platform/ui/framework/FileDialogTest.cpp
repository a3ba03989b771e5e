#include "tests/platform/ui/framework/FrameworkTestSupport.h"

#include <string>

namespace
{

using framework_test::FrameworkTest;

class FileDialogTest : public FrameworkTest
{
};

TEST_F(FileDialogTest, TheHookAnswersWithAPathOrCancel)
{
    platform::ClearFileDialogLog();
    struct Case
    {
        std::optional<std::string> answer;
        INT_PTR result;
        const char* path;
        const char* name;
        const char* ext;
    } cases[] = {
        {std::string("C:\\certs\\user.pac"), IDOK, "C:\\certs\\user.pac", "user.pac", "pac"},
        // The default extension completes a bare name.
        {std::string("C:\\certs\\user"), IDOK, "C:\\certs\\user.pac", "user.pac", "pac"},
        {std::nullopt, IDCANCEL, "", "", ""},
    };
    for (const Case& c : cases)
    {
        platform::SetFileDialogAnswer(
            [&](const platform::FileDialogRequest& request) -> std::optional<std::string>
            {
                EXPECT_TRUE(request.open);
                EXPECT_EQ(request.defaultExt, "pac");
                EXPECT_EQ(request.flags & OFN_FILEMUSTEXIST, OFN_FILEMUSTEXIST);
                EXPECT_EQ(request.filters.size(), 1u);
                if (!request.filters.empty())
                {
                    EXPECT_EQ(request.filters[0].description, "PAC Files(*.pac)");
                    EXPECT_EQ(request.filters[0].pattern, "*.pac");
                }
                return c.answer;
            });
        CFileDialog dlg(TRUE, "pac", nullptr, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
                        "PAC Files(*.pac)|*.pac||");
        EXPECT_EQ(dlg.DoModal(), c.result);
        EXPECT_STREQ(dlg.GetPathName(), c.path);
        EXPECT_STREQ(dlg.GetFileName(), c.name);
        EXPECT_STREQ(dlg.GetFileExt(), c.ext);
        if (c.result == IDOK)
        {
            EXPECT_STREQ(dlg.m_ofn.lpstrFile, c.path);
        }
    }
    EXPECT_EQ(platform::FileDialogLog().size(), 3u);
}

TEST_F(FileDialogTest, WithoutAHookAPersonAnswersTheWindow)
{
    // A file that exists, and one that does not (refused with OFN_FILEMUSTEXIST).
    HANDLE h = CreateFileA("C:\\user.pac", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, 0);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
    CFileDialog dlg(TRUE, "pac", nullptr, OFN_FILEMUSTEXIST, "PAC Files(*.pac)|*.pac||");
    int step = 0;
    platform::SetIdleHook(
        [&]
        {
            HWND edit = ::GetDlgItem(dlg.m_hWnd, kFileNameEditId);
            switch (step++)
            {
            case 0:
                ASSERT_NE(edit, 0u);
                ::SetWindowTextA(edit, "C:\\missing");
                ::PostMessageA(dlg.m_hWnd, WM_COMMAND, IDOK, 0);
                break;
            case 1:
                EXPECT_TRUE(::IsWindow(dlg.m_hWnd));
                ::SetWindowTextA(edit, "C:\\user");
                ::PostMessageA(dlg.m_hWnd, WM_COMMAND, IDOK, 0);
                break;
            default:
                dlg.EndDialog(-3);
                break;
            }
        });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_STREQ(dlg.GetPathName(), "C:\\user.pac");
    EXPECT_STREQ(dlg.GetFileTitle(), "user");
}

} // namespace
