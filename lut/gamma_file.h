// The 10-bit gamma curve file written by "Gamma10b:".
#pragma once

#include <cstdint>

constexpr int kGammaEntries = 1024;
constexpr int kGammaNameBufferSize = 64;

// The exponent typed behind the keyword: a leading decimal number (optional
// sign, digits, point, decimal exponent), or the words "inf"/"infinity" and
// "nan" in any letter case after an optional sign; 0.0 when the text holds
// none of these. Characters after the number are ignored. Hexadecimal
// floating text is not a number here ("0x1p1" reads as its leading 0), so
// every platform's library reads an argument the same way.
double GammaExponent(const char *text);

// "Gamma10b_<arg without its points>.hex" into name (kGammaNameBufferSize
// bytes, zero-filled); the argument ends at a CR, a LF or its end. Returns 0,
// -1 (name left empty) when the name would not fit 63 characters, or -2
// (name left empty) when the argument holds a '/', '\\' or ':', which would
// put the file outside the current directory (or, on Windows, into a stream
// of another file).
int32_t GammaFileName(const char *arg, char *name);

// Entry i of the curve: (i / 1024) raised to exponent, times 1024, truncated
// toward zero through a signed 64-bit integer, of which the low 32 bits are
// returned. Values beyond the 64-bit range (infinities included) are first
// clamped to it, NaN becomes 0.
uint32_t GammaEntry(double exponent, int32_t i);

// Writes fileName anew, replacing any file of that name: the 1024 entries as
// "%03x" and CR, with CR LF after each entry but the last, on every
// platform. Returns 0, or -1 when the file cannot be written in full (an
// existing one is then left as it was).
int32_t WriteGammaFile(const char *fileName, double exponent);
