#include "machine/certs/CryptoLibrary.h"

#include <openssl/opensslv.h>

#include <dlfcn.h>

#include <iostream>

namespace machine::certs
{
namespace
{

std::string LoadError(const std::string& soname, const char* what)
{
    return "cannot load " + soname + " (" + (what != nullptr ? what : "unknown error") + ")";
}

template <class Function> bool Resolve(void* handle, const char* name, Function& function)
{
    void* symbol = dlsym(handle, name);
    function = reinterpret_cast<Function>(symbol);
    return symbol != nullptr;
}

} // namespace

std::string CryptoLibraryName()
{
    return "libcrypto.so." + std::to_string(OPENSSL_SHLIB_VERSION);
}

void CryptoLibrary::Closer::operator()(void* handle) const
{
    dlclose(handle);
}

CryptoLibrary::CryptoLibrary(const std::string& soname)
{
    // Never unmapped: libcrypto keeps exit handlers and thread-local state of its own, which
    // must outlive this table when the process ends.
    m_handle.reset(dlopen(soname.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE));
    if (!m_handle)
    {
        m_error = LoadError(soname, dlerror());
        return;
    }
#define TESSARYN_CRYPTO_RESOLVE(name)                                                              \
    if (m_error.empty() && !Resolve(m_handle.get(), #name, name))                                  \
        m_error = LoadError(soname, "it has no " #name);
    TESSARYN_CRYPTO_FUNCTIONS(TESSARYN_CRYPTO_RESOLVE)
#undef TESSARYN_CRYPTO_RESOLVE
    if (m_error.empty())
        return;
#define TESSARYN_CRYPTO_CLEAR(name) name = nullptr;
    // A table half filled is no table: callers test available() alone.
    TESSARYN_CRYPTO_FUNCTIONS(TESSARYN_CRYPTO_CLEAR)
#undef TESSARYN_CRYPTO_CLEAR
    m_handle.reset();
}

CryptoLibrary::~CryptoLibrary() = default;

const CryptoLibrary* Crypto()
{
    static const std::unique_ptr<const CryptoLibrary> library = []
    {
        auto loaded = std::make_unique<const CryptoLibrary>(CryptoLibraryName());
        if (loaded->available())
            return loaded;
        std::cerr << "machine: " << loaded->error()
                  << "; the certificate stores are unavailable and passphrases give no keys\n";
        return std::unique_ptr<const CryptoLibrary>();
    }();
    return library.get();
}

} // namespace machine::certs
