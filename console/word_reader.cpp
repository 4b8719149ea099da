#include "console/word_reader.h"

// The white space of the C locale, as the console's string read uses it.
static bool IsSpace(int c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

WordResult ReadCommandWord(FILE *in, char *buffer, int maxLength) {
    int c = getc(in);
    while (c != EOF && IsSpace(c)) c = getc(in);
    if (c == EOF) return kWordEnd;

    int length = 0;
    bool tooLong = false;
    for (; c != EOF && !IsSpace(c); c = getc(in)) {
        if (length < maxLength) {
            buffer[length++] = static_cast<char>(c);
        } else {
            // Keep reading, so the rest of the word is not taken as a new one.
            tooLong = true;
        }
    }
    if (c != EOF) ungetc(c, in);
    buffer[length] = '\0';
    return tooLong ? kWordTooLong : kWordRead;
}
