#include "platform/profile/PrivateProfile.h"

#include "platform/file/HostFileNames.h"
#include "platform/profile/IniDocument.h"
#include "platform/profile/ProfileFiles.h"

#include <cstring>
#include <new>
#include <string>
#include <string_view>
#include <vector>

using namespace platform::profile_detail;
namespace ini = platform::ini;

namespace
{

constexpr const char* kWinIni = "C:\\Windows\\win.ini";

// The host file, or nullopt with `error` set for a name no file can have.
std::optional<std::filesystem::path> hostFile(LPCSTR lpFileName, DWORD& error)
{
    return platform::file_detail::ResolveFileName(lpFileName != nullptr ? lpFileName : kWinIni,
                                                  error);
}

LoadedProfile load(LPCSTR lpFileName)
{
    DWORD error = ERROR_SUCCESS;
    auto host = hostFile(lpFileName, error);
    return host ? LoadProfile(*host) : LoadProfile(std::filesystem::path());
}

// The value as read: one pair of matching quotes around it is dropped.
std::string_view unquoted(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

std::string_view defaultText(LPCSTR lpDefault)
{
    std::string_view text = lpDefault != nullptr ? lpDefault : "";
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// A text into the caller's buffer: cut to nSize-1 characters and terminated.
DWORD copyText(std::string_view text, LPSTR buffer, DWORD nSize)
{
    if (buffer == nullptr || nSize == 0)
        return 0;
    if (text.size() < nSize)
    {
        std::memcpy(buffer, text.data(), text.size());
        buffer[text.size()] = '\0';
        return static_cast<DWORD>(text.size());
    }
    std::memcpy(buffer, text.data(), nSize - 1);
    buffer[nSize - 1] = '\0';
    SetLastError(ERROR_MORE_DATA);
    return nSize - 1;
}

// Names, each ended by a zero, and one more zero after the last. A list that does not fit is
// cut to nSize-2 characters and ended by two zeros; the return value is then nSize-2. The
// platform counts a list as fitting only with one byte to spare: a list that fills the buffer
// exactly, its last zero included, is reported as cut (nSize-2), though nothing of it is lost.
DWORD copyList(const std::vector<std::string_view>& items, LPSTR buffer, DWORD nSize)
{
    if (buffer == nullptr || nSize == 0)
        return 0;
    std::string list;
    for (std::string_view item : items)
    {
        list += item;
        list += '\0';
    }
    if (list.empty() || list.size() + 2 <= nSize)
    {
        std::memcpy(buffer, list.data(), list.size());
        buffer[list.size()] = '\0';
        if (list.empty() && nSize >= 2)
            buffer[1] = '\0';
        return static_cast<DWORD>(list.size());
    }
    SetLastError(ERROR_MORE_DATA);
    if (nSize < 2)
    {
        buffer[0] = '\0';
        return 0;
    }
    std::memcpy(buffer, list.data(), nSize - 2);
    buffer[nSize - 2] = '\0';
    buffer[nSize - 1] = '\0';
    return nSize - 2;
}

// The value of a key as GetPrivateProfileString returns it, or nullopt when missing.
std::optional<std::string_view> lookup(const ini::Document& document, LPCSTR lpAppName,
                                       LPCSTR lpKeyName)
{
    const ini::Section* section = document.findSection(lpAppName);
    const ini::Line* entry = section == nullptr ? nullptr : document.findEntry(*section, lpKeyName);
    if (entry == nullptr)
        return std::nullopt;
    return unquoted(document.valueOf(*entry));
}

std::uint32_t parseProfileInt(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    unsigned base = 10;
    if (i + 1 < text.size() && text[i] == '0')
    {
        char prefix = text[i + 1];
        base = prefix == 'x' ? 16 : prefix == 'o' ? 8 : prefix == 'b' ? 2 : 10;
        if (base != 10)
            i += 2;
    }
    std::uint32_t value = 0;
    for (; i < text.size(); ++i)
    {
        char c = text[i];
        unsigned digit = c >= '0' && c <= '9'   ? unsigned(c - '0')
                         : c >= 'a' && c <= 'z' ? unsigned(c - 'a' + 10)
                         : c >= 'A' && c <= 'Z' ? unsigned(c - 'A' + 10)
                                                : 99;
        if (digit >= base)
            break;
        value = value * base + digit; // wraps in 32 bits, as the platform's conversion does
    }
    return negative ? 0u - value : value;
}

bool hasLineBreak(std::string_view text)
{
    return text.find_first_of("\r\n") != text.npos;
}

bool unsafeSection(std::string_view name)
{
    return name.find_first_of("\r\n]") != name.npos;
}

bool unsafeKey(std::string_view key)
{
    if (key.find_first_of("\r\n=") != key.npos)
        return true;
    std::string_view trimmed = ini::Trim(key);
    return !trimmed.empty() && (trimmed.front() == ';' || trimmed.front() == '[');
}

BOOL fail(DWORD error)
{
    SetLastError(error);
    return FALSE;
}

BOOL update(LPCSTR lpFileName, const ProfileEdit& edit)
{
    DWORD error = ERROR_SUCCESS;
    auto host = hostFile(lpFileName, error);
    if (!host)
        return fail(error);
    error = UpdateProfile(*host, edit);
    if (error != ERROR_SUCCESS)
        return fail(error);
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

} // namespace

DWORD GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault,
                               LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName)
{
    try
    {
        if (lpReturnedString == nullptr || nSize == 0)
            return 0;
        LoadedProfile profile = load(lpFileName);
        const ini::Document& document = *profile.document;
        SetLastError(profile.exists ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND);

        if (lpAppName == nullptr)
        {
            std::vector<std::string_view> names;
            for (const auto& section : document.sections())
                names.push_back(section.name);
            return copyList(names, lpReturnedString, nSize);
        }
        if (lpKeyName == nullptr)
        {
            std::vector<std::string_view> keys;
            // A line without "=" is no key: the section's lines list it, its keys do not.
            if (const ini::Section* section = document.findSection(lpAppName))
                for (std::size_t line : section->entries)
                    if (document.lines()[line].hasValue)
                        keys.push_back(document.nameOf(document.lines()[line]));
            return copyList(keys, lpReturnedString, nSize);
        }
        if (auto value = lookup(document, lpAppName, lpKeyName))
            return copyText(*value, lpReturnedString, nSize);
        SetLastError(ERROR_FILE_NOT_FOUND);
        return copyText(defaultText(lpDefault), lpReturnedString, nSize);
    }
    catch (const std::bad_alloc&)
    {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        lpReturnedString[0] = '\0';
        return 0;
    }
}

UINT GetPrivateProfileIntA(LPCSTR lpAppName, LPCSTR lpKeyName, INT nDefault, LPCSTR lpFileName)
{
    if (lpAppName == nullptr || lpKeyName == nullptr)
        return static_cast<UINT>(nDefault);
    try
    {
        LoadedProfile profile = load(lpFileName);
        auto value = lookup(*profile.document, lpAppName, lpKeyName);
        if (!value || value->empty())
            return static_cast<UINT>(nDefault);
        return parseProfileInt(*value);
    }
    catch (const std::bad_alloc&)
    {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return static_cast<UINT>(nDefault);
    }
}

DWORD GetPrivateProfileSectionA(LPCSTR lpAppName, LPSTR lpReturnedString, DWORD nSize,
                                LPCSTR lpFileName)
{
    try
    {
        if (lpReturnedString == nullptr || nSize == 0)
            return 0;
        LoadedProfile profile = load(lpFileName);
        const ini::Document& document = *profile.document;
        SetLastError(profile.exists ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND);
        std::vector<std::string> entries;
        if (const ini::Section* section =
                lpAppName == nullptr ? nullptr : document.findSection(lpAppName))
        {
            for (std::size_t index : section->entries)
            {
                const ini::Line& line = document.lines()[index];
                entries.push_back(line.hasValue ? std::string(document.nameOf(line)) + "=" +
                                                      std::string(document.valueOf(line))
                                                : std::string(document.nameOf(line)));
            }
        }
        return copyList(std::vector<std::string_view>(entries.begin(), entries.end()),
                        lpReturnedString, nSize);
    }
    catch (const std::bad_alloc&)
    {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        lpReturnedString[0] = '\0';
        return 0;
    }
}

DWORD GetPrivateProfileSectionNamesA(LPSTR lpszReturnBuffer, DWORD nSize, LPCSTR lpFileName)
{
    return GetPrivateProfileStringA(nullptr, nullptr, nullptr, lpszReturnBuffer, nSize, lpFileName);
}

BOOL WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString,
                                LPCSTR lpFileName)
{
    if (lpAppName == nullptr)
    {
        // All three NULL asks to flush the platform's cache: writes here are on disk already,
        // and the platform answers FALSE to it.
        if (lpKeyName == nullptr && lpString == nullptr)
            return FALSE;
        return fail(ERROR_INVALID_PARAMETER);
    }
    if (unsafeSection(lpAppName) || (lpKeyName != nullptr && unsafeKey(lpKeyName)) ||
        (lpKeyName != nullptr && lpString != nullptr && hasLineBreak(lpString)))
        return fail(ERROR_INVALID_PARAMETER);
    try
    {
        return update(lpFileName,
                      [&](const ini::Document& document)
                      {
                          if (lpKeyName == nullptr)
                              return document.sectionRemoval(lpAppName);
                          if (lpString == nullptr)
                              return document.keyRemoval(lpAppName, lpKeyName);
                          return document.valueEdit(lpAppName, lpKeyName, lpString);
                      });
    }
    catch (const std::bad_alloc&)
    {
        return fail(ERROR_NOT_ENOUGH_MEMORY);
    }
}

BOOL WritePrivateProfileSectionA(LPCSTR lpAppName, LPCSTR lpString, LPCSTR lpFileName)
{
    if (lpAppName == nullptr)
        return fail(ERROR_INVALID_PARAMETER);
    if (unsafeSection(lpAppName))
        return fail(ERROR_INVALID_PARAMETER);
    try
    {
        std::vector<std::string> lines;
        if (lpString != nullptr)
        {
            for (LPCSTR item = lpString; *item != '\0'; item += std::strlen(item) + 1)
            {
                std::string_view line = item;
                std::string_view trimmed = ini::Trim(line);
                if (hasLineBreak(line) || (!trimmed.empty() && trimmed.front() == '['))
                    return fail(ERROR_INVALID_PARAMETER);
                lines.emplace_back(line);
            }
        }
        return update(lpFileName,
                      [&](const ini::Document& document)
                      {
                          if (lpString == nullptr)
                              return document.sectionRemoval(lpAppName);
                          return document.sectionLinesEdit(lpAppName, lines);
                      });
    }
    catch (const std::bad_alloc&)
    {
        return fail(ERROR_NOT_ENOUGH_MEMORY);
    }
}

namespace platform
{
std::uint64_t ProfileParseCount()
{
    return profile_detail::ParseCount();
}
} // namespace platform
