#pragma once
// The profile editor: a modal sheet of the System Configuration and the Authentication and
// Security pages for one connection profile. OK checks the input and writes the profile's
// section; the sheet has no Apply button, so one run saves at most once.

#include "client/profiles/AuthSecuPage.h"
#include "client/profiles/SysConfigPage.h"
#include "platform/Windows.h"

class CProfileSheet : public CPropertySheet
{
    DECLARE_DYNAMIC(CProfileSheet)
public:
    CProfileSheet(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    CProfileSheet(LPCSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    virtual ~CProfileSheet();

    CSysConfigPage m_SysConfigPage;
    CAuthSecuPage m_AuthSecuPage;
    CString m_strOpeningName; // the name given to SetupProfile: a change of name is detected by it
    BYTE m_bNewProfile;
    BYTE m_bSaved; // the section has been written in this run

    // Prepares the pages before DoModal: a new profile from the given values, an existing one
    // from its stored section.
    void SetupProfile(LPCSTR pszName, LPCSTR pszSsid, int nEncryption, int nAuthMode,
                      int bNewProfile, int nNetworkType, int nChannel);
    // Checks the input and writes the section; 1 when saved, 0 when a check failed (the sheet
    // then shows the page to correct).
    int ApplyProfile();
    int ValidateSecurity();
    // 0 when a section of exactly that name exists, else 1.
    int ProfileNameExists(LPCSTR pszName);

    // The section of m_SysConfigPage.m_strProfileName from and to both pages (ProfileStore.cpp).
    int SaveProfile();
    int LoadProfile();

protected:
    void AddProfilePages();
    // Switches to the page and shows the message with the error icon.
    void RefuseOnPage(CPropertyPage* pPage, UINT nIDPrompt);

    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    afx_msg void OnHelp();
    DECLARE_MESSAGE_MAP()
};
