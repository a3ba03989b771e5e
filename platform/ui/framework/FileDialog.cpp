#include "platform/ui/framework/FileDialog.h"

#include "platform/file/FileApi.h"
#include "platform/ui/framework/MessageBox.h"
#include "platform/ui/internal/Hooks.h"

#include <cstring>
#include <mutex>

IMPLEMENT_DYNAMIC(CFileDialog, CDialog)

namespace platform
{
namespace
{
std::mutex g_mutex;
FileDialogAnswer g_answer;
std::vector<FileDialogRequest> g_log;
} // namespace

void SetFileDialogAnswer(FileDialogAnswer answer)
{
    std::lock_guard lock(g_mutex);
    g_answer = std::move(answer);
}

std::vector<FileDialogRequest> FileDialogLog()
{
    std::lock_guard lock(g_mutex);
    return g_log;
}

void ClearFileDialogLog()
{
    std::lock_guard lock(g_mutex);
    g_log.clear();
}

} // namespace platform

namespace
{

std::string copyOrEmpty(LPCSTR text)
{
    return text != nullptr ? std::string(text) : std::string();
}

bool isAbsolute(const std::string& path)
{
    return (path.size() >= 2 && path[1] == ':') ||
           (!path.empty() && (path[0] == '\\' || path[0] == '/'));
}

std::size_t nameStart(const std::string& path)
{
    const std::size_t slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? 0 : slash + 1;
}

} // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName,
                         DWORD dwFlags, LPCSTR lpszFilter, CWnd* pParentWnd)
    : CDialog(0, pParentWnd), m_bOpenFileDialog(bOpenFileDialog)
{
    m_ofn.lStructSize = sizeof(OPENFILENAMEA);
    m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLESIZING;
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = sizeof m_szFileName;
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = sizeof m_szFileTitle;
    if (lpszDefExt != nullptr)
    {
        m_defExt = lpszDefExt;
        m_ofn.lpstrDefExt = m_defExt.c_str();
    }
    if (lpszFileName != nullptr)
        std::strncpy(m_szFileName, lpszFileName, sizeof m_szFileName - 1);
    if (lpszFilter != nullptr)
    {
        // The framework's '|' separators become the platform's '\0'.
        m_filterStorage = lpszFilter;
        for (char& c : m_filterStorage)
            if (c == '|')
                c = '\0';
        m_filterStorage.push_back('\0');
        m_ofn.lpstrFilter = m_filterStorage.c_str();
    }
    m_ofn.nFilterIndex = 1;
}

platform::FileDialogRequest CFileDialog::Request() const
{
    platform::FileDialogRequest request;
    request.open = m_bOpenFileDialog != FALSE;
    request.title = copyOrEmpty(m_ofn.lpstrTitle);
    if (request.title.empty())
        request.title = request.open ? "Open" : "Save As";
    request.initialName = copyOrEmpty(m_ofn.lpstrFile);
    request.initialDir = copyOrEmpty(m_ofn.lpstrInitialDir);
    request.defaultExt = copyOrEmpty(m_ofn.lpstrDefExt);
    request.flags = m_ofn.Flags;
    request.owner = m_ofn.hwndOwner;
    for (const char* p = m_ofn.lpstrFilter; p != nullptr && *p != '\0';)
    {
        platform::FileDialogFilter filter;
        filter.description = p;
        p += filter.description.size() + 1;
        if (*p == '\0')
            break;
        filter.pattern = p;
        p += filter.pattern.size() + 1;
        request.filters.push_back(std::move(filter));
    }
    return request;
}

