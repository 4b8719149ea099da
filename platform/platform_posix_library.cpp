// POSIX: loading the device library.
#include "platform/platform.h"

#include <dlfcn.h>

#include <cstring>

PlatformLibrary PlatformLoadLibrary(const char *fileName) {
    PlatformLibrary library = dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
    if (library != nullptr || strchr(fileName, '/') != nullptr) return library;
    // The executable's $ORIGIN run path covers its own directory, but an
    // interposed dlopen (as under AddressSanitizer) loses it; look there
    // explicitly, after the ordinary search.
    char path[kPlatformPathBytes];
    if (PlatformPathBesideProgram(fileName, path, sizeof path) != 0) return nullptr;
    return dlopen(path, RTLD_NOW | RTLD_LOCAL);
}

PlatformProc PlatformFindSymbol(PlatformLibrary library, const char *name) {
    if (library == nullptr) return nullptr;
    return reinterpret_cast<PlatformProc>(dlsym(library, name));
}

void PlatformFreeLibrary(PlatformLibrary library) {
    if (library != nullptr) dlclose(library);
}
