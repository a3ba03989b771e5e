// The stores and their contexts: each open store holds one context per certificate, with the
// references callers hold on it; a closed store goes with the last of them.
#include "platform/crypt/WinCrypt.h"
#include "platform/crypt/internal/CertContexts.h"

#include "machine/Machine.h"
#include "machine/certs/CertificateStore.h"
#include "platform/base/HandleMap.h"

#include <cstring>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace platform::crypt
{
namespace
{

// 100 ns units from 1601-01-01 to 1970-01-01.
constexpr std::int64_t kUnixEpochInFileTime = 116444736000000000;

FILETIME FileTimeOf(std::int64_t unixSeconds)
{
    const auto ticks = static_cast<std::uint64_t>(unixSeconds * 10000000 + kUnixEpochInFileTime);
    return FILETIME{static_cast<DWORD>(ticks & 0xFFFFFFFFu), static_cast<DWORD>(ticks >> 32)};
}

CRYPTOAPI_BLOB BlobOf(std::vector<std::uint8_t>& bytes)
{
    return CRYPTOAPI_BLOB{static_cast<DWORD>(bytes.size()), bytes.empty() ? nullptr : bytes.data()};
}

struct StoreObject;

// One certificate of an open store; its record points into its own members.
struct Element
{
    CERT_CONTEXT context{};
    CERT_INFO info{};
    machine::certs::Certificate certificate;
    std::vector<std::uint8_t> serial; // little-endian
    std::string algorithm;
    StoreObject* store = nullptr; // the store that owns this element
    std::size_t index = 0;        // its place in the store
    int references = 0;
};

struct StoreObject
{
    HCERTSTORE handle = 0;
    bool closed = false;
    int references = 0; // of all its elements
    std::vector<std::unique_ptr<Element>> elements;
};

struct Registry
{
    std::mutex lock;
    HandleMap<std::shared_ptr<StoreObject>> stores{0x00C30004};
    std::unordered_map<PCCERT_CONTEXT, Element*> contexts; // the elements of every live store
    std::size_t liveContexts = 0;
};

Registry& registry()
{
    // Never destroyed: contexts may be freed while the process ends.
    static Registry* r = new Registry;
    return *r;
}

std::unique_ptr<Element> MakeElement(machine::certs::Certificate certificate, StoreObject& store,
                                     std::size_t index)
{
    auto e = std::make_unique<Element>();
    e->certificate = std::move(certificate);
    e->store = &store;
    e->index = index;
    machine::certs::Certificate& c = e->certificate;
    e->serial.assign(c.serial.rbegin(), c.serial.rend());
    e->algorithm = c.signatureAlgorithm;
    e->info.dwVersion = c.version;
    e->info.SerialNumber = BlobOf(e->serial);
    e->info.SignatureAlgorithm.pszObjId = e->algorithm.data();
    e->info.Issuer = BlobOf(c.issuer);
    e->info.NotBefore = FileTimeOf(c.notBefore);
    e->info.NotAfter = FileTimeOf(c.notAfter);
    e->info.Subject = BlobOf(c.subject);
    e->context.dwCertEncodingType = X509_ASN_ENCODING | PKCS_7_ASN_ENCODING;
    e->context.pbCertEncoded = c.der.data();
    e->context.cbCertEncoded = static_cast<DWORD>(c.der.size());
    e->context.pCertInfo = &e->info;
    e->context.hCertStore = store.handle;
    return e;
}

// The caller holds the registry's lock.
void Destroy(Registry& r, StoreObject& store)
{
    for (const auto& e : store.elements)
    {
        r.contexts.erase(&e->context);
        r.liveContexts -= static_cast<std::size_t>(e->references);
    }
    r.stores.Take(store.handle); // the last owner: the store goes here
}

// An open store of this handle; null (ERROR_INVALID_HANDLE) for any other. The caller holds the
// registry's lock.
std::shared_ptr<StoreObject> OpenStoreOf(Registry& r, HCERTSTORE handle)
{
    auto store = r.stores.Find(handle);
    if (!store || (*store)->closed)
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return *store;
}

Element* ElementOf(Registry& r, PCCERT_CONTEXT context)
{
    auto it = r.contexts.find(context);
    return it == r.contexts.end() ? nullptr : it->second;
}

// Drops one reference; a closed store goes with its last. The caller holds the lock.
void Release(Registry& r, Element& e)
{
    if (e.references == 0)
        return;
    --e.references;
    --r.liveContexts;
    StoreObject& store = *e.store;
    if (--store.references == 0 && store.closed)
        Destroy(r, store);
}

PCCERT_CONTEXT AddReference(Registry& r, Element& e)
{
    ++e.references;
    ++e.store->references;
    ++r.liveContexts;
    return &e.context;
}

bool Matches(const Element& e, DWORD findType, const void* para)
{
    if (findType == CERT_FIND_ANY)
        return true;
    const auto* hash = static_cast<const CRYPT_HASH_BLOB*>(para);
    const auto& thumbprint = e.certificate.thumbprint;
    return hash->cbData == thumbprint.size() &&
           std::memcmp(hash->pbData, thumbprint.data(), thumbprint.size()) == 0;
}

// The first element at or after `from` that matches, with a reference; the search starts after
// `previous`, which is released. Null with CRYPT_E_NOT_FOUND when none does, E_INVALIDARG for a
// previous context of another store.
PCCERT_CONTEXT Next(HCERTSTORE handle, PCCERT_CONTEXT previous, DWORD findType, const void* para)
{
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    auto store = OpenStoreOf(r, handle);
    if (!store)
        return nullptr;
    std::size_t from = 0;
    if (previous != nullptr)
    {
        Element* prev = ElementOf(r, previous);
        if (prev == nullptr || prev->store != store.get())
        {
            SetLastError(static_cast<DWORD>(E_INVALIDARG));
            return nullptr;
        }
        from = prev->index + 1;
        Release(r, *prev);
    }
    for (std::size_t i = from; i < store->elements.size(); ++i)
        if (Matches(*store->elements[i], findType, para))
            return AddReference(r, *store->elements[i]);
    SetLastError(CRYPT_E_NOT_FOUND);
    return nullptr;
}

} // namespace

std::optional<machine::certs::Certificate> CertificateOfContext(PCCERT_CONTEXT context)
{
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    Element* e = ElementOf(r, context);
    if (e == nullptr)
        return std::nullopt;
    return e->certificate;
}

std::size_t LiveCertificateContexts()
{
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    return r.liveContexts;
}

std::size_t LiveCertificateStores()
{
    return registry().stores.Size();
}

} // namespace platform::crypt

