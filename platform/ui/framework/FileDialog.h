#pragma once
// The file-open and file-save dialog. DoModal asks the answer hook when a test (or the
// automation) has set one; without one the dialog is a real "#32770" window with an edit for
// the name (id edt1, 0x0480) and OK/Cancel, that a person answers on the desktop. A relative
// name is taken from the initial folder (else the current directory); a name without an
// extension gets the default one. With OFN_FILEMUSTEXIST the window's OK refuses a name that
// does not exist (the dialog stays); a hook's answer is taken as given.

#include "platform/base/CString.h"
#include "platform/ui/framework/Dialog.h"

#include <functional>
#include <optional>
#include <string>

inline constexpr DWORD OFN_READONLY = 0x00000001;
inline constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
inline constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
inline constexpr DWORD OFN_NOCHANGEDIR = 0x00000008;
inline constexpr DWORD OFN_SHOWHELP = 0x00000010;
inline constexpr DWORD OFN_NOVALIDATE = 0x00000100;
inline constexpr DWORD OFN_ALLOWMULTISELECT = 0x00000200;
inline constexpr DWORD OFN_EXTENSIONDIFFERENT = 0x00000400;
inline constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
inline constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;
inline constexpr DWORD OFN_CREATEPROMPT = 0x00002000;
inline constexpr DWORD OFN_NOREADONLYRETURN = 0x00008000;
inline constexpr DWORD OFN_EXPLORER = 0x00080000;
inline constexpr DWORD OFN_ENABLESIZING = 0x00800000;

inline constexpr int kFileNameEditId = 0x0480; // edt1

struct OPENFILENAMEA
{
    DWORD lStructSize;
    HWND hwndOwner;
    HINSTANCE hInstance;
    LPCSTR lpstrFilter; // pairs of description and pattern, each ending in '\0', then '\0'
    LPSTR lpstrCustomFilter;
    DWORD nMaxCustFilter;
    DWORD nFilterIndex;
    LPSTR lpstrFile;
    DWORD nMaxFile;
    LPSTR lpstrFileTitle;
    DWORD nMaxFileTitle;
    LPCSTR lpstrInitialDir;
    LPCSTR lpstrTitle;
    DWORD Flags;
    WORD nFileOffset;
    WORD nFileExtension;
    LPCSTR lpstrDefExt;
    LPARAM lCustData;
};
using OPENFILENAME = OPENFILENAMEA;

namespace platform
{

struct FileDialogFilter
{
    std::string description; // "PAC Files(*.pac)"
    std::string pattern;     // "*.pac"
};

struct FileDialogRequest
{
    bool open = true; // file-open, else file-save
    std::string title;
    std::string initialName;
    std::string initialDir;
    std::string defaultExt;
    std::vector<FileDialogFilter> filters;
    DWORD flags = 0;
    HWND owner = 0;
};

// The chosen path (Windows form, absolute or relative) or nullopt for Cancel. Null removes the
// hook.
using FileDialogAnswer = std::function<std::optional<std::string>(const FileDialogRequest&)>;
void SetFileDialogAnswer(FileDialogAnswer answer);
// The requests of this process's file dialogs, in order (tests and the desktop show them).
std::vector<FileDialogRequest> FileDialogLog();
void ClearFileDialogLog();

} // namespace platform

class CFileDialog : public CDialog
{
    DECLARE_DYNAMIC(CFileDialog)
public:
    // lpszFilter in the framework's form: "PAC Files(*.pac)|*.pac||".
    explicit CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt = nullptr,
                         LPCSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         LPCSTR lpszFilter = nullptr, CWnd* pParentWnd = nullptr);

    OPENFILENAMEA m_ofn{};

    INT_PTR DoModal() override;
    // The whole path chosen; the name with its extension; the extension without the dot; the
    // name without it.
    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

    BOOL m_bOpenFileDialog;
    std::string m_filterStorage; // behind m_ofn.lpstrFilter
    std::string m_defExt;        // behind m_ofn.lpstrDefExt
    char m_szFileName[260] = {};
    char m_szFileTitle[64] = {};
    std::string m_chosen;

    platform::FileDialogRequest Request() const;
    // Completes a name as the dialog does and stores it; false when it must exist and does not.
    bool Accept(const std::string& name, bool checkExists);
};
