#include "tools/vnmachine/WindowTree.h"

#include "platform/ui/automation/Remote.h"
#include "tools/vnmachine/DesktopLookup.h"

#include <iostream>

namespace
{

// The document as the program wrote it, or nullopt with the reason on err.
template <typename Json> std::optional<Json> askTree(const std::string& which, std::ostream& err)
{
    auto w = FindWindow(which);
    if (!w)
    {
        err << "vnmachine: no window '" << which << "'\n";
        return std::nullopt;
    }
    const auto reply = platform::automation::AskProgram(
        w->pid, {"tree", platform::automation::HandleText(w->hwnd)});
    if (!reply.ok)
    {
        err << "vnmachine: " << reply.message << "\n";
        return std::nullopt;
    }
    // The window went between the look-up and the request: its program answers nothing.
    auto tree = Json::parse(reply.body, nullptr, false);
    if (tree.is_discarded() || !tree.is_object())
    {
        err << "vnmachine: no window '" << which << "'\n";
        return std::nullopt;
    }
    return tree;
}

} // namespace

std::optional<nlohmann::json> AskWindowTree(const std::string& which, std::ostream& err)
{
    return askTree<nlohmann::json>(which, err);
}

int PrintWindowTree(const std::string& which, std::ostream& err)
{
    // In the program's order of fields, the handle and kind first, as people read them.
    auto tree = askTree<nlohmann::ordered_json>(which, err);
    if (!tree)
        return 1;
    std::cout << tree->dump(2) << "\n";
    return 0;
}

std::string TreeText(const nlohmann::json& node, const char* key)
{
    auto it = node.find(key);
    return it != node.end() && it->is_string() ? it->get<std::string>() : std::string();
}

long TreeNumber(const nlohmann::json& node, const char* key, long otherwise)
{
    auto it = node.find(key);
    return it != node.end() && it->is_number() ? it->get<long>() : otherwise;
}

bool TreeFlag(const nlohmann::json& node, const char* key)
{
    auto it = node.find(key);
    return it != node.end() && it->is_boolean() && it->get<bool>();
}

std::uint32_t TreeStyle(const nlohmann::json& node)
{
    return static_cast<std::uint32_t>(TreeNumber(node, "style"));
}

std::vector<std::string> TreeTexts(const nlohmann::json& node, const char* key)
{
    std::vector<std::string> texts;
    auto it = node.find(key);
    if (it != node.end() && it->is_array())
        for (const auto& t : *it)
            texts.push_back(t.is_string() ? t.get<std::string>() : std::string());
    return texts;
}

const nlohmann::json& TreeChildren(const nlohmann::json& node)
{
    static const nlohmann::json none = nlohmann::json::array();
    auto it = node.find("children");
    return it != node.end() && it->is_array() ? *it : none;
}
