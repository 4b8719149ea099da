// The console's fputs and printf, on each platform's PlatformConsoleWrite.
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/platform.h"

void PlatformConsolePuts(const char *text) { PlatformConsoleWrite(text, strlen(text)); }

void PlatformConsolePrintf(const char *format, ...) {
    // Every line of the console fits here; a longer text takes a buffer of
    // its own size.
    char line[512];
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    int length = vsnprintf(line, sizeof line, format, args);
    va_end(args);
    if (length >= 0 && static_cast<size_t>(length) < sizeof line) {
        PlatformConsoleWrite(line, static_cast<size_t>(length));
    } else if (length > 0) {
        size_t size = static_cast<size_t>(length) + 1;
        char *text = static_cast<char *>(malloc(size));
        if (text != nullptr && vsnprintf(text, size, format, again) == length) {
            PlatformConsoleWrite(text, static_cast<size_t>(length));
        }
        free(text);
    }
    va_end(again);
}
