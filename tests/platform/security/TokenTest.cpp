#include "platform/security/Security.h"

#include "machine/SystemInfo.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace
{

// "S-1-5-32-544" for a SID.
std::string sidText(PSID sid)
{
    const auto* bytes = static_cast<const BYTE*>(sid);
    unsigned long long authority = 0;
    for (int i = 2; i < 8; ++i)
        authority = (authority << 8) | bytes[i];
    std::string text = "S-" + std::to_string(bytes[0]) + "-" + std::to_string(authority);
    for (DWORD i = 0; i < *GetSidSubAuthorityCount(sid); ++i)
        text += "-" + std::to_string(*GetSidSubAuthority(sid, i));
    return text;
}

void setAdministrator(bool administrator)
{
    machine::SystemInfo info = machine::LoadSystemInfo(machine::CurrentMachine());
    info.administrator = administrator;
    ASSERT_TRUE(machine::SaveSystemInfo(machine::CurrentMachine(), info));
}

HANDLE openToken()
{
    HANDLE token = 0;
    EXPECT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
    return token;
}

// The token's groups read the way the programs read them: a probe, then the buffer it asks for.
struct Groups
{
    std::vector<BYTE> buffer;
    const TOKEN_GROUPS* groups() const
    {
        return reinterpret_cast<const TOKEN_GROUPS*>(buffer.data());
    }
};

Groups readGroups(HANDLE token)
{
    DWORD needed = 0;
    SetLastError(0);
    EXPECT_FALSE(GetTokenInformation(token, TokenGroups, nullptr, 0, &needed));
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    Groups g;
    g.buffer.assign(needed, 0);
    DWORD returned = 0;
    EXPECT_TRUE(GetTokenInformation(token, TokenGroups, g.buffer.data(), needed, &returned));
    EXPECT_EQ(returned, needed);
    return g;
}

std::vector<std::string> groupNames(const Groups& g)
{
    std::vector<std::string> names;
    for (DWORD i = 0; i < g.groups()->GroupCount; ++i)
        names.push_back(sidText(g.groups()->Groups[i].Sid));
    return names;
}

bool hasGroup(const std::vector<std::string>& names, const std::string& sid)
{
    return std::find(names.begin(), names.end(), sid) != names.end();
}

// The check the programs make: compare every group with BUILTIN\Administrators.
bool programsAdminCheck(HANDLE token, DWORD bufferSize)
{
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID admins = nullptr;
    EXPECT_TRUE(AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                         DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &admins));
    std::vector<BYTE> buffer(bufferSize);
    DWORD needed = 0;
    while (!GetTokenInformation(token, TokenGroups, buffer.data(),
                                static_cast<DWORD>(buffer.size()), &needed))
    {
        EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
        EXPECT_GT(needed, buffer.size());
        buffer.resize(needed);
    }
    const auto* groups = reinterpret_cast<const TOKEN_GROUPS*>(buffer.data());
    bool found = false;
    for (DWORD i = 0; i < groups->GroupCount; ++i)
        if (EqualSid(groups->Groups[i].Sid, admins))
            found = true;
    EXPECT_EQ(FreeSid(admins), nullptr);
    return found;
}

class TokenTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        platform::security::ResetTokenShape();
        EXPECT_EQ(platform::security::LiveSidCount(), 0u);
    }
    testing_support::TempMachine m_machine;
};

TEST_F(TokenTest, GroupsFollowTheMachinesUser)
{
    for (bool administrator : {true, false})
    {
        SCOPED_TRACE(administrator);
        setAdministrator(administrator);
        HANDLE token = openToken();
        Groups g = readGroups(token);
        auto names = groupNames(g);
        EXPECT_TRUE(hasGroup(names, "S-1-1-0"));
        EXPECT_TRUE(hasGroup(names, "S-1-5-32-545"));
        EXPECT_TRUE(hasGroup(names, "S-1-5-11"));
        EXPECT_EQ(hasGroup(names, "S-1-5-32-544"), administrator);
        EXPECT_EQ(programsAdminCheck(token, 1024), administrator);
        EXPECT_TRUE(CloseHandle(token));
    }
}

TEST_F(TokenTest, GroupSidsLieInsideTheCallersBuffer)
{
    HANDLE token = openToken();
    Groups g = readGroups(token);
    const BYTE* begin = g.buffer.data();
    const BYTE* end = begin + g.buffer.size();
    const TOKEN_GROUPS* groups = g.groups();
    ASSERT_GE(groups->GroupCount, 5u);
    const BYTE* sidsStart = reinterpret_cast<const BYTE*>(&groups->Groups[groups->GroupCount]);
    bool logonSid = false;
    for (DWORD i = 0; i < groups->GroupCount; ++i)
    {
        const auto* sid = static_cast<const BYTE*>(groups->Groups[i].Sid);
        ASSERT_GE(sid, sidsStart);
        ASSERT_LE(sid + GetLengthSid(groups->Groups[i].Sid), end);
        EXPECT_TRUE(IsValidSid(groups->Groups[i].Sid));
        if ((groups->Groups[i].Attributes & SE_GROUP_LOGON_ID) == SE_GROUP_LOGON_ID)
        {
            logonSid = true;
            EXPECT_EQ(sidText(groups->Groups[i].Sid).rfind("S-1-5-5-", 0), 0u);
        }
        else
        {
            EXPECT_NE(groups->Groups[i].Attributes & SE_GROUP_ENABLED, 0u);
        }
    }
    EXPECT_TRUE(logonSid);
    CloseHandle(token);
}

