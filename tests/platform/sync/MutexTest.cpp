#include "platform/sync/Mutex.h"
#include "platform/sync/internal/MutexObject.h"

#include "platform/base/WinError.h"
#include "tests/machine/desktop/ChildProcess.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <thread>

namespace
{

// CreateMutexA, and the last error it leaves.
std::pair<HANDLE, DWORD> create(BOOL initialOwner, LPCSTR name)
{
    SetLastError(0xDEAD); // must be overwritten, success included
    HANDLE h = CreateMutexA(nullptr, initialOwner, name);
    return {h, GetLastError()};
}

TEST(CreateMutex, NamedMutexReportsWhetherItAlreadyExisted)
{
    testing_support::TempMachine m;
    auto [first, e1] = create(FALSE, "KQ21");
    ASSERT_NE(first, 0u);
    EXPECT_EQ(e1, ERROR_SUCCESS);
    auto [second, e2] = create(FALSE, "KQ21");
    ASSERT_NE(second, 0u);
    EXPECT_NE(second, first);
    EXPECT_EQ(e2, ERROR_ALREADY_EXISTS);

    struct Case
    {
        const char* name;
        DWORD error;
    } cases[] = {
        {"Local\\KQ21", ERROR_ALREADY_EXISTS}, // the session's namespace is the default one
        {"kq21", ERROR_SUCCESS},               // names are case-sensitive
        {"Global\\KQ21", ERROR_SUCCESS},
        {"NBRG", ERROR_SUCCESS},
    };
    std::vector<HANDLE> more;
    for (const auto& c : cases)
    {
        auto [h, error] = create(FALSE, c.name);
        EXPECT_NE(h, 0u) << c.name;
        EXPECT_EQ(error, c.error) << c.name;
        more.push_back(h);
    }
    for (const char* bad : {"No\\Such\\Namespace", "Local\\", "Global\\a\\b"})
    {
        auto [h, error] = create(FALSE, bad);
        EXPECT_EQ(h, 0u) << bad;
        EXPECT_EQ(error, ERROR_PATH_NOT_FOUND) << bad;
    }

    // Closing every handle ends the mutex: the next create makes it anew.
    EXPECT_TRUE(CloseHandle(first));
    auto [third, e3] = create(FALSE, "KQ21");
    EXPECT_EQ(e3, ERROR_ALREADY_EXISTS); // "second" and "Local\KQ21" still hold it
    for (HANDLE h : more)
        CloseHandle(h);
    CloseHandle(second);
    CloseHandle(third);
    auto [fresh, e4] = create(FALSE, "KQ21");
    EXPECT_NE(fresh, 0u);
    EXPECT_EQ(e4, ERROR_SUCCESS);
    CloseHandle(fresh);
    EXPECT_FALSE(CloseHandle(fresh));
}

TEST(CreateMutex, UnnamedMutexesAreEachTheirOwn)
{
    testing_support::TempMachine m;
    auto [a, ea] = create(FALSE, nullptr);
    auto [b, eb] = create(FALSE, "");
    ASSERT_NE(a, 0u);
    ASSERT_NE(b, 0u);
    EXPECT_NE(a, b);
    EXPECT_EQ(ea, ERROR_SUCCESS);
    EXPECT_EQ(eb, ERROR_SUCCESS);
    CloseHandle(a);
    CloseHandle(b);
}

TEST(ReleaseMutex, OnlyTheOwningThreadReleases)
{
    testing_support::TempMachine m;
    struct Case
    {
        const char* what;
        BOOL initialOwner;
        const char* name;
        bool existsBefore;
        bool owned;
    } cases[] = {
        {"unnamed, owned", TRUE, nullptr, false, true},
        {"unnamed, not owned", FALSE, nullptr, false, false},
        {"named, created owned", TRUE, "Owned", false, true},
        {"named, not owned", FALSE, "NotOwned", false, false},
        // The flag counts only for the creator.
        {"named, existed", TRUE, "Existed", true, false},
    };
    for (const auto& c : cases)
    {
        HANDLE before = c.existsBefore ? CreateMutexA(nullptr, FALSE, c.name) : 0;
        HANDLE h = CreateMutexA(nullptr, c.initialOwner, c.name);
        ASSERT_NE(h, 0u) << c.what;
        if (c.owned)
        {
            // Another thread cannot release it.
            BOOL otherResult = TRUE;
            DWORD otherError = 0;
            std::thread(
                [&]
                {
                    otherResult = ReleaseMutex(h);
                    otherError = GetLastError();
                })
                .join();
            EXPECT_FALSE(otherResult) << c.what;
            EXPECT_EQ(otherError, ERROR_NOT_OWNER) << c.what;
            EXPECT_TRUE(ReleaseMutex(h)) << c.what;
        }
        SetLastError(0);
        EXPECT_FALSE(ReleaseMutex(h)) << c.what;
        EXPECT_EQ(GetLastError(), ERROR_NOT_OWNER) << c.what;
        CloseHandle(h);
        if (before != 0)
            CloseHandle(before);
        EXPECT_FALSE(ReleaseMutex(h)) << c.what;
        EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE) << c.what;
    }
}

