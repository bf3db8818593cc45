#include "Commands.h"

#include "AppContext.h"
#include "Layout.h"
#include "Shell.h"
#include "logic/Product.h"
#include "logic/WindowTitle.h"
#include "res/resource.h"

#include "ui/playbar/PlayBar.h"
#include "playback/PlayLogic.h"

#include <commdlg.h>

namespace {

constexpr int kPathBuffer = 260;

PlayLogic* logic() { return appContext().playLogic; }

void showAboutBox()
{
    AppContext& ctx = appContext();
    DialogBoxParamW(ctx.hInstance, MAKEINTRESOURCEW(IDD_ABOUTBOX), ctx.hMainWnd, aboutDlgProc, 0);
}

void postClose() { PostMessageW(appContext().hMainWnd, WM_CLOSE, 0, 0); }

void updateBarButtons()
{
    if (PlayBar* bar = appContext().playBar)
        bar->updateButtons();
}

void toggleFullScreen()
{
    if (appContext().fullScreen)
        leaveFullScreen();
    else
        enterFullScreen();
    updateBarButtons();
}

void leaveFullScreenCommand()
{
    leaveFullScreen();
    updateBarButtons();
}

void playOrPause()
{
    if (PlayLogic* l = logic()) {
        if (l->isPlaying())
            l->pause();
        else
            l->play();
    }
}

void pausePlayback()
{
    if (PlayLogic* l = logic())
        l->pause();
}

void stopPlayback()
{
    if (PlayLogic* l = logic())
        l->stop();
}

void toggleMute()
{
    if (PlayLogic* l = logic())
        l->toggleMute();
}

void seekForward()
{
    if (PlayLogic* l = logic())
        l->seek(+1);
}

void seekBackward()
{
    if (PlayLogic* l = logic())
        l->seek(-1);
}

void previousFile()
{
    if (PlayLogic* l = logic())
        l->stepPlaylist(-1);
}

void nextFile()
{
    if (PlayLogic* l = logic())
        l->stepPlaylist(+1);
}

void volumeUp()
{
    if (PlayLogic* l = logic())
        l->stepVolume(+1);
}

void volumeDown()
{
    if (PlayLogic* l = logic())
        l->stepVolume(-1);
}

struct CommandRow {
    int id;
    void (*action)();
};

const CommandRow kCommands[] = {
    {IDM_ABOUT, showAboutBox},
    {IDM_OPEN, openFileDialog},
    {IDM_EXIT, postClose},
    {IDM_FULLSCREEN, toggleFullScreen},
    {IDM_LEAVE_FULLSCREEN, leaveFullScreenCommand},
    {IDM_PLAY, playOrPause},
    {IDM_PAUSE, pausePlayback},
    {IDM_STOP, stopPlayback},
    {IDM_CLOSE, closeFile},
    {IDM_MUTE, toggleMute},
    {IDM_FORWARD, seekForward},
    {IDM_PREVIOUS, previousFile},
    {IDM_NEXT, nextFile},
    {IDM_BACKWARD, seekBackward},
    {IDM_VOLUME_UP, volumeUp},
    {IDM_VOLUME_DOWN, volumeDown},
};

INT_PTR onAboutInit(HWND hDlg)
{
    const std::wstring text = aboutText(product::kDisplayName, product::kVersion);
    HWND line = GetDlgItem(hDlg, IDC_VERSION_TEXT);
    if (line && IsWindow(line))
        SetWindowTextW(line, text.c_str());
    return TRUE;
}

INT_PTR onAboutCommand(HWND hDlg, WPARAM wParam)
{
    const int id = LOWORD(wParam);
    if (id != IDOK && id != IDCANCEL)
        return FALSE;
    EndDialog(hDlg, id);
    return TRUE;
}

} // namespace

LRESULT onCommand(HWND hWnd, WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    for (const auto& row : kCommands) {
        if (row.id == id) {
            row.action();
            return 0;
        }
    }
    return DefWindowProcW(hWnd, WM_COMMAND, wParam, lParam);
}

INT_PTR CALLBACK aboutDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG: return onAboutInit(hDlg);
    case WM_COMMAND: return onAboutCommand(hDlg, wParam);
    default: return FALSE;
    }
}

void openFileDialog()
{
    AppContext& ctx = appContext();
    wchar_t file[kPathBuffer] = {};
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = ctx.hMainWnd;
    ofn.hInstance = ctx.hInstance;
    ofn.lpstrFilter = L"Media Files (*.m2ts)\0*.m2ts\0";
    ofn.nFilterIndex = 0;
    ofn.lpstrFile = file;
    ofn.nMaxFile = kPathBuffer;
    ofn.lpstrTitle = L"Select File";
    ofn.Flags = 0;
    if (GetOpenFileNameW(&ofn))
        loadFile(file);
}

void onDropFiles(HDROP drop)
{
    wchar_t file[kPathBuffer] = {};
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    if (count > 0)
        DragQueryFileW(drop, 0, file, kPathBuffer);
    DragFinish(drop);
    if (file[0])
        loadFile(file);
}

void closeFile()
{
    PlayLogic* l = logic();
    if (!l)
        return;
    MediaPlayer* p = l->player.load();
    if (p && p->isPlaying())
        l->stop();
}

void updateTitle()
{
    AppContext& ctx = appContext();
    int state = 0;
    std::wstring fileName;
    if (PlayLogic* l = ctx.playLogic) {
        if (MediaPlayer* p = l->player.load())
            state = p->getState();
        fileName = l->fileName;
    }
    SetWindowTextW(ctx.hMainWnd, windowTitle(product::kDisplayName, state, fileName).c_str());
}

void fillBlack(HDC dc)
{
    RECT rc;
    GetClientRect(appContext().hMainWnd, &rc);
    HBRUSH brush = CreateSolidBrush(RGB(0, 0, 0));
    FillRect(dc, &rc, brush);
    DeleteObject(brush);
}
