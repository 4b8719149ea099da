// A JSON string of arbitrary bytes, shared by the programs' JSON output.
#pragma once

#include <cstddef>

// Writes text (up to its NUL, and at most maxBytes) as a quoted JSON string
// through put: '"' and '\' escaped, control characters and DEL as \u00XX,
// well-formed UTF-8 as it is, and every other byte (a name in another
// encoding, a broken sequence) as U+FFFD, so that the output is always
// valid UTF-8.
void WriteJsonString(const char *text, size_t maxBytes, void (*put)(void *sink, const char *bytes, size_t count),
                     void *sink);
