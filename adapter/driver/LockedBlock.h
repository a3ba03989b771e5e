#pragma once
// Records handed between the parts of the program live in movable global blocks, locked while
// in use: allocated zero-filled and locked in one step, unlocked and freed in one step.

#include "platform/Windows.h"

// NULL when the block cannot be had.
LPVOID AllocLockedBlock(SIZE_T nBytes);
// Takes a pointer AllocLockedBlock returned, or NULL.
void FreeLockedBlock(LPVOID p);
