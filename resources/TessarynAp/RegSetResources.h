#pragma once
// The register page's dialog template and texts.

#include "platform/Windows.h"

void RegisterRegSetTemplates();
