#include "machine/miniport/RequestLog.h"

#include "machine/FileStore.h"
#include "machine/LineLog.h"
#include "machine/MachineLock.h"
#include "machine/miniport/AdapterState.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace machine::miniport
{
namespace
{

std::string toHex(const std::string& bytes)
{
    if (bytes.empty())
        return "-";
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes)
    {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

bool fromHex(const std::string& text, std::string& out)
{
    out.clear();
    if (text == "-")
        return true;
    if (text.size() % 2 != 0)
        return false;
    for (std::size_t i = 0; i < text.size(); i += 2)
    {
        unsigned v = 0;
        if (std::sscanf(text.c_str() + i, "%2x", &v) != 1)
            return false;
        out += static_cast<char>(v);
    }
    return true;
}

std::filesystem::path logPath(const Machine& machine, const std::string& id)
{
    return AdapterDirectory(machine, id) / "requests.log";
}

} // namespace

std::string FormatLogEntry(const LogEntry& e)
{
    char head[96];
    std::snprintf(head, sizeof head, "%08X len=%u ret=%u %s", e.code, e.length, e.returned,
                  e.ok ? "ok" : "fail");
    std::string line = head;
    if (!e.ok)
        line.append("=").append(std::to_string(e.error));
    line += " in=" + toHex(e.bytesIn) + " out=" + toHex(e.bytesOut);
    return line;
}

bool ParseLogEntry(const std::string& line, LogEntry& e)
{
    std::istringstream in(line);
    std::string code, len, ret, result, bytesIn, bytesOut;
    if (!(in >> code >> len >> ret >> result >> bytesIn >> bytesOut))
        return false;
    try
    {
        e.code = static_cast<std::uint32_t>(std::stoul(code, nullptr, 16));
        if (len.rfind("len=", 0) != 0 || ret.rfind("ret=", 0) != 0 ||
            bytesIn.rfind("in=", 0) != 0 || bytesOut.rfind("out=", 0) != 0)
            return false;
        e.length = static_cast<std::uint32_t>(std::stoul(len.substr(4)));
        e.returned = static_cast<std::uint32_t>(std::stoul(ret.substr(4)));
        e.ok = result == "ok";
        e.error = e.ok ? 0 : static_cast<std::uint32_t>(std::stoul(result.substr(5)));
    }
    catch (const std::exception&)
    {
        return false;
    }
    return fromHex(bytesIn.substr(3), e.bytesIn) && fromHex(bytesOut.substr(4), e.bytesOut);
}

void AppendRequestLog(const Machine& machine, const std::string& netCfgInstanceId,
                      const LogEntry& entry)
{
    AppendLogLine(machine, logPath(machine, netCfgInstanceId), FormatLogEntry(entry));
}

std::vector<LogEntry> ReadRequestLog(const Machine& machine, const std::string& netCfgInstanceId)
{
    std::vector<LogEntry> entries;
    for (const std::string& line : ReadLogLines(machine, logPath(machine, netCfgInstanceId)))
    {
        LogEntry e;
        if (ParseLogEntry(line, e))
            entries.push_back(e);
    }
    return entries;
}

void ClearRequestLog(const Machine& machine, const std::string& netCfgInstanceId)
{
    ClearLog(machine, logPath(machine, netCfgInstanceId));
}

} // namespace machine::miniport
