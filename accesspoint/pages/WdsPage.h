#pragma once
// The "WDS" page: links to up to three other access points (wireless distribution system): the
// switch, the peers' MAC addresses, and APPLY, which stores them in "ApDefault" and sends them to
// the driver. The sheet holds it but never keeps it among its pages.

#include "controls/SmartEdit.h"
#include "platform/Windows.h"
#include "resources/TessarynAp/resource.h"

#define WDS_MAX_PEERS 3

class CWdsPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CWdsPage)
public:
    CWdsPage();
    virtual ~CWdsPage();

    enum
    {
        IDD = IDD_WDS_PAGE
    };

    int m_nWdsEnable; // the radio's position: 0 Enable, 1 Disable
    CString m_strMac;
    CString m_strModifyMac;
    CListBox m_listPeers;
    CSmartEdit m_editMac;
    CSmartEdit m_editModify;

    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();
    virtual void OnCancel();

    // The 60-byte record APPLY sends: the listed peers while WDS is on, with the key of the last
    // applied passphrase when the last applied authentication is a WPA-PSK one.
    void BuildWdsRecord(BYTE* pRecord) const;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();

    void LoadWdsSettings();
    void UpdateEnableState();
    void EndInPlaceEdit();
    // The typed address checked as ADD and MODIFY check it; the listed form on success.
    BOOL CheckMac(const CString& strTyped, CString& strListed);

    afx_msg void OnWdsRadio();
    afx_msg void OnAdd();
    afx_msg void OnDelete();
    afx_msg void OnRemoveAll();
    afx_msg void OnListDoubleClick();
    afx_msg void OnModify();
    afx_msg void OnCancelModify();
    afx_msg void OnApplyButton();
    DECLARE_MESSAGE_MAP()
};
