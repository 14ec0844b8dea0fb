// SPDX-FileCopyrightText: 2026 Metals Quiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Reads what the Wine tests need to know from inside Windows, and prints it
// as UTF-8 lines on standard output:
//   win32probe window <title> <seconds>  waits for the visible top-level
//       window of that exact title; prints "client <width> <height>" and
//       "origin <x> <y>", its client area's top-left corner on the screen,
//       and "text <text>" for each of its child controls, such as the
//       report and the button of a message box. On a time-out, lists the
//       titles of the windows there are.
//   win32probe clipboard                 prints the clipboard's text.
//   win32probe shortcut <file.lnk>       prints "target <path>" and
//       "icon <path>" of a shell shortcut.
// Exits 0 on success, 1 if the thing asked for is not there, 2 on misuse.
// A plain Win32 program, so that it needs nothing installed beside it.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

void printLine(const std::wstring &line)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), int(line.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string text(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.c_str(), int(line.size()), text.data(), size, nullptr,
                        nullptr);
    text += '\n';
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

std::wstring windowTitle(HWND window)
{
    std::wstring title(GetWindowTextLengthW(window) + 1, L'\0');
    title.resize(GetWindowTextW(window, title.data(), int(title.size())));
    return title;
}

BOOL CALLBACK printControlText(HWND control, LPARAM)
{
    printLine(L"text " + windowTitle(control));
    return TRUE;
}

BOOL CALLBACK printVisibleWindow(HWND window, LPARAM)
{
    if (IsWindowVisible(window))
        printLine(L"visible window: \"" + windowTitle(window) + L"\"");
    return TRUE;
}

int probeWindow(const wchar_t *title, int seconds)
{
    for (int tenths = 0; tenths < seconds * 10; ++tenths) {
        const HWND window = FindWindowW(nullptr, title);
        if (window && IsWindowVisible(window)) {
            RECT client;
            GetClientRect(window, &client);
            POINT origin = {0, 0};
            ClientToScreen(window, &origin);
            printLine(L"client " + std::to_wstring(client.right) + L' '
                      + std::to_wstring(client.bottom));
            printLine(L"origin " + std::to_wstring(origin.x) + L' ' + std::to_wstring(origin.y));
            EnumChildWindows(window, printControlText, 0);
            return 0;
        }
        Sleep(100);
    }
    EnumWindows(printVisibleWindow, 0);
    return 1;
}

int probeClipboard()
{
    if (!OpenClipboard(nullptr))
        return 1;
    int status = 1;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto *text = static_cast<const wchar_t *>(GlobalLock(data))) {
            printLine(text);
            GlobalUnlock(data);
            status = 0;
        }
    }
    CloseClipboard();
    return status;
}

int probeShortcut(const wchar_t *path)
{
    CoInitialize(nullptr);
    IShellLinkW *link = nullptr;
    IPersistFile *file = nullptr;
    int status = 1;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IShellLinkW, reinterpret_cast<void **>(&link)))
        && SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file)))
        && SUCCEEDED(file->Load(path, STGM_READ))) {
        wchar_t target[MAX_PATH] = {};
        wchar_t icon[MAX_PATH] = {};
        int iconIndex = 0;
        if (SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH))
            && SUCCEEDED(link->GetIconLocation(icon, MAX_PATH, &iconIndex))) {
            printLine(std::wstring(L"target ") + target);
            printLine(std::wstring(L"icon ") + icon);
            status = 0;
        }
    }
    if (file)
        file->Release();
    if (link)
        link->Release();
    CoUninitialize();
    return status;
}

} // namespace

int main()
{
    // The arguments as Unicode, whatever the code page.
    int argc = 0;
    wchar_t **argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc == 4 && std::wcscmp(argv[1], L"window") == 0)
        return probeWindow(argv[2], _wtoi(argv[3]));
    if (argc == 2 && std::wcscmp(argv[1], L"clipboard") == 0)
        return probeClipboard();
    if (argc == 3 && std::wcscmp(argv[1], L"shortcut") == 0)
        return probeShortcut(argv[2]);
    std::fputs("usage: win32probe window <title> <seconds> | clipboard | shortcut <file.lnk>\n",
               stderr);
    return 2;
}
