#pragma once
// The framework's array of strings.

#include "platform/base/CArray.h"
#include "platform/base/CString.h"

class CStringArray : public CArray<CString, const CString&>
{
};
