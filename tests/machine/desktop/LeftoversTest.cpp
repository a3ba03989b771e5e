// What processes leave in a machine folder: a normal exit takes its run-folder entries along;
// whatever a killed process left (half-written files, entries) goes when a process next opens
// the machine.

#include "machine/FileStore.h"
#include "machine/Machine.h"
#include "machine/desktop/Automation.h"
#include "machine/desktop/Desktop.h"
#include "tests/machine/desktop/ChildProcess.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>

namespace
{

namespace desktop = machine::desktop;
namespace fs = std::filesystem;

pid_t deadPid()
{
    pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(0);
    ::waitpid(pid, nullptr, 0);
    return pid;
}

void touch(const fs::path& path)
{
    std::ofstream(path) << "half";
}

// The run-folder entries of a process.
std::vector<fs::path> entriesOf(const machine::Machine& m, int pid)
{
    const std::string name = std::to_string(pid);
    std::vector<fs::path> found;
    for (const auto& path : {m.runtimeDir() / "procs" / (name + ".alive"),
                             m.runtimeDir() / "sock" / name, m.runtimeDir() / "ui" / name})
        if (fs::exists(path))
            found.push_back(path);
    return found;
}

// A child that receives posts until it is told how to end: 'x' exit normally, else be killed.
desktop_tests::ChildProcess receivingChild(const machine::Machine& m)
{
    return desktop_tests::ChildProcess(
        [&m](const desktop_tests::Channel& parent)
        {
            desktop::SetAutomationHandler([](const std::string&) { return std::string(); });
            if (!desktop::StartReceiving(m, [](const desktop::PostedMessage&) {}))
                return 1;
            parent.Send('r');
            if (parent.Receive() == 'x')
                std::exit(0);
            return 2;
        });
}

TEST(Leftovers, ANormalExitTakesItsRunFolderEntriesAlong)
{
    testing_support::TempMachine m;
    auto child = receivingChild(m.machine());
    ASSERT_EQ(child.channel().Receive(), 'r');
    const int pid = child.pid();
    EXPECT_EQ(entriesOf(m.machine(), pid).size(), 3u);
    child.channel().Send('x');
    EXPECT_EQ(child.Wait(), 0);
    EXPECT_TRUE(entriesOf(m.machine(), pid).empty());
}

TEST(Leftovers, WhatAKilledProcessLeftGoesWhenTheMachineIsNextOpened)
{
    testing_support::TempMachine m;
    auto child = receivingChild(m.machine());
    ASSERT_EQ(child.channel().Receive(), 'r');
    const int pid = child.pid();
    child.Kill();
    child.Wait();
    ASSERT_EQ(entriesOf(m.machine(), pid).size(), 3u);

    const fs::path root = m.machine().root();
    const std::string dead = std::to_string(deadPid());
    const std::string alive = std::to_string(::getpid());
    const fs::path stale[] = {root / ("registry.reg.tmp" + dead + ".3"),
                              m.machine().driveDir('C') / ("Setting.ini.tmp" + dead + ".0")};
    const fs::path kept[] = {root / ("registry.reg.tmp" + alive + ".1"), // a writer that runs
                             root / ("notes.tmp" + dead), root / ("notes.tmp" + dead + ".x"),
                             root / "registry.reg"};
    for (const auto& path : stale)
        touch(path);
    for (const auto& path : kept)
        if (!fs::exists(path))
            touch(path);

    machine::UseMachine(root);
    for (const auto& path : stale)
        EXPECT_FALSE(fs::exists(path)) << path;
    for (const auto& path : kept)
        EXPECT_TRUE(fs::exists(path)) << path;
    EXPECT_TRUE(entriesOf(m.machine(), pid).empty());
}

} // namespace
