// What wakes a wait on machine files, and what does not: a file replaced whole among the names
// watched (or any name of a folder watched whole, or the folder's appearing), the writes in place
// of a file watched for them, the removal of a folder watched for it, and a wake from another
// thread.

#include "machine/ChangeWatch.h"
#include "machine/FileStore.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <thread>

#include <unistd.h>

namespace
{

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Result = machine::ChangeWatch::Result;

class ChangeWatchTest : public ::testing::Test
{
protected:
    ChangeWatchTest()
        : m_dir(fs::temp_directory_path() / ("change-watch-" + std::to_string(::getpid())))
    {
        fs::remove_all(m_dir);
        fs::create_directories(m_dir / "folder");
        std::ofstream(m_dir / "lock") << "0";
    }
    ~ChangeWatchTest() override { fs::remove_all(m_dir); }

    fs::path m_dir;
};

TEST_F(ChangeWatchTest, EachKindOfWatchWakesForItsOwnChangesOnly)
{
    struct Case
    {
        const char* what;
        std::function<void(machine::ChangeWatch&, const fs::path&)> watch;
        std::function<void(const fs::path&)> change;
        Result expected;
    };
    auto replace = [](const char* name)
    {
        return [name](const fs::path& dir)
        { machine::WriteFileAtomically(dir / "folder" / name, "new"); };
    };
    const Case cases[] = {
        {"a watched name replaced",
         [](auto& w, const fs::path& d) { w.watch(d / "folder", {"windows"}); }, replace("windows"),
         Result::Changed},
        {"another name replaced",
         [](auto& w, const fs::path& d) { w.watch(d / "folder", {"windows"}); }, replace("other"),
         Result::TimedOut},
        {"any name of a folder watched whole",
         [](auto& w, const fs::path& d) { EXPECT_TRUE(w.watchFolder(d / "folder")); },
         replace("1234"), Result::Changed},
        {"a file of it removed",
         [](auto& w, const fs::path& d)
         {
             machine::WriteFileAtomically(d / "folder" / "1234", "old");
             EXPECT_TRUE(w.watchFolder(d / "folder"));
         },
         [](const fs::path& d) { fs::remove(d / "folder" / "1234"); }, Result::Changed},
        {"a folder not there yet, which appears",
         [](auto& w, const fs::path& d)
         {
             EXPECT_TRUE(w.watchFolder(d / "folder" / "tray"));
             EXPECT_FALSE(fs::exists(d / "folder" / "tray")); // watching makes nothing
         },
         [](const fs::path& d) { fs::create_directories(d / "folder" / "tray"); }, Result::Changed},
        {"a write in place of a file watched for them",
         [](auto& w, const fs::path& d) { EXPECT_TRUE(w.watchWrites(d / "lock")); },
         [](const fs::path& d) { std::ofstream(d / "lock", std::ios::app) << "1"; },
         Result::Changed},
        {"a write in place where only renames count",
         [](auto& w, const fs::path& d) { w.watch(d, {"lock"}); },
         [](const fs::path& d) { std::ofstream(d / "lock", std::ios::app) << "1"; },
         Result::TimedOut},
        {"the folder removed",
         [](auto& w, const fs::path& d) { EXPECT_TRUE(w.watchRemoval(d / "folder")); },
         [](const fs::path& d) { fs::remove_all(d / "folder"); }, Result::Changed},
        {"a file of a folder watched for its removal",
         [](auto& w, const fs::path& d) { EXPECT_TRUE(w.watchRemoval(d / "folder")); },
         replace("1234"), Result::TimedOut},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        fs::create_directories(m_dir / "folder");
        machine::ChangeWatch watch;
        c.watch(watch, m_dir);
        ASSERT_TRUE(watch.ok());
        c.change(m_dir);
        EXPECT_EQ(watch.wait(c.expected == Result::Changed ? 10s : 100ms), c.expected);
    }
    // A watch of a file that is not there is no watch.
    machine::ChangeWatch none;
    EXPECT_FALSE(none.watchWrites(m_dir / "missing"));
    EXPECT_FALSE(none.ok());
}

TEST_F(ChangeWatchTest, AWakeEndsTheWaitOfAnotherThread)
{
    machine::ChangeWatch watch;
    ASSERT_TRUE(watch.watchFolder(m_dir / "folder"));
    std::thread waker([&] { watch.wake(); });
    EXPECT_EQ(watch.wait(-1ms), Result::Woken);
    waker.join();
}

} // namespace
