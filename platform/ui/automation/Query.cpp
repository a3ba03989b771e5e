#include "platform/ui/automation/Query.h"

#include "platform/ui/automation/Actions.h"
#include "platform/ui/automation/Describe.h"

#include <cstdlib>

namespace platform::automation
{

std::optional<ControlState> QueryControl(HWND window, const std::string& control)
{
    const HWND hwnd = FindControl(window, control);
    if (hwnd == 0)
        return std::nullopt;
    auto node = Describe(hwnd);
    if (!node)
        return std::nullopt;
    ControlState state;
    state.text = node->text;
    state.rows = static_cast<int>(node->kind == ControlKind::ListView ? node->rows.size()
                                                                      : node->items.size());
    return state;
}

std::string FormatControlState(const ControlState& state)
{
    return "rows " + std::to_string(state.rows) + "\ntext " + state.text;
}

std::optional<ControlState> ParseControlState(const std::string& body)
{
    const auto lineEnd = body.find('\n');
    if (body.rfind("rows ", 0) != 0 || lineEnd == std::string::npos ||
        body.compare(lineEnd + 1, 5, "text ") != 0)
        return std::nullopt;
    ControlState state;
    state.rows = std::atoi(body.c_str() + 5);
    state.text = body.substr(lineEnd + 6);
    return state;
}

} // namespace platform::automation
