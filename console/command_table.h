// The command keywords, in matching order, with their handlers.
#pragma once

#include <cstddef>

#include "device/session.h"

// A handler receives the session and the command word from the byte behind
// its keyword's length on, counted from the word's first byte wherever the
// keyword stands; that is always within the word. It prints its own
// messages.
typedef void CommandHandler(Session &session, const char *arg);

struct CommandRow {
    const char *keyword;  // found anywhere in the word, case-sensitive
    CommandHandler *handler;
    bool closeAfter;  // the loop calls KX_DEV_DeInit after the handler
};

// "加载器测试" in GBK: the full self-test's keyword, and what the command
// word holds before the first one is read.
inline constexpr char kLoaderTestKeyword[] = "\xBC\xD3\xD4\xD8\xC6\xF7\xB2\xE2\xCA\xD4";

extern const CommandRow CommandTable[];
extern const size_t kCommandCount;

// The first row, in table order, whose keyword the word contains; nullptr
// when there is none.
const CommandRow *FindCommand(const char *word);
