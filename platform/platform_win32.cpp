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

void PlatformPause(const char *shellCommand) {
    fflush(stdout);
    (void)system(shellCommand);
}

int32_t PlatformHexTextToInt(const char *text) {
    int value = 0;
    // STIF_SUPPORT_HEX is 1; a text without a number leaves 0.
    if (!StrToIntExA(text, 1, &value)) return 0;
    return value;
}
