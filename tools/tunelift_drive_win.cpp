// Drives a running Tunelift window from outside, as automation or a screen reader
// would: by control IDs. Used to take the README's screenshots.
//   tunelift_drive.exe text <id> <text> | click <id> | lang <English|Deutsch> | check <id>
//                      | menu <id> (a menu command) | open <n> (opens the nth menu of the bar, from 0)
//                      | rect (prints the window's frame as WxH+X+Y) | pointer <x> <y>
// A first argument "desktop <name>" looks for the window on that desktop (a Wine virtual
// desktop started with explorer /desktop=<name>,WxH).
#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    int first = 1;
    if (argc > 2 && !std::wcscmp(argv[1], L"desktop")) {
        if (HDESK desktop = OpenDesktopW(argv[2], 0, FALSE, GENERIC_ALL)) SetThreadDesktop(desktop);
        first = 3;
    }
    HWND window = nullptr;
    for (int i = 0; i < 100 && !window; ++i) {
        window = FindWindowW(L"TuneliftCrateway", nullptr);
        if (!window) Sleep(100);
    }
    if (!window) {
        std::fprintf(stderr, "no Tunelift window\n");
        return 1;
    }
    for (int i = first; i < argc; i += 2) {
        const wchar_t* verb = argv[i];
        if (!std::wcscmp(verb, L"rect")) {
            RECT r;
            GetWindowRect(window, &r);
            std::printf("%ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
            --i;
            continue;
        }
        if (i + 1 >= argc) break;
        if (!std::wcscmp(verb, L"lang")) {
            HWND combo = GetDlgItem(window, 1007);
            SendMessageW(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(argv[i + 1]));
            SendMessageW(window, WM_COMMAND, MAKEWPARAM(1007, CBN_SELENDOK), reinterpret_cast<LPARAM>(combo));
        } else if (!std::wcscmp(verb, L"click")) {
            const int id = _wtoi(argv[i + 1]);
            PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
        } else if (!std::wcscmp(verb, L"check")) {
            SendMessageW(GetDlgItem(window, _wtoi(argv[i + 1])), BM_SETCHECK, BST_CHECKED, 0);
        } else if (!std::wcscmp(verb, L"menu")) {
            PostMessageW(window, WM_COMMAND, MAKEWPARAM(_wtoi(argv[i + 1]), 0), 0);
        } else if (!std::wcscmp(verb, L"open")) {
            // As a keyboard user opens it: the menu bar, then right to the menu, then down.
            PostMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, 0);
            for (int n = _wtoi(argv[i + 1]); n > 0; --n) PostMessageW(window, WM_KEYDOWN, VK_RIGHT, 0);
            PostMessageW(window, WM_KEYDOWN, VK_DOWN, 0);
        } else if (!std::wcscmp(verb, L"pointer") && i + 2 < argc) {
            SetCursorPos(_wtoi(argv[i + 1]), _wtoi(argv[i + 2]));
            ++i;
        } else if (!std::wcscmp(verb, L"text") && i + 2 < argc) {
            SendMessageW(GetDlgItem(window, _wtoi(argv[i + 1])), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[i + 2]));
            ++i;
        }
    }
    return 0;
}
