#include "machine/registry/KeyPath.h"

namespace machine::registry
{
namespace
{

struct ShortName
{
    const char* shortName;
    const char* fullName;
};

constexpr ShortName kShortNames[] = {
    {"HKLM", kLocalMachine},
    {"HKCU", kCurrentUser},
    {"HKCR", kClassesRoot},
    {"HKU", kUsers},
};

} // namespace

std::optional<std::string> CanonicalRootName(std::string_view name)
{
    for (const char* root : kRootNames)
        if (EqualNoCase(name, root))
            return std::string(root);
    for (const auto& s : kShortNames)
        if (EqualNoCase(name, s.shortName))
            return std::string(s.fullName);
    return std::nullopt;
}

std::optional<KeyPath> ParseKeyPath(std::string_view text)
{
    KeyPath path;
    std::size_t start = 0;
    while (start <= text.size())
    {
        std::size_t end = text.find('\\', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view part = text.substr(start, end - start);
        if (!part.empty())
        {
            if (path.empty())
            {
                auto root = CanonicalRootName(part);
                if (!root)
                    return std::nullopt;
                path.push_back(*root);
            }
            else
            {
                if (!IsValidKeyName(part) || path.size() >= kMaxDepth)
                    return std::nullopt;
                path.emplace_back(part);
            }
        }
        start = end + 1;
    }
    if (path.empty())
        return std::nullopt;
    return path;
}

std::string FormatKeyPath(const KeyPath& path)
{
    std::string out;
    for (const auto& part : path)
    {
        if (!out.empty())
            out += '\\';
        out += part;
    }
    return out;
}

bool SamePath(const KeyPath& a, const KeyPath& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!EqualNoCase(a[i], b[i]))
            return false;
    return true;
}

bool IsValidKeyName(std::string_view name)
{
    if (name.empty() || name.size() > kMaxKeyNameLength)
        return false;
    for (char c : name)
        if (c == '\\' || c == '\r' || c == '\n' || c == '\0')
            return false;
    return true;
}

bool IsValidValueName(std::string_view name)
{
    if (name.size() > kMaxValueNameLength)
        return false;
    for (char c : name)
        if (c == '\r' || c == '\n' || c == '\0')
            return false;
    return true;
}

} // namespace machine::registry
