// Binding the device library: all 42 names, exactly, or nothing runs.
#include <gtest/gtest.h>

#include <string>

#include "device/device_api.h"

namespace {

std::string LibraryIn(const std::string &dir) { return std::string(LUTBOX_BUILD_DIR) + dir + "/KX_DEV_LUTLOADER.dll"; }

// Loads the library at path and binds it, leaving the handle loaded for the
// caller to release.
int BindFrom(const std::string &path) {
    if (LoadDeviceLibraryAt(path.c_str()) < 0) return -2;
    return BindDeviceApi();
}

TEST(Binding, SimulatedBoxBindsEveryEntryPoint) {
    ASSERT_EQ(BindFrom(LibraryIn("")), 0);
    // Each table entry holds the address of its own name.
#define KX_DEV_ENTRY(name, shape) \
    EXPECT_EQ(reinterpret_cast<PlatformProc>(DeviceApi.name), PlatformFindSymbol(DeviceLibrary(), #name));
#include "device/device_api_list.h"
#undef KX_DEV_ENTRY
    ReleaseDeviceLibrary();
}

TEST(Binding, RefusesLibraryLackingOneEntryPoint) {
    // Every variant the build makes: comma-separated names.
    std::string names = LUTBOX_BOXSIM_VARIANTS;
    for (size_t start = 0; start <= names.size();) {
        size_t end = names.find(',', start);
        if (end == std::string::npos) end = names.size();
        std::string variant = "/variants/" + names.substr(start, end - start);
        EXPECT_EQ(BindFrom(LibraryIn(variant)), -1) << variant;
        ReleaseDeviceLibrary();
        start = end + 1;
    }
}

TEST(Binding, EveryLookupIsMadeAfterAMiss) {
    // The first name is missing; a later entry is still looked up and stored.
    ASSERT_EQ(BindFrom(LibraryIn("/variants/missing-first")), -1);
    EXPECT_EQ(DeviceApi.KX_DEV_Init, nullptr);
    EXPECT_NE(DeviceApi.KX_DEV_GetFPGAPara, nullptr);
    ReleaseDeviceLibrary();
}

}  // namespace
