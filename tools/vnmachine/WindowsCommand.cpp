#include "tools/vnmachine/WindowsCommand.h"

#include "machine/Machine.h"
#include "machine/desktop/Desktop.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <optional>

namespace
{

// A 32-bit value: decimal, negative decimal (two's complement), or 0x hexadecimal.
std::optional<std::uint32_t> parseNumber(const std::string& text)
{
    std::string_view digits = text;
    bool negative = false;
    int base = 10;
    if (!digits.empty() && digits[0] == '-')
    {
        negative = true;
        digits.remove_prefix(1);
    }
    else if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X'))
    {
        base = 16;
        digits.remove_prefix(2);
    }
    if (digits.empty() || digits[0] == '-' || digits[0] == '+')
        return std::nullopt;
    std::uint64_t value = 0;
    auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (ec != std::errc() || ptr != digits.data() + digits.size())
        return std::nullopt;
    if (negative ? value > 0x80000000ull : value > 0xFFFFFFFFull)
        return std::nullopt;
    return static_cast<std::uint32_t>(negative ? 0 - value : value);
}

} // namespace

int RunWindowsCommand(const Words& args)
{
    NeedWords(args, 0);
    for (const auto& w : machine::desktop::ListWindows(machine::CurrentMachine()))
    {
        char hwnd[16];
        std::snprintf(hwnd, sizeof hwnd, "0x%08X", w.hwnd);
        std::cout << hwnd << '\t' << w.pid << '\t' << (w.visible ? "visible" : "hidden") << '\t'
                  << machine::desktop::EscapeText(w.className) << '\t'
                  << machine::desktop::EscapeText(w.title) << '\n';
    }
    return 0;
}

int RunPostCommand(const Words& args)
{
    NeedWords(args, 2, 4);
    machine::desktop::PostedMessage message;
    const char* names[] = {"MESSAGE", "WPARAM", "LPARAM"};
    std::uint32_t values[3] = {0, 0, 0};
    for (std::size_t i = 1; i < args.size(); ++i)
    {
        auto value = parseNumber(args[i]);
        if (!value)
        {
            std::cerr << "vnmachine post: " << names[i - 1] << " '" << args[i]
                      << "' is not a 32-bit number (decimal or 0x hexadecimal)\n";
            return 2;
        }
        values[i - 1] = *value;
    }
    message.message = values[0];
    message.wParam = values[1];
    message.lParam = static_cast<std::int32_t>(values[2]);

    const machine::Machine& m = machine::CurrentMachine();
    for (const auto& w : machine::desktop::ListWindows(m))
    {
        if (w.title != args[0])
            continue;
        message.hwnd = w.hwnd;
        if (!machine::desktop::PostToProcess(m, w.pid, message))
        {
            char hwnd[16];
            std::snprintf(hwnd, sizeof hwnd, "0x%08X", w.hwnd);
            std::cerr << "vnmachine post: the program of window " << hwnd << " (pid " << w.pid
                      << ") does not take posts\n";
            return 1;
        }
        return 0;
    }
    std::cerr << "vnmachine post: no window titled \"" << machine::desktop::EscapeText(args[0])
              << "\"\n";
    return 1;
}
