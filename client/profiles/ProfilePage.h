#pragma once
// The Profile page of the main sheet: the connection profiles of the adapter, with Add, Edit,
// Delete and Activate. Adding and editing run the profile editor modally.

#include "platform/Windows.h"
#include "resources/TessarynUI/resource.h"

class CProfilePage : public CPropertyPage
{
    DECLARE_DYNCREATE(CProfilePage)
public:
    CProfilePage();
    virtual ~CProfilePage();

    enum
    {
        IDD = IDD_PROFILE_PAGE
    };

    CString m_strCurProfile; // the active profile, empty when none
    CString m_strCurSsid;    // SSID of the row last activated
    CListCtrl m_ProfileList;
    CImageList m_ImageListLarge;
    CImageList m_ImageListSmall;
    UINT_PTR m_nTimerId;

    // Opens the editor for a new profile prefilled with these values; 1 when it was saved.
    int AddProfile(LPCSTR pszSsid, int nEncryption, int nAuthMode, int nNetworkType, int nChannel);
    // Makes the row's profile the active configuration and applies it; 0 when a registry key
    // fails to open (the profile is applied by then).
    int ActivateProfile(int nItem);
    void LoadProfileList();
    int InsertProfileRow(LPCSTR pszName, LPCSTR pszSsid, LPCSTR pszChannel, LPCSTR pszAuth,
                         LPCSTR pszEncryption, LPCSTR pszNetworkType);
    void SetProfileRowTexts(int nItem, LPCSTR pszSsid, LPCSTR pszChannel, LPCSTR pszAuth,
                            LPCSTR pszEncryption, LPCSTR pszNetworkType);
    BOOL IsCurrentProfileRow(int nItem);
    CString NextProfileName();

    virtual BOOL OnInitDialog();

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    // The selected row, or -1.
    int SelectedRow();
    void EnableRowButtons(BOOL bEnable);

    afx_msg void OnAddProfile();
    afx_msg void OnDeleteProfile();
    afx_msg void OnEditProfile();
    afx_msg void OnActivateProfile();
    afx_msg void OnDblclkProfileList(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnEditProfileState(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// The profile editor the Profile page opened last; NULL when none.
extern CPropertySheet* g_pProfileEditor;
// TRUE while that editor's window is open (its modal loop runs).
BOOL ProfileEditorOpen();
