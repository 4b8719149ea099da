#include "platform/json_string.h"

#include <cstdio>

// The length of the well-formed UTF-8 sequence at p (at most left bytes),
// or 0. The second byte's range rules out overlong forms (E0, F0),
// surrogates (ED) and code points beyond U+10FFFF (F4).
static size_t Utf8Length(const unsigned char *p, size_t left) {
    unsigned char c = p[0];
    size_t length = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 && c <= 0xEF ? 3 : c >= 0xC2 && c <= 0xDF ? 2 : 0;
    if (length == 0 || length > left) return 0;
    unsigned char low = c == 0xE0 ? 0xA0 : c == 0xF0 ? 0x90 : 0x80;
    unsigned char high = c == 0xED ? 0x9F : c == 0xF4 ? 0x8F : 0xBF;
    if (p[1] < low || p[1] > high) return 0;
    for (size_t k = 2; k < length; k++) {
        if ((p[k] & 0xC0) != 0x80) return 0;
    }
    return length;
}

void WriteJsonString(const char *text, size_t maxBytes, void (*put)(void *sink, const char *bytes, size_t count),
                     void *sink) {
    const unsigned char *p = reinterpret_cast<const unsigned char *>(text);
    size_t length = 0;
    while (length < maxBytes && p[length] != '\0') length++;
    put(sink, "\"", 1);
    for (size_t i = 0; i < length;) {
        unsigned char c = p[i];
        if (c == '"' || c == '\\') {
            char escaped[2] = {'\\', static_cast<char>(c)};
            put(sink, escaped, 2);
            i++;
        } else if (c < 0x20 || c == 0x7F) {
            char escaped[8];
            int n = snprintf(escaped, sizeof escaped, "\\u%04x", c);
            put(sink, escaped, static_cast<size_t>(n));
            i++;
        } else if (c < 0x80) {
            put(sink, text + i, 1);
            i++;
        } else if (size_t sequence = Utf8Length(p + i, length - i); sequence > 0) {
            put(sink, text + i, sequence);
            i += sequence;
        } else {
            put(sink, "\\ufffd", 6);
            i++;
        }
    }
    put(sink, "\"", 1);
}
