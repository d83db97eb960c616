// A DLL planted beside velmora.exe under the name of a system DLL never runs. The program is
// copied into a fresh folder with the plant (PlantedDll.h: it writes a marker when loaded), started
// from there and used; the marker is never written and the DLL of that name comes from the system
// folder. Each test first shows with a probe program beside the same plant that a program which
// does not restrict the search does load the plant, so that the test is never won by a plant that
// could not have been loaded anyway.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "framework/Utf.h"
#include "res/resource.h"
#include "tests/e2e/VelmoraProcess.h"
#include "tests/support/Files.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Printers.h"
#include "tests/support/ProgramFiles.h"
#include "tests/support/TestStore.h"
#include "tests/support/helpers/PlantedDll.h"

namespace {

constexpr wchar_t kProbe[] = L"dllsearchprobe.exe";

// Under Wine, the themes load msimg32.dll by its name alone when they first draw a button's face,
// long after the program has started (WINEDEBUG=+loaddll shows it in velmora.exe when its first
// dialog is painted), through the delayed imports of Wine's uxtheme. On Windows too msimg32 is no
// known DLL, so a search by name would take a copy beside the program. (uxtheme.dll itself cannot
// be kept out so: under Wine the common controls load it while the loader starts the program,
// before any code of the program runs.)
constexpr wchar_t kLateDll[] = L"msimg32.dll";
// A system DLL that nothing in the probe loads unless it is asked to: for the probe's own load by
// name, after the program's restriction of the search.
constexpr wchar_t kByNameDll[] = L"dwmapi.dll";

std::wstring Lower(std::wstring text) {
    ::CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

std::wstring FolderOf(const std::wstring& path) {
    return path.substr(0, path.find_last_of(L"\\/"));
}

// The full paths of the modules loaded in a process (of this program's architecture).
std::vector<std::wstring> ModulePaths(HANDLE process) {
    std::vector<HMODULE> modules(64);
    for (;;) {
        DWORD needed = 0;
        const auto bytes = static_cast<DWORD>(modules.size() * sizeof(HMODULE));
        if (!::EnumProcessModules(process, modules.data(), bytes, &needed)) {
            return {};
        }
        if (needed <= bytes) {
            modules.resize(needed / sizeof(HMODULE));
            break;
        }
        modules.resize(needed / sizeof(HMODULE) + 16);  // more were loaded meanwhile
    }
    std::vector<std::wstring> paths;
    for (HMODULE module : modules) {
        std::wstring path(256, L'\0');
        for (;;) {
            const DWORD n = ::GetModuleFileNameExW(process, module, path.data(),
                                                   static_cast<DWORD>(path.size()));
            if (n < path.size()) {
                path.resize(n);
                break;
            }
            path.resize(path.size() * 2);  // cut short: try a larger buffer
        }
        paths.push_back(path);
    }
    return paths;
}

// Where a process has the module of this file name from; empty while it has none.
std::wstring LoadedFrom(HANDLE process, const std::wstring& fileName) {
    const std::wstring wanted = L"\\" + Lower(fileName);
    for (const std::wstring& path : ModulePaths(process)) {
        const std::wstring lower = Lower(path);
        if (lower.size() > wanted.size() &&
            lower.compare(lower.size() - wanted.size(), wanted.size(), wanted) == 0) {
            return path;
        }
    }
    return {};
}

std::optional<std::wstring> Variable(const wchar_t* name) {
    const DWORD size = ::GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) {
        return std::nullopt;
    }
    std::wstring value(size, L'\0');
    const DWORD n = ::GetEnvironmentVariableW(name, value.data(), size);
    value.resize(n < size ? n : 0);
    return value;
}

// An environment variable set for the processes started meanwhile, put back as it was at the end.
class ScopedVariable {
public:
    ScopedVariable(const wchar_t* name, const std::wstring& value)
        : m_name(name), m_old(Variable(name)) {
        ::SetEnvironmentVariableW(name, value.c_str());
    }
    ~ScopedVariable() { ::SetEnvironmentVariableW(m_name, m_old ? m_old->c_str() : nullptr); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const wchar_t* m_name;
    std::optional<std::wstring> m_old;
};

bool RunningOnWine() {
    return ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

// Wine prefers its builtin DLL to a native one the search finds beside the program: it maps the
// file found there but runs its own code instead. Told "native, builtin" for the plant's name,
// Wine takes a native copy wherever the search finds one, as Windows does, so that only the search
// itself stands between the plant and the program. The setting goes where Wine reads it for each
// program by its file name (HKCU\Software\Wine\AppDefaults\PROGRAM\DllOverrides): Wine takes
// WINEDLLOVERRIDES from the Unix environment only, never from the one a Windows process hands its
// child. The prefix is shared by all tests, so the fixture takes it out at SetUp too, in case a
// crashed run left it behind. Nothing is done on Windows, where the key would mean nothing.
class NativePlantTaken {
public:
    static constexpr const wchar_t* kPrograms[] = {L"velmora.exe", kProbe};
    static constexpr const wchar_t* kNames[] = {kLateDll, kByNameDll};

    NativePlantTaken() {
        Remove();
        if (!RunningOnWine()) {
            return;
        }
        const std::wstring order = L"native,builtin";
        for (const wchar_t* program : kPrograms) {
            HKEY key = nullptr;
            if (::RegCreateKeyExW(HKEY_CURRENT_USER, OverridesKey(program).c_str(), 0, nullptr, 0,
                                  KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
                continue;
            }
            for (const wchar_t* name : kNames) {
                ::RegSetValueExW(key, BaseName(name).c_str(), 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(order.c_str()),
                                 static_cast<DWORD>((order.size() + 1) * sizeof(wchar_t)));
            }
            ::RegCloseKey(key);
        }
    }
    ~NativePlantTaken() { Remove(); }
    NativePlantTaken(const NativePlantTaken&) = delete;
    NativePlantTaken& operator=(const NativePlantTaken&) = delete;

    // Only the values of ours go; each key only when nothing else is left in it.
    static void Remove() {
        for (const wchar_t* program : kPrograms) {
            for (const wchar_t* name : kNames) {
                ::RegDeleteKeyValueW(HKEY_CURRENT_USER, OverridesKey(program).c_str(),
                                     BaseName(name).c_str());
            }
            ::RegDeleteKeyW(HKEY_CURRENT_USER, OverridesKey(program).c_str());
            ::RegDeleteKeyW(HKEY_CURRENT_USER, AppKey(program).c_str());
        }
    }

private:
    static std::wstring AppKey(const wchar_t* program) {
        return std::wstring(L"Software\\Wine\\AppDefaults\\") + program;
    }
    static std::wstring OverridesKey(const wchar_t* program) {
        return AppKey(program) + L"\\DllOverrides";
    }
    static std::wstring BaseName(const wchar_t* fileName) {
        const std::wstring name(fileName);
        return name.substr(0, name.rfind(L'.'));
    }
};

class PlantedDllTest : public testing::Test {
protected:
    void SetUp() override {
        store::Clear();
        // A folder of its own each run: nothing of an earlier run lies in it.
        m_folder = MakeTempDirectory(L"velmora-plant-" + std::to_wstring(::GetCurrentProcessId()) +
                                     L"-" + std::to_wstring(::GetTickCount()));
        ASSERT_FALSE(m_folder.empty());
        m_marker = m_folder + L"plant-ran.txt";
        const std::wstring bin = ThisProgramDirectory();
        for (const wchar_t* name : NativePlantTaken::kNames) {
            ASSERT_TRUE(Copy(bin + L"planted.dll", name));
        }
        ASSERT_TRUE(Copy(VelmoraProcess::ExePath(), L"velmora.exe"));
        ASSERT_TRUE(Copy(bin + L"velmora_dllsearchprobe.exe", kProbe));
        m_native.emplace();
        m_markerVariable.emplace(kPlantMarkerVariable, m_marker);
    }
    void TearDown() override {
        m_markerVariable.reset();
        m_native.reset();
        store::Clear();
        for (const std::wstring& file : m_copied) {
            ::DeleteFileW(file.c_str());
        }
        ::DeleteFileW(m_marker.c_str());
        if (!m_folder.empty()) {
            ::RemoveDirectoryW(m_folder.c_str());
        }
    }

    bool Copy(const std::wstring& from, const wchar_t* name) {
        const std::wstring to = m_folder + name;
        m_copied.push_back(to);
        return ::CopyFileW(from.c_str(), to.c_str(), TRUE) != FALSE;
    }
    // The program the plant ran in, as its marker says; nothing while it never ran. Read once,
    // the marker is gone, for the next program to write it again.
    std::optional<std::wstring> TakePlantRanIn() {
        auto text = ReadWholeFile(m_marker);
        if (!text) {
            return std::nullopt;
        }
        ::DeleteFileW(m_marker.c_str());
        return Widen(*text);
    }
    // The probe beside the plant, run to its end; its exit code.
    DWORD RunProbe(const std::wstring& arguments) {
        ChildProcess probe;
        if (!probe.Start(m_folder + kProbe, arguments)) {
            return STILL_ACTIVE;
        }
        return probe.WaitForExit(10000);
    }

    static HWND OpenMainMenu(VelmoraProcess& velmora, HWND main) {
        ui::PumpUntil([&] { return velmora.WaitForWindow(L"#32768", nullptr, 0) == nullptr; });
        ::PostMessageW(main, WM_TRAYNOTIFY, 1, WM_RBUTTONUP);
        return velmora.WaitForWindow(L"#32768", nullptr);
    }

    std::wstring m_folder;
    std::wstring m_marker;
    std::vector<std::wstring> m_copied;
    std::optional<NativePlantTaken> m_native;
    std::optional<ScopedVariable> m_markerVariable;
};

TEST_F(PlantedDllTest, APlantLoadedWhenADialogIsDrawnNeverRunsInVelmora) {
    // The premise: a program beside the plant that does not restrict the search and draws a
    // themed button as velmora.exe's dialogs do loads the plant, and its code runs.
    ASSERT_EQ(RunProbe(L"button"), 0u);
    auto ranIn = TakePlantRanIn();
    ASSERT_TRUE(ranIn) << "the plant was not loaded even without the restriction: this test "
                          "would show nothing";
    EXPECT_EQ(*ranIn, m_folder + kProbe);

    // velmora.exe beside the same plant: started, its main menu and a settings dialog opened
    // (themed buttons), then quit as a user would.
    VelmoraProcess velmora;
    ASSERT_TRUE(velmora.Start(m_folder + L"velmora.exe"));
    HWND main = velmora.WaitForMainWindow();
    ASSERT_NE(main, nullptr);

    // "ｱｲｺﾝの追加(&A)", the first item: the settings of a new entry.
    HWND menu = OpenMainMenu(velmora, main);
    ASSERT_NE(menu, nullptr);
    ::PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
    HWND settings = velmora.WaitForWindow(L"#32770", L"新規登録");
    ASSERT_NE(settings, nullptr);
    // Once the dialog's buttons are painted velmora.exe holds the DLL of the plant's name: the
    // system's, from the folder its kernel32 comes from.
    std::wstring late;
    EXPECT_TRUE(ui::PumpUntil(
        [&] {
            ::RedrawWindow(settings, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
            late = LoadedFrom(velmora.Handle(), kLateDll);
            return !late.empty();
        },
        10000))
        << "velmora.exe never loaded " << Narrow(kLateDll) << ": this test would show nothing";
    EXPECT_EQ(Lower(FolderOf(late)), Lower(FolderOf(LoadedFrom(velmora.Handle(), L"kernel32.dll"))));
    ::PostMessageW(::GetDlgItem(settings, IDCANCEL), BM_CLICK, 0, 0);
    ASSERT_TRUE(ui::PumpUntil([&] { return !::IsWindow(settings); }));

    // The last item quits; the question answered OK.
    menu = OpenMainMenu(velmora, main);
    ASSERT_NE(menu, nullptr);
    ::PostMessageW(menu, WM_KEYDOWN, VK_UP, 0);
    ::PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
    HWND question = velmora.WaitForWindow(L"#32770", L"Velmora");
    ASSERT_NE(question, nullptr);
    ::PostMessageW(::GetDlgItem(question, IDOK), BM_CLICK, 0, 0);
    EXPECT_EQ(velmora.WaitForExit(10000), 0u);

    ranIn = TakePlantRanIn();
    EXPECT_FALSE(ranIn) << "the plant ran in " << Narrow(ranIn.value_or(L""));
}

// The program's own loads by name, after its restriction at start (system_dll::RestrictSearch,
// which the probe calls as velmora.exe's entry point does): from the system folder, while the
// same load without the restriction takes the plant.
TEST_F(PlantedDllTest, ALoadByNameAfterTheRestrictionTakesTheSystemsDll) {
    const std::wstring load = std::wstring(L"load ") + kByNameDll;

    // Exit code 1: loaded from elsewhere than the system folder.
    EXPECT_EQ(RunProbe(load), 1u);
    auto ranIn = TakePlantRanIn();
    ASSERT_TRUE(ranIn) << "the plant was not loaded even without the restriction: this test "
                          "would show nothing";
    EXPECT_EQ(*ranIn, m_folder + kProbe);

    // Exit code 0: loaded from the system folder.
    EXPECT_EQ(RunProbe(L"--restrict " + load), 0u);
    ranIn = TakePlantRanIn();
    EXPECT_FALSE(ranIn) << "the plant ran in " << Narrow(ranIn.value_or(L""));
}

}  // namespace
