// windriver: drives another program's windows the way a user's clicks and typing would, for the
// end-to-end tests of the Windows window program (run under Wine, beside xdotool).
//
//   windriver wait <title> [seconds]       waits until a top-level window has that exact title
//   windriver gone <title> [seconds]       waits until no top-level window has that title
//   windriver click <title> <id>           presses the control with that id (posted, so a
//                                          modal dialog it opens does not block us)
//   windriver text <title> <id>            prints the control's text as UTF-8
//   windriver settext <title> <id> <text>  replaces the control's text
//   windriver typefocused <title> <text>   replaces the text of the control with the focus
//   windriver enabled <title> <id>         exit status 0 when the control is enabled
//   windriver select <title> <id> <text>   picks the entry of a drop-down list, as a user does
//   windriver close <title>                asks the window to close (its close box)
//
// Exit status: 0 done, 1 window or control not found (or the wait timed out), 2 bad usage.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

HWND findTopLevel(const std::wstring& title) {
    return FindWindowW(nullptr, title.c_str());
}

struct ChildSearch {
    int id;
    HWND found;
};

BOOL CALLBACK matchChild(HWND child, LPARAM data) {
    auto* search = reinterpret_cast<ChildSearch*>(data);
    if (GetDlgCtrlID(child) != search->id) return TRUE;
    search->found = child;
    return FALSE;
}

// Controls may sit inside panels, so every descendant is searched.
HWND findControl(const std::wstring& title, int id) {
    HWND top = findTopLevel(title);
    if (!top) return nullptr;
    ChildSearch search{id, nullptr};
    EnumChildWindows(top, matchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool waitFor(const std::wstring& title, bool present, double seconds) {
    for (DWORD waited = 0; waited <= seconds * 1000; waited += 100) {
        if ((findTopLevel(title) != nullptr) == present) return true;
        Sleep(100);
    }
    return false;
}

std::string toUtf8(const std::wstring& text) {
    int length = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                     nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), result.data(),
                        length, nullptr, nullptr);
    return result;
}

std::wstring textOf(HWND window) {
    // WM_GETTEXT crosses processes; GetWindowText would not for controls of another program.
    LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

HWND focusedIn(const std::wstring& title) {
    HWND top = findTopLevel(title);
    if (!top) return nullptr;
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

int usage() {
    std::fputs("usage: windriver "
               "wait|gone|click|text|settext|typefocused|enabled|select|close ...\n",
               stderr);
    return 2;
}

int notFound(const wchar_t* what) {
    std::fprintf(stderr, "windriver: not found: %s\n", toUtf8(what).c_str());
    return 1;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return usage();
    const std::wstring command = argv[1];
    const std::wstring title = argv[2];
    if (command == L"wait" || command == L"gone") {
        double seconds = argc > 3 ? std::wcstod(argv[3], nullptr) : 30;
        return waitFor(title, command == L"wait", seconds) ? 0 : notFound(argv[2]);
    }
    if (command == L"close") {
        HWND top = findTopLevel(title);
        if (!top) return notFound(argv[2]);
        PostMessageW(top, WM_CLOSE, 0, 0);
        return 0;
    }
    if (command == L"typefocused") {
        if (argc != 4) return usage();
        HWND focus = focusedIn(title);
        if (!focus) return notFound(L"focused control");
        SendMessageW(focus, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[3]));
        return 0;
    }
    if (argc < 4) return usage();
    HWND control = findControl(title, static_cast<int>(std::wcstol(argv[3], nullptr, 10)));
    if (!control) return notFound(argv[3]);
    if (command == L"click") {
        PostMessageW(control, BM_CLICK, 0, 0);
        return 0;
    }
    if (command == L"text") {
        std::printf("%s\n", toUtf8(textOf(control)).c_str());
        return 0;
    }
    if (command == L"settext" && argc == 5) {
        SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4]));
        return 0;
    }
    if (command == L"select" && argc == 5) {
        LRESULT index = SendMessageW(control, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(argv[4]));
        if (index == CB_ERR) return notFound(argv[4]);
        SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        // The owner hears of it as of a user's choice from the open list.
        for (WORD code : {CBN_SELENDOK, CBN_SELCHANGE})
            PostMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
                         reinterpret_cast<LPARAM>(control));
        return 0;
    }
    if (command == L"enabled") return IsWindowEnabled(control) ? 0 : 1;
    return usage();
}
