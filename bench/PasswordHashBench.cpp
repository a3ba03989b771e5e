// The WPA key derivation (4096 iterations, 32 bytes used) against OpenSSL's PBKDF2 on the same
// passphrase and SSID. PskVsOpenSsl times both in one loop and reports ours / OpenSSL as "ratio".

#include "adapter/crypto/PasswordHash.h"
#include "adapter/crypto/Sha1.h"

#include <benchmark/benchmark.h>
#include <openssl/evp.h>

#include <chrono>
#include <cstdlib>
#include <cstring>

namespace
{

const char kPassphrase[] = "ThisIsAPassword";
const BYTE kSsid[] = {'T', 'h', 'i', 's', 'I', 's', 'A', 'S', 'S', 'I', 'D'};
constexpr int kIterations = 4096;
constexpr int kKeyBytes = 32;

void DeriveOurs(BYTE* out)
{
    if (PasswordHash(kPassphrase, kSsid, sizeof kSsid, out) != 1)
        std::abort();
}

void DeriveOpenSsl(BYTE* out)
{
    if (PKCS5_PBKDF2_HMAC_SHA1(kPassphrase, static_cast<int>(std::strlen(kPassphrase)), kSsid,
                               sizeof kSsid, kIterations, kKeyBytes, out) != 1)
        std::abort();
}

void PskOurs(benchmark::State& state)
{
    state.SetLabel(Sha1UseAcceleration(true) ? "SHA instructions" : "portable");
    BYTE out[40];
    for (auto _ : state)
    {
        DeriveOurs(out);
        benchmark::DoNotOptimize(out);
    }
}

void PskOursPortable(benchmark::State& state)
{
    Sha1UseAcceleration(false);
    BYTE out[40];
    for (auto _ : state)
    {
        DeriveOurs(out);
        benchmark::DoNotOptimize(out);
    }
    Sha1UseAcceleration(true);
}

void PskOpenSsl(benchmark::State& state)
{
    BYTE out[kKeyBytes];
    for (auto _ : state)
    {
        DeriveOpenSsl(out);
        benchmark::DoNotOptimize(out);
    }
}

// Both derivations alternate in each iteration, so they see the same machine conditions.
void PskVsOpenSsl(benchmark::State& state)
{
    Sha1UseAcceleration(true);
    using Clock = std::chrono::steady_clock;
    Clock::duration ours{}, theirs{};
    BYTE oursOut[40], theirsOut[kKeyBytes];
    for (auto _ : state)
    {
        const auto t0 = Clock::now();
        DeriveOurs(oursOut);
        const auto t1 = Clock::now();
        DeriveOpenSsl(theirsOut);
        const auto t2 = Clock::now();
        ours += t1 - t0;
        theirs += t2 - t1;
        benchmark::DoNotOptimize(oursOut);
        benchmark::DoNotOptimize(theirsOut);
    }
    if (std::memcmp(oursOut, theirsOut, kKeyBytes) != 0)
    {
        state.SkipWithError("the two derivations disagree");
        return;
    }
    const double n = static_cast<double>(state.iterations());
    const double oursMs = std::chrono::duration<double, std::milli>(ours).count() / n;
    const double theirsMs = std::chrono::duration<double, std::milli>(theirs).count() / n;
    state.counters["ours_ms"] = oursMs;
    state.counters["openssl_ms"] = theirsMs;
    state.counters["ratio"] = oursMs / theirsMs;
}

} // namespace

BENCHMARK(PskOurs)->Unit(benchmark::kMillisecond);
BENCHMARK(PskOursPortable)->Unit(benchmark::kMillisecond);
BENCHMARK(PskOpenSsl)->Unit(benchmark::kMillisecond);
BENCHMARK(PskVsOpenSsl)->Unit(benchmark::kMillisecond);