bool CFileDialog::Accept(const std::string& given, bool checkExists)
{
    std::string path = given;
    if (path.empty())
        return false;
    if (!isAbsolute(path) && m_ofn.lpstrInitialDir != nullptr && *m_ofn.lpstrInitialDir != '\0')
    {
        std::string dir = m_ofn.lpstrInitialDir;
        if (dir.back() != '\\' && dir.back() != '/')
            dir += '\\';
        path = dir + path;
    }
    const std::size_t start = nameStart(path);
    if (path.find('.', start) == std::string::npos && m_ofn.lpstrDefExt != nullptr &&
        *m_ofn.lpstrDefExt != '\0')
        path += std::string(".") + m_ofn.lpstrDefExt;
    if (checkExists && (m_ofn.Flags & OFN_FILEMUSTEXIST) != 0 &&
        ::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return false;
    if (path.size() + 1 > m_ofn.nMaxFile || m_ofn.lpstrFile == nullptr)
        return false;
    m_chosen = path;
    std::memcpy(m_ofn.lpstrFile, path.c_str(), path.size() + 1);
    const std::size_t nameAt = nameStart(path);
    const std::size_t dot = path.find_last_of('.');
    m_ofn.nFileOffset = static_cast<WORD>(nameAt);
    m_ofn.nFileExtension =
        static_cast<WORD>(dot != std::string::npos && dot >= nameAt ? dot + 1 : path.size());
    if (m_ofn.lpstrFileTitle != nullptr && m_ofn.nMaxFileTitle > 0)
    {
        const std::string title = path.substr(nameAt);
        std::strncpy(m_ofn.lpstrFileTitle, title.c_str(), m_ofn.nMaxFileTitle - 1);
        m_ofn.lpstrFileTitle[m_ofn.nMaxFileTitle - 1] = '\0';
    }
    return true;
}

INT_PTR CFileDialog::DoModal()
{
    if (m_ofn.hwndOwner == 0 && m_pParentWnd != nullptr)
        m_ofn.hwndOwner = m_pParentWnd->m_hWnd;
    const platform::FileDialogRequest request = Request();
    platform::FileDialogAnswer answer;
    {
        std::lock_guard lock(platform::g_mutex);
        platform::g_log.push_back(request);
        answer = platform::g_answer;
    }
    if (answer)
    {
        std::optional<std::string> chosen = answer(request);
        if (!chosen || !Accept(*chosen, false))
            return IDCANCEL;
        return IDOK;
    }
    // A window a person answers.
    platform::DialogTemplate t;
    t.caption = request.title;
    t.rect = RECT{0, 0, 280, 60};
    t.controls = {
        {"Static", "File &name:", -1, WS_CHILD | WS_VISIBLE, 0, {7, 9, 50, 17}},
        {"Edit",
         request.initialName,
         kFileNameEditId,
         WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER,
         0,
         {55, 7, 273, 19}},
        {"Button",
         m_bOpenFileDialog ? "&Open" : "&Save",
         IDOK,
         WS_CHILD | WS_VISIBLE | WS_TABSTOP | 0x1 /* BS_DEFPUSHBUTTON */,
         0,
         {169, 39, 219, 53}},
        {"Button", "Cancel", IDCANCEL, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, {223, 39, 273, 53}},
    };
    const UINT templateId = 0xF1D0;
    platform::RegisterDialogTemplate(templateId, t);
    m_nIDTemplate = templateId;
    return CDialog::DoModal();
}

BOOL CFileDialog::OnInitDialog()
{
    return TRUE;
}

void CFileDialog::OnOK()
{
    CString name;
    GetDlgItemText(kFileNameEditId, name);
    if (!Accept(std::string(name.GetString()), true))
    {
        // The dialog stays for another name.
        if (CWnd* edit = GetDlgItem(kFileNameEditId))
            edit->SetFocus();
        return;
    }
    EndDialog(IDOK);
}

CString CFileDialog::GetPathName() const
{
    return CString(m_chosen.c_str());
}

CString CFileDialog::GetFileName() const
{
    return CString(m_chosen.substr(nameStart(m_chosen)).c_str());
}

CString CFileDialog::GetFileExt() const
{
    const std::string name = m_chosen.substr(nameStart(m_chosen));
    const std::size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? CString() : CString(name.substr(dot + 1).c_str());
}

CString CFileDialog::GetFileTitle() const
{
    const std::string name = m_chosen.substr(nameStart(m_chosen));
    const std::size_t dot = name.find_last_of('.');
    return CString(name.substr(0, dot).c_str());
}