TEST(ReleaseMutex, HandlesToOneNameShareOwnershipAndTakesAreCounted)
{
    testing_support::TempMachine m;
    HANDLE created = CreateMutexA(nullptr, TRUE, "Shared");
    HANDLE opened = OpenMutexA(MUTEX_ALL_ACCESS, FALSE, "Shared");
    ASSERT_NE(opened, 0u);
    auto mutex = platform::LookupHandle<platform::Mutex>(opened);
    ASSERT_TRUE(mutex);
    EXPECT_TRUE(mutex->OwnedByCurrentThread());
    EXPECT_TRUE(mutex->Acquire(std::chrono::milliseconds(0))); // again, by the owner

    bool acquiredElsewhere = true;
    std::thread([&] { acquiredElsewhere = mutex->Acquire(std::chrono::milliseconds(0)); }).join();
    EXPECT_FALSE(acquiredElsewhere);

    EXPECT_TRUE(ReleaseMutex(opened));
    EXPECT_TRUE(mutex->OwnedByCurrentThread()); // one take left
    EXPECT_TRUE(ReleaseMutex(created));
    EXPECT_FALSE(mutex->OwnedByCurrentThread());
    EXPECT_FALSE(ReleaseMutex(created));

    std::thread([&] { acquiredElsewhere = mutex->Acquire(std::nullopt) && mutex->Release(); })
        .join();
    EXPECT_TRUE(acquiredElsewhere);
    CloseHandle(opened);
    CloseHandle(created);
}

TEST(OpenMutex, FindsOnlyAMutexThatExists)
{
    testing_support::TempMachine m;
    SetLastError(0);
    EXPECT_EQ(OpenMutexA(MUTEX_ALL_ACCESS, FALSE, "KQ21"), 0u);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(OpenMutexA(MUTEX_ALL_ACCESS, FALSE, nullptr), 0u);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);

    HANDLE created = CreateMutexA(nullptr, FALSE, "KQ21");
    HANDLE opened = OpenMutexA(MUTEX_ALL_ACCESS, FALSE, "KQ21");
    EXPECT_NE(opened, 0u);
    CloseHandle(created);
    // The opened handle alone keeps it in existence.
    auto [again, error] = create(FALSE, "KQ21");
    EXPECT_EQ(error, ERROR_ALREADY_EXISTS);
    CloseHandle(again);
    CloseHandle(opened);
    EXPECT_EQ(OpenMutexA(MUTEX_ALL_ACCESS, FALSE, "KQ21"), 0u);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST(CreateMutex, AnotherProcessHoldingTheNameIsSeenUntilItDies)
{
    testing_support::TempMachine m;
    desktop_tests::ChildProcess running(
        [](const desktop_tests::Channel& parent)
        {
            HANDLE h = CreateMutexA(nullptr, FALSE, "KQ21");
            parent.Send(h != 0 && GetLastError() == ERROR_SUCCESS ? 'n' : 'x');
            parent.Receive(); // runs until killed
            return 0;
        });
    ASSERT_EQ(running.channel().Receive(), 'n');
    auto [second, e2] = create(FALSE, "KQ21");
    EXPECT_EQ(e2, ERROR_ALREADY_EXISTS);
    CloseHandle(second);
    running.Kill();
    running.Wait();
    auto [after, e3] = create(FALSE, "KQ21");
    EXPECT_EQ(e3, ERROR_SUCCESS);
    CloseHandle(after);
}

TEST(CreateMutex, OfTwoProcessesStartedTogetherExactlyOneGetsTheName)
{
    testing_support::TempMachine m;
    for (int round = 0; round < 25; ++round)
    {
        // Each process, like a starting program: create "KQ21", tell, keep it until the end.
        auto instance = [](const desktop_tests::Channel& parent)
        {
            if (parent.Receive() != 'g')
                return 1;
            HANDLE h = CreateMutexA(nullptr, FALSE, "KQ21");
            DWORD error = GetLastError();
            parent.Send(h == 0 ? 'x' : error == ERROR_ALREADY_EXISTS ? 'e' : 'w');
            parent.Receive();
            return 0;
        };
        desktop_tests::ChildProcess a(instance);
        desktop_tests::ChildProcess b(instance);
        a.channel().Send('g');
        b.channel().Send('g');
        auto ra = a.channel().Receive();
        auto rb = b.channel().Receive();
        ASSERT_TRUE(ra && rb);
        EXPECT_EQ((*ra == 'w') + (*rb == 'w'), 1) << round << ": " << *ra << *rb;
        EXPECT_EQ((*ra == 'e') + (*rb == 'e'), 1) << round << ": " << *ra << *rb;
        // Ending without closing the handle releases the name as well.
        a.channel().Send('q');
        b.channel().Send('q');
        EXPECT_EQ(a.Wait(), 0);
        EXPECT_EQ(b.Wait(), 0);
    }
}

} // namespace
