// Binding to the box maker's device library "KX_DEV_LUTLOADER.dll".
#pragma once

#include "device/device_api_shapes.h"
#include "platform/platform.h"

#define KX_DEV_ENTRY(name, shape) typedef int32_t(*name##_Proc) KX_PARAMS_##shape;
#include "device/device_api_list.h"
#undef KX_DEV_ENTRY

// One resolved address per entry point, in the order of device_api_list.h.
struct DeviceApiTable {
#define KX_DEV_ENTRY(name, shape) name##_Proc name;
#include "device/device_api_list.h"
#undef KX_DEV_ENTRY
};

constexpr const char *kDeviceLibraryName = "KX_DEV_LUTLOADER.dll";

// The bound entry points, every device call's way into the library. Only
// BindDeviceApi and InstallDeviceApi change them.
extern const DeviceApiTable &DeviceApi;

// Loads the library by its bare file name; returns 0, or -1 when it cannot
// be loaded (no library is then held).
int LoadDeviceLibrary();

// The same for the library at path: how the tests load the simulated box's
// variants from the build directory.
int LoadDeviceLibraryAt(const char *path);

// The loaded library's handle; empty when none is loaded.
PlatformLibrary DeviceLibrary();

// Looks up every name of device_api_list.h in the loaded library, every one
// even after a miss; returns 0 when all were found, -1 otherwise. Prints
// nothing.
int BindDeviceApi();

// Makes table the bound entry points, as a binding would: for what stands in
// for the library in the tests and fuzz targets (fakes, or a saved table put
// back).
void InstallDeviceApi(const DeviceApiTable &table);

// Releases the loaded library; the result is ignored.
void ReleaseDeviceLibrary();
