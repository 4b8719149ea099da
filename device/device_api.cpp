#include "device/device_api.h"

#include <cstddef>

DeviceApiTable DeviceApi;
PlatformLibrary DeviceLibraryHandle = nullptr;

int LoadDeviceLibrary() {
    DeviceLibraryHandle = PlatformLoadLibrary(kDeviceLibraryName);
    return DeviceLibraryHandle ? 0 : -1;
}

int BindDeviceApi() {
    // Every name is looked up, so the table never holds an address from an
    // earlier binding; only then is the table tested.
#define KX_DEV_ENTRY(name, shape) \
    DeviceApi.name = reinterpret_cast<name##_Proc>(PlatformFindSymbol(DeviceLibraryHandle, #name));
#include "device/device_api_list.h"
#undef KX_DEV_ENTRY

    int missing = 0;
#define KX_DEV_ENTRY(name, shape) \
    if (DeviceApi.name == nullptr) missing++;
#include "device/device_api_list.h"
#undef KX_DEV_ENTRY
    return missing == 0 ? 0 : -1;
}

void ReleaseDeviceLibrary() {
    PlatformFreeLibrary(DeviceLibraryHandle);
    DeviceLibraryHandle = nullptr;
}
