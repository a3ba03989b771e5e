#include "machine/certs/DefaultCertificates.h"

#include "machine/Folders.h"
#include "machine/certs/CertificateMaker.h"
#include "machine/certs/CertificateStore.h"
#include "machine/certs/CryptoLibrary.h"

#include <chrono>
#include <filesystem>

namespace machine::certs
{
namespace
{

// 12:00 UTC of a day.
std::int64_t Noon(int year, unsigned month, unsigned day)
{
    using namespace std::chrono;
    const sys_days date{std::chrono::year{year} / std::chrono::month{month} /
                        std::chrono::day{day}};
    return duration_cast<seconds>(date.time_since_epoch()).count() + 12 * 3600;
}

CertificateFields Fields(const char* commonName, const char* organization, std::int64_t notBefore,
                         std::int64_t notAfter, std::uint64_t serial, bool authority)
{
    CertificateFields fields;
    fields.commonName = commonName;
    fields.organization = organization;
    fields.notBefore = notBefore;
    fields.notAfter = notAfter;
    fields.serial = serial;
    fields.authority = authority;
    return fields;
}

} // namespace

void WriteDefaultCertificates(const Machine& machine)
{
    const auto folder = machine.root() / "certs";
    // Without libcrypto nothing can be made: the folder stays missing, so that the stores are
    // made on a later first use that has it, instead of staying empty for good.
    if (std::filesystem::exists(folder) || Crypto() == nullptr)
        return;
    // The folder first: from now on the machine has its stores, whatever is added below.
    std::error_code ignored;
    machine::CreateFolders(folder, ignored);
    auto root = MadeCertificate::SelfSigned(Fields(kDefaultRootName, kDefaultOrganization,
                                                   Noon(2024, 1, 1), Noon(2044, 1, 1), 1, true));
    auto renewed = MadeCertificate::SelfSigned(Fields(kDefaultRootName, kDefaultOrganization,
                                                      Noon(2025, 6, 1), Noon(2045, 6, 1), 2, true));
    auto unnamed =
        MadeCertificate::SelfSigned(Fields("", "", Noon(2024, 1, 1), Noon(2034, 1, 1), 3, true));
    if (!root || !renewed || !unnamed)
        return;
    auto client = root->Issue(Fields(kDefaultClientName, kDefaultOrganization, Noon(2024, 3, 1),
                                     Noon(2034, 3, 1), 16, false));
    if (!client)
        return;
    AddCertificate(machine, kRootStore, root->der(), kDefaultRootFriendlyName);
    AddCertificate(machine, kRootStore, renewed->der());
    AddCertificate(machine, kRootStore, unnamed->der(), kDefaultEmptyRootFriendlyName);
    AddCertificate(machine, kPersonalStore, client->der(), kDefaultClientFriendlyName);
}

} // namespace machine::certs
