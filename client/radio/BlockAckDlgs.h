#pragma once
// The 802.11n page's dialogs: the add dialog chooses a connected BSSID, a TID and a window-size
// limit for a new session; the delete dialog a peer of the page's sessions and, for a single
// session, its TID. They only collect the choice; the page sends the request.

#include "adapter/blockack/BlockAckPage.h"
#include "platform/Windows.h"
#include "resources/TessarynUI/resource.h"

#include <vector>

class CBlockAck;

class CAddBlockAckDlg : public CDialog
{
public:
    CAddBlockAckDlg(CBlockAck* pPage, BOOL bOriginator, CWnd* pParent);
    explicit CAddBlockAckDlg(CWnd* pParent);
    virtual ~CAddBlockAckDlg();

    enum
    {
        IDD = IDD_ADDBA_DLG
    };

    CComboBox m_cbTid;
    CListCtrl m_lcBssid;
    UINT m_nWindowSize; // "%lu"
    int m_nTid;
    BYTE m_abBssid[6];
    CBlockAck* m_pPage;
    BOOL m_bOriginator;

    // The connected BSSIDs in the driver's order, but for those the caller excludes.
    std::vector<CString> QueryBssidList(const std::vector<CString>& exclude);

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    DECLARE_MESSAGE_MAP()
};

class CDeleteBlockAckDlg : public CDialog
{
public:
    CDeleteBlockAckDlg(CBlockAck* pPage, BOOL bOriginator, CWnd* pParent, BOOL bShowTid);
    explicit CDeleteBlockAckDlg(CWnd* pParent);
    virtual ~CDeleteBlockAckDlg();

    enum
    {
        IDD = IDD_DELBA_DLG
    };

    CListCtrl m_lcBssid;
    CComboBox m_cbTid;
    CBaSessionArray m_Sessions;
    int m_nTid;
    BYTE m_abBssid[6];
    CBlockAck* m_pPage;
    BOOL m_bOriginator;
    BOOL m_bShowTid;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    DECLARE_MESSAGE_MAP()
};
