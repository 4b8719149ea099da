#include "device/device_command_support.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "device/device_api.h"
#include "platform/ascii.h"

int32_t InitDevice(Session &session) { return DeviceApi.KX_DEV_Init(session.DeviceContext); }

int32_t OpenDevice(Session &session) {
    int32_t count = InitDevice(session);
    if (count < 0) fputs("KX_DEV_Init Failure!\n", stdout);
    return count;
}

void PrintReplyLine(const char *label, const char *reply) {
    // The library passes no size back and may fill the whole buffer.
    printf("%s%.*s\n", label, kReplySize, reply);
}

void ReportQuery(int32_t result, const ReadingLines &lines, const char *reply) {
    if (result < 0) {
        fputs(lines.failure, stdout);
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

struct NamedCode {
    const char *name;
    int32_t code;
};

// Tested in this order; the first name found anywhere in the argument wins.
static const NamedCode kSourceCodes[] = {{"SMPTE", 0}, {"USER", 1}, {"SDI", 2}, {"HDMI", 3}, {"CALIB", 4}};
static const NamedCode kLutModeCodes[] = {{"OFF", 0}, {"709", 1}, {"EBU", 2}, {"SMPTE", 3}, {"P3", 4}};
constexpr int32_t kDefaultSourceCode = 0;
constexpr int32_t kDefaultLutModeCode = 1;

template <size_t N>
static int32_t FindCode(const char *arg, const NamedCode (&table)[N], int32_t fallback) {
    for (const NamedCode &entry : table) {
        if (strstr(arg, entry.name) != nullptr) return entry.code;
    }
    return fallback;
}

int32_t SourceCode(const char *arg) { return FindCode(arg, kSourceCodes, kDefaultSourceCode); }

int32_t LutModeCode(const char *arg) { return FindCode(arg, kLutModeCodes, kDefaultLutModeCode); }

static bool SameNameIgnoringCase(const char *a, const char *b) {
    for (; *a != '\0' && *b != '\0'; a++, b++) {
        if (AsciiLower(static_cast<unsigned char>(*a)) != AsciiLower(static_cast<unsigned char>(*b))) return false;
    }
    return *a == *b;
}

template <size_t N>
static int32_t CodeOfName(const char *name, const NamedCode (&table)[N]) {
    for (const NamedCode &entry : table) {
        if (SameNameIgnoringCase(name, entry.name)) return entry.code;
    }
    return -1;
}

int32_t SourceCodeOfName(const char *name) { return CodeOfName(name, kSourceCodes); }

int32_t LutModeCodeOfName(const char *name) { return CodeOfName(name, kLutModeCodes); }

template <size_t N>
static void JoinNames(const NamedCode (&table)[N], const char *sep, char *out, int outSize) {
    if (outSize <= 0) return;
    int used = 0;
    out[0] = '\0';
    for (size_t i = 0; i < N && used < outSize; i++) {
        int n = snprintf(out + used, static_cast<size_t>(outSize - used), "%s%s", i == 0 ? "" : sep, table[i].name);
        if (n < 0) break;
        used += n;
    }
}

void SourceNames(const char *sep, char *out, int outSize) { JoinNames(kSourceCodes, sep, out, outSize); }

void LutModeNames(const char *sep, char *out, int outSize) { JoinNames(kLutModeCodes, sep, out, outSize); }
