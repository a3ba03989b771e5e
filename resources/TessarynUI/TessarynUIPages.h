#pragma once
// The templates of the property pages of TessarynUI. A page whose controls have not been built
// yet has an empty template of its size and caption, so that its sheet is whole.

void RegisterTessarynUIPageTemplates();
