#pragma once
// A path under a machine's folder, made once for each thread and kept while the thread uses the
// same machine: calls that look at a file on every request would otherwise join its name anew
// each time, and a path made from a string splits it.

#include "machine/Machine.h"

#include <filesystem>
#include <string>

namespace machine
{

// `make` gives the path. Each call site passes a lambda of its own, whose type makes the kept
// path that site's alone.
template <typename Make> const std::filesystem::path& KeptPath(const Machine& machine, Make make)
{
    thread_local std::string root;
    thread_local std::filesystem::path path;
    if (path.empty() || root != machine.root().native())
    {
        root = machine.root().native();
        path = make();
    }
    return path;
}

} // namespace machine
