// The floor: the platform work each figure of the bench needs, written plainly against the
// API, with none of the program's own code. Each figure of the program is set against this
// program's figure, measured in the same run.
//
// "Needed" is what gives the same result as the program: the same windows, the same tray
// records, the same icons. An icon is made the way the program has to make it: its image of the
// small icon size is extracted from the file (one call) and brought to that size with a mask
// through a one-slot image list (put in, a fresh copy taken out); a tray icon is kept in an image
// list of its own while it is in the tray, and the shell gets a copy out of that list. The "bare"
// modes leave both image lists out and hand the extracted icon on as it is, for a look at what
// they cost.
//
// Like the program, the floor draws at the screen's DPI (the manifest it shares with the program
// makes it DPI-aware): the small icon size is 16 x 16 at 96 DPI scaled by dpi / 96 (24 x 24 at
// 144 DPI), and the member menu's figures, given for 96 DPI, scale the same way.
//
//   bench_floor.exe start               reads the store (one key open per section), makes the
//                                       hidden main window and one hidden window per entry,
//                                       makes each entry's icon and adds the tray icons (its own
//                                       first); then waits in its message loop
//   bench_floor.exe start-bare          the same without the image lists
//   bench_floor.exe menu RESULT REPS    pops the owner-drawn menu of the first group's members
//                                       REPS times: each time every member's icon is made and
//                                       copied into the menu's image list, which draws it
//   bench_floor.exe menu-bare RESULT REPS   the same with extracted icons straight into the
//                                       menu's image list
//   bench_floor.exe save RESULT REPS    writes the six values of every entry back, one key open
//                                       per section, REPS times
//
// The stores of the bench hold single entries and at most one group, in the program's layout.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/Clock.h"
#include "bench/IdleCloser.h"
#include "bench/ResultFile.h"
#include "res/resource.h"
#include "tests/support/MessagePump.h"

namespace {

constexpr wchar_t kRoot[] = L"Software\\Brennick\\Velmora";
constexpr wchar_t kClass[] = L"BenchFloor";
constexpr int kWarmUp = 2;
constexpr int kBaseDpi = 96;

// The screen's DPI, read once at the start; every figure below is given for 96 DPI.
int g_dpi = kBaseDpi;
int Scaled(int figure) { return ::MulDiv(figure, g_dpi, kBaseDpi); }
int SmallIconSize() { return Scaled(16); }

struct Entry {
    std::wstring title, appName, dir, parm, icon, data;
    int iconIndex = 0;
};

// What the owner window needs while a member menu is tracked.
struct MenuState {
    HIMAGELIST images = nullptr;
    std::vector<std::wstring> labels;
} g_menu;

std::wstring QueryString(HKEY key, const wchar_t* name, std::vector<wchar_t>& buffer) {
    for (;;) {
        DWORD type = 0;
        DWORD bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        const LSTATUS status = ::RegQueryValueExW(key, name, nullptr, &type,
                                                  reinterpret_cast<BYTE*>(buffer.data()), &bytes);
        if (status == ERROR_MORE_DATA) {
            buffer.resize(bytes / sizeof(wchar_t) + 1);
            continue;
        }
        if (status != ERROR_SUCCESS || type != REG_SZ) {
            return {};
        }
        std::wstring text(buffer.data(), bytes / sizeof(wchar_t));
        return text.substr(0, text.find(L'\0'));
    }
}

// The six values of one section, with its key opened once.
Entry ReadEntry(HKEY parent, const std::wstring& section, std::vector<wchar_t>& buffer) {
    Entry e;
    HKEY key = nullptr;
    if (::RegOpenKeyExW(parent, section.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return e;
    }
    e.title = QueryString(key, L"Title", buffer);
    e.appName = QueryString(key, L"AppName", buffer);
    e.dir = QueryString(key, L"Dir", buffer);
    e.parm = QueryString(key, L"Parm", buffer);
    e.icon = QueryString(key, L"Icon", buffer);
    e.data = QueryString(key, L"Data", buffer);
    ::RegCloseKey(key);
    int show = 0;
    std::swscanf(e.data.c_str(), L"%d,%d", &show, &e.iconIndex);
    return e;
}

DWORD ReadNum(HKEY parent, const wchar_t* section) {
    DWORD value = 0;
    DWORD bytes = sizeof(value);
    ::RegGetValueW(parent, section, L"Num", RRF_RT_REG_DWORD, nullptr, &value, &bytes);
    return value;
}

// Every entry "<prefix>1".."<prefix><Num>" below the section.
std::vector<Entry> ReadEntries(HKEY app, const std::wstring& section, const std::wstring& prefix) {
    std::vector<Entry> entries;
    std::vector<wchar_t> buffer(256);
    const DWORD count = ReadNum(app, section.c_str());
    const std::wstring parent = section == L"Button" ? L"" : section + L"\\";
    for (DWORD n = 1; n <= count; ++n) {
        entries.push_back(ReadEntry(app, parent + prefix + std::to_wstring(n), buffer));
    }
    return entries;
}

HKEY OpenRoot(REGSAM access) {
    HKEY app = nullptr;
    ::RegCreateKeyExW(HKEY_CURRENT_USER, kRoot, 0, nullptr, 0, access, nullptr, &app, nullptr);
    return app;
}

HICON LoadSmallResourceIcon(UINT id) {
    return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                           IMAGE_ICON, SmallIconSize(), SmallIconSize(),
                                           LR_DEFAULTCOLOR));
}

