#pragma once
// The resources of UplinkPick, entered into the process as the program starts (tests enter
// them before they build a dialog).

void RegisterUplinkPickResources();
