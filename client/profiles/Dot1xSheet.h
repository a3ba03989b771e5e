#pragma once
// The 802.1X sheet: the Authentication page and the CA Server page over one Dot1xSettings
// record. Its owner sets the WPA-mode flag and the record, pushes it into the pages and runs the
// sheet; OK gathers the pages' records back into m_dot1x and keeps the sheet open, on the page
// to correct, while the record does not pass its check.

#include "client/profiles/Dot1xAuthPage.h"
#include "client/profiles/Dot1xCaServerPage.h"
#include "client/profiles/Dot1xSettings.h"
#include "platform/Windows.h"

class C8021xSheet : public CPropertySheet
{
    DECLARE_DYNAMIC(C8021xSheet)
public:
    C8021xSheet(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    C8021xSheet(LPCSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    virtual ~C8021xSheet();

    BOOL m_bValidateServer; // set by the Authentication page, read by the CA Server page
    BOOL m_bWpaMode;        // WPA or WPA2 in infrastructure
    C8021xAuthPage m_AuthPage;
    C8021xCaServerPage m_CaServerPage;
    Dot1xSettings m_dot1x;

    // m_dot1x into each page's record.
    void PushDot1xSettings();
    // The pages' records into m_dot1x, then the check; FALSE (with the page to correct made
    // active) when it fails.
    BOOL CollectDot1xSettings();
    // The page to show for the first check that fails (0 Authentication, 1 CA Server), with its
    // message; -1 when the record passes.
    int Validate8021xSettings();

    // The PAC path the current profile is to have; it gets it only when the sheet ends with OK
    // (CommitCurrentProfilePac, called by the owner then).
    void SetCurrentProfilePac(LPCSTR pszPath);
    void CommitCurrentProfilePac();

    BOOL OnInitDialog() override;

protected:
    void AddDot1xPages();

    BOOL m_bCurrentPacSet;
    CString m_strCurrentPac;

    DECLARE_MESSAGE_MAP()
};

// The 802.1X sheet the page is in; NULL when it is in none or in another sheet.
C8021xSheet* Dot1xSheetOf(const CPropertyPage* pPage);
