#include "machine/wlan/Journal.h"

namespace machine::wlan
{

void Journal(ServiceState& s, std::uint64_t due, std::uint32_t source, std::uint32_t code,
             const std::string& guid, std::vector<std::uint8_t> data)
{
    s.journal.push_back({s.nextSeq++, due, source, code, GuidKey(guid), std::move(data)});
    if (s.journal.size() > kJournalLimit)
        s.journal.erase(s.journal.begin(),
                        s.journal.begin() + static_cast<long>(s.journal.size() - kJournalLimit));
}

std::vector<std::uint8_t> Le32(std::uint32_t value)
{
    std::vector<std::uint8_t> out(4);
    for (std::size_t k = 0; k < 4; ++k)
        out[k] = static_cast<std::uint8_t>(value >> (8 * k));
    return out;
}

std::vector<std::uint8_t> RadioRecord(std::uint32_t phyIndex, std::uint32_t software,
                                      std::uint32_t hardware)
{
    std::vector<std::uint8_t> out = Le32(phyIndex);
    for (std::uint32_t word : {software, hardware})
    {
        auto bytes = Le32(word);
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    return out;
}

} // namespace machine::wlan
