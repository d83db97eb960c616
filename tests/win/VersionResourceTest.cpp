// What the built velmora.exe says of itself, read from the file beside this test: its version
// resource, the version in the settings dialog's credit and the manifest's agree with each other
// and with the project's, and the manifest declares long paths.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "framework/Utf.h"
#include "res/resource.h"
#include "res/version.h"
#include "tests/support/Printers.h"
#include "tests/support/ProgramFiles.h"
#include "tests/support/ProgramResources.h"

namespace {

// The version this program is: major 1, minor 6, the minor written with two digits.
constexpr wchar_t kVersion[] = L"1.06";
constexpr WORD kMajor = 1;
constexpr WORD kMinor = 6;

std::wstring VelmoraExe() { return ThisProgramDirectory() + L"velmora.exe"; }

class VersionResourceTest : public testing::Test {
protected:
    void SetUp() override {
        DWORD ignored = 0;
        const DWORD size = ::GetFileVersionInfoSizeW(VelmoraExe().c_str(), &ignored);
        ASSERT_NE(size, 0u) << "velmora.exe has no version resource";
        m_block.resize(size);
        ASSERT_TRUE(::GetFileVersionInfoW(VelmoraExe().c_str(), 0, size, m_block.data()));
    }

    // The fixed part: the numeric versions.
    const VS_FIXEDFILEINFO* Fixed() {
        void* value = nullptr;
        UINT length = 0;
        if (!::VerQueryValueW(m_block.data(), L"\\", &value, &length) ||
            length < sizeof(VS_FIXEDFILEINFO)) {
            return nullptr;
        }
        return static_cast<const VS_FIXEDFILEINFO*>(value);
    }
    // A string of the block the translation table names first (language and code page, as
    // Explorer looks it up); nothing when there is none.
    std::optional<std::wstring> String(const wchar_t* name) {
        struct Translation {
            WORD language;
            WORD codePage;
        };
        void* value = nullptr;
        UINT length = 0;
        if (!::VerQueryValueW(m_block.data(), L"\\VarFileInfo\\Translation", &value, &length) ||
            length < sizeof(Translation)) {
            return std::nullopt;
        }
        const auto* translation = static_cast<const Translation*>(value);
        wchar_t block[9] = {};
        swprintf(block, 9, L"%04X%04X", translation->language, translation->codePage);
        const std::wstring path = std::wstring(L"\\StringFileInfo\\") + block + L"\\" + name;
        if (!::VerQueryValueW(m_block.data(), path.c_str(), &value, &length) || length == 0) {
            return std::nullopt;
        }
        // The length counts the terminator.
        return std::wstring(static_cast<const wchar_t*>(value), length - 1);
    }

    std::vector<BYTE> m_block;
};

TEST_F(VersionResourceTest, EveryStringSaysWhatTheProgramIs) {
    struct Case {
        const wchar_t* name;
        const wchar_t* value;
    };
    const Case cases[] = {
        {L"CompanyName", L"Brennick"},
        {L"FileDescription", L"Velmora tray launcher"},
        {L"FileVersion", kVersion},
        {L"InternalName", L"velmora"},
        {L"LegalCopyright", L"Copyright (C) Brennick"},
        {L"OriginalFilename", L"velmora.exe"},
        {L"ProductName", L"Velmora"},
        {L"ProductVersion", kVersion},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.name));
        EXPECT_EQ(String(c.name).value_or(L"(none)"), c.value);
    }
}

// The numbers are the text's major and minor; the settings dialog's credit, the manifest and the
// project (project() in CMakeLists.txt, through res/version.h) give the same version.
TEST_F(VersionResourceTest, TheNumbersTheTextTheCreditAndTheManifestAgree) {
    const VS_FIXEDFILEINFO* fixed = Fixed();
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(kMinor, kMajor));
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(kMinor, kMajor));
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(Widen(VELMORA_VERSION_TEXT), kVersion);

    // The credit in the settings dialog's template: "Velmora   Version " and the version.
    const auto dialog = FileResource(VelmoraExe(), RT_DIALOG, MAKEINTRESOURCEW(IDD_ENTRY_SETTINGS));
    ASSERT_TRUE(dialog);
    // The template's strings are UTF-16, each on a WORD boundary of the resource.
    const std::wstring words(reinterpret_cast<const wchar_t*>(dialog->data()),
                             dialog->size() / sizeof(wchar_t));
    const std::wstring lead = L"Velmora   Version ";
    const size_t at = words.find(lead);
    ASSERT_NE(at, std::wstring::npos) << "no credit with the version in the settings dialog";
    EXPECT_EQ(words.substr(at + lead.size(), words.find(L'\0', at) - at - lead.size()), kVersion);

    const std::string manifest = ProgramManifest(VelmoraExe());
    const std::string identity = "name=\"Brennick.Velmora\" version=\"" +
                                 std::to_string(kMajor) + "." + std::to_string(kMinor) +
                                 ".0.0\"";
    EXPECT_NE(manifest.find(identity), std::string::npos) << manifest;
}

// Inside windowsSettings, in the namespace of Windows 10 1607, exactly once.
TEST(VelmoraManifestTest, DeclaresLongPaths) {
    const std::string manifest = ProgramManifest(VelmoraExe());
    const size_t begin = manifest.find("<windowsSettings>");
    const size_t end = manifest.find("</windowsSettings>");
    ASSERT_NE(begin, std::string::npos);
    ASSERT_NE(end, std::string::npos);
    const std::string element =
        "<longPathAware xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">true"
        "</longPathAware>";
    const size_t at = manifest.find(element);
    ASSERT_NE(at, std::string::npos) << manifest;
    EXPECT_GT(at, begin);
    EXPECT_LT(at, end);
    EXPECT_EQ(manifest.find("<longPathAware", at + 1), std::string::npos);
}

}  // namespace
