#include "CDXiManagerProcess.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>

namespace {
std::vector<char> ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>() };
}

template <typename T> std::optional<T> ReadAt(const std::vector<char>& image, size_t offset)
{
    if (offset > image.size() || image.size() - offset < sizeof(T)) {
        return std::nullopt;
    }
    T value;
    std::memcpy(&value, image.data() + offset, sizeof(T));
    return value;
}

// The names of the DLLs in the import directory of a PE file (32 or 64
// bits), upper-cased; nothing when the file is no PE image.
std::optional<std::set<std::string>> ImportedLibraries(const std::vector<char>& image)
{
    const auto dos = ReadAt<IMAGE_DOS_HEADER>(image, 0);
    if (!dos || dos->e_magic != IMAGE_DOS_SIGNATURE) {
        return std::nullopt;
    }
    const size_t ntOffset = static_cast<size_t>(dos->e_lfanew);
    const auto file = ReadAt<IMAGE_FILE_HEADER>(image, ntOffset + sizeof(DWORD));
    const size_t optionalOffset = ntOffset + sizeof(DWORD) + sizeof(IMAGE_FILE_HEADER);
    const auto magic = ReadAt<WORD>(image, optionalOffset);
    if (!file || !magic) {
        return std::nullopt;
    }
    IMAGE_DATA_DIRECTORY imports {};
    if (*magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC) {
        const auto header = ReadAt<IMAGE_OPTIONAL_HEADER64>(image, optionalOffset);
        if (!header) {
            return std::nullopt;
        }
        imports = header->DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    } else if (*magic == IMAGE_NT_OPTIONAL_HDR32_MAGIC) {
        const auto header = ReadAt<IMAGE_OPTIONAL_HEADER32>(image, optionalOffset);
        if (!header) {
            return std::nullopt;
        }
        imports = header->DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    } else {
        return std::nullopt;
    }

    const size_t sectionsOffset = optionalOffset + file->SizeOfOptionalHeader;
    const auto toOffset = [&](DWORD rva) -> std::optional<size_t> {
        for (WORD i = 0; i < file->NumberOfSections; ++i) {
            const auto section = ReadAt<IMAGE_SECTION_HEADER>(image, sectionsOffset + i * sizeof(IMAGE_SECTION_HEADER));
            if (!section) {
                return std::nullopt;
            }
            const DWORD size = std::max(section->Misc.VirtualSize, section->SizeOfRawData);
            if (rva >= section->VirtualAddress && rva - section->VirtualAddress < size) {
                return size_t { section->PointerToRawData } + (rva - section->VirtualAddress);
            }
        }
        return std::nullopt;
    };

    std::set<std::string> names;
    const auto first = toOffset(imports.VirtualAddress);
    if (!first) {
        return names;
    }
    for (size_t offset = *first;; offset += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        const auto descriptor = ReadAt<IMAGE_IMPORT_DESCRIPTOR>(image, offset);
        if (!descriptor) {
            return std::nullopt;
        }
        if (descriptor->Name == 0) {
            return names;
        }
        const auto nameOffset = toOffset(descriptor->Name);
        if (!nameOffset || *nameOffset >= image.size()) {
            return std::nullopt;
        }
        std::string name(image.data() + *nameOffset, strnlen(image.data() + *nameOffset, image.size() - *nameOffset));
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::toupper(c); });
        names.insert(name);
    }
}

// The executable loaded as data only: its resources, none of its code.
class DXiManagerImageTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_module = LoadLibraryExA(GetApplicationPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(m_module, nullptr) << GetApplicationPath();
    }
    void TearDown() override { FreeLibrary(m_module); }

    // The bytes of a resource found with FindResource(Ex)A, empty when there
    // is none.
    std::string Resource(HRSRC found)
    {
        if (!found) {
            return {};
        }
        const HGLOBAL loaded = LoadResource(m_module, found);
        const auto* data = static_cast<const char*>(LockResource(loaded));
        return data ? std::string(data, SizeofResource(m_module, found)) : std::string();
    }

    HMODULE m_module = nullptr;
};
} // namespace

TEST(DXiManagerImportsTest, OnlyWindowsOwnLibrariesAreImported)
{
    const std::optional<std::set<std::string>> imported = ImportedLibraries(ReadFile(GetApplicationPath()));
    ASSERT_TRUE(imported.has_value()) << "not a PE image: " << GetApplicationPath();
    ASSERT_FALSE(imported->empty());
    const std::set<std::string> allowed { "KERNEL32.DLL", "USER32.DLL", "GDI32.DLL", "ADVAPI32.DLL", "SHLWAPI.DLL",
        "COMCTL32.DLL", "MSIMG32.DLL", "MSVCRT.DLL" };
    for (const std::string& name : *imported) {
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
