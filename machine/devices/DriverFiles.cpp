#include "machine/devices/DriverFiles.h"

#include "machine/devices/DeviceBuilders.h"
#include "machine/programs/VersionResource.h"

#include <algorithm>

namespace machine::devices
{
namespace
{

// Per system: 98/Me, 2000, XP, XP 64-bit, Vista ("" where the family has no driver).
struct FamilyFiles
{
    const char* files[5];
};

constexpr FamilyFiles kFamilies[] = {
    {{"kq1400.sys", "kq1400.sys", "kq1400xp.sys", "", ""}},
    {{"kq14u98.sys", "", "", "", ""}},
    {{"kq1600.sys", "kq1600.sys", "kq1600xp.sys", "", ""}},
    {{"kq16u98.sys", "", "", "", ""}},
    {{"kq21.sys", "kq21.sys", "kq21xp.sys", "kq21x64.sys", "kq21v.sys"}},
    {{"kq23.sys", "kq23.sys", "kq23xp.sys", "kq23x64.sys", "kq23v.sys"}},
    {{"", "kq3300a.sys", "kq3300axp.sys", "kq3300ax64.sys", "kq3300av.sys"}},
    {{"", "kq3300.sys", "kq3300xp.sys", "kq3300x64.sys", "kq3300v.sys"}},
    {{"", "kq3400.sys", "kq3400xp.sys", "kq3400x64.sys", "kq3400v.sys"}},
};

} // namespace

std::vector<std::string> DriverFileNames(int chipType)
{
    std::vector<std::string> names;
    if (chipType < 0 || chipType >= static_cast<int>(std::size(kFamilies)))
        return names;
    for (const char* file : kFamilies[chipType].files)
        if (*file != '\0' && std::find(names.begin(), names.end(), file) == names.end())
            names.emplace_back(file);
    return names;
}

void InstallDriverFiles(const Machine& machine, int chipType)
{
    const std::string family = ChipFamilyName(chipType);
    const auto folder = machine.driveDir('C') / "Windows" / "System32" / "drivers";
    for (const auto& name : DriverFileNames(chipType))
    {
        programs::VersionResource r;
        r.strings = {{"CompanyName", "Tessaryn Networks"},
                     {"FileDescription", "Tessaryn " + family + " Wireless LAN Driver"},
                     {"FileVersion", kDriverFileVersion},
                     {"InternalName", name},
                     {"LegalCopyright", "Copyright (C) 2009 Tessaryn Networks"},
                     {"OriginalFilename", name},
                     {"ProductName", "Tessaryn Wireless LAN"},
                     {"ProductVersion", kDriverFileVersion}};
        programs::WriteVersionedFile(folder / name, "Tessaryn " + family + " network driver\r\n", r,
                                     kDriverFileTime);
    }
}

} // namespace machine::devices
