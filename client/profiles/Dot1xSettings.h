#pragma once
// The 802.1X/EAP part of a connection profile: EAP method, inner methods, identities and
// passwords, certificate choices, PAC file and server-validation options. Assignment copies
// the fields one by one; a record is never compared as a whole.

#include "platform/Windows.h"

inline constexpr int DOT1X_METHOD_PEAP = 0;
inline constexpr int DOT1X_METHOD_TLS = 1;
inline constexpr int DOT1X_METHOD_TTLS = 2;
inline constexpr int DOT1X_METHOD_MD5 = 3;
inline constexpr int DOT1X_METHOD_FAST = 5;

inline constexpr int DOT1X_CERT_HASH_SIZE = 20; // a SHA-1 hash

struct Dot1xSettings
{
    int nAuthenProtocol = 0;     // EAP method (DOT1X_METHOD_*)
    int nTunnelProtocol = 0;     // inner EAP type of PEAP and FAST: 26, 13 or 6
    int nProvisioningTunnel = 0; // inner EAP type of the FAST provisioning tunnel
    int nTtlsInnerMethod = 0;    // 1 CHAP, 2 MS-CHAP, 3 MS-CHAP-V2, 4 PAP, 5 EAP-MD5
    int nSessionResumption = 0;
    CString strID;
    CString strPassword;
    CString strTunnelID;
    CString strTunnelPassword;
    int nPasswordMode = 0; // 0 soft token, 1 static password
    int bUseClientCert = 0;
    int bUseServerCert = 0; // validate the server certificate
    int bUsePAC = 0;
    int bProvisionMode = 0; // allow unauthenticated provisioning
    CString strPACFilePath;
    int bIntermediateCert = 0;
    CString strServerName;
    int nNameRule = 0; // 0 exact server name, 1 domain suffix
    int nReserved1 = 0;
    int nReserved2 = 0;
    // The hash of the chosen client certificate; nClientCertHashLen bytes of it count.
    int nClientCertHashLen = 0;
    BYTE abClientCertHash[DOT1X_CERT_HASH_SIZE] = {};
};

// The defaults a record's owner gives it; the owner of the profile's record gives provisioning
// inner type 26, the 802.1X pages their own records 6.
inline void SetDot1xDefaults(Dot1xSettings& d, int nProvisioningTunnel)
{
    d.nAuthenProtocol = DOT1X_METHOD_PEAP;
    d.nTunnelProtocol = 26;
    d.nProvisioningTunnel = nProvisioningTunnel;
    d.nTtlsInnerMethod = 3;
    d.nSessionResumption = 0;
    d.nPasswordMode = 1;
    d.bUseClientCert = 0;
    d.bUseServerCert = 0;
    d.bUsePAC = 0;
    d.bProvisionMode = 1;
    d.bIntermediateCert = 0;
    d.nNameRule = 0;
}
