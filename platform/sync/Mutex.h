#pragma once
// Mutexes. A named mutex is one object for every process of the machine: creating a name
// that any process holds open reports ERROR_ALREADY_EXISTS. Ownership is kept per process:
// handles to one name in this process share it, a holder in another process does not block
// Acquire here.

#include "platform/base/WinTypes.h"

inline constexpr DWORD MUTEX_MODIFY_STATE = 0x0001;
inline constexpr DWORD MUTEX_ALL_ACCESS = 0x001F0001;

// lpMutexAttributes is not used. A NULL or empty name makes a mutex of this process alone.
// Names are case-sensitive; "Local\" names the same object as the bare name, "Global\" a
// separate one, any other '\' fails with ERROR_PATH_NOT_FOUND.
HANDLE CreateMutexA(LPSECURITY_ATTRIBUTES lpMutexAttributes, BOOL bInitialOwner, LPCSTR lpName);
// NULL with ERROR_FILE_NOT_FOUND when no process holds the name.
HANDLE OpenMutexA(DWORD dwDesiredAccess, BOOL bInheritHandle, LPCSTR lpName);
// FALSE with ERROR_NOT_OWNER when the calling thread does not own the mutex.
BOOL ReleaseMutex(HANDLE hMutex);
