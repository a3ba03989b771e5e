// A profile save as the client makes it (43 keys written one by one into one section) into a
// settings file of 10, 100, 500 and 2,000 sections: over a profile the file has, and as a new
// profile (a new section, every key new). No anchor on this machine does the same work.

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

void saveProfiles(benchmark::State& state, bool asNew)
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
    const auto start = Clock::now();
    for (auto _ : state)
    {
        const std::string section =
            asNew ? "New" + std::to_string(round) : "Profile" + std::to_string(sections / 2);
        for (int k = 0; k < kKeysPerSave; ++k)
        {
            const std::string key = "Key" + std::to_string(k);
            const std::string value = "saved" + std::to_string(round);
            if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                            file.c_str()))
                std::abort();
        }
        ++round;
    }
    const double elapsed = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
    state.counters["per_key_us"] =
        elapsed / (kKeysPerSave * static_cast<double>(state.iterations()));
}

void ProfileSave(benchmark::State& state)
{
    saveProfiles(state, false);
}

void ProfileSaveNew(benchmark::State& state)
{
    saveProfiles(state, true);
}

} // namespace

BENCHMARK(ProfileSave)->Arg(10)->Arg(100)->Arg(500)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(ProfileSaveNew)->Arg(10)->Arg(100)->Arg(500)->Arg(2000)->Unit(benchmark::kMillisecond);
