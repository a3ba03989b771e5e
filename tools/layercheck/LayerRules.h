#pragma once
// The layers of the tree and which may include which. A file belongs to a layer by the folder it
// lies in; it may include files of its own layer and of the layers below it that it names, and
// only the platform's public headers: those outside an `internal/` folder, which in turn may
// include nothing of the machine and none of the platform's internal headers.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace layercheck
{

struct Layer
{
    std::string name;
    std::vector<std::string> folders;    // paths from the root, each ending in '/'
    std::vector<std::string> mayInclude; // names of other layers; "*" for every layer
};

// The project's layers, lowest first.
const std::vector<Layer>& ProjectLayers();

// The layer of a path from the root ("client/monitor/HideDlg.cpp"); null for none.
const Layer* LayerOf(const std::string& path, const std::vector<Layer>& layers);

// Why `file` may not include `target` (both paths from the root); nullopt when it may.
std::optional<std::string> CheckInclude(const std::string& file, const std::string& target,
                                        const std::vector<Layer>& layers);

struct Violation
{
    std::string file;
    int line = 0;
    std::string include;
    std::string reason;
};

struct Report
{
    int files = 0;
    int includes = 0;
    std::vector<Violation> violations;
};

// Every quoted include of every source file below the layers' folders of `root`.
Report CheckTree(const std::filesystem::path& root, const std::vector<Layer>& layers);

// "file:line: reason" for one violation.
std::string Describe(const Violation& v);

} // namespace layercheck
