// Identifiers shared by the resource script and the code. Plain #defines, because the
// resource compiler reads this file too; Commands.h gives the commands a C++ type.
#pragma once

// Commands: carried by WM_COMMAND to the main window from keys, menu, bar and video window.
#define IDM_ABOUT             104
#define IDM_OPEN              32771
#define IDM_EXIT              32774
#define IDM_FULLSCREEN        32778
#define IDM_LEAVE_FULLSCREEN  32780
#define IDM_PLAY              32784
#define IDM_PAUSE             32785
#define IDM_STOP              32786
#define IDM_CLOSE             32790
#define IDM_MUTE              32806
#define IDM_FORWARD           32810
#define IDM_PREVIOUS          32815
#define IDM_NEXT              32816
#define IDM_BACKWARD          32817
#define IDM_VOLUME_UP         32820
#define IDM_VOLUME_DOWN       32821

// Dialogs, menu, accelerators, pictures.
#define IDD_ABOUTBOX          103
#define IDC_VERSION_TEXT      1000
#define IDR_ACCELERATOR       109
#define IDR_CONTEXT_MENU      131
#define IDD_PLAYBAR           134
#define IDB_LOGO              142
#define IDD_VIDEO             169
#define IDD_VIDEO_SURFACE     170

// Play bar controls.
#define IDC_OPEN              1003
#define IDC_PLAY              1004
#define IDC_PAUSE             1005
#define IDC_PREV              1006
#define IDC_MUTE              1007
#define IDC_NEXT              1008
#define IDC_TIME_SLIDER       1009
#define IDC_VOLUME_SLIDER     1010
#define IDC_STOP              1011
#define IDC_FULLSCREEN        1012
#define IDC_LEAVE_FULLSCREEN  1013
