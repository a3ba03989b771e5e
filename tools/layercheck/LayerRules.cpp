#include "tools/layercheck/LayerRules.h"

#include <algorithm>
#include <fstream>
#include <regex>
#include <set>

namespace layercheck
{

namespace
{

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

// A header of the platform that the layers above it may include.
bool IsPlatformPublic(const std::string& path)
{
    return StartsWith(path, "platform/") && path.find("/internal/") == std::string::npos;
}

bool IsPlatformPublicHeader(const std::string& path)
{
    return IsPlatformPublic(path) && path.size() > 2 && path.compare(path.size() - 2, 2, ".h") == 0;
}

bool MayUse(const Layer& from, const Layer& to)
{
    if (from.name == to.name)
        return true;
    return std::any_of(from.mayInclude.begin(), from.mayInclude.end(),
                       [&](const std::string& name) { return name == "*" || name == to.name; });
}

bool IsSource(const std::filesystem::path& path)
{
    std::string ext = path.extension().string();
    return ext == ".cpp" || ext == ".h";
}

} // namespace

const std::vector<Layer>& ProjectLayers()
{
    static const std::vector<Layer> layers = {
        {"machine", {"machine/"}, {}},
        {"platform", {"platform/"}, {"machine"}},
        {"shared", {"adapter/", "controls/", "resources/common/"}, {"platform"}},
        // The client's access layer lies below its windows and pages (a folder is matched by the
        // first layer that names it).
        {"client access", {"client/access/"}, {"shared", "platform"}},
        {"client", {"client/", "resources/TessarynUI/"}, {"client access", "shared", "platform"}},
        {"accesspoint access", {"accesspoint/access/"}, {"shared", "platform"}},
        {"accesspoint",
         {"accesspoint/", "resources/TessarynAp/"},
         {"accesspoint access", "shared", "platform"}},
        {"uplink", {"uplink/", "resources/UplinkPick/"}, {"shared", "platform"}},
        {"tools and tests", {"tools/", "tests/", "bench/"}, {"*"}},
    };
    return layers;
}

const Layer* LayerOf(const std::string& path, const std::vector<Layer>& layers)
{
    for (const Layer& layer : layers)
    {
        for (const std::string& folder : layer.folders)
        {
            if (StartsWith(path, folder))
                return &layer;
        }
    }
    return nullptr;
}

std::optional<std::string> CheckInclude(const std::string& file, const std::string& target,
                                        const std::vector<Layer>& layers)
{
    const Layer* from = LayerOf(file, layers);
    const Layer* to = LayerOf(target, layers);
    if (from == nullptr)
        return "lies in no layer";
    if (to == nullptr)
        return "includes " + target + ", which lies in no layer";
    if (!MayUse(*from, *to))
        return from->name + " may not include " + target + " (" + to->name + ")";
    // The platform hides the machine and its own internals from the layers above it.
    if (IsPlatformPublicHeader(file) && to->name == "machine")
        return "a public header of the platform may not include " + target + " (machine)";
    if (IsPlatformPublicHeader(file) && to->name == "platform" && !IsPlatformPublic(target))
        return "a public header of the platform may not include " + target +
               " (internal to the platform)";
    if (to->name == "platform" && from->name != "platform" && !IsPlatformPublic(target) &&
        std::find(from->mayInclude.begin(), from->mayInclude.end(), "*") == from->mayInclude.end())
        return from->name + " may not include " + target + " (internal to the platform)";
    return std::nullopt;
}

Report CheckTree(const std::filesystem::path& root, const std::vector<Layer>& layers)
{
    namespace fs = std::filesystem;
    static const std::regex include(R"re(^\s*#\s*include\s*"([^"]+)")re");

    std::set<fs::path> tops;
    for (const Layer& layer : layers)
    {
        for (const std::string& folder : layer.folders)
            tops.insert(root / folder);
    }

    Report report;
    for (const fs::path& top : tops)
    {
        if (!fs::is_directory(top))
            continue;
        std::vector<fs::path> files;
        for (const auto& entry : fs::recursive_directory_iterator(top))
        {
            if (entry.is_regular_file() && IsSource(entry.path()))
                files.push_back(entry.path());
        }
        std::sort(files.begin(), files.end());
        for (const fs::path& path : files)
        {
            std::string file = fs::relative(path, root).generic_string();
            report.files++;
            std::ifstream in(path);
            std::string text;
            for (int line = 1; std::getline(in, text); line++)
            {
                std::smatch m;
                if (!std::regex_search(text, m, include))
                    continue;
                report.includes++;
                if (auto reason = CheckInclude(file, m[1].str(), layers))
                    report.violations.push_back({file, line, m[1].str(), *reason});
            }
        }
    }
    return report;
}

std::string Describe(const Violation& v)
{
    return v.file + ":" + std::to_string(v.line) + ": " + v.reason;
}

} // namespace layercheck
