#include "machine/SettingsFile.h"

namespace machine
{

bool WriteSettingsText(const std::filesystem::path& path, const std::string& text)
{
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    return WriteFileAtomically(path, text, FileAccess::Everyone);
}

} // namespace machine
