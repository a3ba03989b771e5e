#pragma once
// The resources of TessarynAp, entered into the process as the program starts (tests enter them
// before they build a dialog).

void RegisterTessarynApResources();
