// The bench harness, run under Wine by `make bench` (scripts/bench): measures velmora.exe and the
// program's own code against the floor program (bench/floor) in one run and prints the results
// as a Markdown table on stdout; progress goes to stderr.
//
//   velmora_bench.exe [--runs N] [--size-x64 BYTES] [--size-x86 BYTES] [--only NAME] [--dpi N]
//
// --runs: runs per figure (default 5), after one that is not counted; in each run every program
// is measured in turn (velmora, the floor, the bare floor), and each run starts with the next one.
// --size-*: the stripped sizes of velmora.exe, measured outside (there is no strip under Wine).
// --only start|menu|save|memory|growth: one figure, for a quick look.
// --dpi: the DPI the Wine session was made with (default 96); the harness measures nothing when
// the screen has another. At any DPI but 96 it measures only the start-up with 100 entries and
// the member menu of 100, and names the DPI in their rows. At every DPI it checks that the tray
// icons both programs hand over have the small icon size of that DPI, and that the member menus'
// rows are as high as the program's figure scaled to it.
//
// It owns the tray (FakeTray) for the whole run, so it must be the only program in its Wine
// desktop that adds tray icons.
#include <windows.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "bench/BenchStore.h"
#include "bench/BenchTable.h"
#include "bench/Clock.h"
#include "bench/FakeTray.h"
#include "bench/MemoryProbe.h"
#include "bench/ResultFile.h"
#include "bench/Samples.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/Files.h"
#include "tests/support/GuiObjects.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ProgramFiles.h"

