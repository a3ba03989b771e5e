#include "platform/base/CString.h"

#include "platform/base/StringConv.h"
#include "platform/base/StringResolver.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <stdexcept>

namespace
{

// A pointer whose value fits in 16 bits is MAKEINTRESOURCE(id), not text.
bool IsResourceId(LPCSTR psz)
{
    return psz != nullptr && (reinterpret_cast<std::uintptr_t>(psz) >> 16) == 0;
}

UINT ResourceId(LPCSTR psz)
{
    return static_cast<UINT>(reinterpret_cast<std::uintptr_t>(psz));
}

char AsciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
bool AsciiSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

LPCSTR OrEmpty(LPCSTR psz)
{
    return (psz == nullptr || IsResourceId(psz)) ? "" : psz;
}

std::string WideToString(LPCWSTR pch, std::size_t n)
{
    return platform::Utf16ToUtf8(std::u16string_view(pch, n));
}

std::size_t WideLength(LPCWSTR psz)
{
    std::size_t n = 0;
    while (psz[n] != 0)
        ++n;
    return n;
}

} // namespace

CString::CString(LPCSTR psz)
{
    if (IsResourceId(psz))
        LoadString(ResourceId(psz));
    else if (psz != nullptr)
        m_str = psz;
}

CString::CString(const unsigned char* psz) : CString(reinterpret_cast<LPCSTR>(psz)) {}

CString::CString(LPCSTR pch, int nLength)
{
    if (pch != nullptr && nLength > 0)
        m_str.assign(pch, static_cast<std::size_t>(nLength));
}

CString::CString(char ch, int nRepeat)
{
    if (nRepeat > 0)
        m_str.assign(static_cast<std::size_t>(nRepeat), ch);
}

CString::CString(LPCWSTR psz)
{
    if (psz != nullptr)
        m_str = WideToString(psz, WideLength(psz));
}

CString::CString(LPCWSTR pch, int nLength)
{
    if (pch != nullptr && nLength > 0)
        m_str = WideToString(pch, static_cast<std::size_t>(nLength));
}

CString& CString::operator=(LPCSTR psz)
{
    if (IsResourceId(psz))
    {
        m_str.clear();
        LoadString(ResourceId(psz));
    }
    else if (psz == nullptr)
        m_str.clear();
    else
        m_str.assign(psz); // may point into this string: assign copes with that
    return *this;
}

CString& CString::operator=(const unsigned char* psz)
{
    return *this = reinterpret_cast<LPCSTR>(psz);
}

CString& CString::operator=(LPCWSTR psz)
{
    m_str = psz ? WideToString(psz, WideLength(psz)) : std::string();
    return *this;
}

CString& CString::operator=(char ch)
{
    m_str.assign(1, ch);
    return *this;
}

void CString::SetString(LPCSTR psz, int nLength)
{
    if (psz == nullptr || nLength <= 0)
        m_str.clear();
    else
        m_str.assign(psz, static_cast<std::size_t>(nLength));
}

char CString::GetAt(int iChar) const
{
    if (iChar < 0 || iChar > GetLength())
        throw std::out_of_range("CString::GetAt");
    return m_str.c_str()[iChar];
}

void CString::SetAt(int iChar, char ch)
{
    if (iChar < 0 || iChar >= GetLength())
        throw std::out_of_range("CString::SetAt");
    m_str[static_cast<std::size_t>(iChar)] = ch;
}

CString& CString::operator+=(const CString& str)
{
    m_str += str.m_str;
    return *this;
}

CString& CString::operator+=(LPCSTR psz)
{
    if (IsResourceId(psz))
        return *this += CString(psz);
    if (psz != nullptr)
        m_str.append(psz);
    return *this;
}

CString& CString::operator+=(char ch)
{
    m_str += ch;
    return *this;
}

void CString::Append(LPCSTR psz)
{
    *this += psz;
}

void CString::Append(LPCSTR pch, int nLength)
{
    if (pch != nullptr && nLength > 0)
        m_str.append(pch, strnlen(pch, static_cast<std::size_t>(nLength)));
}

