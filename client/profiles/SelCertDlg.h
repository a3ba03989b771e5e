#pragma once
// The certificate selection dialog: the user's certificates of the "MY" store in a list, one to
// choose as the client certificate. The program keeps one (g_SelCertDlg); the 802.1X
// Authentication page sets its input and preselect flag and reads its output.

#include "client/profiles/CertDesc.h"
#include "platform/Windows.h"
#include "resources/TessarynUI/resource.h"

class CSelCertDlg : public CDialog
{
public:
    CSelCertDlg(CWnd* pParent = NULL);
    virtual ~CSelCertDlg();

    enum
    {
        IDD = IDD_SELCERT_DIALOG
    };

    CCertDescArray m_CertDescList; // the list's records, row by row
    CListCtrl m_listCert;
    CertDesc m_InputDesc;  // the record to preselect
    CertDesc m_OutputDesc; // the record chosen (IDOK)
    BOOL m_bPreselect;

    // Appends the records of the store's certificates that have a subject.
    void LoadMyCertificates(LPCSTR pszStore);

    BOOL OnInitDialog() override;
    // Without a selected row nothing happens: the dialog stays open.
    void OnOK() override;
    void OnCancel() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    DECLARE_MESSAGE_MAP()
};

// Created with the program's other objects, first of them (ProgramObjects.cpp).
extern CSelCertDlg g_SelCertDlg;
