#pragma once
// The framework's iteration cursor: an opaque value, null at the end.

struct AfxPositionTag;
using POSITION = AfxPositionTag*;