TEST_F(TokenTest, SizeProbeAndShortBuffers)
{
    HANDLE token = openToken();
    DWORD needed = 0;
    ASSERT_FALSE(GetTokenInformation(token, TokenGroups, nullptr, 0, &needed));
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    ASSERT_GT(needed, sizeof(TOKEN_GROUPS));

    std::vector<BYTE> buffer(needed, 0xEE);
    DWORD again = 0;
    SetLastError(0);
    EXPECT_FALSE(GetTokenInformation(token, TokenGroups, buffer.data(), needed - 1, &again));
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(again, needed);
    EXPECT_EQ(buffer[0], 0xEE); // nothing written on failure

    EXPECT_FALSE(GetTokenInformation(token, TokenGroups, buffer.data(), needed, nullptr));
    EXPECT_FALSE(GetTokenInformation(token, static_cast<TOKEN_INFORMATION_CLASS>(99), buffer.data(),
                                     needed, &again));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    CloseHandle(token);
}

TEST_F(TokenTest, ManyGroupsOutgrowTheProgramsFirstBuffer)
{
    platform::security::SetTokenShape({40, false});
    HANDLE token = openToken();
    DWORD needed = 0;
    GetTokenInformation(token, TokenGroups, nullptr, 0, &needed);
    EXPECT_GT(needed, 1024u);
    EXPECT_TRUE(programsAdminCheck(token, 1024)); // found after the regrow
    EXPECT_EQ(groupNames(readGroups(token)).size(), 8u + 40u);
    CloseHandle(token);
}

TEST_F(TokenTest, DenyOnlyAdministratorsCountOnlyForTheMembershipCheck)
{
    platform::security::SetTokenShape({0, true});
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID admins = nullptr;
    ASSERT_TRUE(AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                         DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &admins));
    HANDLE token = openToken();
    Groups g = readGroups(token);
    bool listed = false;
    for (DWORD i = 0; i < g.groups()->GroupCount; ++i)
        if (EqualSid(g.groups()->Groups[i].Sid, admins))
        {
            listed = true;
            EXPECT_EQ(g.groups()->Groups[i].Attributes, SE_GROUP_USE_FOR_DENY_ONLY);
        }
    EXPECT_TRUE(listed);
    BOOL member = TRUE;
    ASSERT_TRUE(CheckTokenMembership(0, admins, &member));
    EXPECT_FALSE(member);

    platform::security::ResetTokenShape();
    ASSERT_TRUE(CheckTokenMembership(0, admins, &member));
    EXPECT_TRUE(member);
    setAdministrator(false);
    ASSERT_TRUE(CheckTokenMembership(0, admins, &member));
    EXPECT_FALSE(member);
    // A primary token cannot be named.
    EXPECT_FALSE(CheckTokenMembership(token, admins, &member));
    FreeSid(admins);
    CloseHandle(token);
}

TEST_F(TokenTest, UserIsTheMachinesAccount)
{
    HANDLE token = openToken();
    DWORD needed = 0;
    ASSERT_FALSE(GetTokenInformation(token, TokenUser, nullptr, 0, &needed));
    std::vector<BYTE> buffer(needed);
    ASSERT_TRUE(GetTokenInformation(token, TokenUser, buffer.data(), needed, &needed));
    const auto* user = reinterpret_cast<const TOKEN_USER*>(buffer.data());
    std::string text = sidText(user->User.Sid);
    EXPECT_EQ(text.rfind("S-1-5-21-", 0), 0u);
    EXPECT_EQ(text.substr(text.size() - 5), "-1000");
    CloseHandle(token);
}

TEST_F(TokenTest, HandlesAndAccess)
{
    HANDLE token = 0;
    EXPECT_FALSE(OpenProcessToken(0x1234, TOKEN_QUERY, &token));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(token, 0u);

    std::size_t before = platform::OpenHandleCount();
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token));
    EXPECT_EQ(platform::OpenHandleCount(), before + 1);
    DWORD needed = 0;
    EXPECT_FALSE(GetTokenInformation(token, TokenGroups, nullptr, 0, &needed));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(CloseHandle(token));
    EXPECT_EQ(platform::OpenHandleCount(), before);
    EXPECT_FALSE(GetTokenInformation(token, TokenGroups, nullptr, 0, &needed));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

} // namespace
