#include "platform/version/WinVer.h"

#include "machine/programs/VersionResource.h"
#include "platform/base/StringConv.h"
#include "platform/file/HostFileNames.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace
{

namespace programs = machine::programs;
using platform::file_detail::MissingFileError;
using platform::file_detail::ResolveFileName;

constexpr WORD kBinary = 0;
constexpr WORD kText = 1;
// Leads the area of ANSI copies of the string values that follows the node tree.
constexpr DWORD kAnsiMagic = 0x49534E41u; // "ANSI"

std::size_t align4(std::size_t n)
{
    return (n + 3) & ~std::size_t{3};
}

// Writes one node: header, key, value, then its children through `children`.
class BlockWriter
{
public:
    template <class Children>
    void node(std::u16string_view key, WORD type, const void* value, std::size_t valueBytes,
              WORD valueLength, Children children)
    {
        const std::size_t start = m_bytes.size();
        putWord(0); // length, patched below
        putWord(valueLength);
        putWord(type);
        for (char16_t c : key)
            putWord(c);
        putWord(0);
        pad();
        if (value != nullptr && valueBytes > 0)
        {
            m_valueOffsets.push_back(m_bytes.size());
            const auto* p = static_cast<const BYTE*>(value);
            m_bytes.insert(m_bytes.end(), p, p + valueBytes);
        }
        pad();
        children();
        const std::size_t length = m_bytes.size() - start;
        m_tooLong = m_tooLong || length > 0xFFFF;
        m_bytes[start] = static_cast<BYTE>(length & 0xFF);
        m_bytes[start + 1] = static_cast<BYTE>((length >> 8) & 0xFF);
    }

    std::vector<BYTE>& bytes() { return m_bytes; }
    std::size_t lastValueOffset() const { return m_valueOffsets.back(); }
    bool tooLong() const { return m_tooLong; }

private:
    void putWord(WORD w)
    {
        m_bytes.push_back(static_cast<BYTE>(w & 0xFF));
        m_bytes.push_back(static_cast<BYTE>(w >> 8));
    }
    void pad()
    {
        while (m_bytes.size() % 4 != 0)
            m_bytes.push_back(0);
    }

    std::vector<BYTE> m_bytes;
    std::vector<std::size_t> m_valueOffsets;
    bool m_tooLong = false;
};

void putDword(std::vector<BYTE>& out, DWORD d)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<BYTE>((d >> (8 * i)) & 0xFF));
}

DWORD readDword(const BYTE* p)
{
    return DWORD(p[0]) | (DWORD(p[1]) << 8) | (DWORD(p[2]) << 16) | (DWORD(p[3]) << 24);
}

WORD readWord(const BYTE* p)
{
    return static_cast<WORD>(p[0] | (p[1] << 8));
}

std::u16string hex8(WORD language, WORD codePage)
{
    char text[9];
    std::snprintf(text, sizeof(text), "%04X%04X", language, codePage);
    return platform::Utf8ToUtf16(text);
}

