#include "app/CMainTrayWnd.h"

#include <shellapi.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "app/CLauncherApp.h"
#include "dialogs/CEntrySettingsDlg.h"
#include "dialogs/CIconOrderDlg.h"
#include "entries/EntryStore.h"
#include "entries/StoreBatch.h"
#include "entries/StoreJournal.h"
#include "entries/StoreNames.h"
#include "framework/Afx.h"
#include "framework/Utf.h"
#include "framework/SystemDll.h"
#include "icons/EntryIcon.h"
#include "res/resource.h"
#include "tray/CButtonTrayWnd.h"
#include "tray/CGroupTrayWnd.h"
#include "tray/CTrayIconService.h"
#include "tray/TrayCommands.h"

namespace {

constexpr TrayMenuItem kMainMenu[] = {
    {ID_ICON_ADD, "ｱｲｺﾝの追加(&A)"},
    {ID_ICON_ORDER, "ｱｲｺﾝの順序(&S)"},
    {},
    {ID_HELP, "ﾍﾙﾌﾟ(&H)"},
    {},
    {ID_APP_EXIT, "Velmora の終了(&X)"},
};
// While the entry icons are out of the tray, nothing can be added or ordered.
constexpr TrayMenuItem kMainMenuHidden[] = {
    {ID_HELP, "ﾍﾙﾌﾟ(&H)"},
    {},
    {ID_APP_EXIT, "Velmora の終了(&X)"},
};

}  // namespace

BOOL(WINAPI* CMainTrayWnd::s_pfnBeep)(DWORD, DWORD) = &::Beep;
UINT CMainTrayWnd::s_uTaskbarCreated = 0;

