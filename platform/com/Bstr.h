#pragma once
// BSTR: a length-prefixed wide string whose pointer is to its first character; the length (in
// bytes) sits in the four bytes before it and a zero follows the text. Null is the empty string.

#include "platform/base/WinTypes.h"

#include <string>

using BSTR = WCHAR*;

BSTR SysAllocString(const WCHAR* psz);
BSTR SysAllocStringLen(const WCHAR* strIn, UINT ui);
void SysFreeString(BSTR bstrString);
UINT SysStringLen(BSTR pbstr);
UINT SysStringByteLen(BSTR bstr);

namespace platform
{

// BSTRs of this process not yet freed.
long LiveBstrs();
// A new BSTR holding the UTF-8 text; the caller frees it.
BSTR AllocBstrFromUtf8(const std::string& text);
std::string BstrToUtf8(BSTR bstr);

} // namespace platform
