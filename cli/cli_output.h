// The programs' JSON and CSV, to a stream or into a bounded buffer. One
// convention for every program: members separated by ", ", a key followed
// by ": ", nothing inside the braces and brackets; numbers that JSON cannot
// hold (NaN, the infinities) written as null.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

// A writer to a stream, or into a fixed buffer that records an overflow
// instead of writing past its end.
struct Sink {
    FILE *file;
    char *buffer;
    size_t capacity;
    size_t length;
    bool overflow;  // also: a stream write failed
};
Sink StreamSink(FILE *file);
Sink BufferSink(char *buffer, size_t capacity);
void Put(Sink &sink, const char *bytes, size_t count);
void PutText(Sink &sink, const char *text);

// The length of text up to its terminator or maxBytes, whichever is first.
size_t BoundedLength(const char *text, size_t maxBytes);

// A JSON object or array, written member by member. Texts are bounded: at
// most maxBytes bytes, or up to a terminator before that (a reply of the
// box need not be terminated within its buffer), as WriteJsonString writes
// them, so that any bytes make valid JSON.
struct JsonObject {
    Sink *sink;
    bool first;
};
JsonObject JsonBegin(Sink &sink);
JsonObject JsonArrayBegin(Sink &sink);
// The separator and the key of the next member; the value follows.
void JsonKey(JsonObject &object, const char *key);
// The separator of the next item of an array; the value follows.
void JsonItem(JsonObject &array);
void JsonText(JsonObject &object, const char *key, const char *text, size_t maxBytes = SIZE_MAX);
void JsonInt(JsonObject &object, const char *key, int64_t value);
void JsonNumber(JsonObject &object, const char *key, double value);
void JsonBool(JsonObject &object, const char *key, bool value);
void JsonNull(JsonObject &object, const char *key);
// A number with nine significant digits, which give every float back
// exactly; null when it is not finite.
void JsonNumberValue(Sink &sink, double value);
void JsonQuoted(Sink &sink, const char *text, size_t maxBytes = SIZE_MAX);
// Closes a nested object or an array.
void JsonClose(JsonObject &object);
void JsonArrayEnd(JsonObject &array);
// Closes the outermost object and ends the line.
void JsonEnd(JsonObject &object);

// One CSV field, bounded like JsonText: quoted (with its quotes doubled)
// when it holds a comma, a quote or a line end, or begins or ends with a
// blank (space or tab), which a reader would otherwise trim.
void CsvField(Sink &sink, const char *text, size_t maxBytes = SIZE_MAX);
