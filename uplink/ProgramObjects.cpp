// The program-wide objects of UplinkPick.

#include "uplink/UplinkPickApp.h"

CUplinkPickApp theApp;
