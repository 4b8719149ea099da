#include "device/box_codes.h"

#include <cstddef>
#include <cstdio>

#include "platform/ascii.h"

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
