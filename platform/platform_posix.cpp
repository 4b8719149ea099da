// POSIX implementations of the platform services.
#include "platform/platform.h"

#include <dlfcn.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "platform/ascii.h"

PlatformLibrary PlatformLoadLibrary(const char *fileName) {
    PlatformLibrary library = dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
    if (library != nullptr || strchr(fileName, '/') != nullptr) return library;
    // The executable's $ORIGIN run path covers its own directory, but an
    // interposed dlopen (as under AddressSanitizer) loses it; look there
    // explicitly, after the ordinary search.
    char path[4096];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return nullptr;
    path[length] = '\0';
    char *slash = strrchr(path, '/');
    if (slash == nullptr) return nullptr;
    size_t dirLength = static_cast<size_t>(slash - path) + 1;
    size_t nameLength = strlen(fileName);
    if (dirLength + nameLength >= sizeof path) return nullptr;
    memcpy(slash + 1, fileName, nameLength + 1);
    return dlopen(path, RTLD_NOW | RTLD_LOCAL);
}

PlatformProc PlatformFindSymbol(PlatformLibrary library, const char *name) {
    if (library == nullptr) return nullptr;
    return reinterpret_cast<PlatformProc>(dlsym(library, name));
}

void PlatformFreeLibrary(PlatformLibrary library) {
    if (library != nullptr) dlclose(library);
}

void PlatformPause() {
    fputs("Press any key to continue . . . ", stdout);
    fflush(stdout);
    // A scripted session must not lose a byte of its commands to the pause,
    // so only a terminal is waited on.
    if (isatty(STDIN_FILENO)) {
        struct termios saved;
        if (tcgetattr(STDIN_FILENO, &saved) == 0) {
            struct termios raw = saved;
            raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
            raw.c_cc[VMIN] = 1;
            raw.c_cc[VTIME] = 0;
            if (tcsetattr(STDIN_FILENO, TCSANOW, &raw) == 0) {
                unsigned char key;
                (void)!read(STDIN_FILENO, &key, 1);
                tcsetattr(STDIN_FILENO, TCSANOW, &saved);
            }
        }
    }
    fputs("\n", stdout);
    fflush(stdout);
}

// Written from the documented behaviour of StrToIntExA with STIF_SUPPORT_HEX.
int32_t PlatformHexTextToInt(const char *text) {
    const unsigned char *p = reinterpret_cast<const unsigned char *>(text);
    // StrToIntExA's white space is the blank, the tab and the line feed only.
    while (*p == ' ' || *p == '\t' || *p == '\n') p++;
    bool negative = false;
    if (*p == '-') {
        negative = true;
        p++;
    } else if (*p == '+') {
        p++;
    }
    uint32_t value = 0;  // unsigned: the low 32 bits wrap without overflow
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        // The sign is not applied to a hexadecimal number.
        for (p += 2;; p++) {
            if (!IsAsciiHexDigit(*p)) break;
            int digit = IsAsciiDigit(*p) ? *p - '0' : AsciiLower(*p) - 'a' + 10;
            value = value * 16u + static_cast<unsigned>(digit);
        }
        return static_cast<int32_t>(value);
    }
    for (; IsAsciiDigit(*p); p++) value = value * 10u + static_cast<unsigned>(*p - '0');
    if (negative) value = 0u - value;
    return static_cast<int32_t>(value);
}
