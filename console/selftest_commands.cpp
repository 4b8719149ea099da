#include "console/selftest_commands.h"

#include <cstdint>
#include <cstdio>

#include "platform/platform.h"
#include "selftest/int_conversions.h"
#include "selftest/soft_float_mul.h"

// "findVal": tries the divisors 18, 21, 24, 27 and 30 (half of 36 to 60 in
// steps of 6) on 14739 = 3 * 17^3; a hit would print the divisor. None hits,
// so the output is one line break.
void CmdFindVal(Session &, const char *) {
    const int32_t dividend = 14739;
    for (int32_t c = 36; c <= 60; c += 6) {
        int32_t divisor = c / 2;
        if (dividend % divisor == 0) PlatformConsolePrintf("val is %d  ", static_cast<int>(divisor));
    }
    PlatformConsolePrintf("\n");
}

// "atoi:TEXT": converts the text with TextToInt
// and prints ten times the value, wrapping in 32 bits.
void CmdAtoi(Session &, const char *arg) {
    uint32_t tenfold = static_cast<uint32_t>(TextToInt(arg)) * 10u;
    PlatformConsolePrintf("atoi test Val * 10 = %d\n", static_cast<int>(static_cast<int32_t>(tenfold)));
}

// "itoa": shows IntToText's text for 43670 ("-43670") and three fixed values.
void CmdItoa(Session &, const char *) {
    char text[kIntToTextSize];
    IntToText(text);
    PlatformConsolePrintf("itoa test 43670 = %s\n", text);
    PlatformConsolePrintf("sign = %d\n", 1);
    PlatformConsolePrintf("char = %c ,%c\n", text[0], text[1]);
    PlatformConsolePrintf("val = %d\n", 4578);
}

// "printfChar": prints a signed 8-bit character holding 0xFF, widened with
// its sign: -1 whether plain char is signed or not.
void CmdPrintfChar(Session &, const char *) {
    const int8_t allOnes = static_cast<int8_t>(0xFF);
    PlatformConsolePrintf("vs2010 char = %d\n", static_cast<int>(allOnes));
}

// "float_mul": multiplies -65711.0703125 (0xC7805789) by 86111.015625
// (0x47A82F82) with SoftFloatMul and prints it beside the platform's double
// product (exact: 24-bit significands give 48 bits) and that product rounded
// to single precision.
void CmdFloatMul(Session &, const char *) {
    const float x = -65711.0703125f;
    const float y = 86111.015625f;
    float mine = SoftFloatMul(x, y);
    double exact = static_cast<double>(x) * static_cast<double>(y);
    PlatformConsolePrintf("my result:%f\n", static_cast<double>(mine));
    PlatformConsolePrintf("correct result:x * y = %f\n", exact);
    PlatformConsolePrintf("correct result:z = %f\n", static_cast<double>(static_cast<float>(exact)));
}
