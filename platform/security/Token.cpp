// The process's access token: its user and groups, taken from the machine's user when the
// token is opened.

#include "platform/security/SidBytes.h"

#include "machine/SystemInfo.h"

#include <cstring>
#include <memory>
#include <mutex>

namespace platform::security
{
namespace
{

constexpr DWORD ERROR_NO_IMPERSONATION_TOKEN = 1309;

// The machine's own domain (S-1-5-21-a-b-c) and the interactive logon session.
constexpr DWORD kDomain[3] = {3041759210u, 1177238915u, 682003330u};
constexpr DWORD kLogonHigh = 0;
constexpr DWORD kLogonLow = 0x0001A2B3u;
constexpr DWORD kUserRid = 1000;
constexpr DWORD kExtraGroupFirstRid = 1100;

constexpr DWORD kStandard = SE_GROUP_MANDATORY | SE_GROUP_ENABLED_BY_DEFAULT | SE_GROUP_ENABLED;

struct Group
{
    std::vector<BYTE> sid;
    DWORD attributes;
};

class Token : public KernelObject
{
public:
    Token(DWORD access, std::vector<BYTE> user, std::vector<Group> groups)
        : access(access), user(std::move(user)), groups(std::move(groups))
    {
    }
    const DWORD access;
    const std::vector<BYTE> user;
    const std::vector<Group> groups;
};

struct ShapeStore
{
    std::mutex lock;
    TokenShape shape;
};

ShapeStore& shapeStore()
{
    static ShapeStore s;
    return s;
}

TokenShape currentShape()
{
    ShapeStore& s = shapeStore();
    std::lock_guard guard(s.lock);
    return s.shape;
}

std::vector<BYTE> domainSid(DWORD rid)
{
    return MakeSid(SECURITY_NT_AUTHORITY,
                   {SECURITY_NT_NON_UNIQUE, kDomain[0], kDomain[1], kDomain[2], rid});
}

std::shared_ptr<Token> makeProcessToken(DWORD access)
{
    bool administrator = machine::LoadSystemInfo(machine::CurrentMachine()).administrator;
    TokenShape shape = currentShape();
    std::vector<Group> groups;
    groups.push_back({domainSid(DOMAIN_GROUP_RID_USERS), kStandard});
    groups.push_back({MakeSid(SECURITY_WORLD_SID_AUTHORITY, {SECURITY_WORLD_RID}), kStandard});
    groups.push_back({MakeSid(SECURITY_LOCAL_SID_AUTHORITY, {SECURITY_LOCAL_RID}), kStandard});
    if (administrator)
    {
        DWORD attributes =
            shape.administratorsDenyOnly ? SE_GROUP_USE_FOR_DENY_ONLY : kStandard | SE_GROUP_OWNER;
        groups.push_back(
            {MakeSid(SECURITY_NT_AUTHORITY, {SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS}),
             attributes});
    }
    groups.push_back(
        {MakeSid(SECURITY_NT_AUTHORITY, {SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_USERS}),
         kStandard});
    groups.push_back({MakeSid(SECURITY_NT_AUTHORITY, {SECURITY_INTERACTIVE_RID}), kStandard});
    groups.push_back(
        {MakeSid(SECURITY_NT_AUTHORITY, {SECURITY_AUTHENTICATED_USER_RID}), kStandard});
    groups.push_back(
        {MakeSid(SECURITY_NT_AUTHORITY, {SECURITY_LOGON_IDS_RID, kLogonHigh, kLogonLow}),
         kStandard | SE_GROUP_LOGON_ID});
    for (int i = 0; i < shape.extraDomainGroups; ++i)
        groups.push_back({domainSid(kExtraGroupFirstRid + static_cast<DWORD>(i)), kStandard});
    return std::make_shared<Token>(access, domainSid(kUserRid), std::move(groups));
}

// Writes one SID_AND_ATTRIBUTES at `at` without assuming the caller's buffer is aligned.
void putEntry(BYTE* at, BYTE* sid, DWORD attributes)
{
    SID_AND_ATTRIBUTES entry{};
    entry.Sid = sid;
    entry.Attributes = attributes;
    std::memcpy(at, &entry, sizeof(entry));
}

DWORD groupsSize(const Token& token)
{
    std::size_t size =
        offsetof(TOKEN_GROUPS, Groups) + token.groups.size() * sizeof(SID_AND_ATTRIBUTES);
    for (const Group& g : token.groups)
        size += g.sid.size();
    return static_cast<DWORD>(size);
}

void writeGroups(const Token& token, BYTE* out)
{
    DWORD count = static_cast<DWORD>(token.groups.size());
    std::memcpy(out + offsetof(TOKEN_GROUPS, GroupCount), &count, sizeof(count));
    BYTE* entry = out + offsetof(TOKEN_GROUPS, Groups);
    BYTE* sid = entry + token.groups.size() * sizeof(SID_AND_ATTRIBUTES);
    for (const Group& g : token.groups)
    {
        std::memcpy(sid, g.sid.data(), g.sid.size());
        putEntry(entry, sid, g.attributes);
        entry += sizeof(SID_AND_ATTRIBUTES);
        sid += g.sid.size();
    }
}

bool isMember(const Token& token, const void* sid, DWORD length)
{
    for (const Group& g : token.groups)
    {
        bool counts = (g.attributes & SE_GROUP_ENABLED) != 0 &&
                      (g.attributes & SE_GROUP_USE_FOR_DENY_ONLY) == 0;
        if (counts && g.sid.size() == length && std::memcmp(g.sid.data(), sid, length) == 0)
            return true;
    }
    return false;
}

} // namespace

void SetTokenShape(const TokenShape& shape)
{
    ShapeStore& s = shapeStore();
    std::lock_guard guard(s.lock);
    s.shape = shape;
}

void ResetTokenShape()
{
    SetTokenShape(TokenShape{});
}

} // namespace platform::security

