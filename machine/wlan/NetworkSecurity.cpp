#include "machine/wlan/NetworkSecurity.h"

#include "machine/radio/Elements.h"

#include <algorithm>
#include <vector>

namespace machine::wlan
{
namespace
{

using Bytes = std::vector<std::uint8_t>;

// The suite numbers of one family: RSN (WPA2) or WPA.
struct Family
{
    std::uint32_t akm8021x;
    std::uint32_t akmPsk;
    std::uint32_t tkip;
    std::uint32_t ccmp;
};

constexpr Family kRsn{radio::kRsnAkm8021x, radio::kRsnAkmPsk, radio::kRsnTkip, radio::kRsnCcmp};
constexpr Family kWpa{radio::kWpaAkm8021x, radio::kWpaAkmPsk, radio::kWpaTkip, radio::kWpaCcmp};

std::uint32_t Be32(const Bytes& b, std::size_t at)
{
    return static_cast<std::uint32_t>(b[at]) << 24 | static_cast<std::uint32_t>(b[at + 1]) << 16 |
           static_cast<std::uint32_t>(b[at + 2]) << 8 | static_cast<std::uint32_t>(b[at + 3]);
}

struct Suites
{
    const Family* family = nullptr; // null: the element carries no suites
    std::vector<std::uint32_t> pairwise;
    std::vector<std::uint32_t> akm;

    bool lists(const std::vector<std::uint32_t>& list, std::uint32_t suite) const
    {
        return std::find(list.begin(), list.end(), suite) != list.end();
    }
    bool hasAkm(std::uint32_t suite) const { return lists(akm, suite); }
    bool hasPairwise(std::uint32_t suite) const { return lists(pairwise, suite); }
};

// An RSN or WPA body from the version field on, every read bounded by the body.
Suites ReadSuites(const Family& family, const Bytes& b, std::size_t at, std::size_t end)
{
    Suites out;
    out.family = &family;
    at += 2 + 4; // version, group
    for (auto* list : {&out.pairwise, &out.akm})
    {
        if (at + 2 > end)
            return out;
        std::size_t count = b[at] | b[at + 1] << 8;
        at += 2;
        for (std::size_t k = 0; k < count && at + 4 <= end; ++k, at += 4)
            list->push_back(Be32(b, at));
    }
    return out;
}

// The suites of an RSN element, or of the vendor element that carries WPA; none for any other.
Suites ElementSuites(const Bytes& b, std::uint8_t id, std::size_t body, std::size_t end)
{
    const std::size_t length = end - body;
    if (id == radio::kElementRsn && length >= 2)
        return ReadSuites(kRsn, b, body, end);
    if (id == radio::kElementVendor && length >= 6 && Be32(b, body) == radio::kWpaElementTag)
        return ReadSuites(kWpa, b, body + 4, end);
    return {};
}

// Calls visit(suites) for each whole element that carries suites; a cut-off element ends the
// walk. visit returns false to stop.
template <class Visit> void ForEachSuiteElement(const Bytes& b, Visit visit)
{
    for (std::size_t at = 0; at + 2 <= b.size();)
    {
        const std::size_t body = at + 2, end = body + b[at + 1];
        if (end > b.size())
            return;
        Suites suites = ElementSuites(b, b[at], body, end);
        if (suites.family && !visit(suites))
            return;
        at = end;
    }
}

bool IsWpa2(std::uint32_t auth)
{
    return auth == kAuthRsna || auth == kAuthRsnaPsk;
}

bool IsPsk(std::uint32_t auth)
{
    return auth == kAuthWpaPsk || auth == kAuthRsnaPsk;
}

} // namespace

Security NetworkSecurity(const radio::Network& n)
{
    Security sec;
    sec.enabled = (n.capability & radio::kCapPrivacy) != 0;
    if (!sec.enabled)
        return sec;
    sec.auth = kAuthOpen;
    sec.cipher = kCipherWep;
    ForEachSuiteElement(n.elements,
                        [&](const Suites& s)
                        {
                            const bool rsn = s.family == &kRsn;
                            if (!rsn && IsWpa2(sec.auth))
                                return true; // an RSN element was seen: WPA does not count
                            const bool psk = s.hasAkm(s.family->akmPsk);
                            sec.oneX = !psk;
                            sec.auth = rsn ? (psk ? kAuthRsnaPsk : kAuthRsna)
                                           : (psk ? kAuthWpaPsk : kAuthWpa);
                            sec.cipher = s.hasPairwise(s.family->ccmp) ? kCipherCcmp : kCipherTkip;
                            return true;
                        });
    return sec;
}

bool OffersSecurity(const radio::Network& n, std::uint32_t auth, std::uint32_t cipher)
{
    const bool privacy = (n.capability & radio::kCapPrivacy) != 0;
    if (auth == kAuthOpen || auth == kAuthSharedKey)
    {
        if (cipher == kCipherNone)
            return !privacy;
        return cipher == kCipherWep && privacy && NetworkSecurity(n).auth <= kAuthSharedKey;
    }
    const Family& wanted = IsWpa2(auth) ? kRsn : kWpa;
    const std::uint32_t akm = IsPsk(auth) ? wanted.akmPsk : wanted.akm8021x;
    const std::uint32_t pairwise = cipher == kCipherCcmp ? wanted.ccmp : wanted.tkip;
    bool offered = false;
    ForEachSuiteElement(n.elements,
                        [&](const Suites& s)
                        {
                            offered =
                                s.family == &wanted && s.hasAkm(akm) && s.hasPairwise(pairwise);
                            return !offered;
                        });
    return offered;
}

} // namespace machine::wlan
