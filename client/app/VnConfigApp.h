#pragma once
// The application class of TessarynUI: single instance, data directory, help file, and the
// modal run of the hidden monitor window that is the whole life of the program.

#include "platform/Windows.h"

class CVnConfigApp : public CWinApp
{
public:
    CVnConfigApp();

    virtual BOOL InitInstance();
    virtual int ExitInstance();

    // 0 when the data directory is the user's local application-data folder, 1 when it
    // comes from key "dir" of ".\setting".
    int GetStorageType() const { return m_nStorageType; }
    // The folder prefix of every settings file; may be empty.
    const CString& GetDataDir() const { return m_strDataDir; }

    // Reads ".\setting" and sets the data directory and storage type from it.
    void BuildDataDirectory();

private:
    HANDLE m_hMutex;
    CString m_strDataDir;
    int m_nStorageType;
};
