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

const std::filesystem::path& logPath(const Machine& machine, const std::string& id)
{
    return AdapterFile(machine, id, "requests.log");
}

} // namespace

std::string FormatLogEntry(const LogEntry& e)
{
    char head[160];
    std::snprintf(head, sizeof head, "ioctl=%08X inlen=%u handle=%s %08X len=%u ret=%u %s",
                  e.control, e.inLength, e.handle.c_str(), e.code, e.length, e.returned,
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
    std::string control, inLength, handle, code, len, ret, result, bytesIn, bytesOut;
    if (!(in >> control >> inLength >> handle >> code >> len >> ret >> result >> bytesIn >>
          bytesOut))
        return false;
    if (control.rfind("ioctl=", 0) != 0 || inLength.rfind("inlen=", 0) != 0 ||
        handle.rfind("handle=", 0) != 0 || len.rfind("len=", 0) != 0 || ret.rfind("ret=", 0) != 0 ||
        bytesIn.rfind("in=", 0) != 0 || bytesOut.rfind("out=", 0) != 0 ||
        (result != "ok" && result.rfind("fail=", 0) != 0))
        return false;
    try
    {
        e.control = static_cast<std::uint32_t>(std::stoul(control.substr(6), nullptr, 16));
        e.inLength = static_cast<std::uint32_t>(std::stoul(inLength.substr(6)));
        e.handle = handle.substr(7);
        e.code = static_cast<std::uint32_t>(std::stoul(code, nullptr, 16));
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

void AppendOpenLog(const Machine& machine, const std::string& netCfgInstanceId,
                   const std::string& handle, const std::string& path, std::uint32_t error)
{
    std::string line = "open handle=" + handle + " path=" + path;
    if (error != 0)
        line += " fail=" + std::to_string(error);
    AppendLogLine(machine, logPath(machine, netCfgInstanceId), line);
}

void AppendCloseLog(const Machine& machine, const std::string& netCfgInstanceId,
                    const std::string& handle)
{
    AppendLogLine(machine, logPath(machine, netCfgInstanceId), "close handle=" + handle);
}

std::vector<std::string> ReadDriverLog(const Machine& machine, const std::string& netCfgInstanceId)
{
    return ReadLogLines(machine, logPath(machine, netCfgInstanceId));
}

void ClearRequestLog(const Machine& machine, const std::string& netCfgInstanceId)
{
    ClearLog(machine, logPath(machine, netCfgInstanceId));
}

} // namespace machine::miniport
