#include "console/word_reader.h"

#include "platform/ascii.h"

// The word ends at the white space of the C locale, as the console's string
// read ends it.
WordResult ReadCommandWord(FILE *in, char *buffer, int maxLength) {
    int c = getc(in);
    while (c != EOF && IsAsciiSpace(c)) c = getc(in);
    if (c == EOF) return kWordEnd;

    int length = 0;
    bool tooLong = false;
    for (; c != EOF && !IsAsciiSpace(c); c = getc(in)) {
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
