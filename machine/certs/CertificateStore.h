#pragma once
// The machine's system certificate stores. Each store is one file of PEM blocks in store order,
// each led by the friendly name kept beside its certificate, as libcrypto's tools print them:
//
//   <root>/certs/ROOT.pem     friendlyName: Quarry Corp Root
//                             -----BEGIN CERTIFICATE-----  ...  -----END CERTIFICATE-----
//   <root>/certs/faults.txt   stores that fail to open: "fail ROOT 31"
//
// Store names are case-insensitive ("MY", "my"); a store without a file is empty. Results are
// the platform's error numbers (0 success); kErrorModNotFound from opening or changing a store
// when libcrypto cannot be loaded.

#include "machine/Machine.h"
#include "machine/certs/Certificate.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace machine::certs
{

inline constexpr const char* kPersonalStore = "MY";
inline constexpr const char* kRootStore = "ROOT";

// Letters, digits, '_' and '-', 1 to 64 of them.
bool IsStoreName(const std::string& name);

// The certificates of the store, in store order, as a program opening it sees them: the
// injected failure's error, kErrorInvalidParameter for a name that is no store's, else 0. A
// block that does not read as a certificate is passed over.
std::uint32_t OpenStore(const Machine& machine, const std::string& store,
                        std::vector<Certificate>& certificates);
// The same, whatever failure is injected (the machine tool's view).
std::vector<Certificate> StoreContents(const Machine& machine, const std::string& store);
// The stores that have a file, upper-case, in name order.
std::vector<std::string> StoreNames(const Machine& machine);

// Adds the certificate at the end, or gives one already there (same thumbprint) the new
// friendly name in its place. kErrorInvalidParameter for bytes that are no certificate or a bad
// store name, kErrorWriteFault when the store cannot be written.
std::uint32_t AddCertificate(const Machine& machine, const std::string& store, const Bytes& der,
                             const std::string& friendlyName = {});
// kErrorNotFound when the store holds no certificate with that thumbprint.
std::uint32_t RemoveCertificate(const Machine& machine, const std::string& store,
                                const Thumbprint& thumbprint);
// Empties the store (its file goes).
std::uint32_t ClearStore(const Machine& machine, const std::string& store);

// The store fails to open with `error` (nullopt: it opens again).
void SetStoreFailure(const Machine& machine, const std::string& store,
                     std::optional<std::uint32_t> error);
std::map<std::string, std::uint32_t> StoreFailures(const Machine& machine);

} // namespace machine::certs
