#pragma once
// The credential editor's window, as tests and the desktop find and answer it.

namespace platform::wlan
{

inline constexpr const char* kProfileEditorTitle = "Wireless Network Properties";
// The static showing the profile's name, and the one naming the page it opened on.
inline constexpr int kProfileEditorNameId = 1001;
inline constexpr int kProfileEditorPageId = 1002;

} // namespace platform::wlan
