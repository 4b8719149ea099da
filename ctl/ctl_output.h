// What lutctl writes: the text in the chosen language, and the JSON and CSV
// forms of its results, to a stream or into a bounded buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

// Exit statuses.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;  // a device call, a check, a test or a verification failed
constexpr int kExitUsage = 2;   // unknown command, option or name; the box not opened
constexpr int kExitNoLibrary = 3;

// One message in both languages; printf formats with the same arguments.
struct Text {
    const char *en;
    const char *zh;
};

// The language of the run's text, set once after the options are read.
void SetChinese(bool chinese);

// The message's format in the run's language.
const char *InLanguage(const Text &text);

// Formats text in the run's language and writes it to standard output (or
// to standard error) through PlatformWriteText. Output longer than 4 KiB is
// cut. text is taken by value: va_start cannot follow a reference.
void Say(Text text, ...);
void SayError(Text text, ...);

// "lutctl: ENTRY failed (RESULT)" on standard error: a device call that
// failed.
void SayCallFailed(const char *entry, int32_t result);

// A usage error: "lutctl: " and the formatted message, then the usage line,
// on standard error, in English whatever the language (the options may not
// have been read); returns kExitUsage.
int UsageError(const char *format, ...);

// A writer of JSON and CSV text: to a stream, or into a fixed buffer that
// records an overflow instead of writing past its end.
struct Sink {
    FILE *file;
    char *buffer;
    size_t capacity;
    size_t length;
    bool overflow;
};
Sink StreamSink(FILE *file);
Sink BufferSink(char *buffer, size_t capacity);
void Put(Sink &sink, const char *bytes, size_t count);
void PutText(Sink &sink, const char *text);

// A JSON object, written member by member. Texts are bounded: at most
// maxBytes bytes, or up to a terminator before that (a reply of the box
// need not be terminated within its buffer), as WriteJsonString writes it,
// so that any reply makes valid JSON.
struct JsonObject {
    Sink *sink;
    bool first;
};
JsonObject JsonBegin(Sink &sink);
void JsonKey(JsonObject &object, const char *key);
void JsonText(JsonObject &object, const char *key, const char *text, size_t maxBytes = SIZE_MAX);
void JsonInt(JsonObject &object, const char *key, int64_t value);
void JsonBool(JsonObject &object, const char *key, bool value);
void JsonNull(JsonObject &object, const char *key);
// A float with nine significant digits, which read back to the same value;
// infinities and NaNs, which JSON cannot hold, as the strings "inf",
// "-inf" and "nan".
void JsonFloatValue(Sink &sink, float value);
void JsonQuoted(Sink &sink, const char *text, size_t maxBytes = SIZE_MAX);
// Closes the object and ends the line.
void JsonEnd(JsonObject &object);

// One CSV field, bounded like JsonText: quoted (with its quotes doubled)
// when it holds a comma, a quote, a line end or leading or trailing space.
void CsvField(Sink &sink, const char *text, size_t maxBytes = SIZE_MAX);

// The length of text up to its terminator or maxBytes, whichever is first.
size_t BoundedLength(const char *text, size_t maxBytes);
