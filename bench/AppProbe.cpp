// The program's side of the in-process figures: the real application object started on the
// store the harness seeded (InitInstance, LoadAll, every window and tray icon), then one of
//
//   velmora_probe.exe menu   RESULT REPS     ShowMemberMenu of the first group, REPS times (and
//                                            the height of the last menu's first row)
//   velmora_probe.exe save   RESULT REPS     CMainTrayWnd::SaveAll, REPS times
//   velmora_probe.exe growth RESULT POPS DIALOGS
//                                            private memory and GDI/USER objects before, halfway
//                                            through and after POPS member-menu and POPS main-menu
//                                            pops through the tray commands and DIALOGS settings
//                                            dialogs opened and cancelled through the entry's
//                                            command
//
// Times go to RESULT in milliseconds, one value per repetition; the exit code is 0 when every
// step ran as asked. Started by velmora_bench.exe, which owns the tray the icons go to.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/CLauncherApp.h"
#include "app/CMainTrayWnd.h"
#include "bench/Clock.h"
#include "bench/IdleCloser.h"
#include "bench/MemoryProbe.h"
#include "bench/ResultFile.h"
#include "res/resource.h"
#include "tests/support/GuiObjects.h"
#include "tests/support/MessagePump.h"
#include "tray/CButtonTrayWnd.h"
#include "tray/CGroupTrayWnd.h"

namespace {

constexpr int kWarmUp = 2;

// The first entry window of the list that is (or is not) a group.
CButtonTrayWnd* FirstEntryWindow(CMainTrayWnd& main, bool group) {
    for (POSITION pos = main.m_listWnd.GetHeadPosition(); pos != nullptr;) {
        auto* wnd = static_cast<CButtonTrayWnd*>(main.m_listWnd.GetNext(pos));
        if ((wnd->m_entry.IsGroup == 1) == group) {
            return wnd;
        }
    }
    return nullptr;
}

bool MeasureMenu(CMainTrayWnd& main, int reps, ResultFile& out) {
    auto* group = static_cast<CGroupTrayWnd*>(FirstEntryWindow(main, true));
    if (group == nullptr) {
        std::fprintf(stderr, "probe: the store holds no group\n");
        return false;
    }
    IdleCloser closer;
    for (int i = 0; i < kWarmUp + reps; ++i) {
        const double start = NowMs();
        group->ShowMemberMenu();
        const double ms = NowMs() - start;
        ui::Pump();
        if (i >= kWarmUp) {
            out.Add("menu_ms", ms);
        }
    }
    out.Add("members", group->m_nMemberCount);
    out.Add("menu_row_px", closer.LastMenuRowHeight());
    return closer.MenusClosed() == kWarmUp + reps;
}

bool MeasureSave(CMainTrayWnd& main, int reps, ResultFile& out) {
    for (int i = 0; i < reps; ++i) {
        const double start = NowMs();
        main.SaveAll();
        out.Add("save_ms", NowMs() - start);
    }
    out.Add("entries", main.m_listWnd.GetCount());
    return main.m_listWnd.GetCount() == main.m_nEntryCount;
}

// One round of everything the growth figure repeats: member menus and main menus popped through
// the tray commands, settings dialogs opened and cancelled through the entry's command.
void Exercise(CMainTrayWnd& main, CButtonTrayWnd& entry, CGroupTrayWnd& group, int pops,
              int dialogs) {
    for (int i = 0; i < pops; ++i) {
        group.SendMessage(WM_COMMAND, ID_TRAY_CLICK, 0);
        ui::Pump();
        main.SendMessage(WM_COMMAND, ID_TRAY_MENU, 0);
        ui::Pump();
    }
    for (int i = 0; i < dialogs; ++i) {
        entry.SendMessage(WM_COMMAND, ID_ENTRY_SETTINGS, 0);
        ui::Pump();
    }
}

// Memory and GUI objects at the start, after the first half of the rounds and at the end: a
// leak grows in both halves alike, a cache that fills once shows in the first half only.
bool MeasureGrowth(CMainTrayWnd& main, int pops, int dialogs, ResultFile& out) {
    CButtonTrayWnd* entry = FirstEntryWindow(main, false);
    auto* group = static_cast<CGroupTrayWnd*>(FirstEntryWindow(main, true));
    if (entry == nullptr || group == nullptr) {
        std::fprintf(stderr, "probe: the store needs an entry and a group\n");
        return false;
    }
    IdleCloser closer;
    // Whatever is made once and kept (classes, fonts, the first dialog's template) is made here.
    constexpr int kWarmPops = 20;
    constexpr int kWarmDialogs = 5;
    Exercise(main, *entry, *group, kWarmPops, kWarmDialogs);
    const double start = NowMs();
    for (int half = 0; half <= 2; ++half) {
        if (half > 0) {
            Exercise(main, *entry, *group, pops / 2, dialogs / 2);
        }
        const guiobjects::Counts counts = guiobjects::Take();
        out.Add("memory", static_cast<double>(PrivateBytesOf(::GetCurrentProcess())));
        out.Add("gdi", counts.gdi);
        out.Add("user", counts.user);
    }
    out.Add("growth_ms", NowMs() - start);
    out.Add("menus", closer.MenusClosed() - 2 * kWarmPops);
    out.Add("dialogs", closer.DialogsClosed() - kWarmDialogs);
    return closer.MenusClosed() == 2 * (kWarmPops + pops / 2 * 2) &&
           closer.DialogsClosed() == kWarmDialogs + dialogs / 2 * 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: velmora_probe.exe menu|save|growth RESULT N [N]\n");
        return 2;
    }
    const std::wstring mode = argv[1];
    const std::wstring resultPath = argv[2];
    const int reps = _wtoi(argv[3]);
    const int dialogs = argc > 4 ? _wtoi(argv[4]) : 0;

    // The probe carries the program's resources; the application object takes its handles.
    theApp.SetCurrentHandles(::GetModuleHandleW(nullptr));
    if (!theApp.InitInstance()) {
        std::fprintf(stderr, "probe: the program did not start\n");
        return 1;
    }
    auto& main = *static_cast<CMainTrayWnd*>(theApp.m_pMainWnd);

    ResultFile out;
    bool ok = false;
    if (mode == L"menu") {
        ok = MeasureMenu(main, reps, out);
    } else if (mode == L"save") {
        ok = MeasureSave(main, reps, out);
    } else if (mode == L"growth") {
        ok = MeasureGrowth(main, reps, dialogs, out);
    } else {
        std::fprintf(stderr, "probe: unknown mode\n");
        return 2;
    }
    if (!out.Write(resultPath)) {
        std::fprintf(stderr, "probe: cannot write the result file\n");
        return 1;
    }
    // Ends without closing the main window: closing would save, and the store is the harness's.
    return ok ? 0 : 1;
}
