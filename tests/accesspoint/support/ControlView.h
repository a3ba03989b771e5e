#pragma once
// What a person sees of one control of a dialog or page (platform::automation::Describe), and
// a modal run of a dialog driven by a script once it is up.

#include "platform/Windows.h"
#include "platform/ui/TestPump.h"
#include "platform/ui/automation/Describe.h"

#include <functional>
#include <string>
#include <vector>

namespace ap_test
{

using platform::automation::WindowNode;

inline WindowNode View(HWND hDialog, int nID)
{
    auto node = platform::automation::Describe(::GetDlgItem(hDialog, nID));
    return node ? *node : WindowNode{};
}

// The selected entry of a combo or list box; "<none>" when nothing is selected.
inline std::string SelectedText(const WindowNode& node)
{
    if (node.selection < 0 || node.selection >= static_cast<int>(node.items.size()))
        return "<none>";
    return node.items[static_cast<std::size_t>(node.selection)];
}

// Runs the dialog modally; the script runs once it is up. A dialog the script leaves up is
// ended with IDCANCEL and *pbStayedUp (when given) is set.
inline INT_PTR RunModal(CDialog& dlg, const std::function<void()>& script,
                        bool* pbStayedUp = nullptr)
{
    int nCalls = 0;
    if (pbStayedUp != nullptr)
        *pbStayedUp = false;
    platform::SetIdleHook(
        [&]
        {
            if (nCalls++ == 0)
            {
                script();
                return;
            }
            if (pbStayedUp != nullptr)
                *pbStayedUp = true;
            dlg.EndDialog(IDCANCEL);
        });
    INT_PTR nResult = dlg.DoModal();
    platform::SetIdleHook(nullptr);
    return nResult;
}

} // namespace ap_test
