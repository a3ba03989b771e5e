#pragma once
// Security identifiers and the process's access token, as far as the programs ask: "is the
// user a member of the Administrators group?". The token answers the machine's user.
//
// Records that hold pointers (SID_AND_ATTRIBUTES) have this build's native layout; everything
// else keeps the platform's sizes. SIDs handed out by AllocateAndInitializeSid are released
// with FreeSid; the SIDs in a TOKEN_GROUPS point into the caller's buffer.

#include "platform/base/HandleTable.h"
#include "platform/base/WinError.h"
#include "platform/base/WinTypes.h"
#include "platform/system/Kernel32.h"

#include <cstddef>
#include <vector>

using PVOID = void*;
using PSID = void*;
using PHANDLE = HANDLE*;
using PUCHAR = UCHAR*;

inline constexpr DWORD ERROR_NO_TOKEN = 1008;
inline constexpr DWORD ERROR_INVALID_SID = 1337;

inline constexpr std::size_t ANYSIZE_ARRAY = 1;
inline constexpr BYTE SID_REVISION = 1;
inline constexpr BYTE SID_MAX_SUB_AUTHORITIES = 15;

struct SID_IDENTIFIER_AUTHORITY
{
    BYTE Value[6];
};
using PSID_IDENTIFIER_AUTHORITY = SID_IDENTIFIER_AUTHORITY*;
static_assert(sizeof(SID_IDENTIFIER_AUTHORITY) == 6);

struct SID
{
    BYTE Revision;
    BYTE SubAuthorityCount;
    SID_IDENTIFIER_AUTHORITY IdentifierAuthority;
    DWORD SubAuthority[ANYSIZE_ARRAY];
};
static_assert(sizeof(SID) == 12);
static_assert(offsetof(SID, SubAuthority) == 8);

inline constexpr SID_IDENTIFIER_AUTHORITY SECURITY_NULL_SID_AUTHORITY = {{0, 0, 0, 0, 0, 0}};
inline constexpr SID_IDENTIFIER_AUTHORITY SECURITY_WORLD_SID_AUTHORITY = {{0, 0, 0, 0, 0, 1}};
inline constexpr SID_IDENTIFIER_AUTHORITY SECURITY_LOCAL_SID_AUTHORITY = {{0, 0, 0, 0, 0, 2}};
inline constexpr SID_IDENTIFIER_AUTHORITY SECURITY_NT_AUTHORITY = {{0, 0, 0, 0, 0, 5}};

inline constexpr DWORD SECURITY_WORLD_RID = 0;
inline constexpr DWORD SECURITY_LOCAL_RID = 0;
inline constexpr DWORD SECURITY_LOGON_IDS_RID = 5;
inline constexpr DWORD SECURITY_INTERACTIVE_RID = 4;
inline constexpr DWORD SECURITY_AUTHENTICATED_USER_RID = 11;
inline constexpr DWORD SECURITY_BUILTIN_DOMAIN_RID = 32;
inline constexpr DWORD SECURITY_NT_NON_UNIQUE = 21;
inline constexpr DWORD DOMAIN_ALIAS_RID_ADMINS = 544;
inline constexpr DWORD DOMAIN_ALIAS_RID_USERS = 545;
inline constexpr DWORD DOMAIN_ALIAS_RID_GUESTS = 546;
inline constexpr DWORD DOMAIN_ALIAS_RID_POWER_USERS = 547;
inline constexpr DWORD DOMAIN_GROUP_RID_USERS = 513;

// Group attributes.
inline constexpr DWORD SE_GROUP_MANDATORY = 0x00000001;
inline constexpr DWORD SE_GROUP_ENABLED_BY_DEFAULT = 0x00000002;
inline constexpr DWORD SE_GROUP_ENABLED = 0x00000004;
inline constexpr DWORD SE_GROUP_OWNER = 0x00000008;
inline constexpr DWORD SE_GROUP_USE_FOR_DENY_ONLY = 0x00000010;
inline constexpr DWORD SE_GROUP_RESOURCE = 0x20000000;
inline constexpr DWORD SE_GROUP_LOGON_ID = 0xC0000000;

