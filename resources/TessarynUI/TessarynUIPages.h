#pragma once
// The templates of the property pages of TessarynUI. A page whose controls have not been built
// yet has an empty template of its size and caption, so that its sheet is whole.

#include "platform/Windows.h"
#include "resources/common/DialogScript.h"

using resources::EmptyPageTemplate;

// Every page's template, the built pages' from their own resource files.
void RegisterTessarynUIPageTemplates();
