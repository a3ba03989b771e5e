// layercheck ROOT: fails when a file of the tree includes a layer it may not use.

#include "tools/layercheck/LayerRules.h"

#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::cerr << "usage: layercheck ROOT\n";
        return 2;
    }
    layercheck::Report report = layercheck::CheckTree(argv[1], layercheck::ProjectLayers());
    for (const layercheck::Violation& v : report.violations)
        std::cerr << layercheck::Describe(v) << "\n";
    std::cout << "layercheck: " << report.files << " files, " << report.includes << " includes, "
              << report.violations.size() << " not allowed\n";
    return report.violations.empty() ? 0 : 1;
}
