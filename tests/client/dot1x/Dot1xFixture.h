#pragma once
// The 802.1X sheet on a fresh machine with its default certificate stores: a modeless sheet
// opened on a record, the message boxes answered with OK as they come up, and the program-wide
// certificate values and the current profile copy restored afterwards.

#include "client/access/StationProfile.h"
#include "client/monitor/ActionQueue.h"
#include "client/monitor/ClientGlobals.h"
#include "client/profiles/CertSelections.h"
#include "client/profiles/Dot1xSheet.h"
#include "machine/certs/CertificateStore.h"
#include "platform/ui/automation/Actions.h"
#include "platform/ui/msgbox/MessageBox.h"
#include "tests/client/profilepages/PageHost.h"

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace dot1x_test
{

namespace automation = platform::automation;

// A record as the profile's owner makes it, with an identity.
inline Dot1xSettings Record(int nMethod = DOT1X_METHOD_PEAP)
{
    Dot1xSettings d;
    SetDot1xDefaults(d, 26);
    d.nAuthenProtocol = nMethod;
    d.strID = "owner";
    return d;
}

// The thumbprints of a store of the machine, in store order.
inline std::vector<std::vector<BYTE>> Thumbprints(const char* pszStore)
{
    std::vector<std::vector<BYTE>> out;
    for (const auto& c : machine::certs::StoreContents(machine::CurrentMachine(), pszStore))
        out.emplace_back(c.thumbprint.begin(), c.thumbprint.end());
    return out;
}

inline std::vector<BYTE> Bytes(const BYTE* p, int n)
{
    return p == NULL || n <= 0 ? std::vector<BYTE>{} : std::vector<BYTE>(p, p + n);
}

// Answers the message box that is up with OK; false when none is.
inline bool AnswerOpenBox()
{
    auto box = platform::FindOpenMessageBox();
    return box && platform::AnswerMessageBox(box->hwnd, IDOK);
}

class Dot1xTest : public profilepages::PageTest
{
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        platform::ClearMessageBoxLog();
        // Boxes are answered as they come up; the texts stay in the log.
        platform::SetIdleHook([] { AnswerOpenBox(); });
    }
    void TearDown() override
    {
        platform::SetIdleHook(nullptr);
        platform::SetFileDialogAnswer(nullptr);
        if (sheet && sheet->m_hWnd != 0)
            sheet->DestroyWindow();
        sheet.reset();
        if (g_pCurrentProfile != NULL)
        {
            FreeStationProfile(g_pCurrentProfile);
            g_pCurrentProfile = NULL;
        }
        ClearCertSelections();
        SetCertDataLength(&g_pClientCertData, &g_nClientCertLen, 0);
        PageTest::TearDown();
    }

    // The sheet, modeless, on the record as its owner pushes it.
    C8021xSheet& Open(const Dot1xSettings& record, BOOL bWpaMode = FALSE)
    {
        if (sheet && sheet->m_hWnd != 0)
            sheet->DestroyWindow();
        sheet = std::make_unique<C8021xSheet>("802.1x Setting");
        sheet->m_bWpaMode = bWpaMode;
        sheet->m_dot1x = record;
        sheet->PushDot1xSettings();
        EXPECT_TRUE(sheet->Create());
        platform::PumpUntilIdle();
        return *sheet;
    }
    C8021xAuthPage& auth() { return sheet->m_AuthPage; }
    C8021xCaServerPage& ca() { return sheet->m_CaServerPage; }
    HWND authWnd() { return sheet->m_AuthPage.m_hWnd; }
    HWND caWnd() { return sheet->m_CaServerPage.m_hWnd; }
    std::string text(CWnd& page, int nID)
    {
        CString s;
        page.GetDlgItemText(nID, s);
        return std::string(s);
    }
    // The texts of the boxes shown since the last call.
    std::vector<std::string> boxes()
    {
        std::vector<std::string> texts;
        for (const auto& box : platform::MessageBoxLog())
            texts.push_back(box.text);
        platform::ClearMessageBoxLog();
        return texts;
    }
    // Runs `act`, which opens a modal window of that title; `script` acts on it once it is up
    // (boxes that come up are answered OK), and must end it.
    void withWindow(const char* pszTitle, const std::function<void()>& act,
                    const std::function<void(HWND)>& script)
    {
        bool ran = false;
        platform::SetIdleHook(
            [&]
            {
                if (AnswerOpenBox())
                    return;
                HWND hWnd = FindWindowA(NULL, pszTitle);
                if (hWnd == 0 || ran)
                    return;
                ran = true;
                script(hWnd);
            });
        act();
        platform::SetIdleHook([] { AnswerOpenBox(); });
        EXPECT_TRUE(ran) << pszTitle << " did not come up";
    }
    // The current profile copy, with that PAC path.
    void currentProfile(const char* pszPacPath)
    {
        StationProfile p{};
        strncpy(p.PACFilePath, pszPacPath, sizeof p.PACFilePath - 1);
        CopyActionData(&g_pCurrentProfile, &p);
    }

    std::unique_ptr<C8021xSheet> sheet;
};

} // namespace dot1x_test
