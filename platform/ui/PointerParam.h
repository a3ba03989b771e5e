#pragma once
// Message parameters are 32 bits wide, as on the platform the programs were written for, so a
// pointer does not fit into one. A message that carries a record (WM_SETTEXT, WM_GETTEXT,
// WM_NOTIFY, WM_HELP, WM_CREATE) carries a token instead: the pointer is entered here for the
// time of the call, and the receiver turns the token back into the pointer. Tokens are valid in
// this process only, which is all such messages need (they are sent, never posted across).

#include "platform/base/WinTypes.h"

namespace platform
{

class PointerParam
{
public:
    // A null pointer gives the parameter 0.
    explicit PointerParam(const void* pointer);
    ~PointerParam();
    PointerParam(const PointerParam&) = delete;
    PointerParam& operator=(const PointerParam&) = delete;

    LPARAM get() const { return m_token; }
    operator LPARAM() const { return m_token; }

private:
    LPARAM m_token = 0;
};

// The pointer behind a token; null for 0 or a token that is not (or no longer) entered.
void* PointerFromParam(LPARAM param);
template <class T> T* PointerFromParam(LPARAM param)
{
    return static_cast<T*>(PointerFromParam(param));
}

} // namespace platform
