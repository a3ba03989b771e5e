#pragma once
// The 11n page's two dialogs: "Add MPDU Aggregation" picks a joined station, a TID and a
// window size for a new block-ack session; "Delete MPDU Aggregation" picks a station of the
// page's listed sessions and, unless a whole entry goes, a TID. They only collect the choice.

#include "adapter/blockack/BlockAckPage.h"
#include "platform/Windows.h"
#include "resources/TessarynAp/resource.h"

class CAddBlockAckDlg : public CDialog
{
public:
    CAddBlockAckDlg(CWnd* pParent, BOOL bOriginator);

    enum
    {
        IDD = IDD_ADD_BLOCKACK_DIALOG
    };

    CComboBox m_comboTid;
    CListCtrl m_listBssid;
    UINT m_nWindowSize; // as typed: only its low byte is sent
    int m_nTid;
    BYTE m_abBssid[6];
    BOOL m_bOriginator;

    // The stations that joined the access point, from the driver's station table: never more
    // than the answer holds.
    static int QueryStations(BYTE (*pMacs)[6], int nMax);

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    DECLARE_MESSAGE_MAP()
};

class CDeleteBlockAckDlg : public CDialog
{
public:
    CDeleteBlockAckDlg(CWnd* pParent, const CBaSessionArray& sessions, BOOL bOriginator,
                       BOOL bShowTid);

    enum
    {
        IDD = IDD_DELETE_BLOCKACK_DIALOG
    };

    CComboBox m_comboTid;
    CListCtrl m_listBssid;
    CBaSessionArray m_Sessions;
    int m_nTid;
    BYTE m_abBssid[6];
    BOOL m_bOriginator;
    BOOL m_bShowTid;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    DECLARE_MESSAGE_MAP()
};
