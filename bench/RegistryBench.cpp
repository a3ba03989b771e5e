// The registry at 1,000, 10,000 and 50,000 values of one key beside SQLite in WAL mode doing the
// same work on the same data: a load (our hive text parsed / the database opened and its first
// row read), a set of an existing value and a query of one. Each iteration does both, so they
// see the same machine conditions; "ours_us", "sqlite_us" and "ratio" (ours / SQLite) are
// printed per operation. SQLite runs with synchronous=NORMAL: neither side syncs to disk on a
// change. Our sets run long enough to include their share of the journal's folds into the hive,
// as SQLite's include its checkpoints.

#include "bench/BenchMachine.h"
#include "machine/registry/HiveText.h"
#include "platform/Windows.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

namespace
{

using Clock = std::chrono::steady_clock;
const char kKey[] = "SOFTWARE\\Tessaryn\\Bench";

std::string valueName(std::size_t i)
{
    return "Value" + std::to_string(i);
}

std::string hiveText(std::size_t values)
{
    std::string text = std::string(machine::registry::kHiveSignature) +
                       "\r\n\r\n[HKEY_LOCAL_MACHINE\\" + kKey + "]\r\n";
    for (std::size_t i = 0; i < values; ++i)
        text += "\"" + valueName(i) + "\"=dword:00000001\r\n";
    return text + "\r\n";
}

void check(int rc, int expected = SQLITE_OK)
{
    if (rc != expected)
        std::abort();
}

// The same values in SQLite: one row per value, found by key and case-folded name.
class SqliteStore
{
public:
    SqliteStore(const std::filesystem::path& file, std::size_t values) : m_file(file)
    {
        check(sqlite3_open(m_file.c_str(), &m_db));
        check(sqlite3_exec(m_db,
                           "CREATE TABLE value(key TEXT, name TEXT COLLATE NOCASE, type INTEGER,"
                           " data BLOB, PRIMARY KEY(key, name)) WITHOUT ROWID;",
                           nullptr, nullptr, nullptr));
        close();
        open();
        check(sqlite3_exec(m_db, "BEGIN;", nullptr, nullptr, nullptr));
        for (std::size_t i = 0; i < values; ++i)
            set(valueName(i), 1);
        check(sqlite3_exec(m_db, "COMMIT;", nullptr, nullptr, nullptr));
    }
    ~SqliteStore() { close(); }

    void open()
    {
        check(sqlite3_open(m_file.c_str(), &m_db));
        check(sqlite3_exec(m_db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;", nullptr,
                           nullptr, nullptr));
        check(sqlite3_prepare_v2(m_db, "INSERT OR REPLACE INTO value VALUES(?1, ?2, 4, ?3)", -1,
                                 &m_set, nullptr));
        check(sqlite3_prepare_v2(m_db, "SELECT type, data FROM value WHERE key=?1 AND name=?2", -1,
                                 &m_get, nullptr));
    }

    void close()
    {
        sqlite3_finalize(m_set);
        sqlite3_finalize(m_get);
        sqlite3_close(m_db);
        m_set = m_get = nullptr;
        m_db = nullptr;
    }

    void set(const std::string& name, std::uint32_t data)
    {
        sqlite3_bind_text(m_set, 1, kKey, -1, SQLITE_STATIC);
        sqlite3_bind_text(m_set, 2, name.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_blob(m_set, 3, &data, sizeof data, SQLITE_TRANSIENT);
        check(sqlite3_step(m_set), SQLITE_DONE);
        sqlite3_reset(m_set);
    }

    std::uint32_t get(const std::string& name)
    {
        sqlite3_bind_text(m_get, 1, kKey, -1, SQLITE_STATIC);
        sqlite3_bind_text(m_get, 2, name.c_str(), -1, SQLITE_TRANSIENT);
        check(sqlite3_step(m_get), SQLITE_ROW);
        std::uint32_t data = 0;
        std::memcpy(&data, sqlite3_column_blob(m_get, 1), sizeof data);
        sqlite3_reset(m_get);
        return data;
    }

private:
    std::filesystem::path m_file;
    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_set = nullptr;
    sqlite3_stmt* m_get = nullptr;
};

// A machine whose registry holds `values` values under HKLM\kKey, and the same in SQLite.
struct Stores
{
    explicit Stores(std::size_t values) : text(hiveText(values))
    {
        std::ofstream(machine.root() / "registry.reg", std::ios::binary) << text;
        sqlite = std::make_unique<SqliteStore>(machine.root() / "bench.sqlite", values);
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
            std::abort();
    }
    ~Stores() { RegCloseKey(key); }

