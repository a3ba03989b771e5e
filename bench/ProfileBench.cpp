// A profile save as the client makes it (43 keys written one by one into one section) into a
// settings file of 10, 100, 500 and 2,000 sections: over a profile the file has, as a new
// profile (a new section, every key new), and as keys new to a profile in the middle of the
// file. No anchor on this machine does the same work.
//
// Each key is a whole new file renamed over the old one, so the figures hold the file system's
// cost of that: with TMPDIR on a RAM file system they show the work apart from the disk.

#include "bench/BenchMachine.h"
#include "platform/Windows.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>

namespace
{

using Clock = std::chrono::steady_clock;
constexpr int kKeysPerSave = 43;

enum class Save
{
    Over,     // the keys the section has
    New,      // a new section
    AddedKeys // keys the section in the middle lacks
};

void saveProfiles(benchmark::State& state, Save save)
{
    bench::BenchMachine machine;
    const auto sections = static_cast<int>(state.range(0));
    const std::string file = "C:\\Bench.ini";
    {
        std::ofstream out(machine.root() / "drive" / "c" / "Bench.ini", std::ios::binary);
        for (int s = 0; s < sections; ++s)
        {
            out << "[Profile" << s << "]\r\n";
            for (int k = 0; k < kKeysPerSave; ++k)
                out << "Key" << k << "=value" << k << "\r\n";
        }
    }
    int round = 0;
    Clock::duration writing{};
    for (auto _ : state)
    {
        const std::string section = save == Save::New ? "New" + std::to_string(round)
                                                      : "Profile" + std::to_string(sections / 2);
        auto keyOf = [&](int k) {
            return save == Save::AddedKeys ? "Added" + std::to_string(k)
                                           : "Key" + std::to_string(k);
        };
        const auto start = Clock::now();
        for (int k = 0; k < kKeysPerSave; ++k)
        {
            const std::string value = "saved" + std::to_string(round);
            if (!WritePrivateProfileStringA(section.c_str(), keyOf(k).c_str(), value.c_str(),
                                            file.c_str()))
                std::abort();
        }
        writing += Clock::now() - start;
        if (save == Save::AddedKeys)
        {
            // The section as it was, so that every round adds its keys anew.
            state.PauseTiming();
            for (int k = 0; k < kKeysPerSave; ++k)
                if (!WritePrivateProfileStringA(section.c_str(), keyOf(k).c_str(), nullptr,
                                                file.c_str()))
                    std::abort();
            state.ResumeTiming();
        }
        ++round;
    }
    const double elapsed = std::chrono::duration<double, std::micro>(writing).count();
    state.counters["per_key_us"] =
        elapsed / (kKeysPerSave * static_cast<double>(state.iterations()));
}

void ProfileSave(benchmark::State& state)
{
    saveProfiles(state, Save::Over);
}

void ProfileSaveNew(benchmark::State& state)
{
    saveProfiles(state, Save::New);
}

void ProfileSaveAddedKeys(benchmark::State& state)
{
    saveProfiles(state, Save::AddedKeys);
}

} // namespace

BENCHMARK(ProfileSave)->Arg(10)->Arg(100)->Arg(500)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(ProfileSaveNew)->Arg(10)->Arg(100)->Arg(500)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(ProfileSaveAddedKeys)
    ->Arg(10)
    ->Arg(100)
    ->Arg(500)
    ->Arg(2000)
    ->Unit(benchmark::kMillisecond);