namespace {

constexpr DWORD kChildTimeoutMs = 300000;
// After the last icon the program returns into its message loop; its memory is read after this.
constexpr DWORD kSettleMs = 300;
constexpr int kMenuPops = 10;     // timed pops per process run (after 2 untimed)
constexpr int kSaves = 3;         // timed saves per process run
constexpr int kGrowthPops = 500;  // member-menu pops, and as many main-menu pops
constexpr int kGrowthDialogs = 100;
constexpr UINT kBaseDpi = 96;
// At 96 DPI, scaled by dpi / 96 as the program and the floor scale them.
constexpr int kSmallIcon = 16;
constexpr int kMenuRowHeight = 20;

struct Options {
    int runs = 5;
    long long sizeX64 = -1;
    long long sizeX86 = -1;
    std::string only;
    UINT dpi = kBaseDpi;
    bool Scaled() const { return dpi != kBaseDpi; }
    // At another scale than 100 %, the start-up (100 entries only) and the member menu.
    bool Wants(const char* figure) const {
        const std::string f = figure;
        if (Scaled() && f != "start" && f != "menu") {
            return false;
        }
        return only.empty() || only == f;
    }
    // What a row measured at another scale says of it: ", 144 DPI"; nothing at 96 DPI.
    std::string DpiSuffix() const { return Scaled() ? ", " + std::to_string(dpi) + " DPI" : ""; }
    int SmallIconSize() const { return ::MulDiv(kSmallIcon, static_cast<int>(dpi), kBaseDpi); }
    int MenuRowHeight() const { return ::MulDiv(kMenuRowHeight, static_cast<int>(dpi), kBaseDpi); }
};

struct Paths {
    std::wstring bin;  // with a trailing backslash
    std::wstring velmora, floor, probe, iconFile, result;
};

Paths FindPaths() {
    Paths p;
    p.bin = ThisProgramDirectory();
    p.velmora = p.bin + L"velmora.exe";
    p.floor = p.bin + L"bench_floor.exe";
    p.probe = p.bin + L"velmora_probe.exe";
    p.iconFile = p.bin + L"fixtures\\threeicons.exe";
    p.result = TempDirectory() + L"velmora-bench-result.txt";
    return p;
}

void Progress(const char* format, ...) __attribute__((format(printf, 1, 2)));
void Progress(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    std::fflush(stderr);
}

// One start of a program on the seeded store: from just before CreateProcess to the arrival of
// its last tray icon (expectedIcons of them, each iconSize pixels wide), and its private memory
// once it has settled.
struct StartRun {
    bool ok = false;
    double ms = 0;
    SIZE_T memory = 0;
};

StartRun TimeStart(FakeTray& tray, const std::wstring& exe, const std::wstring& args,
                   int expectedIcons, int iconSize, bool readMemory) {
    StartRun run;
    tray.Clear();
    ChildProcess child;
    const LONGLONG start = NowTicks();
    if (!child.Start(exe, args)) {
        return run;
    }
    const DWORD pid = child.Pid();
    if (!child.PumpUntil([&] { return tray.CountOf(pid) >= expectedIcons; }, kChildTimeoutMs)) {
        Progress("  %ls: %d of %d icons\n", exe.c_str(), tray.CountOf(pid), expectedIcons);
        return run;
    }
    const std::vector<FakeTray::Add> adds = tray.AddsOf(pid);
    run.ms = TicksToMs(adds.back().ticks - start);
    for (size_t i = 0; i < adds.size(); ++i) {
        if (adds[i].iconWidth != iconSize) {
            Progress("  %ls: tray icon %d is %d px wide, not %d\n", exe.c_str(),
                     static_cast<int>(i) + 1, adds[i].iconWidth, iconSize);
            return run;
        }
    }
    if (readMemory) {
        ui::PumpFor(kSettleMs);
        run.memory = PrivateBytesOf(child.Handle());
    }
    child.Terminate();
    run.ok = tray.CountOf(pid) == expectedIcons;
    return run;
}

// Runs a measuring program to its end; its results, or nothing when it failed.
std::map<std::string, std::vector<double>> RunToEnd(const Paths& paths, const std::wstring& exe,
                                                    const std::wstring& args) {
    ::DeleteFileW(paths.result.c_str());
    ChildProcess child;
    if (!child.Start(exe, args)) {
        Progress("  cannot start %ls\n", exe.c_str());
        return {};
    }
    const DWORD code = child.WaitForExit(kChildTimeoutMs);
    if (code != 0) {
        Progress("  %ls %ls: exit code %lu\n", exe.c_str(), args.c_str(), code);
        return {};
    }
    return ResultFile::Read(paths.result);
}

std::wstring Quoted(const std::wstring& s) { return L"\"" + s + L"\""; }

// The three programs a figure is measured on, in the order of one run; each run starts one
// further along, so that none always goes first.
enum Who { kVelmora, kFloor, kBare };
constexpr const char* kNames[] = {"velmora", "floor", "bare floor"};

Who InTurn(int run, int turn, int count) { return static_cast<Who>((run + turn) % count); }

bool MeasureStart(FakeTray& tray, const Paths& paths, const Options& options, BenchTable& table,
                  Samples& memoryProgram, Samples& memoryFloor) {
    for (int entries : {0, 10, 100, 1000}) {
        if (!options.Wants("start") && !(options.Wants("memory") && entries == 100)) {
            continue;
        }
        if (options.Scaled() && entries != 100) {
            continue;
        }
        Progress("start-up, %d entries%s\n", entries, options.DpiSuffix().c_str());
        benchstore::SeedEntries(entries, paths.iconFile);
        Samples times[3];
        // A start is one sample; the shorter ones are taken three times a run.
        const int starts = entries <= 100 ? 3 : 1;
        // Run -1 warms the file cache and the server up for all three and is not counted.
        for (int r = -1; r < options.runs; ++r) {
            for (int turn = 0; turn < 3 * starts; ++turn) {
                const Who who = InTurn(r + 1, turn, 3);
                const std::wstring& exe = who == kVelmora ? paths.velmora : paths.floor;
                const wchar_t* args = who == kVelmora ? L""
                                      : who == kFloor ? L"start"
                                                      : L"start-bare";
                StartRun run = TimeStart(tray, exe, args, entries + 1, options.SmallIconSize(),
                                         entries == 100);
                if (!run.ok) {
                    Progress("  %s: no start-up measured (%d icons of %d px asked for)\n",
                             kNames[who], entries + 1, options.SmallIconSize());
                    return false;
                }
                if (r < 0) {
                    continue;
                }
                times[who].Add(run.ms);
                if (entries == 100 && who != kBare) {
                    (who == kVelmora ? memoryProgram : memoryFloor)
                        .Add(static_cast<double>(run.memory));
                }
            }
            for (Samples& s : times) {
                s.EndRun();
            }
            if (r >= 0) {
                Progress("  run %d: velmora %.1f, floor %.1f, bare floor %.1f ms\n", r + 1,
                         times[kVelmora].RunMedians().back(), times[kFloor].RunMedians().back(),
                         times[kBare].RunMedians().back());
            }
        }
        if (options.Wants("start")) {
            table.AddRatio("Start-up to the last tray icon, " + std::to_string(entries) +
                               " entries" + options.DpiSuffix(),
                           times[kVelmora], times[kFloor], &times[kBare], entries >= 100 ? 1.3 : 0);
        }
    }
    return true;
}

// A figure measured inside a process of its own, REPS times per run: the program's code in
// velmora_probe.exe, the floor in bench_floor.exe (and its bare mode when withBare). check, when
// given, looks at each process's results and says what is wrong with them, or nothing.
bool MeasureInProcess(
    const Paths& paths, const Options& options, BenchTable& table, const std::wstring& mode,
    int reps, const char* key, const std::string& figure, bool withBare, double goal,
    const std::function<std::string(std::map<std::string, std::vector<double>>&)>& check = {}) {
    Samples times[3];
    const std::wstring tail = L" " + Quoted(paths.result) + L" " + std::to_wstring(reps);
    const int count = withBare ? 3 : 2;
    // Run -1 warms up and is not counted.
    for (int r = -1; r < options.runs; ++r) {
        for (int turn = 0; turn < count; ++turn) {
            const Who who = InTurn(r + 1, turn, count);
            auto results = RunToEnd(paths, who == kVelmora ? paths.probe : paths.floor,
                                    (who == kBare ? mode + L"-bare" : mode) + tail);
            if (results[key].size() != static_cast<size_t>(reps)) {
                Progress("  %s gave no %s\n", kNames[who], key);
                return false;
            }
            if (check) {
                if (const std::string wrong = check(results); !wrong.empty()) {
                    Progress("  %s: %s\n", kNames[who], wrong.c_str());
                    return false;
                }
            }
            if (r >= 0) {
                times[who].Add(results[key]);
                times[who].EndRun();
            }
        }
        if (r < 0) {
            continue;
        }
        Progress("  run %d: velmora %.1f, floor %.1f", r + 1, times[kVelmora].RunMedians().back(),
                 times[kFloor].RunMedians().back());
        if (withBare) {
            Progress(", bare floor %.1f", times[kBare].RunMedians().back());
        }
        Progress(" ms\n");
    }
    table.AddRatio(figure, times[kVelmora], times[kFloor], withBare ? &times[kBare] : nullptr,
                   goal);
    return true;
}

std::string Megabytes(double bytes) { return Fixed(bytes / (1024.0 * 1024.0), 2) + " MB"; }

// A change with its sign: "+0 KB", "-12 KB".
std::string Signed(double value, const std::string& text) {
    std::string signedText(value >= 0 ? "+" : "");
    signedText += text;
    return signedText;
}

// "a → b → c" of three checkpoints.
std::string Series(const std::vector<double>& values, const std::function<std::string(double)>& f) {
    std::string text;
    for (double v : values) {
        if (!text.empty()) {
            text += " → ";
        }
        text += f(v);
    }
    return text;
}

// The growth of a measure over the first and the second half ("+a / +b"), and whether the second
// half grew (a leak keeps growing; a cache that fills once does not). countable: whether a
// process of this architecture can count the measure at all.
void AddGrowthRow(BenchTable& table, const std::string& figure, const std::vector<double>& v,
                  const std::function<std::string(double)>& show,
                  const std::function<std::string(double)>& showChange, bool countable = true) {
    const double first = v[1] - v[0];
    const double second = v[2] - v[1];
    // A count of -1 means the probe could not count: no growth seen is then no answer.
    const bool counted = std::all_of(v.begin(), v.end(), [](double x) { return x >= 0; });
    // What cannot be counted here is not taken, not failed.
    const bool uncountable = !counted && !countable;
    table.AddRow(figure, Series(v, show), "–",
                 Signed(first, showChange(first)) + " / " + Signed(second, showChange(second)),
                 "none",
                 uncountable                 ? "– (not countable in 32-bit Wine)"
                 : !counted                  ? "**no** (not counted)"
                 : first <= 0 && second <= 0 ? "yes"
                 : second <= 0               ? "no (first half only)"
                                             : "**no**");
}

bool MeasureGrowth(const Paths& paths, BenchTable& table) {
    Progress("growth: %d member-menu and %d main-menu pops, %d settings dialogs\n", kGrowthPops,
             kGrowthPops, kGrowthDialogs);
    benchstore::SeedEntryAndGroup(10, paths.iconFile);
    auto r = RunToEnd(paths, paths.probe,
                      L"growth " + Quoted(paths.result) + L" " + std::to_wstring(kGrowthPops) +
                          L" " + std::to_wstring(kGrowthDialogs));
    if (r["memory"].size() != 3 || r["gdi"].size() != 3 || r["user"].size() != 3) {
        return false;
    }
    const std::string what = std::to_string(static_cast<int>(r["menus"][0])) + " menu pops and " +
                             std::to_string(static_cast<int>(r["dialogs"][0])) +
                             " settings dialogs (" + Fixed(r["growth_ms"][0] / 1000.0, 1) +
                             " s); start → half → end, growth in each half";
    AddGrowthRow(table, "Private memory over " + what, r["memory"], Megabytes,
                 [](double bytes) { return Fixed(bytes / 1024.0, 0) + " KB"; });
    auto count = [](double n) { return std::to_string(static_cast<int>(n)); };
    // Wine's 32-bit processes keep no GDI handle table, the one thing GDI objects can be counted
    // by under Wine (GetGuiResources answers 0). The harness runs as the probe does: it asks
    // itself whether it can count them.
    const bool gdiCountable = guiobjects::Take().gdi >= 0;
    AddGrowthRow(table, "GDI objects over the same", r["gdi"], count, count, gdiCountable);
    AddGrowthRow(table, "USER objects (icons, menus) over the same", r["user"], count, count);
    return true;
}

void AddSize(BenchTable& table, const char* arch, long long bytes) {
    if (bytes < 0) {
        return;
    }
    table.AddRow(std::string("velmora.exe stripped, ") + arch,
                 Fixed(static_cast<double>(bytes) / 1024.0, 0) + " KB", "–", "–", "< 400 KB",
                 bytes < 400 * 1024 ? "yes" : "**no**");
}

Options ParseOptions(int argc, wchar_t** argv) {
    Options o;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::wstring name = argv[i];
        if (name == L"--runs") {
            o.runs = _wtoi(argv[i + 1]);
        } else if (name == L"--size-x64") {
            o.sizeX64 = _wtoi64(argv[i + 1]);
        } else if (name == L"--size-x86") {
            o.sizeX86 = _wtoi64(argv[i + 1]);
        } else if (name == L"--dpi") {
            o.dpi = static_cast<UINT>(_wtoi(argv[i + 1]));
        } else if (name == L"--only") {
            std::wstring only = argv[i + 1];
            o.only.assign(only.begin(), only.end());
        }
    }
    return o;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const Options options = ParseOptions(argc, argv);
    static const char* const kFigures[] = {"start", "menu", "save", "memory", "growth"};
    if (!options.only.empty() && std::none_of(std::begin(kFigures), std::end(kFigures),
                                              [&](const char* f) { return options.only == f; })) {
        Progress("bench: --only takes start, menu, save, memory or growth\n");
        return 2;
    }
    // A row at a scale must not be a measurement at another one.
    const HDC screen = ::GetDC(nullptr);
    const int screenDpi = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSX) : 0;
    ::ReleaseDC(nullptr, screen);
    if (screenDpi != static_cast<int>(options.dpi)) {
        Progress("bench: the screen has %d DPI, not the %u DPI asked for\n", screenDpi,
                 options.dpi);
        return 1;
    }
    const Paths paths = FindPaths();
    FakeTray tray;
    if (!tray.SelfTest()) {
        Progress(
            "bench: the tray of this desktop is not ours (is explorer's tray topmost?), or its "
            "records do not say the icon's size\n");
        return 1;
    }

    BenchTable table;
    Samples memoryProgram;
    Samples memoryFloor;
    bool ok = true;
    if (options.Wants("start") || options.Wants("memory")) {
        ok = MeasureStart(tray, paths, options, table, memoryProgram, memoryFloor) && ok;
    }
    if (ok && options.Wants("menu")) {
        Progress("member menu, 100 members%s\n", options.DpiSuffix().c_str());
        benchstore::SeedGroup(100, paths.iconFile);
        // The menus are laid out at the scale: the first row of each process's last menu is as
        // high as the figure scaled.
        const int rowHeight = options.MenuRowHeight();
        auto rowsScaled = [rowHeight](std::map<std::string, std::vector<double>>& results) {
            const std::vector<double>& rows = results["menu_row_px"];
            for (double row : rows) {
                if (row != rowHeight) {
                    return "a menu row " + Fixed(row, 0) + " px high, not " +
                           std::to_string(rowHeight);
                }
            }
            return rows.empty() ? std::string("no menu row height") : std::string();
        };
        ok = MeasureInProcess(
            paths, options, table, L"menu", kMenuPops, "menu_ms",
            "Member menu of 100" + options.DpiSuffix() + ": built, shown, dismissed", true, 1.2,
            rowsScaled);
    }
    if (ok && options.Wants("save")) {
        Progress("SaveAll, 1000 entries\n");
        benchstore::SeedEntries(1000, paths.iconFile);
        ok = MeasureInProcess(paths, options, table, L"save", kSaves, "save_ms",
                              "SaveAll of 1000 entries", false, 1.5);
    }
    if (ok && options.Wants("memory")) {
        const double difference = memoryProgram.Median() - memoryFloor.Median();
        table.AddRow("Private memory after start, 100 entries (n = " +
                         std::to_string(memoryProgram.Count()) + " / " +
                         std::to_string(memoryFloor.Count()) + ")",
                     Megabytes(memoryProgram.Median()), Megabytes(memoryFloor.Median()),
                     Signed(difference, Megabytes(difference)), "≤ +2 MB",
                     difference <= 2.0 * 1024 * 1024 ? "yes" : "**no**");
    }
    if (ok && options.Wants("growth")) {
        ok = MeasureGrowth(paths, table);
    }
    AddSize(table, "x64", options.sizeX64);
    AddSize(table, "x86", options.sizeX86);
    benchstore::Clear();
    ::DeleteFileW(paths.result.c_str());

    std::fputs(table.Markdown().c_str(), stdout);
    if (!ok) {
        Progress("bench: a measurement failed; the table is incomplete\n");
        return 1;
    }
    return 0;
}