// The block: the node tree, then "ANSI", the area's length and one entry per string value
// (offset of the UTF-16 value in the tree, byte count, the bytes and a zero, padded to 4).
std::optional<std::vector<BYTE>> buildBlock(const programs::VersionResource& r)
{
    VS_FIXEDFILEINFO fixed{};
    fixed.dwSignature = VS_FFI_SIGNATURE;
    fixed.dwStrucVersion = VS_FFI_STRUCVERSION;
    fixed.dwFileVersionMS = (DWORD(r.fileVersion[0]) << 16) | r.fileVersion[1];
    fixed.dwFileVersionLS = (DWORD(r.fileVersion[2]) << 16) | r.fileVersion[3];
    fixed.dwProductVersionMS = (DWORD(r.productVersion[0]) << 16) | r.productVersion[1];
    fixed.dwProductVersionLS = (DWORD(r.productVersion[2]) << 16) | r.productVersion[3];
    fixed.dwFileFlagsMask = VS_FFI_FILEFLAGSMASK;
    fixed.dwFileOS = VOS_NT_WINDOWS32;
    fixed.dwFileType = r.fileType;
    fixed.dwFileSubtype = r.fileSubtype;

    std::vector<std::size_t> stringValues; // where each string's UTF-16 value lies
    std::vector<std::u16string> values;
    values.reserve(r.strings.size());
    for (const auto& s : r.strings)
        values.push_back(platform::Utf8ToUtf16(s.second) + u'\0');

    BlockWriter w;
    auto none = [] {};
    w.node(u"VS_VERSION_INFO", kBinary, &fixed, sizeof(fixed), sizeof(fixed),
           [&]
           {
               w.node(u"StringFileInfo", kText, nullptr, 0, 0,
                      [&]
                      {
                          w.node(hex8(r.language, r.codePage), kText, nullptr, 0, 0,
                                 [&]
                                 {
                                     for (std::size_t i = 0; i < r.strings.size(); ++i)
                                     {
                                         const std::u16string& v = values[i];
                                         std::vector<BYTE> raw;
                                         for (char16_t c : v)
                                         {
                                             raw.push_back(static_cast<BYTE>(c & 0xFF));
                                             raw.push_back(static_cast<BYTE>(c >> 8));
                                         }
                                         w.node(platform::Utf8ToUtf16(r.strings[i].first), kText,
                                                raw.data(), raw.size(), static_cast<WORD>(v.size()),
                                                none);
                                         stringValues.push_back(w.lastValueOffset());
                                     }
                                 });
                      });
               w.node(u"VarFileInfo", kText, nullptr, 0, 0,
                      [&]
                      {
                          const WORD translation[2] = {r.language, r.codePage};
                          w.node(u"Translation", kBinary, translation, sizeof(translation),
                                 sizeof(translation), none);
                      });
           });
    if (w.tooLong())
        return std::nullopt;
    std::vector<BYTE>& out = w.bytes();

    std::vector<BYTE> area;
    putDword(area, kAnsiMagic);
    putDword(area, 0); // length, patched below
    for (std::size_t i = 0; i < r.strings.size(); ++i)
    {
        // The text as the UTF-16 value holds it (bytes that were not UTF-8 are replaced).
        const std::string text =
            platform::Utf16ToUtf8(std::u16string_view(values[i]).substr(0, values[i].size() - 1));
        putDword(area, static_cast<DWORD>(stringValues[i]));
        putDword(area, static_cast<DWORD>(text.size()));
        area.insert(area.end(), text.begin(), text.end());
        area.push_back(0);
        while (area.size() % 4 != 0)
            area.push_back(0);
    }
    const std::size_t areaLength = area.size();
    for (int b = 0; b < 4; ++b)
        area[4 + b] = static_cast<BYTE>((areaLength >> (8 * b)) & 0xFF);
    out.insert(out.end(), area.begin(), area.end());
    return std::move(out);
}

// The file's block; nullopt with the error set.
std::optional<std::vector<BYTE>> blockOf(LPCSTR name)
{
    DWORD error = ERROR_SUCCESS;
    auto host = ResolveFileName(name, error);
    if (!host)
    {
        SetLastError(error);
        return std::nullopt;
    }
    std::error_code ec;
    if (!std::filesystem::exists(*host, ec))
    {
        SetLastError(MissingFileError(*host));
        return std::nullopt;
    }
    auto resource = programs::ReadVersionResource(*host);
    if (!resource)
    {
        SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
        return std::nullopt;
    }
    auto block = buildBlock(*resource);
    if (!block)
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return block;
}

bool sameKey(const BYTE* key, std::size_t maxChars, std::string_view wanted)
{
    std::size_t i = 0;
    for (; i < maxChars; ++i)
    {
        const WORD c = readWord(key + 2 * i);
        if (c == 0)
            return i == wanted.size();
        if (i >= wanted.size() || c > 0x7F ||
            std::tolower(c) != std::tolower(static_cast<unsigned char>(wanted[i])))
            return false;
    }
    return false;
}

struct Node
{
    std::size_t start = 0;
    std::size_t end = 0; // start + length
    WORD valueLength = 0;
    WORD type = 0;
    std::size_t value = 0;    // offset of the value
    std::size_t children = 0; // offset of the first child
};

