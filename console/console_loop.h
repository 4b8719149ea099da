// The main routine: start-up, the prompt-and-dispatch loop and shutdown.
#pragma once

#include "device/session.h"

// Bytes of the command word buffer, and of the longest word it takes (a
// longer one is read to its end and runs nothing).
constexpr int kCommandBufferSize = 96;
constexpr int kMaxWordLength = 63;

// Runs one command word as the loop does after reading it: nothing when it
// matches no keyword, otherwise the handler of the first keyword it holds
// and, where that command's row says so, the close. Returns false when the
// word holds "exit" (nothing runs; the loop shuts down).
bool DispatchWord(Session &session, const char *word);

// Returns the process exit status: 0 after "exit" (or the end of input),
// -1 after a start-up failure.
int RunConsole();