    bench::BenchMachine machine;
    std::string text;
    std::unique_ptr<SqliteStore> sqlite;
    HKEY key = 0;
};

// Runs ours(i) and theirs(i) in turn each iteration, with i counting iterations, and prints
// their times per operation and the ratio.
template <typename Ours, typename Theirs>
void compare(benchmark::State& state, Ours ours, Theirs theirs)
{
    Clock::duration oursTime{}, theirsTime{};
    std::size_t i = 0;
    for (auto _ : state)
    {
        const auto t0 = Clock::now();
        ours(i);
        const auto t1 = Clock::now();
        theirs(i++);
        oursTime += t1 - t0;
        theirsTime += Clock::now() - t1;
    }
    const double n = static_cast<double>(state.iterations());
    const double oursUs = std::chrono::duration<double, std::micro>(oursTime).count() / n;
    const double theirsUs = std::chrono::duration<double, std::micro>(theirsTime).count() / n;
    state.counters["ours_us"] = oursUs;
    state.counters["sqlite_us"] = theirsUs;
    state.counters["ratio"] = theirsUs > 0 ? oursUs / theirsUs : 0;
}

// The values are visited in a scattered order.
std::string visited(std::size_t i, std::size_t values)
{
    return valueName(i * 7919 % values);
}

void RegistryLoad(benchmark::State& state)
{
    Stores stores(static_cast<std::size_t>(state.range(0)));
    compare(
        state,
        [&](std::size_t)
        {
            machine::registry::Hive hive;
            if (!machine::registry::ApplyHiveText(stores.text, hive).ok)
                std::abort();
            benchmark::DoNotOptimize(hive);
        },
        [&](std::size_t)
        {
            stores.sqlite->close();
            stores.sqlite->open();
            benchmark::DoNotOptimize(stores.sqlite->get(valueName(0)));
        });
}

void RegistrySet(benchmark::State& state)
{
    const auto values = static_cast<std::size_t>(state.range(0));
    Stores stores(values);
    compare(
        state,
        [&](std::size_t i)
        {
            const DWORD data = static_cast<DWORD>(i);
            if (RegSetValueExA(stores.key, visited(i, values).c_str(), 0, REG_DWORD,
                               reinterpret_cast<const BYTE*>(&data), sizeof data) != ERROR_SUCCESS)
                std::abort();
        },
        [&](std::size_t i) { stores.sqlite->set(visited(i, values), static_cast<DWORD>(i)); });
}

void RegistryQuery(benchmark::State& state)
{
    const auto values = static_cast<std::size_t>(state.range(0));
    Stores stores(values);
    compare(
        state,
        [&](std::size_t i)
        {
            DWORD type = 0, data = 0, size = sizeof data;
            if (RegQueryValueExA(stores.key, visited(i, values).c_str(), nullptr, &type,
                                 reinterpret_cast<BYTE*>(&data), &size) != ERROR_SUCCESS)
                std::abort();
            benchmark::DoNotOptimize(data);
        },
        [&](std::size_t i) { benchmark::DoNotOptimize(stores.sqlite->get(visited(i, values))); });
}

} // namespace

BENCHMARK(RegistryLoad)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(RegistrySet)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMicrosecond);
BENCHMARK(RegistryQuery)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMicrosecond);
