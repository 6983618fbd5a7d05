// What only the Windows library has: its version resource, read back as Windows reads it.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

std::string versionString(const std::vector<char>& info, const char* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\040904b0\\") + name;
    if (!VerQueryValueA(info.data(), path.c_str(), &value, &length) || value == nullptr) {
        return "<missing>";
    }
    return std::string(static_cast<const char*>(value));
}

// The plug-in's version resource as Windows reads it; empty when it has none.
std::vector<char> versionInfo() {
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(SUNDOWN_PLUGIN_PATH, &handle);
    std::vector<char> info(size);
    if (size == 0 || !GetFileVersionInfoA(SUNDOWN_PLUGIN_PATH, 0, size, info.data())) {
        info.clear();
    }
    return info;
}

}  // namespace

TEST(WindowsLibrary, CarriesItsVersionResource) {
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(SUNDOWN_PLUGIN_PATH, &handle);
    ASSERT_GT(size, 0U);
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(SUNDOWN_PLUGIN_PATH, 0, size, info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, (1U << 16) | 0U);
    EXPECT_EQ(fixed->dwFileVersionLS, (0U << 16) | 129U);
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);

    EXPECT_EQ(versionString(info, "FileVersion"), "1.0.0.129");
    EXPECT_EQ(versionString(info, "ProductVersion"), "1.0.0.129");
    EXPECT_EQ(versionString(info, "InternalName"), "Sundown.dll");
    EXPECT_EQ(versionString(info, "OriginalFilename"), "Sundown.dll");
    EXPECT_EQ(versionString(info, "CompanyName"), "");
    EXPECT_EQ(versionString(info, "FileDescription"), "");
    EXPECT_EQ(versionString(info, "ProductName"), "");
}

TEST(WindowsLibrary, NamesTheDearImGuiItWasBuiltAgainst) {
    const std::vector<char> info = versionInfo();
    ASSERT_FALSE(info.empty());
    // The page draws into the host's context: the version the build was asked for, and no other.
    EXPECT_EQ(versionString(info, "DearImGuiVersion"), SUNDOWN_EXPECTED_IMGUI_VERSION);
}
