#include "ctl/ctl_output.h"

#include <cstdarg>

#include "platform/platform.h"

static bool Chinese = false;

void SetChinese(bool chinese) { Chinese = chinese; }

const char *InLanguage(const Text &text) { return Chinese ? text.zh : text.en; }

static void SayTo(FILE *stream, const Text &text, va_list args) {
    char line[4096];
    vsnprintf(line, sizeof line, InLanguage(text), args);
    // Standard output may still hold text that belongs before a message.
    if (stream == stderr) fflush(stdout);
    PlatformWriteText(stream, line);
    if (stream == stderr) fflush(stderr);
}

void Say(Text text, ...) {
    va_list args;
    va_start(args, text);
    SayTo(stdout, text, args);
    va_end(args);
}

void SayError(Text text, ...) {
    va_list args;
    va_start(args, text);
    SayTo(stderr, text, args);
    va_end(args);
}

void SayCallFailed(const char *entry, int32_t result) {
    SayError({"lutctl: %s failed (%d)\n", "lutctl: %s 失败 (%d)\n"}, entry, static_cast<int>(result));
}
