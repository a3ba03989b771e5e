// The 802.1X sheet's check of the record, each message with the page it makes active, and what
// collecting takes from each page.

#include "tests/client/dot1x/Dot1xFixture.h"

#include <functional>

namespace
{

using dot1x_test::Dot1xTest;
using dot1x_test::Record;
namespace automation = platform::automation;

const char kIdentity[] = "Identity required in authentication setting!";
const char kTunnelBoth[] =
    "Tunneled identity and password required for FAST, TTLS or PEAP authentication!";
const char kTunnelId[] = "Tunneled identity required for PEAP authentication!";
const char kMd5[] = "Password required for MD5 authentication!";
const char kClientCert[] = "Please select a client certificate to use!";
const char kServerId[] = "Server Identity required for TLS/TTLS/PEAP server verification!";
const char kDomain[] = "Invalid domain name";

class Dot1xSheetTest : public Dot1xTest
{
};

TEST_F(Dot1xSheetTest, EachRefusalShowsItsMessageOnItsPage)
{
    auto tunnel = [](Dot1xSettings& d, const char* id, const char* password)
    {
        d.strTunnelID = id;
        d.strTunnelPassword = password;
    };
    auto server = [](Dot1xSettings& d, const char* name, int rule)
    {
        d.bUseServerCert = 1;
        d.strServerName = name;
        d.nNameRule = rule;
    };
    struct Case
    {
        const char* what;
        std::function<void(Dot1xSettings&)> edit;
        const char* message; // null: accepted
        int page;
        BOOL wpa = FALSE;
        bool certificate = false; // a client certificate chosen
    } cases[] = {
        {"no identity, before anything else",
         [](Dot1xSettings& d)
         {
             d.nAuthenProtocol = DOT1X_METHOD_TTLS;
             d.strID.Empty();
         },
         kIdentity, 0},
        {"PEAP with MS-CHAP v2 and no tunnel password",
         [&](Dot1xSettings& d) { tunnel(d, "in", ""); }, kTunnelBoth, 0},
        {"TTLS always needs both tunnel fields",
         [&](Dot1xSettings& d)
         {
             d.nAuthenProtocol = DOT1X_METHOD_TTLS;
             tunnel(d, "", "secret");
         },
         kTunnelBoth, 0},
        {"PEAP with EAP-TLS needs the tunnel identity",
         [](Dot1xSettings& d) { d.nTunnelProtocol = 13; }, kTunnelId, 0},
        {"PEAP with EAP-TLS uses a client certificate",
         [&](Dot1xSettings& d)
         {
             d.nTunnelProtocol = 13;
             tunnel(d, "in", "");
         },
         kClientCert, 0},
        {"token card without the tunnel identity", [](Dot1xSettings& d) { d.nTunnelProtocol = 6; },
         kTunnelId, 0},
        {"token card with a static password needs it",
         [&](Dot1xSettings& d)
         {
             d.nTunnelProtocol = 6;
             tunnel(d, "in", "");
         },
         kTunnelBoth, 0},
        {"token card with a soft token needs only the identity",
         [&](Dot1xSettings& d)
         {
             d.nTunnelProtocol = 6;
             d.nPasswordMode = 0;
             tunnel(d, "in", "");
         },
         nullptr, 0},
        {"FAST provisions through MS-CHAP v2",
         [&](Dot1xSettings& d)
         {
             d.nAuthenProtocol = DOT1X_METHOD_FAST;
             d.nTunnelProtocol = 13;
             d.nProvisioningTunnel = 26;
             tunnel(d, "in", "");
         },
         kTunnelBoth, 0},
        {"MD5-Challenge without its password",
         [](Dot1xSettings& d) { d.nAuthenProtocol = DOT1X_METHOD_MD5; }, kMd5, 0},
        {"MD5-Challenge opens as PEAP in WPA mode",
         [](Dot1xSettings& d) { d.nAuthenProtocol = DOT1X_METHOD_MD5; }, kTunnelBoth, 0, TRUE},
        {"TLS without a chosen certificate",
         [](Dot1xSettings& d) { d.nAuthenProtocol = DOT1X_METHOD_TLS; }, kClientCert, 0},
        {"TLS with a chosen certificate",
         [](Dot1xSettings& d) { d.nAuthenProtocol = DOT1X_METHOD_TLS; }, nullptr, 0, FALSE, true},
        {"server validation without a name",
         [&](Dot1xSettings& d)
         {
             tunnel(d, "in", "pw");
             server(d, "", 0);
         },
         kServerId, 1},
        {"a name of blanks is none",
         [&](Dot1xSettings& d)
         {
             tunnel(d, "in", "pw");
             server(d, "   ", 1);
         },
         kServerId, 1},
        {"domain rule, no dot",
         [&](Dot1xSettings& d)
         {
             tunnel(d, "in", "pw");
             server(d, "quarry", 1);
         },
         kDomain, 1},
        {"domain rule, the dot first",
         [&](Dot1xSettings& d)
         {
             tunnel(d, "in", "pw");
             server(d, ".quarry.example", 1);
         },
         kDomain, 1},
        {"domain rule, the first dot last",
         [&](Dot1xSettings& d)
         {
             tunnel(d, "in", "pw");
             server(d, "quarry.", 1);
         },
         kDomain, 1},
        {"domain rule, a dot inside",
         [&](Dot1xSettings& d)
         {
             tunnel(d, "in", "pw");
             server(d, "radius.quarry", 1);
         },
         nullptr, 0},
        {"exact rule, any name",
         [&](Dot1xSettings& d)
         {
             tunnel(d, "in", "pw");
             server(d, "quarry", 0);
         },
         nullptr, 0},
    };
    for (const Case& c : cases)
    {
        Dot1xSettings record = Record();
        c.edit(record);
        Open(record, c.wpa);
        if (c.certificate)
            auth().SetDlgItemText(IDC_DA_ISSUED_TO, "Issued To : Owner");
        boxes();
        const BOOL ok = sheet->CollectDot1xSettings();
        platform::PumpUntilIdle();
        std::vector<std::string> shown = boxes();
        if (c.message == nullptr)
        {
            EXPECT_TRUE(ok) << c.what;
            EXPECT_TRUE(shown.empty()) << c.what << ": " << (shown.empty() ? "" : shown[0]);
        }
        else
        {
            EXPECT_FALSE(ok) << c.what;
            EXPECT_EQ(shown, std::vector<std::string>{c.message}) << c.what;
        }
        EXPECT_EQ(sheet->GetActiveIndex(), c.page) << c.what;
    }
}

TEST_F(Dot1xSheetTest, CollectingTakesEachPagesShareAndTrimsTheServerName)
{
    Dot1xSettings record = Record();
    record.strTunnelID = "in";
    record.strTunnelPassword = "pw";
    record.bUseServerCert = 1;
    record.strServerName = "  radius.quarry  ";
    record.bIntermediateCert = 1;
    record.nNameRule = 1;
    record.nReserved1 = 7;
    Open(record);
    // A certificate chosen on the page travels with the record.
    auth().m_ClientCert.cbHash = 3;
    auth().m_ClientCert.abHash[2] = 0xAB;
    ASSERT_TRUE(sheet->CollectDot1xSettings());
    const Dot1xSettings& d = sheet->m_dot1x;
    EXPECT_EQ(std::string(d.strServerName), "radius.quarry");
    EXPECT_EQ(d.bIntermediateCert, 1);
    EXPECT_EQ(d.nNameRule, 1);
    EXPECT_EQ(d.nReserved1, 7);
    EXPECT_EQ(d.nClientCertHashLen, 3);
    EXPECT_EQ(d.abClientCertHash[2], 0xAB);

    // Validation switched off on the CA Server page clears what only it uses.
    ASSERT_TRUE(automation::SelectPage(sheet->m_hWnd, "CA Server"));
    ASSERT_TRUE(automation::Click(caWnd(), std::to_string(IDC_CA_CHAIN_CHECK)));
    ASSERT_TRUE(sheet->CollectDot1xSettings());
    EXPECT_EQ(d.bUseServerCert, 0);
    EXPECT_EQ(std::string(d.strServerName), "");
    EXPECT_EQ(d.bIntermediateCert, 0);
    EXPECT_EQ(d.nNameRule, 0);
    EXPECT_TRUE(boxes().empty());
}

} // namespace
