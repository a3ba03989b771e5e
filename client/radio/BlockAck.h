#pragma once
// The 802.11n page: A-MSDU, SM power save, MPDU aggregation with its block-ack policy and
// density, and the block-ack sessions the adapter holds as originator and as recipient, listed
// every second while the page is shown, with the buttons that add and tear them down. The main
// sheet holds one and never shows it.

#include "adapter/blockack/BlockAckPage.h"
#include "adapter/blockack/BlockAckRecords.h"
#include "controls/NoHScrollListCtrl.h"
#include "platform/Windows.h"
#include "resources/TessarynUI/resource.h"

class CBlockAck : public CPropertyPage
{
    DECLARE_DYNCREATE(CBlockAck)
public:
    CBlockAck();
    virtual ~CBlockAck();

    enum
    {
        IDD = IDD_BLOCKACK_PAGE
    };

    CNoHScrollListCtrl m_lcRecipient;
    CNoHScrollListCtrl m_lcOriginator;
    BaSettings m_Ba; // policy, aggregation, the two driver values, density, A-MSDU, SMPS
    CBaSessionArray m_OriginatorSessions;
    CBaSessionArray m_RecipientSessions;
    UINT_PTR m_nTimerId;

    virtual BOOL OnSetActive();
    // The APPLY button's work (a sheet's Apply would run it too).
    virtual BOOL OnApply();

    void LoadBaCapability();
    void SaveBaCapability();
    void QueryAggregation();
    void SendAggregation();
    void UpdateBaControls();
    void QueryBaTable();
    // Copies of the sessions behind each list, for the delete dialog.
    void GetOriginatorSessions(CBaSessionArray& sessions) const;
    void GetRecipientSessions(CBaSessionArray& sessions) const;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();

    void AddSession(BYTE nDirection);
    void DeleteSession(BYTE nDirection, BOOL bAllSessions);

    afx_msg void OnBaPolicyRadio();
    afx_msg void OnEnableAggregation();
    afx_msg void OnApplyClicked();
    afx_msg void OnAddOriginator();
    afx_msg void OnDeleteOriginator();
    afx_msg void OnDeleteOriginatorEntry();
    afx_msg void OnAddRecipient();
    afx_msg void OnDeleteRecipient();
    afx_msg void OnDeleteRecipientEntry();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};

// Element by element: the arrays hold plain records.
void CopyBaSessions(const CBaSessionArray& from, CBaSessionArray& to);
