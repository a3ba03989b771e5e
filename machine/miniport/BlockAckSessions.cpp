#include "machine/miniport/BlockAckSessions.h"

#include <algorithm>

namespace machine::miniport
{
namespace
{

constexpr std::size_t kEntrySize = 48, kEntries = 32, kRecipientAt = 1536, kCountsAt = 3072;
constexpr std::size_t kBitmapAt = 6, kValuesAt = 8, kSlotsAt = 16;
constexpr unsigned kTids = 8;

struct Request
{
    unsigned direction;
    std::string mac;
    unsigned tid;
    char window;
    bool wholeEntry;
};

bool parse(const std::string& bytes, Request& r)
{
    if (bytes.size() < kBaRequestSize)
        return false;
    r.direction = static_cast<unsigned char>(bytes[0]);
    r.mac = bytes.substr(1, 6);
    r.tid = static_cast<unsigned char>(bytes[7]);
    r.window = bytes[8];
    r.wholeEntry = bytes[12] == 1;
    return r.direction <= 1 && r.tid < kTids;
}

std::size_t sideAt(unsigned direction)
{
    return direction == 0 ? 0 : kRecipientAt;
}

// The side's count, never more than its entries.
std::size_t countOf(const std::string& table, unsigned direction)
{
    return std::min<std::size_t>(static_cast<unsigned char>(table[kCountsAt + direction]),
                                 kEntries);
}

std::size_t findPeer(const std::string& table, unsigned direction, const std::string& mac)
{
    for (std::size_t i = 0; i < countOf(table, direction); ++i)
        if (table.compare(sideAt(direction) + i * kEntrySize, 6, mac) == 0)
            return i;
    return kEntries;
}

// Takes the entry out and moves the later ones up.
void removeEntry(std::string& table, unsigned direction, std::size_t index)
{
    const std::size_t count = countOf(table, direction);
    std::string side = table.substr(sideAt(direction), kEntries * kEntrySize);
    side.erase(index * kEntrySize, kEntrySize);
    side.append(kEntrySize, '\0');
    table.replace(sideAt(direction), side.size(), side);
    table[kCountsAt + direction] = static_cast<char>(count - 1);
}

} // namespace

bool AddBaSession(std::string& table, const std::string& request)
{
    table.resize(kBaTableSize, '\0');
    Request r;
    if (!parse(request, r))
        return false;
    if (r.mac == std::string(6, '\0'))
        return true;
    std::size_t index = findPeer(table, r.direction, r.mac);
    if (index == kEntries)
    {
        index = countOf(table, r.direction);
        if (index == kEntries)
            return false;
        table.replace(sideAt(r.direction) + index * kEntrySize, kEntrySize, kEntrySize, '\0');
        table.replace(sideAt(r.direction) + index * kEntrySize, 6, r.mac);
        table[kCountsAt + r.direction] = static_cast<char>(index + 1);
    }
    const std::size_t entry = sideAt(r.direction) + index * kEntrySize;
    table[entry + kBitmapAt] = static_cast<char>(table[entry + kBitmapAt] | (1u << r.tid));
    table[entry + kValuesAt + r.tid] = r.window;
    // A fresh session starts its sequence at 0.
    table.replace(entry + kSlotsAt + 4 * r.tid, 4, 4, '\0');
    return true;
}

bool DeleteBaSession(std::string& table, const std::string& request)
{
    table.resize(kBaTableSize, '\0');
    Request r;
    if (!parse(request, r))
        return false;
    const std::size_t index = findPeer(table, r.direction, r.mac);
    if (index == kEntries)
        return true;
    const std::size_t entry = sideAt(r.direction) + index * kEntrySize;
    unsigned bitmap = static_cast<unsigned char>(table[entry + kBitmapAt]);
    if (!r.wholeEntry)
    {
        bitmap &= ~(1u << r.tid);
        table[entry + kBitmapAt] = static_cast<char>(bitmap);
        table[entry + kValuesAt + r.tid] = '\0';
    }
    if (r.wholeEntry || bitmap == 0)
        removeEntry(table, r.direction, index);
    return true;
}

} // namespace machine::miniport
