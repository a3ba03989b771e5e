#include "tools/vnmachine/CertsCommand.h"

#include "machine/ErrorCodes.h"
#include "machine/FileStore.h"
#include "machine/Machine.h"
#include "machine/certs/CertificateStore.h"
#include "machine/desktop/Desktop.h"
#include "tools/vnmachine/Arguments.h"
#include "tools/vnmachine/CommandTable.h"
#include "tools/vnmachine/MachineHandler.h"

#include <chrono>
#include <cstdio>
#include <iostream>

namespace certs = machine::certs;

namespace
{

// A distinguished name as people write it: "CN=Owner, O=Quarry Corp"; "(empty)" for none.
std::string NameText(const std::vector<certs::NameAttribute>& name)
{
    std::string text;
    for (const auto& a : name)
    {
        const char* label = a.oid == certs::kOidCommonName           ? "CN"
                            : a.oid == certs::kOidOrganization       ? "O"
                            : a.oid == certs::kOidOrganizationalUnit ? "OU"
                            : a.oid == certs::kOidEmailAddress       ? "E"
                                                                     : nullptr;
        text += (text.empty() ? "" : ", ") + (label ? std::string(label) : a.oid) + "=" +
                machine::desktop::EscapeText(a.value);
    }
    return text.empty() ? "(empty)" : text;
}

std::string DateText(std::int64_t seconds)
{
    using namespace std::chrono;
    const sys_seconds time{std::chrono::seconds{seconds}};
    const sys_days day = floor<days>(time);
    const year_month_day date{day};
    const hh_mm_ss clock{time - day};
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u %02ld:%02ld UTC", int(date.year()),
                  unsigned(date.month()), unsigned(date.day()), long(clock.hours().count()),
                  long(clock.minutes().count()));
    return text;
}

std::string StoreArgument(const std::string& word)
{
    if (!certs::IsStoreName(word))
        throw UsageError{};
    return word;
}

void PrintStore(const machine::Machine& m, const std::string& store)
{
    const auto failures = certs::StoreFailures(m);
    std::string upper = store;
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    std::cout << upper;
    if (auto it = failures.find(upper); it != failures.end())
        std::cout << " (fails to open with error " << it->second << ")";
    std::cout << ":\n";
    const auto certificates = certs::StoreContents(m, store);
    if (certificates.empty())
        std::cout << "  no certificates\n";
    for (const auto& c : certificates)
    {
        std::cout << "  " << certs::ThumbprintText(c.thumbprint) << "\n"
                  << "    subject   " << NameText(c.subjectAttributes) << "\n"
                  << "    issuer    " << NameText(c.issuerAttributes) << "\n"
                  << "    expires   " << DateText(c.notAfter) << "\n";
        if (!c.friendlyName.empty())
            std::cout << "    friendly  " << machine::desktop::EscapeText(c.friendlyName) << "\n";
    }
}

int List(const machine::Machine& m, const Words& a)
{
    NeedWords(a, 0, 1);
    if (a.size() == 1)
    {
        PrintStore(m, StoreArgument(a[0]));
        return 0;
    }
    for (const auto& store : certs::StoreNames(m))
        PrintStore(m, store);
    return 0;
}

int Failed(const std::string& what, std::uint32_t error)
{
    if (error == 0)
        return 0;
    std::cerr << "vnmachine certs: " << what << " (error " << error << ")\n";
    return 1;
}

int Import(const machine::Machine& m, const Words& a)
{
    NeedWords(a, 2, 3);
    const std::string store = StoreArgument(a[0]);
    auto contents = machine::ReadWholeFile(a[1]);
    if (!contents)
    {
        std::cerr << "vnmachine certs: cannot read " << a[1] << "\n";
        return 1;
    }
    auto der = certs::CertificateFileDer(*contents);
    if (!der)
    {
        std::cerr << "vnmachine certs: " << a[1] << " holds no PEM or DER certificate\n";
        return 1;
    }
    if (int status = Failed("cannot write the store",
                            certs::AddCertificate(m, store, *der, a.size() == 3 ? a[2] : "")))
        return status;
    auto certificate = certs::ReadCertificate(*der);
    std::cout << "imported " << certs::ThumbprintText(certificate->thumbprint) << "\n";
    return 0;
}

int Remove(const machine::Machine& m, const Words& a)
{
    NeedWords(a, 2);
    const std::string store = StoreArgument(a[0]);
    const certs::Thumbprint thumbprint = Needed(certs::ParseThumbprint(a[1]));
    const std::uint32_t error = certs::RemoveCertificate(m, store, thumbprint);
    if (error == machine::kErrorNotFound)
    {
        std::cerr << "vnmachine certs: " << store << " holds no certificate " << a[1] << "\n";
        return 1;
    }
    return Failed("cannot write the store", error);
}

int Clear(const machine::Machine& m, const Words& a)
{
    NeedWords(a, 1);
    return Failed("cannot empty the store", certs::ClearStore(m, StoreArgument(a[0])));
}

int Fail(const machine::Machine& m, const Words& a)
{
    NeedWords(a, 1, 2);
    const std::string store = StoreArgument(a[0]);
    std::optional<std::uint32_t> error = machine::kErrorAccessDenied;
    if (a.size() == 2 && a[1] == "off")
        error = std::nullopt;
    else if (a.size() == 2)
        error = static_cast<std::uint32_t>(Needed(ParseNumber(a[1])));
    certs::SetStoreFailure(m, store, error);
    return 0;
}

} // namespace

int RunCertsCommand(const Words& args)
{
    static const CommandTable table{
        .path = "vnmachine certs",
        .commands =
            {
                {"list",
                 {"[STORE]"},
                 "the certificates of one store, or of every store",
                 OnMachine(List)},
                {"import",
                 {"STORE FILE [FRIENDLY-NAME]"},
                 "add a PEM or DER certificate file to the store",
                 OnMachine(Import)},
                {"remove",
                 {"STORE THUMBPRINT"},
                 "take the certificate with that SHA-1 thumbprint out of the store",
                 OnMachine(Remove)},
                {"clear", {"STORE"}, "empty the store", OnMachine(Clear)},
                {"fail",
                 {"STORE [ERROR|off]"},
                 "make the store fail to open (error 5 unless given), or open again",
                 OnMachine(Fail)},
            },
        .fallback = "list",
        .notes = "STORE: \"MY\" (the user's certificates), \"ROOT\" (trusted roots) or another\n"
                 "name, in any case. THUMBPRINT: 40 hex digits, blanks or colons allowed.\n",
    };
    return table.run(args);
}
