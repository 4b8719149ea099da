#include "cli/cli_output.h"

#include <cmath>
#include <cstring>

#include "platform/json_string.h"

Sink StreamSink(FILE *file) { return {file, nullptr, 0, 0, false}; }

Sink BufferSink(char *buffer, size_t capacity) {
    if (capacity > 0) buffer[0] = '\0';
    return {nullptr, buffer, capacity, 0, false};
}

void Put(Sink &sink, const char *bytes, size_t count) {
    if (sink.file != nullptr) {
        if (fwrite(bytes, 1, count, sink.file) != count) sink.overflow = true;
        return;
    }
    // One byte stays free for the terminator.
    if (sink.overflow || sink.capacity - sink.length <= count) {
        sink.overflow = true;
        return;
    }
    memcpy(sink.buffer + sink.length, bytes, count);
    sink.length += count;
    sink.buffer[sink.length] = '\0';
}

void PutText(Sink &sink, const char *text) { Put(sink, text, strlen(text)); }

size_t BoundedLength(const char *text, size_t maxBytes) {
    size_t n = 0;
    while (n < maxBytes && text[n] != '\0') n++;
    return n;
}

void JsonQuoted(Sink &sink, const char *text, size_t maxBytes) {
    WriteJsonString(
        text, maxBytes, [](void *to, const char *bytes, size_t count) { Put(*static_cast<Sink *>(to), bytes, count); },
        &sink);
}

JsonObject JsonBegin(Sink &sink) {
    PutText(sink, "{");
    return {&sink, true};
}

JsonObject JsonArrayBegin(Sink &sink) {
    PutText(sink, "[");
    return {&sink, true};
}

void JsonItem(JsonObject &array) {
    if (!array.first) PutText(*array.sink, ", ");
    array.first = false;
}

void JsonKey(JsonObject &object, const char *key) {
    JsonItem(object);
    JsonQuoted(*object.sink, key);
    PutText(*object.sink, ": ");
}

void JsonText(JsonObject &object, const char *key, const char *text, size_t maxBytes) {
    JsonKey(object, key);
    JsonQuoted(*object.sink, text, maxBytes);
}

void JsonInt(JsonObject &object, const char *key, int64_t value) {
    JsonKey(object, key);
    char number[24];
    snprintf(number, sizeof number, "%lld", static_cast<long long>(value));
    PutText(*object.sink, number);
}

void JsonNumber(JsonObject &object, const char *key, double value) {
    JsonKey(object, key);
    JsonNumberValue(*object.sink, value);
}

void JsonBool(JsonObject &object, const char *key, bool value) {
    JsonKey(object, key);
    PutText(*object.sink, value ? "true" : "false");
}

void JsonNull(JsonObject &object, const char *key) {
    JsonKey(object, key);
    PutText(*object.sink, "null");
}

void JsonNumberValue(Sink &sink, double value) {
    if (!std::isfinite(value)) {
        PutText(sink, "null");
        return;
    }
    char number[32];
    snprintf(number, sizeof number, "%.9g", value);
    PutText(sink, number);
}

void JsonClose(JsonObject &object) { PutText(*object.sink, "}"); }

void JsonArrayEnd(JsonObject &array) { PutText(*array.sink, "]"); }

void JsonEnd(JsonObject &object) { PutText(*object.sink, "}\n"); }

static bool IsBlank(char c) { return c == ' ' || c == '\t'; }

void CsvField(Sink &sink, const char *text, size_t maxBytes) {
    size_t length = BoundedLength(text, maxBytes);
    bool quote = length > 0 && (IsBlank(text[0]) || IsBlank(text[length - 1]));
    for (size_t i = 0; i < length && !quote; i++) {
        quote = text[i] == ',' || text[i] == '"' || text[i] == '\n' || text[i] == '\r';
    }
    if (!quote) {
        Put(sink, text, length);
        return;
    }
    PutText(sink, "\"");
    for (size_t i = 0; i < length; i++) {
        if (text[i] == '"') PutText(sink, "\"");
        Put(sink, &text[i], 1);
    }
    PutText(sink, "\"");
}
