#include "ctl/ctl_output.h"

#include <cmath>
#include <cstdarg>
#include <cstring>

#include "platform/platform.h"
#include "platform/json_string.h"

static bool Chinese = false;

void SetChinese(bool chinese) { Chinese = chinese; }

const char *InLanguage(const Text &text) { return Chinese ? text.zh : text.en; }

static void SayTo(FILE *stream, const Text &text, va_list args) {
    char line[4096];
    vsnprintf(line, sizeof line, InLanguage(text), args);
    // Standard output may still hold text that belongs before a message.
    if (stream == stderr) fflush(stdout);
    PlatformWriteText(stream, line);
    if (stream == stderr) fflush(stderr);
}

void Say(Text text, ...) {
    va_list args;
    va_start(args, text);
    SayTo(stdout, text, args);
    va_end(args);
}

void SayError(Text text, ...) {
    va_list args;
    va_start(args, text);
    SayTo(stderr, text, args);
    va_end(args);
}

void SayCallFailed(const char *entry, int32_t result) {
    SayError({"lutctl: %s failed (%d)\n", "lutctl: %s 失败 (%d)\n"}, entry, static_cast<int>(result));
}

static const char kUsageLine[] =
    "usage: lutctl [--json] [--lang en|zh] info|selftest|load|set|reset-fpga|erase-luts ... (see lutctl --help)\n";

int UsageError(const char *format, ...) {
    fflush(stdout);
    char message[1024];
    va_list args;
    va_start(args, format);
    vsnprintf(message, sizeof message, format, args);
    va_end(args);
    fputs("lutctl: ", stderr);
    PlatformWriteText(stderr, message);
    fputs("\n", stderr);
    fputs(kUsageLine, stderr);
    fflush(stderr);
    return kExitUsage;
}

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
    WriteJsonString(text, maxBytes, [](void *to, const char *bytes, size_t count) {
        Put(*static_cast<Sink *>(to), bytes, count);
    }, &sink);
}

JsonObject JsonBegin(Sink &sink) {
    PutText(sink, "{");
    return {&sink, true};
}

void JsonKey(JsonObject &object, const char *key) {
    if (!object.first) PutText(*object.sink, ", ");
    object.first = false;
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

void JsonBool(JsonObject &object, const char *key, bool value) {
    JsonKey(object, key);
    PutText(*object.sink, value ? "true" : "false");
}

void JsonNull(JsonObject &object, const char *key) {
    JsonKey(object, key);
    PutText(*object.sink, "null");
}

void JsonFloatValue(Sink &sink, float value) {
    if (std::isnan(value)) {
        PutText(sink, "\"nan\"");
    } else if (std::isinf(value)) {
        PutText(sink, value < 0 ? "\"-inf\"" : "\"inf\"");
    } else {
        // Nine significant digits give every float back exactly.
        char number[32];
        snprintf(number, sizeof number, "%.9g", static_cast<double>(value));
        PutText(sink, number);
    }
}

void JsonEnd(JsonObject &object) { PutText(*object.sink, "}\n"); }

void CsvField(Sink &sink, const char *text, size_t maxBytes) {
    size_t length = BoundedLength(text, maxBytes);
    bool quote = length > 0 && (text[0] == ' ' || text[length - 1] == ' ');
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
