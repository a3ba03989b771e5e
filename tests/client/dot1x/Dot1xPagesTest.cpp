// The 802.1X pages' controls by method and inner method, the method list in and out of WPA mode,
// and the CA Server page following the server-validation flag.

#include "tests/client/dot1x/Dot1xFixture.h"

namespace
{

using dot1x_test::Dot1xTest;
using dot1x_test::Record;
namespace automation = platform::automation;
using Texts = std::vector<std::string>;

class Dot1xPagesTest : public Dot1xTest
{
protected:
    bool on(CWnd& page, int nID) { return Enabled(page, nID); }
    void select(HWND page, int nID, const char* entry)
    {
        ASSERT_TRUE(automation::SelectEntry(page, std::to_string(nID), entry)) << entry;
    }
};

TEST_F(Dot1xPagesTest, ControlsFollowTheMethodAndTheInnerMethod)
{
    struct Case
    {
        const char* method;
        const char* inner; // null: no inner list
        bool softToken;
        // password, certificate check, client certificate used, tunnel identity, tunnel
        // password, password mode shown, "More..", server validation
        bool password, certCheck, useCert, tunnelId, tunnelPassword, passwordMode, more, validate;
        Texts innerList;
    };
    const Texts peap = {"EAP-MSCHAP v2", "EAP-TLS/Smart card", "Generic Token Card"};
    const Case cases[] = {
        {"TLS/Smart Card", nullptr, false, false, false, true, false, false, false, true, true, {}},
        {"Md5-Challenge",
         nullptr,
         false,
         true,
         false,
         false,
         false,
         false,
         false,
         false,
         false,
         {}},
        {"PEAP", "EAP-MSCHAP v2", false, false, true, false, true, true, false, false, true, peap},
        {"PEAP", "EAP-TLS/Smart card", false, false, false, true, true, false, false, true, true,
         peap},
        {"PEAP", "Generic Token Card", false, false, true, false, true, true, true, false, true,
         peap},
        {"PEAP", "Generic Token Card", true, false, true, false, true, false, true, false, true,
         peap},
        {"TTLS",
         "PAP",
         false,
         false,
         true,
         false,
         true,
         true,
         false,
         false,
         true,
         {"CHAP", "MS-CHAP", "MS-CHAP-V2", "PAP", "EAP-MD5"}},
    };
    for (const Case& c : cases)
    {
        const std::string what = std::string(c.method) + " " + (c.inner ? c.inner : "") +
                                 (c.softToken ? " soft token" : "");
        Open(Record());
        select(authWnd(), IDC_DA_METHOD_COMBO, c.method);
        if (c.inner != nullptr)
            select(authWnd(), IDC_DA_PROTOCOL_COMBO, c.inner);
        if (c.softToken)
        {
            ASSERT_TRUE(automation::Click(authWnd(), std::to_string(IDC_DA_SOFT_TOKEN_RADIO)));
        }
        C8021xAuthPage& p = auth();
        EXPECT_EQ(on(p, IDC_DA_PASSWORD_EDIT), c.password) << what;
        EXPECT_EQ(on(p, IDC_DA_CLIENT_CERT_CHECK), c.certCheck) << what;
        EXPECT_EQ(p.IsDlgButtonChecked(IDC_DA_CLIENT_CERT_CHECK) != 0, c.useCert) << what;
        EXPECT_EQ(on(p, IDC_DA_TUNNEL_ID_EDIT), c.tunnelId) << what;
        EXPECT_EQ(on(p, IDC_DA_PROTOCOL_COMBO), c.tunnelId) << what;
        EXPECT_EQ(on(p, IDC_DA_TUNNEL_PASSWORD_EDIT), c.tunnelPassword) << what;
        EXPECT_EQ(Visible(p, IDC_DA_SOFT_TOKEN_RADIO), c.passwordMode) << what;
        EXPECT_EQ(on(p, IDC_DA_MORE), c.more) << what;
        // The lines follow the check on a change of method; a change of inner method moves
        // "More.." alone.
        EXPECT_EQ(on(p, IDC_DA_ISSUED_TO), c.useCert && c.inner == nullptr) << what;
        EXPECT_EQ(sheet->m_bValidateServer != 0, c.validate) << what;
        EXPECT_EQ(Entries(p.m_cbInnerType), c.innerList) << what;
        EXPECT_FALSE(on(p, IDC_DA_USE_PAC_CHECK)) << what; // FAST alone has PAC
        EXPECT_FALSE(on(p, IDC_DA_PROVISION_COMBO)) << what;

        // The CA Server page follows the flag; its controls follow its check.
        ASSERT_TRUE(automation::SelectPage(sheet->m_hWnd, "CA Server"));
        C8021xCaServerPage& ca = this->ca();
        EXPECT_EQ(on(ca, IDC_CA_CHAIN_CHECK), c.validate) << what;
        EXPECT_FALSE(ca.IsDlgButtonChecked(IDC_CA_CHAIN_CHECK)) << what;
        EXPECT_FALSE(on(ca, IDC_CA_ISSUER_COMBO)) << what;
        if (c.validate)
        {
            ASSERT_TRUE(automation::Click(caWnd(), std::to_string(IDC_CA_CHAIN_CHECK)));
            for (int nID : {IDC_CA_ISSUER_COMBO, IDC_CA_INTERMEDIATE_CHECK, IDC_CA_SERVER_NAME_EDIT,
                            IDC_CA_EXACT_RADIO, IDC_CA_DOMAIN_RADIO})
                EXPECT_TRUE(on(ca, nID)) << what << " " << nID;
        }
    }
}

TEST_F(Dot1xPagesTest, Md5ClearsAndDisablesTheCertificateChain)
{
    Dot1xSettings record = Record();
    record.bUseServerCert = 1;
    record.strServerName = "radius.quarry";
    Open(record);
    ASSERT_TRUE(automation::SelectPage(sheet->m_hWnd, "CA Server"));
    EXPECT_TRUE(ca().IsDlgButtonChecked(IDC_CA_CHAIN_CHECK));
    EXPECT_EQ(text(ca(), IDC_CA_SERVER_NAME_EDIT), "radius.quarry");
    ASSERT_TRUE(automation::SelectPage(sheet->m_hWnd, "Certification"));
    select(authWnd(), IDC_DA_METHOD_COMBO, "Md5-Challenge");
    ASSERT_TRUE(automation::SelectPage(sheet->m_hWnd, "CA Server"));
    EXPECT_FALSE(ca().IsDlgButtonChecked(IDC_CA_CHAIN_CHECK));
    EXPECT_FALSE(on(ca(), IDC_CA_CHAIN_CHECK));
    EXPECT_FALSE(on(ca(), IDC_CA_SERVER_NAME_EDIT));
    EXPECT_EQ(ca().m_dot1x.bUseServerCert, 0);
}

TEST_F(Dot1xPagesTest, MethodListInAndOutOfWpaModeAndAMethodWithoutEntry)
{
    Open(Record(DOT1X_METHOD_MD5));
    EXPECT_EQ(Entries(auth().m_cbMethod),
              (Texts{"PEAP", "TLS/Smart Card", "TTLS", "Md5-Challenge"}));
    EXPECT_EQ(Selected(auth().m_cbMethod), "Md5-Challenge");
    auto resumption = automation::Describe(auth().GetDlgItem(IDC_DA_RESUME_COMBO)->m_hWnd);
    ASSERT_TRUE(resumption);
    EXPECT_EQ(resumption->items, (Texts{"Disabled", "Enabled"}));

    Open(Record(DOT1X_METHOD_MD5), TRUE);
    EXPECT_EQ(Entries(auth().m_cbMethod), (Texts{"PEAP", "TLS/Smart Card", "TTLS"}));
    EXPECT_EQ(Selected(auth().m_cbMethod), "PEAP");

    // FAST has no entry: the page keeps it, with its PAC and provisioning controls.
    Dot1xSettings fast = Record(DOT1X_METHOD_FAST);
    fast.nProvisioningTunnel = 6;
    Open(fast);
    EXPECT_EQ(Selected(auth().m_cbMethod), "<none>");
    ASSERT_TRUE(auth().SaveToRecord(TRUE));
    EXPECT_EQ(auth().m_dot1x.nAuthenProtocol, DOT1X_METHOD_FAST);
    EXPECT_TRUE(on(auth(), IDC_DA_USE_PAC_CHECK));
    EXPECT_TRUE(on(auth(), IDC_DA_PROVISION_COMBO));
    EXPECT_EQ(Selected(auth().m_cbProvisioning), "Generic Token Card");
    EXPECT_TRUE(Visible(auth(), IDC_DA_SOFT_TOKEN_RADIO));
}

TEST_F(Dot1xPagesTest, AStoredClientCertificateIsNotShownUntilOneIsPicked)
{
    // The profile names the store's client certificate: the lines still show none.
    auto mine = dot1x_test::Thumbprints("MY");
    ASSERT_EQ(mine.size(), 1u);
    SetCertDataLength(&g_pClientCertData, &g_nClientCertLen, 20);
    memcpy(g_pClientCertData, mine[0].data(), 20);
    Open(Record(DOT1X_METHOD_TLS));
    EXPECT_EQ(text(auth(), IDC_DA_ISSUED_TO), "Issued To : ");
    EXPECT_EQ(text(auth(), IDC_DA_ISSUED_BY), "Issued By : ");
    EXPECT_EQ(text(auth(), IDC_DA_EXPIRED_ON), "Expired On : ");
    EXPECT_EQ(text(auth(), IDC_DA_FRIENDLY_NAME), "Friendly Name : ");
    EXPECT_EQ(platform::crypt::LiveCertificateContexts(), 0u); // the one found was freed
}

} // namespace
