#include "platform/ui/automation/Remote.h"

#include "machine/desktop/Automation.h"
#include "machine/desktop/Desktop.h"

#include <cstdio>
#include <cstdlib>
#include <exception>

namespace platform::automation
{
namespace
{

std::string unescape(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] != '\\' || i + 1 == text.size())
        {
            out += text[i];
            continue;
        }
        const char c = text[++i];
        if (c == 't')
            out += '\t';
        else if (c == 'n')
            out += '\n';
        else if (c == 'x' && i + 2 < text.size())
        {
            out += static_cast<char>(std::strtol(text.substr(i + 1, 2).c_str(), nullptr, 16));
            i += 2;
        }
        else
            out += c;
    }
    return out;
}

} // namespace

std::string JoinRequest(const std::vector<std::string>& fields)
{
    std::string out;
    for (std::size_t i = 0; i < fields.size(); ++i)
    {
        if (i != 0)
            out += '\t';
        out += machine::desktop::EscapeText(fields[i]);
    }
    return out + "\n";
}

std::vector<std::string> SplitRequest(const std::string& request)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;)
    {
        const auto tab = request.find('\t', start);
        fields.push_back(unescape(request.substr(start, tab - start)));
        if (tab == std::string::npos)
            break;
        start = tab + 1;
    }
    return fields;
}

Reply ParseReply(const std::string& reply)
{
    Reply r;
    if (reply.empty())
    {
        // The program took the request and ended before it could reply (a close, say).
        return {true, "the program ended", {}};
    }
    const auto eol = reply.find('\n');
    const std::string head = reply.substr(0, eol);
    r.body = eol == std::string::npos ? std::string() : reply.substr(eol + 1);
    if (head.rfind("ok", 0) == 0)
    {
        r.ok = true;
        r.message = head.size() > 3 ? head.substr(3) : "";
    }
    else
        r.message = head.rfind("error ", 0) == 0 ? head.substr(6) : head;
    return r;
}

Reply AskProgram(int pid, const std::vector<std::string>& fields)
{
    return AskProgram(pid, fields, std::chrono::seconds(15));
}

Reply AskProgram(int pid, const std::vector<std::string>& fields, std::chrono::milliseconds timeout)
{
    try
    {
        auto answer = machine::desktop::AskProcess(machine::CurrentMachine(), pid,
                                                   JoinRequest(fields), timeout);
        if (!answer)
            return {false, "program " + std::to_string(pid) + " does not answer", {}};
        return ParseReply(*answer);
    }
    catch (const std::exception& e)
    {
        return {false, e.what(), {}};
    }
}

std::string HandleText(HWND hwnd)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08X", static_cast<unsigned>(hwnd));
    return buffer;
}

std::optional<HWND> ParseHandle(const std::string& text)
{
    if (text.empty())
        return std::nullopt;
    char* end = nullptr;
    const unsigned long value = std::strtoul(text.c_str(), &end, 0);
    if (end == nullptr || *end != '\0' || value > 0xFFFFFFFFul)
        return std::nullopt;
    return static_cast<HWND>(value);
}

} // namespace platform::automation
