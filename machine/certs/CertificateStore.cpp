#include "machine/certs/CertificateStore.h"

#include "machine/ErrorCodes.h"
#include "machine/FileStore.h"
#include "machine/Folders.h"
#include "machine/MachineLock.h"
#include "machine/SettingsFile.h"
#include "machine/certs/CryptoLibrary.h"
#include "machine/certs/DefaultCertificates.h"
#include "machine/desktop/Desktop.h"
#include "machine/desktop/ProcessFiles.h"

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <system_error>

namespace machine::certs
{
namespace
{

constexpr std::string_view kFriendlyNameLead = "friendlyName: ";
constexpr std::string_view kBegin = "-----BEGIN CERTIFICATE-----";
constexpr std::string_view kEnd = "-----END CERTIFICATE-----";
constexpr std::size_t kMaxStoreName = 64;

using Failures = std::map<std::string, std::uint32_t>;

std::string FormatFailures(const Failures& failures)
{
    std::ostringstream out;
    for (const auto& [store, error] : failures)
        out << "fail " << store << " " << error << "\n";
    return out.str();
}

Failures ParseFailures(const std::string& text)
{
    Failures failures;
    ForEachSetting(text,
                   [&](const std::string& keyword, std::istream& words)
                   {
                       std::string store;
                       std::uint32_t error = 0;
                       if (keyword == "fail" && words >> store >> error && IsStoreName(store))
                           failures[store] = error;
                   });
    return failures;
}

const SettingsFile<Failures> kFailuresFile{"certs/faults.txt", FormatFailures, ParseFailures};

std::string Upper(std::string name)
{
    for (char& c : name)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return name;
}

std::filesystem::path Folder(const Machine& machine)
{
    return machine.root() / "certs";
}

std::filesystem::path StoreFile(const Machine& machine, const std::string& store)
{
    return Folder(machine) / (Upper(store) + ".pem");
}

std::vector<Certificate> ParseStore(const std::string& text)
{
    std::vector<Certificate> certificates;
    std::istringstream in(text);
    std::string friendlyName, block;
    bool inBlock = false;
    for (std::string line; std::getline(in, line);)
    {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (inBlock)
        {
            block += line + "\n";
            if (line != kEnd)
                continue;
            inBlock = false;
            if (auto der = CertificateFileDer(block))
                if (auto c = ReadCertificate(*der, friendlyName))
                    certificates.push_back(std::move(*c));
            friendlyName.clear();
        }
        else if (line.starts_with(kFriendlyNameLead))
            friendlyName =
                desktop::detail::UnescapeText(line.substr(kFriendlyNameLead.size())).value_or("");
        else if (line == kBegin)
        {
            inBlock = true;
            block = line + "\n";
        }
    }
    return certificates;
}

// nullopt when a certificate cannot be written out: the store is then left as it was, rather
// than saved without it.
std::optional<std::string> FormatStore(const std::vector<Certificate>& certificates)
{
    std::string text;
    for (const auto& c : certificates)
    {
        if (!c.friendlyName.empty())
            text += std::string(kFriendlyNameLead) + desktop::EscapeText(c.friendlyName) + "\n";
        const std::string block = PemBlock(c.der);
        if (block.empty())
            return std::nullopt;
        text += block;
    }
    return text;
}

// A machine made before it had certificate stores gets the default ones on first use.
void EnsureStores(const Machine& machine)
{
    if (!std::filesystem::exists(Folder(machine)))
        WriteDefaultCertificates(machine);
}

std::vector<Certificate> Load(const Machine& machine, const std::string& store)
{
    auto text = ReadWholeFile(StoreFile(machine, store));
    return text ? ParseStore(*text) : std::vector<Certificate>{};
}

// Certificates are public: the store files are for every process to read.
std::uint32_t Save(const Machine& machine, const std::string& store,
                   const std::vector<Certificate>& certificates)
{
    std::error_code ignored;
    if (certificates.empty())
    {
        std::filesystem::remove(StoreFile(machine, store), ignored);
        return 0;
    }
    const auto text = FormatStore(certificates);
    if (!text)
        return kErrorWriteFault;
    machine::CreateFolders(Folder(machine), ignored);
    return WriteFileAtomically(StoreFile(machine, store), *text, FileAccess::Everyone)
               ? 0
               : kErrorWriteFault;
}

} // namespace

bool IsStoreName(const std::string& name)
{
    return !name.empty() && name.size() <= kMaxStoreName &&
           std::all_of(name.begin(), name.end(),
                       [](char c)
                       {
                           return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                                  (c >= '0' && c <= '9') || c == '_' || c == '-';
                       });
}

std::uint32_t OpenStore(const Machine& machine, const std::string& store,
                        std::vector<Certificate>& certificates)
{
    if (!IsStoreName(store))
        return kErrorInvalidParameter;
    // Without libcrypto no certificate reads: the store is unavailable, not empty.
    if (Crypto() == nullptr)
        return kErrorModNotFound;
    MachineLock lock(machine);
    EnsureStores(machine);
    const Failures failures = kFailuresFile.Load(machine);
    if (auto it = failures.find(Upper(store)); it != failures.end())
        return it->second;
    certificates = Load(machine, store);
    return 0;
}

std::vector<Certificate> StoreContents(const Machine& machine, const std::string& store)
{
    if (!IsStoreName(store))
        return {};
    MachineLock lock(machine);
    EnsureStores(machine);
    return Load(machine, store);
}

std::vector<std::string> StoreNames(const Machine& machine)
{
    MachineLock lock(machine);
    EnsureStores(machine);
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(Folder(machine), error))
    {
        const auto& path = entry.path();
        if (path.extension() == ".pem" && IsStoreName(path.stem().string()) &&
            path.stem().string() == Upper(path.stem().string()))
            names.push_back(path.stem().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::uint32_t AddCertificate(const Machine& machine, const std::string& store, const Bytes& der,
                             const std::string& friendlyName)
{
    if (Crypto() == nullptr)
        return kErrorModNotFound;
    auto certificate = ReadCertificate(der, friendlyName);
    if (!IsStoreName(store) || !certificate)
        return kErrorInvalidParameter;
    MachineLock lock(machine);
    EnsureStores(machine);
    std::vector<Certificate> certificates = Load(machine, store);
    auto same =
        std::find_if(certificates.begin(), certificates.end(),
                     [&](const Certificate& c) { return c.thumbprint == certificate->thumbprint; });
    if (same != certificates.end())
        same->friendlyName = friendlyName;
    else
        certificates.push_back(std::move(*certificate));
    return Save(machine, store, certificates);
}

std::uint32_t RemoveCertificate(const Machine& machine, const std::string& store,
                                const Thumbprint& thumbprint)
{
    if (!IsStoreName(store))
        return kErrorInvalidParameter;
    if (Crypto() == nullptr)
        return kErrorModNotFound;
    MachineLock lock(machine);
    EnsureStores(machine);
    std::vector<Certificate> certificates = Load(machine, store);
    const auto removed = std::erase_if(certificates, [&](const Certificate& c)
                                       { return c.thumbprint == thumbprint; });
    if (removed == 0)
        return kErrorNotFound;
    return Save(machine, store, certificates);
}

std::uint32_t ClearStore(const Machine& machine, const std::string& store)
{
    if (!IsStoreName(store))
        return kErrorInvalidParameter;
    MachineLock lock(machine);
    EnsureStores(machine);
    return Save(machine, store, {});
}

void SetStoreFailure(const Machine& machine, const std::string& store,
                     std::optional<std::uint32_t> error)
{
    if (!IsStoreName(store))
        return;
    kFailuresFile.Change(machine,
                         [&](Failures& failures)
                         {
                             if (error)
                                 failures[Upper(store)] = *error;
                             else
                                 failures.erase(Upper(store));
                         });
}

std::map<std::string, std::uint32_t> StoreFailures(const Machine& machine)
{
    return kFailuresFile.Load(machine);
}

} // namespace machine::certs
