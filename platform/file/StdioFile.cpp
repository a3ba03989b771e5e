#include "platform/file/StdioFile.h"

#include <cstring>

CFile::~CFile()
{
    CFile::Close();
}

BOOL CFile::Open(LPCSTR lpszFileName, UINT nOpenFlags)
{
    Close();
    DWORD access = 0;
    switch (nOpenFlags & 0x3)
    {
    case modeRead:
        access = GENERIC_READ;
        break;
    case modeWrite:
        access = GENERIC_WRITE;
        break;
    default:
        access = GENERIC_READ | GENERIC_WRITE;
        break;
    }
    DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE;
    switch (nOpenFlags & 0x70)
    {
    case shareExclusive:
        share = 0;
        break;
    case shareDenyWrite:
        share = FILE_SHARE_READ;
        break;
    case shareDenyRead:
        share = FILE_SHARE_WRITE;
        break;
    default:
        break;
    }
    DWORD disposition = OPEN_EXISTING;
    if ((nOpenFlags & modeCreate) != 0)
        disposition = (nOpenFlags & modeNoTruncate) != 0 ? OPEN_ALWAYS : CREATE_ALWAYS;
    HANDLE h =
        CreateFileA(lpszFileName, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, 0);
    if (h == INVALID_HANDLE_VALUE)
        return FALSE;
    m_hFile = h;
    return TRUE;
}

void CFile::Close()
{
    if (m_hFile != INVALID_HANDLE_VALUE)
        CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    DWORD read = 0;
    if (m_hFile == INVALID_HANDLE_VALUE || !ReadFile(m_hFile, lpBuf, nCount, &read, nullptr))
        return 0;
    return read;
}

BOOL CFile::Write(const void* lpBuf, UINT nCount)
{
    DWORD written = 0;
    return m_hFile != INVALID_HANDLE_VALUE &&
                   WriteFile(m_hFile, lpBuf, nCount, &written, nullptr) && written == nCount
               ? TRUE
               : FALSE;
}

DWORD CFile::GetLength() const
{
    return m_hFile == INVALID_HANDLE_VALUE ? 0 : GetFileSize(m_hFile, nullptr);
}

BOOL CStdioFile::Open(LPCSTR lpszFileName, UINT nOpenFlags)
{
    m_bText = (nOpenFlags & typeBinary) == 0;
    m_buffer.clear();
    m_pos = 0;
    m_bEof = false;
    return CFile::Open(lpszFileName, nOpenFlags);
}

void CStdioFile::Close()
{
    m_buffer.clear();
    m_pos = 0;
    m_bEof = false;
    CFile::Close();
}

int CStdioFile::nextByte()
{
    if (m_pos == m_buffer.size())
    {
        if (m_bEof)
            return -1;
        char chunk[4096];
        UINT got = CFile::Read(chunk, sizeof chunk);
        if (got == 0)
        {
            m_bEof = true;
            return -1;
        }
        m_buffer.assign(chunk, got);
        m_pos = 0;
    }
    return static_cast<unsigned char>(m_buffer[m_pos++]);
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount)
{
    auto* out = static_cast<unsigned char*>(lpBuf);
    UINT n = 0;
    while (n < nCount)
    {
        int c = nextByte();
        if (c < 0)
            break;
        if (m_bText && c == '\r')
        {
            // "\r\n" reads as "\n"; a lone "\r" stays.
            int following = nextByte();
            if (following == '\n')
                c = '\n';
            else if (following >= 0)
                --m_pos;
        }
        out[n++] = static_cast<unsigned char>(c);
    }
    return n;
}

BOOL CStdioFile::ReadString(CString& rString)
{
    rString.Empty();
    bool any = false;
    for (;;)
    {
        unsigned char c = 0;
        if (Read(&c, 1) == 0)
            return any ? TRUE : FALSE;
        any = true;
        if (c == '\n')
            return TRUE;
        rString += static_cast<char>(c);
    }
}

LPSTR CStdioFile::ReadString(LPSTR lpsz, UINT nMax)
{
    if (lpsz == nullptr || nMax == 0)
        return nullptr;
    UINT n = 0;
    while (n + 1 < nMax)
    {
        unsigned char c = 0;
        if (Read(&c, 1) == 0)
            break;
        lpsz[n++] = static_cast<char>(c);
        if (c == '\n')
            break;
    }
    lpsz[n] = '\0';
    return n == 0 ? nullptr : lpsz;
}

BOOL CStdioFile::Write(const void* lpBuf, UINT nCount)
{
    if (!m_bText)
        return CFile::Write(lpBuf, nCount);
    std::string text;
    const auto* in = static_cast<const char*>(lpBuf);
    for (UINT i = 0; i < nCount; ++i)
    {
        if (in[i] == '\n')
            text += '\r';
        text += in[i];
    }
    return CFile::Write(text.data(), static_cast<UINT>(text.size()));
}

void CStdioFile::WriteString(LPCSTR lpsz)
{
    if (lpsz != nullptr)
        Write(lpsz, static_cast<UINT>(std::strlen(lpsz)));
}