// The node at `at` within [at, limit); nullopt when it is not well formed.
std::optional<Node> readNode(const BYTE* block, std::size_t at, std::size_t limit)
{
    if (at + 6 > limit)
        return std::nullopt;
    Node n;
    n.start = at;
    const WORD length = readWord(block + at);
    n.valueLength = readWord(block + at + 2);
    n.type = readWord(block + at + 4);
    if (length < 8 || at + length > limit)
        return std::nullopt;
    n.end = at + length;
    std::size_t key = at + 6;
    while (key + 2 <= n.end && readWord(block + key) != 0)
        key += 2;
    if (key + 2 > n.end)
        return std::nullopt;
    n.value = align4(key + 2);
    const std::size_t valueBytes = n.type == kText ? 2 * std::size_t{n.valueLength} : n.valueLength;
    if (n.value + valueBytes > n.end && valueBytes > 0)
        return std::nullopt;
    n.children = std::min(align4(n.value + valueBytes), n.end);
    return n;
}

} // namespace

DWORD GetFileVersionInfoSizeA(LPCSTR lptstrFilename, LPDWORD lpdwHandle)
{
    if (lpdwHandle != nullptr)
        *lpdwHandle = 0;
    try
    {
        auto block = blockOf(lptstrFilename);
        return block ? static_cast<DWORD>(block->size()) : 0;
    }
    catch (const std::bad_alloc&)
    {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return 0;
    }
}

BOOL GetFileVersionInfoA(LPCSTR lptstrFilename, DWORD dwHandle, DWORD dwLen, LPVOID lpData)
{
    if (lpData == nullptr)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    try
    {
        auto block = blockOf(lptstrFilename);
        if (!block)
            return FALSE;
        if (dwLen < block->size())
        {
            SetLastError(ERROR_INSUFFICIENT_BUFFER);
            return FALSE;
        }
        std::memcpy(lpData, block->data(), block->size());
        return TRUE;
    }
    catch (const std::bad_alloc&)
    {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
}

BOOL VerQueryValueA(LPCVOID pBlock, LPCSTR lpSubBlock, LPVOID* lplpBuffer, PUINT puLen)
{
    if (lplpBuffer != nullptr)
        *lplpBuffer = nullptr;
    if (puLen != nullptr)
        *puLen = 0;
    if (pBlock == nullptr || lpSubBlock == nullptr || lplpBuffer == nullptr || puLen == nullptr)
        return FALSE;
    const auto* block = static_cast<const BYTE*>(pBlock);
    const std::size_t treeLength = readWord(block);
    auto node = readNode(block, 0, treeLength);
    if (!node || !sameKey(block + 6, 16, "VS_VERSION_INFO"))
        return FALSE;

    std::string_view path(lpSubBlock);
    while (true)
    {
        while (!path.empty() && (path.front() == '\\' || path.front() == '/'))
            path.remove_prefix(1);
        if (path.empty())
            break;
        const std::size_t sep = path.find_first_of("\\/");
        const std::string_view part = path.substr(0, sep);
        path.remove_prefix(sep == std::string_view::npos ? path.size() : sep);
        std::optional<Node> found;
        for (std::size_t at = node->children; at < node->end;)
        {
            auto child = readNode(block, at, node->end);
            if (!child)
                return FALSE;
            if (sameKey(block + at + 6, (child->value - at - 6) / 2, part))
            {
                found = child;
                break;
            }
            at = align4(child->end);
        }
        if (!found)
            return FALSE;
        node = found;
    }

    if (node->type == kText && node->valueLength > 0)
    {
        // The ANSI copy of a string value.
        const std::size_t area = align4(treeLength);
        if (readDword(block + area) != kAnsiMagic)
            return FALSE;
        const std::size_t areaEnd = area + readDword(block + area + 4);
        for (std::size_t at = area + 8; at + 8 <= areaEnd;)
        {
            const std::size_t offset = readDword(block + at);
            const std::size_t bytes = readDword(block + at + 4);
            if (at + 8 + bytes + 1 > areaEnd)
                return FALSE;
            if (offset == node->value)
            {
                *lplpBuffer = const_cast<BYTE*>(block + at + 8);
                *puLen = static_cast<UINT>(bytes + 1);
                return TRUE;
            }
            at = align4(at + 8 + bytes + 1);
        }
        return FALSE;
    }
    *lplpBuffer = const_cast<BYTE*>(block + node->value);
    *puLen = node->type == kText ? 0 : node->valueLength;
    return TRUE;
}
