#include "adapter/system/Administrator.h"

#include "adapter/system/OsVersion.h"

#include <vector>

namespace
{

const DWORD kFirstGroupsSize = 1024;

BOOL TokenHoldsGroup(HANDLE hToken, PSID pGroup)
{
    // The buffer grows until the groups fit: a token may gain groups between two reads.
    std::vector<BYTE> buffer(kFirstGroupsSize);
    for (;;)
    {
        DWORD dwNeeded = 0;
        if (GetTokenInformation(hToken, TokenGroups, buffer.data(),
                                static_cast<DWORD>(buffer.size()), &dwNeeded))
            break;
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || dwNeeded <= buffer.size())
            return FALSE;
        buffer.resize(dwNeeded);
    }
    const TOKEN_GROUPS* pGroups = reinterpret_cast<const TOKEN_GROUPS*>(buffer.data());
    for (DWORD i = 0; i < pGroups->GroupCount; i++)
    {
        if (EqualSid(pGroups->Groups[i].Sid, pGroup))
            return TRUE;
    }
    return FALSE;
}

} // namespace

BOOL IsAdministrator()
{
    if (OsVersionCode < 7)
        return TRUE;
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    PSID pAdmins = NULL;
    if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                  DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &pAdmins))
        return FALSE;
    BOOL bAdmin = FALSE;
    HANDLE hToken = 0;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &hToken))
    {
        bAdmin = TokenHoldsGroup(hToken, pAdmins);
        CloseHandle(hToken);
    }
    FreeSid(pAdmins);
    return bAdmin;
}
