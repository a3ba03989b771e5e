#include "machine/programs/ProgramFiles.h"

#include "machine/AsciiCase.h"
#include "machine/FileStore.h"
#include "machine/Folders.h"

namespace machine::programs
{
namespace
{

constexpr std::string_view kMagic = "#!tessaryn ";

void writeIfMissing(const std::filesystem::path& file, const std::string& text)
{
    std::error_code ec;
    machine::CreateFolders(file.parent_path(), ec);
    if (!std::filesystem::exists(file, ec))
        WriteFileAtomically(file, text, FileAccess::Everyone);
}

} // namespace

VersionResource ProgramVersion(const std::string& fileName, const std::string& description)
{
    VersionResource r;
    r.strings = {{"CompanyName", "Tessaryn Networks"},
                 {"FileDescription", description},
                 {"FileVersion", kProgramFileVersion},
                 {"InternalName", fileName},
                 {"LegalCopyright", "Copyright (C) 2009 Tessaryn Networks. All rights reserved."},
                 {"OriginalFilename", fileName},
                 {"ProductName", "Tessaryn Wireless Utility"},
                 {"ProductVersion", kProgramFileVersion}};
    return r;
}

std::string PlaceholderText(const std::string& program, const std::string& description)
{
    return std::string(kMagic) + program + "\r\n" + description + "\r\n";
}

std::optional<std::string> PlaceholderProgram(std::string_view text)
{
    if (text.substr(0, kMagic.size()) != kMagic)
        return std::nullopt;
    text.remove_prefix(kMagic.size());
    std::size_t end = text.find_first_of("\r\n \t");
    std::string name(text.substr(0, end));
    if (name.empty())
        return std::nullopt;
    return name;
}

ProgramKind KindOf(const std::string& program)
{
    if (EqualNoCase(program, "TessarynUI") || EqualNoCase(program, "TessarynAp") ||
        EqualNoCase(program, "UplinkPick") || EqualNoCase(program, "vnmachine"))
        return ProgramKind::Built;
    if (EqualNoCase(program, "VnSwap"))
        return ProgramKind::VnSwap;
    if (EqualNoCase(program, "lanmeld"))
        return ProgramKind::Lanmeld;
    if (EqualNoCase(program, "NicReport"))
        return ProgramKind::NicReport;
    if (EqualNoCase(program, "WebBrowser"))
        return ProgramKind::Browser;
    if (EqualNoCase(program, "HubDesk"))
        return ProgramKind::AccessPoint;
    return ProgramKind::Unknown;
}

void WriteDefaultPrograms(const Machine& machine)
{
    const std::filesystem::path c = machine.driveDir('C');
    const std::filesystem::path programFolder = c / "Program Files" / "Tessaryn";
    // The project's programs carry version information and the release's file time.
    struct Versioned
    {
        const char* file;
        const char* program;
        const char* description;
    };
    for (const Versioned& v :
         {Versioned{"TessarynUI.exe", "TessarynUI", "Tessaryn wireless utility"},
          Versioned{"TessarynAp.exe", "TessarynAp", "Tessaryn software access point"},
          Versioned{"HubDesk.exe", "HubDesk", "Tessaryn software access point"},
          Versioned{"UplinkPick.exe", "UplinkPick", "Tessaryn connection sharing selector"}})
        WriteVersionedFile(programFolder / v.file, PlaceholderText(v.program, v.description),
                           ProgramVersion(v.file, v.description), kProgramFileTime);
    writeIfMissing(programFolder / "NicReport.bat",
                   PlaceholderText("NicReport", "@ipconfig /all > NicReport.txt"));
    writeIfMissing(programFolder / "VnSwap.exe",
                   PlaceholderText("VnSwap", "Tessaryn adapter mode switch"));
    writeIfMissing(programFolder / "lanmeld.exe",
                   PlaceholderText("lanmeld", "Network bridge setup"));
    // Help files: the viewer only records what is asked of it.
    for (const char* help : {"VnConfigENG.chm", "HubPanelENG.HLP", "HubPanelCHN.HLP"})
        writeIfMissing(programFolder / help, std::string("Tessaryn help: ") + help + "\r\n");
    writeIfMissing(c / "Program Files" / "Web Browser" / "browser.exe",
                   PlaceholderText("WebBrowser", "Web browser"));
}

} // namespace machine::programs
