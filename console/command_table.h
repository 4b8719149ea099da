// The command keywords, in matching order, with their handlers.
#pragma once

// A handler receives the command word from its argument position on (see
// the row's argOffset; positions count from the word's first byte, wherever
// the keyword stands). It prints its own messages.
typedef void CommandHandler(const char *arg);

struct CommandRow {
    const char *keyword;      // found anywhere in the word, case-sensitive
    int argOffset;            // where the handler's argument starts
    CommandHandler *handler;
    bool closeAfter;          // the loop calls KX_DEV_DeInit after the handler
};

constexpr int kCommandCount = 37;
extern const CommandRow CommandTable[kCommandCount];

// The first row, in table order, whose keyword the word contains; nullptr
// when there is none.
const CommandRow *FindCommand(const char *word);
