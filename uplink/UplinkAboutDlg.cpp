#include "uplink/UplinkAboutDlg.h"

CUplinkAboutDlg::CUplinkAboutDlg() : CDialog(CUplinkAboutDlg::IDD) {}