BEGIN_MESSAGE_MAP(CMainTrayWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_WM_QUERYENDSESSION()
    ON_COMMAND(ID_ICON_ADD, OnAddIcon)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
    ON_COMMAND(ID_ICON_ORDER, OnIconOrder)
    ON_COMMAND(ID_HELP, OnHelpFinder)
    ON_MESSAGE(WM_TRAYNOTIFY, OnTrayNotify)
    ON_COMMAND(ID_TRAY_DBLCLK, OnTrayDblClk)
    ON_COMMAND(ID_TRAY_MENU, OnTrayMenu)
    ON_WM_ENDSESSION()
    ON_REGISTERED_MESSAGE(CMainTrayWnd::s_uTaskbarCreated, OnTaskbarCreated)
    ON_MESSAGE(WM_DPICHANGED, OnDisplayScaleChange)
    ON_MESSAGE(WM_DISPLAYCHANGE, OnDisplayScaleChange)
    ON_MESSAGE(WM_SETTINGCHANGE, OnDisplayScaleChange)
END_MESSAGE_MAP()

CMainTrayWnd::CMainTrayWnd() { LoadCount(); }

// The entry windows delete themselves; the list only forgets them.
CMainTrayWnd::~CMainTrayWnd() { m_listWnd.RemoveAll(); }

BOOL CMainTrayWnd::PreCreateWindow(CREATESTRUCTW& cs) {
    cs.cx = 100;
    cs.cy = 100;
    return CWnd::PreCreateWindow(cs);
}

void CMainTrayWnd::PostNcDestroy() { delete this; }

void CMainTrayWnd::LoadCount() {
    const int count = theApp.GetProfileInt(store_names::kCountSection, store_names::kCount, 0);
    // A count below 0 lists nothing, as 0 does: the sections stored behind it are leftovers.
    // Kept negative, it would never match the list, and adding would be refused for good.
    m_nEntryCount = count < 0 ? 0 : count;
    const CString section(store_names::kCountSection);
    m_guid = LoadIconGuid(theApp, section).value_or(NameBasedIconGuid(section.View()));
}

BOOL CMainTrayWnd::SaveCount() {
    return theApp.WriteProfileInt(store_names::kCountSection, store_names::kCount, m_nEntryCount);
}

BOOL CMainTrayWnd::SetTrayIcon(DWORD message, UINT iconId) {
    return CTrayIconService::Instance().Notify(
        message, m_hWnd, [iconId](UINT dpi) { return LoadSmallResourceIcon(iconId, dpi); },
        "Velmora", m_bTrayByWindow ? IconGuid{} : m_guid,
        [this](const IconGuid& guid) { OnGuidTaken(guid); });
}

void CMainTrayWnd::OnGuidTaken(const IconGuid& guid) {
    if (guid.IsNull()) {
        m_bTrayByWindow = true;
        return;
    }
    m_guid = guid;
    SaveIconGuid(theApp, CString(store_names::kCountSection), guid);
}

BOOL CMainTrayWnd::DeleteTrayIcon() { return CTrayIconService::Instance().Delete(m_hWnd); }

namespace {

// Runs for each of the thread's top-level windows, in z-order, until the first that waits for an
// answer: a visible, enabled dialog-class window (a dialog under the file dialog or message box
// it opened is disabled). A named function: the callback must be WINAPI, which a lambda is not on
// i686.
BOOL CALLBACK FindOpenModal(HWND hwnd, LPARAM lParam) {
    wchar_t className[16] = {};
    ::GetClassNameW(hwnd, className, 16);
    if (std::wstring_view(className) == L"#32770" && ::IsWindowVisible(hwnd) &&
        ::IsWindowEnabled(hwnd)) {
        *reinterpret_cast<HWND*>(lParam) = hwnd;
        return FALSE;
    }
    return TRUE;
}

// The dialog or message box the user has to answer first.
HWND OpenModalWindow() {
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindOpenModal, reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace

BOOL CMainTrayWnd::IsNotBusy() {
    if (m_nBusy != 0) {
        s_pfnBeep(40, 100);
        // The beep alone leaves a dialog hidden under other windows and the tray seeming dead:
        // what waits for an answer comes to the front. A click on a tray icon lets the program
        // take the foreground.
        if (HWND open = OpenModalWindow()) {
            ::SetForegroundWindow(open);
        }
        return FALSE;
    }
    return TRUE;
}

void CMainTrayWnd::SaveOnExit() {
    DeleteTrayIcon();
    BOOL saved = FALSE;
    // Whatever goes wrong (the registry refusing a write, memory running out), the user hears of
    // it before the program is gone: an exception here would otherwise end it without a word.
    try {
        const BOOL countSaved = SaveCount();
        saved = SaveAll() && countSaved;
    } catch (...) {
        saved = FALSE;
    }
    if (!saved) {
        MessageBox("設定を保存できませんでした。", AfxGetAppName(), MB_OK | MB_ICONEXCLAMATION);
    }
}

void CMainTrayWnd::LoadAll() {
    BusyScope busy(*this);
    // A count larger than the stored sections would make one empty window per missing
    // section, up to millions of them. A missing section between stored ones still loads as
    // an empty entry; past the last stored one there is nothing to load.
    const int last = theApp.GetHighestNumberedSection("", store_names::kEntryPrefix, m_nEntryCount);
    bool refused = false;
    std::vector<IconGuid> taken{m_guid};
    for (int n = 1; n <= last; ++n) {
        AppEntry entry;
        theApp.LoadButton(n, entry);
        // Two entries never share a GUID, not even when the store was copied by hand: the later
        // one gets the GUID it would have without one.
        const CString section = store_names::EntrySection(n);
        IconGuid guid = LoadIconGuid(theApp, section).value_or(IconGuid{});
        if (guid.IsNull() || std::find(taken.begin(), taken.end(), guid) != taken.end()) {
            guid = DerivedIconGuid(section, entry);
        }
        taken.push_back(guid);
        CWnd* made = nullptr;
        if (entry.IsGroup != 0) {
            ++m_nGroupCount;
            made = CreateGroupWnd(entry, m_nGroupCount, guid, n);
            if (made == nullptr) {
                --m_nGroupCount;
            }
        } else {
            made = CreateButtonWnd(entry, guid, n);
        }
        // Once the system gives no more windows, the rest of the store stays as it is: the
        // list then holds fewer entries than the store, and nothing is renumbered or written
        // over (see HoldsEveryEntry). Going on would only fail again for every stored record.
        if (made == nullptr) {
            refused = true;
            break;
        }
    }
    // With every stored section loaded, the entries past them are all empty and nothing
    // stored can be written over: the count shrinks to what is stored.
    if (!refused && last < m_nEntryCount) {
        m_nEntryCount = last;
    }
}

BOOL CMainTrayWnd::HoldsEveryEntry() const { return m_listWnd.GetCount() == m_nEntryCount; }

BOOL CMainTrayWnd::SaveAll() {
    // Renumbering a list that lacks some stored entries would write over their sections: the
    // store stays as it is, by intent.
    if (!HoldsEveryEntry()) {
        return TRUE;
    }
    // Moving entries and renumbering groups writes sections over each other: cut off half-way,
    // the store would show some entries twice and lose others. The whole list goes into one
    // batch, made through the journal, with the count that goes with it.
    StoreBatch batch;
    int g = 0;
    int i = 0;
    for (POSITION pos = m_listWnd.GetHeadPosition(); pos != nullptr && i < m_nEntryCount; ++i) {
        auto* wnd = static_cast<CButtonTrayWnd*>(m_listWnd.GetNext(pos));
        AppEntry entry;
        wnd->GetEntry(entry);
        if (entry.IsGroup == 1) {
            // Groups are numbered by their place among the groups, as the next start reads them.
            auto* group = static_cast<CGroupTrayWnd*>(wnd);
            group->m_nGroupNo = ++g;
            group->SaveGroup(batch);
        }
        theApp.SaveButton(batch, i + 1, entry);
        SaveIconGuid(batch, store_names::EntrySection(i + 1), wnd->m_guid);
    }
    batch.WriteInt(store_names::kCountSection, store_names::kCount, m_nEntryCount);
    SaveIconGuid(batch, CString(store_names::kCountSection), m_guid);
    if (!StoreJournal::Commit(theApp, batch)) {
        return FALSE;
    }
    // From now on each entry is stored at its place in the list.
    i = 0;
    for (POSITION pos = m_listWnd.GetHeadPosition(); pos != nullptr && i < m_nEntryCount; ++i) {
        static_cast<CButtonTrayWnd*>(m_listWnd.GetNext(pos))->m_nStoreNo = i + 1;
    }
    return TRUE;
}

namespace {

// Makes the hidden window of an entry window object. A window that could not be made has
// deleted its object already (PostNcDestroy), so it must not be touched afterwards.
bool CreateEntryWindow(CButtonTrayWnd* wnd, HWND parent) {
    CString wndClass = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, nullptr,
                                           static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH)));
    if (!wnd->CreateEx(0, wndClass, "Velmora", WS_POPUP | WS_BORDER | WS_THICKFRAME, 10, 10, 100,
                       100, parent, nullptr)) {
        return false;
    }
    wnd->ShowWindow(SW_HIDE);
    return true;
}

}  // namespace

