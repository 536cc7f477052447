// Ids of the probe dialog, shared by its C++ description and its resource file.
#pragma once

#define IDD_PROBE 900
#define IDC_PROBE_EDIT 901
#define IDC_PROBE_BUTTON 902
#define IDC_PROBE_HIDDEN 903
#define IDC_PROBE_CHECK 904
#define IDC_PROBE_RADIO_A 905
#define IDC_PROBE_RADIO_B 906
#define IDC_PROBE_SORTED 907
#define IDC_PROBE_REPORT 908
