#include "machine/desktop/Tray.h"

#include "machine/FileStore.h"
#include "machine/ParsedFile.h"
#include "machine/desktop/DesktopLog.h"
#include "machine/desktop/RuntimeFolder.h"
#include "tests/machine/desktop/ChildProcess.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

namespace
{

using machine::desktop::ApplyTrayCommand;
using machine::desktop::ListTrayIcons;
using machine::desktop::TrayCommand;
using machine::desktop::TrayIcon;
using machine::desktop::TrayOutcome;

TrayIcon icon(std::uint32_t hwnd, std::uint32_t uid, std::string tip)
{
    TrayIcon i;
    i.hwnd = hwnd;
    i.uid = uid;
    i.callbackMessage = 0x0464;
    i.icon = 0x7000;
    i.iconResource = 161;
    i.tip = std::move(tip);
    return i;
}

class TrayStoreTest : public ::testing::Test
{
protected:
    testing_support::TempMachine m_machine;
    const machine::Machine& m() { return machine::CurrentMachine(); }
};

TEST_F(TrayStoreTest, IconsOfOtherProcessesAreSeenUntilTheyEnd)
{
    desktop_tests::ChildProcess child(
        [&](const desktop_tests::Channel& parent)
        {
            bool ok = ApplyTrayCommand(m(), TrayCommand::Add, icon(0x10010, 161, "tab\there")) ==
                          TrayOutcome::Done &&
                      ApplyTrayCommand(m(), TrayCommand::Add, icon(0x10010, 162, "second")) ==
                          TrayOutcome::Done;
            parent.Send(ok ? 'y' : 'n');
            parent.Receive(); // stay until told
            return 0;
        });
    ASSERT_EQ(child.channel().Receive(), std::optional<char>('y'));

    auto icons = ListTrayIcons(m());
    ASSERT_EQ(icons.size(), 2u);
    EXPECT_EQ(icons[0].pid, child.pid());
    EXPECT_EQ(icons[0].hwnd, 0x10010u);
    EXPECT_EQ(icons[0].uid, 161u);
    EXPECT_EQ(icons[0].callbackMessage, 0x0464u);
    EXPECT_EQ(icons[0].iconResource, 161u);
    EXPECT_EQ(icons[0].tip, "tab\there");
    EXPECT_EQ(icons[1].uid, 162u);

    // This process has none of them to change.
    EXPECT_EQ(ApplyTrayCommand(m(), TrayCommand::Delete, icon(0x10010, 161, "")),
              TrayOutcome::Missing);

    child.Kill();
    child.Wait();
    EXPECT_TRUE(ListTrayIcons(m()).empty());
}

TEST_F(TrayStoreTest, RefusalsInjectedByOneProcessApplyToAnother)
{
    machine::desktop::InjectTrayRefusal(m(), TrayCommand::Modify, 1);
    desktop_tests::ChildProcess child(
        [&](const desktop_tests::Channel&)
        {
            if (ApplyTrayCommand(m(), TrayCommand::Add, icon(0x10020, 1, "a")) != TrayOutcome::Done)
                return 1;
            if (ApplyTrayCommand(m(), TrayCommand::Modify, icon(0x10020, 1, "b")) !=
                TrayOutcome::Refused)
                return 2;
            if (ApplyTrayCommand(m(), TrayCommand::Modify, icon(0x10020, 1, "c")) !=
                TrayOutcome::Done)
                return 3;
            return 0;
        });
    EXPECT_EQ(child.Wait(), 0);
    EXPECT_EQ(machine::desktop::PendingTrayRefusals(m(), TrayCommand::Modify), 0);
}

// This process has looked at the refusals (there were none) before another process injects
// some, changes them and clears them: each change is seen at the next command.
TEST_F(TrayStoreTest, RefusalsChangedLaterByAnotherProcessAreSeen)
{
    ASSERT_EQ(ApplyTrayCommand(m(), TrayCommand::Add, icon(0x10050, 1, "a")), TrayOutcome::Done);
    ASSERT_EQ(ApplyTrayCommand(m(), TrayCommand::Modify, icon(0x10050, 1, "a")), TrayOutcome::Done);
    auto fromAnotherProcess = [&](int count)
    {
        desktop_tests::ChildProcess child(
            [&](const desktop_tests::Channel&)
            {
                machine::desktop::InjectTrayRefusal(m(), TrayCommand::Modify, count);
                return 0;
            });
        return child.Wait();
    };
    ASSERT_EQ(fromAnotherProcess(2), 0);
    EXPECT_EQ(ApplyTrayCommand(m(), TrayCommand::Modify, icon(0x10050, 1, "b")),
              TrayOutcome::Refused);
    EXPECT_EQ(machine::desktop::PendingTrayRefusals(m(), TrayCommand::Modify), 1);
    // A count of the same length as the one this process wrote last.
    ASSERT_EQ(fromAnotherProcess(3), 0);
    EXPECT_EQ(ApplyTrayCommand(m(), TrayCommand::Modify, icon(0x10050, 1, "b")),
              TrayOutcome::Refused);
    EXPECT_EQ(machine::desktop::PendingTrayRefusals(m(), TrayCommand::Modify), 2);
    ASSERT_EQ(fromAnotherProcess(0), 0);
    EXPECT_EQ(ApplyTrayCommand(m(), TrayCommand::Modify, icon(0x10050, 1, "b")), TrayOutcome::Done);
}

// The same icon set again writes nothing while the file holds it, but brings back a file that
// was removed or written over by someone else.
TEST_F(TrayStoreTest, TheSameIconAgainMendsAFileThatNoLongerHoldsIt)
{
    ASSERT_EQ(ApplyTrayCommand(m(), TrayCommand::Add, icon(0x10060, 1, "kept")), TrayOutcome::Done);
    const auto file = machine::desktop::detail::TrayDir(m()) / std::to_string(::getpid());
    const std::string kept = machine::ReadWholeFile(file).value_or("");
    struct Case
    {
        const char* what;
        std::function<void()> damage;
    } cases[] = {
        {"removed", [&] { std::filesystem::remove(file); }},
        {"written over",
         [&]
         {
             ASSERT_TRUE(machine::WriteFileAtomically(file, "tessaryn-tray 1\n",
                                                      machine::FileAccess::Everyone));
         }},
    };
    for (const Case& c : cases)
    {
        c.damage();
        ASSERT_EQ(ApplyTrayCommand(m(), TrayCommand::Modify, icon(0x10060, 1, "kept")),
                  TrayOutcome::Done)
            << c.what;
        EXPECT_EQ(machine::ReadWholeFile(file), kept) << c.what;
        const auto version = machine::VersionOf(file);
        ASSERT_EQ(ApplyTrayCommand(m(), TrayCommand::Modify, icon(0x10060, 1, "kept")),
                  TrayOutcome::Done);
        EXPECT_EQ(machine::VersionOf(file), version) << c.what << ": written again for nothing";
    }
}

TEST_F(TrayStoreTest, AModifyChangesOnlyTheNamedFields)
{
    ASSERT_EQ(ApplyTrayCommand(m(), TrayCommand::Add, icon(0x10030, 5, "first")),
              TrayOutcome::Done);
    machine::desktop::TrayFields tipOnly{false, false, true};
    TrayIcon change = icon(0x10030, 5, "second");
    change.icon = 0x9999;
    change.callbackMessage = 0x1234;
    ASSERT_EQ(ApplyTrayCommand(m(), TrayCommand::Modify, change, tipOnly), TrayOutcome::Done);
    auto icons = ListTrayIcons(m());
    ASSERT_EQ(icons.size(), 1u);
    EXPECT_EQ(icons[0].tip, "second");
    EXPECT_EQ(icons[0].icon, 0x7000u);
    EXPECT_EQ(icons[0].callbackMessage, 0x0464u);
    EXPECT_EQ(ApplyTrayCommand(m(), TrayCommand::Add, icon(0x10030, 5, "x")),
              TrayOutcome::Duplicate);
}

TEST_F(TrayStoreTest, DamagedLinesOfAnIconFileArePassedOver)
{
    ASSERT_EQ(ApplyTrayCommand(m(), TrayCommand::Add, icon(0x10040, 1, "kept")), TrayOutcome::Done);
    // Tips with bad escapes, a field that is no number, too few fields, an unfinished line.
    const std::string file = "tessaryn-tray 1\n"
                             "10040\t1\t464\t7000\t161\tkept\\x41\n"
                             "10040\t2\t464\t7000\t161\tbad \\xzz\n"
                             "10040\t3\t464\t7000\t161\tbad \\x4\n"
                             "10040\t4\t464\t7000\t161\tbad \\q\n"
                             "10040\t5\t464\tnothex\t161\tbad\n"
                             "10040\t6\t464\n"
                             "10040\t7\t464\t7000\t161\tunfinished";
    ASSERT_TRUE(machine::WriteFileAtomically(machine::desktop::detail::TrayDir(m()) /
                                                 std::to_string(::getpid()),
                                             file, machine::FileAccess::Everyone));
    auto icons = ListTrayIcons(m());
    ASSERT_EQ(icons.size(), 1u);
    EXPECT_EQ(icons[0].uid, 1u);
    EXPECT_EQ(icons[0].tip, "keptA");
}

} // namespace

