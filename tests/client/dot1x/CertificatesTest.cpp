// Certificates on the 802.1X pages over the machine's generated stores: the issuer list of the
// CA Server page and the issuer stored, the selection dialog, and the client certificate found
// by its thumbprint.

#include "client/profiles/SelCertDlg.h"
#include "machine/certs/CertificateMaker.h"
#include "tests/client/dot1x/Dot1xFixture.h"

namespace
{

using dot1x_test::Bytes;
using dot1x_test::Dot1xTest;
using dot1x_test::Record;
using dot1x_test::Thumbprints;
namespace automation = platform::automation;
namespace certs = machine::certs;
using Texts = std::vector<std::string>;

const char kAny[] = "- Any Trusted CA -";

class CertificatesTest : public Dot1xTest
{
protected:
    // A PEAP record that passes its check, validating the server.
    static Dot1xSettings Validating()
    {
        Dot1xSettings d = Record();
        d.strTunnelID = "in";
        d.strTunnelPassword = "pw";
        d.bUseServerCert = 1;
        d.strServerName = "radius.quarry";
        return d;
    }
    void showCaPage(const Dot1xSettings& record)
    {
        Open(record);
        ASSERT_TRUE(automation::SelectPage(sheet->m_hWnd, "CA Server"));
    }
    std::vector<BYTE> storedIssuer()
    {
        CertDesc desc = GetCaCertDesc();
        EXPECT_EQ(Bytes(desc.abHash, desc.cbHash), Bytes(g_pServerCertData, g_nServerCertLen));
        return Bytes(desc.abHash, desc.cbHash);
    }
    const machine::Machine& m() { return m_machine.machine(); }
};

TEST_F(CertificatesTest, TheIssuerChosenIsTheOneStoredOfTwoWithOneSubject)
{
    // The unnamed root between the two: the list holds only named ones, and the issuer list
    // stays aligned with it.
    auto roots = certs::StoreContents(m(), "ROOT");
    ASSERT_EQ(roots.size(), 3u);
    ASSERT_EQ(certs::ClearStore(m(), "ROOT"), 0u);
    for (int i : {0, 2, 1})
        ASSERT_EQ(certs::AddCertificate(m(), "ROOT", roots[i].der, roots[i].friendlyName), 0u);
    const std::vector<BYTE> renewed(roots[1].thumbprint.begin(), roots[1].thumbprint.end());

    showCaPage(Validating());
    EXPECT_EQ(Entries(ca().m_cbIssuer),
              (Texts{kAny, "Quarry Corp Root CA", "Quarry Corp Root CA"}));
    ASSERT_EQ(ca().m_RootCertList.GetSize(), 2);
    EXPECT_EQ(Selected(ca().m_cbIssuer), kAny);
    ASSERT_TRUE(automation::SelectEntry(caWnd(), std::to_string(IDC_CA_ISSUER_COMBO), "#2"));
    ASSERT_TRUE(sheet->PressButton(PSBTN_OK));
    platform::PumpUntilIdle();
    EXPECT_EQ(sheet->m_hWnd, 0u);
    EXPECT_EQ(storedIssuer(), renewed);
    EXPECT_EQ(std::string(GetCaCertDesc().szIssuedTo), "Quarry Corp Root CA");

    // Opened again with the chain set, the stored issuer is the one selected.
    showCaPage(Validating());
    EXPECT_EQ(ca().m_cbIssuer.GetCurSel(), 2);
    // "- Any Trusted CA -" keeps it.
    ASSERT_TRUE(automation::SelectEntry(caWnd(), std::to_string(IDC_CA_ISSUER_COMBO), "#0"));
    ASSERT_TRUE(sheet->PressButton(PSBTN_OK));
    platform::PumpUntilIdle();
    EXPECT_EQ(storedIssuer(), renewed);

    // Without the chain no issuer is preselected.
    Dot1xSettings plain = Validating();
    plain.bUseServerCert = 0;
    showCaPage(plain);
    EXPECT_EQ(ca().m_cbIssuer.GetCurSel(), 0);
}

TEST_F(CertificatesTest, AFailedCheckThenCancelKeepsTheStoredIssuer)
{
    Dot1xSettings record = Validating();
    record.strServerName.Empty();
    showCaPage(record);
    ASSERT_TRUE(automation::SelectEntry(caWnd(), std::to_string(IDC_CA_ISSUER_COMBO), "#1"));
    ASSERT_TRUE(sheet->PressButton(PSBTN_OK));
    platform::PumpUntilIdle();
    EXPECT_EQ(boxes(), Texts{"Server Identity required for TLS/TTLS/PEAP server verification!"});
    ASSERT_NE(sheet->m_hWnd, 0u); // kept open on the CA Server page
    EXPECT_EQ(sheet->GetActiveIndex(), 1);
    ASSERT_TRUE(sheet->PressButton(PSBTN_CANCEL));
    platform::PumpUntilIdle();
    EXPECT_TRUE(storedIssuer().empty());
}

TEST_F(CertificatesTest, AnEmptyOrFailingRootStoreLeavesAnyTrustedCaAlone)
{
    ASSERT_EQ(certs::ClearStore(m(), "ROOT"), 0u);
    showCaPage(Validating());
    EXPECT_EQ(Entries(ca().m_cbIssuer), Texts{kAny});

    certs::SetStoreFailure(m(), "ROOT", ERROR_ACCESS_DENIED);
    showCaPage(Validating());
    EXPECT_EQ(Entries(ca().m_cbIssuer), Texts{kAny});
    EXPECT_EQ(ca().m_RootCertList.GetSize(), 0);
}

TEST_F(CertificatesTest, TheClientCertificateIsFoundByItsThumbprintOnly)
{
    std::vector<BYTE> mine = Thumbprints("MY").at(0);
    PCCERT_CONTEXT pCert = FindClientCertificate(20, mine.data());
    ASSERT_NE(pCert, nullptr);
    CertDesc desc;
    MakeCertDesc(pCert, &desc);
    EXPECT_EQ(std::string(desc.szIssuedTo), "Owner");
    EXPECT_EQ(std::string(desc.szIssuedBy), "Quarry Corp Root CA");
    EXPECT_EQ(std::string(desc.szExpiredOn), "3/1/2034");
    EXPECT_EQ(std::string(desc.szFriendlyName), "Quarry Corp Owner");
    EXPECT_EQ(desc.cbFriendlyName, 17u);
    EXPECT_EQ(Bytes(desc.abHash, desc.cbHash), mine);
    CertFreeCertificateContext(pCert);
    EXPECT_EQ(platform::crypt::LiveCertificateStores(), 0u);

    mine[0] ^= 1;
    EXPECT_EQ(FindClientCertificate(20, mine.data()), nullptr);
    // No hash: the store is not even opened (it would fail here).
    certs::SetStoreFailure(m(), "MY", 1234);
    SetLastError(0);
    EXPECT_EQ(FindClientCertificate(0, mine.data()), nullptr);
    EXPECT_EQ(FindClientCertificate(20, NULL), nullptr);
    EXPECT_EQ(GetLastError(), 0u);
    EXPECT_EQ(FindClientCertificate(20, mine.data()), nullptr);
    EXPECT_EQ(GetLastError(), 1234u);
}

TEST_F(CertificatesTest, ASubjectlessCertificateIsNeverListedAndTextsAreCut)
{
    certs::CertificateFields fields;
    fields.notAfter = 2000000000;
    auto unnamed = certs::MadeCertificate::SelfSigned(fields);
    fields.commonName = std::string(300, 'n');
    auto longName = certs::MadeCertificate::SelfSigned(fields);
    ASSERT_TRUE(unnamed && longName);
    ASSERT_EQ(certs::AddCertificate(m(), "CA", unnamed->der(), std::string(400, 'f')), 0u);
    ASSERT_EQ(certs::AddCertificate(m(), "CA", longName->der(), std::string(400, 'f')), 0u);
    CCertDescArray list;
    AppendStoreCertDescs("CA", list);
    ASSERT_EQ(list.GetSize(), 1);
    EXPECT_EQ(strlen(list[0].szIssuedTo), 255u);
    EXPECT_EQ(list[0].cbFriendlyName, 255u);
}

TEST_F(CertificatesTest, TheSelectionDialogListsChoosesAndPreselects)
{
    Open(Record(DOT1X_METHOD_TLS));
    auto more = [&] { automation::Click(authWnd(), std::to_string(IDC_DA_MORE)); };
    withWindow(
        "Certificate Selection", more,
        [&](HWND hDlg)
        {
            auto drawn = automation::Describe(hDlg);
            ASSERT_TRUE(drawn);
            CSelCertDlg& dlg = g_SelCertDlg;
            CRect rect;
            dlg.m_listCert.GetWindowRect(&rect);
            EXPECT_EQ(dlg.m_listCert.GetColumnWidth(0), static_cast<int>(rect.Width() / 10 * 2.5));
            ASSERT_EQ(dlg.m_listCert.GetItemCount(), 1);
            Texts row;
            for (int i = 0; i < 4; i++)
                row.push_back(std::string(dlg.m_listCert.GetItemText(0, i)));
            EXPECT_EQ(row,
                      (Texts{"Owner", "Quarry Corp Root CA", "3/1/2034", "Quarry Corp Owner"}));
            // Nothing preselected for a page without a choice; OK alone does nothing.
            EXPECT_EQ(dlg.m_listCert.GetNextItem(-1, LVNI_SELECTED), -1);
            dlg.OnOK();
            EXPECT_TRUE(IsWindow(hDlg));
            ASSERT_TRUE(automation::PickRow(hDlg, std::to_string(IDC_SELCERT_LIST), 0, false));
            ASSERT_TRUE(automation::Click(hDlg, "OK"));
        });
    EXPECT_EQ(text(auth(), IDC_DA_ISSUED_TO), "Issued To : Owner");
    EXPECT_EQ(text(auth(), IDC_DA_ISSUED_BY), "Issued By : Quarry Corp Root CA");
    EXPECT_EQ(text(auth(), IDC_DA_EXPIRED_ON), "Expired On : 3/1/2034");
    EXPECT_EQ(text(auth(), IDC_DA_FRIENDLY_NAME), "Friendly Name : Quarry Corp Owner");
    EXPECT_EQ(g_SelCertDlg.m_CertDescList.GetSize(), 0); // emptied; the output is whole still
    EXPECT_EQ(Bytes(g_SelCertDlg.m_OutputDesc.abHash, g_SelCertDlg.m_OutputDesc.cbHash),
              Thumbprints("MY").at(0));

    // Once chosen, the next run preselects it; Cancel keeps the choice.
    withWindow("Certificate Selection", more,
               [&](HWND hDlg)
               {
                   EXPECT_TRUE(g_SelCertDlg.m_bPreselect);
                   EXPECT_EQ(g_SelCertDlg.m_listCert.GetNextItem(-1, LVNI_SELECTED), 0);
                   ASSERT_TRUE(automation::Click(hDlg, "Cancel"));
               });
    EXPECT_EQ(text(auth(), IDC_DA_ISSUED_TO), "Issued To : Owner");

    // With the flag clear nothing is selected, even the input's match.
    ASSERT_TRUE(auth().SaveToRecord(TRUE));
    EXPECT_EQ(Bytes(auth().m_dot1x.abClientCertHash, auth().m_dot1x.nClientCertHashLen),
              Thumbprints("MY").at(0));
    g_SelCertDlg.m_InputDesc = g_SelCertDlg.m_OutputDesc;
    g_SelCertDlg.m_bPreselect = FALSE;
    withWindow(
        "Certificate Selection", [&] { g_SelCertDlg.DoModal(); },
        [&](HWND hDlg)
        {
            EXPECT_EQ(g_SelCertDlg.m_listCert.GetNextItem(-1, LVNI_SELECTED), -1);
            ASSERT_TRUE(automation::Click(hDlg, "Cancel"));
        });

    // A store that does not open lists nothing.
    certs::SetStoreFailure(m(), "MY", ERROR_ACCESS_DENIED);
    withWindow(
        "Certificate Selection", [&] { g_SelCertDlg.DoModal(); },
        [&](HWND hDlg)
        {
            EXPECT_EQ(g_SelCertDlg.m_listCert.GetItemCount(), 0);
            ASSERT_TRUE(automation::Click(hDlg, "Cancel"));
        });
}

} // namespace
