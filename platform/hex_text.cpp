// StrToIntExA's reading of a number, for the platforms without it.
#include <cstdint>

#include "platform/ascii.h"
#include "platform/platform.h"

// Written from the documented behaviour of StrToIntExA with STIF_SUPPORT_HEX.
int32_t WrittenHexTextToInt(const char *text) {
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
