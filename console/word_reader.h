// Reads one whitespace-delimited command word from the console.
#pragma once

#include <cstdio>

enum WordResult {
    kWordRead,     // a word of at most maxLength bytes is in the buffer
    kWordTooLong,  // a longer word was read to its end; it must not run
    kWordEnd,      // the input ended (or failed) before a word began
};

// Skips leading white space (line ends included) and reads up to the next
// white space. At most maxLength bytes and a NUL are stored at the start of
// buffer; bytes behind the NUL are left as they were. The delimiter is left
// in the stream.
WordResult ReadCommandWord(FILE *in, char *buffer, int maxLength);
