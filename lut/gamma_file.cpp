#include "lut/gamma_file.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "platform/ascii.h"
#include "platform/platform.h"

namespace {

bool StartsWithWord(const char *text, const char *word) {
    for (; *word != '\0'; ++text, ++word) {
        if (AsciiLower(static_cast<unsigned char>(*text)) != *word) return false;
    }
    return true;
}

}  // namespace

double GammaExponent(const char *text) {
    const char *p = text;
    while (IsAsciiSpace(static_cast<unsigned char>(*p))) ++p;
    const char *afterSpace = p;
    double sign = 1.0;
    if (*p == '+' || *p == '-') {
        if (*p == '-') sign = -1.0;
        ++p;
    }
    if (StartsWithWord(p, "inf")) return sign * std::numeric_limits<double>::infinity();
    if (StartsWithWord(p, "nan")) return std::numeric_limits<double>::quiet_NaN();
    bool hasDigits = IsAsciiDigit(p[0]) || (p[0] == '.' && IsAsciiDigit(p[1]));
    if (!hasDigits) return 0.0;
    // Only here could the library's conversion read more than a decimal
    // number: its number is then the leading 0.
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) return sign * 0.0;
    return strtod(afterSpace, nullptr);
}

int32_t GammaFileName(const char *arg, char *name) {
    char namePart[kGammaNameBufferSize] = {};
    size_t length = 0;
    for (const char *p = arg; *p != '\0' && *p != '\r' && *p != '\n'; ++p) {
        if (*p == '.') continue;
        if (*p == '/' || *p == '\\' || *p == ':') {
            memset(name, 0, kGammaNameBufferSize);
            return -2;
        }
        if (length + 1 >= sizeof namePart) {
            memset(name, 0, kGammaNameBufferSize);
            return -1;
        }
        namePart[length++] = *p;
    }
    memset(name, 0, kGammaNameBufferSize);
    int written = snprintf(name, kGammaNameBufferSize, "Gamma10b_%s.hex", namePart);
    if (written < 0 || written >= kGammaNameBufferSize) {
        memset(name, 0, kGammaNameBufferSize);
        return -1;
    }
    return 0;
}

uint32_t GammaEntry(double exponent, int32_t i) {
    double x = i * 0.0009765625;
    double y = pow(x, exponent);
    double v = y * 1024.0;
    int64_t whole;
    if (std::isnan(v)) {
        whole = 0;
    } else if (v >= 9223372036854775808.0) {  // 2^63
        whole = std::numeric_limits<int64_t>::max();
    } else if (v < -9223372036854775808.0) {
        whole = std::numeric_limits<int64_t>::min();
    } else {
        whole = static_cast<int64_t>(v);  // truncates toward zero
    }
    return static_cast<uint32_t>(static_cast<uint64_t>(whole) & 0xFFFFFFFFu);
}

// Binary mode with explicit CR bytes: the same bytes as the text-mode file
// written on Windows, where "%03x\r" then "\n" became CR CR LF.
int32_t WriteGammaFile(const char *fileName, double exponent) {
    PlatformReplacement output;
    if (PlatformCreateReplacement(output, fileName) == nullptr) return -1;
    for (int32_t i = 0; i < kGammaEntries; ++i) {
        const char *lineEnd = i < kGammaEntries - 1 ? "\r\r\n" : "\r";
        fprintf(output.file, "%03x%s", static_cast<unsigned>(GammaEntry(exponent, i)), lineEnd);
    }
    // A failed write shows in the stream's error flag when it is closed.
    return PlatformFinishReplacement(output);
}
