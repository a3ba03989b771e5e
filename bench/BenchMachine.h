#pragma once
// A fresh machine in a temporary directory for one benchmark; removed afterwards. The process
// runs on it while it lives.

#include <filesystem>

namespace bench
{

class BenchMachine
{
public:
    BenchMachine();
    ~BenchMachine();
    BenchMachine(const BenchMachine&) = delete;
    BenchMachine& operator=(const BenchMachine&) = delete;

    const std::filesystem::path& root() const { return m_root; }

private:
    std::filesystem::path m_root;
};

} // namespace bench