CButtonTrayWnd* CMainTrayWnd::CreateButtonWnd(AppEntry entry, const IconGuid& guid, int storeNo) {
    auto* wnd = new CButtonTrayWnd;
    if (!CreateEntryWindow(wnd, m_hWnd)) {
        return nullptr;
    }
    wnd->m_guid = guid;
    wnd->m_nStoreNo = storeNo;
    wnd->SetEntry(entry);
    m_listWnd.AddTail(wnd);
    return wnd;
}

CGroupTrayWnd* CMainTrayWnd::CreateGroupWnd(AppEntry entry, int groupNo, const IconGuid& guid,
                                            int storeNo) {
    auto* wnd = new CGroupTrayWnd;
    if (!CreateEntryWindow(wnd, m_hWnd)) {
        return nullptr;
    }
    wnd->m_nGroupNo = groupNo;
    wnd->m_guid = guid;
    wnd->m_nStoreNo = storeNo;
    // Whatever was stored, the window is a group from now on and is saved as one.
    entry.IsGroup = 1;
    wnd->SetEntry(entry);
    // The list holds every window as a CButtonTrayWnd*, the type it is read back as.
    m_listWnd.AddTail(static_cast<CButtonTrayWnd*>(wnd));
    return wnd;
}

void CMainTrayWnd::RemoveEntryWnd(CButtonTrayWnd* pWnd) {
    const BOOL complete = HoldsEveryEntry();
    int i = 0;
    for (POSITION pos = m_listWnd.GetHeadPosition(); pos != nullptr && i < m_nEntryCount; ++i) {
        POSITION at = pos;
        if (static_cast<CButtonTrayWnd*>(m_listWnd.GetNext(pos)) != pWnd) {
            continue;
        }
        m_listWnd.RemoveAt(at);
        if (!complete) {
            // The store keeps the entry: without all windows it cannot be renumbered safely.
            return;
        }
        AppEntry entry;
        pWnd->GetEntry(entry);
        if (entry.IsGroup == 1) {
            --m_nGroupCount;
        }
        --m_nEntryCount;
        SaveAll();
        SaveCount();
        return;
    }
}

// Runs while the window is being created: the program's own icon goes into the tray.
int CMainTrayWnd::OnCreate(LPCREATESTRUCTW) {
    if (Default() == -1) {
        return -1;
    }
    if (s_uTaskbarCreated == 0) {
        s_uTaskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
    }
    // A program run as administrator gets no message from one of lower integrity, the taskbar
    // included, unless it lets that one through (Windows 7 and later; looked up at run time).
    using AllowMessage = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    if (auto allow = system_dll::LoadedFunction<AllowMessage>(L"user32.dll",
                                                              "ChangeWindowMessageFilterEx")) {
        allow(m_hWnd, s_uTaskbarCreated, MSGFLT_ALLOW, nullptr);
    }
    SetTrayIcon(NIM_ADD, IDI_TRAY_SHOWN);
    return 0;
}

