#pragma once
// What the certificate functions share: the machine's certificate behind a context.

#include "machine/certs/Certificate.h"
#include "platform/crypt/WinCrypt.h"

#include <optional>

namespace platform::crypt
{

// Nullopt for a pointer that is no live context.
std::optional<machine::certs::Certificate> CertificateOfContext(PCCERT_CONTEXT context);

} // namespace platform::crypt
