// Character tests of the C locale, on bytes (or getc results), whatever
// locale the process runs in: a GBK lead byte is never a space or a digit.
#pragma once

// Blank, tab, line feed, vertical tab, form feed, carriage return: bits of
// one word, one test a byte in the readers' loops over white space.
constexpr bool IsAsciiSpace(int c) {
    constexpr unsigned long long kSpaces = 1ull << ' ' | 0x1full << '\t';
    // EOF and other negatives are beyond ' ' as unsigned.
    return static_cast<unsigned>(c) <= ' ' && (kSpaces >> c & 1) != 0;
}

constexpr bool IsAsciiDigit(int c) { return c >= '0' && c <= '9'; }

constexpr bool IsAsciiHexDigit(int c) { return IsAsciiDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

constexpr bool IsAsciiAlpha(int c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The lower-case letter of an upper-case ASCII letter; any other value as it is.
constexpr int AsciiLower(int c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; }
