#pragma once
// One certificate as the 802.1X pages show and keep it: the four texts of its lines, its SHA-1
// thumbprint and the friendly name's byte count. The record owns its hash bytes, so a copy is
// whole and outlives the list it was taken from. A record made without values is all zero.

#include "platform/Windows.h"
#include "platform/crypt/WinCrypt.h"

#define CERT_DESC_TEXT 256
#define CERT_DESC_HASH_SIZE 20 // a SHA-1 hash

struct CertDesc
{
    char szIssuedTo[CERT_DESC_TEXT] = {}; // the subject
    char szIssuedBy[CERT_DESC_TEXT] = {}; // the issuer
    char szExpiredOn[CERT_DESC_TEXT] = {};
    char szFriendlyName[CERT_DESC_TEXT] = {};
    DWORD cbHash = 0; // the bytes of abHash that count
    BYTE abHash[CERT_DESC_HASH_SIZE] = {};
    DWORD cbFriendlyName = 0; // the bytes of szFriendlyName that count
    DWORD dwReserved = 0;
};

typedef CArray<CertDesc, const CertDesc&> CCertDescArray;

// The record of a certificate context: subject and issuer as their display names, the expiry as
// the local date in the machine's short form, the friendly name and the thumbprint. Each text is
// cut to its field.
void MakeCertDesc(PCCERT_CONTEXT pCert, CertDesc* pDesc);
// Appends a record for each certificate of the system store whose subject gives a text, in
// store order; a store that does not open leaves the list as it is.
void AppendStoreCertDescs(LPCSTR pszStore, CCertDescArray& list);
// The same certificate as the record to look for: the same expiry, issuer and subject texts, the
// same friendly-name bytes and hash count, and the same hash bytes when that record has a hash.
BOOL IsSameCertDesc(const CertDesc& desc, const CertDesc& wanted);

// The certificate of the "MY" store with that SHA-1 hash; NULL, without opening the store, for
// no hash or a count of 0. The caller frees a context it gets.
PCCERT_CONTEXT FindClientCertificate(int nHashLen, const BYTE* pHash);