// Runs when the window is asked to close: save everything, then go.
void CMainTrayWnd::OnClose() {
    SaveOnExit();
    Default();
}

// Runs when Windows is about to end the session.
BOOL CMainTrayWnd::OnQueryEndSession() {
    if (!Default()) {
        return FALSE;
    }
    SaveOnExit();
    return TRUE;
}

// Runs when the session end was decided; FALSE means someone cancelled it. The own icon left
// the tray when the question came, so it comes back, or the program could not be reached.
void CMainTrayWnd::OnEndSession(BOOL bEnding) {
    if (!bEnding && CTrayIconService::Instance().Find(m_hWnd) == nullptr) {
        SetTrayIcon(NIM_ADD, m_bHideIcons ? IDI_TRAY_HIDDEN : IDI_TRAY_SHOWN);
    }
}

// Runs when "Velmora の終了(&X)" is chosen.
void CMainTrayWnd::OnAppExit() {
    BusyScope busy(*this);
    SetForegroundWindow();
    if (MessageBox("終了してもよろしいですか？", AfxGetAppName(), MB_OKCANCEL | MB_ICONQUESTION) ==
        IDOK) {
        PostMessage(WM_CLOSE, 0, 0);
    }
}

// Runs when "ｱｲｺﾝの追加(&A)" is chosen: a new single entry or group at the end of the tray,
// written to the store at once.
void CMainTrayWnd::OnAddIcon() {
    // While some stored entries have no window, the next free group and entry numbers of the
    // list are taken in the store: writing there would overwrite them.
    if (!HoldsEveryEntry()) {
        s_pfnBeep(40, 100);
        return;
    }
    BusyScope busy(*this);
    SetForegroundWindow();
    CEntrySettingsDlg dlg(this);
    dlg.SetGroupMode(0, 1);
    if (dlg.DoModal() == IDCANCEL) {
        return;
    }
    AppEntry entry;
    dlg.GetEntry(entry);
    entry.IsGroup = dlg.IsGroupChecked();
    // A GUID no entry had before, stored with the entry below.
    const IconGuid guid = CTrayIconService::NewGuid();
    const int storeNo = m_nEntryCount + 1;
    if (entry.IsGroup == 1) {
        CGroupTrayWnd* group = CreateGroupWnd(entry, m_nGroupCount + 1, guid, storeNo);
        if (group == nullptr) {
            ReportIconNotMade();
            return;
        }
        ++m_nGroupCount;
        // A new group starts empty, whatever an earlier group of this number left stored.
        theApp.WriteProfileInt(store_names::GroupSection(m_nGroupCount).GetString(),
                               store_names::kCount, 0);
        group->LoadGroup();
    } else if (CreateButtonWnd(entry, guid, storeNo) == nullptr) {
        ReportIconNotMade();
        return;
    }
    ++m_nEntryCount;
    StoreBatch batch;
    theApp.SaveButton(batch, m_nEntryCount, entry);
    SaveIconGuid(batch, store_names::EntrySection(m_nEntryCount), guid);
    StoreJournal::Apply(theApp, batch);
    SaveCount();
}

// Without its window the entry would be counted and stored with no window in the list, and
// every later save would refuse to renumber (see HoldsEveryEntry): nothing is kept.
void CMainTrayWnd::ReportIconNotMade() {
    MessageBox("ｱｲｺﾝを作成できませんでした。", AfxGetAppName(), MB_OK | MB_ICONEXCLAMATION);
}

// Runs when "ｱｲｺﾝの順序(&S)" is chosen: the entry icons leave the tray while the dialog moves
// the windows in the list, and come back in the new order. The store follows at the next save.
void CMainTrayWnd::OnIconOrder() {
    BusyScope busy(*this);
    if (m_bHideIcons == 0) {
        ToggleIcons();
    }
    CIconOrderDlg dlg;
    // The list may hold fewer windows than the store has entries (see HoldsEveryEntry); the
    // dialog shows only windows that exist.
    const int count = m_listWnd.GetCount() < m_nEntryCount ? m_listWnd.GetCount() : m_nEntryCount;
    dlg.SetList(count, &m_listWnd);
    dlg.DoModal();
    ToggleIcons();
}