// Token access rights.
inline constexpr DWORD TOKEN_ASSIGN_PRIMARY = 0x0001;
inline constexpr DWORD TOKEN_DUPLICATE = 0x0002;
inline constexpr DWORD TOKEN_IMPERSONATE = 0x0004;
inline constexpr DWORD TOKEN_QUERY = 0x0008;
inline constexpr DWORD TOKEN_QUERY_SOURCE = 0x0010;
inline constexpr DWORD TOKEN_ADJUST_PRIVILEGES = 0x0020;
inline constexpr DWORD TOKEN_ADJUST_GROUPS = 0x0040;
inline constexpr DWORD TOKEN_ADJUST_DEFAULT = 0x0080;
inline constexpr DWORD TOKEN_READ = 0x00020008;
inline constexpr DWORD TOKEN_ALL_ACCESS = 0x000F01FF;

// The platform's enums are int-sized; a fixed type makes any number a caller passes a value
// of the enum, which the call then refuses, rather than undefined behaviour.
enum TOKEN_INFORMATION_CLASS : int
{
    TokenUser = 1,
    TokenGroups = 2,
    TokenPrivileges = 3,
    TokenOwner = 4,
    TokenPrimaryGroup = 5,
};

struct SID_AND_ATTRIBUTES
{
    PSID Sid;
    DWORD Attributes;
};
using PSID_AND_ATTRIBUTES = SID_AND_ATTRIBUTES*;

struct TOKEN_GROUPS
{
    DWORD GroupCount;
    SID_AND_ATTRIBUTES Groups[ANYSIZE_ARRAY];
};
using PTOKEN_GROUPS = TOKEN_GROUPS*;

struct TOKEN_USER
{
    SID_AND_ATTRIBUTES User;
};
using PTOKEN_USER = TOKEN_USER*;

BOOL AllocateAndInitializeSid(const SID_IDENTIFIER_AUTHORITY* pIdentifierAuthority,
                              BYTE nSubAuthorityCount, DWORD nSubAuthority0, DWORD nSubAuthority1,
                              DWORD nSubAuthority2, DWORD nSubAuthority3, DWORD nSubAuthority4,
                              DWORD nSubAuthority5, DWORD nSubAuthority6, DWORD nSubAuthority7,
                              PSID* pSid);
// Null on success; the SID itself when it was not allocated by AllocateAndInitializeSid.
PVOID FreeSid(PSID pSid);
BOOL IsValidSid(PSID pSid);
DWORD GetLengthSid(PSID pSid);
// FALSE for different SIDs with the last error ERROR_SUCCESS, or ERROR_INVALID_SID.
BOOL EqualSid(PSID pSid1, PSID pSid2);
BOOL CopySid(DWORD nDestinationSidLength, PSID pDestinationSid, PSID pSourceSid);
PUCHAR GetSidSubAuthorityCount(PSID pSid);
PDWORD GetSidSubAuthority(PSID pSid, DWORD nSubAuthority);

BOOL OpenProcessToken(HANDLE ProcessHandle, DWORD DesiredAccess, PHANDLE TokenHandle);
// TokenUser and TokenGroups. When the buffer is too small: FALSE, ERROR_INSUFFICIENT_BUFFER and
// the size needed in *ReturnLength.
BOOL GetTokenInformation(HANDLE TokenHandle, TOKEN_INFORMATION_CLASS TokenInformationClass,
                         LPVOID TokenInformation, DWORD TokenInformationLength,
                         PDWORD ReturnLength);
// Whether the token (0: the process's own) holds the SID as an enabled group that is not
// deny-only.
BOOL CheckTokenMembership(HANDLE TokenHandle, PSID SidToCheck, PBOOL IsMember);

namespace platform::security
{

// What the process's token holds besides the groups every user has. Tests shape it here; the
// machine's administrator flag decides membership of BUILTIN\Administrators.
struct TokenShape
{
    // Further domain groups (S-1-5-21-...-1100+n), so the group list outgrows a small buffer.
    int extraDomainGroups = 0;
    // The Administrators group present but deny-only, as in a filtered token.
    bool administratorsDenyOnly = false;
};
void SetTokenShape(const TokenShape& shape);
void ResetTokenShape();

// SIDs allocated and not yet freed in this process (tests look for leaks).
std::size_t LiveSidCount();

} // namespace platform::security
