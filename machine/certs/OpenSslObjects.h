#pragma once
// libcrypto's objects, each owned by a unique_ptr that frees it with libcrypto's own call.

#include <openssl/bio.h>
#include <openssl/evp.h>
#include <openssl/x509.h>

#include <memory>

namespace machine::certs::ossl
{

template <auto Free> struct Deleter
{
    template <class T> void operator()(T* object) const { Free(object); }
};

using Bio = std::unique_ptr<BIO, Deleter<BIO_free_all>>;
using Key = std::unique_ptr<EVP_PKEY, Deleter<EVP_PKEY_free>>;
using Name = std::unique_ptr<X509_NAME, Deleter<X509_NAME_free>>;
using X509Ptr = std::unique_ptr<X509, Deleter<X509_free>>;
using Asn1Time = std::unique_ptr<ASN1_TIME, Deleter<ASN1_TIME_free>>;
using Extension = std::unique_ptr<X509_EXTENSION, Deleter<X509_EXTENSION_free>>;

} // namespace machine::certs::ossl