namespace {

// TRUE when the path names a file, not a folder, that is there.
bool IsExistingFile(const CString& path) {
    const DWORD attributes = ::GetFileAttributesW(Widen(path.View()).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

// Runs when "ﾍﾙﾌﾟ(&H)" is chosen. A WinHelp file beside the program is shown as ever; systems
// since Windows 10 have no viewer for one, so otherwise the HTML guide beside the program
// opens in the user's browser.
void CMainTrayWnd::OnHelpFinder() {
    if (IsExistingFile(theApp.m_strHelpFilePath)) {
        theApp.WinHelp(0, HELP_FINDER);
        return;
    }
    // The guide is the help file the program comes with: it is the one a message names.
    const CString& guide = theApp.m_strHtmlHelpPath;
    CString text;
    if (!IsExistingFile(guide)) {
        text.Format("ﾍﾙﾌﾟﾌｧｲﾙ %s が見つかりません。", guide);
    } else if (!OpenDocument(guide)) {
        text.Format("ﾍﾙﾌﾟﾌｧｲﾙ %s を開けませんでした。", guide);
    } else {
        return;
    }
    ReportHelpFile(text);
}

BOOL CMainTrayWnd::OpenDocument(const CString& path) {
    const std::wstring file = Widen(path.View());
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    // Returns once the viewer is on its way (no SEE_MASK_NOASYNC) and nothing waits for it, so
    // the tray goes on answering while the guide is open. A failure is the program's to tell
    // in its own words, not the shell's.
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.hwnd = m_hWnd;
    info.lpVerb = L"open";
    info.lpFile = file.c_str();
    info.nShow = SW_SHOWNORMAL;
    return ::ShellExecuteExW(&info);
}

// Like every other message of the program, the box keeps clicks on the own icon from opening
// a second modal step while it is open.
void CMainTrayWnd::ReportHelpFile(const CString& text) {
    BusyScope busy(*this);
    SetForegroundWindow();
    MessageBox(text, AfxGetAppName(), MB_OK | MB_ICONEXCLAMATION);
}

// Runs when the shell reports a mouse event on the own icon. Acts later, through a command,
// so that nothing modal runs inside the shell's callback.
LRESULT CMainTrayWnd::OnTrayNotify(WPARAM, LPARAM lParam) {
    return PostTrayCommand(*this, lParam, kEntryClicks);
}

// Runs after a double click on the own icon: the entry icons leave the tray or come back.
void CMainTrayWnd::OnTrayDblClk() {
    if (IsNotBusy()) {
        BusyScope busy(*this);
        ToggleIcons();
    }
}

// Runs after the right button was released over the own icon.
void CMainTrayWnd::OnTrayMenu() {
    if (IsNotBusy()) {
        ShowMenu();
    }
}

// Runs when the taskbar was created anew (explorer restarted): it knows none of our icons.
LRESULT CMainTrayWnd::OnTaskbarCreated(WPARAM, LPARAM) {
    CTrayIconService::Instance().ReAddAll();
    return 0;
}

// Runs when the display's scale, resolution or the system's settings may have changed: the
// tray icons are made again when the taskbar's DPI is not the one they were made at. A window
// that was never shown gets WM_DPICHANGED only on some systems, but every top-level window gets
// the broadcasts.
LRESULT CMainTrayWnd::OnDisplayScaleChange(WPARAM, LPARAM) {
    CTrayIconService::Instance().Rescale();
    return Default();
}

void CMainTrayWnd::ToggleIcons() {
    if (m_bHideIcons == 1) {
        SetTrayIcon(NIM_MODIFY, IDI_TRAY_SHOWN);
        ::Sleep(250);
        m_bHideIcons = 0;
        HideEntryIcons(0);
    } else {
        SetTrayIcon(NIM_MODIFY, IDI_TRAY_HIDDEN);
        m_bHideIcons = 1;
        HideEntryIcons(1);
    }
}

// The icons come back one after the other in list order, which is the order the tray shows.
void CMainTrayWnd::HideEntryIcons(int flag) {
    int i = 0;
    for (POSITION pos = m_listWnd.GetHeadPosition(); pos != nullptr && i < m_nEntryCount; ++i) {
        auto* wnd = static_cast<CButtonTrayWnd*>(m_listWnd.GetNext(pos));
        AppEntry entry;
        wnd->GetEntry(entry);
        if (entry.IsGroup == 1) {
            static_cast<CGroupTrayWnd*>(wnd)->HideIcon(flag);
        } else {
            wnd->HideIcon(flag);
        }
    }
}

void CMainTrayWnd::ShowMenu() {
    if (m_bHideIcons == 1) {
        ShowTrayMenu(*this, kMainMenuHidden);
    } else {
        ShowTrayMenu(*this, kMainMenu);
    }
}
