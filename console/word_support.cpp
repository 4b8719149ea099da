#include "console/word_support.h"

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "device/box_codes.h"
#include "platform/platform.h"

int32_t OpenDevice(Session &session) {
    int32_t count = InitDevice(session);
    if (count < 0) PlatformConsolePuts("KX_DEV_Init Failure!\n");
    return count;
}

void ReportClose(int32_t result) {
    if (result >= 0) return;
    fflush(stdout);
    fprintf(stderr, "lutbox: KX_DEV_DeInit failed (%d)\n", static_cast<int>(result));
}

void PrintReplyLine(const char *label, const char *reply) {
    // The library passes no size back and may fill the whole buffer.
    PlatformConsolePrintf("%s%.*s\n", label, kReplySize, reply);
}

void ReportQuery(int32_t result, const ReadingLines &lines, const char *reply) {
    if (result < 0) {
        PlatformConsolePuts(lines.failure);
        return;
    }
    PrintReplyLine(lines.label, reply);
}

int32_t DecimalArgument(const char *text) {
    // strtoll saturates instead of overflowing; the clamp then keeps the
    // result in 32 bits on every platform.
    long long value = strtoll(text, nullptr, 10);
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(value);
}

// Copies at most width bytes of text into out, stopping at its terminator;
// returns the number copied.
static int CopyUpToTerminator(const char *text, int width, char *out) {
    int n = 0;
    while (n < width && text[n] != '\0') {
        out[n] = text[n];
        n++;
    }
    return n;
}

void ExtractInfoFields(const char *arg, char first[kInfoFieldBufferSize], char second[kInfoFieldBufferSize]) {
    memset(first, 0, kInfoFieldBufferSize);
    memset(second, 0, kInfoFieldBufferSize);
    if (CopyUpToTerminator(arg, kInfoFieldWidth, first) < kInfoFieldWidth) return;
    // The skipped byte may itself be the terminator.
    if (arg[kInfoFieldWidth] == '\0') return;
    CopyUpToTerminator(arg + kInfoSecondFieldStart, kInfoFieldWidth, second);
}

// What the console sends when its argument holds none of a table's names.
constexpr int32_t kDefaultSourceCode = 0;
constexpr int32_t kDefaultLutModeCode = 1;

// Tested in table order; the first name found anywhere in the argument wins.
template <size_t N>
static int32_t FindCode(const char *arg, const NamedCode (&table)[N], int32_t fallback) {
    for (const NamedCode &entry : table) {
        if (strstr(arg, entry.name) != nullptr) return entry.code;
    }
    return fallback;
}

int32_t SourceCode(const char *arg) { return FindCode(arg, kSourceCodes, kDefaultSourceCode); }

int32_t LutModeCode(const char *arg) { return FindCode(arg, kLutModeCodes, kDefaultLutModeCode); }
