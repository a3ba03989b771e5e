#include "bench/BenchMachine.h"

#include "machine/Machine.h"

#include <stdexcept>
#include <string>
#include <unistd.h>

namespace bench
{

BenchMachine::BenchMachine()
{
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tessaryn-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    m_root = pattern;
    machine::UseMachine(m_root);
}

BenchMachine::~BenchMachine()
{
    std::error_code ec;
    std::filesystem::remove_all(m_root, ec);
}

} // namespace bench
