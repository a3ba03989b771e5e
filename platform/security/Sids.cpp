// Security identifiers: allocation, checks and comparison.

#include "platform/security/SidBytes.h"

#include <cstring>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace platform::security
{
namespace
{

// SIDs handed out by AllocateAndInitializeSid, by address, so FreeSid can tell them apart.
struct Allocations
{
    std::mutex lock;
    std::unordered_map<const void*, std::unique_ptr<BYTE[]>> blocks;
};

Allocations& allocations()
{
    static Allocations a;
    return a;
}

} // namespace

std::vector<BYTE> MakeSid(const SID_IDENTIFIER_AUTHORITY& authority,
                          const std::vector<DWORD>& subAuthorities)
{
    std::vector<BYTE> bytes(8 + 4 * subAuthorities.size());
    bytes[0] = SID_REVISION;
    bytes[1] = static_cast<BYTE>(subAuthorities.size());
    std::memcpy(&bytes[2], authority.Value, 6);
    for (std::size_t i = 0; i < subAuthorities.size(); ++i)
        std::memcpy(&bytes[8 + 4 * i], &subAuthorities[i], 4);
    return bytes;
}

std::vector<BYTE> MakeSid(const SID_IDENTIFIER_AUTHORITY& authority,
                          std::initializer_list<DWORD> subAuthorities)
{
    return MakeSid(authority, std::vector<DWORD>(subAuthorities));
}

DWORD ValidSidLength(const void* sid)
{
    if (sid == nullptr)
        return 0;
    const auto* bytes = static_cast<const BYTE*>(sid);
    if (bytes[0] != SID_REVISION || bytes[1] > SID_MAX_SUB_AUTHORITIES)
        return 0;
    return 8 + 4 * DWORD(bytes[1]);
}

std::size_t LiveSidCount()
{
    Allocations& a = allocations();
    std::lock_guard guard(a.lock);
    return a.blocks.size();
}

} // namespace platform::security

using namespace platform::security;

BOOL AllocateAndInitializeSid(const SID_IDENTIFIER_AUTHORITY* pIdentifierAuthority,
                              BYTE nSubAuthorityCount, DWORD nSubAuthority0, DWORD nSubAuthority1,
                              DWORD nSubAuthority2, DWORD nSubAuthority3, DWORD nSubAuthority4,
                              DWORD nSubAuthority5, DWORD nSubAuthority6, DWORD nSubAuthority7,
                              PSID* pSid)
{
    if (pSid == nullptr || pIdentifierAuthority == nullptr)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *pSid = nullptr;
    // The function takes eight sub-authorities at most.
    if (nSubAuthorityCount > 8)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const DWORD all[8] = {nSubAuthority0, nSubAuthority1, nSubAuthority2, nSubAuthority3,
                          nSubAuthority4, nSubAuthority5, nSubAuthority6, nSubAuthority7};
    std::vector<BYTE> bytes =
        MakeSid(*pIdentifierAuthority, std::vector<DWORD>(all, all + nSubAuthorityCount));
    auto block = std::make_unique<BYTE[]>(bytes.size());
    std::memcpy(block.get(), bytes.data(), bytes.size());
    const void* key = block.get();
    Allocations& a = allocations();
    std::lock_guard guard(a.lock);
    auto it = a.blocks.emplace(key, std::move(block)).first;
    *pSid = it->second.get();
    return TRUE;
}

PVOID FreeSid(PSID pSid)
{
    Allocations& a = allocations();
    std::lock_guard guard(a.lock);
    auto it = a.blocks.find(pSid);
    if (it == a.blocks.end())
        return pSid;
    a.blocks.erase(it);
    return nullptr;
}

BOOL IsValidSid(PSID pSid)
{
    return ValidSidLength(pSid) != 0 ? TRUE : FALSE;
}

DWORD GetLengthSid(PSID pSid)
{
    return ValidSidLength(pSid);
}

BOOL EqualSid(PSID pSid1, PSID pSid2)
{
    DWORD length1 = ValidSidLength(pSid1);
    DWORD length2 = ValidSidLength(pSid2);
    if (length1 == 0 || length2 == 0)
    {
        SetLastError(ERROR_INVALID_SID);
        return FALSE;
    }
    SetLastError(ERROR_SUCCESS);
    return length1 == length2 && std::memcmp(pSid1, pSid2, length1) == 0 ? TRUE : FALSE;
}

BOOL CopySid(DWORD nDestinationSidLength, PSID pDestinationSid, PSID pSourceSid)
{
    DWORD length = ValidSidLength(pSourceSid);
    if (length == 0)
    {
        SetLastError(ERROR_INVALID_SID);
        return FALSE;
    }
    if (pDestinationSid == nullptr || nDestinationSidLength < length)
    {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    std::memmove(pDestinationSid, pSourceSid, length);
    return TRUE;
}

PUCHAR GetSidSubAuthorityCount(PSID pSid)
{
    return static_cast<PUCHAR>(pSid) + 1;
}

PDWORD GetSidSubAuthority(PSID pSid, DWORD nSubAuthority)
{
    // As on the platform, the index is not checked: callers use the count first.
    return reinterpret_cast<PDWORD>(static_cast<BYTE*>(pSid) + 8 + 4 * nSubAuthority);
}
