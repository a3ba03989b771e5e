#include "machine/SettingsFile.h"
#include "machine/Folders.h"

namespace machine
{

bool WriteSettingsText(const std::filesystem::path& path, const std::string& text)
{
    std::error_code ec;
    machine::CreateFolders(path.parent_path(), ec);
    return WriteFileAtomically(path, text, FileAccess::Everyone);
}

} // namespace machine