bool g_bare = false;  // no image lists: icons go on as they were extracted

// 32 bits and a mask, as the program's lists: a list of the screen's depth drops the alpha of
// true-colour icons (their soft edges come out dark), which is not the same icon.
HIMAGELIST MakeImageList() {
    return ::ImageList_Create(SmallIconSize(), SmallIconSize(), ILC_COLOR32 | ILC_MASK, 0, 0);
}

// The entry's icon at the small icon size, or the substitute when its file gives none; brought
// to that size with a mask through a one-slot image list unless bare.
HICON EntryIcon(const Entry& e) {
    HICON small = nullptr;
    UINT id = 0;
    const std::wstring& file = e.icon.empty() ? e.appName : e.icon;
    // The file's image of this size (ExtractIconEx would take the system's small size, which
    // need not be the size of the screen's DPI).
    const UINT got = ::PrivateExtractIconsW(file.c_str(), e.iconIndex, SmallIconSize(),
                                            SmallIconSize(), &small, &id, 1, LR_DEFAULTCOLOR);
    if (got == 0 || got == UINT_MAX || small == nullptr) {
        small = LoadSmallResourceIcon(IDI_SUBSTITUTE);
    }
    if (g_bare) {
        return small;
    }
    HIMAGELIST converter = MakeImageList();
    ::ImageList_ReplaceIcon(converter, -1, small);
    HICON icon = ::ImageList_GetIcon(converter, 0, ILD_NORMAL);
    ::ImageList_Destroy(converter);
    ::DestroyIcon(small);
    return icon;
}

void AddTrayIcon(HWND owner, HICON icon, const std::wstring& tip) {
    NOTIFYICONDATAW nid{};
    nid.cbSize = NOTIFYICONDATAW_V1_SIZE;
    nid.hWnd = owner;
    nid.uID = 1;
    nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    nid.uCallbackMessage = WM_TRAYNOTIFY;
    nid.hIcon = icon;
    tip.copy(nid.szTip, 63);
    ::Shell_NotifyIconW(NIM_ADD, &nid);
}

