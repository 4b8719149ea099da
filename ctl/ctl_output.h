// What lutctl writes: the text in the chosen language; its JSON and CSV
// are cli/'s, and so are its exit statuses.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "cli/cli.h"
#include "cli/cli_output.h"

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
