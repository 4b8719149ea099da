// The tool's own integer conversions, exercised by the "atoi:" and "itoa"
// self-tests. The rest of the tool converts with the standard library.
#pragma once

#include <cstdint>

// Text to integer: skips leading blanks and the control codes 8 to 13
// (backspace included), takes one optional '+' or '-', then decimal digits
// up to the first other byte. Wraps silently in 32-bit two's complement;
// text without digits gives 0. Never fails.
int32_t TextToInt(const char *text);

// Bytes of the text that IntToText produces, its NUL included.
constexpr int kIntToTextSize = 7;

// Writes the fixed value 43670 as text, always preceded by '-' ("-43670"),
// into dest, which must hold kIntToTextSize bytes, and returns dest. With
// dest nullptr it allocates the text with malloc and the caller must free
// it; it returns nullptr when that allocation fails.
char *IntToText(char *dest);
