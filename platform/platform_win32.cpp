// Win32 implementations of the platform services.
#include "platform/platform.h"

#include <windows.h>
#include <shlwapi.h>

#include <cstdio>
#include <cstdlib>

PlatformLibrary PlatformLoadLibrary(const char *fileName) {
    return reinterpret_cast<PlatformLibrary>(LoadLibraryA(fileName));
}

PlatformProc PlatformFindSymbol(PlatformLibrary library, const char *name) {
    if (library == nullptr) return nullptr;
    return reinterpret_cast<PlatformProc>(
        GetProcAddress(reinterpret_cast<HMODULE>(library), name));
}

void PlatformFreeLibrary(PlatformLibrary library) {
    if (library != nullptr) FreeLibrary(reinterpret_cast<HMODULE>(library));
}

// cmd's "pause" command; cmd takes "Pause" and "pause" alike.
void PlatformPause() {
    fflush(stdout);
    (void)system("Pause");
}

int32_t PlatformHexTextToInt(const char *text) {
    int value = 0;
    // A text without a number leaves 0.
    if (!StrToIntExA(text, STIF_SUPPORT_HEX, &value)) return 0;
    return value;
}
