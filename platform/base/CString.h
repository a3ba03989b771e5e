#pragma once
// The framework's ANSI string. It holds bytes: text is UTF-8 by the machine's code page, and any
// byte (SSIDs, keys) is kept as it is. Case changes and trimming know ASCII only; bytes of 0x80
// and above are left alone. Indexes follow the framework's clamping rules; an index that the
// framework would reject (GetAt, SetAt, operator[]) throws std::out_of_range.

#include "platform/base/Formatter.h"
#include "platform/base/TChar.h"
#include "platform/base/WinTypes.h"

#include <compare>
#include <cstdarg>
#include <iosfwd>
#include <string>

// Passing a CString through C varargs (printf, a TRACE function) would hand over the object,
// not its text: make that a compile error. Pass (LPCSTR)str, or use CString::Format.
// (clang refuses it as it stands.)
#if !defined(__clang__)
#pragma GCC diagnostic error "-Wconditionally-supported"
#endif

class CString
{
public:
    CString() = default;
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    // NULL gives an empty string; a MAKEINTRESOURCE id loads that string resource.
    CString(LPCSTR psz);
    CString(const unsigned char* psz);
    CString(LPCSTR pch, int nLength);
    explicit CString(char ch, int nRepeat = 1);
    CString(LPCWSTR psz);
    CString(LPCWSTR pch, int nLength);
    ~CString() = default;

    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(LPCSTR psz);
    CString& operator=(const unsigned char* psz);
    CString& operator=(LPCWSTR psz);
    CString& operator=(char ch);

    operator LPCSTR() const { return m_str.c_str(); }
    LPCSTR GetString() const { return m_str.c_str(); }
    int GetLength() const { return static_cast<int>(m_str.size()); }
    BOOL IsEmpty() const { return m_str.empty() ? TRUE : FALSE; }
    void Empty() { m_str.clear(); }
    void SetString(LPCSTR psz, int nLength);

    // GetAt and operator[] accept 0..GetLength() (the terminator reads as '\0').
    char GetAt(int iChar) const;
    char operator[](int iChar) const { return GetAt(iChar); }
    void SetAt(int iChar, char ch);

    CString& operator+=(const CString& str);
    CString& operator+=(LPCSTR psz);
    CString& operator+=(char ch);
    void Append(LPCSTR psz);
    void Append(LPCSTR pch, int nLength);
    void AppendChar(char ch) { m_str += ch; }

    // Byte order, as strcmp; CompareNoCase folds ASCII letters only.
    int Compare(LPCSTR psz) const;
    int CompareNoCase(LPCSTR psz) const;

    CString Left(int nCount) const;
    CString Mid(int iFirst) const;
    CString Mid(int iFirst, int nCount) const;
    CString Right(int nCount) const;

    int Find(char ch, int iStart = 0) const;
    int Find(LPCSTR pszSub, int iStart = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(LPCSTR pszCharSet) const;

    int Replace(char chOld, char chNew);
    int Replace(LPCSTR pszOld, LPCSTR pszNew);
    int Remove(char chRemove);
    int Insert(int iIndex, char ch);
    int Insert(int iIndex, LPCSTR psz);
    int Delete(int iIndex, int nCount = 1);

    CString& Trim();
    CString& Trim(char chTarget);
    CString& Trim(LPCSTR pszTargets);
    CString& TrimLeft();
    CString& TrimLeft(char chTarget);
    CString& TrimLeft(LPCSTR pszTargets);
    CString& TrimRight();
    CString& TrimRight(char chTarget);
    CString& TrimRight(LPCSTR pszTargets);

    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();

    // The next token after iStart, skipping leading delimiters; iStart becomes -1 at the end.
    CString Tokenize(LPCSTR pszTokens, int& iStart) const;

    // The buffer holds at least nMinBufferLength bytes plus the terminator until ReleaseBuffer;
    // ReleaseBuffer(-1) takes the length up to the first NUL (never beyond the buffer).
    LPSTR GetBuffer();
    LPSTR GetBuffer(int nMinBufferLength);
    LPSTR GetBufferSetLength(int nLength);
    void ReleaseBuffer(int nNewLength = -1);
    void ReleaseBufferSetLength(int nNewLength) { ReleaseBuffer(nNewLength); }
    void Preallocate(int nLength);
    void FreeExtra() { m_str.shrink_to_fit(); }
    void Truncate(int nNewLength);

    // printf-style; see Formatter.h for the conversions. CString arguments may be passed for %s.
    template <class... Args> void Format(LPCSTR pszFormat, const Args&... args)
    {
        const platform::FormatArg list[] = {platform::MakeFormatArg(args)...,
                                            platform::FormatArg{}};
        m_str = platform::FormatString(pszFormat, {list, sizeof...(Args)});
    }
    // The format is a string resource; an absent one gives an empty string.
    template <class... Args> void Format(UINT nFormatID, const Args&... args)
    {
        CString format;
        format.LoadString(nFormatID);
        Format(format.GetString(), args...);
    }
    template <class... Args> void AppendFormat(LPCSTR pszFormat, const Args&... args)
    {
        const platform::FormatArg list[] = {platform::MakeFormatArg(args)...,
                                            platform::FormatArg{}};
        m_str += platform::FormatString(pszFormat, {list, sizeof...(Args)});
    }
    template <class... Args> void AppendFormat(UINT nFormatID, const Args&... args)
    {
        CString format;
        format.LoadString(nFormatID);
        AppendFormat(format.GetString(), args...);
    }
    void FormatV(LPCSTR pszFormat, va_list args);
    void AppendFormatV(LPCSTR pszFormat, va_list args);

    // FALSE, and the string unchanged, when the resource does not exist.
    BOOL LoadString(UINT nID);

    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, LPCSTR b);
    friend CString operator+(LPCSTR a, const CString& b);
    friend CString operator+(const CString& a, char b);
    friend CString operator+(char a, const CString& b);

    friend bool operator==(const CString& a, const CString& b) { return a.Compare(b) == 0; }
    friend bool operator==(const CString& a, LPCSTR b) { return a.Compare(b) == 0; }
    friend bool operator==(LPCSTR a, const CString& b) { return b.Compare(a) == 0; }
    friend bool operator!=(const CString& a, const CString& b) { return a.Compare(b) != 0; }
    friend bool operator!=(const CString& a, LPCSTR b) { return a.Compare(b) != 0; }
    friend bool operator!=(LPCSTR a, const CString& b) { return b.Compare(a) != 0; }
    friend std::strong_ordering operator<=>(const CString& a, const CString& b)
    {
        return a.Compare(b) <=> 0;
    }
    friend std::strong_ordering operator<=>(const CString& a, LPCSTR b)
    {
        return a.Compare(b) <=> 0;
    }

    friend std::ostream& operator<<(std::ostream& os, const CString& s);

private:
    std::string m_str;
};
