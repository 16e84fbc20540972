#include "E2EDesktop.h"

#include <gtest/gtest.h>

#include <shlwapi.h>

#include <cstring>
#include <regex>

namespace {
// The executable mapped as an image for reading: its resources and headers,
// none of its code run.
class DXiManagerImageTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_NE(m_module, nullptr) << PathBesideTests(DXI_E2E_APP_PATH); }
    void TearDown() override { FreeLibrary(m_module); }

    std::string Resource(HRSRC found)
    {
        const auto* data = found ? static_cast<const char*>(LockResource(LoadResource(m_module, found))) : nullptr;
        return data ? std::string(data, SizeofResource(m_module, found)) : std::string();
    }

    const HMODULE m_module
        = LoadLibraryExA(PathBesideTests(DXI_E2E_APP_PATH).c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
};
} // namespace

TEST_F(DXiManagerImageTest, OnlyWindowsOwnLibrariesAreImported)
{
    // The handle of an image mapped for reading has its low bits set.
    const auto* base = reinterpret_cast<const char*>(reinterpret_cast<ULONG_PTR>(m_module) & ~ULONG_PTR { 3 });
    const auto* headers
        = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    ASSERT_EQ(headers->Signature, IMAGE_NT_SIGNATURE);
    const DWORD imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    ASSERT_NE(imports, 0u);
    for (const auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports); entry->Name; ++entry) {
        EXPECT_NE(StrStrIA(" KERNEL32.DLL USER32.DLL GDI32.DLL ADVAPI32.DLL SHLWAPI.DLL COMCTL32.DLL MSIMG32.DLL "
                           "MSVCRT.DLL ",
                      (" " + std::string(base + entry->Name) + " ").c_str()),
            nullptr)
            << base + entry->Name << " is not part of Windows: the program would not start on a bare machine";
    }
}

TEST_F(DXiManagerImageTest, IconGroupHoldsTwelveFrenchImages)
{
    const std::string group = Resource(
        FindResourceExA(m_module, RT_GROUP_ICON, MAKEINTRESOURCEA(101), MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH)));
    // GRPICONDIR: reserved, type (1 for icons), count, then 14-byte entries.
    WORD header[3] {};
    std::memcpy(header, group.data(), std::min(group.size(), sizeof(header)));
    EXPECT_EQ(std::make_tuple(header[1], header[2], group.size()), std::make_tuple(1, 12, 6u + 14u * 12u));
}

TEST_F(DXiManagerImageTest, ManifestAsksForHighestRightsVisualStylesAndGdiScaling)
{
    const std::string manifest = Resource(FindResourceA(m_module, MAKEINTRESOURCEA(1), RT_MANIFEST));
    for (const char* pattern : { "level=\"highestAvailable\"",
             "<assemblyIdentity(?=[^>]*name=\"Microsoft\\.Windows\\.Common-Controls\")(?=[^>]*version=\"6\\.0\\.0\\."
             "0\")",
             "<gdiScaling[^>]*>true</gdiScaling>" }) {
        EXPECT_TRUE(std::regex_search(manifest, std::regex(pattern))) << pattern << " not in " << manifest;
    }
}
