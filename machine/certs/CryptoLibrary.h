#pragma once
// libcrypto, loaded the first time a certificate or a station's key needs it. A program at rest
// never does, so it does not pay for the library's pages and relocations at every start. The
// functions are looked up once into one table, each typed from libcrypto's own declaration so
// that every call stays checked. Functions that libcrypto's headers offer as macros (OPENSSL_free,
// BIO_get_mem_data, EVP_EC_gen) are called through the functions they expand to.

#include <openssl/asn1.h>
#include <openssl/bio.h>
#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/objects.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <memory>
#include <string>

// Every function the machine calls, in one list: the table's members and their look-ups.
#define TESSARYN_CRYPTO_FUNCTIONS(F)                                                               \
    F(ASN1_INTEGER_set_uint64)                                                                     \
    F(ASN1_STRING_get0_data)                                                                       \
    F(ASN1_STRING_length)                                                                          \
    F(ASN1_STRING_to_UTF8)                                                                         \
    F(ASN1_TIME_diff)                                                                              \
    F(ASN1_TIME_free)                                                                              \
    F(ASN1_TIME_set)                                                                               \
    F(BIO_ctrl)                                                                                    \
    F(BIO_free_all)                                                                                \
    F(BIO_new)                                                                                     \
    F(BIO_new_mem_buf)                                                                             \
    F(BIO_s_mem)                                                                                   \
    F(CRYPTO_free)                                                                                 \
    F(EVP_Digest)                                                                                  \
    F(EVP_PKEY_Q_keygen)                                                                           \
    F(EVP_PKEY_free)                                                                               \
    F(EVP_sha1)                                                                                    \
    F(EVP_sha256)                                                                                  \
    F(OBJ_obj2txt)                                                                                 \
    F(PEM_read_bio)                                                                                \
    F(PEM_write_bio)                                                                               \
    F(PKCS5_PBKDF2_HMAC)                                                                           \
    F(X509V3_EXT_conf_nid)                                                                         \
    F(X509V3_set_ctx)                                                                              \
    F(X509_ALGOR_get0)                                                                             \
    F(X509_EXTENSION_free)                                                                         \
    F(X509_NAME_ENTRY_get_data)                                                                    \
    F(X509_NAME_ENTRY_get_object)                                                                  \
    F(X509_NAME_add_entry_by_txt)                                                                  \
    F(X509_NAME_entry_count)                                                                       \
    F(X509_NAME_free)                                                                              \
    F(X509_NAME_get_entry)                                                                         \
    F(X509_NAME_new)                                                                               \
    F(X509_add_ext)                                                                                \
    F(X509_free)                                                                                   \
    F(X509_get0_notAfter)                                                                          \
    F(X509_get0_notBefore)                                                                         \
    F(X509_get0_serialNumber)                                                                      \
    F(X509_get0_signature)                                                                         \
    F(X509_get_issuer_name)                                                                        \
    F(X509_get_serialNumber)                                                                       \
    F(X509_get_subject_name)                                                                       \
    F(X509_get_version)                                                                            \
    F(X509_getm_notAfter)                                                                          \
    F(X509_getm_notBefore)                                                                         \
    F(X509_new)                                                                                    \
    F(X509_set_issuer_name)                                                                        \
    F(X509_set_pubkey)                                                                             \
    F(X509_set_subject_name)                                                                       \
    F(X509_set_version)                                                                            \
    F(X509_sign)                                                                                   \
    F(d2i_X509)                                                                                    \
    F(i2d_X509)                                                                                    \
    F(i2d_X509_NAME)

namespace machine::certs
{

// The soname of the libcrypto the build compiled against ("libcrypto.so.3").
std::string CryptoLibraryName();

class CryptoLibrary
{
public:
    // Loads the library and looks up every function of the table. On failure the table is
    // empty and error() says what failed.
    explicit CryptoLibrary(const std::string& soname);
    ~CryptoLibrary();
    CryptoLibrary(const CryptoLibrary&) = delete;
    CryptoLibrary& operator=(const CryptoLibrary&) = delete;

    bool available() const { return m_error.empty(); }
    const std::string& error() const { return m_error; }

    // What OPENSSL_free does.
    void Free(void* memory) const { CRYPTO_free(memory, OPENSSL_FILE, OPENSSL_LINE); }

#define TESSARYN_CRYPTO_MEMBER(name) decltype(&::name) name = nullptr;
    TESSARYN_CRYPTO_FUNCTIONS(TESSARYN_CRYPTO_MEMBER)
#undef TESSARYN_CRYPTO_MEMBER

private:
    struct Closer
    {
        void operator()(void* handle) const;
    };
    std::unique_ptr<void, Closer> m_handle;
    std::string m_error;
};

// The machine's libcrypto (CryptoLibraryName()), loaded on the first call from any thread and
// kept for the process's life; null when it cannot be loaded, which the first call reports on
// standard error. Without it the certificate stores cannot be opened and passphrases give no keys.
const CryptoLibrary* Crypto();

} // namespace machine::certs
