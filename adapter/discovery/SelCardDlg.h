#pragma once
// The adapter selection dialog: shown when several supported adapters are present; the combo
// box lists them by friendly name and the texts below follow the selection.

#include "platform/Windows.h"
#include "resources/common/SelCardIds.h"

class CSelCardDlg : public CDialog
{
public:
    explicit CSelCardDlg(CWnd* pParent = NULL);

    enum
    {
        IDD = IDD_SELCARD_DIALOG
    };

    DWORD m_dwChosen;            // member index of the chosen device
    HDEVINFO m_hDevInfo;         // set by the caller
    CDWordArray m_adwCandidates; // member indexes, copied in by the caller
    CComboBox m_cbCard;
    CString m_strDeviceDesc;
    CString m_strHardwareId;
    CString m_strLocation;
    CString m_strManufacturer;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    // Reads the four texts of the candidate at that position.
    void ReadCandidate(int nPosition);
    // The chosen member index: the candidate at the combo box's selection.
    void TakeSelection();

    afx_msg void OnSelchangeCard();
    DECLARE_MESSAGE_MAP()
};

// Runs the dialog over the candidates and returns the chosen member index.
DWORD ChooseAdapterByDialog(HDEVINFO hDevInfo, const CDWordArray& candidates);
