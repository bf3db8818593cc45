// The main window's commands (WM_COMMAND), the About box, the Open dialog, dropped files,
// the title and the black background.
#pragma once

#include <windows.h>
#include <shellapi.h>

// Runs the command in the low word of wParam; other identifiers go to DefWindowProcW.
LRESULT onCommand(HWND hWnd, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK aboutDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
void openFileDialog();
// Opens the first dropped file; the others are ignored.
void onDropFiles(HDROP drop);
// Stops playback if the player is playing; a paused file stays paused.
void closeFile();
void updateTitle();
void fillBlack(HDC dc);
