#include "CDXiManagerProcess.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <set>

namespace {
// The executable mapped as an image for reading: its resources and headers,
// none of its code run.
class DXiManagerImageTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_module = LoadLibraryExA(GetApplicationPath().c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(m_module, nullptr) << GetApplicationPath();
    }
    void TearDown() override { FreeLibrary(m_module); }

    // The bytes of a resource, empty when there is none.
    std::string Resource(HRSRC found)
    {
        const auto* data = found ? static_cast<const char*>(LockResource(LoadResource(m_module, found))) : nullptr;
        return data ? std::string(data, SizeofResource(m_module, found)) : std::string();
    }

    HMODULE m_module = nullptr;
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
    std::set<std::string> names;
    for (const auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports); entry->Name; ++entry) {
        std::string name = base + entry->Name;
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::toupper(c); });
        names.insert(name);
    }
    const std::set<std::string> allowed { "KERNEL32.DLL", "USER32.DLL", "GDI32.DLL", "ADVAPI32.DLL", "SHLWAPI.DLL",
        "COMCTL32.DLL", "MSIMG32.DLL", "MSVCRT.DLL" };
    ASSERT_FALSE(names.empty());
    for (const std::string& name : names) {
        EXPECT_TRUE(allowed.count(name)) << name << " is not part of Windows: the program would not start on a bare "
                                         << "machine";
    }
}

TEST_F(DXiManagerImageTest, IconGroupHoldsTwelveFrenchImages)
{
    const std::string group = Resource(
        FindResourceExA(m_module, RT_GROUP_ICON, MAKEINTRESOURCEA(101), MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH)));
    // GRPICONDIR: reserved, type (1 for icons), count, then 14-byte entries.
    ASSERT_GE(group.size(), 6u);
    WORD header[3];
    std::memcpy(header, group.data(), sizeof(header));
    EXPECT_EQ(header[1], 1);
    EXPECT_EQ(header[2], 12);
    EXPECT_EQ(group.size(), 6u + 14u * header[2]);
}

TEST_F(DXiManagerImageTest, ManifestAsksForHighestRightsVisualStylesAndGdiScaling)
{
    const std::string manifest = Resource(FindResourceA(m_module, MAKEINTRESOURCEA(1), RT_MANIFEST));
    ASSERT_FALSE(manifest.empty());
    EXPECT_NE(manifest.find("level=\"highestAvailable\""), std::string::npos) << manifest;

    const size_t controls = manifest.find("name=\"Microsoft.Windows.Common-Controls\"");
    ASSERT_NE(controls, std::string::npos) << manifest;
    const size_t identityStart = manifest.rfind("<assemblyIdentity", controls);
    const size_t identityEnd = manifest.find("/>", controls);
    ASSERT_NE(identityStart, std::string::npos);
    ASSERT_NE(identityEnd, std::string::npos);
    const std::string identity = manifest.substr(identityStart, identityEnd - identityStart);
    EXPECT_NE(identity.find("version=\"6.0.0.0\""), std::string::npos) << identity;

    const size_t scaling = manifest.find("<gdiScaling");
    ASSERT_NE(scaling, std::string::npos) << manifest;
    const size_t valueStart = manifest.find('>', scaling);
    const size_t valueEnd = manifest.find("</gdiScaling>", scaling);
    ASSERT_NE(valueEnd, std::string::npos);
    EXPECT_EQ(manifest.substr(valueStart + 1, valueEnd - valueStart - 1), "true");
}