using namespace platform::security;

BOOL OpenProcessToken(HANDLE ProcessHandle, DWORD DesiredAccess, PHANDLE TokenHandle)
{
    if (TokenHandle == nullptr)
    {
        SetLastError(ERROR_NOACCESS);
        return FALSE;
    }
    *TokenHandle = 0;
    // Only the process itself is known here.
    if (ProcessHandle != GetCurrentProcess())
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    *TokenHandle = platform::RegisterHandle(makeProcessToken(DesiredAccess));
    return TRUE;
}

BOOL GetTokenInformation(HANDLE TokenHandle, TOKEN_INFORMATION_CLASS TokenInformationClass,
                         LPVOID TokenInformation, DWORD TokenInformationLength, PDWORD ReturnLength)
{
    auto token = platform::LookupHandle<Token>(TokenHandle);
    if (!token)
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if ((token->access & TOKEN_QUERY) == 0)
    {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (ReturnLength == nullptr)
    {
        SetLastError(ERROR_NOACCESS);
        return FALSE;
    }
    DWORD needed = 0;
    switch (TokenInformationClass)
    {
    case TokenGroups:
        needed = groupsSize(*token);
        break;
    case TokenUser:
        needed = static_cast<DWORD>(sizeof(TOKEN_USER) + token->user.size());
        break;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *ReturnLength = needed;
    if (TokenInformation == nullptr || TokenInformationLength < needed)
    {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    auto* out = static_cast<BYTE*>(TokenInformation);
    if (TokenInformationClass == TokenGroups)
    {
        writeGroups(*token, out);
    }
    else
    {
        BYTE* sid = out + sizeof(TOKEN_USER);
        std::memcpy(sid, token->user.data(), token->user.size());
        putEntry(out + offsetof(TOKEN_USER, User), sid, 0);
    }
    return TRUE;
}

BOOL CheckTokenMembership(HANDLE TokenHandle, PSID SidToCheck, PBOOL IsMember)
{
    if (IsMember == nullptr)
    {
        SetLastError(ERROR_NOACCESS);
        return FALSE;
    }
    *IsMember = FALSE;
    DWORD length = ValidSidLength(SidToCheck);
    if (length == 0)
    {
        SetLastError(ERROR_INVALID_SID);
        return FALSE;
    }
    if (TokenHandle != 0)
    {
        // Only impersonation tokens may be named; OpenProcessToken gives a primary one.
        SetLastError(platform::LookupHandle<Token>(TokenHandle) ? ERROR_NO_IMPERSONATION_TOKEN
                                                                : ERROR_INVALID_HANDLE);
        return FALSE;
    }
    *IsMember = isMember(*makeProcessToken(TOKEN_QUERY), SidToCheck, length) ? TRUE : FALSE;
    return TRUE;
}
