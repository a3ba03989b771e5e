#pragma once
// The Setting Register page's and the run-period dialog's templates. Their ids are in
// resource.h.

#include "platform/Windows.h"

void RegisterRegSetTemplates();
