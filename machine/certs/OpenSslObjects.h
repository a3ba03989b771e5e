#pragma once
// libcrypto's objects, each owned by a unique_ptr that frees it with libcrypto's own call.

#include "machine/certs/CryptoLibrary.h"

#include <memory>

namespace machine::certs::ossl
{

// An object exists only once the library is loaded, so its deleter finds the table there.
template <auto Free> struct Deleter
{
    template <class T> void operator()(T* object) const { (Crypto()->*Free)(object); }
};

using Bio = std::unique_ptr<BIO, Deleter<&CryptoLibrary::BIO_free_all>>;
using Key = std::unique_ptr<EVP_PKEY, Deleter<&CryptoLibrary::EVP_PKEY_free>>;
using Name = std::unique_ptr<X509_NAME, Deleter<&CryptoLibrary::X509_NAME_free>>;
using X509Ptr = std::unique_ptr<X509, Deleter<&CryptoLibrary::X509_free>>;
using Asn1Time = std::unique_ptr<ASN1_TIME, Deleter<&CryptoLibrary::ASN1_TIME_free>>;
using Extension = std::unique_ptr<X509_EXTENSION, Deleter<&CryptoLibrary::X509_EXTENSION_free>>;

} // namespace machine::certs::ossl
