#pragma once
// The certificate choices that outlive one run of the 802.1X sheet: the program-wide
// description of the CA certificate the CA Server page chose, whose hash is the server
// certificate hash the profile saves (g_nServerCertLen, g_pServerCertData), and the input and
// output of the certificate selection dialog.

#include "client/profiles/CertDesc.h"

// The CA description with the saved server certificate hash (a hash longer than a SHA-1 one is
// none here).
CertDesc GetCaCertDesc();
// The description, and its hash as the server certificate hash the profile saves.
void SetCaCertDesc(const CertDesc& desc);
// A profile begun anew starts with no certificate chosen: the selection dialog's input and
// output and the CA description (with the saved server certificate hash) are cleared.
void ClearCertSelections();
