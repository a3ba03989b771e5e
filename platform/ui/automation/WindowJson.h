#pragma once
// A described window as one JSON document, for scripts and for drawing the window: the same tree
// the text form shows, every field by name. Names are lower case with underscores and keep their
// meaning once given; a field that does not apply to a kind is left out rather than null.
//
//   every node   hwnd ("0x0001000A"), kind (KindName), class, id, text, style (number),
//                visible, enabled, focused, checked, default, read_only,
//                rect {left, top, right, bottom} (screen pixels), children [node...];
//                icon {id, name} and bitmap {id, name} when it shows one (a top-level window:
//                its title-bar icon)
//   edit         password_char (a one-character text, only when the edit hides its text)
//   combo, list  items [text...], selection (-1: none)
//   listview     columns [text...], rows [{cells [text...], selected, focused,
//                image {index, id, name} when the row shows one (id 0: not an icon)}]
//   slider, progress  pos, range_min, range_max
//   a sheet      pages [caption...], active_page
//   menu         menu [{text, id, checked, enabled, separator, items [item...] of a submenu}]
//
// Texts are UTF-8: a byte that is not part of a well-formed UTF-8 sequence stands as U+FFFD, and
// control characters as \uXXXX escapes, so any JSON parser reads the document.

#include "platform/ui/automation/Describe.h"

#include <string>
#include <string_view>

namespace platform::automation
{

// The text as a JSON string literal, quotes included.
std::string JsonString(std::string_view text);

std::string WindowJson(const WindowNode& node);
// Describe and serialize; empty when the window does not exist.
std::string WindowTreeJson(HWND hwnd);

} // namespace platform::automation
