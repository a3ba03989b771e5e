#pragma once
// The framework's exceptions. CUserException says "the user has been told already": data
// exchange throws it when a check fails, and UpdateData catches it.

#include "platform/ui/framework/Object.h"

class CException : public CObject
{
    DECLARE_DYNAMIC(CException)
public:
    CException() = default;
    CException(const CException&) = default;
    CException& operator=(const CException&) = default;
    // The framework deletes exceptions it throws by pointer; these are thrown by value, so
    // Delete has nothing to free.
    void Delete() {}
};

class CUserException : public CException
{
    DECLARE_DYNAMIC(CUserException)
public:
    CUserException() = default;
};

[[noreturn]] void AfxThrowUserException();
