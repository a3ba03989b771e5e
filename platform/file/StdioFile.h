#pragma once
// The framework's file objects over the file API: CFile reads and writes bytes, CStdioFile
// reads and writes lines of text ("\r\n" on disk, "\n" in memory).

#include "platform/base/CString.h"
#include "platform/file/FileApi.h"

#include <string>

struct CFileStatus;

class CFile
{
public:
    enum OpenFlags : UINT
    {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoTruncate = 0x0100,
        modeCreate = 0x1000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };

    CFile() = default;
    virtual ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // FALSE (with the error in GetLastError) when the file cannot be opened.
    virtual BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags);
    virtual void Close();
    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual BOOL Write(const void* lpBuf, UINT nCount);
    DWORD GetLength() const;
    // Times (local), size, attributes and full path of a file by name; FALSE when it cannot be
    // found (see FileTime.h).
    static BOOL GetStatus(LPCSTR lpszFileName, CFileStatus& rStatus);

    HANDLE m_hFile = INVALID_HANDLE_VALUE;
};

class CStdioFile : public CFile
{
public:
    BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags) override;
    void Close() override;
    UINT Read(void* lpBuf, UINT nCount) override;
    BOOL Write(const void* lpBuf, UINT nCount) override;

    // The next line without its line end; FALSE at the end of the file (a last line without a
    // line end is still returned).
    BOOL ReadString(CString& rString);
    // Up to nMax - 1 bytes of the next line, with its "\n" when it fits; null at the end.
    LPSTR ReadString(LPSTR lpsz, UINT nMax);
    // "\n" is written as "\r\n" in text mode.
    void WriteString(LPCSTR lpsz);

private:
    // Buffered bytes of a file opened for reading.
    int nextByte();
    bool m_bText = true;
    std::string m_buffer;
    std::size_t m_pos = 0;
    bool m_bEof = false;
};
