// The menu's manifest: no elevation prompt at start for the 64-bit build, no execution level at
// all for the 32-bit one (it keeps registry virtualisation), GDI scaling on a high-DPI screen.
#include <gtest/gtest.h>

#include "tests/TestSupport.h"

namespace vindrel {
namespace {

// The manifest text of an exe, or "" when it has none or cannot be read.
std::string ManifestOf(const std::string& exe) {
    HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module) return {};
    std::string text;
    if (HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24))) {  // RT_MANIFEST
        HGLOBAL data = LoadResource(module, found);
        text.assign(static_cast<const char*>(LockResource(data)), SizeofResource(module, found));
    }
    FreeLibrary(module);
    return text;
}

TEST(Manifest, The64BitMenuRunsAsInvokerWithGdiScaling) {
    std::string manifest = ManifestOf(test::BuiltProgram("../VINDREL.exe"));
    ASSERT_FALSE(manifest.empty());
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(manifest.find("<gdiScaling"), std::string::npos);
    EXPECT_NE(manifest.find(">false</dpiAware>"), std::string::npos);
    EXPECT_EQ(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
}

TEST(Manifest, The32BitMenuAsksForNoExecutionLevel) {
    const std::string exe = test::BuiltProgram("../../i686/VINDREL.exe");
    if (!test::PathExists(exe)) GTEST_SKIP() << "the 32-bit build is made by tools/build.sh";
    std::string manifest = ManifestOf(exe);
    ASSERT_FALSE(manifest.empty());
    EXPECT_EQ(manifest.find("requestedExecutionLevel"), std::string::npos);
    EXPECT_NE(manifest.find("processorArchitecture=\"x86\""), std::string::npos);
    EXPECT_NE(manifest.find("<gdiScaling"), std::string::npos);
}

TEST(Manifest, TheMenuCarriesItsIcon) {
    HMODULE module = LoadLibraryExA(test::BuiltProgram("../VINDREL.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    EXPECT_NE(FindResourceA(module, "MAINICON", MAKEINTRESOURCEA(14)), nullptr);  // RT_GROUP_ICON
    FreeLibrary(module);
}

}  // namespace
}  // namespace vindrel
