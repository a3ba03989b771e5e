#include "platform/com/Bstr.h"

#include "platform/base/StringConv.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

namespace platform
{
namespace
{

std::atomic<long> g_live{0};

} // namespace

long LiveBstrs()
{
    return g_live.load();
}

BSTR AllocBstrFromUtf8(const std::string& text)
{
    std::u16string wide = Utf8ToUtf16(text);
    return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

std::string BstrToUtf8(BSTR bstr)
{
    if (bstr == nullptr)
        return {};
    return Utf16ToUtf8(std::u16string_view(bstr, SysStringLen(bstr)));
}

} // namespace platform

BSTR SysAllocStringLen(const WCHAR* strIn, UINT ui)
{
    const std::size_t bytes = std::size_t(ui) * sizeof(WCHAR);
    if (bytes > 0x7FFFFFF0u)
        return nullptr;
    auto* block = static_cast<char*>(std::malloc(sizeof(DWORD) + bytes + sizeof(WCHAR)));
    if (block == nullptr)
        return nullptr;
    const DWORD length = static_cast<DWORD>(bytes);
    std::memcpy(block, &length, sizeof length);
    BSTR text = reinterpret_cast<BSTR>(block + sizeof(DWORD));
    if (strIn != nullptr)
        std::memcpy(text, strIn, bytes);
    else
        std::memset(text, 0, bytes);
    text[ui] = 0;
    ++platform::g_live;
    return text;
}

BSTR SysAllocString(const WCHAR* psz)
{
    if (psz == nullptr)
        return nullptr;
    UINT n = 0;
    while (psz[n] != 0)
        ++n;
    return SysAllocStringLen(psz, n);
}

void SysFreeString(BSTR bstrString)
{
    if (bstrString == nullptr)
        return;
    --platform::g_live;
    std::free(reinterpret_cast<char*>(bstrString) - sizeof(DWORD));
}

UINT SysStringByteLen(BSTR bstr)
{
    if (bstr == nullptr)
        return 0;
    DWORD length = 0;
    std::memcpy(&length, reinterpret_cast<const char*>(bstr) - sizeof(DWORD), sizeof length);
    return length;
}

UINT SysStringLen(BSTR pbstr)
{
    return SysStringByteLen(pbstr) / sizeof(WCHAR);
}
