#pragma once
// Where CString::LoadString finds string resources: the program's resource table installs a
// resolver; without one, every id is absent.

#include "platform/base/WinTypes.h"

#include <functional>
#include <optional>
#include <string>

namespace platform
{

using StringResolver = std::function<std::optional<std::string>(UINT)>;

// Replaces the resolver (an empty function removes it).
void SetStringResolver(StringResolver resolver);

std::optional<std::string> ResolveString(UINT id);

} // namespace platform
