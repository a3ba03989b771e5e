#include "platform/security/Security.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{

PSID allocate(const SID_IDENTIFIER_AUTHORITY& authority, BYTE count, DWORD a = 0, DWORD b = 0)
{
    PSID sid = nullptr;
    EXPECT_TRUE(AllocateAndInitializeSid(&authority, count, a, b, 0, 0, 0, 0, 0, 0, &sid));
    return sid;
}

TEST(Sid, AdministratorsSidHasThePlatformsBytes)
{
    PSID sid =
        allocate(SECURITY_NT_AUTHORITY, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS);
    ASSERT_NE(sid, nullptr);
    const BYTE expected[] = {1, 2, 0, 0, 0, 0, 0, 5, 32, 0, 0, 0, 0x20, 0x02, 0, 0};
    ASSERT_EQ(GetLengthSid(sid), sizeof(expected));
    EXPECT_EQ(std::memcmp(sid, expected, sizeof(expected)), 0);
    EXPECT_TRUE(IsValidSid(sid));
    EXPECT_EQ(*GetSidSubAuthorityCount(sid), 2);
    EXPECT_EQ(*GetSidSubAuthority(sid, 1), 544u);
    EXPECT_EQ(FreeSid(sid), nullptr);
    EXPECT_EQ(platform::security::LiveSidCount(), 0u);
}

TEST(Sid, EqualityComparesAuthorityCountAndEverySubAuthority)
{
    PSID admins = allocate(SECURITY_NT_AUTHORITY, 2, 32, 544);
    struct Case
    {
        const char* name;
        SID_IDENTIFIER_AUTHORITY authority;
        BYTE count;
        DWORD a, b;
        bool equal;
    } cases[] = {
        {"same", SECURITY_NT_AUTHORITY, 2, 32, 544, true},
        {"users", SECURITY_NT_AUTHORITY, 2, 32, 545, false},
        {"world authority", SECURITY_WORLD_SID_AUTHORITY, 2, 32, 544, false},
        {"shorter", SECURITY_NT_AUTHORITY, 1, 32, 544, false},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        PSID other = allocate(c.authority, c.count, c.a, c.b);
        SetLastError(77);
        EXPECT_EQ(EqualSid(admins, other) != FALSE, c.equal);
        if (!c.equal)
        {
            EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
        }
        FreeSid(other);
    }
    BYTE broken[16] = {9, 2};
    EXPECT_FALSE(EqualSid(admins, broken));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_SID);
    EXPECT_FALSE(IsValidSid(broken));
    EXPECT_FALSE(IsValidSid(nullptr));
    EXPECT_EQ(GetLengthSid(broken), 0u);

    BYTE copy[16] = {};
    EXPECT_FALSE(CopySid(8, copy, admins));
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    ASSERT_TRUE(CopySid(sizeof(copy), copy, admins));
    EXPECT_TRUE(EqualSid(copy, admins));
    FreeSid(admins);
}

TEST(Sid, AllocationLimitsAndForeignFrees)
{
    PSID sid = reinterpret_cast<PSID>(1);
    EXPECT_FALSE(AllocateAndInitializeSid(&SECURITY_NT_AUTHORITY, 9, 0, 0, 0, 0, 0, 0, 0, 0, &sid));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(sid, nullptr);

    PSID empty = allocate(SECURITY_WORLD_SID_AUTHORITY, 0);
    EXPECT_EQ(GetLengthSid(empty), 8u);
    PSID eight = nullptr;
    ASSERT_TRUE(
        AllocateAndInitializeSid(&SECURITY_NT_AUTHORITY, 8, 1, 2, 3, 4, 5, 6, 7, 8, &eight));
    EXPECT_EQ(GetLengthSid(eight), 40u);
    EXPECT_EQ(*GetSidSubAuthority(eight, 7), 8u);
    EXPECT_EQ(platform::security::LiveSidCount(), 2u);

    // Only what AllocateAndInitializeSid handed out is freed; FreeSid says so by returning it.
    BYTE local[12] = {1, 1, 0, 0, 0, 0, 0, 1};
    EXPECT_EQ(FreeSid(local), static_cast<PVOID>(local));
    EXPECT_EQ(FreeSid(eight), nullptr);
    EXPECT_EQ(FreeSid(eight), eight); // a second free is refused, not a double delete
    EXPECT_EQ(FreeSid(empty), nullptr);
    EXPECT_EQ(platform::security::LiveSidCount(), 0u);
}

} // namespace
