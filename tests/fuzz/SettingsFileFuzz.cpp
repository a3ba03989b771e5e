// Fuzz target for settings files: any text parses into lines that give the text back byte for
// byte, and the private-profile reads of it, into buffers of every small size, stay inside the
// buffer, terminate what they return and report a length that fits.
//
// Input: the first byte picks the section and key to read (by their place in the file), the
// rest is the file.

#include "machine/FileStore.h"
#include "machine/Machine.h"
#include "platform/profile/IniDocument.h"
#include "platform/profile/PrivateProfile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

namespace
{

constexpr const char* kFile = "C:\\fuzz.ini";
constexpr DWORD kLargest = 24;
constexpr char kCanary = '\x5A';

std::filesystem::path g_host;
std::filesystem::path g_folder;

void removeFolder()
{
    std::error_code ec;
    std::filesystem::remove_all(g_folder, ec);
}

// Calls `read(buffer, size)` for every size up to kLargest and checks what it left.
template <class Read> void checkSizes(Read read, bool isList)
{
    for (DWORD size = 0; size <= kLargest; ++size)
    {
        char buffer[kLargest + 8];
        std::memset(buffer, kCanary, sizeof buffer);
        DWORD n = read(buffer, size);
        for (std::size_t i = size; i < sizeof buffer; ++i)
            if (buffer[i] != kCanary)
                std::abort(); // written past the buffer
        if (size == 0)
        {
            if (n != 0)
                std::abort();
            continue;
        }
        if (n >= size || buffer[n] != '\0')
            std::abort();
        // A list ends with two zeros: its last name's and one more, or the two of a cut.
        const bool ended = n == 0
                               ? size < 2 || buffer[1] == '\0'
                               : buffer[n - 1] == '\0' || (n + 1 < size && buffer[n + 1] == '\0');
        if (isList && !ended)
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    char folder[] = "/tmp/settings-fuzz-XXXXXX";
    if (::mkdtemp(folder) == nullptr)
        std::abort();
    g_folder = folder;
    std::atexit(removeFolder);
    machine::UseMachine(folder);
    g_host = machine::CurrentMachine().driveDir('C') / "fuzz.ini";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const unsigned pick = data[0];
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    const auto doc = platform::ini::Document::Parse(text);
    if (doc.text() != text)
        std::abort(); // every byte of the file is kept

    std::string section = "none", key = "none";
    if (!doc.sections().empty())
    {
        const auto& s = doc.sections()[pick % doc.sections().size()];
        section = s.name;
        if (!s.entries.empty())
            key = doc.nameOf(doc.lines()[s.entries[(pick / 16) % s.entries.size()]]);
    }
    if (section.find('\0') != std::string::npos || key.find('\0') != std::string::npos)
        return 0; // a name a caller cannot pass
    if (!machine::WriteFileAtomically(g_host, text))
        std::abort();

    checkSizes(
        [&](char* b, DWORD n)
        { return GetPrivateProfileStringA(section.c_str(), key.c_str(), "dflt", b, n, kFile); },
        false);
    checkSizes([&](char* b, DWORD n)
               { return GetPrivateProfileStringA(section.c_str(), nullptr, "", b, n, kFile); },
               true);
    checkSizes([&](char* b, DWORD n) { return GetPrivateProfileSectionNamesA(b, n, kFile); }, true);
    checkSizes([&](char* b, DWORD n)
               { return GetPrivateProfileSectionA(section.c_str(), b, n, kFile); },
               true);
    (void)GetPrivateProfileIntA(section.c_str(), key.c_str(), 7, kFile);
    return 0;
}