HCERTSTORE CertOpenSystemStoreA(HCRYPTPROV_LEGACY hProv, LPCSTR szSubsystemProtocol)
{
    using namespace platform::crypt;
    if (szSubsystemProtocol == nullptr)
    {
        SetLastError(static_cast<DWORD>(E_INVALIDARG));
        return 0;
    }
    std::vector<machine::certs::Certificate> certificates;
    if (std::uint32_t error =
            machine::certs::OpenStore(machine::CurrentMachine(), szSubsystemProtocol, certificates))
    {
        SetLastError(error);
        return 0;
    }
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    auto store = std::make_shared<StoreObject>();
    store->handle = r.stores.Add(store);
    for (auto& c : certificates)
    {
        store->elements.push_back(MakeElement(std::move(c), *store, store->elements.size()));
        r.contexts[&store->elements.back()->context] = store->elements.back().get();
    }
    return store->handle;
}

BOOL CertCloseStore(HCERTSTORE hCertStore, DWORD dwFlags)
{
    using namespace platform::crypt;
    if (hCertStore == 0)
        return TRUE;
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    auto store = OpenStoreOf(r, hCertStore);
    if (!store)
        return FALSE;
    store->closed = true;
    const bool held = store->references > 0;
    if (!held || (dwFlags & CERT_CLOSE_STORE_FORCE_FLAG) != 0)
    {
        Destroy(r, *store);
        return TRUE;
    }
    if ((dwFlags & CERT_CLOSE_STORE_CHECK_FLAG) != 0)
    {
        SetLastError(CRYPT_E_PENDING_CLOSE);
        return FALSE;
    }
    return TRUE;
}

PCCERT_CONTEXT CertEnumCertificatesInStore(HCERTSTORE hCertStore, PCCERT_CONTEXT pPrevCertContext)
{
    return platform::crypt::Next(hCertStore, pPrevCertContext, CERT_FIND_ANY, nullptr);
}

PCCERT_CONTEXT CertFindCertificateInStore(HCERTSTORE hCertStore, DWORD dwCertEncodingType,
                                          DWORD dwFindFlags, DWORD dwFindType,
                                          const void* pvFindPara, PCCERT_CONTEXT pPrevCertContext)
{
    if ((dwFindType != CERT_FIND_ANY && dwFindType != CERT_FIND_SHA1_HASH) ||
        (dwFindType == CERT_FIND_SHA1_HASH && pvFindPara == nullptr))
    {
        SetLastError(static_cast<DWORD>(E_INVALIDARG));
        return nullptr;
    }
    return platform::crypt::Next(hCertStore, pPrevCertContext, dwFindType, pvFindPara);
}

PCCERT_CONTEXT CertDuplicateCertificateContext(PCCERT_CONTEXT pCertContext)
{
    using namespace platform::crypt;
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    Element* e = ElementOf(r, pCertContext);
    return e != nullptr ? AddReference(r, *e) : nullptr;
}

BOOL CertFreeCertificateContext(PCCERT_CONTEXT pCertContext)
{
    using namespace platform::crypt;
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    // A pointer that is no live context (freed with its store) is left alone.
    if (Element* e = ElementOf(r, pCertContext))
        Release(r, *e);
    return TRUE;
}
