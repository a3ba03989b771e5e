// The one-time-password dialog: the identity always, the password unless only the identity is
// asked for.

#include "client/profiles/PeapSettingDlg.h"
#include "tests/client/dot1x/Dot1xFixture.h"

namespace
{

using dot1x_test::Dot1xTest;
namespace automation = platform::automation;

class PeapSettingDlgTest : public Dot1xTest
{
};

TEST_F(PeapSettingDlgTest, OkNeedsTheIdentityAndUnlessIdentityOnlyThePassword)
{
    struct Case
    {
        BOOL identityOnly;
        const char* id;
        const char* password;
        const char* message; // null: the dialog ends with OK
    } cases[] = {
        {FALSE, "", "pw", "Must input Identity"},
        {FALSE, "me", "", "Must input Password"},
        {FALSE, "me", "pw", nullptr},
        {TRUE, "", "", "Must input Identity"},
        {TRUE, "me", "", nullptr},
    };
    for (const Case& c : cases)
    {
        CPeapSettingDlg dlg;
        dlg.m_bIdentityOnly = c.identityOnly;
        INT_PTR result = 0;
        withWindow(
            "Peap Setting - One Time Password", [&] { result = dlg.DoModal(); },
            [&](HWND hDlg)
            {
                EXPECT_EQ(Enabled(dlg, IDC_PEAP_PASSWORD_EDIT), !c.identityOnly);
                EXPECT_EQ(Enabled(dlg, IDC_PEAP_PASSWORD_LABEL), !c.identityOnly);
                dlg.SetDlgItemText(IDC_PEAP_ID_EDIT, c.id);
                dlg.SetDlgItemText(IDC_PEAP_PASSWORD_EDIT, c.password);
                dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                if (c.message != nullptr) // refused: the dialog is still up
                    dlg.EndDialog(IDCANCEL);
            });
        std::vector<std::string> shown = boxes();
        if (c.message == nullptr)
        {
            EXPECT_EQ(result, IDOK) << c.id << "/" << c.password;
            EXPECT_TRUE(shown.empty());
            EXPECT_EQ(std::string(dlg.m_strTunnelID), c.id);
        }
        else
        {
            EXPECT_EQ(result, IDCANCEL);
            EXPECT_EQ(shown, std::vector<std::string>{c.message});
        }
    }
}

} // namespace
