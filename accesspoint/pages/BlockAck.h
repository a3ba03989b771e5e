#pragma once
// The "11n Setting" page: the adapter's 802.11n aggregation settings (MPDU aggregation with its
// block-ack policy and density, A-MSDU, spatial-multiplexing power save) and the block-ack
// sessions the access point holds as originator and as recipient, refreshed every second while
// the page is shown. Shown on 802.11n adapters while "bCheckBuild" is 1.

#include "adapter/blockack/BlockAckPage.h"
#include "adapter/blockack/BlockAckRecords.h"
#include "platform/Windows.h"
#include "resources/TessarynAp/resource.h"

// Aggregation capability, sent as 0x0DF10137; the session table; the add and delete requests.
#define OID_AP_BA_CAPABILITY 0x0D710137
#define OID_AP_BA_SESSIONS 0x0D710138
#define OID_AP_BA_ADD 0x0D710138
#define OID_AP_BA_DELETE 0x0D71013A

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

    BaSettings m_Settings;
    CListCtrl m_listOriginator;
    CListCtrl m_listRecipient;
    CBaSessionArray m_OriginatorSessions;
    CBaSessionArray m_RecipientSessions;
    UINT_PTR m_nTimerId;

    const CBaSessionArray& GetOriginatorSessions() const { return m_OriginatorSessions; }
    const CBaSessionArray& GetRecipientSessions() const { return m_RecipientSessions; }

    virtual BOOL OnSetActive();

    // "BACapability" of the driver key (its first four bytes, little-endian, whatever the value's
    // type) into the fields; a missing value changes nothing.
    void LoadBaCapability();
    void SaveBaCapability();
    // Sends the fields' capability record (three attempts).
    void SendBaCapability();
    void UpdateBaControls();
    // Re-reads the session table into both lists; an answer without bytes leaves them.
    void RefreshSessions();

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();

    // ADD, DELETE and DELETE ENTRY of one side.
    void AddSession(BYTE nDirection);
    void DeleteSession(BYTE nDirection, BOOL bWholeEntry);

    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    afx_msg void OnApplyButton();
    afx_msg void OnSettingChanged();
    afx_msg void OnPolicyRadio();
    afx_msg void OnAddOriginator();
    afx_msg void OnDeleteOriginator();
    afx_msg void OnDeleteOriginatorEntry();
    afx_msg void OnAddRecipient();
    afx_msg void OnDeleteRecipient();
    afx_msg void OnDeleteRecipientEntry();
    DECLARE_MESSAGE_MAP()
};