// The label, and the icon over the background, highlighted or not.
void DrawMenuItem(const DRAWITEMSTRUCT& item) {
    if (item.itemData >= g_menu.labels.size()) {
        return;
    }
    const std::wstring& label = g_menu.labels[item.itemData];
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    if (selected || (item.itemAction & ODA_SELECT) != 0) {
        ::FillRect(item.hDC, &item.rcItem,
                   ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
        ::SetBkColor(item.hDC, ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    }
    ::SetTextColor(item.hDC, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    ::TextOutW(item.hDC, Scaled(21), item.rcItem.top + Scaled(2), label.c_str(),
               static_cast<int>(label.size()));
    ::ImageList_Draw(g_menu.images, static_cast<int>(item.itemData), item.hDC, Scaled(1),
                     item.rcItem.top + Scaled(2), ILD_NORMAL);
}

// Runs for every message of the floor's windows; while a member menu is tracked its owner is
// asked for the size and the picture of every item.
LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MEASUREITEM: {
            auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            const size_t length =
                item->itemData < g_menu.labels.size() ? g_menu.labels[item->itemData].size() : 0;
            item->itemHeight = static_cast<UINT>(Scaled(20));
            item->itemWidth = static_cast<UINT>(Scaled(16 + 6 * static_cast<int>(length)));
            return TRUE;
        }
        case WM_DRAWITEM:
            DrawMenuItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        default:
            return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

HWND MakeWindow(DWORD exStyle, DWORD style, int x, int y, HWND parent) {
    HWND hwnd = ::CreateWindowExW(exStyle, kClass, L"Floor", style, x, y, 100, 100, parent, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
    ::ShowWindow(hwnd, SW_HIDE);
    return hwnd;
}

HWND MakeMainWindow() {
    return MakeWindow(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, WS_CAPTION | WS_MINIMIZEBOX, CW_USEDEFAULT,
                      CW_USEDEFAULT, nullptr);
}

int Start() {
    HWND main = MakeMainWindow();
    HICON own = LoadSmallResourceIcon(IDI_TRAY_SHOWN);
    AddTrayIcon(main, own, L"Floor");
    ::DestroyIcon(own);

    HKEY app = nullptr;
    std::vector<wchar_t> buffer(256);
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kRoot, 0, KEY_READ, &app) == ERROR_SUCCESS) {
        const DWORD count = ReadNum(app, L"Button");
        for (DWORD n = 1; n <= count; ++n) {
            const Entry e = ReadEntry(app, L"Btn" + std::to_wstring(n), buffer);
            HWND wnd = MakeWindow(0, WS_POPUP | WS_BORDER | WS_THICKFRAME, 10, 10, main);
            HICON icon = EntryIcon(e);
            if (g_bare) {
                AddTrayIcon(wnd, icon, e.title);
            } else {
                // The window's list holds the icon while it is in the tray (never freed here:
                // the process is ended from outside); the shell gets a copy out of it.
                HIMAGELIST trayList = MakeImageList();
                ::ImageList_ReplaceIcon(trayList, -1, icon);
                HICON copy = ::ImageList_GetIcon(trayList, 0, ILD_NORMAL);
                AddTrayIcon(wnd, copy, e.title);
                ::DestroyIcon(copy);
            }
            ::DestroyIcon(icon);
        }
        ::RegCloseKey(app);
    }
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::DispatchMessageW(&msg);
    }
    return 0;
}

void PopMemberMenu(HWND owner, const std::vector<Entry>& members) {
    g_menu.images = MakeImageList();
    g_menu.labels.clear();
    HMENU menu = ::CreatePopupMenu();
    for (size_t i = 0; i < members.size() && i < 100; ++i) {
        HICON icon = EntryIcon(members[i]);
        ::ImageList_ReplaceIcon(g_menu.images, -1, icon);
        ::DestroyIcon(icon);
        g_menu.labels.push_back(members[i].title);
        ::AppendMenuW(menu, MF_OWNERDRAW, ID_MEMBER_FIRST + i, reinterpret_cast<LPCWSTR>(i));
    }
    POINT pt{};
    ::GetCursorPos(&pt);
    ::SetForegroundWindow(owner);
    ::TrackPopupMenu(menu, TPM_RIGHTALIGN, pt.x - 5, pt.y, 0, owner, nullptr);
    ::PostMessageW(owner, WM_NULL, 0, 0);
    ::DestroyMenu(menu);
    ::ImageList_Destroy(g_menu.images);
    g_menu.images = nullptr;
}

bool Menu(int reps, ResultFile& out) {
    HKEY app = OpenRoot(KEY_READ);
    const std::vector<Entry> members = ReadEntries(app, L"Group\\Grp1", L"App");
    ::RegCloseKey(app);
    HWND main = MakeMainWindow();
    HWND owner = MakeWindow(0, WS_POPUP | WS_BORDER | WS_THICKFRAME, 10, 10, main);
    IdleCloser closer;
    for (int i = 0; i < kWarmUp + reps; ++i) {
        const double start = NowMs();
        PopMemberMenu(owner, members);
        const double ms = NowMs() - start;
        ui::Pump();
        if (i >= kWarmUp) {
            out.Add("menu_ms", ms);
        }
    }
    out.Add("members", static_cast<double>(members.size()));
    out.Add("menu_row_px", closer.LastMenuRowHeight());
    return closer.MenusClosed() == kWarmUp + reps;
}

void SetString(HKEY key, const wchar_t* name, const std::wstring& value) {
    ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

bool Save(int reps, ResultFile& out) {
    HKEY app = OpenRoot(KEY_READ);
    const std::vector<Entry> entries = ReadEntries(app, L"Button", L"Btn");
    ::RegCloseKey(app);
    for (int i = 0; i < reps; ++i) {
        const double start = NowMs();
        app = OpenRoot(KEY_WRITE);
        for (size_t n = 0; n < entries.size(); ++n) {
            const Entry& e = entries[n];
            HKEY key = nullptr;
            if (::RegCreateKeyExW(app, (L"Btn" + std::to_wstring(n + 1)).c_str(), 0, nullptr, 0,
                                  KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
                continue;
            }
            SetString(key, L"Title", e.title);
            SetString(key, L"AppName", e.appName);
            SetString(key, L"Dir", e.dir);
            SetString(key, L"Parm", e.parm);
            SetString(key, L"Icon", e.icon);
            SetString(key, L"Data", e.data);
            ::RegCloseKey(key);
        }
        ::RegCloseKey(app);
        out.Add("save_ms", NowMs() - start);
    }
    out.Add("entries", static_cast<double>(entries.size()));
    return !entries.empty();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (argv == nullptr || argc < 2) {
        return 2;
    }
    WNDCLASSW wc{};
    wc.lpfnWndProc = &WndProc;
    wc.hInstance = instance;
    wc.lpszClassName = kClass;
    ::RegisterClassW(&wc);

    if (HDC screen = ::GetDC(nullptr)) {
        g_dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
        ::ReleaseDC(nullptr, screen);
    }

    std::wstring mode = argv[1];
    if (mode.ends_with(L"-bare")) {
        g_bare = true;
        mode.resize(mode.size() - 5);
    }
    if (mode == L"start") {
        return Start();
    }
    if (argc < 4) {
        return 2;
    }
    const int reps = _wtoi(argv[3]);
    ResultFile out;
    bool ok = false;
    if (mode == L"menu") {
        ok = Menu(reps, out);
    } else if (mode == L"save") {
        ok = Save(reps, out);
    } else {
        return 2;
    }
    return out.Write(argv[2]) && ok ? 0 : 1;
}
