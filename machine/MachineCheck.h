#pragma once
// Whether this process can work on a machine directory at all: a folder (or one it can make),
// written, its lock opened. The check makes nothing. A program asks before it starts, so that a
// machine it cannot use is said once and plainly instead of failing call by call.

#include <filesystem>
#include <string>

namespace machine
{

// Empty when the directory can be used; else what stands in the way, naming the path and the
// system's reason ("cannot write in /m/run: Permission denied").
std::string UnusableMachineReason(const std::filesystem::path& root);

} // namespace machine
