#pragma once
// The "Access Control" page: which stations may join, by MAC address. A policy (Disable,
// "Allow All" listed, "Reject All" listed) and a list of at most 32 addresses, loaded from the
// driver key; APPLY stores both in "ApDefault", copies it into the driver key and sends the list
// to the driver. A row is changed in place after a double click.

#include "controls/SmartEdit.h"
#include "platform/Windows.h"
#include "resources/TessarynAp/resource.h"

#define AP_ACCESS_LIST_MAX 32

// A typed address: 0 when it is 12 hexadecimal digits of a single station, else the string id
// of the refusal ("Invalid MAC", "Multicast MAC Not Accepted").
UINT CheckTypedMac(LPCSTR pszTyped);
// The 12 digits shown as six pairs joined by "-" (a shorter text gets the dashes it has room
// for); and back.
CString ListedMacText(LPCSTR pszTyped);
CString TypedMacText(LPCSTR pszListed);

class CAccessControlPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CAccessControlPage)
public:
    CAccessControlPage();
    virtual ~CAccessControlPage();

    enum
    {
        IDD = IDD_ACCESSCONTROL_PAGE
    };

    int m_nPolicy; // 0 Disable, 1 Allow All, 2 Reject All
    CString m_strMac;
    CString m_strModifyMac;
    CString m_strPolicyLabel;
    CString m_strListLabel;
    CString m_strMacLabel;

    virtual BOOL OnInitDialog();
    virtual BOOL OnKillActive();
    virtual void OnCancel();

    afx_msg void OnSelchangePolicy();
    afx_msg void OnAdd();
    afx_msg void OnDelete();
    afx_msg void OnRemoveAll();
    afx_msg void OnDblclkList();
    afx_msg void OnModify();
    afx_msg void OnCancelModify();
    afx_msg void OnApplyButton();

protected:
    CComboBox m_cbPolicy;
    CListBox m_lbMacList;
    CSmartEdit m_editMac;
    CSmartEdit m_editModifyMac;

    virtual void DoDataExchange(CDataExchange* pDX);

    // The policy and list from the driver key itself.
    void LoadAccessControl();
    // The list controls by the policy; ADD also by the room left.
    void SetEnableState();
    void EnableControl(int nID, BOOL bEnable);
    // The rows as stored: 12 digits each, in list order.
    void ListedEntries(CStringArray& entries) const;
    // Refuses an address with its message: FALSE when it may not be listed.
    BOOL AcceptMac(LPCSTR pszTyped);
    void EndModify();

    DECLARE_MESSAGE_MAP()
};
