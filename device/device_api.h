// Binding to the box maker's device library "KX_DEV_LUTLOADER.dll".
#pragma once

#include "device/device_api_shapes.h"
#include "platform/platform.h"

#define KX_DEV_ENTRY(name, shape) typedef int32_t (*name##_Proc) KX_PARAMS_##shape;
#include "device/device_api_list.h"
#undef KX_DEV_ENTRY

// One resolved address per entry point, in the order of device_api_list.h.
struct DeviceApiTable {
#define KX_DEV_ENTRY(name, shape) name##_Proc name;
#include "device/device_api_list.h"
#undef KX_DEV_ENTRY
};

constexpr const char *kDeviceLibraryName = "KX_DEV_LUTLOADER.dll";

extern DeviceApiTable DeviceApi;
extern PlatformLibrary DeviceLibraryHandle;

// Loads the library by its bare file name; returns 0, or -1 when it cannot
// be loaded (DeviceLibraryHandle stays empty).
int LoadDeviceLibrary();

// Looks up every name of device_api_list.h in DeviceLibraryHandle, every one
// even after a miss; returns 0 when all were found, -1 otherwise. Prints
// nothing.
int BindDeviceApi();

// Releases DeviceLibraryHandle; the result is ignored.
void ReleaseDeviceLibrary();
