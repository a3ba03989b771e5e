#include "machine/bridge/BridgeLog.h"

#include "machine/LineLog.h"

namespace machine::bridge
{
namespace
{

std::filesystem::path logPath(const Machine& machine)
{
    return machine.root() / "bridge" / "requests.log";
}

} // namespace

void AppendBridgeLog(const Machine& machine, const std::string& line)
{
    AppendLogLine(machine, logPath(machine), line);
}

std::vector<std::string> ReadBridgeLog(const Machine& machine)
{
    return ReadLogLines(machine, logPath(machine));
}

void ClearBridgeLog(const Machine& machine)
{
    ClearLog(machine, logPath(machine));
}

} // namespace machine::bridge