// A program sets its icon on every tick: the same icon again leaves the file as it was.
TEST_F(TrayStoreTest, TheFileIsWrittenOnlyWhenAnIconChanges)
{
    ASSERT_EQ(ApplyTrayCommand(m(), TrayCommand::Add, icon(0x10010, 1, "Ready")),
              TrayOutcome::Done);
    const auto file = machine::desktop::detail::TrayDir(m()) / std::to_string(::getpid());
    const auto first = machine::VersionOf(file);
    ASSERT_TRUE(first);
    ASSERT_EQ(ApplyTrayCommand(m(), TrayCommand::Modify, icon(0x10010, 1, "Ready")),
              TrayOutcome::Done);
    EXPECT_EQ(machine::VersionOf(file), first);
    ASSERT_EQ(ApplyTrayCommand(m(), TrayCommand::Modify, icon(0x10010, 1, "Connected")),
              TrayOutcome::Done);
    EXPECT_NE(machine::VersionOf(file)->inode, first->inode);
    ASSERT_EQ(ListTrayIcons(m()).size(), 1u);
    EXPECT_EQ(ListTrayIcons(m())[0].tip, "Connected");

    // What a person sees change is logged; the unchanged set again is not.
    ASSERT_EQ(ApplyTrayCommand(m(), TrayCommand::Delete, icon(0x10010, 1, "")), TrayOutcome::Done);
    const std::string pid = std::to_string(::getpid());
    EXPECT_EQ(machine::desktop::ReadDesktopLog(m()),
              (std::vector<std::string>{
                  "tray add pid=" + pid + " uid=1 icon=161 tip=\"Ready\"",
                  "tray modify pid=" + pid + " uid=1 icon=161 tip=\"Connected\"",
                  "tray delete pid=" + pid + " uid=1",
              }));
}
