#pragma once
// The dialog templates of TessarynAp: the monitor window's, its sheet's pages and their dialogs. A
// page whose controls have not been built yet has an empty template of its size and caption, so
// that the sheet is whole.

void RegisterTessarynApTemplates();
