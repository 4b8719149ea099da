#include "device/device_api.h"

#include <cstddef>

static DeviceApiTable BoundApi;
static PlatformLibrary LoadedLibrary = nullptr;

const DeviceApiTable &DeviceApi = BoundApi;

int LoadDeviceLibrary() { return LoadDeviceLibraryAt(kDeviceLibraryName); }

int LoadDeviceLibraryAt(const char *path) {
    LoadedLibrary = PlatformLoadLibrary(path);
    return LoadedLibrary ? 0 : -1;
}

PlatformLibrary DeviceLibrary() { return LoadedLibrary; }

int BindDeviceApi() {
    // Every name is looked up, so the table never holds an address from an
    // earlier binding; only then is the table tested.
#define KX_DEV_ENTRY(name, shape) \
    BoundApi.name = reinterpret_cast<name##_Proc>(PlatformFindSymbol(LoadedLibrary, #name));
#include "device/device_api_list.h"
#undef KX_DEV_ENTRY

    int missing = 0;
#define KX_DEV_ENTRY(name, shape) \
    if (BoundApi.name == nullptr) missing++;
#include "device/device_api_list.h"
#undef KX_DEV_ENTRY
    return missing == 0 ? 0 : -1;
}

void InstallDeviceApi(const DeviceApiTable &table) { BoundApi = table; }

void ReleaseDeviceLibrary() {
    PlatformFreeLibrary(LoadedLibrary);
    LoadedLibrary = nullptr;
}
