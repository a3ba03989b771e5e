#include "machine/miniport/RequestLog.h"

#include "machine/FileStore.h"
#include "machine/LineLog.h"
#include "machine/MachineLock.h"
#include "machine/miniport/AdapterState.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace machine::miniport
{
namespace
{

void appendHex(std::string& out, const std::string& bytes)
{
    if (bytes.empty())
    {
        out += '-';
        return;
    }
    static const char digits[] = "0123456789abcdef";
    const std::size_t at = out.size();
    out.resize(at + 2 * bytes.size());
    char* p = out.data() + at;
    for (unsigned char c : bytes)
    {
        *p++ = digits[c >> 4];
        *p++ = digits[c & 15];
    }
}

// Upper-case hexadecimal of all eight digits, as "%08X" writes it.
void appendHex32(std::string& out, std::uint32_t v)
{
    static const char digits[] = "0123456789ABCDEF";
    for (int shift = 28; shift >= 0; shift -= 4)
        out += digits[(v >> shift) & 15];
}

void appendDecimal(std::string& out, std::uint32_t v)
{
    char text[10];
    out.append(text, std::to_chars(text, text + sizeof text, v).ptr);
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
    // Built by hand: a request writes one of these, and formatting through printf cost as much as
    // the rest of the request.
    std::string line;
    line.reserve(96 + e.handle.size() + 2 * (e.bytesIn.size() + e.bytesOut.size()));
    line += "ioctl=";
    appendHex32(line, e.control);
    line += " inlen=";
    appendDecimal(line, e.inLength);
    line.append(" handle=").append(e.handle).append(" ");
    appendHex32(line, e.code);
    line += " len=";
    appendDecimal(line, e.length);
    line += " ret=";
    appendDecimal(line, e.returned);
    if (e.ok)
        line += " ok";
    else
    {
        line += " fail=";
        appendDecimal(line, e.error);
    }
    line += " in=";
    appendHex(line, e.bytesIn);
    line += " out=";
    appendHex(line, e.bytesOut);
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