int CString::Compare(LPCSTR psz) const
{
    const int r = std::strcmp(m_str.c_str(), OrEmpty(psz));
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CString::CompareNoCase(LPCSTR psz) const
{
    const auto* a = reinterpret_cast<const unsigned char*>(m_str.c_str());
    const auto* b = reinterpret_cast<const unsigned char*>(OrEmpty(psz));
    for (;; ++a, ++b)
    {
        // Folded to lower case, as the run-time's case-blind compare does.
        const auto ca = static_cast<unsigned char>(AsciiLower(static_cast<char>(*a)));
        const auto cb = static_cast<unsigned char>(AsciiLower(static_cast<char>(*b)));
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
    }
}

CString CString::Left(int nCount) const
{
    nCount = std::clamp(nCount, 0, GetLength());
    return CString(m_str.data(), nCount);
}

CString CString::Mid(int iFirst) const
{
    return Mid(iFirst, GetLength());
}

CString CString::Mid(int iFirst, int nCount) const
{
    const int length = GetLength();
    iFirst = std::max(iFirst, 0);
    nCount = std::max(nCount, 0);
    if (iFirst >= length)
        return CString();
    nCount = std::min(nCount, length - iFirst);
    return CString(m_str.data() + iFirst, nCount);
}

CString CString::Right(int nCount) const
{
    nCount = std::clamp(nCount, 0, GetLength());
    return CString(m_str.data() + (GetLength() - nCount), nCount);
}

int CString::Find(char ch, int iStart) const
{
    if (iStart < 0 || iStart >= GetLength())
        return -1;
    const auto pos = m_str.find(ch, static_cast<std::size_t>(iStart));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(LPCSTR pszSub, int iStart) const
{
    if (pszSub == nullptr || iStart < 0 || iStart > GetLength())
        return -1;
    const char* hit = std::strstr(m_str.c_str() + iStart, pszSub);
    return hit == nullptr ? -1 : static_cast<int>(hit - m_str.c_str());
}

int CString::ReverseFind(char ch) const
{
    const auto pos = m_str.rfind(ch);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::FindOneOf(LPCSTR pszCharSet) const
{
    if (pszCharSet == nullptr)
        return -1;
    const char* hit = std::strpbrk(m_str.c_str(), pszCharSet);
    return hit == nullptr ? -1 : static_cast<int>(hit - m_str.c_str());
}

int CString::Replace(char chOld, char chNew)
{
    if (chOld == chNew)
        return 0;
    int count = 0;
    for (char& c : m_str)
        if (c == chOld)
        {
            c = chNew;
            ++count;
        }
    return count;
}

int CString::Replace(LPCSTR pszOld, LPCSTR pszNew)
{
    if (pszOld == nullptr || *pszOld == '\0')
        return 0;
    const std::string from = pszOld; // either may point into this string
    const std::string to = OrEmpty(pszNew);
    std::string result;
    int count = 0;
    std::size_t pos = 0;
    for (;;)
    {
        const auto hit = m_str.find(from, pos);
        if (hit == std::string::npos)
            break;
        result.append(m_str, pos, hit - pos);
        result += to;
        pos = hit + from.size();
        ++count;
    }
    if (count > 0)
    {
        result.append(m_str, pos, std::string::npos);
        m_str = std::move(result);
    }
    return count;
}

int CString::Remove(char chRemove)
{
    const auto before = m_str.size();
    m_str.erase(std::remove(m_str.begin(), m_str.end(), chRemove), m_str.end());
    return static_cast<int>(before - m_str.size());
}

int CString::Insert(int iIndex, char ch)
{
    iIndex = std::clamp(iIndex, 0, GetLength());
    m_str.insert(static_cast<std::size_t>(iIndex), 1, ch);
    return GetLength();
}

int CString::Insert(int iIndex, LPCSTR psz)
{
    iIndex = std::clamp(iIndex, 0, GetLength());
    const std::string text = OrEmpty(psz);
    m_str.insert(static_cast<std::size_t>(iIndex), text);
    return GetLength();
}

int CString::Delete(int iIndex, int nCount)
{
    iIndex = std::max(iIndex, 0);
    nCount = std::max(nCount, 0);
    const int length = GetLength();
    if (iIndex < length && nCount > 0)
        m_str.erase(static_cast<std::size_t>(iIndex),
                    static_cast<std::size_t>(std::min(nCount, length - iIndex)));
    return GetLength();
}

namespace
{

template <class Pred> void TrimLeftIf(std::string& s, Pred pred)
{
    std::size_t n = 0;
    while (n < s.size() && pred(s[n]))
        ++n;
    s.erase(0, n);
}

template <class Pred> void TrimRightIf(std::string& s, Pred pred)
{
    std::size_t n = s.size();
    while (n > 0 && pred(s[n - 1]))
        --n;
    s.resize(n);
}

auto InSet(LPCSTR set)
{
    const std::string targets = OrEmpty(set);
    return [targets](char c) { return c != '\0' && targets.find(c) != std::string::npos; };
}

} // namespace

CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}
CString& CString::Trim(char chTarget)
{
    return TrimRight(chTarget).TrimLeft(chTarget);
}
CString& CString::Trim(LPCSTR pszTargets)
{
    return TrimRight(pszTargets).TrimLeft(pszTargets);
}

CString& CString::TrimLeft()
{
    TrimLeftIf(m_str, AsciiSpace);
    return *this;
}

CString& CString::TrimLeft(char chTarget)
{
    TrimLeftIf(m_str, [chTarget](char c) { return c == chTarget; });
    return *this;
}

CString& CString::TrimLeft(LPCSTR pszTargets)
{
    TrimLeftIf(m_str, InSet(pszTargets));
    return *this;
}

CString& CString::TrimRight()
{
    TrimRightIf(m_str, AsciiSpace);
    return *this;
}

CString& CString::TrimRight(char chTarget)
{
    TrimRightIf(m_str, [chTarget](char c) { return c == chTarget; });
    return *this;
}

CString& CString::TrimRight(LPCSTR pszTargets)
{
    TrimRightIf(m_str, InSet(pszTargets));
    return *this;
}

CString& CString::MakeUpper()
{
    std::transform(m_str.begin(), m_str.end(), m_str.begin(), AsciiUpper);
    return *this;
}

CString& CString::MakeLower()
{
    std::transform(m_str.begin(), m_str.end(), m_str.begin(), AsciiLower);
    return *this;
}

CString& CString::MakeReverse()
{
    std::reverse(m_str.begin(), m_str.end());
    return *this;
}

CString CString::Tokenize(LPCSTR pszTokens, int& iStart) const
{
    const int length = GetLength();
    if (iStart < 0 || iStart >= length)
    {
        iStart = -1;
        return CString();
    }
    const std::string set = OrEmpty(pszTokens);
    if (set.empty())
    {
        // No delimiters: the rest is the token.
        CString rest = Mid(iStart);
        iStart = length;
        return rest;
    }
    const auto first = m_str.find_first_not_of(set, static_cast<std::size_t>(iStart));
    if (first == std::string::npos)
    {
        iStart = -1;
        return CString();
    }
    auto end = m_str.find_first_of(set, first);
    if (end == std::string::npos)
        end = m_str.size();
    iStart = static_cast<int>(end) + (end < m_str.size() ? 1 : 0);
    return CString(m_str.data() + first, static_cast<int>(end - first));
}

LPSTR CString::GetBuffer()
{
    return m_str.data();
}

LPSTR CString::GetBuffer(int nMinBufferLength)
{
    if (nMinBufferLength > GetLength())
        m_str.resize(static_cast<std::size_t>(nMinBufferLength));
    return m_str.data();
}

LPSTR CString::GetBufferSetLength(int nLength)
{
    m_str.resize(static_cast<std::size_t>(std::max(nLength, 0)));
    return m_str.data();
}

void CString::ReleaseBuffer(int nNewLength)
{
    const std::size_t length = nNewLength < 0
                                   ? strnlen(m_str.c_str(), m_str.size())
                                   : std::min(static_cast<std::size_t>(nNewLength), m_str.size());
    m_str.resize(length);
}

void CString::Preallocate(int nLength)
{
    if (nLength > 0)
        m_str.reserve(static_cast<std::size_t>(nLength));
}

void CString::Truncate(int nNewLength)
{
    if (nNewLength >= 0 && nNewLength < GetLength())
        m_str.resize(static_cast<std::size_t>(nNewLength));
}

void CString::FormatV(LPCSTR pszFormat, va_list args)
{
    m_str = platform::FormatStringV(pszFormat, args);
}

void CString::AppendFormatV(LPCSTR pszFormat, va_list args)
{
    m_str += platform::FormatStringV(pszFormat, args);
}

BOOL CString::LoadString(UINT nID)
{
    auto text = platform::ResolveString(nID);
    if (!text)
        return FALSE;
    m_str = std::move(*text);
    return TRUE;
}

CString operator+(const CString& a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, LPCSTR b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(LPCSTR a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, char b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(char a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}

std::ostream& operator<<(std::ostream& os, const CString& s)
{
    return os.write(s.GetString(), s.GetLength());
}
